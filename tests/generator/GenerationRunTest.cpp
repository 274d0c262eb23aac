#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "generator/GenerationRun.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {
namespace {

namespace fs = std::filesystem;
using Observer = CGenerationObserver;

// Records everything the run reports, as short texts in arrival order.
class CRecorder : public CGenerationObserver {
public:
    void Notify(int code, int value) override {
        Record(std::to_string(code) + ":" + std::to_string(value));
        if (onNotify) onNotify(code, value);
    }
    void MessageAdded(const std::string& text) override {
        Record("message:" + text);
        if (onMessage) onMessage(text);
    }
    void ShowMessageBox(const std::string& text, Icon icon) override {
        Record(std::string(icon == Icon::Error ? "error box:" : "warning box:") + text);
    }
    void SetStatusText(const std::string& text) override { Record("status:" + text); }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    // The events that start with the prefix, in order.
    std::vector<std::string> Events(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& event : Events())
            if (event.rfind(prefix, 0) == 0) found.push_back(event);
        return found;
    }
    std::vector<std::string> Notifications() const {
        std::vector<std::string> found;
        for (const std::string& event : Events())
            if (event.size() > 4 && event[4] == ':' && std::isdigit(static_cast<unsigned char>(event[0])))
                found.push_back(event);
        return found;
    }
    bool Has(const std::string& event) const {
        const auto events = Events();
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    std::function<void(int, int)> onNotify;
    std::function<void(const std::string&)> onMessage;

private:
    void Record(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

// A project that passes every check: project data, one applicant.
Ptr<CProject> ValidProject() {
    Ptr<CProject> project(new CProject);
    project->GetProjectData()->SetTitle("Widgets");
    project->GetProjectData()->SetFileReference("REF-1");
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "John", "Smith"));
    return project;
}

CSequence* AddDna(CProject& project, const std::string& name, const std::string& residues) {
    CSequence* sequence = new CDNASequence(&project, name, "Homo sapiens", residues);
    project.Add(sequence);
    return sequence;
}

const std::string kTwentyBases = "acgtacgtacgtacgtacgt";

std::string ShortWarning(const std::string& name) {
    return "Warning: Sequence <" + name + "> should contain at least ten nucleotides.";
}
std::string NoDataWarning(const std::string& name) { return "Warning: Sequence <" + name + "> has no sequence data."; }

class GenerationRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qln-generation-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
        projectPath_ = (folder_ / "Proj.prj").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }

    std::string Listing() const { return (folder_ / "Proj_ST25.txt").string(); }
    std::string ErrorReport() const { return (folder_ / "Proj_ErrorLog.txt").string(); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static std::string Lines(const StringList& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        return text;
    }
    // The names in the folder, sorted: shows leftover temporary files.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
    std::string projectPath_;
    CRecorder recorder_;
};

// ---- complete runs ----

TEST_F(GenerationRunTest, CleanProjectNotifiesCheckingThenWritingAndLeavesOnlyTheListing) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    CSequence* longOne = AddDna(*project, "S2", std::string(150, 'c'));
    longOne->UnloadResidues();

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);

    EXPECT_EQ(recorder_.Events(), (std::vector<std::string>{"1033:2", "1027:1", "1027:2", "1025:0", "1026:2", "1027:1",
                                                            "1027:2", "1028:0"}));
    EXPECT_TRUE(run.GetMessages().empty());
    EXPECT_EQ(run.GetEntryCount(), 2);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"Proj_ST25.txt"});
    EXPECT_FALSE(Read(Listing()).empty());
    EXPECT_FALSE(longOne->AreResiduesInMemory());
}

TEST_F(GenerationRunTest, ShortSequencesOnlyGiveListingAndTheLengthWarningNamingTheErrorReport) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    AddDna(*project, "Tiny", "acgta");

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);

    EXPECT_TRUE(fs::exists(Listing()));
    EXPECT_EQ(run.GetMessages(), StringList{ShortWarning("Tiny")});
    EXPECT_EQ(run.GetWarningCount(), 1);
    EXPECT_EQ(run.GetNoDataCount(), 0);
    EXPECT_EQ(Read(ErrorReport()), ShortWarning("Tiny") + "\n");
    const std::string box =
        "warning box:Warning: Your sequences have been successfully generated.  Some sequences however have been "
        "detected that were shorter than the required length specified in 37 CFR 1.821(a).  For specific sequence "
        "names, see the " +
        ErrorReport() + " file.";
    EXPECT_EQ(recorder_.Events("warning box:"), std::vector<std::string>{box});
    // The box comes after the completion notice.
    const auto events = recorder_.Events();
    EXPECT_EQ(events.back(), box);
    EXPECT_EQ(events[events.size() - 2], "1028:0");
}

TEST_F(GenerationRunTest, NoDataWarningsOnlyGiveListingWithoutBox) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "Empty", "");
    AddDna(*project, "S2", kTwentyBases);

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);

    EXPECT_TRUE(fs::exists(Listing()));
    EXPECT_EQ(run.GetMessages(), StringList{NoDataWarning("Empty")});
    EXPECT_EQ(run.GetNoDataCount(), 1);
    EXPECT_TRUE(recorder_.Events("warning box:").empty());
    EXPECT_EQ(recorder_.Notifications().back(), "1028:0");
}

TEST_F(GenerationRunTest, ShortSequenceBesideNoDataStillGetsTheLengthWarning) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "Empty", "");
    AddDna(*project, "Tiny", "acg");

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);
    EXPECT_EQ(recorder_.Events("warning box:").size(), 1u);
}

TEST_F(GenerationRunTest, OneErrorAmongWarningsStopsWithEveryMessageInTheErrorReport) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgtxacgtacgt");
    AddDna(*project, "C", "");
    AddDna(*project, "D", "ac");
    std::ofstream(Listing()) << "listing of an earlier run\n";

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::ValidationFailed);

    const StringList expected{ShortWarning("A"), "Sequence 'B': Invalid character 'x' at location 5.",
                              NoDataWarning("C"), ShortWarning("D")};
    EXPECT_EQ(run.GetMessages(), expected);
    EXPECT_EQ(run.GetWarningCount(), 3);
    EXPECT_EQ(project->GetMessages(), expected);
    EXPECT_EQ(Read(ErrorReport()), Lines(expected));
    EXPECT_FALSE(fs::exists(Listing()));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"Proj_ErrorLog.txt"});
    EXPECT_EQ(recorder_.Notifications(),
              (std::vector<std::string>{"1033:4", "1027:1", "1027:2", "1027:3", "1027:4", "1029:0"}));
    EXPECT_TRUE(recorder_.Events("warning box:").empty());
}

TEST_F(GenerationRunTest, MessagesReachObserverAndErrorReportInOrder) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgtx");
    CGenerationRun run(*project, projectPath_, &recorder_);
    // When the observer hears of a message it is already in the report.
    std::vector<std::string> reportSeen;
    recorder_.onMessage = [&](const std::string&) { reportSeen.push_back(Read(ErrorReport())); };
    run.Run();

    EXPECT_EQ(recorder_.Events("message:"),
              (std::vector<std::string>{"message:" + ShortWarning("A"),
                                        "message:Sequence 'B': Invalid character 'x' at location 5.",
                                        "message:" + ShortWarning("B")}));
    ASSERT_EQ(reportSeen.size(), 3u);
    EXPECT_EQ(reportSeen[0], ShortWarning("A") + "\n");
    EXPECT_EQ(reportSeen[1], ShortWarning("A") + "\nSequence 'B': Invalid character 'x' at location 5.\n");
}

TEST_F(GenerationRunTest, CleanRunRemovesTheErrorReportOfAnEarlierRun) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    std::ofstream(ErrorReport()) << "an old message\n";
    project->GetMessages() = {"an old message"};

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);
    EXPECT_FALSE(fs::exists(ErrorReport()));
    EXPECT_TRUE(project->GetMessages().empty());
}

// ---- refusals and file failures ----

TEST_F(GenerationRunTest, UnsavedProjectIsRefusedWithoutAnyNotification) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    CGenerationRun run(*project, "", &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::NotSaved);
    EXPECT_EQ(recorder_.Events(), std::vector<std::string>{"error box:Please save the project before generating."});
}

TEST_F(GenerationRunTest, ListingPathTakenByFolderGivesTheViewerMessageAndNoListing) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    fs::create_directory(Listing());

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Failed);

    EXPECT_EQ(recorder_.Events("warning box:"),
              std::vector<std::string>{std::string("warning box:") + kListingOpenFailed});
    EXPECT_TRUE(fs::is_directory(Listing()));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"Proj_ST25.txt"});
    EXPECT_EQ(recorder_.Notifications().back(), "1029:0");
    EXPECT_FALSE(recorder_.Has("1025:0"));
}

TEST_F(GenerationRunTest, ListingInMissingFolderGivesTheViewerMessage) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    const fs::path missing = folder_ / "gone" / "Proj.prj";
    CGenerationRun run(*project, missing.string(), &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Failed);
    EXPECT_EQ(recorder_.Events("warning box:"),
              std::vector<std::string>{std::string("warning box:") + kListingOpenFailed});
    EXPECT_EQ(recorder_.Notifications().back(), "1029:0");
}

TEST_F(GenerationRunTest, ListingInReadOnlyFolderGivesTheViewerMessage) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Failed);
    EXPECT_TRUE(recorder_.Has(std::string("warning box:") + kListingOpenFailed));
    EXPECT_FALSE(fs::exists(Listing()));
}

TEST_F(GenerationRunTest, ErrorReportThatCannotBeOpenedEndsTheRunWithoutListing) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "Tiny", "acg");
    AddDna(*project, "S2", kTwentyBases);
    fs::create_directory(ErrorReport());

    CGenerationRun run(*project, projectPath_, &recorder_);
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Failed);

    EXPECT_EQ(recorder_.Events("warning box:"),
              std::vector<std::string>{"warning box:I/O error opening error log file."});
    EXPECT_FALSE(fs::exists(Listing()));
    EXPECT_EQ(recorder_.Notifications().back(), "1029:0");
    EXPECT_FALSE(recorder_.Has("1025:0"));
}

// ---- pause, cancel and threads ----

TEST_F(GenerationRunTest, PausedWorkerWaitsAfterEachMessageUntilResumed) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgt");
    AddDna(*project, "C", kTwentyBases);

    CGenerationRun run(*project, projectPath_, &recorder_);
    run.SetPause(true);
    run.Start();

    ASSERT_TRUE(run.WaitUntilPaused());
    EXPECT_EQ(run.GetMessages(), StringList{ShortWarning("A")});
    EXPECT_EQ(Read(ErrorReport()), ShortWarning("A") + "\n");
    EXPECT_FALSE(recorder_.Has("1027:2"));  // the second sequence waits

    run.Resume();
    ASSERT_TRUE(run.WaitUntilPaused());
    EXPECT_EQ(run.GetMessages(), (StringList{ShortWarning("A"), ShortWarning("B")}));

    run.Resume();
    EXPECT_FALSE(run.WaitUntilPaused());
    EXPECT_EQ(run.Join().outcome, GenerationOutcome::Succeeded);
    EXPECT_TRUE(fs::exists(Listing()));
}

TEST_F(GenerationRunTest, ResumeGivenAsSoonAsTheMessageArrivesIsNotLost) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgt");
    CGenerationRun run(*project, projectPath_, &recorder_);
    recorder_.onMessage = [&](const std::string&) { run.Resume(); };
    run.SetPause(true);
    run.Start();
    EXPECT_EQ(run.Join().outcome, GenerationOutcome::Succeeded);
    EXPECT_EQ(run.GetMessages().size(), 2u);
}

TEST_F(GenerationRunTest, CancelWhilePausedEndsValidationAsAnError) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgt");
    CSequence* longOne = AddDna(*project, "C", std::string(120, 'a'));
    longOne->UnloadResidues();

    CGenerationRun run(*project, projectPath_, &recorder_);
    run.SetPause(true);
    run.Start();
    ASSERT_TRUE(run.WaitUntilPaused());
    run.SetCancel(true);
    EXPECT_EQ(run.Join().outcome, GenerationOutcome::Cancelled);

    const StringList expected{ShortWarning("A"), kCancelledByUser};
    EXPECT_EQ(run.GetMessages(), expected);
    EXPECT_EQ(Read(ErrorReport()), Lines(expected));
    EXPECT_FALSE(fs::exists(Listing()));
    EXPECT_FALSE(run.IsCancelled());
    EXPECT_FALSE(longOne->AreResiduesInMemory());
    const auto events = recorder_.Events();
    const auto status = std::find(events.begin(), events.end(), "status:Generation canceled.");
    ASSERT_NE(status, events.end());
    EXPECT_EQ(std::find(status, events.end(), "1029:0") + 1, events.end());
    EXPECT_FALSE(recorder_.Has("1025:0"));
}

TEST_F(GenerationRunTest, CancelDuringChecksThenNextRunStartsClean) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    AddDna(*project, "S2", kTwentyBases);
    AddDna(*project, "S3", kTwentyBases);

    CGenerationRun run(*project, projectPath_, &recorder_);
    recorder_.onNotify = [&](int code, int value) {
        if (code == Observer::kSequenceDone && value == 1) run.SetCancel(true);
    };
    run.Start();
    EXPECT_EQ(run.Join().outcome, GenerationOutcome::Cancelled);
    EXPECT_EQ(run.GetMessages(), StringList{kCancelledByUser});
    EXPECT_FALSE(recorder_.Has("1027:2"));
    EXPECT_FALSE(fs::exists(Listing()));
    EXPECT_EQ(Read(ErrorReport()), std::string(kCancelledByUser) + "\n");

    recorder_.onNotify = nullptr;
    CRecorder second;
    CGenerationRun next(*project, projectPath_, &second);
    EXPECT_EQ(next.Run().outcome, GenerationOutcome::Succeeded);
    EXPECT_TRUE(next.GetMessages().empty());
    EXPECT_FALSE(fs::exists(ErrorReport()));
    EXPECT_TRUE(fs::exists(Listing()));
}

TEST_F(GenerationRunTest, CancelWhileWritingKeepsThePartialListingUnderItsName) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "S1", kTwentyBases);
    AddDna(*project, "S2", kTwentyBases);
    CSequence* longOne = AddDna(*project, "S3", std::string(130, 't'));
    longOne->UnloadResidues();

    // A complete listing of the same project, for comparison.
    CGenerationRun complete(*project, projectPath_, nullptr);
    ASSERT_EQ(complete.Run().outcome, GenerationOutcome::Succeeded);
    const std::string full = Read(Listing());

    // The worker is held inside its progress report for the first written
    // sequence while this thread cancels.
    std::mutex mutex;
    std::condition_variable changed;
    bool writing = false, held = false, released = false;
    CGenerationRun run(*project, projectPath_, &recorder_);
    recorder_.onNotify = [&](int code, int value) {
        if (code == Observer::kWritingSequences) writing = true;
        if (writing && code == Observer::kSequenceDone && value == 1) {
            std::unique_lock lock(mutex);
            held = true;
            changed.notify_all();
            changed.wait(lock, [&] { return released; });
        }
    };
    run.Start();
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return held; });
        run.SetCancel(true);
        released = true;
    }
    changed.notify_all();
    EXPECT_EQ(run.Join().outcome, GenerationOutcome::Cancelled);

    const std::string partial = Read(Listing());
    EXPECT_FALSE(partial.empty());
    EXPECT_LT(partial.size(), full.size());
    // What was written stays as it was: the entry count was never patched in.
    const size_t count = partial.find("<160>  ");
    ASSERT_NE(count, std::string::npos);
    EXPECT_EQ(partial.substr(count, 14), "<160>        \n");
    std::string patched = partial;
    patched[count + 7] = '3';
    EXPECT_EQ(full.compare(0, patched.size(), patched), 0);
    EXPECT_NE(partial.find("<210>  1"), std::string::npos);
    EXPECT_EQ(partial.find("<210>  2"), std::string::npos);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"Proj_ErrorLog.txt", "Proj_ST25.txt"}));
    EXPECT_EQ(run.GetMessages(), StringList{kCancelledByUser});
    EXPECT_TRUE(recorder_.Has("status:Generation canceled."));
    EXPECT_FALSE(recorder_.Has("1028:0"));
    EXPECT_FALSE(recorder_.Has("1029:0"));
    const auto notifications = recorder_.Notifications();
    EXPECT_EQ(
        std::vector<std::string>(std::find(notifications.begin(), notifications.end(), "1026:3"), notifications.end()),
        (std::vector<std::string>{"1026:3", "1027:1"}));
    EXPECT_FALSE(run.IsCancelled());
    EXPECT_FALSE(longOne->AreResiduesInMemory());

    // The next run starts clean and replaces the partial listing.
    recorder_.onNotify = nullptr;
    EXPECT_EQ(run.Run().outcome, GenerationOutcome::Succeeded);
    EXPECT_EQ(Read(Listing()), full);
    EXPECT_TRUE(run.GetMessages().empty());
    EXPECT_FALSE(fs::exists(ErrorReport()));
}

TEST_F(GenerationRunTest, DestroyingARunWaitingForResumeStopsItsWorker) {
    Ptr<CProject> project = ValidProject();
    AddDna(*project, "A", "acg");
    AddDna(*project, "B", "acgt");
    {
        CGenerationRun run(*project, projectPath_, &recorder_);
        run.SetPause(true);
        run.Start();
        ASSERT_TRUE(run.WaitUntilPaused());
    }
    EXPECT_TRUE(recorder_.Has("message:" + std::string(kCancelledByUser)));
    EXPECT_FALSE(fs::exists(Listing()));
}

TEST(ShortSequencesWarningText, NamesTheErrorReportOrFallsBackWithoutOne) {
    EXPECT_EQ(ShortSequencesWarningText("/p/X_ErrorLog.txt"),
              "Warning: Your sequences have been successfully generated.  Some sequences however have been detected "
              "that were shorter than the required length specified in 37 CFR 1.821(a).  For specific sequence "
              "names, see the /p/X_ErrorLog.txt file.");
    EXPECT_EQ(ShortSequencesWarningText(""), "Warnings were found while generating sequence listing.");
}

}  // namespace
}  // namespace qln
