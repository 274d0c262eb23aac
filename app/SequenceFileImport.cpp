#include "app/SequenceFileImport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "app/ErrorMsgDialog.h"
#include "app/Latin1Text.h"
#include "app/QLNDoc.h"
#include "app/RenameSeqDialog.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"

namespace qln {

namespace {

// Asks what the defaults would otherwise decide silently: the type of a file
// without headers and the new name of a clashing sequence. All read
// sequences are taken.
class CAskingChoices : public CDefaultImportChoices {
public:
    CAskingChoices(const CProject* project, QWidget* parent) : CDefaultImportChoices(project), parent_(parent) {}

    std::optional<std::string> ChooseSequenceFileType(const std::string& fileName) override
    {
        static const QStringList types = {"DNA", "RNA", "DNA/RNA", "PROTEIN/1", "PROTEIN/3"};
        bool ok = false;
        const QString type = QInputDialog::getItem(
            parent_, QStringLiteral("Quillion: Sequence Type"),
            QStringLiteral("Sequence type of %1:").arg(ToQt(CImportDriver::FileNameOf(fileName))), types, 0,
            false, &ok);
        if (!ok) return std::nullopt;
        return FromQt(type);
    }

    std::optional<std::string> RenameDuplicate(const std::string& name) override
    {
        CRenameSeqDialog dialog(name, QStringLiteral("&Stop import"), parent_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.NewName();
    }

private:
    QWidget* parent_;
};

// Reports each added sequence to the document.
class CDocumentObserver : public CImportObserver {
public:
    explicit CDocumentObserver(CCQLNDoc& document) : document_(document) {}
    void SequenceAdded(CSequence&) override { document_.SetModified(true); }

private:
    CCQLNDoc& document_;
};

}  // namespace

CSequenceFileImport::CSequenceFileImport(CCQLNDoc& document, CErrorMsgDialog& messages, QWidget* parent)
    : document_(document), messages_(messages), parent_(parent)
{
}

QString CSequenceFileImport::Run()
{
    CProject& project = document_.Project();
    QString folder = FromCorePath(project.GetLastImportFolder());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QFileInfo(document_.Path()).absolutePath();
    const QStringList paths = QFileDialog::getOpenFileNames(
        parent_, QStringLiteral("Import Sequence(s)"), folder,
        QStringLiteral("Text Files (*.txt);;All Files (*)"));
    if (paths.isEmpty()) return {};
    project.SetLastImportFolder(ToCorePath(QFileInfo(paths.front()).absolutePath()));
    return Import(paths);
}

QString CSequenceFileImport::Import(const QStringList& paths)
{
    CProject& project = document_.Project();
    CAskingChoices choices(&project, parent_);
    CDocumentObserver observer(document_);
    CImportDriver driver(project, choices, nullptr, &observer);
    StringList inputs;
    for (const QString& path : paths) inputs.push_back(ToCorePath(path));
    const CImportOutcome outcome = driver.ImportFiles(inputs, true);
    for (const std::string& notice : outcome.notices)
        QMessageBox::warning(parent_, QStringLiteral("Quillion"), ToQt(notice));
    if (!outcome.messages.empty()) messages_.ShowMessages(outcome.messages);
    return ToQt(outcome.result);
}

}  // namespace qln
