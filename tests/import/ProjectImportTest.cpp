#include <gtest/gtest.h>

#include <string>

#include "import/ImportDriver.h"
#include "import/ImportTestSupport.h"
#include "import/ProjectImport.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/Sequence.h"

namespace qln {
namespace {

using test::RecordingObserver;
using test::ScriptedChoices;
using test::TempFolder;

class ProjectImportTest : public ::testing::Test {
protected:
    // A project file holding a short DNA sequence with a feature and a long
    // protein, plus project data and an applicant that must not come over.
    std::string WriteOtherProject() {
        Ptr<CProject> other(new CProject);
        other->GetProjectData()->SetTitle("Other title");
        other->GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(other.get(), "Other Inc")));
        Ptr<CSequence> dna(new CDNASequence(other.get(), "gene", "Homo sapiens", "acgtacgt"));
        dna->GetFeatures().Add(Ptr<CFeature>(new COtherFeature(dna.get(), "misc_feature", "note", "1", "4")));
        other->Add(dna.get());
        Ptr<CSequence> protein(new CProtein1Sequence(other.get(), "long", "Mus musculus", std::string(150, 'M')));
        other->Add(protein.get());
        const std::string path = folder_.Path("other.prj");
        SaveProjectFile(*other, path);
        return path;
    }

    TempFolder folder_;
};

TEST_F(ProjectImportTest, HandsOutTheSequencesInProjectOrderDetached) {
    CProjectImportResult result = ReadProjectSequences(WriteOtherProject());
    ASSERT_EQ(result.status, CProjectImportResult::Status::Loaded);
    EXPECT_EQ(result.message, "");
    ASSERT_EQ(result.sequences.GetSize(), 2);

    CSequence& dna = *result.sequences[0];
    EXPECT_EQ(dna.GetName(), "gene");
    EXPECT_EQ(dna.GetParent(), nullptr);
    EXPECT_EQ(dna.GetProject(), nullptr);
    EXPECT_EQ(dna.GetResidues(), "acgtacgt");
    ASSERT_EQ(dna.GetFeatures().GetSize(), 1);
    EXPECT_EQ(dna.GetFeatures()[0]->GetComment(), "note");

    CSequence& protein = *result.sequences[1];
    EXPECT_EQ(protein.GetName(), "long");
    EXPECT_TRUE(protein.IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_EQ(protein.GetResidues(), std::string(150, 'M'));
}

TEST_F(ProjectImportTest, RefusesShortNamesMissingFilesAndOtherFiles) {
    CProjectImportResult shortName = ReadProjectSequences("ab");
    EXPECT_EQ(shortName.status, CProjectImportResult::Status::InvalidName);
    EXPECT_EQ(shortName.message, "Invalid project name.");

    CProjectImportResult missing = ReadProjectSequences(folder_.Path("missing.prj"));
    EXPECT_EQ(missing.status, CProjectImportResult::Status::CannotOpen);
    EXPECT_EQ(missing.message, "Unable to open the project file.");

    for (const std::string& bytes : {std::string("not a project at all"), std::string()}) {
        CProjectImportResult garbage = ReadProjectSequences(folder_.Write("garbage.prj", bytes));
        EXPECT_EQ(garbage.status, CProjectImportResult::Status::NotRead);
        EXPECT_EQ(garbage.message, "No project file specified.");
        EXPECT_TRUE(garbage.sequences.IsEmpty());
    }
}

// ---- the driver's project flow ----

class ProjectImportFlowTest : public ProjectImportTest {
protected:
    CProject project_;
    ScriptedChoices choices_;
    RecordingObserver observer_;
    CImportDriver driver_{project_, choices_, nullptr, &observer_};
};

TEST_F(ProjectImportFlowTest, AddsOnlyTheSequencesToTheOpenProject) {
    project_.GetProjectData()->SetTitle("Mine");
    const CImportOutcome outcome = driver_.ImportProject(WriteOtherProject());
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_TRUE(outcome.closeScreen);
    EXPECT_EQ(outcome.added, 2);
    EXPECT_TRUE(outcome.messages.empty());
    ASSERT_EQ(project_.GetSequences().GetSize(), 2);
    EXPECT_EQ(project_.GetSequences()[0]->GetProject(), &project_);
    EXPECT_EQ(project_.GetSequences()[1]->GetParent(), &project_);
    EXPECT_EQ(project_.GetProjectData()->GetTitle(), "Mine");
    EXPECT_TRUE(project_.GetOrgApplicants().IsEmpty());
    // Two sequences: the selection was asked, with names only (no source file).
    ASSERT_EQ(choices_.selectionQuestions.size(), 1u);
    EXPECT_EQ(choices_.selectionQuestions[0], (StringList{"gene", "long"}));

    ASSERT_GE(observer_.statusTexts.size(), 5u);
    EXPECT_EQ(observer_.statusTexts.front(), "Reading the project...");
    const StringList tail(observer_.statusTexts.end() - 4, observer_.statusTexts.end());
    EXPECT_EQ(tail, (StringList{"Adding sequences...", "Preparing Sequence List...", "Sequences Added: 1",
                                "Sequences Added: 2"}));
}

TEST_F(ProjectImportFlowTest, NameClashesAreResolvedByRenaming) {
    project_.Add(new CDNASequence(&project_, "gene", "", "aaaa"));
    choices_.renames = {std::string("gene2")};
    const CImportOutcome outcome = driver_.ImportProject(WriteOtherProject());
    EXPECT_EQ(outcome.result, "Import succeeded.");
    EXPECT_EQ(choices_.renameQuestions, StringList{"gene"});
    ASSERT_EQ(project_.GetSequences().GetSize(), 3);
    EXPECT_EQ(project_.GetSequences()[1]->GetName(), "gene2");
    EXPECT_EQ(project_.Find("gene2"), project_.GetSequences()[1].get());
}

TEST_F(ProjectImportFlowTest, FailuresAreNoticesOrMessages) {
    CImportOutcome outcome = driver_.ImportProject("x");
    EXPECT_EQ(outcome.notices, StringList{"Invalid project name."});
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_FALSE(outcome.closeScreen);

    outcome = driver_.ImportProject(folder_.Path("none.prj"));
    EXPECT_EQ(outcome.notices, StringList{"Unable to open the project file."});

    outcome = driver_.ImportProject(folder_.Write("bad.prj", "\x01\x02\x03"));
    EXPECT_TRUE(outcome.notices.empty());
    EXPECT_EQ(outcome.messages, StringList{"No project file specified."});
    EXPECT_EQ(outcome.result, "Import failed.");
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
}

}  // namespace
}  // namespace qln
