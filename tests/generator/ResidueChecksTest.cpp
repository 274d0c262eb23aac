#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "model/Feature.h"
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

const char* const kNotAscii = "The input file is not an ASCII text file.  The sequences cannot be imported.";

// n residues cycling through the given letters (or triples).
std::string Repeat(size_t n, const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += pattern;
    return out;
}

template <class T>
Ptr<T> Make(std::string residues, std::string name = "S1", CModel* parent = nullptr) {
    return Ptr<T>(new T(parent, std::move(name), "Homo sapiens", std::move(residues)));
}

// ---- the bulk check of the one-letter kinds ----

TEST(ResidueCharacterCheck, OneMessagePerInvalidCharacterWithItsLocation) {
    Ptr<CDNASequence> seq = Make<CDNASequence>("acgu");
    seq->SetResiduesValid(1);
    EXPECT_EQ(seq->CheckResidues("S1"), 0);
    EXPECT_EQ(seq->GetResiduesValid(), 0);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence 'S1': Invalid character 'u' at location 4."}));
    EXPECT_EQ(seq->GetResidues(), "acgu");
}

TEST(ResidueCharacterCheck, ComparesExactlyAsStored) {
    // The editor would take these keys; the bulk check does not lower-case.
    Ptr<CDNASequence> dna = Make<CDNASequence>("aCgT");
    EXPECT_EQ(dna->CheckResidues("S1"), 0);
    EXPECT_EQ(dna->GetMessages(), (StringList{"Sequence 'S1': Invalid character 'C' at location 2.",
                                              "Sequence 'S1': Invalid character 'T' at location 4."}));

    Ptr<CProtein1Sequence> protein = Make<CProtein1Sequence>("AGx");
    EXPECT_EQ(protein->CheckResidues("P1"), 0);
    EXPECT_EQ(protein->GetMessages(), (StringList{"Sequence 'P1': Invalid character 'x' at location 3."}));

    Ptr<CProtein1Sequence> good = Make<CProtein1Sequence>("ARNDBCQEZGHILKMFPSTWYVX");
    EXPECT_EQ(good->CheckResidues("P1"), 1);
    EXPECT_EQ(good->GetResiduesValid(), 1);
    EXPECT_TRUE(good->GetMessages().empty());
}

TEST(ResidueCharacterCheck, EachKindUsesItsOwnAlphabet) {
    Ptr<CRNASequence> rna = Make<CRNASequence>("acgum");
    EXPECT_EQ(rna->CheckResidues("R"), 1);
    Ptr<CRNASequence> rnaWithT = Make<CRNASequence>("acgt");
    EXPECT_EQ(rnaWithT->CheckResidues("R"), 0);
    EXPECT_EQ(rnaWithT->GetMessages(), (StringList{"Sequence 'R': Invalid character 't' at location 4."}));
    Ptr<CDNARNASequence> mixed = Make<CDNARNASequence>("acgtu");
    EXPECT_EQ(mixed->CheckResidues("M"), 1);
}

TEST(ResidueCharacterCheck, SpacesDigitsAndLineEndsAreRejectedToo) {
    Ptr<CDNASequence> seq = Make<CDNASequence>("ac 1\n");
    EXPECT_EQ(seq->CheckResidues("S1"), 0);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence 'S1': Invalid character ' ' at location 3.",
                                              "Sequence 'S1': Invalid character '1' at location 4.",
                                              "Sequence 'S1': Invalid character '\n' at location 5."}));
}

TEST(ResidueCharacterCheck, NoResiduesMarkerAndEmptyTextPassForEveryKind) {
    std::vector<Ptr<CSequence>> sequences = {
        Make<CDNASequence>("000"),        Make<CRNASequence>("000acgXYZ"), Make<CDNARNASequence>(""),
        Make<CProtein1Sequence>("000"),   Make<CProtein3Sequence>("000"),  Make<CProtein3Sequence>("000Al"),
        Make<CProtein1Sequence>("000!!"),
    };
    for (auto& seq : sequences) {
        EXPECT_EQ(seq->CheckResidues("S"), 1) << seq->GetResidues();
        EXPECT_EQ(seq->GetResiduesValid(), 1);
        EXPECT_TRUE(seq->GetMessages().empty()) << seq->GetResidues();
    }
    // "00" is not the marker.
    Ptr<CDNASequence> twoZeros = Make<CDNASequence>("00");
    EXPECT_EQ(twoZeros->CheckResidues("S"), 0);
    EXPECT_EQ(twoZeros->GetMessages().size(), 2u);
}

TEST(ResidueCharacterCheck, HighCharactersGiveOneFileMessageAfterTheOthers) {
    Ptr<CDNASequence> seq = Make<CDNASequence>(
        "a\xE9"
        "c\xFFz\x80");
    EXPECT_EQ(seq->CheckResidues("S1"), 0);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence 'S1': Invalid character 'z' at location 5.", kNotAscii}));
    EXPECT_EQ(seq->GetResiduesValid(), 0);
}

TEST(ResidueCharacterCheck, EarlierMessagesMakeTheResultZero) {
    Ptr<CDNASequence> seq = Make<CDNASequence>("acgt");
    seq->GetMessages().push_back("an earlier finding");
    EXPECT_EQ(seq->CheckResidues("S1"), 0);
    EXPECT_EQ(seq->GetResiduesValid(), 0);
    EXPECT_EQ(seq->GetMessages().size(), 1u);
}

TEST(ResidueCharacterCheck, RepairKeepsValidCharactersAndSucceeds) {
    Ptr<CDNASequence> seq = Make<CDNASequence>("a-cX g\xE9t");
    EXPECT_EQ(seq->CheckResidues("S1", true), 1);
    EXPECT_EQ(seq->GetResiduesValid(), 1);
    EXPECT_EQ(seq->GetResidues(), "acgt");
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence 'S1': Invalid character '-' at location 2.",
                                              "Sequence 'S1': Invalid character 'X' at location 4.",
                                              "Sequence 'S1': Invalid character ' ' at location 5.", kNotAscii}));
}

TEST(ResidueCharacterCheck, RepairedParkedResiduesSurviveParking) {
    const std::string good = Repeat(40, "acg");
    Ptr<CDNASequence> seq = Make<CDNASequence>(good + "xx");
    seq->UnloadResidues();
    ASSERT_FALSE(seq->AreResiduesInMemory());
    EXPECT_EQ(seq->CheckResidues("S1", true), 1);
    seq->UnloadResidues();
    ASSERT_FALSE(seq->AreResiduesInMemory());
    EXPECT_EQ(seq->GetResidues(), good);
}

TEST(ResidueCharacterCheck, MessagesUseTheGivenNameWithoutPrefix) {
    CProject project;
    Ptr<CDNASequence> seq = Make<CDNASequence>("acq", "Stored", &project);
    seq->CheckResidues("Given");
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence 'Given': Invalid character 'q' at location 3."}));
}

// ---- the importers' variant ----

TEST(ResidueImportCheck, UsesTheDnaSetAndReportsUWithoutAMessage) {
    Ptr<CRNASequence> seq = Make<CRNASequence>("acgtuu");
    bool rnaSeen = false;
    EXPECT_EQ(seq->CheckResiduesForImport("S1", false, rnaSeen), 1);
    EXPECT_TRUE(rnaSeen);
    EXPECT_TRUE(seq->GetMessages().empty());
    EXPECT_EQ(seq->GetResiduesValid(), 1);
    EXPECT_EQ(seq->GetResidues(), "acgtuu");

    // The DNA set has no "m" twice or "u"; upper-case "U" is an ordinary fault.
    Ptr<CDNASequence> upper = Make<CDNASequence>("acgU");
    rnaSeen = true;
    EXPECT_EQ(upper->CheckResiduesForImport("S2", false, rnaSeen), 0);
    EXPECT_FALSE(rnaSeen);
    EXPECT_EQ(upper->GetMessages(), (StringList{"Sequence 'S2': Invalid character 'U' at location 4."}));
}

TEST(ResidueImportCheck, MarkerPassesAndHighCharactersAreReportedOnce) {
    Ptr<CDNASequence> marker = Make<CDNASequence>("000u");
    bool rnaSeen = true;
    EXPECT_EQ(marker->CheckResiduesForImport("S1", false, rnaSeen), 1);
    EXPECT_FALSE(rnaSeen);

    Ptr<CDNASequence> high = Make<CDNASequence>("a\xC4u\xC4");
    EXPECT_EQ(high->CheckResiduesForImport("S1", false, rnaSeen), 0);
    EXPECT_TRUE(rnaSeen);
    EXPECT_EQ(high->GetMessages(), (StringList{kNotAscii}));
}

// ---- three-letter proteins ----

TEST(ThreeLetterCheck, LengthNotAMultipleOfThreeStopsTheCheck) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("AlaGl", "P1");
    seq->SetResiduesValid(1);
    EXPECT_EQ(seq->CheckResidues("P1"), 0);
    EXPECT_EQ(seq->GetResiduesValid(), 0);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence length is not a multiple of 3."}));

    // Repair does not rescue a broken length.
    Ptr<CProtein3Sequence> repaired = Make<CProtein3Sequence>("Ala Qq", "P1");
    EXPECT_EQ(repaired->CheckResidues("P1", true), 0);
    EXPECT_EQ(repaired->GetMessages(), (StringList{"Sequence length is not a multiple of 3."}));
    EXPECT_EQ(repaired->GetResidues(), "AlaQq");
}

TEST(ThreeLetterCheck, UnknownTriplesAreNamedInLowerCase) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("AlaQWEGlyxyz", "P1");
    EXPECT_EQ(seq->CheckResidues("P1"), 0);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence name P1:  'qwe' is an invalid amino acid code.",
                                              "Sequence name P1:  'xyz' is an invalid amino acid code."}));
    EXPECT_EQ(seq->GetResidues(), "AlaQWEGlyxyz");
}

TEST(ThreeLetterCheck, CodesInAnyCaseAndWhiteSpaceAreAccepted) {
    const std::string text = "ALA gly\tXaa\nAsx Glx\r\nTrp";
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>(text, "P1");
    EXPECT_EQ(seq->CheckResidues("P1"), 1);
    EXPECT_EQ(seq->GetResiduesValid(), 1);
    EXPECT_TRUE(seq->GetMessages().empty());
    // Without repair the stored text is left exactly as it was.
    EXPECT_EQ(seq->GetResidues(), text);

    EXPECT_EQ(seq->CheckResidues("P1", true), 1);
    EXPECT_EQ(seq->GetResidues(), "ALAglyXaaAsxGlxTrp");
}

TEST(ThreeLetterCheck, WhiteSpaceInsideATripleDoesNotBreakIt) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("Al a G\nly", "P1");
    EXPECT_EQ(seq->CheckResidues("P1"), 1);
    EXPECT_EQ(seq->GetAminoAcids(), "AG");
}

TEST(ThreeLetterCheck, RepairSucceedsDespiteUnknownTriples) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("Ala Foo", "P1");
    EXPECT_EQ(seq->CheckResidues("P1", true), 1);
    EXPECT_EQ(seq->GetResiduesValid(), 1);
    EXPECT_EQ(seq->GetMessages(), (StringList{"Sequence name P1:  'foo' is an invalid amino acid code."}));
    EXPECT_EQ(seq->GetResidues(), "AlaFoo");
}

TEST(ThreeLetterProtein, AminoAcidsAndCountComeFromTheThreeLetterText) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("Ala Gly\nxaa Qqq Se", "P1");
    EXPECT_EQ(seq->GetAminoAcids(), "AGX");
    EXPECT_EQ(seq->GetResidueCount(), 3);
    EXPECT_EQ(Make<CProtein3Sequence>("000")->GetResidueCount(), 0);
    // The one-letter kind still counts the letters of its text.
    Ptr<CProtein1Sequence> one = Make<CProtein1Sequence>("AG X\n1Q");
    EXPECT_EQ(one->GetResidueCount(), 4);
}

TEST(ThreeLetterProtein, UnknownResiduesAreCountedInAminoAcids) {
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("AlaXaaXaaGlyLysXaa", "P1");
    EXPECT_TRUE(seq->HasUnknownResidue());
    CArray<Ptr<CRange>> positions, runs;
    seq->GetUnknownPositions(positions);
    seq->GetUnknownRuns(runs);
    std::vector<std::pair<int, int>> found;
    for (const auto& r : positions) found.emplace_back(r->first, r->second);
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{2, 1}, {3, 1}, {6, 1}}));
    found.clear();
    for (const auto& r : runs) found.emplace_back(r->first, r->second);
    EXPECT_EQ(found, (std::vector<std::pair<int, int>>{{2, 3}, {6, 6}}));

    // An "x" that is part of an unknown triple is no residue.
    EXPECT_FALSE(Make<CProtein3Sequence>("AlaXyzGly")->HasUnknownResidue());
}

TEST(ThreeLetterProtein, RecordChecksMeasureTheSequenceInAminoAcids) {
    // Four amino acids written with twelve letters.
    Ptr<CProtein3Sequence> seq = Make<CProtein3Sequence>("AlaGlyLysSer", "P1");

    Ptr<CFeature> inside(new COtherFeature(seq.get(), "SITE", "", "1", "4"));
    Ptr<CFeature> beyond(new COtherFeature(seq.get(), "SITE", "", "5", "5"));
    bool locationError = false;
    EXPECT_TRUE(inside->CheckFeature(1, locationError).empty());
    EXPECT_FALSE(beyond->CheckFeature(2, locationError).empty());

    Ptr<CJournal> fits(new CJournal(seq.get(), "A", "", "J", "1", "", "1-2", "2001-01-01", "", "", "1", "4"));
    Ptr<CJournal> tooLong(new CJournal(seq.get(), "A", "", "J", "1", "", "1-2", "2001-01-01", "", "", "1", "5"));
    EXPECT_TRUE(fits->Validate(1).empty());
    EXPECT_EQ(tooLong->Validate(1),
              (StringList{"Sequence: P1: Journal Screen:Row 1: From/To: The range of the From and To can not be "
                          "greater than the length of the sequence string."}));
}

// The stored text must stay three-letter text through checks, parking and
// saving, or a second check would find one-letter codes that are no triples.
class ThreeLetterStorage : public ::testing::Test {
protected:
    void SetUp() override {
        project_ = new CProject;
        project_->GetProjectData()->SetTitle("Title");
        project_->GetProjectData()->SetFileReference("Ref");
        project_->GetOrgApplicants().Add(new COrgApplicant(project_.get(), "Org"));
        const std::string unique = std::to_string(std::random_device()());
        path_ = (fs::temp_directory_path() / ("qln-three-letter-" + unique + ".prj")).string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove(path_, ec);
    }

    CProtein3Sequence* AddProtein(const std::string& name, const std::string& residues) {
        auto* seq = new CProtein3Sequence(project_.get(), name, "Homo sapiens", residues);
        project_->Add(seq);
        return seq;
    }

    Ptr<CProject> project_;
    std::string path_;
};

TEST_F(ThreeLetterStorage, ValidatingTwiceKeepsTheText) {
    const std::string shortText = "AlaGlyXaaSer";
    const std::string longText = Repeat(40, "AlaGlyLys");  // 360 letters, parked
    CProtein3Sequence* shortSeq = AddProtein("Short", shortText);
    CProtein3Sequence* longSeq = AddProtein("Long", longText);
    longSeq->UnloadResidues();
    ASSERT_FALSE(longSeq->AreResiduesInMemory());

    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_TRUE(project_->Validate(0).empty()) << "pass " << pass;
        EXPECT_EQ(shortSeq->GetResidues(), shortText);
        EXPECT_FALSE(longSeq->AreResiduesInMemory());
        EXPECT_EQ(longSeq->GetResidues(), longText);
        EXPECT_EQ(longSeq->GetResidueCount(), 120);
        longSeq->UnloadResidues();
    }
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_TRUE(longSeq->Validate(2).empty());
        EXPECT_EQ(longSeq->GetResiduesValid(), 1);
    }
    EXPECT_EQ(longSeq->GetResidues(), longText);
}

TEST_F(ThreeLetterStorage, SavingAfterValidatingKeepsTheText) {
    const std::string shortText = "AlaGlyXaaSer";
    const std::string longText = Repeat(40, "MetTrpVal");
    AddProtein("Short", shortText);
    AddProtein("Long", longText)->UnloadResidues();

    ASSERT_TRUE(project_->Validate(0).empty());
    ASSERT_EQ(SaveProjectFile(*project_, path_), SaveResult::Saved);

    Ptr<CProject> loaded = LoadProjectFile(path_);
    ASSERT_TRUE(loaded);
    CSequence* shortSeq = loaded->Find("Short");
    CSequence* longSeq = loaded->Find("Long");
    ASSERT_TRUE(shortSeq && longSeq);
    EXPECT_TRUE(longSeq->IsKindOf(CProtein3Sequence::runtimeClass));
    EXPECT_EQ(shortSeq->GetResidues(), shortText);
    EXPECT_EQ(longSeq->GetResidues(), longText);
    longSeq->UnloadResidues();
    EXPECT_TRUE(loaded->Validate(0).empty());
    EXPECT_EQ(longSeq->GetResidues(), longText);
}

}  // namespace
}  // namespace qln
