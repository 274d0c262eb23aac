#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "generator/ProjectChecks.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {
namespace {

const char* const kApplicantRequired = "There must be an individual or organizational applicant name.";

template <class T>
T* AddTo(CProject& project, std::string name, std::string residues, std::string organism = "Homo sapiens") {
    auto* seq = new T(&project, std::move(name), std::move(organism), std::move(residues));
    project.Add(seq);
    return seq;
}

template <class T>
Ptr<T> Loose(std::string residues, std::string name = "S1") {
    return Ptr<T>(new T(nullptr, std::move(name), "Homo sapiens", std::move(residues)));
}

void CompleteProjectData(CProject& project) {
    project.GetProjectData()->SetTitle("Title");
    project.GetProjectData()->SetFileReference("Ref");
}

// Writes down everything the check hands over, in order.
class RecordingSink : public CCheckSink {
public:
    void AddMessage(const std::string& text) override { events.push_back("message " + text); }
    void AddWarning(const std::string& text, bool noData) override {
        events.push_back(std::string(noData ? "no-data " : "warning ") + text);
    }
    bool IsCancelled() override {
        events.push_back("cancel?");
        return ++asked == cancelAtAsk;
    }
    void SequenceChecked(int number) override {
        events.push_back("checked " + std::to_string(number));
        if (onChecked) onChecked(number);
    }

    std::vector<std::string> events;
    int asked = 0;
    int cancelAtAsk = -1;
    std::function<void(int)> onChecked;
};

// ---- short and empty sequence warnings ----

TEST(SequenceWarnings, ProjectFormCountsResiduesFromOne) {
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CProtein1Sequence>("ARN", "P1")),
              (StringList{"Warning: Sequence <P1> should contain at least four amino acids."}));
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CProtein1Sequence>("ARND", "P1")).empty());
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CProtein3Sequence>("AlaArgAsn", "P3")),
              (StringList{"Warning: Sequence <P3> should contain at least four amino acids."}));
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CProtein3Sequence>("AlaArgAsnAsp", "P3")).empty());
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CDNASequence>("acgtacgta", "D1")),
              (StringList{"Warning: Sequence <D1> should contain at least ten nucleotides."}));
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CDNASequence>("acgtacgtac", "D1")).empty());
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CRNASequence>("a", "R1")),
              (StringList{"Warning: Sequence <R1> should contain at least ten nucleotides."}));
    // A protein of nine residues is long enough; a nucleotide one is not.
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CProtein1Sequence>("ARNDARNDA", "P1")).empty());
}

TEST(SequenceWarnings, ProjectFormEmptyGetsOnlyNoDataAndMarkerGetsNothing) {
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CDNASequence>("", "D1")),
              (StringList{"Warning: Sequence <D1> has no sequence data."}));
    EXPECT_EQ(ProjectSequenceWarnings(*Loose<CProtein1Sequence>("", "P1")),
              (StringList{"Warning: Sequence <P1> has no sequence data."}));
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CDNASequence>("000", "D1")).empty());
    EXPECT_TRUE(ProjectSequenceWarnings(*Loose<CProtein3Sequence>("000", "P3")).empty());

    // Emptied residues that have a residue file do not count as no data.
    Ptr<CDNASequence> emptied = Loose<CDNASequence>(std::string(150, 'a'), "D2");
    emptied->UnloadResidues();
    emptied->SetResidues("");
    emptied->SetResiduesChanged(true);
    EXPECT_TRUE(ProjectSequenceWarnings(*emptied).empty());
}

TEST(SequenceWarnings, ViewFormWarnsFromZero) {
    EXPECT_EQ(ViewSequenceWarnings(*Loose<CDNASequence>("", "D1")),
              (StringList{"Warning: Sequence <D1> has no sequence data."}));
    EXPECT_EQ(ViewSequenceWarnings(*Loose<CDNASequence>("000", "D1")),
              (StringList{"Warning: Sequence <D1> should contain at least ten nucleotides."}));
    EXPECT_EQ(ViewSequenceWarnings(*Loose<CProtein1Sequence>("000", "P1")),
              (StringList{"Warning: Sequence <P1> should contain at least four amino acids."}));
    EXPECT_EQ(ViewSequenceWarnings(*Loose<CProtein3Sequence>("AlaArgAsn", "P3")),
              (StringList{"Warning: Sequence <P3> should contain at least four amino acids."}));
    EXPECT_TRUE(ViewSequenceWarnings(*Loose<CProtein3Sequence>("AlaArgAsnAsp", "P3")).empty());
    EXPECT_EQ(ViewSequenceWarnings(*Loose<CDNARNASequence>("acgtacgtu", "M1")),
              (StringList{"Warning: Sequence <M1> should contain at least ten nucleotides."}));
    EXPECT_TRUE(ViewSequenceWarnings(*Loose<CDNASequence>("acgtacgtac", "D1")).empty());

    // The view compares the type name ignoring case.
    Ptr<CProtein1Sequence> lowerType = Loose<CProtein1Sequence>("ARNDARND", "P1");
    lowerType->SetTypeName("prt");
    EXPECT_TRUE(ViewSequenceWarnings(*lowerType).empty());
    EXPECT_EQ(ProjectSequenceWarnings(*lowerType),
              (StringList{"Warning: Sequence <P1> should contain at least ten nucleotides."}));
}

// ---- the main view's check of one sequence ----

TEST(ViewCheck, MessagesAreTheSequenceChecksThenTheWarnings) {
    CProject project;
    auto* bad = AddTo<CDNASequence>(project, "S1", "acgu");
    const CViewCheckResult failed = CheckSequenceForView(*bad);
    EXPECT_EQ(failed.messages, (StringList{"Sequence 'S1': Invalid character 'u' at location 4.",
                                           "Warning: Sequence <S1> should contain at least ten nucleotides."}));
    EXPECT_EQ(failed.statusText, "Validation is unsuccessful.");
    EXPECT_EQ(bad->GetResiduesValid(), 0);

    auto* shortOne = AddTo<CProtein1Sequence>(project, "P1", "ARN");
    const CViewCheckResult warned = CheckSequenceForView(*shortOne);
    EXPECT_EQ(warned.messages, (StringList{"Warning: Sequence <P1> should contain at least four amino acids."}));
    EXPECT_EQ(warned.statusText, "Validation is unsuccessful.");

    auto* good = AddTo<CDNASequence>(project, "S2", "acgt acgta c");
    const CViewCheckResult passed = CheckSequenceForView(*good);
    EXPECT_TRUE(passed.messages.empty());
    EXPECT_EQ(passed.statusText, "Validation is successful.");
}

TEST(ViewCheck, WhiteSpaceOnlyResiduesHaveNoData) {
    CProject project;
    auto* seq = AddTo<CDNASequence>(project, "S1", " \n ");
    EXPECT_EQ(CheckSequenceForView(*seq).messages, (StringList{"Warning: Sequence <S1> has no sequence data."}));
}

// ---- the project checks ----

TEST(ProjectChecks, CompleteDataWithoutApplicantsOrSequencesGivesOnlyTheApplicantMessage) {
    CProject project;
    CompleteProjectData(project);
    EXPECT_EQ(project.Validate(0), (StringList{kApplicantRequired}));
    EXPECT_EQ(project.GetMessages(), (StringList{kApplicantRequired}));
    // The next run starts afresh.
    EXPECT_EQ(project.Validate(0), (StringList{kApplicantRequired}));
}

TEST(ProjectChecks, RecordsThenSequencesInOrderThroughTheSink) {
    CProject project;  // no title
    project.GetProjectData()->SetFileReference("Ref");
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "US 1", ""));
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "", "2001-01-01"));
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "Ann", ""));
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Org"));
    project.GetOrgApplicants().Add(new COrgApplicant(&project, ""));
    AddTo<CDNASequence>(project, "S1", "acgtacgtac");
    AddTo<CDNASequence>(project, "S2", "!!")->SetSkipped(true);
    AddTo<CDNASequence>(project, "S3", "acgx");
    AddTo<CProtein1Sequence>(project, "S4", "");

    RecordingSink sink;
    RunProjectChecks(project, sink);
    EXPECT_EQ(sink.events,
              (std::vector<std::string>{
                  "message Project Data Screen: Title Of Invention: Cannot be blank.",
                  "message Prior Application Data Screen:Row 1: Prior Application Number/Prior Filing Date: Both "
                  "fields must be filled in.",
                  "message Prior Application Data Screen:Row 2: Prior Application Number/Prior Filing Date: Both "
                  "fields must be filled in.",
                  "message Organization Applicant Screen:Row 2: Organization name is required.",
                  "message Individual Applicant Screen:Row 1: Both Last Name and First Name are required.",
                  "cancel?",
                  "checked 1",
                  "cancel?",
                  "cancel?",
                  "message Sequence 'S3': Invalid character 'x' at location 4.",
                  "checked 3",
                  "warning Warning: Sequence <S3> should contain at least ten nucleotides.",
                  "cancel?",
                  "checked 4",
                  "no-data Warning: Sequence <S4> has no sequence data.",
              }));
}

TEST(ProjectChecks, ApplicantMessageComesBeforeTheSequences) {
    CProject project;
    CompleteProjectData(project);
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "US 1", ""));
    AddTo<CDNASequence>(project, "S1", "acgtacgtac", "");

    EXPECT_EQ(project.Validate(0),
              (StringList{"Prior Application Data Screen:Row 1: Prior Application Number/Prior Filing Date: Both "
                          "fields must be filled in.",
                          kApplicantRequired, "Sequence: S1: Organism Name is required."}));
}

TEST(ProjectChecks, WarningsAreKeptWithTheOtherMessagesOfTheProject) {
    CProject project;
    CompleteProjectData(project);
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Org"));
    AddTo<CDNASequence>(project, "S1", "");
    AddTo<CProtein3Sequence>(project, "P3", "AlaGly");
    AddTo<CDNASequence>(project, "S3", "000");
    EXPECT_EQ(project.Validate(0), (StringList{"Warning: Sequence <S1> has no sequence data.",
                                               "Warning: Sequence <P3> should contain at least four amino acids."}));
}

TEST(ProjectChecks, CancellationStopsBeforeTheNextSequence) {
    CProject project;
    CompleteProjectData(project);
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Org"));
    auto* first = AddTo<CDNASequence>(project, "S1", "acgtacgtaq");
    auto* second = AddTo<CDNASequence>(project, "S2", std::string(150, 'x'));
    second->UnloadResidues();

    RecordingSink sink;
    sink.cancelAtAsk = 2;
    RunProjectChecks(project, sink);
    EXPECT_EQ(sink.events,
              (std::vector<std::string>{"cancel?", "message Sequence 'S1': Invalid character 'q' at location 10.",
                                        "checked 1", "cancel?"}));
    EXPECT_EQ(first->GetResiduesValid(), 0);
    EXPECT_TRUE(second->GetMessages().empty());
    EXPECT_FALSE(second->AreResiduesInMemory());

    // Cancelled before the first sequence: only the record checks ran.
    RecordingSink early;
    early.cancelAtAsk = 1;
    project.GetOrgApplicants().RemoveAll();
    RunProjectChecks(project, early);
    EXPECT_EQ(early.events, (std::vector<std::string>{"message " + std::string(kApplicantRequired), "cancel?"}));
}

TEST(ProjectChecks, LongResiduesAreInMemoryOnlyForTheirOwnCheck) {
    CProject project;
    CompleteProjectData(project);
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Org"));
    const std::string residues = std::string(120, 'a') + std::string(30, 'c');
    std::vector<CSequence*> sequences;
    for (const char* name : {"L1", "L2", "L3"}) sequences.push_back(AddTo<CDNASequence>(project, name, residues));
    sequences[0]->UnloadResidues();
    sequences[1]->UnloadResidues();
    // L3 was never parked: the check parks it too.
    ASSERT_TRUE(sequences[2]->AreResiduesInMemory());
    sequences.push_back(AddTo<CDNASequence>(project, "Short", "acgtacgtac"));

    RecordingSink sink;
    // While one is checked, the ones before it are parked again.
    sink.onChecked = [&](int number) {
        EXPECT_TRUE(sequences[number - 1]->AreResiduesInMemory()) << number;
        for (int i = 0; i < number - 1 && i < 3; ++i)
            EXPECT_FALSE(sequences[i]->AreResiduesInMemory()) << "while checking " << number;
    };
    RunProjectChecks(project, sink);
    EXPECT_EQ(sink.asked, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(sequences[i]->AreResiduesInMemory());
        EXPECT_EQ(sequences[i]->GetResidues(), residues);
    }
    EXPECT_TRUE(sequences[3]->AreResiduesInMemory());
}

TEST(ProjectChecks, SkippedSequencesAreNeitherLoadedNorChecked) {
    CProject project;
    CompleteProjectData(project);
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Org"));
    auto* skipped = AddTo<CDNASequence>(project, "S1", std::string(150, 'x'), "");
    skipped->UnloadResidues();
    skipped->SetSkipped(true);
    EXPECT_TRUE(project.Validate(0).empty());
    EXPECT_FALSE(skipped->AreResiduesInMemory());
    EXPECT_EQ(skipped->GetOrganism(), "");
}

}  // namespace
}  // namespace qln
