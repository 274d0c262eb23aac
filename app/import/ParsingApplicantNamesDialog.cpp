#include "app/import/ParsingApplicantNamesDialog.h"

#include <QMessageBox>
#include <QSignalBlocker>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "ui_ParsingApplicantNamesDialog.h"

namespace qln {

CApplicantNamesEnabling CApplicantNamesEnabling::Of(const CApplicantNameParser& parser)
{
    CApplicantNamesEnabling enabling;
    const bool individual = parser.GetFields().kind == CNameAttribute::kIndividual;
    enabling.organizationField = !individual;
    enabling.individualFields = individual;
    enabling.list = enabling.finish = parser.IsReviewing();
    enabling.update = parser.IsReviewing() && parser.GetSelected() >= 0;
    return enabling;
}

CParsingApplicantNamesDialog::CParsingApplicantNamesDialog(const StringList& names, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ParsingApplicantNamesDialog>()), parser_(names)
{
    ui_->setupUi(this);
    // Only the user's clicks change the kind: ShowState sets the buttons
    // without splitting the name again.
    connect(ui_->individual, &QRadioButton::clicked, this, [this] { ChooseKind(true); });
    connect(ui_->organization, &QRadioButton::clicked, this, [this] { ChooseKind(false); });
    connect(ui_->add, &QPushButton::clicked, this, &CParsingApplicantNamesDialog::AddName);
    connect(ui_->update, &QPushButton::clicked, this, &CParsingApplicantNamesDialog::UpdateName);
    connect(ui_->nameList, &QListWidget::currentRowChanged, this, &CParsingApplicantNamesDialog::SelectRecord);
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
    ShowState();
    ui_->organizationName->setFocus();
}

CParsingApplicantNamesDialog::~CParsingApplicantNamesDialog() = default;

void CParsingApplicantNamesDialog::ReadFields()
{
    CApplicantNameParser::Fields& fields = parser_.GetFields();
    fields.organizationName = FromQt(ui_->organizationName->text());
    fields.lastName = FromQt(ui_->lastName->text());
    fields.firstName = FromQt(ui_->firstName->text());
    fields.middleInitial = FromQt(ui_->middleInitial->text());
    fields.suffix = FromQt(ui_->suffix->text());
}

void CParsingApplicantNamesDialog::ShowState()
{
    const CApplicantNameParser::Fields& fields = parser_.GetFields();
    const bool individual = fields.kind == CNameAttribute::kIndividual;
    ui_->importedName->setText(ToQt(parser_.GetImportedName()));
    ui_->individual->setChecked(individual);
    ui_->organization->setChecked(!individual);
    ui_->organizationName->setText(ToQt(fields.organizationName));
    ui_->lastName->setText(ToQt(fields.lastName));
    ui_->firstName->setText(ToQt(fields.firstName));
    ui_->middleInitial->setText(ToQt(fields.middleInitial));
    ui_->suffix->setText(ToQt(fields.suffix));

    {
        const QSignalBlocker quiet(ui_->nameList);
        const StringList entries = parser_.GetListEntries();
        for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
            if (row < ui_->nameList->count())
                ui_->nameList->item(row)->setText(ToQt(entries[row]));
            else
                ui_->nameList->addItem(ToQt(entries[row]));
        }
        ui_->nameList->setCurrentRow(parser_.GetSelected());
    }

    const CApplicantNamesEnabling enabling = CApplicantNamesEnabling::Of(parser_);
    ui_->organizationName->setEnabled(enabling.organizationField);
    for (QLineEdit* edit : {ui_->lastName, ui_->firstName, ui_->middleInitial, ui_->suffix})
        edit->setEnabled(enabling.individualFields);
    ui_->nameList->setEnabled(enabling.list);
    ui_->update->setEnabled(enabling.update);
    ui_->finish->setEnabled(enabling.finish);
}

void CParsingApplicantNamesDialog::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quillion"), ToQt(text), QMessageBox::Ok, this);
    box.exec();
}

void CParsingApplicantNamesDialog::ChooseKind(bool individual)
{
    ReadFields();
    if (individual)
        parser_.ChooseIndividual();
    else
        parser_.ChooseOrganization();
    ShowState();
}

void CParsingApplicantNamesDialog::AddName()
{
    ReadFields();
    const CApplicantNameParser::AddResult result = parser_.Add();
    if (result.added) ShowState();
    if (!result.message.empty()) ShowMessage(result.message);
    // Ready for the next name, or for the shown record's fields.
    if (ui_->organizationName->isEnabled())
        ui_->organizationName->setFocus();
    else
        ui_->lastName->setFocus();
}

void CParsingApplicantNamesDialog::UpdateName()
{
    ReadFields();
    if (parser_.Update()) ShowState();
}

void CParsingApplicantNamesDialog::SelectRecord(int row)
{
    if (parser_.Select(row)) ShowState();
}

}  // namespace qln
