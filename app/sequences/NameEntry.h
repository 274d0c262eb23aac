// The check behind OK of the dialogs that ask for a new sequence name.
#pragma once

#include <QString>

#include "model/Model.h"
#include "model/Sequence.h"

class QLineEdit;
class QWidget;

namespace qln {

// True when the field holds a name no sequence of the list has. Otherwise
// tells the user why ("Sequence Name can not be blank." or takenMessage),
// puts the focus back in the field and returns false.
bool AcceptNameEntry(QWidget* dialog, QLineEdit* field, const CArray<Ptr<CSequence>>& sequences,
                     const QString& takenMessage);

// The field's name without its leading white space.
std::string EnteredName(const QLineEdit* field);

}  // namespace qln
