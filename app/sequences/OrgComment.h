#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QPlainTextEdit;

namespace qln {

// "Comment for Artificial Sequence/Unknown Organism". exec() tells whether it
// was cancelled.
class COrgComment : public QDialog {
    Q_OBJECT
public:
    explicit COrgComment(const std::string& comment, QWidget* parent = nullptr);
    std::string Comment() const;
    bool ApplyToAll() const;  // "&Apply to All Unknown/Artificial Organisms"

private:
    QPlainTextEdit* comment_ = nullptr;
    QCheckBox* applyToAll_ = nullptr;
};

}  // namespace qln
