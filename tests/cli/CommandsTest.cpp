#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <tuple>

#include "model/Feature.h"
#include "model/ProjectFile.h"

namespace qln::cli {
namespace {

namespace fs = std::filesystem;

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qln-cli-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Runs build on a JSON text and returns the exit status and the error text.
    std::pair<int, std::string> Build(const std::string& json, const std::string& out = "out.prj") {
        std::ostringstream err;
        int status = RunBuild(Write("in.json", json), Path(out), err);
        return {status, err.str()};
    }

    fs::path dir_;
};

const std::string kDemo = QLN_SOURCE_DIR "/examples/demo.json";

TEST_F(CommandsTest, DumpOfABuiltProjectBuildsTheSameBytes) {
    std::ostringstream err, dumped;
    ASSERT_EQ(RunBuild(kDemo, Path("a.prj"), err), kExitOk) << err.str();
    ASSERT_EQ(RunDump(Path("a.prj"), dumped, err), kExitOk) << err.str();
    ASSERT_EQ(RunBuild(Write("again.json", dumped.str()), Path("b.prj"), err), kExitOk) << err.str();
    EXPECT_EQ(Read(Path("a.prj")), Read(Path("b.prj")));
    EXPECT_EQ(nlohmann::json::parse(dumped.str()), nlohmann::json::parse(Read(kDemo)));
}

TEST_F(CommandsTest, TheCommittedDemoProjectIsWhatBuildMakes) {
    std::ostringstream err;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk) << err.str();
    EXPECT_EQ(Read(Path("demo.prj")), Read(QLN_SOURCE_DIR "/examples/demo.prj"));
}

TEST_F(CommandsTest, DumpPrintsEveryMemberInOrderEvenWhenEmpty) {
    ASSERT_EQ(Build(R"({"sequences":[{"name":"P","type":"PROTEIN/3","residues":"AlaGly"}]})").first, kExitOk);
    std::ostringstream out, err;
    ASSERT_EQ(RunDump(Path("out.prj"), out, err), kExitOk);
    EXPECT_EQ(out.str(), R"({
  "title": "",
  "fileReference": "",
  "applicationNumber": "",
  "filingDate": "",
  "customOrganisms": [],
  "lastImportFolder": "",
  "priorApplications": [],
  "organizationApplicants": [],
  "individualApplicants": [],
  "sequences": [
    {
      "name": "P",
      "type": "PROTEIN/3",
      "organism": "",
      "residues": "AlaGly",
      "skipped": false,
      "comment": "",
      "customCodons": {},
      "features": [],
      "journals": [],
      "databases": [],
      "patents": [],
      "theses": []
    }
  ]
}
)");
}

TEST_F(CommandsTest, BuildGivesFeaturesTheirClassRowAndFixedKey) {
    ASSERT_EQ(Build(R"({"sequences":[{"name":"S","type":"DNA","residues":"acgtacgtac","features":[
        {"key":"Exon","from":"1","to":"3"},{"key":"misc_feature","comment":"x"}]}]})")
                  .first,
              kExitOk);
    Ptr<CProject> project = LoadProjectFile(Path("out.prj"));
    CSequence& s = *project->GetSequences()[0];
    ASSERT_EQ(s.GetFeatures().GetSize(), 2);
    EXPECT_TRUE(s.GetFeatures()[0]->IsKindOf(CExon::runtimeClass));
    EXPECT_EQ(s.GetFeatures()[0]->GetKey(), "exon");
    EXPECT_EQ(s.GetFeatures()[0]->GetRow(), 1);
    EXPECT_TRUE(s.GetFeatures()[1]->IsKindOf(COtherFeature::runtimeClass));
    EXPECT_EQ(s.GetFeatures()[1]->GetRow(), 2);
    EXPECT_EQ(s.GetComment()->GetRow(), 0);
}

TEST_F(CommandsTest, LatinOneTextSurvivesAndOtherTextIsRefused) {
    ASSERT_EQ(Build(R"({"title":"Gr\u00fc\u00dfe f\u00fcr M\u00fcller"})").first, kExitOk);
    Ptr<CProject> project = LoadProjectFile(Path("out.prj"));
    EXPECT_EQ(project->GetProjectData()->GetTitle(),
              "Gr\xFC\xDF"
              "e f\xFCr M\xFCller");
    std::ostringstream out, err;
    ASSERT_EQ(RunDump(Path("out.prj"), out, err), kExitOk);
    EXPECT_NE(out.str().find("Gr\u00fc\u00dfe f\u00fcr M\u00fcller"), std::string::npos);

    auto [status, message] = Build(R"({"individualApplicants":[{"lastName":"\u6f22"}]})", "cjk.prj");
    EXPECT_EQ(status, kExitFailure);
    EXPECT_NE(message.find("individualApplicants[0].lastName"), std::string::npos) << message;
    EXPECT_NE(message.find("in.json"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(Path("cjk.prj")));
}

TEST_F(CommandsTest, BuildNamesTheFaultyMember) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"titel":"x"})", "titel: unknown member"},
        {R"({"title":null})", "title: null is not allowed"},
        {R"({"title":5})", "title: must be a string"},
        {R"({"sequences":[{"name":"S","type":"PROTEIN"}]})", "sequences[0].type: must be one of"},
        {R"({"sequences":[{"name":"S","type":"DNA","skipped":"yes"}]})", "sequences[0].skipped: must be true or false"},
        {R"({"sequences":[{"name":"S","type":"PROTEIN/1","customCodons":{"tga":"Trp"}}]})",
         "sequences[0].customCodons: a protein has no custom codons"},
        {R"({"sequences":[{"name":"S","type":"DNA"},{"name":"S","type":"RNA"}]})", "sequences[1].name:"},
        {R"({"sequences":[{"name":"S","type":"DNA","features":[{"key":"CDS","form":"1"}]}]})",
         "sequences[0].features[0].form: unknown member"},
        {R"({"sequences":[{"name":"S","type":"DNA","theses":[{"pages":[]}]}]})",
         "sequences[0].theses[0].pages: must be a string"},
        {R"([1,2])", "must be an object"},
        {R"({"title": )", "not valid JSON"},
    };
    for (const auto& [json, expected] : cases) {
        auto [status, message] = Build(json);
        EXPECT_EQ(status, kExitFailure) << json;
        EXPECT_NE(message.find(expected), std::string::npos) << json << " gave: " << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_FALSE(fs::exists(Path("out.prj"))) << json;
    }
}

TEST_F(CommandsTest, FailedBuildLeavesAnExistingProjectAlone) {
    Write("out.prj", "previous contents");
    EXPECT_EQ(Build(R"({"bogus":1})").first, kExitFailure);
    EXPECT_EQ(Read(Path("out.prj")), "previous contents");

    std::ostringstream err;
    EXPECT_EQ(RunBuild(kDemo, Path("no/such/folder/out.prj"), err), kExitFailure);
    EXPECT_NE(err.str().find("no/such/folder/out.prj"), std::string::npos) << err.str();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // in.json, out.prj
}

TEST_F(CommandsTest, DumpOfABadFileNamesItAndPrintsNothing) {
    std::ostringstream err;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk);
    std::string bytes = Read(Path("demo.prj"));
    const std::string cut = Write("cut.prj", bytes.substr(0, bytes.size() / 2));

    std::ostringstream out, err2;
    EXPECT_EQ(RunDump(cut, out, err2), kExitFailure);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err2.str(), "Attempted to access " + cut + " past its end.\n");

    std::ostringstream out3, err3;
    EXPECT_EQ(RunDump(Path("missing.prj"), out3, err3), kExitFailure);
    EXPECT_NE(err3.str().find("missing.prj"), std::string::npos);
}

TEST_F(CommandsTest, DumpPrintsDisplayLayoutResiduesAsPlainLetters) {
    Ptr<CProject> project(new CProject);
    Ptr<CSequence> s(new CDNASequence(project.get(), "S", "", std::string(70, 'a')));
    s->FormatForDisplay();
    project->Add(s.get());
    SaveProjectFile(*project, Path("display.prj"));

    std::ostringstream out, err;
    ASSERT_EQ(RunDump(Path("display.prj"), out, err), kExitOk);
    EXPECT_EQ(nlohmann::json::parse(out.str())["sequences"][0]["residues"], std::string(70, 'a'));
}

}  // namespace
}  // namespace qln::cli

namespace qln::cli {
namespace {

TEST_F(CommandsTest, GenerateThenImportListingGivesTheSameListing) {
    std::ostringstream err, out;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk) << err.str();
    ASSERT_EQ(RunGenerate(Path("demo.prj"), false, err), kExitOk) << err.str();
    ASSERT_EQ(RunImportListing(Path("demo_ST25.txt"), Path("back.prj"), out, err), kExitOk) << out.str() << err.str();
    EXPECT_EQ(out.str(), "Import succeeded.\n");
    ASSERT_EQ(RunGenerate(Path("back.prj"), false, err), kExitOk) << err.str();
    EXPECT_EQ(Read(Path("back_ST25.txt")), Read(Path("demo_ST25.txt")));

    std::ostringstream validateOut;
    EXPECT_EQ(RunValidate(Path("back.prj"), false, validateOut, err), kExitOk);
    EXPECT_EQ(validateOut.str(), "");
    EXPECT_EQ(RunWorkFile(Path("back.prj"), err), kExitOk);
    EXPECT_TRUE(fs::exists(Path("back_WorkFile.txt")));
}

TEST_F(CommandsTest, GenerateWithErrorsWritesOnlyTheErrorReport) {
    ASSERT_EQ(Build(R"({"sequences":[{"name":"S","type":"DNA","residues":"acgtacgtacgu"}]})").first, kExitOk);
    std::ostringstream err, out;
    EXPECT_EQ(RunValidate(Path("out.prj"), false, out, err), kExitFindings);
    EXPECT_NE(out.str().find("There must be an individual or organizational applicant name."), std::string::npos);
    const std::string printed = out.str(), count = std::to_string(std::count(printed.begin(), printed.end(), '\n'));
    EXPECT_EQ(err.str(), count + " messages in 1 sequence\n");

    std::ostringstream generateErr;
    EXPECT_EQ(RunGenerate(Path("out.prj"), false, generateErr), kExitFindings);
    EXPECT_FALSE(fs::exists(Path("out_ST25.txt")));
    EXPECT_EQ(Read(Path("out_ErrorLog.txt")), printed);
    // Every message as it was made, then the closing line naming the report.
    EXPECT_EQ(generateErr.str(), printed + "errors found, no listing written: " + count + " messages in " +
                                     Path("out_ErrorLog.txt") + "\n");
}

// A folder in the way of an output: the closing line names the file that
// could not be written, the error report or the listing, and nothing else is
// left behind.
TEST_F(CommandsTest, GenerateNamesTheOutputThatCouldNotBeWritten) {
    ASSERT_EQ(Build(R"({"sequences":[{"name":"S","type":"DNA","residues":"acgtacgtacgu"}]})").first, kExitOk);
    fs::create_directories(Path("out_ErrorLog.txt/in-the-way"));
    std::ostringstream reportErr;
    EXPECT_EQ(RunGenerate(Path("out.prj"), false, reportErr), kExitFailure);
    EXPECT_TRUE(reportErr.str().ends_with("\n" + Path("out_ErrorLog.txt") +
                                          ": the error report could not be opened, no listing written\n"))
        << reportErr.str();
    EXPECT_FALSE(fs::exists(Path("out_ST25.txt")));

    std::ostringstream err, listingErr;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk) << err.str();
    fs::create_directories(Path("demo_ST25.txt/in-the-way"));
    EXPECT_EQ(RunGenerate(Path("demo.prj"), false, listingErr), kExitFailure);
    EXPECT_TRUE(listingErr.str().ends_with("\n" + Path("demo_ST25.txt") + ": the listing could not be written\n"))
        << listingErr.str();
    EXPECT_FALSE(fs::exists(Path("demo_ErrorLog.txt")));
}

TEST_F(CommandsTest, SuccessfulRunsSayWhatTheyWroteOrFound) {
    std::ostringstream err, out, generateErr, shortErr;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk) << err.str();
    ASSERT_EQ(RunValidate(Path("demo.prj"), false, out, err), kExitOk);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "no errors in 3 sequences\n");
    // Three sequences and the protein derived from the coding region.
    ASSERT_EQ(RunGenerate(Path("demo.prj"), false, generateErr), kExitOk);
    EXPECT_EQ(generateErr.str(), "wrote " + Path("demo_ST25.txt") + ": 4 entries\n");

    // Short sequences only warn: the listing is written and the report of warnings named.
    ASSERT_EQ(Build(R"({"title":"T","fileReference":"R","organizationApplicants":[{"name":"Acme"}],
        "sequences":[{"name":"n","type":"DNA","organism":"Mus musculus","residues":"acgt"}]})")
                  .first,
              kExitOk);
    ASSERT_EQ(RunGenerate(Path("out.prj"), false, shortErr), kExitOk);
    EXPECT_TRUE(shortErr.str().ends_with("\nwrote " + Path("out_ST25.txt") + ": 1 entry; 1 warning in " +
                                         Path("out_ErrorLog.txt") + "\n"))
        << shortErr.str();
}

TEST_F(CommandsTest, VersionNamesTheProgramAndANumber) {
    EXPECT_TRUE(std::regex_match(VersionText(), std::regex(R"(quillion-cli \d+\.\d+\.\d+)"))) << VersionText();
    // The program itself, when it is built beside this test program's folder.
    const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "quillion-cli";
    if (!fs::exists(cli)) GTEST_SKIP() << cli << " is not built";
    EXPECT_EQ(std::system((cli.string() + " --version > " + Path("version.txt") + " 2>&1").c_str()), 0);
    EXPECT_EQ(Read(Path("version.txt")), VersionText() + "\n");
}

TEST_F(CommandsTest, ImportSequencesMakesOrExtendsAProject) {
    Write("a.txt", "<s1;DNA;Homo sapiens>\nACGTACGTAC\n<s2;PRT>MKV\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunImportSequences({Path("a.txt")}, Path("p.prj"), true, "DNA", out, err), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "Import succeeded.\n");
    std::ostringstream out2;
    EXPECT_EQ(RunImportSequences({Path("a.txt")}, Path("p.prj"), true, "DNA", out2, err), kExitOk);
    Ptr<CProject> project = LoadProjectFile(Path("p.prj"));
    ASSERT_EQ(project->GetSequences().GetSize(), 4);
    EXPECT_EQ(project->GetSequences()[0]->GetResidues(), "acgtacgtac");
    EXPECT_EQ(project->GetSequences()[2]->GetName(), "s1_2");

    std::ostringstream out3, err3;
    EXPECT_EQ(RunImportSequences({Path("a.txt")}, Path("p.prj"), true, "RNA/1", out3, err3), kExitFailure);
    EXPECT_NE(err3.str().find("--type"), std::string::npos);
}

TEST_F(CommandsTest, ImportSequencesReadsFastaWithItsLettersOrTheGivenType) {
    Write("a.fa", ">n1 from a plate\r\nACGT\r\nacgt\r\n>p1\r\nMKVLE*\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunImportSequences({Path("a.fa")}, Path("p.prj"), true, "", out, err), kExitOk) << err.str();
    EXPECT_EQ(out.str(),
              "The header text 'from a plate' of 'n1' was dropped: only an artificial sequence or unknown organism "
              "has a comment.\nImport succeeded.\n");
    Ptr<CProject> project = LoadProjectFile(Path("p.prj"));
    ASSERT_EQ(project->GetSequences().GetSize(), 2);
    EXPECT_EQ(project->GetSequences()[0]->GetTypeName(), "DNA");
    EXPECT_EQ(project->GetSequences()[0]->GetResidues(), "acgtacgt");
    EXPECT_EQ(project->GetSequences()[1]->GetResidues(), "MKVLE");

    // A --type given wins over the letters.
    std::ostringstream out2, err2;
    EXPECT_EQ(RunImportSequences({Path("a.fa")}, Path("q.prj"), true, "protein/1", out2, err2), kExitOk);
    project = LoadProjectFile(Path("q.prj"));
    ASSERT_EQ(project->GetSequences().GetSize(), 2);
    EXPECT_EQ(project->GetSequences()[0]->GetTypeName(), "PRT");
    EXPECT_EQ(project->GetSequences()[0]->GetResidues(), "ACGTACGT");
}

TEST_F(CommandsTest, ImportListingFromAnotherProgramOnlyWithAnyGenerator) {
    const std::string listing = Write("other.txt",
                                      "<110> Smith, John\r\n<120> A title\r\n<130> REF\r\n<170> Other 1.0\r\n"
                                      "<210> 1\r\n<211> 4\r\n<212> DNA\r\n<213> Homo sapiens\r\n<400> 1\r\n"
                                      "acgt  4\r\n");
    std::ostringstream refusedOut, out, err;
    EXPECT_EQ(RunImportListing(listing, Path("refused.prj"), refusedOut, err), kExitFailure);
    EXPECT_FALSE(fs::exists(Path("refused.prj")));
    ASSERT_EQ(RunImportListing(listing, Path("other.prj"), out, err, true), kExitFindings) << out.str() << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')),
              "* <170>: This listing was written by \"Other 1.0\", not by Quillion.");
    EXPECT_TRUE(fs::exists(Path("other.prj")));
}

// The user's path: export, write the choices to settle the defaults, export
// again without anything to confirm; a listing that can't be written or a
// project with errors ends with 2.
TEST_F(CommandsTest, ExportSt26ConfirmsDefaultsUntilTheChoicesSettleThem) {
    std::ostringstream err;
    ASSERT_EQ(RunBuild(kDemo, Path("demo.prj"), err), kExitOk) << err.str();
    EXPECT_EQ(RunExportSt26(Path("demo.prj"), "", "", false, err), kExitFindings) << err.str();
    EXPECT_NE(err.str().find("items to confirm in " + Path("demo_ST26Report.txt")), std::string::npos) << err.str();
    ASSERT_EQ(RunExportSt26(Path("demo.prj"), "", "", true, err), kExitOk) << err.str();
    EXPECT_NE(Read(Path("demo_ST26.json")).find("\"molTypes\""), std::string::npos);
    EXPECT_EQ(RunExportSt26(Path("demo.prj"), Path("out.xml"), "", false, err), kExitOk) << err.str();
    EXPECT_TRUE(fs::exists(Path("out.xml")));
    EXPECT_TRUE(fs::exists(Path("out_ST26Report.txt")));

    std::ostringstream failed;
    EXPECT_EQ(RunExportSt26(Path("demo.prj"), Path("no/such/x.xml"), "", false, failed), kExitFailure);
    EXPECT_EQ(failed.str().rfind(Path("no/such/x.xml") + ": cannot be written", 0), 0u) << failed.str();
    Write("bad.json", "{\"molTypes\": {\"GFP-cds\": \"protein\"}}");
    std::ostringstream refused;
    EXPECT_EQ(RunExportSt26(Path("demo.prj"), "", Path("bad.json"), false, refused), kExitFailure);
    EXPECT_EQ(refused.str(), "not written: 1 error in " + Path("demo_ST26Report.txt") + "\n");
}

// verify-st26 on a listing as a user gets it: nothing to say, warnings,
// errors with the report written, and a file that is not there.
TEST_F(CommandsTest, VerifySt26PrintsEachFindingAndExitsByTheWorst) {
    std::ifstream in(QLN_TEST_DATA_DIR "/st26-listings/valid.xml", std::ios::binary);
    const std::string valid{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(valid.empty());
    const auto run = [&](const std::string& text, const std::string& report = "") {
        std::ostringstream out, err;
        const int status = RunVerifySt26(Write("l.xml", text), report, out, err);
        return std::tuple(status, out.str(), err.str());
    };
    EXPECT_EQ(run(valid),
              std::tuple(kExitOk, std::string(), Path("l.xml") + ": 0 errors, 0 warnings, 0 notes in 6 sequences\n"));

    std::string warned = valid;
    warned.replace(warned.find(">Homo sapiens<"), 14, ">Unknown<");
    const auto [warnedStatus, warnedOut, warnedErr] = run(warned);
    EXPECT_EQ(warnedStatus, kExitFindings);
    EXPECT_EQ(warnedOut.rfind("SEQ ID 1, source 1..36, organism (line 31): warning: \"Unknown\" is the ST.25 form", 0),
              0u)
        << warnedOut;

    std::string broken = warned;
    broken.replace(broken.find(">other RNA<"), 11, ">other DNA<");
    const auto [status, out, err] = run(broken, Path("report.txt"));
    EXPECT_EQ(status, kExitFailure);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
    EXPECT_EQ(err,
              Path("l.xml") + ": 1 error, 1 warning, 0 notes in 6 sequences; report in " + Path("report.txt") + "\n");
    const std::string report = Read(Path("report.txt"));
    EXPECT_EQ(
        report.rfind(
            "ST.26 verification of " + Path("l.xml") + "\n1 error, 1 warning, 0 notes in 6 sequences\n\nSEQ ID 1\n", 0),
        0u)
        << report;
    EXPECT_NE(report.find("\nSEQ ID 3\n  SEQ ID 3, source 1..20, mol_type"), std::string::npos) << report;

    std::ostringstream none, noneErr;
    EXPECT_EQ(RunVerifySt26(Path("none.xml"), "", none, noneErr), kExitFailure);
    EXPECT_EQ(noneErr.str(), Path("none.xml") + ": no such file\n");
}

}  // namespace
}  // namespace qln::cli
