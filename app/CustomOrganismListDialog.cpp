#include "app/CustomOrganismListDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qln {

namespace {

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    return text.mid(i);
}

}  // namespace

CCustomOrganismListDialog::CCustomOrganismListDialog(const QStringList& names, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Quillion: Custom Organisms"));
    auto* layout = new QVBoxLayout(this);
    auto* nameLabel = new QLabel(tr("Please enter a custom organism name:"), this);
    name_ = new QLineEdit(this);
    nameLabel->setBuddy(name_);
    auto* insert = new QPushButton(tr("&Insert"), this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(insert);
    auto* listLabel = new QLabel(tr("Custom organism list:"), this);
    list_ = new QListWidget(this);
    list_->addItems(names);
    listLabel->setBuddy(list_);
    applyToAll_ = new QCheckBox(tr("&Apply to all Sequences in the Project"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(nameLabel);
    layout->addLayout(nameRow);
    layout->addWidget(listLabel);
    layout->addWidget(list_);
    layout->addWidget(applyToAll_);
    layout->addWidget(buttons);
    connect(insert, &QPushButton::clicked, this, &CCustomOrganismListDialog::Insert);
    connect(list_, &QListWidget::currentTextChanged, name_, &QLineEdit::setText);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(400, 380);
}

void CCustomOrganismListDialog::Insert()
{
    const QString name = Organism();
    if (!name.isEmpty() && list_->findItems(name, Qt::MatchExactly).isEmpty()) list_->addItem(name);
    name_->setFocus();
}

QString CCustomOrganismListDialog::Organism() const { return WithoutLeadingBlanks(name_->text()); }

QStringList CCustomOrganismListDialog::Names() const
{
    QStringList names;
    for (int i = 0; i < list_->count(); ++i) names.append(list_->item(i)->text());
    const QString typed = Organism();
    if (!typed.isEmpty() && !names.contains(typed)) names.append(typed);
    return names;
}

bool CCustomOrganismListDialog::ApplyToAll() const { return applyToAll_->isChecked(); }

}  // namespace qln
