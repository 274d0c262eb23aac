#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "import/FastaReader.h"
#include "import/ImportTestSupport.h"
#include "import/SequenceFileImporter.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {
namespace {

using test::RecordingProgress;
using test::ScriptedChoices;

class SequenceFileImporterTest : public ::testing::Test {
protected:
    SequenceFileImporter& Importer(bool filter = false) {
        importer_ = std::make_unique<SequenceFileImporter>(project_, choices_, &progress_, filter);
        return *importer_;
    }
    // Reads one text with a fresh importer.
    bool Read(const std::string& text, bool filter = false, const std::string& fileName = "seqs.txt") {
        return Importer(filter).ReadText(text, fileName);
    }
    CArray<Ptr<CSequence>>& Sequences() { return importer_->GetSequences(); }
    const StringList& Messages() { return importer_->GetMessages(); }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& s : Sequences()) names.push_back(s->GetName());
        return names;
    }

    CProject project_;
    ScriptedChoices choices_;
    RecordingProgress progress_;
    std::unique_ptr<SequenceFileImporter> importer_;
};

// ---- headers ----

TEST_F(SequenceFileImporterTest, HeaderWithOrWithoutOrganismGivesNameTypeAndOrganism) {
    for (const char* text : {"<s1;dna;>acgt", "<s1;DNA>acgt"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Read(text));
        ASSERT_EQ(Sequences().GetSize(), 1);
        CSequence& s = *Sequences()[0];
        EXPECT_TRUE(s.IsKindOf(CDNASequence::runtimeClass));
        EXPECT_EQ(s.GetName(), "s1");
        EXPECT_EQ(s.GetResidues(), "acgt");
        EXPECT_EQ(s.GetOrganism(), "");
    }
    ASSERT_TRUE(Read("<s1;DNA;Homo sapiens>acgt"));
    EXPECT_EQ(Sequences()[0]->GetOrganism(), "Homo sapiens");
}

TEST_F(SequenceFileImporterTest, HeaderFieldsAreTrimmedAndOrganismKeepsFurtherSemicolons) {
    ASSERT_TRUE(Read("<  my seq \t;  rna ;  Mus musculus; strain B  >acgu"));
    CSequence& s = *Sequences()[0];
    EXPECT_EQ(s.GetName(), "my seq");
    EXPECT_TRUE(s.IsKindOf(CRNASequence::runtimeClass));
    EXPECT_EQ(s.GetOrganism(), "Mus musculus; strain B");
}

TEST_F(SequenceFileImporterTest, EveryTypeKeywordInAnyCaseMakesItsClass) {
    const std::vector<std::pair<std::string, const CRuntimeClass*>> cases = {
        {"DNA", &CDNASequence::runtimeClass},        {"rna", &CRNASequence::runtimeClass},
        {"Dna/Rna", &CDNARNASequence::runtimeClass}, {"PROTEIN/1", &CProtein1Sequence::runtimeClass},
        {"prt", &CProtein1Sequence::runtimeClass},   {"PRT1", &CProtein1Sequence::runtimeClass},
        {"prt/1", &CProtein1Sequence::runtimeClass}, {"protein/3", &CProtein3Sequence::runtimeClass},
        {"PRT3", &CProtein3Sequence::runtimeClass},  {"Prt/3", &CProtein3Sequence::runtimeClass},
    };
    for (const auto& [type, cls] : cases) {
        SCOPED_TRACE(type);
        const std::string residues = cls == &CProtein3Sequence::runtimeClass ? "AlaGly" : "ag";
        ASSERT_TRUE(Read("<s;" + type + ">" + residues));
        ASSERT_EQ(Sequences().GetSize(), 1);
        EXPECT_EQ(&Sequences()[0]->GetRuntimeClass(), cls);
    }
}

TEST_F(SequenceFileImporterTest, UnknownTypeSkipsOnlyThatSequence) {
    EXPECT_FALSE(Read("<s1;PROT>MKV\n<s2;DNA>acgt\n"));
    EXPECT_EQ(Messages(), StringList{"Invalid sequence type in sequence 's1'."});
    EXPECT_EQ(Names(), std::vector<std::string>{"s2"});
}

TEST_F(SequenceFileImporterTest, HeaderProblemsGiveTheirMessageAndNothingIsMadeFromTheirText) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"<s1>acgt\n<s2;DNA>gg", "Missing sequence type in header '<s1>acgt'."},
        {"<s1;DNA acgt\nmore\n<s2;DNA>gg", "Missing '>' in header '<s1;DNA acgt'."},
        {"<  ;DNA>acgt\n<s2;DNA>gg", "Blank sequence name in header '<  ;DNA>acgt'."},
        // A header without ";" ends where the next one begins, and is quoted
        // only up to there.
        {"<s1 acgt<s2;DNA>gg", "Missing sequence type in header '<s1 acgt'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(Read(c.text));
        EXPECT_EQ(Messages(), StringList{c.message});
        ASSERT_EQ(Names(), std::vector<std::string>{"s2"});
        EXPECT_EQ(Sequences()[0]->GetResidues(), "gg");
    }
}

TEST_F(SequenceFileImporterTest, NothingCarriesOverThroughAFaultyHeader) {
    // Neither the text under the faulty header nor its fields reach a sequence.
    EXPECT_FALSE(Read("<s1;RNA;Mus>acgu\n<s2>cccc\n<s3;DNA>gg\n"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"s1", "s3"}));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgu");
    EXPECT_EQ(Sequences()[1]->GetResidues(), "gg");
    EXPECT_EQ(Sequences()[1]->GetOrganism(), "");
}

TEST_F(SequenceFileImporterTest, FaultyHeaderAtTheEndKeepsTheSequencesBeforeIt) {
    EXPECT_FALSE(Read("<s1;DNA>acgt\n<s2;DNA"));
    EXPECT_EQ(Messages(), StringList{"Missing '>' in header '<s2;DNA'."});
    EXPECT_EQ(Names(), std::vector<std::string>{"s1"});
}

TEST_F(SequenceFileImporterTest, NameLongerThanTheLimitIsAFaultyHeader) {
    const std::string longest(SequenceFileImporter::kMaxNameLength, 'n');
    ASSERT_TRUE(Read("<" + longest + ";DNA>ac"));
    EXPECT_EQ(Names(), std::vector<std::string>{longest});

    const std::string tooLong = longest + "n";
    EXPECT_FALSE(Read("<" + tooLong + ";DNA>ac\n<s2;DNA>gg"));
    EXPECT_EQ(Messages(), StringList{"Sequence name longer than 255 characters in header '<" + tooLong + ";DNA>ac'."});
    EXPECT_EQ(Names(), std::vector<std::string>{"s2"});
}

// ---- text and residues ----

TEST_F(SequenceFileImporterTest, TextBeforeTheFirstHeaderIsSkipped) {
    ASSERT_TRUE(Read("Some notes; with > signs\n\n<s1;DNA>ac"));
    EXPECT_EQ(Names(), std::vector<std::string>{"s1"});
}

TEST_F(SequenceFileImporterTest, ResiduesAreJoinedWithoutWhiteSpace) {
    ASSERT_TRUE(Read("<s1;DNA>\r\n acg t\tacgt\r\n  gg \n\n<s2;PRT>\n M K\tV\n"));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgtacgtgg");
    EXPECT_EQ(Sequences()[1]->GetResidues(), "MKV");
}

TEST_F(SequenceFileImporterTest, CtrlZEndsTheText) {
    ASSERT_TRUE(Read(std::string("<s1;DNA>acgt\x1a<s2;DNA>gggg\n") + "<s3;DNA>tt"));
    EXPECT_EQ(Names(), std::vector<std::string>{"s1"});
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgt");
}

TEST_F(SequenceFileImporterTest, ResiduesTakeTheLetterCaseOfTheirAlphabet) {
    ASSERT_TRUE(Read("<d;DNA>ACGTn\n<r;RNA>ACGU\n<x;DNA/RNA>AcTu\n<p;PRT>mkvX\n<p3;PRT/3>AlaGLYcys\n"));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgtn");
    EXPECT_EQ(Sequences()[1]->GetResidues(), "acgu");
    EXPECT_EQ(Sequences()[2]->GetResidues(), "actu");
    EXPECT_EQ(Sequences()[3]->GetResidues(), "MKVX");
    // Three-letter text is checked in any case and kept as written.
    EXPECT_EQ(Sequences()[4]->GetResidues(), "AlaGLYcys");
}

TEST_F(SequenceFileImporterTest, UpperCaseFileKeepsItsResiduesWithTheFilterOn) {
    ASSERT_TRUE(Read("<s1;DNA>ACGTACGT", true));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgtacgt");
}

// ---- the character check ----

TEST_F(SequenceFileImporterTest, InvalidCharactersWithoutFilterDropTheSequence) {
    EXPECT_FALSE(Read("<s1;DNA>ac1g-t\n<s2;DNA>gg"));
    EXPECT_EQ(Messages(), (StringList{"Sequence 's1': Invalid character '1' at location 3.",
                                      "Sequence 's1': Invalid character '-' at location 5."}));
    EXPECT_EQ(Names(), std::vector<std::string>{"s2"});
}

TEST_F(SequenceFileImporterTest, InvalidCharactersWithFilterAreDroppedAndReported) {
    EXPECT_FALSE(Read("<s1;DNA>ac1g-t\n<s2;RNA>acgt", true));
    EXPECT_EQ(Messages(), (StringList{"Sequence 's1': Invalid character '1' at location 3.",
                                      "Sequence 's1': Invalid character '-' at location 5.",
                                      "Sequence 's2': Invalid character 't' at location 4."}));
    ASSERT_EQ(Names(), (std::vector<std::string>{"s1", "s2"}));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgt");
    EXPECT_EQ(Sequences()[1]->GetResidues(), "acg");
}

TEST_F(SequenceFileImporterTest, NonAsciiCharactersGiveOneMessage) {
    EXPECT_FALSE(Read("<s1;DNA>a\xe9g\xfc\xe4t"));
    EXPECT_EQ(Messages(), StringList{"The input file is not an ASCII text file.  The sequences cannot be imported."});
    EXPECT_TRUE(Sequences().IsEmpty());
}

TEST_F(SequenceFileImporterTest, ThreeLetterProteinIsCheckedByTriples) {
    EXPECT_FALSE(Read("<p;PRT3>AlaGl\n<q;PRT3>AlaFooGly"));
    EXPECT_EQ(Messages(), (StringList{"Sequence length is not a multiple of 3.",
                                      "Sequence name q:  'foo' is an invalid amino acid code."}));
    EXPECT_TRUE(Sequences().IsEmpty());
}

// ---- sequence data ----

TEST_F(SequenceFileImporterTest, HeaderFollowedByAnotherGivesAnEmptySequence) {
    ASSERT_TRUE(Read("<s1;PRT>\n<s2;DNA>ac"));
    ASSERT_EQ(Names(), (std::vector<std::string>{"s1", "s2"}));
    EXPECT_TRUE(Sequences()[0]->IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "");
}

TEST_F(SequenceFileImporterTest, HeaderAtTheEndStopsAndDropsEverySequenceOfTheImport) {
    SequenceFileImporter& importer = Importer();
    ASSERT_TRUE(importer.ReadText("<a;DNA>acgt", "first.txt"));
    EXPECT_FALSE(importer.ReadText("<s0;DNA>gg\n<s1;PRT>  \n\n", "second.txt"));
    EXPECT_EQ(Messages(), StringList{"'s1' has no sequence data."});
    EXPECT_TRUE(Sequences().IsEmpty());
}

TEST_F(SequenceFileImporterTest, SequencesAreMadeForTheProjectButNotAdded) {
    ASSERT_TRUE(Read("<s1;DNA>ac", false, "lab.txt"));
    CSequence& s = *Sequences()[0];
    EXPECT_EQ(s.GetProject(), &project_);
    EXPECT_EQ(s.GetSourceReference(), "lab.txt");
    EXPECT_TRUE(project_.GetSequences().IsEmpty());
}

TEST_F(SequenceFileImporterTest, LongResiduesAreParked) {
    const std::string hundred(100, 'a');
    ASSERT_TRUE(Read("<short;DNA>" + hundred + "\n<long;DNA>" + hundred + "c"));
    EXPECT_TRUE(Sequences()[0]->AreResiduesInMemory());
    CSequence& parked = *Sequences()[1];
    EXPECT_FALSE(parked.AreResiduesInMemory());
    EXPECT_FALSE(parked.GetTemporaryFilePath().empty());
    EXPECT_EQ(parked.GetResidues(), hundred + "c");
}

TEST_F(SequenceFileImporterTest, FilteredLongResiduesAreParkedAsFiltered) {
    const std::string residues = std::string(120, 'g') + "xx";
    ASSERT_FALSE(Read("<long;DNA>" + residues, true));
    CSequence& parked = *Sequences()[0];
    EXPECT_FALSE(parked.AreResiduesInMemory());
    EXPECT_EQ(parked.GetResidues(), std::string(120, 'g'));
}

TEST_F(SequenceFileImporterTest, ListsGrowOverTheFilesOfOneImport) {
    SequenceFileImporter& importer = Importer();
    ASSERT_TRUE(importer.ReadText("<a;DNA>ac", "one.txt"));
    ASSERT_TRUE(importer.ReadText("<b;DNA>gg\n<c;PRT>MK", "two.txt"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Sequences()[0]->GetSourceReference(), "one.txt");
    EXPECT_EQ(Sequences()[2]->GetSourceReference(), "two.txt");
    EXPECT_FALSE(importer.ReadText("<d;X>ac", "three.txt"));
    EXPECT_FALSE(importer.ReadText("<e;DNA>ac", "four.txt"));  // earlier messages stay
    EXPECT_EQ(Sequences().GetSize(), 4);
}

// ---- files without headers ----

TEST_F(SequenceFileImporterTest, FileWithoutHeaderIsOneSequenceOfTheChosenType) {
    choices_.fileType = "PROTEIN/1";
    ASSERT_TRUE(Read("mkv\nLLA \n", false, "abc.seq.txt"));
    EXPECT_EQ(choices_.fileTypeQuestions, StringList{"abc.seq.txt"});
    ASSERT_EQ(Names(), std::vector<std::string>{"abc.seq"});
    CSequence& s = *Sequences()[0];
    EXPECT_TRUE(s.IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_EQ(s.GetResidues(), "MKVLLA");
    EXPECT_EQ(s.GetOrganism(), "");

    ASSERT_TRUE(Read("acgt", false, "plain"));
    EXPECT_EQ(Names(), std::vector<std::string>{"plain"});
}

TEST_F(SequenceFileImporterTest, CancelledTypeQuestionImportsNothing) {
    choices_.fileType.reset();
    EXPECT_FALSE(Read("acgt", false, "abc.txt"));
    EXPECT_EQ(Messages(), StringList{"Import Cancelled by User."});
    EXPECT_TRUE(Sequences().IsEmpty());
}

TEST_F(SequenceFileImporterTest, UnknownAnswerToTheTypeQuestionIsAnInvalidType) {
    choices_.fileType = "PEPTIDE";
    EXPECT_FALSE(Read("acgt", false, "abc.txt"));
    EXPECT_EQ(Messages(), StringList{"Invalid sequence type in sequence 'abc'."});
}

// ---- progress and stop ----

TEST_F(SequenceFileImporterTest, ReportsSequencesAnalysedBeforeEach) {
    ASSERT_FALSE(Read("<a;DNA>ac\n<b>x\n<c;BAD>gg\n<d;DNA>tt"));
    EXPECT_EQ(progress_.ValuesOf(CImportProgress::kSequencesAnalyzed), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(SequenceFileImporterTest, ProgressPositionsClimbFromOneAndStayWithinAHundred) {
    for (size_t length : {std::size_t{37}, std::size_t{150}, std::size_t{20000}}) {
        SCOPED_TRACE(length);
        progress_.commands.clear();
        ASSERT_TRUE(Read("<s;DNA>\n" + std::string(length, 'a')));
        const std::vector<int> positions = progress_.ValuesOf(CImportProgress::kProgressPosition);
        ASSERT_FALSE(positions.empty());
        for (size_t i = 0; i < positions.size(); ++i) EXPECT_EQ(positions[i], static_cast<int>(i) + 1);
        EXPECT_LE(positions.back(), 100);
        if (length >= 20000) {
            EXPECT_GE(positions.back(), 99);
        }
    }
}

TEST_F(SequenceFileImporterTest, StopRequestEndsTheReadingAndDropsTheImport) {
    SequenceFileImporter& importer = Importer();
    ASSERT_TRUE(importer.ReadText("<a;DNA>ac", "one.txt"));
    progress_.stopAfterAnalysed = 1;
    EXPECT_FALSE(importer.ReadText("<b;DNA>ac\n<c;DNA>gg\n<d;DNA>tt", "two.txt"));
    EXPECT_EQ(Messages(), StringList{"Import canceled by user."});
    EXPECT_TRUE(Sequences().IsEmpty());
    // The stop is noticed after the sequence under way: c was still analysed, d was not.
    EXPECT_EQ(progress_.ValuesOf(CImportProgress::kSequencesAnalyzed), (std::vector<int>{0, 0, 1}));
}

// ---- streams ----

TEST_F(SequenceFileImporterTest, StreamIsReadUpToTheGivenLength) {
    std::istringstream in("<s1;DNA>acgt\n<s2;DNA>gg");
    SequenceFileImporter& importer = Importer();
    ASSERT_TRUE(importer.ReadStream(in, "s.txt", 13));
    EXPECT_EQ(Names(), std::vector<std::string>{"s1"});
}

TEST_F(SequenceFileImporterTest, StreamShorterThanItsLengthGivesWhatItHas) {
    std::istringstream in("<s1;DNA>acgt");
    SequenceFileImporter& importer = Importer();
    ASSERT_TRUE(importer.ReadStream(in, "s.txt", 1000));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgt");
}

TEST_F(SequenceFileImporterTest, LengthBeyondTheLimitIsRefusedWithoutReading) {
    std::istringstream in("<s1;DNA>acgt");
    SequenceFileImporter& importer = Importer();
    EXPECT_FALSE(importer.ReadStream(in, "s.txt", SequenceFileImporter::kMaxFileLength + 1));
    EXPECT_EQ(Messages(), StringList{"There is not enough memory to open a this file"});
    EXPECT_EQ(in.tellg(), 0);
}

// ---- FASTA ----

class FixedTypeChoices : public ScriptedChoices {
public:
    std::optional<std::string> GivenSequenceType() override { return "DNA/RNA"; }
};

TEST_F(SequenceFileImporterTest, FastaFileWalksItsRecords) {
    const std::string longLine(200000, 'G');
    const std::string text =
        "\r\n  >s1 first one\r\nacgt ACGT\r\n1 tt\r\n"
        ">empty\r\n\r\n>e2\n>e3\n*\n"
        ">s2\nMKVL la*\n"
        ">s3 rna\naugc\nAUGC\n"
        ">long\n" +
        longLine + "\n";
    ASSERT_TRUE(Read(text, false, "in.fa")) << Messages()[0];
    ASSERT_EQ(Names(), (std::vector<std::string>{"s1", "s2", "s3", "long"}));
    EXPECT_TRUE(Sequences()[0]->IsKindOf(CDNASequence::runtimeClass));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgtacgttt");
    EXPECT_TRUE(Sequences()[1]->IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_EQ(Sequences()[1]->GetResidues(), "MKVLLA");
    EXPECT_TRUE(Sequences()[2]->IsKindOf(CRNASequence::runtimeClass));
    EXPECT_EQ(Sequences()[2]->GetResidues(), "augcaugc");
    EXPECT_EQ(Sequences()[3]->GetResidues().size(), longLine.size());
    EXPECT_EQ(Sequences()[0]->GetSourceReference(), "in.fa");
    EXPECT_EQ(Sequences()[0]->GetComment()->GetComment(), "");
    EXPECT_EQ(importer_->GetNotes(),
              (StringList{"The header text 'first one' of 's1' was dropped: only an artificial sequence or unknown "
                          "organism has a comment.",
                          "'empty' has no sequence data and was not imported.",
                          "2 more records of 'in.fa' had no sequence data and were not imported.",
                          "The header text of 1 more sequence of 'in.fa' was dropped too."}));
    EXPECT_TRUE(choices_.fileTypeQuestions.empty());
}

TEST_F(SequenceFileImporterTest, FastaLinesMayEndWithALoneCR) {
    ASSERT_TRUE(Read(">a\racg\rt\r>b\rMKV\rLE", false, "mac.fa"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Sequences()[0]->GetResidues(), "acgt");
    EXPECT_EQ(Sequences()[1]->GetResidues(), "MKVLE");
}

TEST_F(SequenceFileImporterTest, FastaRecordsGoThroughTheCharacterCheck) {
    EXPECT_FALSE(Read(">ok\nacgt\n>bad\nMKV-L\n>\nacgt\n", false, "in.fa"));
    EXPECT_EQ(Names(), std::vector<std::string>{"ok"});
    ASSERT_GE(Messages().size(), 2u);
    EXPECT_EQ(Messages().back(), "Blank sequence name in header '>'.");
}

TEST_F(SequenceFileImporterTest, FastaLettersDecideTheTypeWhereTheyCan) {
    EXPECT_EQ(FastaReader::TypeOf("ACGTN acgtn"), "DNA");
    EXPECT_EQ(FastaReader::TypeOf("acgun"), "RNA");
    EXPECT_EQ(FastaReader::TypeOf("acgtu"), "DNA/RNA");
    EXPECT_EQ(FastaReader::TypeOf("MKVLEPQ"), "PROTEIN/1");
    EXPECT_EQ(FastaReader::TypeOf("acgtrykm"), std::nullopt);  // ambiguity codes read as amino acids too
    EXPECT_EQ(FastaReader::TypeOf("JOJO"), std::nullopt);
    EXPECT_EQ(FastaReader::TypeOf("--"), std::nullopt);
}

TEST_F(SequenceFileImporterTest, UndecidedFastaRecordsAskTheFileTypeQuestionOnce) {
    choices_.fileType = "PROTEIN/1";
    ASSERT_TRUE(Read(">a\nacgtrykm\n>b\nacgt\n>c\nRYKM\n", false, "x.fa"));
    EXPECT_EQ(choices_.fileTypeQuestions, StringList{"x.fa"});
    EXPECT_TRUE(Sequences()[0]->IsKindOf(CProtein1Sequence::runtimeClass));
    EXPECT_TRUE(Sequences()[1]->IsKindOf(CDNASequence::runtimeClass));
    EXPECT_TRUE(Sequences()[2]->IsKindOf(CProtein1Sequence::runtimeClass));

    choices_.fileType.reset();
    EXPECT_FALSE(Read(">a\nacgt\n>b\nRYKM\n", false, "x.fa"));
    EXPECT_EQ(Messages(), StringList{"Import Cancelled by User."});
}

TEST_F(SequenceFileImporterTest, AGivenTypeWinsOverFastaLetters) {
    FixedTypeChoices fixed;
    SequenceFileImporter importer(project_, fixed, nullptr, false);
    ASSERT_TRUE(importer.ReadText(">a\nacgt\n>b\nacgu\n", "x.fa"));
    ASSERT_EQ(importer.GetSequences().GetSize(), 2);
    for (const auto& s : importer.GetSequences()) EXPECT_TRUE(s->IsKindOf(CDNARNASequence::runtimeClass));
}

}  // namespace
}  // namespace qln
