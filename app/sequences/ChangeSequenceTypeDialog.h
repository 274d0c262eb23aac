#pragma once

#include <QDialog>

class QRadioButton;

namespace qln {

// "Change Sequence Type ": DNA, RNA or DNA/RNA.
class CChangeSequenceTypeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CChangeSequenceTypeDialog(QWidget* parent = nullptr);
    int TypeIndex() const;  // 0 DNA, 1 RNA, 2 DNA/RNA

private:
    QRadioButton* types_[3] = {};
};

}  // namespace qln
