#include <gtest/gtest.h>

#include <string>

#include "import/ListingParser.h"
#include "model/AminoAcidCode.h"
#include "model/Feature.h"
#include "model/Publication.h"
#include "model/Sequence.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

using test::ListingRun;

// The header the writer makes for a project with one organization applicant.
const std::string kHeader =
    "                         SEQUENCE LISTING\n"
    "\n"
    "<110>  Acme Corp\n"
    " \n"
    "<120>  Widgets\n"
    "\n"
    "<130>  REF-1\n"
    "\n"
    "<160>  1     \n"
    "\n"
    "<170>  Quillion version 3.5\n"
    "\n";

const std::string kFile = "/in/listing.txt";

std::string Dna(const std::string& id, const std::string& lines, const std::string& organism = "Homo sapiens") {
    return "<210>  " + id + "\n<211>  1\n<212>  DNA\n<213>  " + organism + "\n\n<400>  " + id + "\n" + lines + "\n";
}

std::string Protein(const std::string& id, const std::string& lines, const std::string& organism = "Homo sapiens") {
    return "<210>  " + id + "\n<211>  1\n<212>  PRT\n<213>  " + organism + "\n\n<400>  " + id + "\n\n" + lines + "\n\n";
}

// =====================================================================
// Whole file
// =====================================================================

TEST(ListingFileTest, OnlyBlankLines) {
    ListingRun run("\n   \n\t\r\n");
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.Messages(), StringList{"* The file '/in/listing.txt' contains only blank spaces.  There is nothing "
                                         "to be imported."});
}

TEST(ListingFileTest, TextWithoutAnyIdentifier) {
    ListingRun run;
    CProjectData* const data = run.project->GetProjectData();
    run.Parse("Dear reader,\nno listing here.\n");
    EXPECT_EQ(run.Messages(),
              StringList{"* No sequence information is imported from the file '/in/listing.txt'.  This imported "
                         "file does not comply with Quillion generated ST.25 sequence listing file.  Please check "
                         "the file and try again."});
    EXPECT_EQ(run.project->GetProjectData(), data);
}

TEST(ListingFileTest, ListingEndingAfterTheHeader) {
    ListingRun run(kHeader);
    EXPECT_EQ(run.Messages(), StringList{"* No more sequence information found to be imported from the file "
                                         "'/in/listing.txt'."});
    ASSERT_NE(run.project->GetProjectData(), nullptr);
    EXPECT_EQ(run.project->GetProjectData()->GetTitle(), "Widgets");
}

TEST(ListingFileTest, NoSequenceImported) {
    ListingRun run(kHeader + "<210>  1\n<211>  3\n");
    EXPECT_EQ(run.Messages(), StringList{"No sequences are imported from the file '/in/listing.txt'."});
}

TEST(ListingFileTest, SmallListingReadsCleanly) {
    ListingRun run(kHeader + Dna("1", "acgtacgtac gtacgtacgt                                                   20\n") +
                   Protein("2", "Met Ala Ser Xaa \n1               "));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 2);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_1");
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgtacgtacgtacgtacgt");
    EXPECT_EQ(run.Sequence(1).GetName(), "Seq_2");
    // None of them is in the project yet.
    EXPECT_EQ(run.project->GetSequences().GetSize(), 0);
    EXPECT_EQ(run.Sequence(0).GetProject(), run.project.get());
}

TEST(ListingFileTest, SourceReferenceIsTheFileNameWithoutFolder) {
    ListingRun run;
    run.Parse(kHeader + Dna("1", "acgt    4\n"), "C:\\data\\run\\list_ST25.txt");
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetSourceReference(), "list_ST25.txt");
    run.Parse(kHeader + Dna("1", "acgt    4\n"), "/home/u/l.txt");
    EXPECT_EQ(run.Sequence(0).GetSourceReference(), "l.txt");
}

TEST(ListingFileTest, ProgressReportsPositionsAndSequencesAnalysed) {
    ListingRun run(kHeader + Dna("1", "acgt    4\n") + Dna("2", "acgt    4\n") + Dna("3", "acgu    4\n"));
    EXPECT_EQ(run.progress.ValuesOf(CImportProgress::kSequencesAnalyzed), (std::vector<int>{1, 2, 3}));
    const std::vector<int> positions = run.progress.ValuesOf(CImportProgress::kProgressPosition);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.front(), 1);
    EXPECT_LE(positions.back(), 100);
}

TEST(ListingFileTest, StopRequestLeavesOnlyItsMessageAndNoSequences) {
    ListingRun run;
    run.progress.stopAfterAnalysed = 1;
    run.Parse(kHeader + Dna("1", "acgt    4\n") + "<210>  2\n<211>  3\n<212>  XYZ\n" + Dna("3", "acgt    4\n"));
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.Messages(), StringList{"Import canceled by user."});
    EXPECT_EQ(run.Sequences().GetSize(), 0);
    // The header read before the stop stays in the project.
    EXPECT_EQ(run.project->GetOrgApplicants().GetSize(), 1);
}

TEST(ListingFileTest, StopRequestDuringTheSearch) {
    ListingRun run;
    run.progress.stopAfterChecks = 0;
    run.Parse(kHeader);
    EXPECT_EQ(run.Messages(), StringList{"Import canceled by user."});
}

TEST(ListingFileTest, ParsingAgainStartsOver) {
    ListingRun run("no listing\n");
    ASSERT_EQ(run.Messages().size(), 1u);
    run.Parse(kHeader + Dna("1", "acgt    4\n"));
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

// =====================================================================
// Header section
// =====================================================================

TEST(ListingHeaderTest, SoftwareNameWithTheProductNameAndASpacePasses) {
    for (const char* software : {"Quillion version 3.5", "QUILLION 2", "quillion x"}) {
        ListingRun run(kHeader.substr(0, kHeader.find("<170>")) + "<170>  " + software + "\n" + Dna("1", "acgt   4\n"));
        EXPECT_TRUE(run.ok) << software;
    }
}

TEST(ListingHeaderTest, OtherSoftwareIsRefused) {
    for (const char* software : {"SeqWriter version 1.0", "Quillion", "QuillionX 3", "Software: FastSEQ"}) {
        ListingRun run;
        CProjectData* const data = run.project->GetProjectData();
        run.Parse(kHeader.substr(0, kHeader.find("<170>")) + "<170>  " + software + "\n" + Dna("1", "acgt   4\n"));
        EXPECT_EQ(run.Messages(), StringList{"* This sequence listing file was not generated by the Quillion "
                                             "software.  Therefore, the import process will not be performed."})
            << software;
        EXPECT_EQ(run.Sequences().GetSize(), 0);
        EXPECT_EQ(run.project->GetProjectData(), data);
    }
}

TEST(ListingHeaderTest, SoftwareLabelIsRemoved) {
    ListingRun run(kHeader.substr(0, kHeader.find("<170>")) + "<170>  Software: Quillion 3.5\n" +
                   Dna("1", "acgt   4\n"));
    EXPECT_TRUE(run.ok);
}

TEST(ListingHeaderTest, MissingHeaderItemsAreAllReported) {
    ListingRun run("<160>  1\n" + Dna("1", "acgt   4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* <110>: Missing Applicant Names", "* <120>: Missing Tittle of Invention.",
                          "* <130>: Missing Application File Reference.",
                          "* <170>: The software name is not listed before the first <210> numeric ID in the "
                          "sequence listing.  This listing was not generated by the Quillion software.  Therefore, "
                          "the import process will not be performed."}));
    EXPECT_EQ(run.Sequences().GetSize(), 0);
}

TEST(ListingHeaderTest, SoftwareAfterTheFirstSequenceIsTooLate) {
    ListingRun run("<110>  A\n<120>  T\n<130>  R\n" + Dna("1", "acgt   4\n") + "<170>  Quillion 3\n");
    EXPECT_EQ(run.Messages().back(),
              "* <170>: The software name is not listed before the first <210> numeric ID in the sequence listing.  "
              "This listing was not generated by the Quillion software.  Therefore, the import process will not be "
              "performed.");
}

TEST(ListingHeaderTest, EmptyTitleAndReferenceCountAsMissing) {
    ListingRun run("<110>  A\n<120>\n<130>    \n<170>  Quillion 3\n" + Dna("1", "acgt   4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* <120>: Missing Tittle of Invention.", "* <130>: Missing Application File Reference."}));
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingHeaderTest, ContinuationLinesJoinWithOneBlank) {
    ListingRun run(
        "<110>  A\n"
        "<120>  COMPOSITIONS AND METHODS FOR \n"
        "       PRODUCING THINGS\n"
        "\n"
        "       AND MORE\n"
        "<130>  R\n"
        "<140>  PCT/US\n"
        "       2012/1\n"
        "<170>  Quillion 3\n" +
        Dna("1", "acgt   4\n"));
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.project->GetProjectData()->GetTitle(), "COMPOSITIONS AND METHODS FOR PRODUCING THINGS AND MORE");
    EXPECT_EQ(run.project->GetProjectData()->GetApplicationNumber(), "PCT/US 2012/1");
    EXPECT_EQ(run.project->GetProjectData()->GetFileReference(), "R");
}

TEST(ListingHeaderTest, TitleLabelIsRemoved) {
    ListingRun run("<110>  A\n<120>  Title of Invention: Foo\n<130>  R\n<170>  Quillion 3\n" + Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.project->GetProjectData()->GetTitle(), "Foo");
}

TEST(ListingHeaderTest, ApplicantNamesGoToTheNamesQuestion) {
    ListingRun run;
    CNameAttribute org;
    org.displayText = "Acme Corp";
    CNameAttribute smith;
    smith.kind = CNameAttribute::kIndividual;
    smith.lastName = "Smith";
    smith.firstName = "John";
    smith.middleInitial = "A";
    smith.suffix = "Jr";
    CNameAttribute doe = smith;
    doe.lastName = "Doe";
    doe.firstName = "Jane";
    doe.middleInitial.clear();
    doe.suffix.clear();
    run.choices.names = std::vector<CNameAttribute>{org, smith, doe};
    run.Parse(
        "<110>  Acme Corp\n"
        "       Smith, John A Jr\n"
        "\n"
        "       Doe, Jane\n"
        " \n"
        "<120>  T\n<130>  R\n<170>  Quillion 3\n" +
        Dna("1", "acgt 4\n"));
    EXPECT_TRUE(run.ok);
    ASSERT_EQ(run.choices.nameQuestions.size(), 1u);
    EXPECT_EQ(run.choices.nameQuestions[0], (StringList{"Acme Corp", "Smith, John A Jr", "Doe, Jane"}));
    ASSERT_EQ(run.project->GetOrgApplicants().GetSize(), 1);
    EXPECT_EQ(run.project->GetOrgApplicants()[0]->GetOrganizationName(), "Acme Corp");
    EXPECT_EQ(run.project->GetOrgApplicants()[0]->GetParent(), run.project.get());
    ASSERT_EQ(run.project->GetIndivApplicants().GetSize(), 2);
    const CIndivApplicant& first = *run.project->GetIndivApplicants()[0];
    EXPECT_EQ(first.GetLastName(), "Smith");
    EXPECT_EQ(first.GetFirstName(), "John");
    EXPECT_EQ(first.GetMiddleInitial(), "A");
    EXPECT_EQ(first.GetSuffix(), "Jr");
    EXPECT_EQ(first.GetStreet(), "");
    EXPECT_EQ(run.project->GetIndivApplicants()[1]->GetLastName(), "Doe");
}

TEST(ListingHeaderTest, ApplicantOnTheLinesAfterAnEmptyItem) {
    ListingRun run("<110>\n  Acme\n<120>  T\n<130>  R\n<170>  Quillion 3\n" + Dna("1", "acgt 4\n"));
    ASSERT_EQ(run.choices.nameQuestions.size(), 1u);
    EXPECT_EQ(run.choices.nameQuestions[0], StringList{"Acme"});
}

TEST(ListingHeaderTest, NoApplicantNames) {
    ListingRun run("<110>\n\n<120>  T\n<130>  R\n<170>  Quillion 3\n" + Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.Messages(), StringList{"* No applicant names found under numeric identifier <110>."});
    EXPECT_TRUE(run.choices.nameQuestions.empty());
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingHeaderTest, CancelledNamesQuestionEndsTheImport) {
    ListingRun run;
    run.choices.cancelNames = true;
    CProjectData* const data = run.project->GetProjectData();
    run.Parse(kHeader + Dna("1", "acgt 4\n"));
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.Messages(), StringList{"Import canceled by user."});
    EXPECT_EQ(run.Sequences().GetSize(), 0);
    EXPECT_EQ(run.project->GetProjectData(), data);
    EXPECT_EQ(run.project->GetOrgApplicants().GetSize(), 0);
}

TEST(ListingHeaderTest, InvalidIdentifierIsReportedAndReadingGoesOn) {
    ListingRun run("<110>  A\n<125>  what\n<120>  T\n<130>  R\n<170>  Quillion 3\n" + Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Encountered an invalid numeric identifier.", "   Input line #2: <125>  what"}));
    EXPECT_EQ(run.project->GetProjectData()->GetTitle(), "T");
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingHeaderTest, DatesAreNormalised) {
    ListingRun run("<110>  A\n<120>  T\n<130>  R\n<140>  PCT/1\n<141>  2001/02/03\n<170>  Quillion 3\n" +
                   Dna("1", "acgt 4\n"));
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.project->GetProjectData()->GetFilingDate().GetText(), "2001-02-03");
}

TEST(ListingHeaderTest, InvalidDatesBecomeBlankWithAMessage) {
    ListingRun run(
        "<110>  A\n<120>  T\n<130>  R\n<141>  20010203\n"
        "<150>  US 1\n<151>  2001-2-3\n<170>  Quillion 3\n" +
        Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Project Data:  Current Filing Date <141>: Invalid date format '20010203'.  Please "
                          "re-enter the date with YYYY-MM-DD date format on the Project Data screen.",
                          "* Prior Application Data: Prior Application Date <151>: Invalid date format "
                          "'2001-2-3'.  Please re-enter the date with YYYY-MM-DD date format on the Prior "
                          "Application Data screen."}));
    EXPECT_EQ(run.project->GetProjectData()->GetFilingDate().GetText(), "____-__-__");
    ASSERT_EQ(run.project->GetPriorApplications().GetSize(), 1);
    EXPECT_EQ(run.project->GetPriorApplications()[0]->GetFilingDate().GetText(), "____-__-__");
}

TEST(ListingHeaderTest, PriorApplicationsPairNumbersWithDates) {
    ListingRun run(
        "<110>  A\n<120>  T\n<130>  R\n"
        "<150>  US 1\n<151>  2001-01-01\n\n"
        "<151>  2002-02-02\n<150>  US\n       2\n"  // date first; a wrapped number
        "<150>  US 3\n<151>\n"
        "<150>  US 4\n"  // left without a date
        "<170>  Quillion 3\n" +
        Dna("1", "acgt 4\n"));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    const auto& priors = run.project->GetPriorApplications();
    ASSERT_EQ(priors.GetSize(), 4);
    EXPECT_EQ(priors[0]->GetNumber(), "US 1");
    EXPECT_EQ(priors[0]->GetFilingDate().GetText(), "2001-01-01");
    EXPECT_EQ(priors[1]->GetNumber(), "US 2");
    EXPECT_EQ(priors[1]->GetFilingDate().GetText(), "2002-02-02");
    EXPECT_EQ(priors[2]->GetNumber(), "US 3");
    EXPECT_TRUE(priors[2]->GetFilingDate().IsEmpty());
    EXPECT_EQ(priors[3]->GetNumber(), "US 4");
    EXPECT_TRUE(priors[3]->GetFilingDate().IsEmpty());
    EXPECT_EQ(priors[0]->GetParent(), run.project.get());
}

// =====================================================================
// Sequence blocks
// =====================================================================

TEST(ListingSequenceTest, DnaWithTwoBaseLines) {
    ListingRun run(kHeader +
                   "<210>  3\n<211>  70\n<212>  DNA\n<213>  Mus musculus\n\n<400>  3\n"
                   "acgtacgtac gtacgtacgt acgtacgtac gtacgtacgt acgtacgtac gtacgtacgt       60\n\n"
                   "ttttttttt g                                                            70\n\n");
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    CSequence& sequence = run.Sequence(0);
    EXPECT_EQ(sequence.GetRuntimeClass().name, "CDNASequence");
    EXPECT_EQ(sequence.GetName(), "Seq_3");
    EXPECT_EQ(sequence.GetOrganism(), "Mus musculus");
    EXPECT_EQ(sequence.GetResidues(), "acgtacgtacgtacgtacgtacgtacgtacgtacgtacgtacgtacgtacgtacgtacgttttttttttg");
    EXPECT_EQ(sequence.GetResidueCount(), 70);
    EXPECT_FALSE(sequence.IsSkipped());
    EXPECT_TRUE(sequence.AreResiduesChanged());
    EXPECT_EQ(sequence.GetResiduesValid(), 1);
}

TEST(ListingSequenceTest, TypesCreateTheirClasses) {
    ListingRun run(kHeader + "<210>  1\n<212>  rna\n<213>  X\n<400>  1\nacgu   4\n" +
                   "<210>  2\n<212>  DNA/RNA\n<213>  X\n<400>  2\nacgtu   5\n" +
                   "<210>  3\n<212>  Prt\n<213>  X\n<400>  3\nMetLys\n");
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 3);
    EXPECT_EQ(run.Sequence(0).GetRuntimeClass().name, "CRNASequence");
    EXPECT_EQ(run.Sequence(1).GetRuntimeClass().name, "CDNARNASequence");
    EXPECT_EQ(run.Sequence(2).GetRuntimeClass().name, "CProtein3Sequence");
    EXPECT_EQ(run.Sequence(2).GetOrganism(), "X");
}

TEST(ListingSequenceTest, InvalidRnaBasesAreReportedAndTheSequenceDropped) {
    ListingRun run(kHeader + "<210>  1\n<212>  RNA\n<213>  X\n<400>  1\nacgt   4\n");
    EXPECT_EQ(run.Messages(),
              (StringList{"* Sequence ID '1': It contains invalid characters.  This sequence  will not be imported.",
                          "Sequence 'Seq_1': Invalid character 't' at location 4.",
                          "No sequences are imported from the file '/in/listing.txt'."}));
}

TEST(ListingSequenceTest, DnaWithUBecomesDnaRna) {
    ListingRun run(kHeader +
                   "<210>  2\n<211>  8\n<212>  DNA\n<213>  Artificial Sequence\n\n"
                   "<220>\n<223>  made up\n\n<220>\n<221>  misc_feature\n<222>  (2)..(3)\n<223>  note\n\n"
                   "<300>\n<308>  AB1\n<309>  2001-01-01\n<313>  (1)..(8)\n\n"
                   "<400>  2\nacgtacgu        8\n\n");
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '2': 'U' is detected in the sequence.  However, the sequence type is listed "
                         "as DNA. The sequence type will be stored in Quillion as 'DNA/RNA' type.  The ST.25 output "
                         "file will display 'DNA' type."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    CSequence& sequence = run.Sequence(0);
    EXPECT_EQ(sequence.GetRuntimeClass().name, "CDNARNASequence");
    EXPECT_EQ(sequence.GetResidues(), "acgtacgu");
    EXPECT_EQ(sequence.GetOrganism(), "Artificial Sequence");
    EXPECT_EQ(sequence.GetComment()->GetComment(), "made up");
    EXPECT_EQ(sequence.GetComment()->GetParent(), &sequence);
    ASSERT_EQ(sequence.GetFeatures().GetSize(), 1);
    EXPECT_EQ(sequence.GetFeatures()[0]->GetParent(), &sequence);
    ASSERT_EQ(sequence.GetDatabases().GetSize(), 1);
    EXPECT_EQ(sequence.GetDatabases()[0]->GetParent(), &sequence);
    EXPECT_EQ(sequence.GetSourceReference(), "listing.txt");
}

TEST(ListingSequenceTest, DnaWithUAndOtherFaultsIsNotImported) {
    ListingRun run(kHeader + "<210>  2\n<212>  DNA\n<213>  X\n<400>  2\nacuxa   5\n");
    EXPECT_EQ(run.Messages(),
              (StringList{"* Sequence ID '2': It contains invalid characters.  This sequence  will not be imported.",
                          "Sequence 'Seq_2': Invalid character 'x' at location 4.",
                          "No sequences are imported from the file '/in/listing.txt'."}));
}

TEST(ListingSequenceTest, ValueMissingOnTheRightSide) {
    ListingRun run(kHeader +
                   "<210>  1\n<211>\n<212>  DNA\n<213>  X\n<220>\n<221>  misc_feature\n<222>  (1)..(2)\n"
                   "<223>\n<400>  1\nacgt 4\n");
    EXPECT_EQ(run.Messages(),
              (StringList{"* Input line #14: Sequence ID '1': Length is expected on the right side of <211>.",
                          "* Input line #20: Sequence ID '1': Other Information is expected on the right side of "
                          "<223>."}));
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingSequenceTest, EmptySequenceIdSkipsTheBlock) {
    ListingRun run(kHeader + "<210>\n<211>  4\n\n<212>  DNA\n" + Dna("2", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Input line #13: Sequence ID is expected on the right side of <210>.",
                          "\n* The following input lines are not processed because there is a problem to create "
                          "the sequence object:",
                          "   Input line #13: <210>", "   Input line #14: <211>  4",
                          "   Input line #15: ", "   Input line #16: <212>  DNA"}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_2");
}

TEST(ListingSequenceTest, TypeBeforeSequenceIdSkipsToTheNextBlock) {
    ListingRun run(kHeader + "<212>  DNA\n<213>  X\n" + Dna("2", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"\n* Sequence type <212> or organism <213> appeared before sequence ID <210>. Input lines "
                          "before <210> were skipped.",
                          "   Input line #14: <213>  X"}));
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingSequenceTest, HeaderIdentifierInsideTheSequencesEndsTheParse) {
    ListingRun run(kHeader + Dna("1", "acgt 4\n") + "<210>  2\n<140>  PCT/1\n" + Dna("3", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Numeric ID <140> appeared while expecting sequence data with numeric identifier 210 and "
                         "higher. The Import process will not be continued. Please make correction and import the "
                         "file again."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_1");
}

TEST(ListingSequenceTest, InvalidIdentifiersInASequenceBlock) {
    ListingRun run(kHeader + "<210>  1\n<214>  odd\n<0>  zero\n<212>  DNA\n<213>  X\n<400>  1\nacgt 4\n");
    EXPECT_EQ(
        run.Messages(),
        (StringList{"* Input line #14: <214>  odd", "   Sequence ID '1': Encountered an invalid numeric identifier.",
                    "   The input lines following an invalid numeric identifier are ignored.",
                    "* Input line #15: <0>  zero", "   Sequence ID '1': Encountered an invalid numeric identifier.",
                    "   A numeric identifier is expected before the input line."}));
    EXPECT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingSequenceTest, InvalidIdentifierBeforeAnyBlock) {
    ListingRun run(kHeader + "<500>  x\n" + Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.Messages(), (StringList{"* Input line #13: <500>  x", "   Encountered an invalid numeric identifier.",
                                          "   The input lines following an invalid numeric identifier are ignored."}));
}

TEST(ListingSequenceTest, OrganismWithoutSequenceId) {
    // The first block's <213> comes after a <210> of the header's own kind:
    // the check for "before <210>" catches it first.
    ListingRun run(kHeader + "<213>  X\n" + Dna("1", "acgt 4\n"));
    EXPECT_EQ(run.Messages()[0],
              "\n* Sequence type <212> or organism <213> appeared before sequence ID <210>. Input lines before <210> "
              "were skipped.");
}

TEST(ListingSequenceTest, OrganismContinuationReachesTheSequence) {
    ListingRun run(kHeader + "<210>  1\n<212>  DNA\n<213>  Escherichia\n       coli K12\n<400>  1\nacgt 4\n");
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetOrganism(), "Escherichia coli K12");
}

// ---- skipped sequences ----

TEST(ListingSequenceTest, SkippedSequenceWithoutTypeAsksForOne) {
    ListingRun run;
    run.choices.skippedType = CImportChoices::kProtein1;
    run.Parse(kHeader + "<210>  4\n\n<400>  4\n000\n\n" + Dna("5", "acgt 4\n"));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    EXPECT_EQ(run.choices.skippedTypeQuestions,
              StringList{"Please select a sequence type for the skipped sequence ID '4':"});
    ASSERT_EQ(run.Sequences().GetSize(), 2);
    CSequence& skipped = run.Sequence(0);
    EXPECT_EQ(skipped.GetRuntimeClass().name, "CProtein1Sequence");
    EXPECT_EQ(skipped.GetName(), "Seq_4");
    EXPECT_TRUE(skipped.IsSkipped());
    EXPECT_EQ(skipped.GetResidues(), "");
    EXPECT_EQ(skipped.GetOrganism(), "");
    EXPECT_EQ(skipped.GetSourceReference(), "listing.txt");
    EXPECT_EQ(run.Sequence(1).GetName(), "Seq_5");
}

TEST(ListingSequenceTest, SkippedSequenceTypeDefaultsToDna) {
    ListingRun run;
    run.choices.skippedType = std::nullopt;
    run.Parse(kHeader + "<210>  4\n<400>  4\n000");  // no line end at the very end
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetRuntimeClass().name, "CDNASequence");
    EXPECT_TRUE(run.Sequence(0).IsSkipped());
    EXPECT_TRUE(run.ok);
}

TEST(ListingSequenceTest, SkippedResiduesWithoutSequenceIdAreNotASequence) {
    ListingRun run(kHeader + "<400>  4\n000\n\n" + Dna("5", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"\n* The following input lines are not processed because there is a problem to create "
                          "the sequence object:",
                          "     Missing data line <210> which contains sequence ID.",
                          "     Missing data line <212> which contains sequence type.",
                          "     Missing data line <213> which contains organism name.", "   Input line #14: 000",
                          "   Input line #15: "}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_5");
    EXPECT_TRUE(run.choices.skippedTypeQuestions.empty());
}

TEST(ListingSequenceTest, ResiduesWithoutTypeOrOrganism) {
    ListingRun run(kHeader + "<210>  4\n<211>  4\n<400>  4\nacgt    4\n\n" + Dna("5", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"\n* The following input lines are not processed because there is a problem to create "
                          "the sequence object:",
                          "  Sequence ID '4':", "     Missing data line <212> which contains sequence type.",
                          "     Missing data line <213> which contains organism name.", "   Input line #16: acgt    4",
                          "   Input line #17: "}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
}

TEST(ListingSequenceTest, TypedSequenceListedWithoutResidues) {
    ListingRun run(kHeader +
                   "<210>  1\n<212>  RNA\n<213>  X\n<400>  1\n000\n\n<210>  2\n<212>  RNA\n<213>  Y\n"
                   "<400>  2\n\n");
    EXPECT_TRUE(run.ok);
    ASSERT_EQ(run.Sequences().GetSize(), 2);
    EXPECT_TRUE(run.Sequence(0).IsSkipped());
    EXPECT_EQ(run.Sequence(0).GetResidues(), "");
    EXPECT_EQ(run.Sequence(0).GetOrganism(), "X");
    EXPECT_TRUE(run.Sequence(1).IsSkipped());
}

TEST(ListingSequenceTest, EndOfFileRightAfterResidueIdentifier) {
    ListingRun run(kHeader + "<210>  1\n<212>  RNA\n<213>  X\n<400>  1");
    EXPECT_EQ(run.Messages(), (StringList{"* Unexpected end of the input file encountered.",
                                          "No sequences are imported from the file '/in/listing.txt'."}));
}

// ---- type questions ----

TEST(ListingTypeTest, InvalidTypeIsCorrectedByTheUser) {
    ListingRun run;
    run.choices.invalidType = CImportChoices::kRNA;
    run.Parse(kHeader + "<210>  7\n<211>  4\n<212>  PROTEIN\n<213>  X\n\n<400>  7\nacgu    4\n\n");
    ASSERT_EQ(run.choices.invalidTypeQuestions.size(), 1u);
    EXPECT_EQ(run.choices.invalidTypeQuestions[0].first,
              "* An invalid sequence type has been detected, <212> PROTEIN. The first 60 characters of the sequence "
              "are displayed. Please select a valid sequence type below for this sequence shown.");
    EXPECT_EQ(run.choices.invalidTypeQuestions[0].second, "<210> 7\r\n<212> PROTEIN\r\n<400>  7\r\nacgu    4");
    EXPECT_EQ(run.Messages(), StringList{"* Sequence ID '7' has encountered an invalid sequence type 'PROTEIN'. It "
                                         "has been corrected by the user with sequence type 'RNA'."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetRuntimeClass().name, "CRNASequence");
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgu");
    EXPECT_EQ(run.Sequence(0).GetOrganism(), "X");
}

TEST(ListingTypeTest, MissingTypeIsAskedForWhenTheOrganismComes) {
    ListingRun run;
    run.choices.invalidType = CImportChoices::kProtein1;
    run.Parse(kHeader + "<210>  7\n<213>  X\n<400>  7\n\nMet Lys\n");
    ASSERT_EQ(run.choices.invalidTypeQuestions.size(), 1u);
    EXPECT_EQ(run.choices.invalidTypeQuestions[0].first,
              "* The input line <212> containing sequence type is missing. The first 60 characters of the sequence "
              "is displayed. Please select a valid sequence type below for this sequence shown.");
    EXPECT_EQ(run.choices.invalidTypeQuestions[0].second, "<210> 7\r\n<400>  7\r\n");
    EXPECT_EQ(run.Messages(), StringList{"* Sequence ID '7' has encountered an invalid sequence type ''. It has been "
                                         "corrected by the user with sequence type 'PRT'."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetRuntimeClass().name, "CProtein3Sequence");
}

TEST(ListingTypeTest, NewSequenceBeforeTheResidues) {
    ListingRun run(kHeader + "<210>  7\n<212>  XNA\n<213>  X\n" + Dna("8", "acgt 4\n"));
    ASSERT_EQ(run.choices.invalidTypeQuestions.size(), 1u);
    EXPECT_EQ(run.choices.invalidTypeQuestions[0].second, "<210> 7\r\n<212> XNA\r\n");
    EXPECT_EQ(run.Messages(),
              (StringList{"* Sequence ID '7': Encountered a start of new sequence '8' before its own <400> information "
                          "appears. No sequence information was stored for this sequence.",
                          "* Sequence ID '7' has encountered an invalid sequence type 'XNA'. It has been corrected by "
                          "the user with sequence type 'DNA'."}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_8");
}

TEST(ListingTypeTest, QuestionThatCannotBeAskedEndsTheParse) {
    ListingRun run;
    run.choices.invalidType = std::nullopt;
    run.Parse(kHeader + Dna("1", "acgt 4\n") + "<210>  2\n<212>  XNA\n<213>  X\n<400>  2\nacgt 4\n" +
              Dna("3", "acgt 4\n"));
    EXPECT_EQ(run.Messages(), StringList{"* Sequence ID '2' has encountered an invalid sequence type 'XNA'. Could not "
                                         "open the sequence type selection dialog box."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_1");
}

TEST(ListingTypeTest, EndOfFileWhileLookingForTheResiduesLeavesAChainOfMessages) {
    ListingRun run(kHeader + Dna("1", "acgt 4\n") + "<210>  2\n<212>  XNA\n<213>  X\n");
    EXPECT_EQ(run.Messages(),
              (StringList{"* Unexpected end of file for sequence ID '2' with invalid sequence type 'XNA'.",
                          "* The application has encounted a problem while trying to get a sequence type.",
                          "* The application has encounted a problem while creating sequence data.",
                          "* The application has encounted a problem while parsing the sequence listing file."}));
    // Nothing read before the failure is kept.
    EXPECT_EQ(run.Sequences().GetSize(), 0);
    EXPECT_TRUE(run.choices.invalidTypeQuestions.empty());
}

TEST(ListingTypeTest, RepeatedTypeLinesAskAgainWithoutReadingTheBlockAgain) {
    std::string block = "<210>  1\n";
    for (int i = 0; i < 3; ++i) block += "<212>  XNA\n";
    for (int i = 0; i < 5; ++i) block += "noise\n";
    ListingRun run(kHeader + block + "<213>  X\n<400>  1\nacgt    4\n");
    ASSERT_EQ(run.choices.invalidTypeQuestions.size(), 3u);
    for (const auto& question : run.choices.invalidTypeQuestions)
        EXPECT_EQ(question.second, "<210> 1\r\n<212> XNA\r\n<400>  1\r\nacgt    4");
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgt");
}

// ---- a listing read from a source ----

TEST(ListingSourceTest, ListingReadAFewBytesAtATimeReadsLikeTheWholeText) {
    // Past several of the reader's blocks, with type questions whose
    // look-aheads run over more than a block and come back to it twice.
    std::string lines;
    for (int line = 1; line <= 500; ++line) lines += "acgtacgtac gtacgtacgt " + std::to_string(20 * line) + "\n";
    std::string listing = kHeader;
    for (int i = 1; i <= 40; ++i) {
        const std::string id = std::to_string(i);
        if (i % 10 == 0) {
            listing += "<210>  " + id + "\n<212>  XNA\n<212>  YNA\n" + std::string(300000, '\n') + "<213>  X\n<400>  " +
                       id + "\nacgt    4\n\n";
        } else {
            listing += Dna(id, lines);
        }
    }
    ListingRun whole(listing);
    ASSERT_EQ(whole.Sequences().GetSize(), 40);
    EXPECT_EQ(whole.Sequence(0).GetResidues().size(), 10000u);
    EXPECT_EQ(whole.choices.invalidTypeQuestions.size(), 8u);

    ListingRun streamed;
    test::TrickleSource source(listing);
    streamed.ok = streamed.parser.Parse(source, listing.size(), kFile);
    EXPECT_EQ(streamed.ok, whole.ok);
    EXPECT_EQ(streamed.Messages(), whole.Messages());
    EXPECT_EQ(streamed.choices.invalidTypeQuestions, whole.choices.invalidTypeQuestions);
    EXPECT_EQ(streamed.progress.commands, whole.progress.commands);
    ASSERT_EQ(streamed.Sequences().GetSize(), whole.Sequences().GetSize());
    for (int i = 0; i < whole.Sequences().GetSize(); ++i) {
        EXPECT_EQ(streamed.Sequence(i).GetName(), whole.Sequence(i).GetName());
        EXPECT_EQ(streamed.Sequence(i).GetResidues(), whole.Sequence(i).GetResidues());
    }
}

// ---- residue lines ----

// The length only makes room ahead: a wrong one changes nothing read.
TEST(ListingResidueTest, ResiduesDoNotDependOnTheStatedLength) {
    for (const std::string length : {"0", "3", "40000000", "99999999999"}) {
        SCOPED_TRACE(length);
        ListingRun run(kHeader + "<210>  1\n<211>  " + length +
                       "\n<212>  DNA\n<213>  Homo sapiens\n\n<400>  1\nacgtacgtac gt      12\n\n");
        EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
        ASSERT_EQ(run.Sequences().GetSize(), 1);
        EXPECT_EQ(run.Sequence(0).GetResidues(), "acgtacgtacgt");
        EXPECT_LE(run.Sequence(0).GetResidues().capacity(), 64u);
    }
}

TEST(ListingResidueTest, AminoAcidLineInANucleotideWithoutCodingRegion) {
    ListingRun run(kHeader + Dna("1", "acgt    4\nMet Lys\n"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '1':  Encounted invalid sequence bases format listed below:\n"
                         "        Input line #20: Met Lys\n"
                         "  This line of sequence data does not contain a base count.  It is then assumed to be a "
                         "line of amino acids.  However, there is no CDS or Exon in this sequence. Therefore, this "
                         "line of data is ignored.\n"});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgt");
}

TEST(ListingResidueTest, NumberLineAndLettersWithoutCountInANucleotide) {
    ListingRun run(kHeader + Dna("1", "acgt    4\n1   5\nac-1g\n"));
    EXPECT_EQ(run.Messages(), (StringList{"* Sequence ID '1': Encounted invalid sequence bases format listed below:\n"
                                          "        Input line #20: 1   5\n  This line of data is ignored.\n",
                                          "* Sequence ID '1': Encounted invalid sequence bases format listed below:\n"
                                          "        Input line #21: ac-1g\n  This line of data is ignored.\n"}));
}

TEST(ListingResidueTest, LinesUnderTheCodonsOfAnExonAreIgnored) {
    ListingRun run(kHeader +
                   "<210>  1\n<212>  DNA\n<213>  X\n<220>\n<221>  exon\n<222>  (1)..(6)\n"
                   "<400>  1\natg aaa cc       8\nMet Lys\n1\n\n");
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    EXPECT_EQ(run.Sequence(0).GetResidues(), "atgaaacc");
}

TEST(ListingResidueTest, ProteinLineWithCountIsReportedButKept) {
    // The count is not taken for amino acids.
    ListingRun run(kHeader + Protein("1", "Met Lys  6"));
    EXPECT_EQ(run.Messages(), StringList{"* Sequence ID '1': Encounted invalid sequence bases listed below:\n"
                                         "        Input line #20: Met Lys  6\n"});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetResidues(), "MetLys");
}

// ---- proteins ----

TEST(ListingProteinTest, ThreeLetterTextIsKept) {
    ListingRun run(kHeader + Protein("1",
                                     "Met Ala Ser Xaa Cys Gly Lys Leu Leu Ile Ile Val Val Trp Trp Pro \n"
                                     "1               5                   10                  15      \n\n\n"
                                     "ASX glx \n"
                                     "            "));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    auto& protein = dynamic_cast<CProtein3Sequence&>(run.Sequence(0));
    EXPECT_EQ(protein.GetResidues(), "MetAlaSerXaaCysGlyLysLeuLeuIleIleValValTrpTrpProASXglx");
    EXPECT_EQ(protein.GetAminoAcids(), "MASXCGKLLIIVVWWPBZ");
    EXPECT_EQ(protein.GetResidueCount(), 18);
    // The imported protein passes the three-letter check of generation.
    EXPECT_EQ(protein.CheckResidues(protein.GetName()), 1);
}

TEST(ListingProteinTest, InvalidCodeIsReportedWithItsLocation) {
    ListingRun run(kHeader + Protein("1", "Met Ala Xyz \n1"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Sequence ID '1': Invalid amino acid 'Xyz' encountered at location 3.",
                          "* Sequence ID '1': It contains invalid characters.  This sequence  will not be imported.",
                          "No sequences are imported from the file '/in/listing.txt'."}));
    EXPECT_EQ(run.Sequences().GetSize(), 0);
}

TEST(ListingProteinTest, LengthNotAMultipleOfThree) {
    ListingRun run(kHeader + Protein("1", "Met Al"));
    EXPECT_EQ(run.Messages()[0], "* Sequence ID '1' of protein type: Sequence length is not a multiple of 3.");
    EXPECT_EQ(run.Sequences().GetSize(), 0);
}

TEST(ListingProteinTest, InvalidCodesStopAfterTheLimit) {
    std::string line;
    for (int i = 0; i < ListingParser::kMaxInvalidAminoAcids + 5; ++i) line += "Foo ";
    ListingRun run(kHeader + Protein("9", line));
    const StringList& messages = run.Messages();
    ASSERT_EQ(messages.size(), static_cast<size_t>(ListingParser::kMaxInvalidAminoAcids) + 3);
    EXPECT_EQ(messages[0], "* Sequence ID '9': Invalid amino acid 'Foo' encountered at location 1.");
    EXPECT_EQ(messages[9999], "* Sequence ID '9': Invalid amino acid 'Foo' encountered at location 10000.");
    EXPECT_EQ(messages[10000],
              "* Sequence ID '9': Over 10000 invalid amino acids have been encounted. The rest of data for the "
              "sequence is ignored. Please check the data.");
    EXPECT_EQ(messages[10001],
              "* Sequence ID '9': It contains invalid characters.  This sequence  will not be imported.");
}

TEST(ListingProteinTest, CodingRegionInAProteinEndsTheParse) {
    ListingRun run(kHeader + Dna("1", "acgt 4\n") +
                   "<210>  2\n<212>  PRT\n<213>  X\n<220>\n<221>  CDS\n<222>  (1)..(3)\n<400>  2\n\nMet\n" +
                   Dna("3", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '2': Encountered a CDS feature in a protein sequence which is not allowed. "
                         "This may cause problems later when calculating subsequences.  Therefore, the rest of the "
                         "file is not imported.  This imported file does not comply with Quillion generated ST.25 "
                         "sequence listing file.  Please check the file and try again."});
    ASSERT_EQ(run.Sequences().GetSize(), 1);
}

// =====================================================================
// Features
// =====================================================================

std::string WithFeatures(const std::string& features, const std::string& organism = "Homo sapiens") {
    return kHeader + "<210>  1\n<211>  20\n<212>  DNA\n<213>  " + organism + "\n\n" + features +
           "<400>  1\nacgtacgtac gtacgtacgt      20\n\n";
}

TEST(ListingFeatureTest, KeysChooseTheClassesAndRowsCountFromZero) {
    ListingRun run(
        WithFeatures("<220>\n<221>  cds\n<222>  (1)..(9)\n<223>  first\n\n"
                     "<220>\n<221>  Exon\n<222>  (10)..(12)\n\n"
                     "<220>\n<221>  intron\n<222>  (13)..(14)\n\n"
                     "<220>\n<221>  MAT_PEPTIDE\n<222>  (4)\n\n"
                     "<220>\n<221>  misc_feature\n<222>  (7)\n<223>  n is a, c, g, or t\n\n"));
    ASSERT_EQ(run.Sequences().GetSize(), 1) << ::testing::PrintToString(run.Messages());
    const auto& features = run.Sequence(0).GetFeatures();
    ASSERT_EQ(features.GetSize(), 5);
    EXPECT_EQ(features[0]->GetRuntimeClass().name, "CDS");
    EXPECT_EQ(features[0]->GetKey(), "CDS");
    EXPECT_EQ(features[0]->GetComment(), "first");
    EXPECT_EQ(features[1]->GetRuntimeClass().name, "CExon");
    EXPECT_EQ(features[1]->GetKey(), "exon");
    EXPECT_EQ(features[2]->GetRuntimeClass().name, "CIntron");
    EXPECT_EQ(features[3]->GetRuntimeClass().name, "CMatPeptide");
    EXPECT_EQ(features[3]->GetFromText(), "4");
    EXPECT_EQ(features[3]->GetToText(), "");
    EXPECT_EQ(features[4]->GetRuntimeClass().name, "COtherFeature");
    EXPECT_EQ(features[4]->GetKey(), "misc_feature");
    EXPECT_EQ(features[4]->GetFromText(), "7");
    EXPECT_EQ(features[4]->GetToText(), "7");
    for (int i = 0; i < features.GetSize(); ++i) {
        EXPECT_EQ(features[i]->GetRow(), i);
        EXPECT_EQ(features[i]->GetParent(), &run.Sequence(0));
    }
}

TEST(ListingFeatureTest, KeyWithoutBlockStartAndWrappedValues) {
    ListingRun run(
        WithFeatures("<220>\n<221>  misc_feature\n<222>  (1)..(2)\n<221>  modified_\n       base\n<222>  (3)..(4)\n"
                     "<223>  a comment that\n       goes on\n\n"));
    const auto& features = run.Sequence(0).GetFeatures();
    ASSERT_EQ(features.GetSize(), 2);
    EXPECT_EQ(features[0]->GetKey(), "misc_feature");
    EXPECT_EQ(features[1]->GetKey(), "modified_ base");
    EXPECT_EQ(features[1]->GetComment(), "a comment that goes on");
}

TEST(ListingFeatureTest, LocationForms) {
    ListingRun run(
        WithFeatures("<220>\n<221>  misc_feature\n<222>  (1)..(2)..(3)\n\n"
                     "<220>\n<221>  variation\n<222>  7\n\n"
                     "<220>\n<221>  other\n<222>  (x)..(y)\n\n"
                     "<220>\n<221>  mat_peptide\n<222>  (5)..(9)\n\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Input line #20: <222>  (1)..(2)..(3)",
                          "* Sequence ID '1': Feature misc_feature: More than two locations encounted in the <212> "
                          "field. Please use the correct format (x)..(y) where x is the From location and y is the "
                          "To location.",
                          "* Input line #28: <222>  (x)..(y)",
                          "* Sequence ID '1': Feature other has no From/To locations."}));
    const auto& features = run.Sequence(0).GetFeatures();
    ASSERT_EQ(features.GetSize(), 4);
    EXPECT_EQ(features[0]->GetFromText(), "1");
    EXPECT_EQ(features[0]->GetToText(), "2");
    EXPECT_EQ(features[1]->GetFromText(), "7");
    EXPECT_EQ(features[1]->GetToText(), "7");
    EXPECT_EQ(features[2]->GetFromText(), "");
    EXPECT_EQ(features[3]->GetToText(), "9");
}

TEST(ListingFeatureTest, LongOtherInformationIsCut) {
    const std::string comment(300, 'c');
    ListingRun run(WithFeatures("<220>\n<221>  misc_feature\n<222>  (1)..(2)\n<223>  " + comment + "\n\n"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '1': The max length of the misc_feature comment for the Other Information "
                         "<223> is 260. Extra characters were not imported."});
    EXPECT_EQ(run.Sequence(0).GetFeatures()[0]->GetComment(), std::string(260, 'c'));
}

TEST(ListingFeatureTest, OrganismCommentOfAnArtificialSequence) {
    ListingRun run(
        WithFeatures("<220>\n<223>  made in a\n       laboratory\n\n"
                     "<220>\n<221>  misc_feature\n<222>  (1)..(2)\n<223>  x\n\n",
                     "Artificial Sequence"));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    EXPECT_EQ(run.Sequence(0).GetComment()->GetComment(), "made in a laboratory");
    EXPECT_EQ(run.Sequence(0).GetFeatures().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetFeatures()[0]->GetRow(), 0);
}

TEST(ListingFeatureTest, LongOrganismCommentIsCut) {
    ListingRun run(WithFeatures("<220>\n<223>  " + std::string(261, 'o') + "\n\n", "unknown"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '1': The max length of the Organism comment for the Other Information <223> "
                         "is 260. Extra characters were not imported."});
    EXPECT_EQ(run.Sequence(0).GetComment()->GetComment(), std::string(260, 'o'));
}

TEST(ListingFeatureTest, OnlyTheFirstOrganismCommentIsKept) {
    ListingRun run(WithFeatures("<220>\n<223>  first\n\n<220>\n<223>  second\n\n<220>\n<223>  third\n\n", "Unknown"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '1': It contains more than one comment information (<220> - <223>).  Only "
                         "the first occurence of the comment information will be stored as the comment for the "
                         "'Unknown' sequence."});
    EXPECT_EQ(run.Sequence(0).GetComment()->GetComment(), "first");
    EXPECT_EQ(run.Sequence(0).GetFeatures().GetSize(), 0);
}

TEST(ListingFeatureTest, SecondCommentOfAnArtificialSequenceNamesIt) {
    ListingRun run(WithFeatures("<220>\n<223>  first\n\n<220>\n<223>  second\n\n", "artificial"));
    EXPECT_EQ(run.Messages(),
              StringList{"* Sequence ID '1': It contains more than one comment information (<220> - <223>).  Only "
                         "the first occurence of the comment information will be stored as the comment for the "
                         "'Artificial Sequence'."});
}

TEST(ListingFeatureTest, CommentBlockOfANaturalOrganismIsAFeatureWithoutKey) {
    ListingRun run(WithFeatures("<220>\n<223>  a note\n\n"));
    EXPECT_EQ(run.Messages(), StringList{"* Sequence ID '1': Missing data line <221> which contains feature name."});
    ASSERT_EQ(run.Sequence(0).GetFeatures().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetFeatures()[0]->GetKey(), "");
    EXPECT_EQ(run.Sequence(0).GetFeatures()[0]->GetComment(), "a note");
    EXPECT_EQ(run.Sequence(0).GetComment()->GetComment(), "");
}

TEST(ListingFeatureTest, FeatureBeforeTheSequenceIsMade) {
    ListingRun run(kHeader + "<210>  1\n<211>  4\n<220>\n<221>  misc_feature\n<222>  (1)..(2)\n<220>\n" +
                   Dna("2", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"\n* The following input lines are not processed because there is a problem to create "
                          "the sequence object:",
                          "  Sequence ID '1':", "     Missing data line <212> which contains sequence type.",
                          "     Missing data line <213> which contains organism name."}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_2");
}

// =====================================================================
// Publications
// =====================================================================

TEST(ListingPublicationTest, EachKindFromItsIdentifiers) {
    ListingRun run(WithFeatures(
        "<300>\n<301>  Doe, J.\n<302>  On widgets\n<303>  J. Widgets\n<304>  4\n<305>  2\n<306>  1-7\n"
        "<307>  1999-05-01\n<308>  AB123\n<309>  2000-01-02\n<313>  (1)..(20)\n\n"
        "<300>\n<308>  X1\n<309>  2001/02/03\n<313>  (2)..(5)\n\n"
        "<300>\n<301>  Roe, R.\n<302>  A thesis\n<306>  10-20\n<307>  1998-01-01\n\n"
        "<300>\n<302>  Patent title\n<310>  US 123\n<311>  1990-01-01\n<312>  1991-01-01\n<313>  (3)..(4)\n\n"));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    CSequence& sequence = run.Sequence(0);
    ASSERT_EQ(sequence.GetJournals().GetSize(), 1);
    const CJournal& journal = *sequence.GetJournals()[0];
    EXPECT_EQ(journal.GetAuthors(), "Doe, J.");
    EXPECT_EQ(journal.GetTitle(), "On widgets");
    EXPECT_EQ(journal.GetJournalName(), "J. Widgets");
    EXPECT_EQ(journal.GetVolume(), "4");
    EXPECT_EQ(journal.GetIssue(), "2");
    EXPECT_EQ(journal.GetPageRange(), "1-7");
    EXPECT_EQ(journal.GetPublicationDate().GetText(), "1999-05-01");
    EXPECT_EQ(journal.GetAccessionNumber(), "AB123");
    EXPECT_EQ(journal.GetEntryDate().GetText(), "2000-01-02");
    EXPECT_EQ(journal.GetFromText(), "1");
    EXPECT_EQ(journal.GetToText(), "20");
    EXPECT_EQ(journal.GetParent(), &sequence);

    ASSERT_EQ(sequence.GetDatabases().GetSize(), 1);
    EXPECT_EQ(sequence.GetDatabases()[0]->GetAccessionNumber(), "X1");
    EXPECT_EQ(sequence.GetDatabases()[0]->GetEntryDate().GetText(), "2001-02-03");
    EXPECT_EQ(sequence.GetDatabases()[0]->GetToText(), "5");

    ASSERT_EQ(sequence.GetTheses().GetSize(), 1);
    const CThesis& thesis = *sequence.GetTheses()[0];
    EXPECT_EQ(thesis.GetAuthors(), "Roe, R.");
    EXPECT_EQ(thesis.GetTitle(), "A thesis");
    EXPECT_EQ(thesis.GetPageRange(), "10-20");
    EXPECT_EQ(thesis.GetDate().GetText(), "1998-01-01");
    EXPECT_TRUE(thesis.GetEntryDate().IsEmpty());

    ASSERT_EQ(sequence.GetPatents().GetSize(), 1);
    const CPatent& patent = *sequence.GetPatents()[0];
    EXPECT_EQ(patent.GetTitle(), "Patent title");
    EXPECT_EQ(patent.GetDocumentNumber(), "US 123");
    EXPECT_EQ(patent.GetFilingDate().GetText(), "1990-01-01");
    EXPECT_EQ(patent.GetPublicationDate().GetText(), "1991-01-01");
    EXPECT_EQ(patent.GetFromText(), "3");
}

TEST(ListingPublicationTest, DateMessagesNameTheKindAndField) {
    ListingRun run(
        WithFeatures("<300>\n<301>  A\n<303>  J\n<307>  May 1999\n<309>  1999\n\n"
                     "<300>\n<310>  US 1\n<309>  x\n<311>  1990.01.01\n<312>  1991-01-x1\n\n"
                     "<300>\n<301>  A\n<307>  01/02/1999\n<309>  99-01-01\n\n"
                     "<300>\n<308>  X\n<309>  yesterday\n<313>  (1)..(2)\n\n"));
    const std::string tail = "'.  Please re-enter the date with YYYY-MM-DD date format on the ";
    EXPECT_EQ(run.Messages(),
              (StringList{"* Sequence ID '1': JOURNAL, Publication Date <307>: Invalid date format 'May 1999" + tail +
                              "JOURNAL screen.",
                          "* Sequence ID '1': JOURNAL, Database Entry Date <309>: Invalid date format '1999" + tail +
                              "JOURNAL screen.",
                          "* Sequence ID '1': PATENT, Database Entry Date <309>: Invalid date format 'x" + tail +
                              "PATENT screen.",
                          "* Sequence ID '1': PATENT, Patent Publication Date <312>: Invalid date format "
                          "'1991-01-x1" +
                              tail + "PATENT screen.",
                          "* Sequence ID '1': THESIS, Publication Date <307>: Invalid date format '01/02/1999" + tail +
                              "THESIS screen.",
                          "* Sequence ID '1': THESIS, Database Entry Date <309>: Invalid date format '99-01-01" + tail +
                              "THESIS screen.",
                          "* Sequence ID '1': DATABASE, Database Entry Date <309>: Invalid date format 'yesterday" +
                              tail + "DATABASE screen."}));
    EXPECT_EQ(run.Sequence(0).GetPatents()[0]->GetFilingDate().GetText(), "1990-01-01");
}

TEST(ListingPublicationTest, WrappedTitleAuthorsAndJournal) {
    ListingRun run(
        WithFeatures("<300>\n<301>  Doe, J.,\n       Roe, R.\n<302>  A very\n       long title\n<303>  Journal of\n"
                     "       Widgets\n<304>  1\n<306>  1\n<307>  1999-01-01\n\n"));
    const CJournal& journal = *run.Sequence(0).GetJournals()[0];
    EXPECT_EQ(journal.GetAuthors(), "Doe, J., Roe, R.");
    EXPECT_EQ(journal.GetTitle(), "A very long title");
    EXPECT_EQ(journal.GetJournalName(), "Journal of Widgets");
}

TEST(ListingPublicationTest, RangeForms) {
    ListingRun run(
        WithFeatures("<300>\n<308>  X\n<309>  2001-01-01\n<313>  (1)..(2)..(3)\n\n"
                     "<300>\n<308>  Y\n<309>  2001-01-01\n<313>  all\n\n"
                     "<300>\n<308>  Z\n<309>  2001-01-01\n<313>  (4)\n\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* Input line #21: <313>  (1)..(2)..(3)",
                          "* Sequence ID '1': Publication: More than two locations encountered in the <313> field. "
                          "Please use the correct format (x)..(y) where x is the From location and y is the "
                          "location.",
                          "* Input line #26: <313>  all", "* Sequence ID '1': Publication has no From/To locations."}));
    const auto& databases = run.Sequence(0).GetDatabases();
    ASSERT_EQ(databases.GetSize(), 3);
    EXPECT_EQ(databases[2]->GetFromText(), "4");
    EXPECT_EQ(databases[2]->GetToText(), "4");
}

TEST(ListingPublicationTest, PublicationItemsWithoutBlockStartSkipTheSequence) {
    ListingRun run(WithFeatures("<220>\n<221>  misc_feature\n<222>  (1)..(2)\n<301>  Doe\n") + Dna("2", "acgt 4\n"));
    EXPECT_EQ(run.Messages(),
              (StringList{"* The following input lines are not processed: Sequence ID '1': Missing numeric ID <300> "
                          "for publication data.",
                          "   Input line #22: <400>  1", "   Input line #23: acgtacgtac gtacgtacgt      20",
                          "   Input line #24: "}));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_2");
}

// =====================================================================
// Translations of coding regions
// =====================================================================

// A DNA of 20 bases whose coding region 4 to 18 reads atg aaa ggg cca taa.
const std::string kCodingDna =
    "<210>  1\n<211>  20\n<212>  DNA\n<213>  Homo sapiens\n\n"
    "<220>\n<221>  CDS\n<222>  (4)..(18)\n\n"
    "<400>  1\n"
    "ccc atg aaa ggg cca taa cc                                             20\n"
    "    Met Lys Gly Pro                                                      \n"
    "    1                                                                    \n\n\n";

TEST(ListingTranslationTest, DerivedProteinEntryIsLeftOut) {
    ListingRun run(kHeader + kCodingDna + Protein("2", "Met Lys Gly Pro \n1       ") +
                   Protein("3", "Met Lys Gly Pro \n1       "));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 2);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_1");
    EXPECT_EQ(run.Sequence(0).GetResidues(), "cccatgaaagggccataacc");
    // The second one is a protein of its own.
    EXPECT_EQ(run.Sequence(1).GetName(), "Seq_3");
    EXPECT_FALSE(run.Sequence(0).GetFeatures()[0]->IsJoined());
}

// A translation entry holding more than its organism and plain lines of
// amino acids is read the usual way, with the same outcome.
TEST(ListingTranslationTest, DerivedEntriesOfEveryShapeAreLeftOut) {
    const std::string start = "<210>  2\n<211>  4\n<212>  PRT\n<213>  Homo sapiens\n\n";
    {
        SCOPED_TRACE("with a feature");
        ListingRun run(kHeader + kCodingDna + start +
                       "<220>\n<221>  misc_feature\n<222>  (2)..(2)\n<223>  note\n\n<400>  2\n\n"
                       "Met Lys Gly Pro \n1       \n\n");
        EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
        EXPECT_EQ(run.Sequences().GetSize(), 1);
    }
    {
        SCOPED_TRACE("with a count after the amino acids");
        ListingRun run(kHeader + kCodingDna + start + "<400>  2\n\nMet Lys Gly Pro     4\n\n");
        ASSERT_EQ(run.Messages().size(), 1u) << ::testing::PrintToString(run.Messages());
        EXPECT_TRUE(run.Messages()[0].starts_with(
            "* Sequence ID '2': Encounted invalid sequence bases listed below:\n        Input line #"))
            << run.Messages()[0];
        EXPECT_EQ(run.Sequences().GetSize(), 1);
    }
    {
        SCOPED_TRACE("at the end of the file, without blank lines");
        ListingRun run(kHeader + kCodingDna + start + "<400>  2\n\nMet Lys Gly Pro\n1");
        EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
        EXPECT_EQ(run.Sequences().GetSize(), 1);
    }
    {
        SCOPED_TRACE("ending right after <400>");
        ListingRun run(kHeader + kCodingDna + start + "<400>  2\n");
        EXPECT_EQ(run.Messages(), StringList{"* Unexpected end of the input file encountered."});
        EXPECT_EQ(run.Sequences().GetSize(), 1);
    }
    {
        SCOPED_TRACE("followed by a nucleotide");
        ListingRun run(kHeader + kCodingDna + start + "<400>  2\n\nMet Lys Gly Pro \n1       \n\n" +
                       Dna("3", "acgt 4\n"));
        EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
        ASSERT_EQ(run.Sequences().GetSize(), 2);
        EXPECT_EQ(run.Sequence(1).GetName(), "Seq_3");
        EXPECT_EQ(run.Sequence(1).GetResidues(), "acgt");
    }
}

TEST(ListingTranslationTest, ProteinThatDiffersIsKept) {
    ListingRun run(kHeader + kCodingDna + Protein("2", "Met Lys Gly Ala \n1       "));
    ASSERT_EQ(run.Sequences().GetSize(), 2);
    EXPECT_EQ(run.Sequence(1).GetName(), "Seq_2");
}

TEST(ListingTranslationTest, JoinedCodingRegionsAreRecovered) {
    ListingRun run(kHeader +
                   "<210>  1\n<211>  20\n<212>  DNA\n<213>  Homo sapiens\n\n"
                   "<220>\n<221>  CDS\n<222>  (1)..(6)\n\n"
                   "<220>\n<221>  CDS\n<222>  (10)..(18)\n\n"
                   "<220>\n<221>  misc_feature\n<222>  (19)..(20)\n<223>  tail\n\n"
                   "<400>  1\n"
                   "atg aaa ccc ggg cca taa cc                                             20\n"
                   "Met Lys     Gly Pro                                                      \n"
                   "1               5                                                        \n\n\n" +
                   Protein("2", "Met Lys Gly Pro \n1               "));
    EXPECT_TRUE(run.ok) << ::testing::PrintToString(run.Messages());
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    for (const auto& feature : run.Sequence(0).GetFeatures()) EXPECT_TRUE(feature->IsJoined());
}

TEST(ListingTranslationTest, JoinedFlagsNeedTheNucleotideToBeImported) {
    ListingRun run(kHeader + Dna("9", "acgt 4\n") +
                   "<210>  1\n<211>  20\n<212>  DNA\n<213>  Homo sapiens\n\n"
                   "<220>\n<221>  CDS\n<222>  (1)..(6)\n\n<220>\n<221>  CDS\n<222>  (10)..(18)\n\n"
                   "<400>  1\n"
                   "atg aaa ccc ggg cca taa cX                                             20\n"
                   "Met Lys     Gly Pro                                                      \n\n" +
                   Protein("2", "Met Lys Gly Pro \n1               "));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetName(), "Seq_9");
    EXPECT_EQ(run.Messages()[0],
              "* Sequence ID '1': It contains invalid characters.  This sequence and its subsequences will not be "
              "imported.");
}

}  // namespace
}  // namespace qln
