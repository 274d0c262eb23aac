#include "import/ImportDriver.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ios>
#include <memory>
#include <new>
#include <system_error>

#include "generator/OutputNames.h"
#include "import/ListingParser.h"
#include "import/ListingSource.h"
#include "import/ParserError.h"
#include "import/ProjectImport.h"
#include "import/SequenceFileImporter.h"
#include "model/AsciiText.h"

namespace qln {

namespace fs = std::filesystem;

namespace {

// Sends the project loader's status texts to the screen's observer.
class LoadRelay : public CProjectProgress {
public:
    explicit LoadRelay(CImportObserver* observer) : observer_(observer) {}
    void Command(int, int) override {}
    bool IsCancelled() override { return false; }
    void SetStatusText(const std::string& text) override {
        if (observer_) observer_->SetStatusText(text);
    }

private:
    CImportObserver* observer_;
};

}  // namespace

// What the importers see: the screen's progress, and a stop request either
// from the screen or from RequestStop.
class CImportDriver::StopRelay : public CImportProgress {
public:
    StopRelay(CImportProgress* inner, const std::atomic<bool>& stop) : inner_(inner), stop_(stop) {}
    void Command(int code, int value) override {
        if (inner_) inner_->Command(code, value);
    }
    void SetTitle(const std::string& title) override {
        if (inner_) inner_->SetTitle(title);
    }
    bool IsStopRequested() override { return stop_.load() || (inner_ && inner_->IsStopRequested()); }

private:
    CImportProgress* inner_;
    const std::atomic<bool>& stop_;
};

CImportDriver::CImportDriver(CProject& project, CImportChoices& choices, CImportProgress* progress,
                             CImportObserver* observer)
    : project_(project),
      choices_(choices),
      progress_(progress),
      observer_(observer),
      relay_(std::make_unique<StopRelay>(progress, stopRequested_)) {}

CImportDriver::~CImportDriver() { JoinWorker(); }

// ---- the input list ----

StringList CImportDriver::SplitInputList(const std::string& fileBox) {
    const std::string text(TrimmedView(fileBox));
    const std::string separator = kInputSeparator;
    StringList paths;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        paths.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    if (start < text.size()) paths.push_back(text.substr(start));
    return paths;
}

std::string CImportDriver::JoinInputList(const StringList& paths) {
    std::string text;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (i) text += kInputSeparator;
        text += paths[i];
    }
    return text;
}

StringList CImportDriver::ListingInputList(const std::string& listingPath) {
    std::string path(TrimmedView(listingPath));
    if (path.empty()) return {};
    return {std::move(path)};
}

std::string CImportDriver::FileNameOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// ---- reading ----

bool CImportDriver::IsStopRequested() const { return relay_->IsStopRequested(); }

void CImportDriver::Read(ImportSource source, const StringList& inputs, bool filter) {
    JoinWorker();
    Reset();
    ReadInputs(source, inputs, filter);
}

void CImportDriver::StartReading(ImportSource source, StringList inputs, bool filter) {
    JoinWorker();
    Reset();
    worker_ = std::thread([this, source, inputs = std::move(inputs), filter] { ReadInputs(source, inputs, filter); });
}

void CImportDriver::Reset() {
    done_.store(false);
    stopRequested_.store(false);
    imported_.RemoveAll();
    messages_.clear();
    notices_.clear();
}

void CImportDriver::ReadInputs(ImportSource source, const StringList& inputs, bool filter) {
    try {
        if (inputs.empty())
            messages_.push_back(kNoImportFile);
        else if (source == ImportSource::FromListing)
            ReadListing(inputs);
        else
            ReadFiles(inputs, filter);
    } catch (const CParserError&) {
        // Its message is in the list already.
    } catch (const std::bad_alloc&) {
        notices_.push_back(kImportOutOfMemory);
    } catch (const std::ios_base::failure& e) {
        notices_.push_back(e.what());
    } catch (...) {
        notices_.push_back(kImportProblem);
    }
    done_.store(true);
}

void CImportDriver::WaitForReading() { JoinWorker(); }

void CImportDriver::JoinWorker() {
    if (worker_.joinable()) worker_.join();
}

void CImportDriver::ReadFiles(const StringList& inputs, bool filter) {
    SequenceFileImporter importer(project_, choices_, relay_.get(), filter);
    const char* problem = nullptr;
    for (const std::string& path : inputs) {
        std::error_code ec;
        const bool regular = fs::is_regular_file(path, ec);
        const std::uintmax_t length = regular ? fs::file_size(path, ec) : 0;
        if (!regular || ec) {
            problem = kFileNotAvailable;
            break;
        }
        const std::string fileName = FileNameOf(path);
        relay_->SetTitle(kImportingFromFile + fileName);
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            problem = kCannotOpenImportFile;
            break;
        }
        if (!importer.ReadStream(in, fileName, length)) break;
    }
    messages_ = importer.GetMessages();
    if (problem) messages_.push_back(problem);
    // What the reading left out without failing is told, not counted as a
    // message: the sequences it read are still taken.
    const StringList& notes = importer.GetNotes();
    notices_.insert(notices_.end(), notes.begin(), notes.end());
    for (const Ptr<CSequence>& sequence : importer.GetSequences()) imported_.Add(sequence);
}

void CImportDriver::ReadListing(const StringList& inputs) {
    const std::string& path = inputs.front();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        messages_.push_back(std::generic_category().message(errno));
        return;
    }
    std::error_code ec;
    const std::uintmax_t length = fs::file_size(path, ec);
    if (ec) {
        messages_.push_back(ec.message());
        return;
    }
    if (length == 0) {
        messages_.push_back("The file '" + path + "' is empty.  There is nothing to be imported.");
        return;
    }
    if (length > SequenceFileImporter::kMaxFileLength) {
        messages_.push_back(kListingTooLong);
        return;
    }
    relay_->SetTitle(kImportingFromFile + FileNameOf(path));

    // The file passes through the parser a block at a time rather than
    // being held whole. A read error makes the import fail with its
    // message alone, whatever the parser found before it.
    CFileListingSource source(file.get(), length);
    RunListingParser(source, static_cast<size_t>(length), path);
    if (source.Failed()) {
        messages_ = {std::generic_category().message(EIO)};
        imported_.RemoveAll();
    }
}

// The one place that knows the listing parser's interface.
void CImportDriver::RunListingParser(CListingSource& source, size_t size, const std::string& path) {
    ListingParser parser(project_, choices_, relay_.get());
    parser.SetAnyGenerator(anyGenerator_);
    auto collect = [&] {
        messages_ = parser.GetMessages();
        for (const Ptr<CSequence>& sequence : parser.GetSequences()) imported_.Add(sequence);
    };
    try {
        parser.Parse(source, size, path);
    } catch (...) {
        collect();
        throw;
    }
    collect();
}

// ---- adding ----

CAddOutcome CImportDriver::AddSequences(CArray<Ptr<CSequence>>& sequences) {
    CAddOutcome outcome;
    if (sequences.GetSize() > 1) {
        if (observer_) observer_->SetStatusText(kPreparingSequenceList);
        StringList entries;
        entries.reserve(static_cast<size_t>(sequences.GetSize()));
        for (const Ptr<CSequence>& sequence : sequences) {
            const std::string& source = sequence->GetSourceReference();
            entries.push_back(source.empty() ? sequence->GetName() : source + " - " + sequence->GetName());
        }
        std::optional<std::vector<int>> chosen = choices_.SelectSequences(entries);
        if (!chosen) {
            outcome.cancelled = true;
            return outcome;
        }
        std::vector<bool> keep(static_cast<size_t>(sequences.GetSize()), false);
        for (int index : *chosen)
            if (index >= 0 && index < sequences.GetSize()) keep[static_cast<size_t>(index)] = true;
        CArray<Ptr<CSequence>> selected;
        for (int i = 0; i < sequences.GetSize(); ++i)
            if (keep[static_cast<size_t>(i)]) selected.Add(sequences[i]);
        sequences = std::move(selected);
    }

    for (const Ptr<CSequence>& sequence : sequences) {
        sequence->SetParent(&project_);
        sequence->SetProject(&project_);
        while (project_.Find(sequence->GetName())) {
            std::optional<std::string> name = choices_.RenameDuplicate(sequence->GetName());
            if (!name) {
                outcome.cancelled = true;
                break;
            }
            sequence->SetName(std::move(*name));
        }
        if (outcome.cancelled) break;
        project_.Add(sequence.get());
        ++outcome.added;
        if (observer_) {
            observer_->SequenceAdded(*sequence);
            observer_->SetStatusText("Sequences Added: " + std::to_string(outcome.added));
        }
    }
    if (observer_ && outcome.added > 0) observer_->SequencesAdded();
    return outcome;
}

// ---- results ----

CImportOutcome CImportDriver::MakeOutcome() const {
    CImportOutcome outcome;
    outcome.messages = messages_;
    outcome.notices = notices_;
    return outcome;
}

CImportOutcome CImportDriver::FinishFiles(bool filter) {
    JoinWorker();
    CImportOutcome outcome = MakeOutcome();
    if (!messages_.empty()) {
        // After messages only filtered sequences are kept, and with none
        // left the import simply failed.
        outcome.result = kImportFailed;
        if (filter && !imported_.IsEmpty()) {
            const CAddOutcome added = AddSequences(imported_);
            outcome.added = added.added;
            outcome.result = added.Succeeded() ? kFilteredImportSuccessful : kImportCancelled;
        }
        return outcome;
    }
    if (IsStopRequested()) {
        outcome.result = kImportCancelled;
        return outcome;
    }
    const CAddOutcome added = AddSequences(imported_);
    outcome.added = added.added;
    outcome.result = added.Succeeded() ? kImportSucceeded : kImportCancelled;
    outcome.closeScreen = true;
    return outcome;
}

CImportOutcome CImportDriver::FinishListing(const std::string& projectPath) {
    JoinWorker();
    CImportOutcome outcome = MakeOutcome();
    if (messages_.empty() && IsStopRequested()) {
        outcome.result = kImportCancelled;
        return outcome;
    }
    const CAddOutcome added = AddSequences(imported_);
    outcome.added = added.added;
    if (messages_.empty()) {
        outcome.result = added.Succeeded() ? kImportSucceeded : kImportCancelled;
        return outcome;
    }
    outcome.result = added.Succeeded() ? kListingImportSuccessful : kImportCancelled;
    const std::string logPath = ParseLogPath(projectPath);
    if (WriteParseLog(logPath, messages_)) {
        std::error_code ec;
        const fs::path full = fs::absolute(logPath, ec);
        outcome.parseLogPath = ec ? logPath : full.string();
        outcome.notices.push_back(ParseLogWrittenText(outcome.parseLogPath));
    } else {
        outcome.notices.push_back(ParseLogNotWrittenText(logPath));
    }
    return outcome;
}

// ---- whole flows ----

CImportOutcome CImportDriver::ImportFiles(const StringList& paths, bool filter) {
    Read(ImportSource::FromFile, paths, filter);
    return FinishFiles(filter);
}

CImportOutcome CImportDriver::ImportListing(const std::string& listingPath, const std::string& projectPath) {
    Read(ImportSource::FromListing, ListingInputList(listingPath), true);
    return FinishListing(projectPath);
}

CImportOutcome CImportDriver::ImportProject(const std::string& projectFilePath) {
    JoinWorker();
    Reset();
    done_.store(true);
    CImportOutcome outcome;
    if (observer_) observer_->SetStatusText(kReadingProject);
    LoadRelay relay(observer_);
    CProjectImportResult read = ReadProjectSequences(std::string(TrimmedView(projectFilePath)), &relay);
    switch (read.status) {
    case CProjectImportResult::Status::InvalidName:
    case CProjectImportResult::Status::CannotOpen:
        outcome.notices.push_back(read.message);
        outcome.result = kImportFailed;
        return outcome;
    case CProjectImportResult::Status::NotRead:
        outcome.messages.push_back(read.message);
        outcome.result = kImportFailed;
        return outcome;
    case CProjectImportResult::Status::Loaded: break;
    }
    if (observer_) observer_->SetStatusText(kAddingSequences);
    const CAddOutcome added = AddSequences(read.sequences);
    outcome.added = added.added;
    outcome.result = added.Succeeded() ? kImportSucceeded : kImportCancelled;
    outcome.closeScreen = true;
    return outcome;
}

// ---- parse log ----

std::string CImportDriver::ParseLogPath(const std::string& projectPath) {
    return ProjectPathStem(projectPath) + kParseLogSuffix;
}

bool CImportDriver::WriteParseLog(const std::string& path, const StringList& messages) {
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out.is_open()) return false;
    for (const std::string& message : messages) out << message << '\n';
    out.close();
    return !out.fail();
}

std::string CImportDriver::ParseLogWrittenText(const std::string& fullPath) {
    return "The parsing messages generated during the import process are recorded in the file below:\n   " + fullPath;
}

std::string CImportDriver::ParseLogNotWrittenText(const std::string& path) {
    return "Cannot open the '" + path + "' file for writing.";
}

std::string CImportDriver::ParseLogNotViewableText(const std::string& path) {
    return "Cannot open the '" + path + "' file for viewing.";
}

}  // namespace qln
