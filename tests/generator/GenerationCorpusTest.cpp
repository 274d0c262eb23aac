// Every project of the project file corpus (the loader's seeds and what its
// fuzzers found) that loads gets both reports without fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "model/Archive.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"
#include "support/ProjectReports.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

TEST(GenerationCorpusTest, EveryLoadedProjectGetsItsReports) {
    const fs::path corpus = fs::path(QLN_TEST_DATA_DIR) / "project-files";
    const fs::path work = fs::temp_directory_path() / ("qln-corpus-reports-" + std::to_string(std::random_device{}()));
    fs::create_directories(work);
    int loaded = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        Ptr<CProject> project;
        try {
            project = LoadProjectFile(entry.path().string());
        } catch (const CArchiveException&) {
            continue;
        } catch (const CResidueFileError&) {
            continue;
        }
        ++loaded;
        EXPECT_EQ(test::ProjectReportsFault(*project, work), "");
    }
    EXPECT_GE(loaded, 5);
    CResidueFiles::RemoveAll();
    std::error_code ec;
    fs::remove_all(work, ec);
}

}  // namespace
}  // namespace qln
