#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

#include "generator/ListedFeatures.h"
#include "generator/ListingWriter.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {
namespace {

// ---- expected text --------------------------------------------------------------

std::string Pad(std::string text, size_t width = 74) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// A residue line: the groups, then the running total ending in column 74.
std::string ResidueLine(const std::string& groups, int total) {
    const std::string number = std::to_string(total);
    return groups + std::string(74 - groups.size() - number.size(), ' ') + number + "\n";
}

std::string EntryHeader(int number, int length, const std::string& type, const std::string& organism) {
    return "<210>  " + std::to_string(number) + "\n<211>  " + std::to_string(length) + "\n<212>  " + type +
           "\n<213>  " + organism + "\n\n";
}

std::string FeatureBlock(const std::string& key, const std::string& from, const std::string& to,
                         const std::string& comment) {
    std::string text = "<220>\n";
    if (!key.empty()) text += "<221>  " + key + "\n";
    if (!from.empty()) text += "<222>  (" + from + ")..(" + to + ")\n";
    if (!comment.empty()) text += "<223>  " + comment + "\n";
    return text + "\n";
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// ---- fixture ---------------------------------------------------------------------

class ListingTest : public ::testing::Test {
protected:
    template <class T>
    T* Add(const std::string& name, const std::string& organism, const std::string& residues) {
        auto* sequence = new T(&project, name, organism, residues);
        project.Add(sequence);
        return sequence;
    }
    CDNASequence* Dna(const std::string& residues, const std::string& organism = "Homo sapiens") {
        return Add<CDNASequence>("S" + std::to_string(project.GetSequences().GetSize() + 1), organism, residues);
    }
    CProtein1Sequence* Protein(const std::string& residues, const std::string& organism = "Homo sapiens") {
        return Add<CProtein1Sequence>("P" + std::to_string(project.GetSequences().GetSize() + 1), organism, residues);
    }
    COtherFeature* Feature(CSequence* sequence, const std::string& key, const std::string& comment,
                           const std::string& from, const std::string& to) {
        auto* feature = new COtherFeature(sequence, key, comment, from, to);
        sequence->GetFeatures().Add(Ptr<CFeature>(feature));
        return feature;
    }
    CDS* Region(CSequence* sequence, int from, int to, bool joined = false) {
        auto* region = new CDS(sequence, "", std::to_string(from), std::to_string(to), joined);
        sequence->GetFeatures().Add(Ptr<CFeature>(region));
        return region;
    }
    CMatPeptide* MatPeptide(CSequence* sequence, int from, int to) {
        auto* peptide = new CMatPeptide(sequence, "", std::to_string(from), std::to_string(to));
        sequence->GetFeatures().Add(Ptr<CFeature>(peptide));
        return peptide;
    }

    // The entries of the given sequences, written in that order.
    std::string Entries(std::initializer_list<CSequence*> sequences) {
        std::ostringstream out;
        CListingWriter writer(project, out);
        for (CSequence* sequence : sequences) EXPECT_TRUE(writer.WriteEntry(*sequence));
        entryCount = writer.GetEntryCount();
        return out.str();
    }

    // The whole listing of the project.
    std::string Listing() {
        std::ostringstream out;
        CListingWriter writer(project, out);
        writer.WriteHeader();
        for (const auto& sequence : project.GetSequences()) EXPECT_TRUE(writer.WriteEntry(*sequence));
        writer.PatchCount();
        entryCount = writer.GetEntryCount();
        return out.str();
    }

    std::string Header() {
        std::ostringstream out;
        CListingWriter writer(project, out);
        writer.WriteHeader();
        return out.str();
    }

    CProject project;
    int entryCount = 0;
};

const std::string kTitleLines = "                         SEQUENCE LISTING\n\n";
const std::string kSoftwareLines = "<170>  Quillion version 3.5\n\n";

// ---- header ------------------------------------------------------------------------

using ListingHeader = ListingTest;

TEST_F(ListingHeader, IndividualApplicantAloneEndsWithALineOfOneSpace) {
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    EXPECT_EQ(Header(),
              kTitleLines + "<110>  Smith, John\n \n<120>  \n\n<130>  \n\n<160>        \n\n" + kSoftwareLines);
}

TEST_F(ListingHeader, OrganizationsComeFirstAndFurtherApplicantsAreIndented) {
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "Ann", "Lee", "B", "Jr."));
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Acme Corp"));
    EXPECT_EQ(
        Header().substr(kTitleLines.size()),
        "<110>  Acme Corp\n       Smith, John\n       Lee, Ann B Jr.\n \n<120>  \n\n<130>  \n\n<160>        \n\n" +
            kSoftwareLines);
}

TEST_F(ListingHeader, NoApplicantLeavesTheItemEmpty) { EXPECT_EQ(Header().substr(kTitleLines.size(), 8), "<110>  \n"); }

TEST_F(ListingHeader, LongApplicantNameContinuesOnAnIndentedLine) {
    // 86 characters with the six leading spaces; the last space of the
    // first 65 is at index 62 and stays at the end of the first line.
    const std::string name = "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi Omicron";
    project.GetOrgApplicants().Add(new COrgApplicant(&project, name));
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "John", "Smith"));
    const std::string header = Header();
    EXPECT_EQ(header.substr(kTitleLines.size(), header.find("<120>") - kTitleLines.size()),
              "<110>  Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa \n"
              "       Lambda Mu Nu Xi Omicron\n"
              "       Smith, John\n \n");
}

TEST_F(ListingHeader, ProjectDataAndPriorApplications) {
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Acme Corp"));
    CProjectData& data = *project.GetProjectData();
    data.SetTitle("Antibodies against everything");
    data.SetFileReference("REF-1");
    data.SetApplicationNumber("PCT/US01/00001");
    data.GetFilingDate() = std::string("2001-02-03");
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "US 60/123", "2000-01-01"));
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "EP 1", "____-__-__"));
    EXPECT_EQ(Header(), kTitleLines +
                            "<110>  Acme Corp\n \n"
                            "<120>  Antibodies against everything\n\n"
                            "<130>  REF-1\n\n"
                            "<140>  PCT/US01/00001\n"
                            "<141>  2001-02-03\n\n"
                            "<150>  US 60/123\n"
                            "<151>  2000-01-01\n\n"
                            "<150>  EP 1\n"
                            "<151>  \n\n"
                            "<160>        \n\n" +
                            kSoftwareLines);
}

TEST_F(ListingHeader, ApplicationNumberAndFilingDateEachStandAlone) {
    CProjectData& data = *project.GetProjectData();
    data.SetApplicationNumber("12/345");
    EXPECT_NE(Header().find("<130>  \n\n<140>  12/345\n<160>        \n\n"), std::string::npos);
    data.SetApplicationNumber("");
    data.GetFilingDate() = std::string("2001-02-03");
    EXPECT_NE(Header().find("<130>  \n\n<141>  2001-02-03\n\n<160>"), std::string::npos);
}

TEST_F(ListingHeader, LongTitleWrapsAtTheLastSpace) {
    project.GetProjectData()->SetTitle(
        "Methods and compositions for the treatment of diseases caused by unusually long titles");
    EXPECT_NE(Header().find("<120>  Methods and compositions for the treatment of diseases caused by \n"
                            "       unusually long titles\n\n"),
              std::string::npos);
}

TEST_F(ListingHeader, CountIsPatchedOverThePlaceholder) {
    Dna("acgt");
    Dna("acgt")->SetSkipped(true);
    Dna("acgt");
    const std::string listing = Listing();
    EXPECT_EQ(entryCount, 3);
    EXPECT_NE(listing.find("\n<160>  3     \n\n<170>"), std::string::npos);
}

// ---- plain nucleotide entries -----------------------------------------------------

using ListingNucleotide = ListingTest;

TEST_F(ListingNucleotide, TwentyResidues) {
    CDNASequence* dna = Dna("acgtacgtacgtacgtacgt");
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 20, "DNA", "Homo sapiens") + "<400>  1\n" + "acgtacgtac gtacgtacgt" +
                                  std::string(51, ' ') + "20\n\n\n");
}

TEST_F(ListingNucleotide, SixtyResiduesMakeOneLineOfSeventyFour) {
    const std::string ten = "gattacagat";
    CDNASequence* dna = Dna(Repeat(ten, 6));
    const std::string line = Repeat(ten + " ", 5) + ten + "       60";
    ASSERT_EQ(line.size(), 74u);
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 60, "DNA", "Homo sapiens") + "<400>  1\n" + line + "\n\n\n");
}

TEST_F(ListingNucleotide, SixtyOneResiduesPutOneOnASecondLine) {
    const std::string ten = "gattacagat";
    CDNASequence* dna = Dna(Repeat(ten, 6) + "c");
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 61, "DNA", "Homo sapiens") + "<400>  1\n" + Repeat(ten + " ", 5) + ten +
                                  "       60\n\n" + "c" + std::string(71, ' ') + "61\n\n\n");
}

TEST_F(ListingNucleotide, LongSequenceLinesEndInTheirRunningTotals) {
    std::string residues;
    for (int i = 0; i < 1000; ++i) residues += "acgt"[(i * 7 + i / 3) % 4];
    CDNASequence* dna = Dna(residues);
    const std::string text = Entries({dna});
    std::string expected = EntryHeader(1, 1000, "DNA", "Homo sapiens") + "<400>  1\n";
    for (int start = 0; start < 1000; start += 60) {
        std::string groups;
        for (int g = start; g < std::min(start + 60, 1000); g += 10)
            groups += (groups.empty() ? "" : " ") + residues.substr(g, 10);
        expected += ResidueLine(groups, std::min(start + 60, 1000)) + "\n";
    }
    EXPECT_EQ(text, expected + "\n");
}

TEST_F(ListingNucleotide, RnaAndMixedTypeCodes) {
    CRNASequence* rna = Add<CRNASequence>("R", "Homo sapiens", "acgu");
    CDNARNASequence* mixed = Add<CDNARNASequence>("M", "Homo sapiens", "acgt");
    const std::string text = Entries({rna, mixed});
    EXPECT_NE(text.find("<210>  1\n<211>  4\n<212>  RNA\n"), std::string::npos);
    EXPECT_NE(text.find("<210>  2\n<211>  4\n<212>  DNA\n"), std::string::npos);
}

TEST_F(ListingNucleotide, EmptyResiduesWriteThreeZeros) {
    CDNASequence* empty = Dna("");
    CDNASequence* zeros = Dna("000");
    EXPECT_EQ(Entries({empty, zeros}), EntryHeader(1, 0, "DNA", "Homo sapiens") + "<400>  1\n000\n\n" +
                                           EntryHeader(2, 0, "DNA", "Homo sapiens") + "<400>  2\n000\n\n");
}

TEST_F(ListingNucleotide, SkippedSequenceKeepsItsNumber) {
    CDNASequence* first = Dna("acgt");
    CDNASequence* skipped = Dna("acgtacgt");
    skipped->SetSkipped(true);
    Feature(skipped, "misc_feature", "not listed", "1", "2");
    CDNASequence* third = Dna("acgt");
    EXPECT_EQ(Entries({first, skipped, third}),
              EntryHeader(1, 4, "DNA", "Homo sapiens") + "<400>  1\n" + ResidueLine("acgt", 4) + "\n\n" +
                  "<210>  2\n\n<400>  2\n000\n\n" +  //
                  EntryHeader(3, 4, "DNA", "Homo sapiens") + "<400>  3\n" + ResidueLine("acgt", 4) + "\n\n");
    EXPECT_EQ(entryCount, 3);
}

// ---- organism comment and features -------------------------------------------------

using ListingFeatures = ListingTest;

TEST_F(ListingFeatures, ArtificialOrganismListsItsComment) {
    CDNASequence* dna = Dna("acgt", "Artificial Sequence");
    dna->GetComment()->SetComment("Synthetic primer");
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 4, "DNA", "Artificial Sequence") + "<220>\n<223>  Synthetic primer\n\n" +
                                  "<400>  1\n" + ResidueLine("acgt", 4) + "\n\n");
}

TEST_F(ListingFeatures, CommentOfAKnownOrganismIsNotListed) {
    CDNASequence* dna = Dna("acgt", "Mus musculus");
    dna->GetComment()->SetComment("left over");
    EXPECT_EQ(Entries({dna}).find("left over"), std::string::npos);
}

TEST_F(ListingFeatures, FeatureListFollowsTheCommentAfterAnEmptyLine) {
    CDNASequence* dna = Dna("acgt", "unknown");
    dna->GetComment()->SetComment("From soil");
    Feature(dna, "promoter", "", "1", "2");
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 4, "DNA", "unknown") + "<220>\n<223>  From soil\n\n" + "\n" +
                                  FeatureBlock("promoter", "1", "2", "") + "<400>  1\n" + ResidueLine("acgt", 4) +
                                  "\n\n");
}

TEST_F(ListingFeatures, CommentIsCutAfterTheFourthLine) {
    CDNASequence* dna = Dna("acgt", "Artificial Sequence");
    const std::string word(60, 'w');
    dna->GetComment()->SetComment(word + " " + word + " " + word + " " + word + " " + word + " end");
    const std::string indent = "\n       ";
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 4, "DNA", "Artificial Sequence") + "<220>\n<223>  " + word + " " + indent +
                                  word + " " + indent + word + " " + indent + word + " " + indent + "\n\n" +
                                  "<400>  1\n" + ResidueLine("acgt", 4) + "\n\n");
}

TEST_F(ListingFeatures, FeaturesAreSortedByFromKeepingEntryOrder) {
    CDNASequence* dna = Dna(std::string(30, 'a'));
    Feature(dna, "repeat_region", "second at 5", "5", "9");
    Feature(dna, "misc_feature", "no location", "", "");
    Feature(dna, "repeat_region", "first at 12", "12", "20");
    Feature(dna, "variation", "also at 5", "5", "5");
    EXPECT_EQ(Entries({dna}),
              EntryHeader(1, 30, "DNA", "Homo sapiens") + "\n" + FeatureBlock("misc_feature", "", "", "no location") +
                  FeatureBlock("repeat_region", "5", "9", "second at 5") +
                  FeatureBlock("variation", "5", "5", "also at 5") +
                  FeatureBlock("repeat_region", "12", "20", "first at 12") + "<400>  1\n" +
                  ResidueLine(Repeat(std::string(10, 'a') + " ", 2) + std::string(10, 'a'), 30) + "\n\n");
}

TEST_F(ListingFeatures, UnknownRunsGetFeaturesSplitByExplainingOnes) {
    CDNASequence* dna = Dna("aannnnnaaannaa");
    Feature(dna, "promoter", "", "1", "2");
    Feature(dna, "misc_feature", "n is g", "5", "5");
    Feature(dna, "misc_feature", "", "11", "12");  // no comment: explains nothing
    const std::string made = "n is a, c, g, or t";
    EXPECT_EQ(Entries({dna}),
              EntryHeader(1, 14, "DNA", "Homo sapiens") + "\n" + FeatureBlock("promoter", "1", "2", "") +
                  FeatureBlock("misc_feature", "3", "4", made) + FeatureBlock("misc_feature", "5", "5", "n is g") +
                  FeatureBlock("misc_feature", "6", "7", made) + FeatureBlock("misc_feature", "11", "12", "") +
                  FeatureBlock("misc_feature", "11", "12", made) + "<400>  1\n" + ResidueLine("aannnnnaaa nnaa", 14) +
                  "\n\n");
}

TEST_F(ListingFeatures, CoveredRunsDisappearAndRunsAtTheEndsShrink) {
    CDNASequence* dna = Dna("nnnaaaannnn");
    Feature(dna, "MISC_FEATURE", "any", "1", "3");  // letter case of the key does not matter
    Feature(dna, "misc_feature", "any", "10", "11");
    const std::string text = Entries({dna});
    EXPECT_NE(text.find(FeatureBlock("misc_feature", "8", "9", "n is a, c, g, or t")), std::string::npos);
    EXPECT_EQ(text.find("(1)..(3)\n<223>  n is"), std::string::npos);
    EXPECT_EQ(text.find("(10)..(11)\n<223>  n is"), std::string::npos);
}

TEST_F(ListingFeatures, UnknownCommentsByType) {
    CRNASequence* rna = Add<CRNASequence>("R", "Homo sapiens", "annu");
    CDNARNASequence* mixed = Add<CDNARNASequence>("M", "Homo sapiens", "tnu");
    const std::string text = Entries({rna, mixed});
    EXPECT_NE(text.find(FeatureBlock("misc_feature", "2", "3", "n is a, c, g, or u")), std::string::npos);
    EXPECT_NE(text.find(FeatureBlock("misc_feature", "2", "2", "n is a, c, g, t or u")), std::string::npos);
}

TEST_F(ListingFeatures, ProteinUnknownRunsAreExplainedByAnyFeature) {
    CProtein1Sequence* protein = Protein("MXXXAXG");
    Feature(protein, "MOD_RES", "", "3", "3");
    Feature(protein, "SITE", "somewhere", "", "");
    const std::string made = "Xaa can be any naturally occurring amino acid";
    const std::string text = Entries({protein});
    EXPECT_EQ(text.substr(0, text.find("<400>")),
              EntryHeader(1, 7, "PRT", "Homo sapiens") + "\n" + FeatureBlock("SITE", "", "", "somewhere") +
                  FeatureBlock("misc_feature", "2", "2", made) + FeatureBlock("MOD_RES", "3", "3", "") +
                  FeatureBlock("misc_feature", "4", "4", made) + FeatureBlock("misc_feature", "6", "6", made));
}

TEST_F(ListingFeatures, MissingFeaturesCheckLeavesRunsToTheUser) {
    project.SetCheckMissingFeatures(true);
    CDNASequence* dna = Dna("acnnt");
    EXPECT_EQ(Entries({dna}),
              EntryHeader(1, 5, "DNA", "Homo sapiens") + "<400>  1\n" + ResidueLine("acnnt", 5) + "\n\n");
}

TEST_F(ListingFeatures, LongFeatureKeyAndLineEndsInComments) {
    CDNASequence* dna = Dna("acgt");
    Feature(dna, "misc_feature", "first line\r\nsecond line", "1", "4");
    EXPECT_NE(Entries({dna}).find("<223>  first line\r\n       second line\n\n"), std::string::npos);
}

TEST(ListingFeatureList, UncoveredParts) {
    using Range = CListedFeatures::Range;
    const std::vector<Range> runs{{3, 7}, {11, 12}, {20, 30}, {40, 40}};
    EXPECT_EQ(CListedFeatures::Uncovered(runs, {}), runs);
    EXPECT_EQ(CListedFeatures::Uncovered(runs, {{5, 5}, {0, 0}, {9, 8}}),
              (std::vector<Range>{{3, 4}, {6, 7}, {11, 12}, {20, 30}, {40, 40}}));
    // Overlapping covers, one reaching over two runs, one at a run's end.
    EXPECT_EQ(CListedFeatures::Uncovered(runs, {{25, 27}, {6, 12}, {26, 28}, {30, 45}}),
              (std::vector<Range>{{3, 5}, {20, 24}, {29, 29}}));
    EXPECT_TRUE(CListedFeatures::Uncovered(runs, {{1, 100}}).empty());
}

// ---- publications -----------------------------------------------------------------

using ListingPublications = ListingTest;

TEST_F(ListingPublications, ListedAsJournalsDatabasesThesesPatents) {
    CDNASequence* dna = Dna("acgt");
    dna->GetPatents().Add(new CPatent(dna, "Patent title", "WO 01/12345", "2000-01-01", "2001-07-01"));
    dna->GetTheses().Add(new CThesis(dna, "Doe, J.", "Thesis title", "1999-__-__", "1-200"));
    dna->GetDatabases().Add(new CPubDatabase(dna, "X1", "2003-01-02", "2", "5"));
    dna->GetJournals().Add(new CJournal(dna, "Smith, J.", "A title", "J. Mol. Biol.", "12", "3", "100-110",
                                        "2001-__-__", "AB123", "2002-05-06", "1", "10"));
    dna->GetJournals().Add(new CJournal(dna, "Lee, A.", "", "Nature", "7", "", "1-2", "2001-05-__"));
    const std::string text = Entries({dna});
    EXPECT_EQ(text.substr(0, text.find("<400>")),
              EntryHeader(1, 4, "DNA", "Homo sapiens") +
                  "<300>\n<301>  Smith, J.\n<302>  A title\n<303>  J. Mol. Biol.\n<304>  12\n<305>  3\n"
                  "<306>  100-110\n<307>  2001      \n<308>  AB123\n<309>  2002-05-06\n<313>  (1)..(10)\n\n"
                  "<300>\n<301>  Lee, A.\n<303>  Nature\n<304>  7\n<306>  1-2\n<307>  2001-05   \n\n"
                  "<300>\n<308>  X1\n<309>  2003-01-02\n<313>  (2)..(5)\n\n"
                  "<300>\n<301>  Doe, J.\n<302>  Thesis title\n<306>  1-200\n<307>  1999-__-__\n\n"
                  "<300>\n<302>  Patent title\n<310>  WO 01/12345\n<311>  2000-01-01\n<312>  2001-07-01\n\n");
}

TEST_F(ListingPublications, RangeWithOneEndAndLongAuthorList) {
    CDNASequence* dna = Dna("acgt");
    auto* journal = new CJournal(dna, "Smith, J., Jones, K., Brown, L., Green, M., White, N., Black, O., Gray, P.", "",
                                 "Cell", "1", "", "1", "2001-01-01");
    journal->SetToText("3");
    dna->GetJournals().Add(journal);
    const std::string text = Entries({dna});
    // The 66th character is a space: the cut comes before it and it starts
    // the continuation line.
    EXPECT_NE(text.find("<301>  Smith, J., Jones, K., Brown, L., Green, M., White, N., Black, O.,\n"
                        "        Gray, P.\n"),
              std::string::npos);
    EXPECT_NE(text.find("<307>  2001-01-01\n<313>  ()..(3)\n\n"), std::string::npos);
}

// ---- proteins ------------------------------------------------------------------------

using ListingProtein = ListingTest;

TEST_F(ListingProtein, EighteenResiduesAsEntryTwo) {
    Dna("acgt")->SetSkipped(true);
    CProtein1Sequence* protein = Protein("MKVLAAGGSTWYHIPEDC");
    const std::string text = Entries({project.GetSequences()[0].get(), protein});
    const std::string codes = "Met Lys Val Leu Ala Ala Gly Gly Ser Thr Trp Tyr His Ile Pro Glu ";
    const std::string numbers = "1" + std::string(15, ' ') + "5" + std::string(19, ' ') + "10" + std::string(18, ' ') +
                                "15" + std::string(6, ' ');
    EXPECT_EQ(text, "<210>  1\n\n<400>  1\n000\n\n" + EntryHeader(2, 18, "PRT", "Homo sapiens") + "<400>  2\n" + "\n" +
                        codes + "\n" + numbers + "\n\n" + "\nAsp Cys \n        \n\n" + "\n");
    // Columns (1-based) of the numbers.
    EXPECT_EQ(numbers.find("1"), 0u);
    EXPECT_EQ(numbers.find("5"), 16u);
    EXPECT_EQ(numbers.find("10"), 36u);
    EXPECT_EQ(numbers.find("15"), 56u);
}

TEST_F(ListingProtein, MaturePeptideAtFourNumbersFromMinusThree) {
    CProtein1Sequence* protein = Protein("MKVLAAGGSTWYH");
    MatPeptide(protein, 4, 13);
    // -3 -2 -1 1 2 3 4 5 6 7 8 9 10: only -1, 1, 5 and 10 are printed.
    EXPECT_EQ(Entries({protein}), EntryHeader(1, 13, "PRT", "Homo sapiens") + "\n" +
                                      FeatureBlock("mat_peptide", "4", "13", "") + "<400>  1\n" +
                                      "\nMet Lys Val Leu Ala Ala Gly Gly Ser Thr Trp Tyr His \n" +
                                      "        -1  1               5                   10  \n\n" + "\n");
}

TEST_F(ListingProtein, EmptyProteinWritesThreeZerosAndOneLineEnd) {
    CProtein1Sequence* empty = Protein("");
    CDNASequence* next = Dna("acgt");
    EXPECT_EQ(Entries({empty, next}), EntryHeader(1, 0, "PRT", "Homo sapiens") + "<400>  1\n000\n" +
                                          EntryHeader(2, 4, "DNA", "Homo sapiens") + "<400>  2\n" +
                                          ResidueLine("acgt", 4) + "\n\n");
}

TEST_F(ListingProtein, ThreeLetterProteinIsListedByItsAminoAcids) {
    auto* protein = Add<CProtein3Sequence>("P3", "Homo sapiens", "AlaGlyXaaCys");
    EXPECT_EQ(Entries({protein}),
              EntryHeader(1, 4, "PRT", "Homo sapiens") + "\n" +
                  FeatureBlock("misc_feature", "3", "3", "Xaa can be any naturally occurring amino acid") +
                  "<400>  1\n\nAla Gly Xaa Cys \n1               \n\n\n");
}

TEST_F(ListingProtein, NoDerivedEntriesForProteins) {
    CProtein1Sequence* protein = Protein("MKVLAAGG");
    Region(protein, 1, 8);
    Entries({protein});
    EXPECT_EQ(entryCount, 1);
}

// ---- coding regions and derived entries ---------------------------------------------

using ListingCoding = ListingTest;

TEST_F(ListingCoding, StopCodonExampleDropsItsShortDerivedEntry) {
    CDNASequence* dna = Dna("gcaatgaaagggtaaccggt");
    Region(dna, 4, 15);
    CDNASequence* next = Dna("acgt");
    EXPECT_EQ(Entries({dna, next}),
              EntryHeader(1, 20, "DNA", "Homo sapiens") + "\n" + FeatureBlock("CDS", "4", "15", "") + "<400>  1\n" +
                  ResidueLine("gca atg aaa ggg taa ccggt", 20) + Pad("    Met Lys Gly") + "\n" + Pad("    1") +
                  "\n\n\n" +  //
                  EntryHeader(2, 4, "DNA", "Homo sapiens") + "<400>  2\n" + ResidueLine("acgt", 4) + "\n\n");
    EXPECT_EQ(entryCount, 2);
}

TEST_F(ListingCoding, StretchesBetweenStopCodonsBecomeEntries) {
    CDNASequence* dna = Dna("atgaaagggccctaatttgggaaaccctttgc");
    Region(dna, 1, 30);
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 32, "DNA", "Homo sapiens") + "\n" + FeatureBlock("CDS", "1", "30", "") +
                                  "<400>  1\n" + ResidueLine("atg aaa ggg ccc taa ttt ggg aaa ccc ttt gc", 32) +
                                  Pad("Met Lys Gly Pro     Phe Gly Lys Pro Phe") + "\n" + Pad("1                   5") +
                                  "\n\n\n" + EntryHeader(2, 4, "PRT", "Homo sapiens") +
                                  "<400>  2\n\nMet Lys Gly Pro \n1               \n\n\n" +
                                  EntryHeader(3, 5, "PRT", "Homo sapiens") +
                                  "<400>  3\n\nPhe Gly Lys Pro Phe \n1               5   \n\n\n");
    EXPECT_EQ(entryCount, 3);
}

TEST_F(ListingCoding, EachUnjoinedRegionGivesItsOwnEntries) {
    CDNASequence* dna = Dna(
        "atgaaagggccc"
        "tttt"
        "atggggcccaaa");
    Region(dna, 1, 12);
    Region(dna, 17, 28);
    const std::string text = Entries({dna});
    EXPECT_NE(text.find("<400>  2\n\nMet Lys Gly Pro \n"), std::string::npos);
    EXPECT_NE(text.find("<400>  3\n\nMet Gly Pro Lys \n"), std::string::npos);
    EXPECT_EQ(entryCount, 3);
}

TEST_F(ListingCoding, JoinedRegionsMakeOneEntryAcrossASplitCodon) {
    // Regions 1-4 and 8-15 joined: the codon of residues 4, 8 and 9 ("tgg")
    // shows under the piece of two.
    CDNASequence* dna = Dna(
        "atgt"
        "ccc"
        "ggaaatgg"
        "cc");
    Region(dna, 1, 4, true);
    Region(dna, 8, 15, true);
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 17, "DNA", "Homo sapiens") + "\n" + FeatureBlock("CDS", "1", "4", "") +
                                  FeatureBlock("CDS", "8", "15", "") + "<400>  1\n" +
                                  ResidueLine("atg t ccc gg  aaa tgg cc", 17) + Pad("Met       Trp Lys Trp") + "\n" +
                                  Pad("1") + "\n\n\n" + EntryHeader(2, 4, "PRT", "Homo sapiens") +
                                  "<400>  2\n\nMet Trp Lys Trp \n1               \n\n\n");
}

TEST_F(ListingCoding, OnlyTheLastRegionDecidesOnJoining) {
    CDNASequence* dna = Dna(
        "atgaaagggccc"
        "tttt"
        "atggggcccaaa");
    Region(dna, 1, 12, false);
    Region(dna, 17, 28, true);
    const std::string text = Entries({dna});
    EXPECT_NE(text.find("<211>  8\n<212>  PRT\n"), std::string::npos);
    EXPECT_NE(text.find("Met Lys Gly Pro Met Gly Pro Lys \n1               5"), std::string::npos);
    EXPECT_EQ(entryCount, 2);
}

TEST_F(ListingCoding, UnknownCodonExplainedWithNumbersRelativeToTheMaturePeptide) {
    CDNASequence* dna = Dna("rggatgaaaccctttggg", "Artificial Sequence");
    dna->GetComment()->SetComment("Primer");
    Region(dna, 1, 18);
    MatPeptide(dna, 7, 18);
    EXPECT_EQ(Entries({dna}),
              EntryHeader(1, 18, "DNA", "Artificial Sequence") + "<220>\n<223>  Primer\n\n" + "\n" +
                  FeatureBlock("CDS", "1", "18", "") + FeatureBlock("mat_peptide", "7", "18", "") + "<400>  1\n" +
                  ResidueLine("rgg atg aaa ccc ttt ggg", 18) + Pad("Xaa Met Lys Pro Phe Gly") + "\n" +
                  Pad("    -1  1") + "\n\n\n" +  //
                  EntryHeader(2, 6, "PRT", "Artificial Sequence") +
                  FeatureBlock("misc_feature", "-2", "-2", "The 'Xaa' at location -2 stands for Gly, or Arg.") +
                  "<220>\n<223>  Synthetic Construct\n\n" + "<400>  2\n\n" + "Xaa Met Lys Pro Phe Gly \n" +
                  "    -1  1" + std::string(15, ' ') + "\n\n\n");
}

TEST_F(ListingCoding, UnknownCodonAtLocationThree) {
    CDNASequence* dna = Dna("atgaaarggccc");
    Region(dna, 1, 12, true);
    const std::string text = Entries({dna});
    EXPECT_NE(text.find(EntryHeader(2, 4, "PRT", "Homo sapiens") +
                        FeatureBlock("misc_feature", "3", "3", "The 'Xaa' at location 3 stands for Gly, or Arg.") +
                        "<400>  2\n\nMet Lys Xaa Pro \n"),
              std::string::npos);
}

TEST_F(ListingCoding, ModifiedBaseSuppressesTheExplanations) {
    CDNASequence* dna = Dna("atgaaarggccc");
    Region(dna, 1, 12, true);
    Feature(dna, "modified_base", "inosine", "7", "7");
    std::string text = Entries({dna});
    EXPECT_EQ(text.find("stands for"), std::string::npos);

    // Only the exact key counts.
    dna->GetFeatures()[1]->SetKey("Modified_base");
    text = Entries({dna});
    EXPECT_NE(text.find("The 'Xaa' at location 3 stands for Gly, or Arg."), std::string::npos);
}

TEST_F(ListingCoding, DerivedEntryOfAKnownOrganismCarriesTheCommentAsIs) {
    CDNASequence* dna = Dna("atgaaagggccc", "Mus musculus");
    dna->GetComment()->SetComment("Kept from before");
    Region(dna, 1, 12, true);
    const std::string text = Entries({dna});
    EXPECT_NE(text.find(EntryHeader(2, 4, "PRT", "Mus musculus") + "<220>\n<223>  Kept from before\n\n<400>  2\n"),
              std::string::npos);
}

TEST_F(ListingCoding, MaturePeptideWithoutRegionsDerivesNothing) {
    CDNASequence* dna = Dna("atgaaagggccc");
    MatPeptide(dna, 4, 12);
    Entries({dna});
    EXPECT_EQ(entryCount, 1);
}

TEST_F(ListingCoding, ExonTranslatedButDerivesNoEntry) {
    CDNASequence* dna = Dna("ccatgaaagggcccc");
    dna->GetFeatures().Add(Ptr<CFeature>(new CExon(dna, "", "3", "14")));
    EXPECT_EQ(Entries({dna}), EntryHeader(1, 15, "DNA", "Homo sapiens") + "\n" + FeatureBlock("exon", "3", "14", "") +
                                  "<400>  1\n" + ResidueLine("cc atg aaa ggg ccc c", 15) + Pad("   Met Lys Gly Pro") +
                                  "\n" + Pad("   1") + "\n\n\n");
    EXPECT_EQ(entryCount, 1);
}

TEST_F(ListingCoding, LongCodingRegionKeepsSixteenCodonsToALine) {
    std::string residues;
    for (int i = 0; i < 100; ++i) residues += "gct";  // Ala
    CDNASequence* dna = Dna(residues);
    Region(dna, 1, 300);
    const std::string text = Entries({dna});
    const std::string line = Repeat("gct ", 15) + "gct         48\n";
    EXPECT_EQ(text.find(line), text.find("<400>  1\n") + 9);
    EXPECT_NE(text.find(Pad(Repeat("Ala ", 15) + "Ala") + "\n" +
                        Pad("1               5                   10"
                            "                  15") +
                        "\n\n"),
              std::string::npos);
    EXPECT_NE(text.find(ResidueLine(Repeat("gct ", 3) + "gct", 300) + Pad(Repeat("Ala ", 3) + "Ala") + "\n" +
                        Pad(std::string(12, ' ') + "100") + "\n\n\n<210>  2\n<211>  100\n"),
              std::string::npos);
}

// ---- cancellation and whole listings -------------------------------------------------

using ListingWhole = ListingTest;

TEST_F(ListingWhole, CancelledBeforeTheDerivedEntries) {
    CDNASequence* dna = Dna("atgaaagggccc");
    Region(dna, 1, 12, true);
    std::ostringstream out;
    CListingWriter writer(project, out);
    writer.SetCancelCheck([] { return true; });
    EXPECT_FALSE(writer.WriteEntry(*dna));
    EXPECT_EQ(out.str().find("<210>  2"), std::string::npos);
    EXPECT_EQ(out.str().find("<210>  1\n"), 0u);
    EXPECT_EQ(writer.GetEntryCount(), 1);
}

TEST_F(ListingWhole, CancelledWhileLayingOutALongSequence) {
    CDNASequence* dna = Dna(std::string(200000, 'a'));
    std::ostringstream out;
    CListingWriter writer(project, out);
    writer.SetCancelCheck([] { return true; });
    EXPECT_FALSE(writer.WriteEntry(*dna));
    EXPECT_LT(out.str().size(), 200000u);
}

TEST_F(ListingWhole, SmallListingByHand) {
    project.GetOrgApplicants().Add(new COrgApplicant(&project, "Quillion Test Lab"));
    project.GetProjectData()->SetTitle("Test listing");
    project.GetProjectData()->SetFileReference("T-1");
    CDNASequence* dna = Dna("ggcatgaaacccgggtaaca", "Mus musculus");
    Region(dna, 4, 18);
    Dna("acgt")->SetSkipped(true);
    Protein("MKV", "Artificial Sequence")->GetComment()->SetComment("Made up");

    EXPECT_EQ(Listing(),
              "                         SEQUENCE LISTING\n"
              "\n"
              "<110>  Quillion Test Lab\n"
              " \n"
              "<120>  Test listing\n"
              "\n"
              "<130>  T-1\n"
              "\n"
              "<160>  4     \n"
              "\n"
              "<170>  Quillion version 3.5\n"
              "\n"
              "<210>  1\n"
              "<211>  20\n"
              "<212>  DNA\n"
              "<213>  Mus musculus\n"
              "\n"
              "\n"
              "<220>\n"
              "<221>  CDS\n"
              "<222>  (4)..(18)\n"
              "\n"
              "<400>  1\n"
              "ggc atg aaa ccc ggg taa ca                                              20\n"
              "    Met Lys Pro Gly                                                       \n"
              "    1                                                                     \n"
              "\n"
              "\n"
              "<210>  2\n"
              "<211>  4\n"
              "<212>  PRT\n"
              "<213>  Mus musculus\n"
              "\n"
              "<400>  2\n"
              "\n"
              "Met Lys Pro Gly \n"
              "1               \n"
              "\n"
              "\n"
              "<210>  3\n"
              "\n"
              "<400>  3\n"
              "000\n"
              "\n"
              "<210>  4\n"
              "<211>  3\n"
              "<212>  PRT\n"
              "<213>  Artificial Sequence\n"
              "\n"
              "<220>\n"
              "<223>  Made up\n"
              "\n"
              "<400>  4\n"
              "\n"
              "Met Lys Val \n"
              "1           \n"
              "\n"
              "\n");
    EXPECT_EQ(entryCount, 4);
}

TEST_F(ListingWhole, ListingWithPublicationAndJoinedRegions) {
    project.GetIndivApplicants().Add(new CIndivApplicant(&project, "Ann", "Lee", "B"));
    project.GetProjectData()->SetTitle("Joined");
    project.GetProjectData()->SetFileReference("J-2");
    project.GetPriorApplications().Add(new CEarlierApplication(&project, "US 1", "2000-01-01"));
    CDNASequence* dna = Dna(
        "aatgaaac"
        "gggccctaa");
    Region(dna, 2, 7, true);
    Region(dna, 9, 17, true);
    dna->GetDatabases().Add(new CPubDatabase(dna, "AB000001", "2001-02-03", "1", "17"));

    EXPECT_EQ(Listing(),
              "                         SEQUENCE LISTING\n"
              "\n"
              "<110>  Lee, Ann B\n"
              " \n"
              "<120>  Joined\n"
              "\n"
              "<130>  J-2\n"
              "\n"
              "<150>  US 1\n"
              "<151>  2000-01-01\n"
              "\n"
              "<160>  2     \n"
              "\n"
              "<170>  Quillion version 3.5\n"
              "\n"
              "<210>  1\n"
              "<211>  17\n"
              "<212>  DNA\n"
              "<213>  Homo sapiens\n"
              "\n"
              "\n"
              "<220>\n"
              "<221>  CDS\n"
              "<222>  (2)..(7)\n"
              "\n"
              "<220>\n"
              "<221>  CDS\n"
              "<222>  (9)..(17)\n"
              "\n"
              "<300>\n"
              "<308>  AB000001\n"
              "<309>  2001-02-03\n"
              "<313>  (1)..(17)\n"
              "\n"
              "<400>  1\n"
              "a atg aaa c ggg ccc taa                                                 17\n"
              "  Met Lys   Gly Pro                                                       \n"
              "  1                                                                       \n"
              "\n"
              "\n"
              "<210>  2\n"
              "<211>  5\n"
              "<212>  PRT\n"
              "<213>  Homo sapiens\n"
              "\n"
              "<400>  2\n"
              "\n"
              "Met Lys Gly Pro     \n"
              "1                   \n"
              "\n"
              "\n");
}

}  // namespace
}  // namespace qln
