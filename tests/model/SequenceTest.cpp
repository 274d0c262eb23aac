#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/Archive.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "support/ArchiveBytes.h"

namespace qln {
namespace {

using test::Letters;
using test::Load;
using test::Store;

namespace fs = std::filesystem;

const char* const kReadFailure = "Can't read temporary file.  The disk may be full.";
const char* const kWriteFailure = "Can't write temporary file.  The disk may be full.";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

Ptr<CDNASequence> Dna(std::string residues, CModel* parent = nullptr, std::string name = "S1") {
    return Ptr<CDNASequence>(new CDNASequence(parent, std::move(name), "Homo sapiens", std::move(residues)));
}

// A parked sequence of 150 residues, its file name and its residues.
struct Parked {
    Ptr<CDNASequence> seq;
    std::string path;
    std::string residues;
};

Parked MakeParked(size_t n = 150) {
    Parked p{Dna(Letters(n)), {}, Letters(n)};
    p.seq->UnloadResidues();
    p.path = p.seq->GetTemporaryFilePath();
    return p;
}

// ---- construction ----

struct KindCase {
    Ptr<CSequence> seq;
    const char* typeName;
    const char* listingCode;
    const char* alphabet;
};

TEST(SequenceConstruction, EachKindHasItsTypeAlphabetAndListingCode) {
    const KindCase cases[] = {
        {Ptr<CSequence>(new CDNASequence(nullptr, "a", "", "")), "DNA", "DNA", "agctrymkswbdhvn"},
        {Ptr<CSequence>(new CRNASequence(nullptr, "a", "", "")), "RNA", "RNA", "agcurymkswbdhvnm"},
        {Ptr<CSequence>(new CDNARNASequence(nullptr, "a", "", "")), "DNA/RNA", "DNA", "agcturymkswbdhvn"},
        {Ptr<CSequence>(new CProtein1Sequence(nullptr, "a", "", "")), "PRT", "PRT", "ARNDBCQEZGHILKMFPSTWYVX"},
        {Ptr<CSequence>(new CProtein3Sequence(nullptr, "a", "", "")), "PRT", "PRT", "ARNDBCQEZGHILKMFPSTWYVX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typeName);
        EXPECT_EQ(c.seq->GetTypeName(), c.typeName);
        EXPECT_EQ(c.seq->GetListingTypeCode(), c.listingCode);
        EXPECT_EQ(c.seq->GetAlphabet(), c.alphabet);
    }
}

TEST(SequenceConstruction, NewSequenceIsInMemoryUnchangedAndHasAnEmptyComment) {
    CProject project;
    Ptr<CDNASequence> seq = Dna(Letters(500), &project);
    EXPECT_EQ(seq->GetParent(), &project);
    EXPECT_EQ(seq->GetProject(), &project);
    EXPECT_EQ(seq->GetResiduesValid(), 0);
    EXPECT_FALSE(seq->AreResiduesChanged());
    EXPECT_TRUE(seq->AreResiduesInMemory());
    EXPECT_FALSE(seq->IsDisplayLayout());
    EXPECT_FALSE(seq->IsSkipped());
    EXPECT_TRUE(seq->GetTemporaryFilePath().empty());
    ASSERT_NE(seq->GetComment(), nullptr);
    EXPECT_EQ(seq->GetComment()->GetParent(), seq.get());
    EXPECT_EQ(seq->GetComment()->GetComment(), "");
    EXPECT_TRUE(seq->GetFeatures().IsEmpty());
}

TEST(SequenceConstruction, ProjectPointerOnlyWhenTheParentIsAProject) {
    CModel notAProject;
    Ptr<CDNASequence> seq = Dna("acgt", &notAProject);
    EXPECT_EQ(seq->GetParent(), &notAProject);
    EXPECT_EQ(seq->GetProject(), nullptr);

    // Sequences made for loading get their comment too.
    CDNASequence empty;
    ASSERT_NE(empty.GetComment(), nullptr);
    EXPECT_EQ(empty.GetComment()->GetParent(), &empty);
}

TEST(SequenceConstruction, MessagePrefixFollowsTheParentsPrefix) {
    CProject project;
    EXPECT_EQ(Dna("acgt", &project, "gene 7")->GetMessagePrefix(), "Sequence: gene 7: ");

    struct Labelled : CModel {
        std::string GetMessagePrefix() const override { return "Outer: "; }
    } labelled;
    EXPECT_EQ(Dna("acgt", &labelled, "X")->GetMessagePrefix(), "Outer: Sequence: X: ");
}

TEST(SequenceConstruction, CreateOfTypeKnowsTheThreeNucleotideTypes) {
    EXPECT_TRUE(CBaseSequence::CreateOfType("DNA", nullptr, "a", "", "")->IsKindOf(CDNASequence::runtimeClass));
    EXPECT_TRUE(CBaseSequence::CreateOfType("RNA", nullptr, "a", "", "")->IsKindOf(CRNASequence::runtimeClass));
    Ptr<CBaseSequence> mixed = CBaseSequence::CreateOfType("DNA/RNA", nullptr, "a", "org", "acu");
    ASSERT_TRUE(mixed);
    EXPECT_TRUE(mixed->IsKindOf(CDNARNASequence::runtimeClass));
    EXPECT_EQ(mixed->GetOrganism(), "org");
    EXPECT_EQ(mixed->GetResidues(), "acu");
    EXPECT_FALSE(CBaseSequence::CreateOfType("PRT", nullptr, "a", "", ""));
    EXPECT_FALSE(CBaseSequence::CreateOfType("dna", nullptr, "a", "", ""));
}

// ---- residue alphabets ----

TEST(SequenceAlphabet, NucleotideKindsTestTheLowerCaseForm) {
    CDNASequence dna(nullptr, "a", "", "");
    EXPECT_TRUE(dna.IsValidResidue('a'));
    EXPECT_TRUE(dna.IsValidResidue('A'));
    EXPECT_TRUE(dna.IsValidResidue('N'));
    EXPECT_FALSE(dna.IsValidResidue('u'));
    EXPECT_FALSE(dna.IsValidResidue('U'));

    CRNASequence rna(nullptr, "a", "", "");
    EXPECT_TRUE(rna.IsValidResidue('m'));
    EXPECT_TRUE(rna.IsValidResidue('M'));
    EXPECT_TRUE(rna.IsValidResidue('u'));
    EXPECT_FALSE(rna.IsValidResidue('t'));
    EXPECT_FALSE(rna.IsValidResidue('T'));

    CDNARNASequence mixed(nullptr, "a", "", "");
    for (char c : {'t', 'u', 'T', 'U'}) EXPECT_TRUE(mixed.IsValidResidue(c)) << c;

    for (const CSequence* seq : {static_cast<const CSequence*>(&dna), static_cast<const CSequence*>(&rna),
                                 static_cast<const CSequence*>(&mixed)})
        for (char c : {'\0', ' ', '1', 'e', 'E', 'x', '-', '*'}) EXPECT_FALSE(seq->IsValidResidue(c)) << c;
}

TEST(SequenceAlphabet, ProteinKindsTestTheUpperCaseForm) {
    CProtein1Sequence one(nullptr, "a", "", "");
    CProtein3Sequence three(nullptr, "a", "", "");
    for (const CSequence* seq : {static_cast<const CSequence*>(&one), static_cast<const CSequence*>(&three)}) {
        EXPECT_TRUE(seq->IsValidResidue('a'));
        EXPECT_TRUE(seq->IsValidResidue('A'));
        EXPECT_TRUE(seq->IsValidResidue('x'));
        EXPECT_TRUE(seq->IsValidResidue('z'));
        for (char c : {'j', 'J', 'o', 'O', 'u', 'U', '\0', ' ', '*', '1'}) EXPECT_FALSE(seq->IsValidResidue(c)) << c;
    }
}

// ---- letters, count and display layout ----

TEST(SequenceResidues, NoResiduesMarkerSurvivesStrippingAndCountsZero) {
    Ptr<CDNASequence> seq = Dna("000");
    seq->SetDisplayLayout(true);
    seq->StripToLetters();
    EXPECT_EQ(seq->GetResidues(), "000");
    EXPECT_FALSE(seq->IsDisplayLayout());
    EXPECT_EQ(seq->GetResidueCount(), 0);
}

TEST(SequenceResidues, StripKeepsOnlyLettersAndCountIgnoresTheRest) {
    Ptr<CDNASequence> seq = Dna(" acgt 10\nNN-*nn 1  \t");
    EXPECT_EQ(seq->GetResidueCount(), 8);
    seq->SetDisplayLayout(true);
    seq->StripToLetters();
    EXPECT_EQ(seq->GetResidues(), "acgtNNnn");
    EXPECT_FALSE(seq->IsDisplayLayout());

    Ptr<CDNASequence> empty = Dna("");
    empty->StripToLetters();
    EXPECT_EQ(empty->GetResidues(), "");
    EXPECT_EQ(empty->GetResidueCount(), 0);
}

TEST(SequenceDisplay, TwentyFiveLettersFillOneShortLine) {
    const std::string letters = Letters(25);
    Ptr<CDNASequence> seq = Dna(letters);
    const std::string expected = letters.substr(0, 10) + " " + letters.substr(10, 10) + " " + letters.substr(20, 5) +
                                 " " + std::string(45, ' ') + "25";
    EXPECT_EQ(seq->FormatForDisplay(), expected);
    EXPECT_EQ(expected.size(), 75u);
    EXPECT_TRUE(seq->IsDisplayLayout());
    EXPECT_EQ(seq->GetResidueCount(), 25);
}

TEST(SequenceDisplay, SixtyLettersGiveOneFullLineWithLineFeed) {
    const std::string letters = Letters(60, "acgtn");
    Ptr<CDNASequence> seq = Dna(letters);
    std::string expected;
    for (int block = 0; block < 6; ++block) expected += letters.substr(block * 10, 10) + (block < 5 ? " " : "");
    expected += std::string(8, ' ') + "60\n";
    EXPECT_EQ(seq->FormatForDisplay(), expected);
}

TEST(SequenceDisplay, SixtyFirstLetterStartsASecondLine) {
    const std::string letters = Letters(61);
    Ptr<CDNASequence> seq = Dna(letters);
    const std::string& text = seq->FormatForDisplay();
    const size_t lineFeed = text.find('\n');
    ASSERT_NE(lineFeed, std::string::npos);
    EXPECT_EQ(lineFeed, 75u);
    EXPECT_EQ(text.substr(lineFeed + 1), letters.substr(60) + " " + std::string(71, ' ') + "61");
}

TEST(SequenceDisplay, EveryLineIsSeventyFiveWideAndEndsWithItsPosition) {
    const std::string letters = Letters(1234, "acgtrymkswbdhvn");
    Ptr<CDNASequence> seq = Dna(letters);
    const std::string text = seq->FormatForDisplay();
    size_t start = 0, lines = 0, position = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        ++lines;
        position = std::min(position + 60, letters.size());
        EXPECT_EQ(line.size(), 75u) << "line " << lines;
        const std::string number = std::to_string(position);
        EXPECT_EQ(line.substr(75 - number.size()), number) << "line " << lines;
        EXPECT_EQ(line[75 - number.size() - 1], ' ');
        if (end == std::string::npos) break;
        start = end + 1;
    }
    EXPECT_EQ(lines, 21u);
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(seq->GetResidueCount(), 1234);
    seq->StripToLetters();
    EXPECT_EQ(seq->GetResidues(), letters);
}

TEST(SequenceDisplay, TextIsStrippedFirstAndFormattedOnlyOnce) {
    Ptr<CDNASequence> seq = Dna("acgt 12\nacgt");
    const std::string once = seq->FormatForDisplay();
    EXPECT_EQ(once, "acgtacgt " + std::string(65, ' ') + "8");
    // Already in display layout: returned as it is.
    EXPECT_EQ(seq->FormatForDisplay(), once);

    Ptr<CDNASequence> empty = Dna(" 12 ");
    EXPECT_EQ(empty->FormatForDisplay(), "");
    EXPECT_TRUE(empty->IsDisplayLayout());
}

TEST(SequenceDisplay, LayoutSurvivesParking) {
    Ptr<CDNASequence> seq = Dna(Letters(130));
    const std::string display = seq->FormatForDisplay();
    seq->SetResiduesChanged(true);
    seq->UnloadResidues();
    ASSERT_FALSE(seq->AreResiduesInMemory());
    EXPECT_TRUE(seq->IsDisplayLayout());
    EXPECT_EQ(seq->GetResidues(), display);
    EXPECT_EQ(seq->GetResidueCount(), 130);
}

// What the editor does to a parked sequence: lay it out, park it, strip it
// for a check, park it again. The residue file always holds what the flag says.
TEST(SequenceDisplay, ResidueFileFollowsLayoutAndStripping) {
    Parked p = MakeParked(132);
    const std::string layout = CSequence::DisplayLayoutOf(p.residues);
    EXPECT_EQ(p.seq->FormatForDisplay(), layout);
    p.seq->UnloadResidues();
    EXPECT_EQ(CResidueFiles::Read(p.path), layout);
    EXPECT_TRUE(p.seq->IsDisplayLayout());

    p.seq->StripToLetters();
    p.seq->UnloadResidues();
    EXPECT_EQ(CResidueFiles::Read(p.path), p.residues);
    EXPECT_FALSE(p.seq->IsDisplayLayout());
    // Selected again, it is laid out again.
    EXPECT_EQ(p.seq->FormatForDisplay(), layout);
}

// Files whose flag disagrees with their residues are read by what they hold.
TEST(SequenceDisplay, LoadingMatchesTheFlagToTheText) {
    struct Case {
        std::string stored;
        bool storedFlag;
        std::string loaded;
        bool loadedFlag;
    };
    const std::string letters = Letters(132);
    const std::string layout = CSequence::DisplayLayoutOf(letters);
    const Case cases[] = {
        {letters, true, letters, false},  // plain letters said to be laid out
        {layout, false, layout, true},    // a layout said to be plain
        {layout, true, layout, true},
        {letters, false, letters, false},
        {"acg tt 12\nca", true, "acgttca", false},  // neither: back to letters
        {"000", true, "000", true},
    };
    for (const Case& c : cases) {
        Ptr<CDNASequence> seq = Dna("");
        seq->SetResidues(c.stored);
        seq->SetDisplayLayout(c.storedFlag);
        Ptr<CDNASequence> loaded = Load<CDNASequence>(Store(seq.get()));
        EXPECT_EQ(loaded->GetResidues(), c.loaded) << c.stored;
        EXPECT_EQ(loaded->IsDisplayLayout(), c.loadedFlag) << c.stored;
    }
}

// ---- parking in the residue file ----

TEST(SequenceParking, HundredCharactersNeverParked) {
    Ptr<CDNASequence> seq = Dna(Letters(100));
    seq->SetResiduesChanged(true);
    seq->UnloadResidues();
    EXPECT_TRUE(seq->AreResiduesInMemory());
    EXPECT_TRUE(seq->GetTemporaryFilePath().empty());
    EXPECT_EQ(seq->GetResidues(), Letters(100));

    // Neither after saving nor after loading.
    const std::string bytes = Store(seq.get());
    EXPECT_TRUE(seq->AreResiduesInMemory());
    Ptr<CDNASequence> loaded = Load<CDNASequence>(bytes);
    EXPECT_TRUE(loaded->AreResiduesInMemory());
    EXPECT_TRUE(loaded->GetTemporaryFilePath().empty());
    EXPECT_EQ(loaded->GetResidues(), Letters(100));
}

TEST(SequenceParking, HundredAndOneCharactersParkedAndFetchedBack) {
    // Built with its residues, never marked changed: parking must still
    // write them, or they'd be lost.
    Ptr<CDNASequence> seq = Dna(Letters(101));
    ASSERT_FALSE(seq->AreResiduesChanged());
    seq->UnloadResidues();
    EXPECT_FALSE(seq->AreResiduesInMemory());
    const std::string path = seq->GetTemporaryFilePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(FileBytes(path), "\x65" + Letters(101));  // one archived string

    EXPECT_EQ(seq->GetResidues(), Letters(101));
    EXPECT_TRUE(seq->AreResiduesInMemory());
    EXPECT_FALSE(seq->AreResiduesChanged());
    // Parking again keeps the name.
    seq->UnloadResidues();
    EXPECT_EQ(seq->GetTemporaryFilePath(), path);
    EXPECT_EQ(seq->GetResidues(), Letters(101));
}

TEST(SequenceParking, ChangedResiduesAreRewrittenUnchangedOnesAreNot) {
    Parked p = MakeParked();
    p.seq->LoadResidues();
    p.seq->SetResidues(Letters(300, "ttgg"));
    p.seq->SetResiduesChanged(true);
    p.seq->UnloadResidues();
    EXPECT_FALSE(p.seq->AreResiduesChanged());
    EXPECT_EQ(p.seq->GetResidues(), Letters(300, "ttgg"));

    // Loaded and unchanged: parking again trusts the file as it is.
    CResidueFiles::Write(p.path, Letters(200, "cc"));
    p.seq->UnloadResidues();
    EXPECT_EQ(p.seq->GetResidues(), Letters(200, "cc"));
}

TEST(SequenceParking, LoadAndUnloadAreIdempotent) {
    Parked p = MakeParked();
    p.seq->UnloadResidues();
    EXPECT_FALSE(p.seq->AreResiduesInMemory());
    p.seq->LoadResidues();
    p.seq->LoadResidues();
    EXPECT_EQ(p.seq->GetResidues(), p.residues);
}

TEST(SequenceParking, SavingAndLoadingParkLongResidues) {
    Ptr<CDNASequence> seq = Dna("  \n" + Letters(300));
    seq->SetResiduesValid(1);
    const std::string bytes = Store(seq.get());
    EXPECT_FALSE(seq->AreResiduesInMemory());
    // Written with the two-byte length form, leading white space removed.
    const std::string prefix = "\xFF\x2C\x01" + Letters(300);
    EXPECT_NE(bytes.find(prefix), std::string::npos);

    Ptr<CDNASequence> loaded = Load<CDNASequence>(bytes);
    EXPECT_FALSE(loaded->AreResiduesInMemory());
    EXPECT_FALSE(loaded->GetTemporaryFilePath().empty());
    EXPECT_NE(loaded->GetTemporaryFilePath(), seq->GetTemporaryFilePath());
    EXPECT_EQ(loaded->GetResidues(), Letters(300));
    EXPECT_EQ(loaded->GetResiduesValid(), 1);
}

TEST(SequenceParking, FileNamesAreDistinctWhateverTheSequenceNames) {
    std::set<std::string> paths;
    std::vector<Ptr<CDNASequence>> keep;
    for (int i = 0; i < 20; ++i) {
        keep.push_back(Dna(Letters(120), nullptr, "same name"));
        keep.back()->UnloadResidues();
        paths.insert(keep.back()->GetTemporaryFilePath());
    }
    EXPECT_EQ(paths.size(), 20u);
    for (const auto& path : paths) {
        const std::string name = fs::path(path).filename().string();
        EXPECT_EQ(name.rfind("Seq", 0), 0u) << name;
        EXPECT_EQ(fs::path(path).extension(), ".qln");
        EXPECT_EQ(fs::path(path).parent_path(), fs::path(CResidueFiles::GetFolder()));
    }
}

// ---- residue file failures ----

class SequenceFileFailure : public ::testing::Test {
protected:
    void TearDown() override {
        // A test may have put a plain file where the folder was.
        const std::string folder = CResidueFiles::GetFolder();
        if (!folder.empty() && !fs::is_directory(folder)) fs::remove(folder);
    }

    static void ExpectReadFailure(const std::function<void()>& action) {
        try {
            action();
            ADD_FAILURE() << "no CResidueFileError";
        } catch (const CResidueFileError& e) {
            EXPECT_EQ(e.GetKind(), CResidueFileError::Kind::Read);
            EXPECT_STREQ(e.what(), kReadFailure);
        }
    }
};

TEST_F(SequenceFileFailure, DeletedFileKeepsRefusing) {
    Parked p = MakeParked();
    fs::remove(p.path);
    ExpectReadFailure([&] { p.seq->LoadResidues(); });
    ExpectReadFailure([&] { p.seq->GetResidues(); });
    ExpectReadFailure([&] { p.seq->GetResidueCount(); });
    ExpectReadFailure([&] { p.seq->StripToLetters(); });
    ExpectReadFailure([&] { p.seq->FormatForDisplay(); });
    // Even once the file is back, what was read before is not trusted.
    CResidueFiles::Write(p.path, p.residues);
    ExpectReadFailure([&] { p.seq->GetResidues(); });
    EXPECT_FALSE(p.seq->AreResiduesInMemory());
    p.seq->UnloadResidues();  // nothing to park, nothing written
    ExpectReadFailure([&] { p.seq->GetResidues(); });
}

TEST_F(SequenceFileFailure, CorruptFileKeepsRefusing) {
    Parked p = MakeParked();
    WriteBytes(p.path,
               "\x96"
               "acgt");  // length 150, four bytes left
    ExpectReadFailure([&] { p.seq->LoadResidues(); });
    ExpectReadFailure([&] { p.seq->LoadResidues(); });

    Parked empty = MakeParked();
    WriteBytes(empty.path, "");
    ExpectReadFailure([&] { empty.seq->GetResidues(); });
}

TEST_F(SequenceFileFailure, LostResiduesAreNeverSavedAsEmpty) {
    Parked p = MakeParked();
    fs::remove(p.path);
    ExpectReadFailure([&] { p.seq->LoadResidues(); });
    ExpectReadFailure([&] { Store(p.seq.get()); });
    // A fresh attempt to save fails the same way.
    ExpectReadFailure([&] { Store(p.seq.get()); });
}

TEST_F(SequenceFileFailure, NewResiduesReplaceLostOnes) {
    Parked p = MakeParked();
    fs::remove(p.path);
    ExpectReadFailure([&] { p.seq->LoadResidues(); });
    p.seq->SetResidues(Letters(140, "gc"));
    p.seq->SetResiduesChanged(true);
    EXPECT_EQ(p.seq->GetResidues(), Letters(140, "gc"));
    p.seq->UnloadResidues();
    EXPECT_EQ(p.seq->GetResidues(), Letters(140, "gc"));
}

TEST_F(SequenceFileFailure, FailedWriteKeepsResiduesInMemory) {
    Parked p = MakeParked();
    p.seq->LoadResidues();
    const std::string edited = Letters(400, "aacg");
    p.seq->SetResidues(edited);
    p.seq->SetResiduesChanged(true);

    // Nothing can be written below a plain file, whoever runs the test.
    const std::string folder = CResidueFiles::GetFolder();
    fs::remove_all(folder);
    WriteBytes(folder, "not a folder");

    try {
        p.seq->UnloadResidues();
        ADD_FAILURE() << "no CResidueFileError";
    } catch (const CResidueFileError& e) {
        EXPECT_EQ(e.GetKind(), CResidueFileError::Kind::Write);
        EXPECT_STREQ(e.what(), kWriteFailure);
    }
    EXPECT_TRUE(p.seq->AreResiduesInMemory());
    EXPECT_TRUE(p.seq->AreResiduesChanged());
    EXPECT_EQ(p.seq->GetResidues(), edited);
    // Saving writes the body, then fails to park: the save fails rather
    // than pretending, and the residues are still there.
    try {
        Store(p.seq.get());
        ADD_FAILURE() << "no CResidueFileError";
    } catch (const CResidueFileError& e) {
        EXPECT_EQ(e.GetKind(), CResidueFileError::Kind::Write);
    }
    EXPECT_EQ(p.seq->GetResidues(), edited);
}

TEST_F(SequenceFileFailure, NewSequencesGetAFreshFolderWhenTheOldOneIsGone) {
    Parked p = MakeParked();
    const std::string folder = CResidueFiles::GetFolder();
    fs::remove_all(folder);
    WriteBytes(folder, "not a folder");

    Ptr<CDNASequence> fresh = Dna(Letters(111));
    fresh->UnloadResidues();
    EXPECT_NE(CResidueFiles::GetFolder(), folder);
    EXPECT_TRUE(fs::is_directory(CResidueFiles::GetFolder()));
    EXPECT_EQ(fresh->GetResidues(), Letters(111));
    fs::remove(folder);
}

// ---- working copies and change of kind ----

TEST(SequenceWorkingCopy, NucleotideCopySharesResidueFileAndFlagsButNotFeatures) {
    CProject project;
    Ptr<CDNASequence> seq = Dna(Letters(180), &project, "orig");
    seq->SetOrganism("Artificial Sequence");
    seq->SetResiduesValid(1);
    seq->SetReserved(7);
    seq->SetSkipped(true);
    seq->SetGeneratorValue(3);
    seq->GetCustomCodons()["ttt"] = "Leu";
    seq->GetComment()->SetComment("made up");
    seq->GetFeatures().Add(Ptr<CFeature>(new CDS(seq.get(), "", "1", "9")));
    seq->GetJournals().Add(Ptr<CJournal>(new CJournal(seq.get(), "A", "T", "J", "1", "2", "3-4", "2000-01-01")));
    seq->UnloadResidues();

    Ptr<CSequence> copy = seq->MakeWorkingCopy();
    ASSERT_TRUE(copy->IsKindOf(CDNASequence::runtimeClass));
    auto* dnaCopy = static_cast<CDNASequence*>(copy.get());
    EXPECT_NE(copy.get(), seq.get());
    EXPECT_EQ(copy->GetParent(), &project);
    EXPECT_EQ(copy->GetProject(), &project);
    EXPECT_EQ(copy->GetName(), "orig");
    EXPECT_EQ(copy->GetOrganism(), "Artificial Sequence");
    EXPECT_EQ(copy->GetTemporaryFilePath(), seq->GetTemporaryFilePath());
    EXPECT_FALSE(copy->AreResiduesInMemory());
    EXPECT_EQ(copy->GetResiduesValid(), 1);
    EXPECT_EQ(copy->GetReserved(), 7);
    EXPECT_TRUE(copy->IsSkipped());
    EXPECT_EQ(dnaCopy->GetGeneratorValue(), 3);
    EXPECT_EQ(dnaCopy->GetCustomCodons(), seq->GetCustomCodons());
    ASSERT_NE(copy->GetComment(), nullptr);
    EXPECT_NE(copy->GetComment(), seq->GetComment());
    EXPECT_EQ(copy->GetComment()->GetComment(), "made up");
    EXPECT_EQ(copy->GetComment()->GetParent(), copy.get());
    EXPECT_TRUE(copy->GetFeatures().IsEmpty());
    EXPECT_TRUE(copy->GetJournals().IsEmpty());
    EXPECT_EQ(copy->GetResidues(), Letters(180));
    EXPECT_EQ(seq->GetResidues(), Letters(180));
}

TEST(SequenceWorkingCopy, InMemoryResiduesAndDisplayLayoutAreCopied) {
    Ptr<CRNASequence> seq(new CRNASequence(nullptr, "r", "", Letters(70, "acgu")));
    const std::string display = seq->FormatForDisplay();
    seq->SetResiduesChanged(true);
    Ptr<CSequence> copy = seq->MakeWorkingCopy();
    EXPECT_TRUE(copy->IsKindOf(CRNASequence::runtimeClass));
    EXPECT_TRUE(copy->IsDisplayLayout());
    EXPECT_TRUE(copy->AreResiduesChanged());
    EXPECT_EQ(copy->GetResidues(), display);
}

TEST(SequenceWorkingCopy, ProteinCopyIsBuiltFromNameOrganismAndResidues) {
    Ptr<CProtein1Sequence> one(new CProtein1Sequence(nullptr, "p1", "Mus musculus", Letters(150, "ARND")));
    one->UnloadResidues();
    Ptr<CSequence> copy = one->MakeWorkingCopy();
    EXPECT_TRUE(copy->IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_EQ(copy->GetName(), "p1");
    EXPECT_EQ(copy->GetOrganism(), "Mus musculus");
    EXPECT_EQ(copy->GetResidues(), Letters(150, "ARND"));

    Ptr<CProtein3Sequence> three(new CProtein3Sequence(nullptr, "p3", "", "AlaGlyXaa"));
    EXPECT_EQ(three->GetOriginalResidues(), "AlaGlyXaa");
    Ptr<CSequence> copy3 = three->MakeWorkingCopy();
    EXPECT_TRUE(copy3->IsKindOf(CProtein3Sequence::runtimeClass));
    EXPECT_EQ(copy3->GetResidues(), "AlaGlyXaa");
}

TEST(SequenceTakeOver, CustomCodonKeysFollowTheNewKind) {
    auto convert = [](const char* fromType, const char* toType) {
        Ptr<CBaseSequence> old = CBaseSequence::CreateOfType(fromType, nullptr, "s", "", "");
        old->GetCustomCodons() = {{"ttu", "Phe"}, {"aug", "Met"}, {"tga", "Trp"}};
        Ptr<CBaseSequence> next = CBaseSequence::CreateOfType(toType, nullptr, "s", "", "");
        next->TakeOver(*old);
        return next->GetCustomCodons();
    };
    EXPECT_EQ(convert("DNA/RNA", "DNA"), (CBaseSequence::CodonTable{{"ttt", "Phe"}, {"atg", "Met"}, {"tga", "Trp"}}));
    EXPECT_EQ(convert("DNA/RNA", "RNA"), (CBaseSequence::CodonTable{{"uuu", "Phe"}, {"aug", "Met"}, {"uga", "Trp"}}));
    EXPECT_EQ(convert("DNA", "DNA/RNA"), (CBaseSequence::CodonTable{{"ttu", "Phe"}, {"aug", "Met"}, {"tga", "Trp"}}));
}

TEST(SequenceTakeOver, FeaturesCommentAndPublicationsMoveToTheNewSequence) {
    CProject project;
    Ptr<CDNASequence> old = Dna(Letters(160), &project, "s");
    old->SetResiduesValid(1);
    old->SetSkipped(true);
    old->SetReserved(5);
    old->GetComment()->SetComment("synthetic");
    Ptr<CFeature> feature(new CExon(old.get(), "", "1", "10"));
    Ptr<CJournal> journal(new CJournal(old.get(), "A", "T", "J", "1", "2", "3", "2000-__-__"));
    Ptr<CPubDatabase> database(new CPubDatabase(old.get(), "X1", "2000-01-01", "1", "2"));
    Ptr<CPatent> patent(new CPatent(old.get(), "T", "US1", "2000-01-01", "2000-01-02"));
    Ptr<CThesis> thesis(new CThesis(old.get(), "A", "T", "2000-__-__", "1-2"));
    old->GetFeatures().Add(feature);
    old->GetJournals().Add(journal);
    old->GetDatabases().Add(database);
    old->GetPatents().Add(patent);
    old->GetTheses().Add(thesis);
    old->UnloadResidues();
    CCommentFeature* comment = old->GetComment();

    Ptr<CRNASequence> next(new CRNASequence(&project, old->GetName(), old->GetOrganism(), ""));
    next->TakeOver(*old);

    EXPECT_EQ(next->GetProject(), &project);
    EXPECT_EQ(next->GetResiduesValid(), 1);
    EXPECT_TRUE(next->IsSkipped());
    EXPECT_EQ(next->GetReserved(), 5);
    EXPECT_EQ(next->GetTemporaryFilePath(), old->GetTemporaryFilePath());
    EXPECT_FALSE(next->AreResiduesInMemory());
    EXPECT_EQ(next->GetResidues(), Letters(160));
    EXPECT_EQ(next->GetTypeName(), "RNA");

    EXPECT_EQ(next->GetComment(), comment);
    EXPECT_EQ(comment->GetParent(), next.get());
    ASSERT_EQ(next->GetFeatures().GetSize(), 1);
    EXPECT_EQ(next->GetFeatures()[0], feature);
    EXPECT_EQ(feature->GetParent(), next.get());
    ASSERT_EQ(next->GetJournals().GetSize(), 1);
    EXPECT_EQ(next->GetJournals()[0], journal);
    ASSERT_EQ(next->GetDatabases().GetSize(), 1);
    ASSERT_EQ(next->GetPatents().GetSize(), 1);
    ASSERT_EQ(next->GetTheses().GetSize(), 1);
    for (CModel* pub : {static_cast<CModel*>(journal.get()), static_cast<CModel*>(database.get()),
                        static_cast<CModel*>(patent.get()), static_cast<CModel*>(thesis.get())})
        EXPECT_EQ(pub->GetParent(), next.get());

    // The old one can go without taking its former objects along.
    old = nullptr;
    EXPECT_EQ(next->GetComment()->GetComment(), "synthetic");
    EXPECT_EQ(next->GetFeatures()[0]->GetFrom(), 1);
}

// ---- unknown residues ----

std::vector<std::pair<int, int>> Pairs(const CArray<Ptr<CRange>>& ranges) {
    std::vector<std::pair<int, int>> out;
    for (const auto& r : ranges) out.emplace_back(r->first, r->second);
    return out;
}

using PairList = std::vector<std::pair<int, int>>;

TEST(SequenceUnknown, NucleotideNInEitherCase) {
    EXPECT_TRUE(Dna("acgN")->HasUnknownResidue());
    EXPECT_TRUE(Dna("nacg")->HasUnknownResidue());
    EXPECT_FALSE(Dna("acgtrymkswbdhv")->HasUnknownResidue());
    EXPECT_EQ(Dna("")->GetUnknownResidueNote(),
              "Definition of \"n\" is required in the Other Information field of a \"misc_feature\" %s on the "
              "Feature Screen.");
}

TEST(SequenceUnknown, ProteinXInEitherCase) {
    Ptr<CProtein1Sequence> upper(new CProtein1Sequence(nullptr, "p", "", "AAX"));
    Ptr<CProtein1Sequence> lower(new CProtein1Sequence(nullptr, "p", "", "xAA"));
    Ptr<CProtein1Sequence> none(new CProtein1Sequence(nullptr, "p", "", "ANAN"));
    EXPECT_TRUE(upper->HasUnknownResidue());
    EXPECT_TRUE(lower->HasUnknownResidue());
    EXPECT_FALSE(none->HasUnknownResidue());
    EXPECT_EQ(none->GetUnknownResidueNote(),
              "Definition of \"X\" is required in the Other Information field on a \"MISC_FEATURE\" %s on the "
              "Feature Screen.");
}

TEST(SequenceUnknown, PositionsAndRunsCountLettersOnly) {
    // Letters: n a c N n g t n  ->  unknowns at 1, 4, 5, 8.
    Ptr<CDNASequence> seq = Dna("nac Nn 12\ngtn");
    CArray<Ptr<CRange>> positions, runs;
    seq->GetUnknownPositions(positions);
    seq->GetUnknownRuns(runs);
    EXPECT_EQ(Pairs(positions), (PairList{{1, 1}, {4, 1}, {5, 1}, {8, 1}}));
    EXPECT_EQ(Pairs(runs), (PairList{{1, 1}, {4, 5}, {8, 8}}));

    // The display layout gives the same ranges.
    Ptr<CDNASequence> shown = Dna(Letters(65, "acg") + "nnnn" + Letters(10));
    shown->FormatForDisplay();
    CArray<Ptr<CRange>> shownRuns;
    shown->GetUnknownRuns(shownRuns);
    EXPECT_EQ(Pairs(shownRuns), (PairList{{66, 69}}));

    Ptr<CProtein1Sequence> protein(new CProtein1Sequence(nullptr, "p", "", "AXxAXXX"));
    CArray<Ptr<CRange>> proteinRuns, proteinPositions;
    protein->GetUnknownRuns(proteinRuns);
    protein->GetUnknownPositions(proteinPositions);
    EXPECT_EQ(Pairs(proteinRuns), (PairList{{2, 3}, {5, 7}}));
    EXPECT_EQ(proteinPositions.GetSize(), 5);

    CArray<Ptr<CRange>> noneFound;
    Dna("acgt")->GetUnknownRuns(noneFound);
    EXPECT_TRUE(noneFound.IsEmpty());
}

TEST(SequenceUnknown, ParkedResiduesAreFetchedForTheSearch) {
    Ptr<CDNASequence> seq = Dna(Letters(120) + "n");
    seq->UnloadResidues();
    ASSERT_FALSE(seq->AreResiduesInMemory());
    EXPECT_TRUE(seq->HasUnknownResidue());
    CArray<Ptr<CRange>> runs;
    seq->GetUnknownRuns(runs);
    EXPECT_EQ(Pairs(runs), (PairList{{121, 121}}));
}

// ---- organism ----

TEST(SequenceOrganism, ArtificialAndUnknownIgnoreCaseAndSurroundingBlanks) {
    for (const char* o : {"Artificial Sequence", "ARTIFICIAL SEQUENCE", "artificial sequence", "Artificial",
                          "  artificial  ", "Artificial Sequence (synthetic)"}) {
        EXPECT_TRUE(CSequence::IsArtificialOrganism(o)) << o;
        EXPECT_TRUE(CSequence::IsArtificialOrUnknownOrganism(o)) << o;
        EXPECT_FALSE(CSequence::IsUnknownOrganism(o)) << o;
    }
    for (const char* o : {"ArtificialSequence", "artificially made", "Artificial\tSequence", "not artificial", ""}) {
        EXPECT_FALSE(CSequence::IsArtificialOrganism(o)) << o;
        EXPECT_FALSE(CSequence::IsArtificialOrUnknownOrganism(o)) << o;
    }
    for (const char* o : {" unknown ", "Unknown", "UNKNOWN"}) {
        EXPECT_TRUE(CSequence::IsUnknownOrganism(o)) << o;
        EXPECT_TRUE(CSequence::IsArtificialOrUnknownOrganism(o)) << o;
        EXPECT_FALSE(CSequence::IsArtificialOrganism(o)) << o;
    }
    for (const char* o : {"unknown organism", "unknownx", "Homo sapiens"})
        EXPECT_FALSE(CSequence::IsArtificialOrUnknownOrganism(o)) << o;

    Ptr<CDNASequence> seq = Dna("acgt");
    seq->SetOrganism(" Unknown");
    EXPECT_TRUE(seq->IsUnknown());
    EXPECT_TRUE(seq->IsArtificialOrUnknown());
    EXPECT_FALSE(seq->IsArtificial());
}

}  // namespace
}  // namespace qln
