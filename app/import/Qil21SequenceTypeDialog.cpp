#include "app/import/Qil21SequenceTypeDialog.h"

#include <QButtonGroup>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "widgets/WindowTitle.h"
#include "ui_Qil21SequenceTypeDialog.h"

namespace qln {

CQil21SequenceTypeDialog::CQil21SequenceTypeDialog(const std::string& fileName, QWidget* parent)
    : QDialog(parent), types_(new QButtonGroup(this))
{
    Ui::Qil21SequenceTypeDialog ui;
    ui.setupUi(this);
    KeepTitleVisible(this);
    types_->addButton(ui.dna, 0);
    types_->addButton(ui.rna, 1);
    types_->addButton(ui.dnaRna, 2);
    types_->addButton(ui.protein1, 3);
    types_->addButton(ui.protein3, 4);
    ui.types->setTitle(ToQt(fileName));
    ui.ok->setFocus();
    InstallHelpKey(this, QStringLiteral("ImportHelp.md"));
}

const char* CQil21SequenceTypeDialog::TypeText(int index)
{
    static const char* const kTypes[] = {"DNA", "RNA", "DNA/RNA", "PROTEIN/1", "PROTEIN/3"};
    return index >= 0 && index < 5 ? kTypes[index] : kTypes[0];
}

std::string CQil21SequenceTypeDialog::TypeText() const
{
    return TypeText(types_->checkedId());
}

}  // namespace qln
