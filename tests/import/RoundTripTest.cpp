// A listing generated from a project, imported into a new project and
// generated again gives the same text. The projects hold what a listing can
// carry back: no non-ASCII text, values wrapped only at blanks, applicant
// names that fit on one line, no DNA/RNA without "u", no empty sequences, no
// custom codons, only complete dates, no comment for a natural organism, and
// coding regions whose derived entries match their printed translations.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "generator/GenerationRun.h"
#include "import/DefaultImportChoices.h"
#include "import/ListingParser.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

class RoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("qln-roundtrip-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // Generates the project's listing; fails the test when generation does.
    std::string Generate(CProject& project, const std::string& name) {
        const std::string path = (folder_ / (name + ".prj")).string();
        CGenerationRun run(project, path);
        const CGenerationResult result = run.Run();
        EXPECT_EQ(result.outcome, GenerationOutcome::Succeeded) << ::testing::PrintToString(run.GetMessages());
        return test::ReadFileBytes(run.GetOutputNames().listing);
    }

    // Imports the listing into a new project, as the import does.
    Ptr<CProject> Import(const std::string& listing, StringList& messages) {
        Ptr<CProject> project = MakePtr<CProject>();
        CDefaultImportChoices choices(project.get());
        ListingParser parser(*project, choices);
        parser.Parse(listing, (folder_ / "in_ST25.txt").string());
        messages = parser.GetMessages();
        for (const Ptr<CSequence>& sequence : parser.GetSequences()) project->Add(sequence.get());
        return project;
    }

    // Generate, import, generate: the two listings agree.
    void ExpectRoundTrip(CProject& project, const StringList& importMessages = {}) {
        const std::string first = Generate(project, "first");
        ASSERT_FALSE(first.empty());
        StringList messages;
        Ptr<CProject> imported = Import(first, messages);
        EXPECT_EQ(messages, importMessages);
        const std::string second = Generate(*imported, "second");
        EXPECT_EQ(second, first);
    }

    fs::path folder_;
};

Ptr<CProject> NewProject(const std::string& title, const std::string& reference) {
    Ptr<CProject> project = MakePtr<CProject>();
    project->GetProjectData()->SetTitle(title);
    project->GetProjectData()->SetFileReference(reference);
    return project;
}

template <class T>
T* Add(CProject& project, T* sequence) {
    project.Add(sequence);
    return sequence;
}

void AddFeature(CSequence& sequence, Ptr<CFeature> feature) {
    feature->SetRow(sequence.GetFeatures().GetSize() + 1);
    sequence.GetFeatures().Add(feature);
}

// atg aaa ggg ccc ... : n codons of a coding region without stop, then taa.
std::string Codons(int count) {
    static const char* const kCodons[] = {"aaa", "ggc", "cct", "tgg", "gat", "cac", "ttc", "agc", "gtg", "ctg"};
    std::string text = "atg";
    for (int i = 1; i < count; ++i) text += kCodons[i % 10];
    return text + "taa";
}

TEST_F(RoundTripTest, HeaderNucleotidesCodingRegionsAndPublications) {
    Ptr<CProject> project = NewProject(
        "Compositions and methods for producing widgets from renewable feedstocks in recombinant hosts",
        "ACME-2012-001");
    project->GetProjectData()->SetApplicationNumber("PCT/US2012/000001");
    project->GetProjectData()->GetFilingDate() = "2012-03-04";
    project->GetOrgApplicants().Add(new COrgApplicant(project.get(), "Acme Widgets Incorporated"));
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "John", "Smith", "A", "Jr"));
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "Jane", "Doe"));
    project->GetPriorApplications().Add(new CEarlierApplication(project.get(), "US 61/000,001", "2011-03-04"));
    project->GetPriorApplications().Add(new CEarlierApplication(project.get(), "EP 11000001.2", "2011-05-06"));

    // A coding region inside a longer sequence, with a feature and a journal
    // article and a database entry.
    const std::string coding = "ccgatcgat" + Codons(40) + std::string(60, 'g');
    auto* dna = Add(*project, new CDNASequence(project.get(), "coding", "Escherichia coli", coding));
    AddFeature(*dna, MakePtr<CDS>(dna, "the widget enzyme", "10", std::to_string(9 + 41 * 3)));
    AddFeature(*dna, MakePtr<COtherFeature>(dna, "misc_feature",
                                            "a leader that is rather long and needs more than "
                                            "one line of the listing to be written out in full",
                                            "1", "9"));
    dna->GetJournals().Add(new CJournal(dna, "Doe, J., Smith, J. A.", "Widgets made in bacteria",
                                        "Journal of Widget Research", "12", "3", "100-110", "2001-02-03", "AB000001",
                                        "2001-05-06", "1", "100"));
    dna->GetDatabases().Add(new CPubDatabase(dna, "GB:X12345", "1999-12-31", "5", "50"));

    // Two coding regions translated as one.
    const std::string first = "atgaaaggcccttgg";   // 1 to 15
    const std::string second = "gatcacttcagcctg";  // 21 to 35, no stop codon in joined regions
    auto* joined = Add(
        *project, new CDNASequence(project.get(), "joined", "Homo sapiens", first + "cccgg" + second + "acgtacgtac"));
    AddFeature(*joined, MakePtr<CDS>(joined, "", "1", "15", true));
    AddFeature(*joined, MakePtr<CDS>(joined, "", "21", "35", true));

    // A stop codon inside a coding region: two derived entries.
    auto* stops = Add(*project, new CDNASequence(project.get(), "stops", "Homo sapiens",
                                                 "atgaaaggcccttaattcgatcacagctga" + std::string(12, 'c')));
    AddFeature(*stops, MakePtr<CDS>(stops, "", "1", "30"));

    // A mature peptide: one derived entry numbered from it.
    // (no stop codon either)
    std::string matureCoding = Codons(12);
    matureCoding.resize(matureCoding.size() - 3);
    auto* mature = Add(*project, new CDNASequence(project.get(), "mature", "Mus musculus", "gg" + matureCoding + "cc"));
    AddFeature(*mature, MakePtr<CDS>(mature, "", "3", std::to_string(2 + 12 * 3)));
    AddFeature(*mature, MakePtr<CMatPeptide>(mature, "the active form", "15", ""));

    // Exons and an intron without a coding region.
    auto* exons = Add(*project, new CDNASequence(project.get(), "exons", "Homo sapiens",
                                                 "atgaaaggcccttggaaaggcccttggttt" + std::string(10, 'a') +
                                                     "gatcacttcagcgatcacttcagctttggg"));
    AddFeature(*exons, MakePtr<CExon>(exons, "", "1", "30"));
    AddFeature(*exons, MakePtr<CIntron>(exons, "", "31", "40"));
    AddFeature(*exons, MakePtr<CExon>(exons, "", "41", "70"));

    // Unknown bases, explained by the writer's own features.
    auto* unknown = Add(*project, new CDNASequence(project.get(), "unknown", "Homo sapiens",
                                                   std::string(70, 'a') + "nnnn" + std::string(100, 'c') + "n"));
    (void)unknown;

    ExpectRoundTrip(*project);
}

// Stretches between stop codons shorter than four amino acids get no
// derived entry; a line made only of stop codons gets no amino acids. The
// entries that were written are still recognised, and nothing is added.
TEST_F(RoundTripTest, ShortStretchesAndLinesOfStopCodons) {
    Ptr<CProject> project = NewProject("Stops", "STOP-1");
    project->GetOrgApplicants().Add(new COrgApplicant(project.get(), "Stop Codon Company"));

    auto* shortFirst = Add(*project, new CDNASequence(project.get(), "short", "Homo sapiens",
                                                      "atatgaggcccttggcccgggatcacttcagcctgacgtacgtac"));
    AddFeature(*shortFirst, MakePtr<CDS>(shortFirst, "", "1", "15"));
    AddFeature(*shortFirst, MakePtr<CDS>(shortFirst, "", "21", "35"));

    std::string stopLine = Codons(8);
    stopLine.resize(stopLine.size() - 3);
    for (int i = 0; i < 30; ++i) stopLine += "tga";
    stopLine += Codons(6);
    auto* stops = Add(*project, new CDNASequence(project.get(), "stop line", "Homo sapiens", stopLine));
    AddFeature(*stops, MakePtr<CDS>(stops, "", "1", std::to_string(stopLine.size())));

    ExpectRoundTrip(*project);
    StringList messages;
    Ptr<CProject> imported = Import(Generate(*project, "count"), messages);
    EXPECT_EQ(imported->GetSequences().GetSize(), 2);
}

TEST_F(RoundTripTest, ProteinsSkippedSequencesAndOtherPublications) {
    Ptr<CProject> project = NewProject("Peptides", "PEP-7");
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "Ann", "Lee", "B"));

    auto* protein = Add(*project, new CProtein3Sequence(project.get(), "three", "Homo sapiens",
                                                        "MetAlaSerXaaCysGlyLysLeuLeuIleIleValValTrpTrpPro"
                                                        "AsxGlxTyrHisArgAsnAspGlnGluPheThr"));
    AddFeature(*protein, MakePtr<CMatPeptide>(protein, "", "5", ""));
    AddFeature(*protein, MakePtr<COtherFeature>(protein, "MOD_RES", "phosphorylation", "3", "3"));
    protein->GetTheses().Add(
        new CThesis(protein, "Lee, A. B.", "Small peptides and their uses", "2003-04-05", "1-200", "", "", "1", "20"));
    protein->GetPatents().Add(
        new CPatent(protein, "Peptide compositions", "US 7,000,000", "2001-01-01", "2003-03-03", "", "", "2", "12"));

    auto* skipped = Add(*project, new CProtein1Sequence(project.get(), "gap", "", ""));
    skipped->SetSkipped(true);

    Add(*project, new CProtein1Sequence(project.get(), "one", "Rattus norvegicus", "MKVLAAGIVXXW"));

    auto* artificial = Add(
        *project, new CRNASequence(project.get(), "probe", "Artificial Sequence", "acguacguacguacguacguacnnnacgu"));
    artificial->GetComment()->SetComment("Synthetic probe designed to bind the widget messenger RNA in cells");

    auto* unknown = Add(*project, new CDNASequence(project.get(), "mystery", "Unknown", "acgtacgtacgtaaaaa"));
    unknown->GetComment()->SetComment("found in a soil sample");

    auto* skippedDna = Add(*project, new CDNASequence(project.get(), "gap2", "", ""));
    skippedDna->SetSkipped(true);

    ExpectRoundTrip(*project);
}

TEST_F(RoundTripTest, DnaHoldingUComesBackAsDnaRna) {
    Ptr<CProject> project = NewProject("Mixed", "MIX-1");
    project->GetOrgApplicants().Add(new COrgApplicant(project.get(), "Nucleic Acid Company"));
    Add(*project, new CDNARNASequence(project.get(), "mixed", "Homo sapiens", "acgtuacgtuacgtu"));

    const std::string first = Generate(*project, "first");
    StringList messages;
    Ptr<CProject> imported = Import(first, messages);
    EXPECT_EQ(messages,
              StringList{"* Sequence ID '1': 'U' is detected in the sequence.  However, the sequence type is listed "
                         "as DNA. The sequence type will be stored in Quillion as 'DNA/RNA' type.  The ST.25 output "
                         "file will display 'DNA' type."});
    ASSERT_EQ(imported->GetSequences().GetSize(), 1);
    EXPECT_EQ(imported->GetSequences()[0]->GetTypeName(), "DNA/RNA");
    EXPECT_EQ(Generate(*imported, "second"), first);
}

TEST_F(RoundTripTest, ImportedProjectHoldsTheRecords) {
    Ptr<CProject> project = NewProject("Widgets", "W-1");
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "John", "Smith", "A", "Jr"));
    project->GetPriorApplications().Add(new CEarlierApplication(project.get(), "US 1", "2001-01-01"));
    auto* joined = Add(
        *project, new CDNASequence(project.get(), "joined", "Homo sapiens", "atgaaaggcccttggcccgggatcacttcagcctg"));
    AddFeature(*joined, MakePtr<CDS>(joined, "", "1", "15", true));
    AddFeature(*joined, MakePtr<CDS>(joined, "", "21", "35", true));

    StringList messages;
    Ptr<CProject> imported = Import(Generate(*project, "first"), messages);
    EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(messages);
    EXPECT_EQ(imported->GetProjectData()->GetTitle(), "Widgets");
    ASSERT_EQ(imported->GetIndivApplicants().GetSize(), 1);
    EXPECT_EQ(imported->GetIndivApplicants()[0]->GetSuffix(), "Jr");
    ASSERT_EQ(imported->GetPriorApplications().GetSize(), 1);
    EXPECT_EQ(imported->GetPriorApplications()[0]->GetFilingDate().GetText(), "2001-01-01");
    // The derived entry is left out and the joined coding regions recovered.
    ASSERT_EQ(imported->GetSequences().GetSize(), 1);
    CSequence& sequence = *imported->GetSequences()[0];
    EXPECT_EQ(sequence.GetName(), "Seq_1");
    EXPECT_EQ(sequence.GetSourceReference(), "in_ST25.txt");
    ASSERT_EQ(sequence.GetFeatures().GetSize(), 2);
    EXPECT_TRUE(sequence.GetFeatures()[1]->IsJoined());
}

}  // namespace
}  // namespace qln
