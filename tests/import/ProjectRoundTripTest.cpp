// Round trips that start from a project: a valid project's listing, imported,
// gives a project that passes the checks and lists the same text. The
// projects are drawn from seeds, so a failure names the seed that shows it,
// and from the inputs the fuzz target kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "ListingRoundTrip.h"
#include "model/Feature.h"
#include "support/RandomProject.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kSeeds = 1500;
// The round trips are the longest test, some ten times slower under the
// sanitizers, which run a fifth of them.
#ifdef QLN_SANITIZED
constexpr unsigned kRoundTripSeeds = kSeeds / 5;
#else
constexpr unsigned kRoundTripSeeds = kSeeds;
#endif

class ProjectRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qln-project-round-trip-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    fs::path folder_;
};

TEST_F(ProjectRoundTripTest, SeededProjectsComeBackAsTheyWereListed) {
    for (unsigned seed = 1; seed <= kRoundTripSeeds; ++seed) {
        test::CChoices choices = test::CChoices::Seeded(seed);
        const Ptr<CProject> project = test::RandomCarryableProject(choices);
        EXPECT_EQ(test::ProjectRoundTripFault(*project, folder_), "") << "seed " << seed;
    }
}

TEST_F(ProjectRoundTripTest, KeptFuzzInputsComeBackAsTheyWereListed) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QLN_TEST_DATA_DIR) / "project-choices")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        test::CChoices choices(test::ReadFileBytes(entry.path().string()));
        const Ptr<CProject> project = test::RandomCarryableProject(choices);
        EXPECT_EQ(test::ProjectRoundTripFault(*project, folder_), "");
    }
    EXPECT_GE(files, 1);
}

// The round trip is only as good as what its seeds reach: each layout that
// needs care at least 50 times in 1500 projects.
TEST(RandomProjectTest, SeedsReachTheLayoutsThatNeedCare) {
    int wrappedTitles = 0, suffixesWithoutMiddle = 0, splitCodons = 0, matPeptides = 0, exons = 0;
    for (unsigned seed = 1; seed <= kRoundTripSeeds; ++seed) {
        test::CChoices choices = test::CChoices::Seeded(seed);
        const Ptr<CProject> project = test::RandomCarryableProject(choices);
        wrappedTitles += project->GetProjectData()->GetTitle().size() > 65;
        for (const auto& person : project->GetIndivApplicants())
            suffixesWithoutMiddle += person->GetMiddleInitial().empty() && !person->GetSuffix().empty();
        for (const auto& sequence : project->GetSequences()) {
            for (const auto& feature : sequence->GetFeatures()) {
                const int length = feature->GetTo() - feature->GetFrom() + 1;
                splitCodons += dynamic_cast<CDS*>(feature.get()) && feature->IsJoined() && length % 3 != 0;
                matPeptides += dynamic_cast<CMatPeptide*>(feature.get()) != nullptr;
                exons += dynamic_cast<CExon*>(feature.get()) != nullptr;
            }
        }
    }
    for (const int count : {wrappedTitles, suffixesWithoutMiddle, splitCodons, matPeptides, exons})
        EXPECT_GE(count, static_cast<int>(50 * kRoundTripSeeds / kSeeds));
}

}  // namespace
}  // namespace qln
