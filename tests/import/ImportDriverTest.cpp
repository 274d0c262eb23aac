#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include <unistd.h>

#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "import/ImportTestSupport.h"
#include "import/ListingWindow.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {
namespace {

using test::ReadBytes;
using test::RecordingObserver;
using test::RecordingProgress;
using test::ScriptedChoices;
using test::TempFolder;

std::vector<std::string> NamesOf(const CProject& project) {
    std::vector<std::string> names;
    for (const auto& s : project.GetSequences()) names.push_back(s->GetName());
    return names;
}

// ---- the input list ----

TEST(ImportInputListTest, FileBoxIsSplitAtEverySeparator) {
    EXPECT_EQ(CImportDriver::SplitInputList("  /a/x.txt + /b/y.txt + z.txt  "),
              (StringList{"/a/x.txt", "/b/y.txt", "z.txt"}));
    EXPECT_EQ(CImportDriver::SplitInputList("one.txt"), StringList{"one.txt"});
    EXPECT_EQ(CImportDriver::SplitInputList("   "), StringList{});
    // Only the text after the last separator is dropped when empty.
    EXPECT_EQ(CImportDriver::SplitInputList("a +  + b"), (StringList{"a", "", "b"}));
    EXPECT_EQ(CImportDriver::SplitInputList("/my docs/a b.txt + c.txt"), (StringList{"/my docs/a b.txt", "c.txt"}));
    EXPECT_EQ(CImportDriver::SplitInputList("my+file.txt"), StringList{"my+file.txt"});

    const StringList paths{"C:\\d\\one.txt", "two.txt", "three.txt"};
    EXPECT_EQ(CImportDriver::JoinInputList(paths), "C:\\d\\one.txt + two.txt + three.txt");
    EXPECT_EQ(CImportDriver::SplitInputList(CImportDriver::JoinInputList(paths)), paths);
}

TEST(ImportInputListTest, ListingPathIsTheOnlyEntry) {
    EXPECT_EQ(CImportDriver::ListingInputList("  /x/l.txt \t"), StringList{"/x/l.txt"});
    EXPECT_EQ(CImportDriver::ListingInputList("  "), StringList{});
    EXPECT_EQ(CImportDriver::FileNameOf("C:\\data\\seq.txt"), "seq.txt");
    EXPECT_EQ(CImportDriver::FileNameOf("/data/seq.txt"), "seq.txt");
    EXPECT_EQ(CImportDriver::FileNameOf("seq.txt"), "seq.txt");
}

// ---- sequence file imports ----

class ImportDriverTest : public ::testing::Test {
protected:
    CImportOutcome ImportFiles(const StringList& paths, bool filter = true) {
        return driver_.ImportFiles(paths, filter);
    }

    TempFolder folder_;
    CProject project_;
    ScriptedChoices choices_;
    RecordingProgress progress_;
    RecordingObserver observer_;
    CImportDriver driver_{project_, choices_, &progress_, &observer_};
};

TEST_F(ImportDriverTest, EmptyFileBoxFails) {
    const CImportOutcome outcome = ImportFiles(CImportDriver::SplitInputList(""));
    EXPECT_EQ(outcome.messages, StringList{"Please specify an import file."});
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_FALSE(outcome.closeScreen);
}

TEST_F(ImportDriverTest, FilesAreReadInOrderAndOfferedForSelection) {
    const std::string a = folder_.Write("a.txt", "<s1;DNA>acgt\n<s2;DNA>gg\n");
    const std::string b = folder_.Write("b.txt", "<s3;PRT>MKV\n");
    const CImportOutcome outcome = ImportFiles({a, b});
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_TRUE(outcome.closeScreen);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.added, 3);
    ASSERT_EQ(choices_.selectionQuestions.size(), 1u);
    EXPECT_EQ(choices_.selectionQuestions[0], (StringList{"a.txt - s1", "a.txt - s2", "b.txt - s3"}));
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"s1", "s2", "s3"}));
    EXPECT_EQ(progress_.titles, (StringList{"Importing from file: a.txt", "Importing from file: b.txt"}));
    EXPECT_EQ(observer_.statusTexts, (StringList{"Preparing Sequence List...", "Sequences Added: 1",
                                                 "Sequences Added: 2", "Sequences Added: 3"}));
    EXPECT_EQ(observer_.addedNames, (StringList{"s1", "s2", "s3"}));
    EXPECT_EQ(observer_.updates, 1);
}

TEST_F(ImportDriverTest, OneSequenceIsAddedWithoutSelection) {
    const CImportOutcome outcome = ImportFiles({folder_.Write("one.txt", "<s1;DNA>acgt")});
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_TRUE(choices_.selectionQuestions.empty());
    EXPECT_EQ(NamesOf(project_), std::vector<std::string>{"s1"});
    EXPECT_EQ(project_.GetSequences()[0]->GetSourceReference(), "one.txt");
}

TEST_F(ImportDriverTest, SelectionKeepsTheChosenInListOrder) {
    const std::string file = folder_.Write("f.txt", "<a;DNA>ac\n<b;DNA>ac\n<c;DNA>ac\n");
    choices_.selectAll = false;
    choices_.selection = std::vector<int>{2, 0, 7, -1, 2};
    EXPECT_EQ(ImportFiles({file}).result, "Import succeeded.");
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"a", "c"}));
}

TEST_F(ImportDriverTest, EmptyOrCancelledSelectionAddsNothing) {
    const std::string file = folder_.Write("f.txt", "<a;DNA>ac\n<b;DNA>ac\n");
    choices_.selectAll = false;
    choices_.selection = std::vector<int>{};
    EXPECT_EQ(ImportFiles({file}).result, "Import cancelled.");
    choices_.selection.reset();
    const CImportOutcome outcome = ImportFiles({file});
    EXPECT_EQ(outcome.result, "Import cancelled.");
    EXPECT_TRUE(outcome.closeScreen);
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
    EXPECT_EQ(observer_.updates, 0);
}

TEST_F(ImportDriverTest, InvalidCharactersAddNothingWithoutTheFilter) {
    const std::string file = folder_.Write("f.txt", "<a;DNA>ac1gt\n<b;DNA>gg\n");
    const CImportOutcome outcome = ImportFiles({file}, false);
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_EQ(outcome.messages, StringList{"Sequence 'a': Invalid character '1' at location 3."});
    EXPECT_FALSE(outcome.closeScreen);
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
    EXPECT_TRUE(choices_.selectionQuestions.empty());
}

TEST_F(ImportDriverTest, InvalidCharactersWithTheFilterAddTheFilteredSequences) {
    const std::string file = folder_.Write("f.txt", "<a;DNA>AC1GT\n<b;DNA>gg\n");
    const CImportOutcome outcome = ImportFiles({file}, true);
    EXPECT_EQ(outcome.result, "Filtered import successful.");
    EXPECT_EQ(outcome.messages, StringList{"Sequence 'a': Invalid character '1' at location 3."});
    EXPECT_FALSE(outcome.closeScreen);
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(project_.Find("a")->GetResidues(), "acgt");
}

TEST_F(ImportDriverTest, MissingFileEndsTheLoop) {
    const std::string good = folder_.Write("good.txt", "<a;DNA>ac");
    const std::string later = folder_.Write("later.txt", "<b;DNA>ac");
    const CImportOutcome outcome = ImportFiles({good, folder_.Path("missing.txt"), later});
    EXPECT_EQ(outcome.messages, StringList{"This file is not available."});
    EXPECT_EQ(outcome.result, "Filtered import successful.");
    EXPECT_EQ(NamesOf(project_), std::vector<std::string>{"a"});
    EXPECT_EQ(progress_.titles, StringList{"Importing from file: good.txt"});
}

TEST_F(ImportDriverTest, FolderIsNotAvailable) {
    std::filesystem::create_directory(folder_.Path("sub"));
    const CImportOutcome outcome = ImportFiles({folder_.Path("sub")}, false);
    EXPECT_EQ(outcome.messages, StringList{"This file is not available."});
    EXPECT_EQ(outcome.result, "Import failed.");
}

TEST_F(ImportDriverTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not apply to root";
    const std::string file = folder_.Write("locked.txt", "<a;DNA>ac");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const CImportOutcome outcome = ImportFiles({file});
    EXPECT_EQ(outcome.messages, StringList{"Unable to open the file."});
}

TEST_F(ImportDriverTest, FileWithErrorsEndsTheLoop) {
    const std::string bad = folder_.Write("bad.txt", "<a;BAD>ac");
    const std::string later = folder_.Write("later.txt", "<b;DNA>ac");
    const CImportOutcome outcome = ImportFiles({bad, later});
    EXPECT_EQ(outcome.messages, StringList{"Invalid sequence type in sequence 'a'."});
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_EQ(progress_.titles.size(), 1u);
}

TEST_F(ImportDriverTest, CrLfFileFromDiskIsReadAsText) {
    const std::string file = folder_.Write("crlf.txt", "<a;DNA;Homo sapiens>\r\nacgt\r\nacgt\r\n\x1a<junk");
    const CImportOutcome outcome = ImportFiles({file}, false);
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_EQ(project_.Find("a")->GetResidues(), "acgtacgt");
    EXPECT_EQ(project_.Find("a")->GetOrganism(), "Homo sapiens");
}

// ---- name clashes ----

TEST_F(ImportDriverTest, ClashingNamesAreAskedAgainUntilFree) {
    project_.Add(new CDNASequence(&project_, "s1", "", "aa"));
    project_.Add(new CDNASequence(&project_, "s1b", "", "aa"));
    choices_.renames = {std::string("s1b"), std::string("s1c")};
    const std::string file = folder_.Write("f.txt", "<s1;DNA>ac\n<s2;DNA>gg\n");
    const CImportOutcome outcome = ImportFiles({file});
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_EQ(choices_.renameQuestions, (StringList{"s1", "s1b"}));
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"s1", "s1b", "s1c", "s2"}));
}

TEST_F(ImportDriverTest, ClashWithinTheImportedFilesIsResolvedToo) {
    const std::string a = folder_.Write("a.txt", "<x;DNA>ac");
    const std::string b = folder_.Write("b.txt", "<x;DNA>gg");
    choices_.renames = {std::string("x-b")};
    EXPECT_EQ(ImportFiles({a, b}).result, "Import succeeded.");
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"x", "x-b"}));
    EXPECT_EQ(project_.Find("x-b")->GetResidues(), "gg");
}

TEST_F(ImportDriverTest, StopImportKeepsTheSequencesAddedBefore) {
    project_.Add(new CDNASequence(&project_, "s2", "", "aa"));
    const std::string file = folder_.Write("f.txt", "<s1;DNA>ac\n<s2;DNA>gg\n<s3;DNA>tt\n");
    const CImportOutcome outcome = ImportFiles({file});
    EXPECT_EQ(outcome.result, "Import cancelled.");
    EXPECT_EQ(outcome.added, 1);
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"s2", "s1"}));
    EXPECT_EQ(observer_.updates, 1);
}

TEST(DefaultRenameTest, TakesTheFirstFreeNumberedName) {
    CProject project;
    for (const char* name : {"s", "s_2", "s_3", "s_5"}) project.Add(new CDNASequence(&project, name, "", ""));
    CDefaultImportChoices choices(&project);
    EXPECT_EQ(choices.RenameDuplicate("s"), "s_4");
    project.Add(new CDNASequence(&project, "s_4", "", ""));
    EXPECT_EQ(choices.RenameDuplicate("s"), "s_6");
    EXPECT_EQ(choices.RenameDuplicate("t"), "t_2");
}

TEST(DefaultRenameTest, DriverWithDefaultsKeepsEveryClashingSequence) {
    TempFolder folder;
    CProject project;
    project.Add(new CDNASequence(&project, "x", "", "aa"));
    CDefaultImportChoices choices(&project);
    CImportDriver driver(project, choices);
    const std::string file = folder.Write("f.txt", "<x;DNA>ac\n<x;DNA>gg\n<x_2;DNA>tt\n");
    EXPECT_EQ(driver.ImportFiles({file}, true).result, "Import succeeded.");
    EXPECT_EQ(NamesOf(project), (std::vector<std::string>{"x", "x_2", "x_3", "x_2_2"}));
}

TEST(DefaultTypeTest, OneTypeAnswersEveryTypeQuestion) {
    EXPECT_EQ(CDefaultImportChoices::NormalizeType("dna/rna"), "DNA/RNA");
    EXPECT_EQ(CDefaultImportChoices::NormalizeType("Protein/3"), "PROTEIN/3");
    EXPECT_EQ(CDefaultImportChoices::NormalizeType("PRT"), std::nullopt);

    CDefaultImportChoices byDefault;
    EXPECT_EQ(byDefault.ChooseSequenceFileType("f.txt"), "DNA");
    EXPECT_EQ(byDefault.ChooseInvalidSequenceType("m", "l"), CImportChoices::kDNA);

    const std::vector<std::pair<std::string, int>> cases = {{"rna", CImportChoices::kRNA},
                                                            {"DNA/RNA", CImportChoices::kDNARNA},
                                                            {"PROTEIN/1", CImportChoices::kProtein1},
                                                            {"protein/3", CImportChoices::kProtein1}};
    for (const auto& [type, index] : cases) {
        CDefaultImportChoices choices(nullptr, type);
        EXPECT_EQ(choices.ChooseSequenceFileType("f.txt"), CDefaultImportChoices::NormalizeType(type));
        EXPECT_EQ(choices.ChooseInvalidSequenceType("m", "l"), index);
        EXPECT_EQ(choices.ChooseSkippedSequenceType("p"), index);
    }
    EXPECT_EQ(byDefault.SelectSequences({"a", "b", "c"}), (std::vector<int>{0, 1, 2}));
}

// ---- reading on a worker thread ----

// Holds the worker at its first progress report until the test thread has
// asked the driver to stop.
class HandshakeProgress : public CImportProgress {
public:
    std::promise<void> reached;
    std::promise<void> release;

    void Command(int code, int value) override {
        if (code == kSequencesAnalyzed && value == 0 && !signalled_) {
            signalled_ = true;
            reached.set_value();
            release.get_future().wait();
        }
    }

private:
    bool signalled_ = false;
};

TEST_F(ImportDriverTest, WorkerReadsWhatTheCallerThenAdds) {
    const std::string file = folder_.Write("f.txt", "<a;DNA>ac\n<b;RNA>gu\n");
    driver_.StartReading(ImportSource::FromFile, {file}, true);
    driver_.WaitForReading();
    EXPECT_TRUE(driver_.IsReadingDone());
    EXPECT_EQ(driver_.GetImported().GetSize(), 2);
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
    const CImportOutcome outcome = driver_.FinishFiles(true);
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_EQ(NamesOf(project_), (std::vector<std::string>{"a", "b"}));
}

TEST(ImportDriverThreadTest, StopFromAnotherThreadCancelsTheImport) {
    TempFolder folder;
    CProject project;
    ScriptedChoices choices;
    HandshakeProgress progress;
    CImportDriver driver(project, choices, &progress);
    const std::string file = folder.Write("f.txt", "<a;DNA>ac\n<b;DNA>gg\n<c;DNA>tt\n");

    std::future<void> reached = progress.reached.get_future();
    driver.StartReading(ImportSource::FromFile, {file}, true);
    reached.wait();
    EXPECT_FALSE(driver.IsReadingDone());
    driver.RequestStop();
    progress.release.set_value();
    driver.WaitForReading();

    EXPECT_TRUE(driver.IsStopRequested());
    EXPECT_EQ(driver.GetMessages(), StringList{"Import canceled by user."});
    EXPECT_TRUE(driver.GetImported().IsEmpty());
    const CImportOutcome outcome = driver.FinishFiles(true);
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_TRUE(project.GetSequences().IsEmpty());
}

TEST_F(ImportDriverTest, NewReadingClearsAnEarlierStopRequest) {
    driver_.RequestStop();
    const std::string file = folder_.Write("f.txt", "<a;DNA>ac\n<b;DNA>gg\n");
    EXPECT_EQ(ImportFiles({file}).result, "Import succeeded.");
}

// ---- listing imports: the checks before the parser, and the parse log ----

TEST(ParseLogTest, NameFollowsTheProjectPath) {
    EXPECT_EQ(CImportDriver::ParseLogPath("/work/cases/Case 12.prj"), "/work/cases/Case 12_ParseFileErrorLog.txt");
    EXPECT_EQ(CImportDriver::ParseLogPath("C:\\a.b\\proj.v2.prj"), "C:\\a.b\\proj.v2_ParseFileErrorLog.txt");
    EXPECT_EQ(CImportDriver::ParseLogPath("/work/my.cases/Untitled"), "/work/my.cases/Untitled_ParseFileErrorLog.txt");
    EXPECT_EQ(CImportDriver::ParseLogPath(""), "_ParseFileErrorLog.txt");
}

TEST(ParseLogTest, WritesOneMessageALine) {
    TempFolder folder;
    const std::string path = folder.Path("p_ParseFileErrorLog.txt");
    folder.Write("p_ParseFileErrorLog.txt", "old content that is longer than the new\n");
    ASSERT_TRUE(CImportDriver::WriteParseLog(path, {"* first", "   Input line #3: <999>"}));
    EXPECT_EQ(ReadBytes(path), "* first\n   Input line #3: <999>\n");
    EXPECT_FALSE(CImportDriver::WriteParseLog(folder.Path("no/such/folder/log.txt"), {"x"}));

    EXPECT_EQ(CImportDriver::ParseLogWrittenText("/p/x_ParseFileErrorLog.txt"),
              "The parsing messages generated during the import process are recorded in the file below:\n"
              "   /p/x_ParseFileErrorLog.txt");
    EXPECT_EQ(CImportDriver::ParseLogNotWrittenText("x.txt"), "Cannot open the 'x.txt' file for writing.");
    EXPECT_EQ(CImportDriver::ParseLogNotViewableText("x.txt"), "Cannot open the 'x.txt' file for viewing.");
}

class ListingImportTest : public ImportDriverTest {};

TEST_F(ListingImportTest, EmptyPathAsksForAFile) {
    const CImportOutcome outcome = driver_.ImportListing("   ", folder_.Path("new.prj"));
    EXPECT_EQ(outcome.messages, StringList{"Please specify an import file."});
    EXPECT_EQ(outcome.result, "Import cancelled.");
    EXPECT_EQ(outcome.parseLogPath, std::filesystem::absolute(folder_.Path("new_ParseFileErrorLog.txt")).string());
    EXPECT_EQ(ReadBytes(outcome.parseLogPath), "Please specify an import file.\n");
}

TEST_F(ListingImportTest, EmptyListingFileIsNotParsed) {
    const std::string listing = folder_.Write("empty.txt", "");
    const CImportOutcome outcome = driver_.ImportListing(listing, folder_.Path("new.prj"));
    const std::string message = "The file '" + listing + "' is empty.  There is nothing to be imported.";
    EXPECT_EQ(outcome.messages, StringList{message});
    EXPECT_EQ(outcome.result, "Import cancelled.");
    EXPECT_TRUE(progress_.titles.empty());
    ASSERT_EQ(outcome.notices.size(), 1u);
    EXPECT_EQ(outcome.notices[0], CImportDriver::ParseLogWrittenText(outcome.parseLogPath));
    EXPECT_EQ(ReadBytes(outcome.parseLogPath), message + "\n");
}

TEST_F(ListingImportTest, MissingListingGivesTheSystemText) {
    const CImportOutcome outcome = driver_.ImportListing(folder_.Path("none.txt"), folder_.Path("new.prj"));
    EXPECT_EQ(outcome.messages, StringList{"No such file or directory"});
}

TEST_F(ListingImportTest, UnwritableParseLogIsANotice) {
    const std::string project = folder_.Path("no/such/folder/new.prj");
    const CImportOutcome outcome = driver_.ImportListing("", project);
    EXPECT_EQ(outcome.parseLogPath, "");
    EXPECT_EQ(outcome.notices,
              StringList{"Cannot open the '" + folder_.Path("no/such/folder/new_ParseFileErrorLog.txt") +
                         "' file for writing."});
}

// A small listing as the listing writer makes it.
std::string Listing(const std::string& extraHeaderLine = {}) {
    return "                         SEQUENCE LISTING\n\n"
           "<110>  Acme Corp\n\n<120>  Widgets\n\n<130>  REF-1\n\n" +
           extraHeaderLine +
           "<160>  2\n\n<170>  Quillion version 3.5\n\n"
           "<210>  1\n<211>  8\n<212>  DNA\n<213>  Homo sapiens\n\n<400>  1\nacgtacgt     8\n\n"
           "<210>  2\n<211>  4\n<212>  PRT\n<213>  Homo sapiens\n\n<400>  2\n\n"
           "Met Lys Val Leu\n1\n\n";
}

TEST_F(ListingImportTest, CleanListingFillsTheProjectWithoutALog) {
    const std::string listing = folder_.Write("listing.txt", Listing());
    const CImportOutcome outcome = driver_.ImportListing(listing, folder_.Path("new.prj"));
    EXPECT_EQ(outcome.messages, StringList{});
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_EQ(outcome.added, 2);
    EXPECT_EQ(outcome.parseLogPath, "");
    EXPECT_FALSE(std::filesystem::exists(folder_.Path("new_ParseFileErrorLog.txt")));
    EXPECT_EQ(progress_.titles, StringList{"Importing from file: listing.txt"});
    EXPECT_EQ(project_.GetProjectData()->GetTitle(), "Widgets");
    ASSERT_EQ(project_.GetSequences().GetSize(), 2);
    EXPECT_EQ(project_.GetSequences()[0]->GetResidues(), "acgtacgt");
    ASSERT_EQ(choices_.selectionQuestions.size(), 1u);
    EXPECT_EQ(choices_.selectionQuestions[0][0].rfind("listing.txt - ", 0), 0u);
}

TEST_F(ListingImportTest, ListingLongerThanAReadingBlockIsReadWhole) {
    // A residue line and a type question's look-ahead longer than a block.
    const std::string bases(3 * CListingWindow::kBlock, 'a');
    const std::string listing = folder_.Write(
        "long.txt", Listing() + "<210>  3\n<212>  DNA\n<213>  X\n<400>  3\n" + bases + "  " +
                        std::to_string(bases.size()) + "\n<210>  4\n<212>  XNA\n" +
                        std::string(2 * CListingWindow::kBlock, '\n') + "<213>  X\n<400>  4\nacgt    4\n");
    driver_.Read(ImportSource::FromListing, {listing}, true);
    EXPECT_EQ(driver_.GetMessages(), StringList{"* Sequence ID '4' has encountered an invalid sequence type 'XNA'. "
                                                "It has been corrected by the user with sequence type 'DNA'."});
    ASSERT_EQ(driver_.GetImported().GetSize(), 4);
    EXPECT_EQ(driver_.GetImported()[2]->GetResidues(), bases);
    EXPECT_EQ(driver_.GetImported()[3]->GetResidues(), "acgt");
}

TEST_F(ListingImportTest, ListingWithMessagesIsAddedAndLogged) {
    const std::string listing = folder_.Write("listing.txt", Listing("<125>  what\n\n"));
    const CImportOutcome outcome = driver_.ImportListing(listing, folder_.Path("case.prj"));
    ASSERT_FALSE(outcome.messages.empty());
    EXPECT_EQ(outcome.messages[0], "* Encountered an invalid numeric identifier.");
    EXPECT_EQ(outcome.result, "Import successful.");
    EXPECT_EQ(outcome.added, 2);
    const std::string log = std::filesystem::absolute(folder_.Path("case_ParseFileErrorLog.txt")).string();
    EXPECT_EQ(outcome.parseLogPath, log);
    std::string expected;
    for (const std::string& message : outcome.messages) expected += message + "\n";
    EXPECT_EQ(ReadBytes(log), expected);
    EXPECT_EQ(outcome.notices, StringList{CImportDriver::ParseLogWrittenText(log)});
}

TEST_F(ListingImportTest, StopRequestLeavesOnlyTheCancelMessage) {
    progress_.stop = true;
    const std::string listing = folder_.Write("listing.txt", Listing());
    const CImportOutcome outcome = driver_.ImportListing(listing, folder_.Path("case.prj"));
    EXPECT_EQ(outcome.messages, StringList{"Import canceled by user."});
    EXPECT_EQ(outcome.result, "Import cancelled.");
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
}

}  // namespace
}  // namespace qln
