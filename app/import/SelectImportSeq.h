// "Select Sequences to Import": which of several imported sequences go into
// the project. Each entry is the sequence's source file, " - " and its name
// (the name alone when it came from no file).
#pragma once

#include <QDialog>
#include <vector>

#include "model/Model.h"

class QListWidget;

namespace qln {

class CSelectImportSeq : public QDialog {
    Q_OBJECT
public:
    explicit CSelectImportSeq(const StringList& entries, QWidget* parent = nullptr);
    // The 0-based rows selected, in list order (empty when none is).
    std::vector<int> Selected() const;

private:
    QListWidget* sequences_ = nullptr;
};

}  // namespace qln
