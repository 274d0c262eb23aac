#include "export/St26Export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/St26TestSupport.h"
#include "export/St26ChoicesFile.h"
#include "generator/ListingWriter.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "support/RandomProject.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

class St26ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qln-st26-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    template <class T>
    static T& Add(CProject& project, T* sequence) {
        project.Add(sequence);
        return *sequence;
    }
    static void Feature(CSequence& sequence, CFeature* feature) { sequence.GetFeatures().Add(Ptr<CFeature>(feature)); }

    fs::path dir_;
};

// What the ST.25 writer numbers the first entry of each sequence.
std::vector<int> ListingNumbers(CProject& project) {
    std::stringstream listing;
    CListingWriter writer(project, listing);
    writer.WriteHeader();
    std::vector<int> numbers;
    for (auto& sequence : project.GetSequences()) {
        numbers.push_back(writer.GetEntryCount() + 1);
        sequence->LoadResidues();
        sequence->StripToLetters();
        writer.WriteEntry(*sequence);
    }
    return numbers;
}

// The SEQ IDs cited in a description must not move: every sequence and every
// protein the ST.25 listing derives keeps its number, split codons, stop
// codons and mature peptides included. A protein after the last sequence
// checks the count of the last one's derived entries too. The projects keep
// what a listing cannot carry (comments with line breaks among it); what
// is written passes the verifier, and what is refused is for stop codons in
// coding regions or mixed molecules without their segments.
// Ten times slower under the sanitizers, which draw a third of the projects.
#ifdef QLN_SANITIZED
constexpr unsigned kSeqIdSeeds = 100;
#else
constexpr unsigned kSeqIdSeeds = 300;
#endif

TEST_F(St26ExportTest, SeqIdsAreTheNumbersOfTheSt25Listing) {
    int written = 0;
    for (unsigned seed = 1; seed <= kSeqIdSeeds; ++seed) {
        test::CChoices choices = test::CChoices::Seeded(seed);
        const Ptr<CProject> project = test::CRandomProject(choices).Make();
        project->Add(new CProtein1Sequence(project.get(), "last", "Homo sapiens", "MKVLAAGG"));
        const std::vector<int> expected = ListingNumbers(*project);

        CSt26Export exporter(*project, Path("p.prj"), {});
        std::vector<int> ids;
        for (const auto& row : exporter.Rows()) ids.push_back(row.seqId);
        ASSERT_EQ(ids, expected) << "seed " << seed;

        // Those that are written are valid listings.
        const St26Outcome outcome = exporter.Run();
        ASSERT_NE(outcome, St26Outcome::Failed) << exporter.GetFailure();
        if (outcome == St26Outcome::Refused) {
            for (const auto& item : exporter.GetReport().GetItems()) {
                if (item.severity != CSt26Report::Severity::Error) continue;
                EXPECT_TRUE(item.rule.find("stop codon") != std::string::npos ||
                            item.rule.find("codes for no amino acid") != std::string::npos ||
                            item.rule.find("DNA/RNA") != std::string::npos || item.element == "mat_peptide")
                    << "seed " << seed << ": " << item.element << ": " << item.rule;
            }
            continue;
        }
        ++written;
        const auto problems = test::VerifySt26(exporter.GetXmlPath());
        ASSERT_TRUE(problems.empty()) << "seed " << seed << ": " << problems.front();
        EXPECT_EQ(exporter.GetVerification().Count(CSt26Finding::Severity::Error), 0);
    }
    EXPECT_GE(written, static_cast<int>(kSeqIdSeeds / 2));
}

// A project that uses what ST.25 had and ST.26 writes differently.
TEST_F(St26ExportTest, St25WaysBecomeTheirSt26Forms) {
    CProject project;
    CProjectData& data = *project.GetProjectData();
    data.SetTitle("Mod\xE8les d'expression");
    data.SetFileReference("R-1");
    data.SetApplicationNumber("PCT/IB2013/099999");
    data.GetFilingDate() = "2013-02-30";  // no such day: left out
    project.GetIndivApplicants().Add(Ptr<CIndivApplicant>(new CIndivApplicant(&project, "Ren\xE9", "M\xFCller")));

    auto& dna = Add(project, new CDNASequence(&project, "dna", "Mus musculus", "ttgacaatgaaacgcaaatgaccgaccgtaacggg"));
    Feature(dna, new COtherFeature(&dna, "Promoter", "", "1", "6"));
    Feature(dna, new COtherFeature(&dna, "modified_base", "m5c methylated\r\nat the\rstart\nof it", "2", "2"));
    Feature(dna, new CDS(&dna, "", "7", "21"));  // atg aaa cgc aaa tga
    dna.GetCustomCodons()["cgc"] = "Sec";
    // Ambiguous codons give what all their readings agree on: ytn may be
    // Leu or Phe, gay is Asp.
    auto& ambiguous = Add(project, new CDNASequence(&project, "ambiguous", "Mus musculus", "atgytngayaaatggtaaccc"));
    Feature(ambiguous, new CDS(&ambiguous, "", "1", "18"));
    auto& mixed = Add(project, new CDNARNASequence(&project, "mixed", "Homo sapiens", "acgtacgtacuuacuu"));
    Feature(mixed, new COtherFeature(&mixed, "misc_feature", "DNA", "1", "8"));
    Feature(mixed, new COtherFeature(&mixed, "misc_feature", "RNA", "9", "16"));
    auto& protein = Add(project, new CProtein3Sequence(&project, "p3", "Unknown", "MetLysXaaXaaGlyAlaCysTrp"));
    protein.GetComment()->SetComment("from a soil sample");
    Feature(protein, new COtherFeature(&protein, "MISC_FEATURE", "", "1", "1"));
    Feature(protein, new CMatPeptide(&protein, "", "5", ""));

    CSt26Export exporter(project, Path("p.prj"), {});
    exporter.SetProductionDate("2026-01-02");
    ASSERT_EQ(exporter.Run(), St26Outcome::WrittenToConfirm) << Read(exporter.GetReportPath());
    const std::string xml = Read(exporter.GetXmlPath());
    EXPECT_EQ(test::VerifySt26(exporter.GetXmlPath()), std::vector<std::string>{});
    for (const char* part :
         {"<IPOfficeCode>IB</IPOfficeCode>\n    <ApplicationNumberText>PCT/IB2013/099999</ApplicationNumberText>\n"
          "  </ApplicationIdentification>",
          "<ApplicantName languageCode=\"en\">M\xC3\xBCller, Ren\xC3\xA9</ApplicantName>",
          "<ApplicantNameLatin>Muller, Rene</ApplicantNameLatin>",
          "<InventionTitle languageCode=\"en\">Mod\xC3\xA8les d&apos;expression</InventionTitle>",
          "<INSDQualifier_name>regulatory_class</INSDQualifier_name>\n"
          "              <INSDQualifier_value>promoter</INSDQualifier_value>",
          "<INSDQualifier_value>m5c</INSDQualifier_value>",
          "<INSDQualifier_value>methylated at the start of it</INSDQualifier_value>",
          "<INSDQualifier_value>MXDKW</INSDQualifier_value>",
          "<INSDQualifier_value>(pos:13..15,aa:Sec)</INSDQualifier_value>",
          "<INSDQualifier_value>MKUK</INSDQualifier_value>",  // the custom codon gives selenocysteine
          "<INSDSeq_sequence>acgtacgtacttactt</INSDSeq_sequence>",
          "<INSDQualifier_value>other DNA</INSDQualifier_value>",
          "<INSDFeature_key>SITE</INSDFeature_key>\n          <INSDFeature_location>1</INSDFeature_location>",
          "<INSDFeature_key>CHAIN</INSDFeature_key>\n          <INSDFeature_location>5..8</INSDFeature_location>",
          "<INSDFeature_key>UNSURE</INSDFeature_key>\n          <INSDFeature_location>3..4</INSDFeature_location>",
          "<INSDQualifier_value>unidentified</INSDQualifier_value>",
          "<INSDQualifier_value>from a soil sample</INSDQualifier_value>",
          "<INSDSeq_sequence>MKXXGACW</INSDSeq_sequence>"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    const std::string report = Read(exporter.GetReportPath());
    for (const char* line : {"FilingDate: \"2013-02-30\" -> (none)", "\"Promoter\" -> \"regulatory\"",
                             "mol_type: -> \"unassigned DNA\" (default) [confirm]", "(none)",
                             "-> \"methylated at the start of it\" (line breaks folded to blanks; 40) [warning]",
                             "\nVerification of the listing written (as quillion-cli verify-st26 does it)\n"
                             "  0 errors, "})
        EXPECT_NE(report.find(line), std::string::npos) << line;
}

// Keys that cannot go without a qualifier take it from the comment: a term
// of the qualifier's list it begins with (older spellings of modified bases
// brought up to date), else the list's "other", else the whole comment;
// what the comment does not give is an error. Each listing written passes
// the verifier.
TEST_F(St26ExportTest, KeysTakeTheQualifiersTheyNeedFromTheComment) {
    struct Case {
        const char* key;
        const char* comment;
        const char* expected;  // in the XML, or in the report of a refusal
        bool written;
    };
    const Case kCases[] = {
        {"regulatory", "enhancer of the heavy chain",
         "regulatory_class</INSDQualifier_name>\n              <INSDQualifier_value>enhancer<", true},
        {"regulatory", "strong", "<INSDQualifier_value>other</INSDQualifier_value>", true},
        {"ncRNA", "miRNA precursor", "<INSDQualifier_value>miRNA</INSDQualifier_value>", true},
        {"mobile_element", "transposon:Tn5 with kanR", "<INSDQualifier_value>transposon:Tn5<", true},
        {"mobile_element", "Tn10 remnant", "<INSDQualifier_value>other:Tn10 remnant<", true},
        {"mobile_element", "", "needs mobile_element_type", false},
        {"modified_base", "d", "<INSDQualifier_value>dhu</INSDQualifier_value>", true},
        {"modified_base", "gal q in the loop", "<INSDQualifier_value>gal q</INSDQualifier_value>", true},
        {"modified_base", "xanthine", "<INSDQualifier_value>OTHER</INSDQualifier_value>", true},
        {"modified_base", "", "needs mod_base", false},
        {"operon", "lac", "operon</INSDQualifier_name>\n              <INSDQualifier_value>lac<", true},
        {"operon", "", "needs operon", false},
        {"protein_bind", "LacI", "bound_moiety</INSDQualifier_name>\n              <INSDQualifier_value>LacI<", true},
        {"assembly_gap", "", "<INSDQualifier_value>5</INSDQualifier_value>", true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.key) + " \"" + c.comment + "\"");
        CProject project;
        project.GetProjectData()->SetTitle("T");
        project.GetProjectData()->SetFileReference("R");
        project.GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(&project, "Acme")));
        auto& dna = Add(project, new CDNASequence(&project, "dna", "Mus musculus", "acgtacgtacgtacgtacgt"));
        Feature(dna, new COtherFeature(&dna, c.key, c.comment, "3", "7"));
        CSt26Export exporter(project, Path("p.prj"), {});
        const St26Outcome outcome = exporter.Run();
        if (!c.written) {
            EXPECT_EQ(outcome, St26Outcome::Refused);
            EXPECT_NE(Read(exporter.GetReportPath()).find(c.expected), std::string::npos)
                << Read(exporter.GetReportPath());
            continue;
        }
        ASSERT_NE(outcome, St26Outcome::Refused) << Read(exporter.GetReportPath());
        EXPECT_NE(Read(exporter.GetXmlPath()).find(c.expected), std::string::npos) << Read(exporter.GetXmlPath());
        EXPECT_EQ(test::VerifySt26(exporter.GetXmlPath()), std::vector<std::string>{});
    }
}

// Errors are all named, and nothing is written under the output name: an
// earlier listing there stays as it was.
TEST_F(St26ExportTest, ErrorsRefuseTheExportAndNameEachProblem) {
    CProject project;
    project.GetProjectData()->SetTitle("T");
    project.GetProjectData()->SetFileReference("R");
    project.GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(&project, "Acme")));
    auto& dna = Add(project, new CDNASequence(&project, "dna", "Mus musculus", "atgaaataaaaatgacccgggttt"));
    Feature(dna, new CDS(&dna, "", "1", "15"));
    Feature(dna, new COtherFeature(&dna, "made_up_key", "", "16", "18"));
    Feature(dna, new COtherFeature(&dna, "misc_feature",
                                   "grown at 37\xB0"
                                   "C",
                                   "19", "24"));
    project.Add(new CDNASequence(&project, "unchecked", "Mus musculus", "acgtacgtacgtxacgt"));

    std::ofstream(Path("p_ST26.xml")) << "earlier";
    CSt26Export exporter(project, Path("p.prj"), {});
    EXPECT_EQ(exporter.Run(), St26Outcome::Refused);
    EXPECT_EQ(Read(Path("p_ST26.xml")), "earlier");
    for (const auto& entry : fs::directory_iterator(dir_))  // no temporary file left beside it
        EXPECT_NE(entry.path().filename().string().rfind("p_ST26.xml.", 0), 0u) << entry.path();
    const std::string report = Read(exporter.GetReportPath());
    for (const char* problem :
         {"CDS 1..15: \"7..9\" -> (none) (stop codon inside the coding region",
          "feature 16..18 key: \"made_up_key\" -> (none)",
          "grown at 37\xC2\xB0"
          "C",
          "SEQ ID 2 \"unchecked\": INSDSeq_sequence: \"x\" -> (none) (position 13", "Listing: not written", "4 errors"})
        EXPECT_NE(report.find(problem), std::string::npos) << problem << "\n" << report;
}

// The choices file: what the user picked comes back, defaults fill the rest,
// and a broken file is named with its problem.
TEST_F(St26ExportTest, ChoicesFileKeepsThePicksAndNamesItsFaults) {
    CProject project;
    project.Add(new CDNASequence(&project, "a", "Homo sapiens", "acgtacgtacgt"));
    project.Add(new CRNASequence(&project, "b\xE9", "Artificial", "acguacguacgu"));
    CSt26Choices picked;
    picked.language = "de";
    picked.molTypes["a"] = "genomic DNA";
    WriteSt26Choices(picked, project, Path("p_ST26.json"));
    const CSt26Choices back = ReadSt26Choices(Path("p_ST26.json"));
    EXPECT_EQ(back.language, "de");
    EXPECT_EQ(back.molTypes.at("a"), "genomic DNA");
    EXPECT_EQ(back.molTypes.at("b\xE9"), "other RNA");

    const auto fault = [&](const std::string& text) {
        std::ofstream(Path("bad.json")) << text;
        try {
            ReadSt26Choices(Path("bad.json"));
        } catch (const CSt26ChoicesError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(fault("{\"language\": \"english\"}").rfind(Path("bad.json") + ": \"language\" must be", 0), 0u);
    EXPECT_NE(fault("{\"officeCode\": \"ZZ\"}").find("ST.3"), std::string::npos);
    EXPECT_NE(fault("{\"mol\": 1}").find("unknown member \"mol\""), std::string::npos);
    EXPECT_NE(fault("{").find("not valid JSON"), std::string::npos);
    EXPECT_EQ(ReadSt26ChoicesIfPresent(Path("none.json")).molTypes.size(), 0u);
}

}  // namespace
}  // namespace qln
