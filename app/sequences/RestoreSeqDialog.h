#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QListWidget;

namespace qln {

class CProject;

// "Quillion: Sequence Recovery": brings deleted sequences back. Each chosen
// sequence goes back through the restore callback (the main view's restore:
// the project moves it back, the view lists and selects it).
class CRestoreSeqDialog : public QDialog {
    Q_OBJECT
public:
    using RestoreFunction = std::function<void(const std::string& deletedName)>;
    CRestoreSeqDialog(CProject& project, RestoreFunction restore, QWidget* parent = nullptr);

private:
    // Restores the selected sequences once every name is free; a stop on a
    // name conflict leaves the project as it was, names included.
    void Restore();
    void FillList();

    CProject& project_;
    RestoreFunction restore_;
    QListWidget* list_ = nullptr;
};

}  // namespace qln
