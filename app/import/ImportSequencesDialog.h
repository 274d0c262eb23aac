// "Quillion: Import Sequence(s)": brings sequences into the open project
// from sequence text files or another project file, or makes a new project
// of a sequence listing this program generated.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "import/ImportDriver.h"

namespace Ui {
class ImportSequencesDialog;
}

namespace qln {

class CCQLNDoc;
class CErrorMsgDialog;
class CImportProgressDialog;

// What a source choice enables: its own path box with its Browse button,
// and whether the character filter can be changed and is on.
struct CImportSourceControls {
    bool fileBox = false;
    bool projectBox = false;
    bool listingBox = false;
    bool filterBox = false;
    bool filterOn = false;
    bool anyGeneratorBox = false;  // listings only; off until the user ticks it
};
// Files: the filter may be switched and starts on. Projects: off, their
// sequences come as they were saved. Listings: always on.
CImportSourceControls ControlsForSource(ImportSource source);

class CImportSequencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CImportSequencesDialog(CCQLNDoc& document, QWidget* parent = nullptr);
    ~CImportSequencesDialog() override;

    ImportSource Source() const;
    void SetSource(ImportSource source);
    bool IsFilterOn() const;
    // Listings written by other programs are read too.
    void SetAnyGenerator(bool accept);

    // The Import button: runs the flow of the chosen source.
    void Import();
    // The result text of the last import (also sent as StatusText).
    const QString& Result() const { return result_; }

    CImportProgressDialog& ProgressDialog() const { return *progress_; }
    CErrorMsgDialog& MessagesDialog() const { return *messages_; }

signals:
    // For the main window's status bar: progress of the adding and results.
    void StatusText(const QString& text);

protected:
    void reject() override;

private:
    struct Ending {
        QString result;
        bool closeScreen = false;
    };

    void ApplySource(ImportSource source);
    void SetRunning(bool running);
    QString InitialFolder() const;
    void RememberFolderOf(const QString& file);
    void OnBrowseFiles();
    void OnBrowseProject();
    void OnBrowseListing();

    Ending ImportFiles();
    Ending ImportListing();
    Ending ImportProject();
    // Runs the driver's reading behind the progress dialog, serving this
    // thread's events (and the importers' questions) until it is done.
    void ReadOnWorker(CImportDriver& driver, ImportSource source, StringList inputs, bool filter);
    void ShowNotices(const CImportOutcome& outcome);
    void ViewParseLog(const std::string& path);

    CCQLNDoc& document_;
    std::unique_ptr<Ui::ImportSequencesDialog> ui_;
    CImportProgressDialog* progress_ = nullptr;
    CErrorMsgDialog* messages_ = nullptr;
    QString result_;
    bool running_ = false;
};

}  // namespace qln
