// Exports as a user makes them, each listing checked by the product's
// verifier: the demo project, every corpus listing imported into a project,
// and the project behind the shared sample listing, which must come out as
// that file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "export/St26TestSupport.h"
#include "export/St26Export.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "model/Applicant.h"
#include "model/Feature.h"
#include "model/ProjectFile.h"
#include "model/Sequence.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

class St26ExportCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() / ("qln-st26-export-" + std::to_string(std::random_device{}()));
        fs::create_directories(work_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(work_, ec);
    }

    // Exports beside the project and holds the outcome to its promise: a
    // listing that passes the verifier, or for a refusal error lines and no
    // listing at all.
    St26Outcome ExportAndCheck(CProject& project, const fs::path& projectPath, CSt26Report* reportOut = nullptr) {
        CSt26Export exporter(project, projectPath.string(), CSt26Choices{});
        const St26Outcome outcome = exporter.Run();
        const CSt26Report& report = exporter.GetReport();
        if (reportOut) *reportOut = report;
        if (outcome == St26Outcome::Failed) {
            ADD_FAILURE() << exporter.GetFailure();
            return outcome;
        }
        EXPECT_TRUE(fs::exists(exporter.GetReportPath()));
        if (outcome == St26Outcome::Refused) {
            EXPECT_TRUE(report.HasErrors());
            EXPECT_FALSE(fs::exists(exporter.GetXmlPath()));
            return outcome;
        }
        EXPECT_FALSE(report.HasErrors());
        EXPECT_EQ(outcome == St26Outcome::WrittenToConfirm, report.Count(CSt26Report::Severity::Confirm) > 0);
        EXPECT_EQ(test::VerifySt26(exporter.GetXmlPath()), std::vector<std::string>());
        return outcome;
    }

    fs::path work_;
};

TEST_F(St26ExportCorpusTest, DemoProjectExportsAValidListing) {
    const fs::path path = work_ / "demo.prj";
    fs::copy_file(fs::path(QLN_SOURCE_DIR) / "examples" / "demo.prj", path);
    Ptr<CProject> project = LoadProjectFile(path.string());
    const St26Outcome outcome = ExportAndCheck(*project, path);
    EXPECT_TRUE(outcome == St26Outcome::Written || outcome == St26Outcome::WrittenToConfirm);
}

// Listings whose faults the refusal must name: a SEQ ID and its element.
const std::map<std::string, std::pair<int, std::string>> kKnownFaults = {
    {"file32.txt", {5, "CDS"}},                             // 20..1399 on 100 bases
    {"mixedMode_WO2012-012141-001.zip_1.txt", {3, "CDS"}},  // stop codons inside
    {"WO2012-006083_1.txt", {2, "misc_feature"}},           // DNA/RNA without its segments
};

// Listings of this program and of others, read with "any generator" on.
TEST_F(St26ExportCorpusTest, EveryCorpusListingExportsOrIsRefusedWithReasons) {
    const fs::path corpus = test::CorpusFolder();
    if (!fs::is_directory(corpus)) GTEST_SKIP() << test::SharedFolderMissing(corpus);
    int written = 0, refused = 0;
    CSt26Report report;
    for (const auto& file : fs::directory_iterator(corpus)) {
        if (file.path().extension() != ".txt") continue;
        SCOPED_TRACE(file.path().filename().string());
        const fs::path projectPath = work_ / (file.path().stem().string() + ".prj");
        Ptr<CProject> project = MakePtr<CProject>();
        CDefaultImportChoices choices(project.get());
        CImportDriver driver(*project, choices);
        driver.SetAnyGenerator(true);
        driver.ImportListing(file.path().string(), projectPath.string());
        if (project->GetSequences().GetSize() == 0) continue;
        const St26Outcome outcome = ExportAndCheck(*project, projectPath, &report);
        if (const auto known = kKnownFaults.find(file.path().filename().string()); known != kKnownFaults.end()) {
            EXPECT_EQ(outcome, St26Outcome::Refused);
            const auto& items = report.GetItems();
            EXPECT_TRUE(std::any_of(items.begin(), items.end(), [&](const CSt26Report::Item& item) {
                return item.severity == CSt26Report::Severity::Error && item.seqId == known->second.first &&
                       item.element.starts_with(known->second.second);
            }));
        }
        written += outcome == St26Outcome::Written || outcome == St26Outcome::WrittenToConfirm;
        refused += outcome == St26Outcome::Refused;
    }
    EXPECT_GE(written, 15);
    EXPECT_GE(written + refused, 35);
}

std::string WithoutComments(std::string text) {
    for (size_t at; (at = text.find("<!--")) != std::string::npos;) {
        const size_t end = text.find("-->", at);
        if (end == std::string::npos) break;
        text.erase(at, end + 3 - at + (text.compare(end + 3, 1, "\n") == 0));
    }
    return text;
}

// The project the sample's comment describes.
TEST_F(St26ExportCorpusTest, SampleProjectGivesTheSampleListing) {
    if (!fs::is_directory(test::St26Folder())) GTEST_SKIP() << test::SharedFolderMissing(test::St26Folder());
    Ptr<CProject> project = MakePtr<CProject>();
    CProjectData& data = *project->GetProjectData();
    data.SetTitle("Stable expression cassettes");
    data.SetFileReference("QL-0042");
    data.SetApplicationNumber("US 17/123,456");
    data.GetFilingDate() = std::string("2022-03-15");
    project->GetPriorApplications().Add(
        Ptr<CEarlierApplication>(new CEarlierApplication(project.get(), "US 63/000,001", "2021-03-16")));
    project->GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(project.get(), "Acme Bio Inc.")));
    const auto add = [&](const char* type, const char* name, const char* organism, const char* residues) {
        Ptr<CSequence> sequence(CBaseSequence::CreateOfType(type, project.get(), name, organism, residues));
        project->Add(sequence.get());
        return sequence;
    };
    Ptr<CSequence> s1 = add("DNA", "S1", "Homo sapiens", "ccgatggctagcaaaggcgaagagctgttctaagcg");
    Ptr<CFeature> cds = MakeFeatureForKey(s1.get(), "CDS", "", "4", "33");
    cds->SetRow(1);
    s1->GetFeatures().Add(cds);
    add("RNA", "S2", "Artificial Sequence", "ggacuuagcaugcuaggcau")->GetComment()->SetComment("Synthetic aptamer");
    add("DNA", "S3", "", "000")->SetSkipped(true);
    const fs::path path = work_ / "QL-0042.prj";
    SaveProjectFile(*project, path.string());

    CSt26Export exporter(*project, path.string(), CSt26Choices{});
    exporter.SetProductionDate("2024-05-02");
    exporter.SetSoftwareVersion("3.5");
    ASSERT_EQ(exporter.Run(), St26Outcome::WrittenToConfirm) << exporter.GetFailure();
    EXPECT_EQ(exporter.GetXmlPath(), (work_ / "QL-0042_ST26.xml").string());
    EXPECT_EQ(WithoutComments(test::ReadFileBytes(exporter.GetXmlPath())),
              WithoutComments(test::ReadFileBytes((test::St26Folder() / "sample-valid.xml").string())));
}

}  // namespace
}  // namespace qln
