#include "app/import/AppImportChoices.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>

#include "widgets/Latin1Text.h"
#include "app/import/ParsingApplicantNamesDialog.h"
#include "app/import/Qil21SequenceTypeDialog.h"
#include "app/sequences/RenameSeqDialog.h"
#include "app/import/SelectImportSeq.h"
#include "app/import/SequenceTypeSelectionDialog.h"
#include "app/import/SkippedSeqTypeSelection.h"

namespace qln {

CAppImportChoices::CAppImportChoices(CProject& project, QWidget* parent)
    : project_(project), parent_(parent), uiThread_(std::make_unique<QObject>())
{
    if (QCoreApplication* app = QCoreApplication::instance()) uiThread_->moveToThread(app->thread());
}

CAppImportChoices::~CAppImportChoices() = default;

template <class Ask>
auto CAppImportChoices::OnUiThread(Ask ask) -> decltype(ask())
{
    using Answer = decltype(ask());
    if (QThread::currentThread() == uiThread_->thread()) return ask();
    // The worker waits here until the dialog is answered; the dialog and
    // everything it touches stay on the user-interface thread.
    Answer answer{};
    if (!QMetaObject::invokeMethod(
            uiThread_.get(), [&answer, &ask] { answer = ask(); }, Qt::BlockingQueuedConnection))
        return Answer{};
    return answer;
}

QWidget* CAppImportChoices::DialogParent() const
{
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

std::optional<std::string> CAppImportChoices::ChooseSequenceFileType(const std::string& fileName)
{
    return OnUiThread([&]() -> std::optional<std::string> {
        CQil21SequenceTypeDialog dialog(fileName, DialogParent());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.TypeText();
    });
}

std::optional<std::vector<CNameAttribute>> CAppImportChoices::SplitApplicantNames(const StringList& names)
{
    return OnUiThread([&]() -> std::optional<std::vector<CNameAttribute>> {
        CParsingApplicantNamesDialog dialog(names, DialogParent());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Records();
    });
}

std::optional<int> CAppImportChoices::ChooseInvalidSequenceType(const std::string& message,
                                                                const std::string& sequenceLines)
{
    return OnUiThread([&]() -> std::optional<int> {
        CSequenceTypeSelectionDialog dialog(message, sequenceLines, DialogParent());
        dialog.exec();
        return dialog.TypeIndex();
    });
}

std::optional<int> CAppImportChoices::ChooseSkippedSequenceType(const std::string& prompt)
{
    return OnUiThread([&]() -> std::optional<int> {
        CSkippedSeqTypeSelection dialog(prompt, DialogParent());
        dialog.exec();
        return dialog.TypeIndex();
    });
}

std::optional<std::vector<int>> CAppImportChoices::SelectSequences(const StringList& entries)
{
    return OnUiThread([&]() -> std::optional<std::vector<int>> {
        CSelectImportSeq dialog(entries, DialogParent());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Selected();
    });
}

std::optional<std::string> CAppImportChoices::RenameDuplicate(const std::string& name)
{
    return OnUiThread([&]() -> std::optional<std::string> {
        CRenameSeqDialog dialog(name, QStringLiteral("&Stop import"), DialogParent());
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.NewName();
    });
}

}  // namespace qln
