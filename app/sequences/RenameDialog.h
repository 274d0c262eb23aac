#pragma once

#include <QDialog>
#include <string>

#include "model/Model.h"
#include "model/Sequence.h"

class QLineEdit;

namespace qln {

// "Quillion: Enter new sequence name".
class RenameDialog : public QDialog {
    Q_OBJECT
public:
    RenameDialog(const CArray<Ptr<CSequence>>& sequences, QWidget* parent = nullptr);
    std::string NewName() const;
    void accept() override;  // refuses a blank name or one any sequence has

private:
    const CArray<Ptr<CSequence>>& sequences_;
    QLineEdit* name_ = nullptr;
};

}  // namespace qln
