// The flows of the import screen without the screen: the input list, the
// checks before reading, running a sequence file importer or the listing
// parser (here or on a worker thread of its own), adding the imported
// sequences to the project with name clashes resolved, the result texts and
// the parse log. Questions go to CImportChoices, progress to CImportProgress,
// status texts to CImportObserver; message boxes come back as notices.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "import/ImportChoices.h"
#include "model/Model.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {

enum class ImportSource { FromFile = 0, FromProject = 1, FromListing = 2 };

// Joins several sequence file paths in the file box.
inline constexpr const char* kInputSeparator = " + ";

// Result texts for the status bar.
inline constexpr const char* kImportSucceeded = "Import succeeded.";
inline constexpr const char* kFilteredImportSuccessful = "Filtered import successful.";
inline constexpr const char* kImportFailed = "Import failed.";
inline constexpr const char* kImportCancelled = "Import cancelled.";
inline constexpr const char* kListingImportSuccessful = "Import successful.";

// Messages of the checks before reading.
inline constexpr const char* kNoImportFile = "Please specify an import file.";
inline constexpr const char* kFileNotAvailable = "This file is not available.";
inline constexpr const char* kCannotOpenImportFile = "Unable to open the file.";
inline constexpr const char* kListingTooLong = "There is not enough memory to open this file.";

// Notices (message boxes) for failures that escape an importer.
inline constexpr const char* kImportOutOfMemory = "Insufficient memory to import the file.";
inline constexpr const char* kImportProblem =
    "The application has encountered a problem.  The sequence listing file will not be imported.";

// Texts of the screen and its progress dialog.
inline constexpr const char* kSequencesAnalyzedLabel = "Sequences Analyzed:";
inline constexpr const char* kImportingFromFile = "Importing from file: ";
inline constexpr const char* kListingToNewProject = "The sequence listing will be imported to a new Quillion project.";
inline constexpr const char* kPreparingSequenceList = "Preparing Sequence List...";
inline constexpr const char* kReadingProject = "Reading the project...";
inline constexpr const char* kAddingSequences = "Adding sequences...";

inline constexpr const char* kParseLogSuffix = "_ParseFileErrorLog.txt";

// Where the adding of sequences reports to the screen and the document.
class CImportObserver {
public:
    virtual ~CImportObserver() = default;
    // "Preparing Sequence List...", "Sequences Added: %d", "Reading the
    // project...", "Adding sequences..." and the project loader's texts.
    virtual void SetStatusText(const std::string& text) { (void)text; }
    // A sequence went into the project: the document is modified.
    virtual void SequenceAdded(CSequence& sequence) { (void)sequence; }
    // The adding is over and added something: the views show the project.
    virtual void SequencesAdded() {}
};

struct CAddOutcome {
    int added = 0;
    // The selection was cancelled or a rename was stopped; sequences added
    // before a stop stay in the project.
    bool cancelled = false;
    bool Succeeded() const { return !cancelled && added > 0; }
};

struct CImportOutcome {
    // One of the result texts above.
    std::string result;
    // For the "Validation Errors" dialog: every message of the reading.
    StringList messages;
    // Message boxes, in order.
    StringList notices;
    int added = 0;
    // True when the screen closes after this import.
    bool closeScreen = false;
    // The parse log written for a listing with messages, with its full path.
    std::string parseLogPath;
};

class CListingSource;

class CImportDriver {
public:
    // progress and observer may be null.
    CImportDriver(CProject& project, CImportChoices& choices, CImportProgress* progress = nullptr,
                  CImportObserver* observer = nullptr);
    ~CImportDriver();
    CImportDriver(const CImportDriver&) = delete;
    CImportDriver& operator=(const CImportDriver&) = delete;

    // ---- the input list ----
    // The file box text, trimmed, split at every " + "; the text after the
    // last separator counts only when it is not empty.
    static StringList SplitInputList(const std::string& fileBox);
    static std::string JoinInputList(const StringList& paths);
    // The listing path, trimmed, as the only entry; none when it is empty.
    static StringList ListingInputList(const std::string& listingPath);
    // The file name without its folder ("/" or "\").
    static std::string FileNameOf(const std::string& path);

    // ---- reading (may run on a worker thread) ----
    // Reads the inputs of a sequence file or listing import into the
    // imported sequences and the messages. The listing filter is always on.
    void Read(ImportSource source, const StringList& inputs, bool filter);
    // Read on a worker thread of its own; the caller polls IsReadingDone
    // (pumping its own events meanwhile) or waits.
    void StartReading(ImportSource source, StringList inputs, bool filter);
    bool IsReadingDone() const { return done_.load(); }
    void WaitForReading();
    // From any thread: the importer stops after its current sequence with
    // "Import canceled by user.". Cleared when a reading starts.
    void RequestStop() { stopRequested_.store(true); }
    bool IsStopRequested() const;

    CArray<Ptr<CSequence>>& GetImported() { return imported_; }
    const StringList& GetMessages() const { return messages_; }

    // ---- adding (the caller's thread) ----
    // Several sequences go through SelectSequences first (entries: source
    // reference + " - " + name, or the name alone). Each is attached to the
    // project and renamed through RenameDuplicate while its name is taken.
    CAddOutcome AddSequences(CArray<Ptr<CSequence>>& sequences);

    // ---- results of a reading ----
    CImportOutcome FinishFiles(bool filter);
    // projectPath names the parse log; empty for a project without a path.
    CImportOutcome FinishListing(const std::string& projectPath);

    // ---- whole flows, on the caller's thread ----
    CImportOutcome ImportFiles(const StringList& paths, bool filter);
    CImportOutcome ImportListing(const std::string& listingPath, const std::string& projectPath);
    // Listings that other programs wrote are read too (off by default).
    void SetAnyGenerator(bool on) { anyGenerator_ = on; }
    // Reads another project file and adds its sequences.
    CImportOutcome ImportProject(const std::string& projectFilePath);

    // ---- parse log ----
    // The project path without its file name's extension + the suffix; the
    // bare file name when the project has no path.
    static std::string ParseLogPath(const std::string& projectPath);
    // Creates (truncates) the file and writes one message a line. False when
    // the file can't be written.
    static bool WriteParseLog(const std::string& path, const StringList& messages);
    static std::string ParseLogWrittenText(const std::string& fullPath);
    static std::string ParseLogNotWrittenText(const std::string& path);
    static std::string ParseLogNotViewableText(const std::string& path);

private:
    class StopRelay;

    void Reset();
    void ReadInputs(ImportSource source, const StringList& inputs, bool filter);
    void ReadFiles(const StringList& inputs, bool filter);
    void ReadListing(const StringList& inputs);
    void RunListingParser(CListingSource& source, size_t size, const std::string& path);
    void JoinWorker();
    CImportOutcome MakeOutcome() const;

    CProject& project_;
    CImportChoices& choices_;
    CImportProgress* progress_;
    CImportObserver* observer_;
    std::unique_ptr<StopRelay> relay_;
    bool anyGenerator_ = false;

    CArray<Ptr<CSequence>> imported_;
    StringList messages_;
    StringList notices_;

    std::thread worker_;
    std::atomic<bool> done_{true};
    std::atomic<bool> stopRequested_{false};
};

}  // namespace qln
