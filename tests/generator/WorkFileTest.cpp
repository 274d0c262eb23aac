#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "generator/WorkFile.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

std::string WorkText(CProject& project) {
    std::ostringstream out;
    WriteWorkFile(project, out);
    return out.str();
}

const char* const kEmptyProjectData =
    "Application Project\n"
    "-------------------\n"
    "<120> Title : \n"
    "<130> AppFileReference : \n"
    "<140> CurrentAppNumber : \n"
    "<141> CurrentFilingDate : \n"
    "\n";

TEST(WorkFile, OneIndividualApplicantAndNothingElse) {
    CProject project;
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    EXPECT_EQ(WorkText(project), std::string("Individual Applicant\n"
                                             "--------------------\n"
                                             "      Street : \n"
                                             "      City : \n"
                                             "      State : \n"
                                             "      Country : \n"
                                             "      PostalCode : \n"
                                             "      PhoneNumber : \n"
                                             "      FaxNumber : \n"
                                             "      EmailAddress : \n"
                                             "<110> LastName : Smith\n"
                                             "<110> FirstName : John\n"
                                             "<110> MiddleInitial : \n"
                                             "<110> Suffix : \n"
                                             "\n") +
                                     kEmptyProjectData);
}

TEST(WorkFile, ApplicantsProjectDataAndPriorApplicationsInOrder) {
    CProject project;
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith", "Q", "Jr."));
    Ptr<COrgApplicant> org(new COrgApplicant(&project, "Acme Corp"));
    org->SetStreet("1 Main St");
    org->SetCity("Springfield");
    org->SetState("IL");
    org->SetCountry("US");
    org->SetPostalCode("62701");
    org->SetPhoneNumber("555-0100");
    org->SetFaxNumber("555-0101");
    org->SetEmailAddress("ip@acme.example");
    project.GetOrgApplicants().Add(org);
    CProjectData* data = project.GetProjectData();
    data->SetTitle("Novel Widgets");
    data->SetFileReference("REF-9");
    data->SetApplicationNumber("US 10/123,456");
    data->GetFilingDate() = "2003-04-05";
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "US 60/111", "2002-01-02"));
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "", DateField::kBlankMask));

    EXPECT_EQ(WorkText(project),
              "Organization Applicant\n"
              "----------------------\n"
              "      Street : 1 Main St\n"
              "      City : Springfield\n"
              "      State : IL\n"
              "      Country : US\n"
              "      PostalCode : 62701\n"
              "      PhoneNumber : 555-0100\n"
              "      FaxNumber : 555-0101\n"
              "      EmailAddress : ip@acme.example\n"
              "<110> OrganizationName : Acme Corp\n"
              "\n"
              "Individual Applicant\n"
              "--------------------\n"
              "      Street : \n"
              "      City : \n"
              "      State : \n"
              "      Country : \n"
              "      PostalCode : \n"
              "      PhoneNumber : \n"
              "      FaxNumber : \n"
              "      EmailAddress : \n"
              "<110> LastName : Smith\n"
              "<110> FirstName : John\n"
              "<110> MiddleInitial : Q\n"
              "<110> Suffix : Jr.\n"
              "\n"
              "Application Project\n"
              "-------------------\n"
              "<120> Title : Novel Widgets\n"
              "<130> AppFileReference : REF-9\n"
              "<140> CurrentAppNumber : US 10/123,456\n"
              "<141> CurrentFilingDate : 2003-04-05\n"
              "\n"
              "Earlier Applications\n"
              "--------------------\n"
              "<150> PriorAppNumber : US 60/111\n"
              "<151> PriorFilingDate : 2002-01-02\n"
              "\n"
              "Earlier Applications\n"
              "--------------------\n"
              "<150> PriorAppNumber : \n"
              "<151> PriorFilingDate : \n"
              "\n");
}

// A sequence with one record of each kind, added in an order different from
// the one they are written in.
TEST(WorkFile, SequenceWithFeaturesAndEveryKindOfPublication) {
    CProject project;
    Ptr<CSequence> sequence(new CDNASequence(&project, "Seq A", "Homo sapiens", "acgtnacgta"));
    project.Add(sequence.get());
    sequence->GetPatents().Add(new CPatent(sequence.get(), "Widget patent", "US 5,000,000", "1990-01-02", "1991-03-04",
                                           "P1", "1992-05-06", "1", "10"));
    sequence->GetTheses().Add(new CThesis(sequence.get(), "Doe, J.", "On widgets", "1989-__-__", "1-200"));
    sequence->GetDatabases().Add(new CPubDatabase(sequence.get(), "GB123", "2001-02-03", "2", "9"));
    sequence->GetJournals().Add(new CJournal(sequence.get(), "Roe, R.", "Widget study", "J. Widgets", "12", "3",
                                             "45-67", "1999-06-__", "AC1", "2000-07-08", "3", "8"));
    sequence->GetFeatures().Add(Ptr<CFeature>(new CDS(sequence.get(), "", "1", "9", true)));
    sequence->GetFeatures().Add(
        Ptr<CFeature>(new COtherFeature(sequence.get(), "misc_feature", "n is a, c, g, or t", "5", "5")));

    EXPECT_EQ(WorkText(project), std::string(kEmptyProjectData) +
                                     "Sequence\n"
                                     "--------\n"
                                     "<213> OrganismName : Homo sapiens\n"
                                     "<400> PreSequenceString : \n"
                                     "acgtnacgta\n"
                                     "<212> Type : DNA\n"
                                     "<211> Length : 10\n"
                                     "      SequenceName : Seq A\n"
                                     "      SequenceDescription : \n"
                                     "\n"
                                     "Feature\n"
                                     "-------\n"
                                     "Sequence: Seq A: \n"
                                     "<221> FeatureKey : CDS\n"
                                     "<222> LocationFrom : 1\n"
                                     "<222> LocationTo : 9\n"
                                     "      Other Information : \n"
                                     "      CDSJoin : Yes\n"
                                     "\n"
                                     "Feature\n"
                                     "-------\n"
                                     "Sequence: Seq A: \n"
                                     "<221> FeatureKey : misc_feature\n"
                                     "<222> LocationFrom : 5\n"
                                     "<222> LocationTo : 5\n"
                                     "      Other Information : n is a, c, g, or t\n"
                                     "      CDSJoin : No\n"
                                     "\n"
                                     "Journal\n"
                                     "-------\n"
                                     "Sequence: Seq A: \n"
                                     "<301> Authors : Roe, R.\n"
                                     "<302> Title : Widget study\n"
                                     "<303> JournalName : J. Widgets\n"
                                     "<304> Volume : 12\n"
                                     "<305> Issue : 3\n"
                                     "<306> PageRange : 45-67\n"
                                     "<307> Date : 1999-06-__\n"
                                     "<308> DBAccessionNumber : AC1\n"
                                     "<309> DBEntryDate : 2000-07-08\n"
                                     "\n"
                                     "<313> From : 3\n"
                                     "<313> To : 8\n"
                                     "\n"
                                     "Datebase\n"
                                     "--------\n"
                                     "Sequence: Seq A: \n"
                                     "<308> DBAccessionNumber : GB123\n"
                                     "<309> DBEntryDate : 2001-02-03\n"
                                     "<313> From : 2\n"
                                     "<313> To : 9\n"
                                     "\n"
                                     "Thesis\n"
                                     "------\n"
                                     "Sequence: Seq A: \n"
                                     "<301> Authors : Doe, J.\n"
                                     "<302> Title : On widgets\n"
                                     "<306> PageRange : 1-200\n"
                                     "<307> Date : 1989-__-__\n"
                                     "<308> DBAccessionNumber : \n"
                                     "<309> DBEntryDate : \n"
                                     "\n"
                                     "<313> From : \n"
                                     "<313> To : \n"
                                     "\n"
                                     "Patent\n"
                                     "------\n"
                                     "Sequence: Seq A: \n"
                                     "<302> Title : Widget patent\n"
                                     "<308> DBAccessionNumber : P1\n"
                                     "<309> DBEntryDate : 1992-05-06\n"
                                     "<310> DocNumber : US 5,000,000\n"
                                     "<311> PatentFilingDate : 1990-01-02\n"
                                     "<312> PubDate : 1991-03-04\n"
                                     "<313> From : 1\n"
                                     "<313> To : 10\n"
                                     "\n");
}

TEST(WorkFile, ResidueTextIsWrittenAsStoredAndLengthCountsLetters) {
    CProject project;
    Ptr<CSequence> display(new CDNASequence(&project, "D", "Homo sapiens", "acgtacgtac gtacg"));
    project.Add(display.get());
    Ptr<CSequence> three(new CProtein3Sequence(&project, "P", "Homo sapiens", "AlaGlyCys"));
    project.Add(three.get());
    const std::string text = WorkText(project);
    EXPECT_NE(text.find("<400> PreSequenceString : \nacgtacgtac gtacg\n<212> Type : DNA\n<211> Length : 15\n"),
              std::string::npos);
    EXPECT_NE(text.find("<400> PreSequenceString : \nAlaGlyCys\n<212> Type : PRT\n<211> Length : 3\n"),
              std::string::npos);
}

TEST(WorkFile, LongResiduesAreParkedAgainAfterTheirSection) {
    CProject project;
    const std::string residues(150, 'g');
    Ptr<CSequence> sequence(new CDNASequence(&project, "Long", "Homo sapiens", residues));
    project.Add(sequence.get());
    sequence->UnloadResidues();
    ASSERT_FALSE(sequence->AreResiduesInMemory());

    const std::string text = WorkText(project);
    EXPECT_NE(text.find("<400> PreSequenceString : \n" + residues + "\n<212> Type : DNA\n<211> Length : 150\n"),
              std::string::npos);
    EXPECT_FALSE(sequence->AreResiduesInMemory());
}

class WorkFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qln-workfile-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path folder_;
};

TEST_F(WorkFileOnDisk, ReplacesTheFileWithTheReport) {
    CProject project;
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    const fs::path path = folder_ / "Proj_WorkFile.txt";
    std::ofstream(path) << "an older and much longer report that must disappear entirely\n";

    const CWorkFileResult result = WriteWorkFile(project, path.string());
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(Read(path), WorkText(project));
}

TEST_F(WorkFileOnDisk, FileThatCannotBeOpenedGivesTheOpenMessage) {
    CProject project;
    const fs::path directory = folder_ / "Proj_WorkFile.txt";
    fs::create_directory(directory);
    CWorkFileResult result = WriteWorkFile(project, directory.string());
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message, "I/O error opening error log file.");

    result = WriteWorkFile(project, (folder_ / "missing" / "Proj_WorkFile.txt").string());
    EXPECT_EQ(result.message, "I/O error opening error log file.");
    EXPECT_EQ(WriteWorkFile(project, "").message, "I/O error opening error log file.");
}

TEST_F(WorkFileOnDisk, WriteFailureGivesTheWriteMessage) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that refuses writes";
    CProject project;
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    const CWorkFileResult result = WriteWorkFile(project, "/dev/full");
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message, "I/O error creating user work file.");
}

}  // namespace
}  // namespace qln
