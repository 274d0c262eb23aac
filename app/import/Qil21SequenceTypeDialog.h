// "Sequence Type Selection": the type of a sequence file that has no
// headers, asked before its text is read as one sequence.
#pragma once

#include <QDialog>
#include <string>

class QButtonGroup;

namespace qln {

class CQil21SequenceTypeDialog : public QDialog {
    Q_OBJECT
public:
    // fileName: shown over the choices, so that the user knows which file of
    // several is meant.
    explicit CQil21SequenceTypeDialog(const std::string& fileName, QWidget* parent = nullptr);
    // "DNA", "RNA", "DNA/RNA", "PROTEIN/1" or "PROTEIN/3".
    std::string TypeText() const;
    // The type text of a button, 0 to 4 in their order; DNA for any other.
    static const char* TypeText(int index);

private:
    QButtonGroup* types_ = nullptr;
};

}  // namespace qln
