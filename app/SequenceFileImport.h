// The Import button until the import screen exists: sequence text files
// picked in a file dialog go into the open project, the user answering the
// type of a file without headers and the new name of a clashing sequence.
#pragma once

#include <QStringList>

class QWidget;

namespace qln {

class CCQLNDoc;
class CErrorMsgDialog;

class CSequenceFileImport {
public:
    CSequenceFileImport(CCQLNDoc& document, CErrorMsgDialog& messages, QWidget* parent);
    // Asks for the files, then imports them. Returns the status-bar result
    // text, or an empty text when the user picked nothing.
    QString Run();
    QString Import(const QStringList& paths);

private:
    CCQLNDoc& document_;
    CErrorMsgDialog& messages_;
    QWidget* parent_;
};

}  // namespace qln
