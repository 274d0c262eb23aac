#include "generator/GenerationRun.h"

#include <filesystem>
#include <new>

#include "generator/ListingWriter.h"
#include "generator/ProjectChecks.h"
#include "model/ResidueFile.h"

namespace qln {

namespace fs = std::filesystem;

namespace {

using Icon = CGenerationObserver::Icon;

// Removes a file left by an earlier run; folders are never removed.
void RemoveFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !fs::exists(status) || fs::is_directory(status)) return;
    fs::remove(path, ec);
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::string ShortSequencesWarningText(const std::string& errorReportPath) {
    if (errorReportPath.empty()) return kWarningsFound;
    std::string text = kShortSequencesWarning;
    text.replace(text.find("%s"), 2, errorReportPath);
    return text;
}

// What the project checks report to: forwards to the run.
class CGenerationRun::CSink : public CCheckSink {
public:
    explicit CSink(CGenerationRun& run) : run_(run) {}
    void AddMessage(const std::string& text) override { run_.AddMessage(text); }
    void AddWarning(const std::string& text, bool noData) override { run_.AddWarning(text, noData); }
    bool IsCancelled() override { return run_.PollCancel(); }
    void SequenceChecked(int number) override { run_.Notify(CGenerationObserver::kSequenceDone, number); }

private:
    CGenerationRun& run_;
};

CGenerationRun::CGenerationRun(CProject& project, const std::string& projectPath, CGenerationObserver* observer)
    : project_(project), names_(MakeOutputNames(projectPath)), observer_(observer) {}

CGenerationRun::~CGenerationRun() {
    if (worker_.joinable()) {
        SetCancel(true);
        worker_.join();
    }
}

// ---- threads ----------------------------------------------------------------------

void CGenerationRun::Start() {
    if (worker_.joinable()) worker_.join();
    {
        std::lock_guard lock(mutex_);
        cancel_ = false;
        cancelMessagePending_ = false;
        running_ = true;
    }
    worker_ = std::thread([this] { workerResult_ = Run(); });
}

CGenerationResult CGenerationRun::Join() {
    if (worker_.joinable()) worker_.join();
    return workerResult_;
}

void CGenerationRun::SetPause(bool pause) {
    std::lock_guard lock(mutex_);
    pause_ = pause;
}

void CGenerationRun::Resume() {
    {
        std::lock_guard lock(mutex_);
        resumePending_ = false;
        paused_ = false;
    }
    changed_.notify_all();
}

bool CGenerationRun::WaitUntilPaused() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return paused_ || !running_; });
    return paused_;
}

void CGenerationRun::SetCancel(bool cancel) {
    {
        std::lock_guard lock(mutex_);
        cancel_ = cancel;
        cancelMessagePending_ = cancel;
    }
    changed_.notify_all();
}

bool CGenerationRun::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancel_;
}

StringList CGenerationRun::GetMessages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

int CGenerationRun::GetWarningCount() const {
    std::lock_guard lock(mutex_);
    return warningCount_;
}

int CGenerationRun::GetNoDataCount() const {
    std::lock_guard lock(mutex_);
    return noDataCount_;
}

int CGenerationRun::GetEntryCount() const {
    std::lock_guard lock(mutex_);
    return entryCount_;
}

// ---- the run ----------------------------------------------------------------------

CGenerationResult CGenerationRun::Run() {
    CGenerationResult result;
    if (names_.IsEmpty()) {
        ShowMessageBox(kSaveBeforeGenerating, Icon::Error);
        result.outcome = GenerationOutcome::NotSaved;
        std::lock_guard lock(mutex_);
        running_ = false;
        changed_.notify_all();
        return result;
    }

    {
        std::lock_guard lock(mutex_);
        running_ = true;
    }
    try {
        result.outcome = Generate();
    } catch (const std::bad_alloc&) {
        DiscardListing();
        ReleaseAllResiduesQuietly();
        ShowMessageBox(kGenerationOutOfMemory, Icon::Error);
        Notify(CGenerationObserver::kFailed);
    } catch (const CResidueFileError& e) {
        DiscardListing();
        ReleaseAllResiduesQuietly();
        result.residueFileFailed = true;
        ShowMessageBox(e.what(), Icon::Error);
        Notify(CGenerationObserver::kFailed);
    } catch (...) {
        // Anything else ends the run without a listing and without a box.
        DiscardListing();
        ReleaseAllResiduesQuietly();
        Notify(CGenerationObserver::kFailed);
    }
    errorReport_.close();

    // The project keeps the run's messages until the next run.
    std::lock_guard lock(mutex_);
    try {
        project_.GetMessages() = messages_;
    } catch (const std::bad_alloc&) {
        project_.GetMessages().clear();
    }
    running_ = false;
    paused_ = false;
    changed_.notify_all();
    return result;
}

GenerationOutcome CGenerationRun::Generate() {
    {
        std::lock_guard lock(mutex_);
        warningCount_ = 0;
        noDataCount_ = 0;
        entryCount_ = 0;
        messages_.clear();
    }
    cancelSeen_ = false;
    errorReportFailed_ = false;
    errorReport_.close();
    RemoveFile(names_.listing);
    RemoveFile(names_.errorReport);

    const int total = project_.GetSequences().GetSize();
    Notify(CGenerationObserver::kValidatingSequences, total);

    CSink sink(*this);
    RunProjectChecks(project_, sink);
    // A cancel that came after the last sequence's check still counts here.
    const bool cancelled = PollCancel() || cancelSeen_;
    if (errorReportFailed_) {
        ReleaseAllResidues();
        Notify(CGenerationObserver::kFailed);
        return GenerationOutcome::Failed;
    }
    if (cancelled) CancelCleanup();

    bool hasErrors;
    {
        std::lock_guard lock(mutex_);
        hasErrors = static_cast<int>(messages_.size()) > warningCount_;
    }
    if (hasErrors) {
        RemoveFile(names_.listing);
        if (!RewriteErrorReport()) {
            errorReportFailed_ = true;
            ShowMessageBox(kErrorReportWriteFailed, Icon::Warning);
        }
        Notify(CGenerationObserver::kFailed);
        return cancelled ? GenerationOutcome::Cancelled : GenerationOutcome::ValidationFailed;
    }
    return WriteListing();
}

GenerationOutcome CGenerationRun::WriteListing() {
    if (!OpenListing()) {
        ShowMessageBox(kListingOpenFailed, Icon::Warning);
        Notify(CGenerationObserver::kFailed);
        return GenerationOutcome::Failed;
    }

    const int total = project_.GetSequences().GetSize();
    Notify(CGenerationObserver::kWritingApplicationData);
    CListingWriter writer(project_, listing_);
    writer.SetCancelCheck([this] { return PollCancel(); });
    writer.WriteHeader();
    Notify(CGenerationObserver::kWritingSequences, total);

    bool cancelled = false;
    int reviewed = 0;
    for (auto& sequence : project_.GetSequences()) {
        ++reviewed;
        if (PollCancel()) {
            cancelled = true;
            break;
        }
        sequence->LoadResidues();
        sequence->StripToLetters();
        const bool complete = writer.WriteEntry(*sequence);
        sequence->UnloadResidues();
        if (!complete) {
            cancelled = true;
            break;
        }
        Notify(CGenerationObserver::kSequenceDone, reviewed);
    }
    if (cancelled || PollCancel()) {
        KeepPartialListing();
        CancelCleanup();
        return GenerationOutcome::Cancelled;
    }

    writer.PatchCount();
    listing_.close();
    if (listing_.fail()) {
        DiscardListing();
        ShowMessageBox(kListingWriteFailed, Icon::Warning);
        Notify(CGenerationObserver::kFailed);
        return GenerationOutcome::Failed;
    }
    const bool renamed = listingFile_->Commit();
    listingFile_.reset();
    if (!renamed) {
        ShowMessageBox(kListingOpenFailed, Icon::Warning);
        Notify(CGenerationObserver::kFailed);
        return GenerationOutcome::Failed;
    }
    {
        std::lock_guard lock(mutex_);
        entryCount_ = writer.GetEntryCount();
    }
    Notify(CGenerationObserver::kSucceeded);

    bool shortOnly;
    {
        std::lock_guard lock(mutex_);
        shortOnly = warningCount_ > 0 && static_cast<int>(messages_.size()) == warningCount_ &&
                    noDataCount_ < warningCount_;
    }
    if (shortOnly) ShowMessageBox(ShortSequencesWarningText(names_.errorReport), Icon::Warning);
    return GenerationOutcome::Succeeded;
}

// The listing is written under a temporary name and renamed when complete,
// so that a failed write never leaves a truncated file under the final name.
// A listing that can't be removed (open in a viewer, or a folder of that
// name) can't be replaced either.
bool CGenerationRun::OpenListing() {
    RemoveFile(names_.listing);
    if (PathExists(names_.listing)) return false;
    listingFile_.emplace(names_.listing);
    if (!listingFile_->IsReserved()) {
        listingFile_.reset();
        return false;
    }
    listing_.clear();
    constexpr std::streamsize kListingBufferSize = 1 << 20;
    if (!listingBuffer_) listingBuffer_.reset(new char[kListingBufferSize]);
    listing_.rdbuf()->pubsetbuf(listingBuffer_.get(), kListingBufferSize);
    listing_.open(listingFile_->TemporaryPath(), std::ios::out | std::ios::trunc);
    if (!listing_.is_open()) {
        listingFile_.reset();
        return false;
    }
    return true;
}

// A cancelled listing stays as far as it was written, under its final name.
void CGenerationRun::KeepPartialListing() {
    listing_.close();
    if (listingFile_) listingFile_->Commit();
    listingFile_.reset();
}

void CGenerationRun::DiscardListing() {
    if (listing_.is_open()) listing_.close();
    listingFile_.reset();
}

// ---- messages ---------------------------------------------------------------------

void CGenerationRun::AddMessage(const std::string& text) {
    bool wait;
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(text);
        // Set before the observer hears of the message, so that a Resume
        // given in answer to it is not lost.
        wait = pause_ && !cancel_;
        if (wait) resumePending_ = true;
    }
    WriteToErrorReport(text);
    if (observer_) observer_->MessageAdded(text);
    if (!wait) return;

    std::unique_lock lock(mutex_);
    paused_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !resumePending_ || cancel_ || errorReportFailed_; });
    resumePending_ = false;
    paused_ = false;
}

void CGenerationRun::AddWarning(const std::string& text, bool noData) {
    {
        std::lock_guard lock(mutex_);
        ++warningCount_;
        if (noData) ++noDataCount_;
    }
    AddMessage(text);
}

bool CGenerationRun::PollCancel() {
    bool cancelled;
    bool deliver;
    {
        std::lock_guard lock(mutex_);
        cancelled = cancel_;
        deliver = cancelMessagePending_;
        cancelMessagePending_ = false;
    }
    if (deliver) AddMessage(kCancelledByUser);
    if (cancelled) cancelSeen_ = true;
    return cancelled || errorReportFailed_;
}

void CGenerationRun::CancelCleanup() {
    if (observer_) observer_->SetStatusText(kGenerationCanceledStatus);
    {
        std::lock_guard lock(mutex_);
        cancel_ = false;
        cancelMessagePending_ = false;
    }
    ReleaseAllResidues();
}

// The report is opened with the first message. When it can't be, the run
// says so once and stops.
void CGenerationRun::WriteToErrorReport(const std::string& text) {
    if (errorReportFailed_) return;
    if (!errorReport_.is_open()) {
        errorReport_.clear();
        errorReport_.open(names_.errorReport, std::ios::out | std::ios::trunc);
        if (!errorReport_.is_open()) {
            errorReportFailed_ = true;
            ShowMessageBox(kErrorReportOpenFailed, Icon::Warning);
            return;
        }
    }
    errorReport_ << text << '\n';
    errorReport_.flush();
}

bool CGenerationRun::RewriteErrorReport() {
    errorReport_.close();
    std::ofstream out(names_.errorReport, std::ios::out | std::ios::trunc);
    if (!out.is_open()) return false;
    for (const std::string& message : GetMessages()) out << message << '\n';
    out.close();
    return !out.fail();
}

// ---- helpers ----------------------------------------------------------------------

void CGenerationRun::Notify(int code, int value) {
    if (observer_) observer_->Notify(code, value);
}

void CGenerationRun::ShowMessageBox(const std::string& text, Icon icon) {
    if (observer_) observer_->ShowMessageBox(text, icon);
}

// Parks every sequence's residues; a residue file error is passed on after
// the others were tried.
void CGenerationRun::ReleaseAllResidues() {
    std::exception_ptr first;
    for (auto& sequence : project_.GetSequences()) {
        try {
            sequence->UnloadResidues();
        } catch (const CResidueFileError&) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

void CGenerationRun::ReleaseAllResiduesQuietly() {
    for (auto& sequence : project_.GetSequences()) {
        try {
            sequence->UnloadResidues();
        } catch (...) {
        }
    }
}

}  // namespace qln
