#pragma once

#include <QDialog>
#include <string>

#include "model/Model.h"
#include "model/Sequence.h"

class QLineEdit;
class QRadioButton;

namespace qln {

// "Add a Sequence": a new, unique name and one of four types.
class CAddSequenceDialog : public QDialog {
    Q_OBJECT
public:
    CAddSequenceDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent = nullptr);
    std::string Name() const;  // leading blanks removed
    int TypeIndex() const;     // 0 DNA, 1 RNA, 2 DNA/RNA, 3 protein (one-letter)
    void accept() override;    // refuses a blank or taken name

private:
    const CArray<Ptr<CSequence>>& sequences_;
    QLineEdit* name_ = nullptr;
    QRadioButton* types_[4] = {};
};

}  // namespace qln
