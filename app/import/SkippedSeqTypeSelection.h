// "Skipped Sequence Type Selection": the type of a sequence that a listing
// marks as skipped and gives no type for.
#pragma once

#include <QDialog>
#include <string>

class QButtonGroup;

namespace qln {

class CSkippedSeqTypeSelection : public QDialog {
    Q_OBJECT
public:
    explicit CSkippedSeqTypeSelection(const std::string& prompt, QWidget* parent = nullptr);
    // 0 DNA, 1 RNA, 2 DNA/RNA, 3 Protein 1 (CImportChoices::TypeIndex).
    int TypeIndex() const;

private:
    QButtonGroup* types_ = nullptr;
};

}  // namespace qln
