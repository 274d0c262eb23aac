#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace qln {

// "Duplicate Sequence Name": asks for another name for a sequence whose name
// is taken. Its cancel button carries the caller's caption ("&Stop import",
// "Stop Restoring").
class CRenameSeqDialog : public QDialog {
    Q_OBJECT
public:
    CRenameSeqDialog(const std::string& conflictingName, const QString& cancelCaption, QWidget* parent = nullptr);
    std::string NewName() const;  // leading blanks removed, never empty after OK
    void accept() override;

private:
    QLineEdit* name_ = nullptr;
};

}  // namespace qln
