// "Invalid Sequence Type Encountered": a listing sequence whose type is
// invalid or missing; the user reads its first lines and picks a type.
#pragma once

#include <QDialog>
#include <string>

class QButtonGroup;

namespace qln {

class CSequenceTypeSelectionDialog : public QDialog {
    Q_OBJECT
public:
    CSequenceTypeSelectionDialog(const std::string& message, const std::string& sequenceLines,
                                 QWidget* parent = nullptr);
    // 0 DNA, 1 RNA, 2 DNA/RNA, 3 Protein 1 (CImportChoices::TypeIndex).
    int TypeIndex() const;

private:
    QButtonGroup* types_ = nullptr;
};

}  // namespace qln
