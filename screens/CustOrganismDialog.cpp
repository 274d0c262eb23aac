#include "screens/CustOrganismDialog.h"

#include <QMessageBox>

#include "widgets/Latin1Text.h"
#include "screens/ScreenDocument.h"
#include "model/Project.h"
#include "screens/CustOrganismRules.h"
#include "screens/ScreenFields.h"
#include "ui_CustOrganismDialog.h"

namespace qln {

namespace {

constexpr const char* kHeader = "Item|Organism Name                                        ";

}  // namespace

CCustOrganismDialog::CCustOrganismDialog(CScreenDocument& document, QWidget* parent)
    : CTableDialog(document, CInsertPlace::AtEnd, parent),
      ui_(std::make_unique<Ui::CustOrganismDialog>()),
      names_(document.Project().GetCustomOrganisms())
{
    ui_->setupUi(this);
    SetUpTable(QString::fromLatin1(kHeader), document.Title());
    connect(ui_->insertNameButton, &QPushButton::clicked, this, &CCustOrganismDialog::InsertName);
    connect(ui_->replaceNameButton, &QPushButton::clicked, this, &CCustOrganismDialog::ReplaceName);
}

CCustOrganismDialog::~CCustOrganismDialog() = default;

std::string CCustOrganismDialog::TypedName() const
{
    return CCustOrganismRules::Name(FieldText(ui_->name));
}

QString CCustOrganismDialog::Organism() const
{
    return ToQt(TypedName());
}

bool CCustOrganismDialog::ApplyToAll() const
{
    return ui_->applyToAll->isChecked();
}

void CCustOrganismDialog::InsertName()
{
    const std::string name = TypedName();
    if (name.empty()) return;
    const int match = CCustOrganismRules::FirstMatch(names_, name);
    const bool add = match < 0 ||
                     QMessageBox::question(this, QString::fromLatin1(CCustOrganismRules::kDuplicateCaption),
                                           ToQt(CCustOrganismRules::DuplicateQuestion(name, match)),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    if (add) Insert();
    FocusField(ui_->name);
}

void CCustOrganismDialog::ReplaceName()
{
    if (TypedName().empty()) return;
    Replace();
}

bool CCustOrganismDialog::BeforeOK()
{
    if (HasPendingInput()) InsertName();
    return true;
}

void CCustOrganismDialog::HandOver()
{
    StringList& owner = Document().Project().GetCustomOrganisms();
    if (owner == names_) return;
    owner = names_;
    Document().SetModified();
}

void CCustOrganismDialog::InsertRecord(int index)
{
    names_.insert(names_.begin() + index, TypedName());
}

void CCustOrganismDialog::RemoveRecord(int index)
{
    names_.erase(names_.begin() + index);
}

void CCustOrganismDialog::LoadFields(int index)
{
    SetFieldText(ui_->name, names_[index]);
}

QString CCustOrganismDialog::RowText(int index) const
{
    return ToQt(names_[index]);
}

bool CCustOrganismDialog::KeyFieldFilled() const
{
    return !TypedName().empty();
}

// OK compares the name with the selected row, the one the user last saw.
bool CCustOrganismDialog::FieldsDiffer(int index) const
{
    return TypedName() != names_[index];
}

void CCustOrganismDialog::EmptyFields()
{
    ui_->name->clear();
}

QWidget* CCustOrganismDialog::FirstField() const
{
    return ui_->name;
}

}  // namespace qln
