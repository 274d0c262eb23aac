// The questions of an import answered by the user in the program's dialogs.
// The importers ask from their worker thread: each question is carried to
// the user-interface thread, shown there modally, and the worker waits for
// the answer. Asked on the user-interface thread, the dialog opens directly.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "import/ImportChoices.h"
#include "model/Project.h"

class QObject;

namespace qln {

class CAppImportChoices : public CImportChoices {
public:
    // parent: the window the dialogs open over (the import screen). Make it
    // on the user-interface thread. While a worker reads, that thread must
    // keep handling events (the import screen's waiting loop does): a
    // question from the worker is answered by its event loop.
    CAppImportChoices(CProject& project, QWidget* parent);
    ~CAppImportChoices() override;
    CAppImportChoices(const CAppImportChoices&) = delete;
    CAppImportChoices& operator=(const CAppImportChoices&) = delete;

    CProject& Project() const { return project_; }

    // CQil21SequenceTypeDialog; Cancel gives nothing.
    std::optional<std::string> ChooseSequenceFileType(const std::string& fileName) override;
    // CParsingApplicantNamesDialog; Finish gives the records, Cancel nothing.
    std::optional<std::vector<CNameAttribute>> SplitApplicantNames(const StringList& names) override;
    // CSequenceTypeSelectionDialog. It has no Cancel: closing it answers the
    // type shown.
    std::optional<int> ChooseInvalidSequenceType(const std::string& message, const std::string& sequenceLines) override;
    // CSkippedSeqTypeSelection, closed the same way.
    std::optional<int> ChooseSkippedSequenceType(const std::string& prompt) override;
    // CSelectImportSeq; Cancel gives nothing.
    std::optional<std::vector<int>> SelectSequences(const StringList& entries) override;
    // CRenameSeqDialog with "&Stop import"; Stop gives nothing.
    std::optional<std::string> RenameDuplicate(const std::string& name) override;

private:
    // Runs ask on the user-interface thread and returns its answer; nothing
    // when that thread can no longer be reached.
    template <class Ask>
    auto OnUiThread(Ask ask) -> decltype(ask());
    QWidget* DialogParent() const;

    CProject& project_;
    QPointer<QWidget> parent_;
    // Lives on the user-interface thread: questions from a worker are queued
    // to it.
    std::unique_ptr<QObject> uiThread_;
};

}  // namespace qln
