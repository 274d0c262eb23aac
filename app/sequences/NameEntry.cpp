#include "app/sequences/NameEntry.h"

#include <QLineEdit>
#include <QMessageBox>

#include "widgets/Latin1Text.h"
#include "app/sequences/SequenceNames.h"

namespace qln {

std::string EnteredName(const QLineEdit* field)
{
    return StripLeadingBlanks(FromQt(field->text()));
}

bool AcceptNameEntry(QWidget* dialog, QLineEdit* field, const CArray<Ptr<CSequence>>& sequences,
                     const QString& takenMessage)
{
    const NameCheck check = CheckNewName(EnteredName(field), sequences);
    if (check == NameCheck::Free) return true;
    QMessageBox::critical(dialog, QStringLiteral("Quillion"),
                          check == NameCheck::Blank ? QStringLiteral("Sequence Name can not be blank.") : takenMessage);
    field->setFocus();
    return false;
}

}  // namespace qln
