// One generation of a sequence listing: the project checks, then, when they
// found no error, the listing. Every message goes to the observer and to the
// error report as it is made; the run can pause after each message, be
// resumed and be cancelled from another thread.
#pragma once

#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "generator/GenerationObserver.h"
#include "generator/OutputNames.h"
#include "model/FileReplacement.h"
#include "model/Project.h"

namespace qln {

inline constexpr const char* kSaveBeforeGenerating = "Please save the project before generating.";
inline constexpr const char* kCancelledByUser = "Generation cancelled by user.";
inline constexpr const char* kGenerationCanceledStatus = "Generation canceled.";
inline constexpr const char* kErrorReportOpenFailed = "I/O error opening error log file.";
inline constexpr const char* kErrorReportWriteFailed = "I/O error opening output file.";
inline constexpr const char* kListingOpenFailed =
    "I/O error opening Sequence Listing file. It may already be open in a viewer. \n"
    "To correct the problem close the file and press OK. \n"
    "Then cancel the generation and restart it.";
inline constexpr const char* kListingWriteFailed = "I/O error writing Sequence Listing file.";
inline constexpr const char* kGenerationOutOfMemory = "Insufficient memory to generate sequence listing.";
inline constexpr const char* kShortSequencesWarning =
    "Warning: Your sequences have been successfully generated.  Some sequences however have been detected that "
    "were shorter than the required length specified in 37 CFR 1.821(a).  For specific sequence names, see the %s "
    "file.";
inline constexpr const char* kWarningsFound = "Warnings were found while generating sequence listing.";

enum class GenerationOutcome {
    Succeeded,         // the listing is complete
    ValidationFailed,  // the checks found errors: error report, no listing
    Cancelled,         // stopped by SetCancel; a listing begun stays as written
    Failed,            // a file could not be written, memory ran out, or another error
    NotSaved,          // the project has no file path; nothing was done
};

// How a generation ended.
struct CGenerationResult {
    GenerationOutcome outcome = GenerationOutcome::Failed;
    // A residue file could not be read or written; the application quits.
    bool residueFileFailed = false;
};

// The text of the box shown after a listing with only short-sequence
// warnings: the 37 CFR text naming the error report, or the plain one when
// there is no error report path.
std::string ShortSequencesWarningText(const std::string& errorReportPath);

class CGenerationRun {
public:
    // The project must not change while the run is active. A null observer
    // is allowed.
    CGenerationRun(CProject& project, const std::string& projectPath, CGenerationObserver* observer = nullptr);
    // Cancels and waits for a worker still running.
    ~CGenerationRun();
    CGenerationRun(const CGenerationRun&) = delete;
    CGenerationRun& operator=(const CGenerationRun&) = delete;

    // The whole run on the calling thread. Notifications:
    // 1033 (sequences), 1027 per checked sequence, then either 1029 (errors
    // found, or any failure) or 1025, 1026 (sequences), 1027 per written
    // sequence and 1028. A run cancelled while writing ends without 1028 or
    // 1029. An unsaved project gets only the message box.
    CGenerationResult Run();

    // Clears the cancel flag and runs Run on a worker thread.
    void Start();
    // Waits for the worker started by Start and returns its result.
    CGenerationResult Join();

    // Pause switch: with it on, the run waits after each message until
    // Resume is called (or the run is cancelled).
    void SetPause(bool pause);
    void Resume();
    // Blocks until the run waits after a message or is not running; true
    // when it waits.
    bool WaitUntilPaused();

    // Setting the flag makes the run stop at its next check; the run then
    // adds kCancelledByUser to its messages (on its own thread) and wakes
    // from a pause. Any thread.
    void SetCancel(bool cancel);
    bool IsCancelled() const;

    // The run's messages in order, and its counts. Any thread.
    StringList GetMessages() const;
    int GetWarningCount() const;
    int GetNoDataCount() const;
    // Entries of the last complete listing (0 when none was completed).
    int GetEntryCount() const;
    const COutputNames& GetOutputNames() const { return names_; }
    // After the run: the error report could not be opened or written, so
    // it is missing or incomplete.
    bool ErrorReportFailed() const { return errorReportFailed_; }

private:
    class CSink;
    friend class CSink;

    GenerationOutcome Generate();
    GenerationOutcome WriteListing();
    bool OpenListing();
    void KeepPartialListing();
    void DiscardListing();

    void AddMessage(const std::string& text);
    void AddWarning(const std::string& text, bool noData);
    // The run's own cancel check: delivers the cancel message once.
    bool PollCancel();
    void CancelCleanup();
    void WriteToErrorReport(const std::string& text);
    bool RewriteErrorReport();

    void Notify(int code, int value = 0);
    void ShowMessageBox(const std::string& text, CGenerationObserver::Icon icon);
    void ReleaseAllResidues();
    void ReleaseAllResiduesQuietly();

    CProject& project_;
    const COutputNames names_;
    CGenerationObserver* observer_;

    std::thread worker_;
    CGenerationResult workerResult_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    // Guarded by mutex_.
    bool cancel_ = false;
    bool cancelMessagePending_ = false;
    bool pause_ = false;
    bool resumePending_ = false;
    bool paused_ = false;
    bool running_ = false;
    StringList messages_;
    int warningCount_ = 0;
    int noDataCount_ = 0;
    int entryCount_ = 0;

    // Used by the running thread only.
    bool cancelSeen_ = false;
    bool errorReportFailed_ = false;
    std::ofstream errorReport_;
    // The listing's temporary file beside its final name, while it is written.
    // Declared before the stream, which is closed before the file is renamed
    // or removed.
    std::optional<CFileReplacement> listingFile_;
    // Entries are small; a large stream buffer keeps the system calls few.
    // Declared before the stream, which flushes into it when destroyed.
    std::unique_ptr<char[]> listingBuffer_;
    std::ofstream listing_;
};

}  // namespace qln
