#include "app/sequences/RestoreSeqDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "widgets/Help.h"
#include "widgets/Latin1Text.h"
#include "app/sequences/RenameSeqDialog.h"
#include "app/sequences/SequenceNames.h"
#include "model/Project.h"
#include "ui_RestoreSeqDialog.h"

namespace qln {

namespace {

const QString kHelpPage = QStringLiteral("RestoreHelp.md");

// The project restores the first deleted sequence of a name; two deleted
// sequences may share one, so the chosen one is put in front first.
void MoveToFront(CArray<Ptr<CSequence>>& deleted, CSequence* sequence)
{
    for (int i = 1; i < deleted.GetSize(); ++i) {
        if (deleted[i].get() != sequence) continue;
        Ptr<CSequence> keep = deleted[i];
        deleted.RemoveAt(i);
        deleted.InsertAt(0, keep);
        return;
    }
}

}  // namespace

CRestoreSeqDialog::CRestoreSeqDialog(CProject& project, RestoreFunction restore, QWidget* parent)
    : QDialog(parent), project_(project), restore_(std::move(restore))
{
    Ui::RestoreSeqDialog ui;
    ui.setupUi(this);
    list_ = ui.deleted;
    if (!restore_) restore_ = [this](const std::string& name) { project_.Restore(name); };
    connect(ui.restore, &QPushButton::clicked, this, &CRestoreSeqDialog::Restore);
    connect(ui.help, &QPushButton::clicked, this, [this] { CHelp::ShowPage(this, kHelpPage); });
    InstallHelpKey(this, kHelpPage);
    FillList();
    list_->setFocus();
}

void CRestoreSeqDialog::FillList()
{
    list_->clear();
    for (const auto& sequence : project_.GetDeletedSequences()) list_->addItem(ToQt(sequence->GetName()));
    if (list_->count() > 0) list_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CRestoreSeqDialog::Restore()
{
    std::vector<int> rows;
    for (const QListWidgetItem* item : list_->selectedItems()) rows.push_back(list_->row(item));
    if (rows.empty()) return;
    // From the last selected line up to the first.
    std::sort(rows.rbegin(), rows.rend());

    CArray<Ptr<CSequence>>& deleted = project_.GetDeletedSequences();
    std::vector<Ptr<CSequence>> chosen;
    std::vector<std::string> names;
    for (int row : rows) {
        chosen.push_back(deleted[row]);
        names.push_back(deleted[row]->GetName());
    }
    const auto planned = PlanRestoreNames(
        names, [this](const std::string& name) { return project_.Find(name) != nullptr; },
        [this](const std::string& taken) -> std::optional<std::string> {
            CRenameSeqDialog ask(taken, QStringLiteral("Stop Restoring"), this);
            if (ask.exec() != QDialog::Accepted) return std::nullopt;
            return ask.NewName();
        });
    if (!planned) return;

    for (size_t i = 0; i < chosen.size(); ++i) {
        CSequence* sequence = chosen[i].get();
        sequence->SetName((*planned)[i]);
        MoveToFront(deleted, sequence);
        restore_((*planned)[i]);
        FillList();
    }
}

}  // namespace qln
