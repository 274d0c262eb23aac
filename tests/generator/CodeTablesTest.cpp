#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "generator/CodeTables.h"
#include "model/Sequence.h"

namespace qln {
namespace {

// The codon table as published for the program, row by row.
const std::vector<std::pair<std::string, std::string>> kPublishedCodons = {
    {"Ala", "gcu gcc gca gcg gct gcb gcd gch gck gcm gcn gcr gcs gcv gcw gcy"},
    {"Arg", "cgu cgh cgc cgk cga cgm cgg cgt cgn aga cgr agg cgs cgb cgd cgv cgw cgy mgn agr mgr"},
    {"Asn", "aau aat aac aay"},
    {"Asp", "gau gat gac gay"},
    {"Cys", "ugu tgt ugc tgc tgy"},
    {"Gln", "caa cag car"},
    {"Glu", "gaa gag gar"},
    {"Gly", "ggu ggg ggc ggt gga ggn"},
    {"His", "cau cat cac cay"},
    {"Ile", "auu att auc atc aua ata ath"},
    {"Leu", "uua tta uug ttg cuu ctt cuc ctc cua cta cug ctg ytn"},
    {"Lys", "aaa aag aar"},
    {"Met", "aug atg"},
    {"Phe", "uuu ttt uuc ttc tty"},
    {"Pro", "ccu ccg ccc cct cca ccn"},
    {"Ser", "ucu tca ucc tcg uca agu ucg agc tct agt tcc wsn"},
    {"Thr", "acu acg acc act aca acn"},
    {"Trp", "ugg tgg"},
    {"Tyr", "uau tat uac tac tay"},
    {"Val", "guu gtc guc gta gua gtg gug gtn gtt"},
    {"Glx", "sar"},
    {"Asx", "ray"},
    {"Xaa", "rst"},
    {"   ", "uaa taa uag tag uga tga"},
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

const CCodeTables& Tables() { return CCodeTables::Get(); }

// ---- codon table ----

TEST(CodonTable, HoldsExactlyThePublishedCodons) {
    size_t listed = 0;
    for (const auto& [aminoAcid, codons] : kPublishedCodons) {
        for (const std::string& codon : Words(codons)) {
            ++listed;
            const std::string* found = Tables().FindAminoAcid(codon);
            ASSERT_NE(found, nullptr) << codon;
            EXPECT_EQ(*found, aminoAcid) << codon;
        }
    }
    EXPECT_EQ(listed, 145u);
    EXPECT_EQ(Tables().GetCodonTable().size(), listed);
}

TEST(CodonTable, EveryPlainCodonIsKnownAndItsTAndUFormsAgree) {
    const std::string bases = "acgt";
    for (char a : bases)
        for (char b : bases)
            for (char c : bases) {
                const std::string dna{a, b, c};
                std::string rna = dna;
                for (char& base : rna)
                    if (base == 't') base = 'u';
                const std::string* dnaAmino = Tables().FindAminoAcid(dna);
                const std::string* rnaAmino = Tables().FindAminoAcid(rna);
                ASSERT_NE(dnaAmino, nullptr) << dna;
                ASSERT_NE(rnaAmino, nullptr) << rna;
                EXPECT_EQ(*dnaAmino, *rnaAmino) << dna;
            }
}

TEST(CodonTable, LooksUpExactLowerCaseOnly) {
    EXPECT_EQ(Tables().FindAminoAcid("ATG"), nullptr);
    EXPECT_EQ(Tables().FindAminoAcid("at"), nullptr);
    EXPECT_EQ(Tables().FindAminoAcid("atgc"), nullptr);
    EXPECT_EQ(Tables().FindAminoAcid(""), nullptr);
    EXPECT_EQ(&CCodeTables::Get(), &CCodeTables::Get());
}

TEST(CodonTable, StopCodonsAreTheSixLowerCaseTriples) {
    for (const char* stop : {"uaa", "uga", "uag", "taa", "tga", "tag"}) {
        EXPECT_TRUE(CCodeTables::IsStopCodon(stop)) << stop;
        EXPECT_EQ(*Tables().FindAminoAcid(stop), "   ") << stop;
    }
    for (const char* other : {"TAA", "Tga", "tgg", "ta", "taaa", "", "tar", "   "})
        EXPECT_FALSE(CCodeTables::IsStopCodon(other)) << other;
}

// ---- ambiguity expansion ----

TEST(AmbiguityExpansion, TablesPerKind) {
    const std::vector<std::pair<char, std::string>> common = {{'a', "a"},  {'g', "g"},  {'c', "c"},  {'r', "ga"},
                                                              {'m', "ac"}, {'s', "gc"}, {'v', "agc"}};
    const std::vector<std::pair<char, std::string>> dna = {{'t', "t"},   {'y', "ct"},  {'k', "gt"},  {'w', "at"},
                                                           {'b', "gct"}, {'d', "agt"}, {'h', "act"}, {'n', "agct"}};
    const std::vector<std::pair<char, std::string>> rna = {{'u', "u"},   {'y', "cu"},  {'k', "gu"},  {'w', "au"},
                                                           {'b', "gcu"}, {'d', "agu"}, {'h', "acu"}, {'n', "agcu"}};
    const std::vector<std::pair<char, std::string>> dnaRna = {{'t', "t"},    {'u', "u"},    {'y', "ctu"},
                                                              {'k', "gtu"},  {'w', "atu"},  {'b', "gctu"},
                                                              {'d', "agtu"}, {'h', "actu"}, {'n', "agctu"}};

    const std::vector<std::pair<std::string, const std::vector<std::pair<char, std::string>>*>> kinds = {
        {"DNA", &dna}, {"RNA", &rna}, {"DNA/RNA", &dnaRna}};
    for (const auto& [typeName, own] : kinds) {
        const CCodeTables::ExpansionMap* table = Tables().GetExpansions(typeName);
        ASSERT_NE(table, nullptr) << typeName;
        EXPECT_EQ(table->size(), common.size() + own->size()) << typeName;
        for (const auto* list : {&common, own})
            for (const auto& [code, bases] : *list)
                EXPECT_EQ(Tables().Expand(typeName, code), bases) << typeName << code;
    }
}

TEST(AmbiguityExpansion, LettersOutsideTheKindStandForNoBase) {
    EXPECT_EQ(Tables().Expand("DNA", 'u'), "");
    EXPECT_EQ(Tables().Expand("RNA", 't'), "");
    EXPECT_EQ(Tables().Expand("DNA", 'N'), "");
    EXPECT_EQ(Tables().Expand("DNA", 'x'), "");
    EXPECT_EQ(Tables().Expand("PRT", 'a'), "");
    EXPECT_EQ(Tables().Expand("dna", 'a'), "");
    EXPECT_EQ(Tables().GetExpansions("PRT"), nullptr);
}

// ---- translation through a sequence ----

class Translation : public ::testing::Test {
protected:
    Ptr<CDNASequence> dna = MakePtr<CDNASequence>(nullptr, "S1", "Homo sapiens", "atg");
    Ptr<CRNASequence> rna = MakePtr<CRNASequence>(nullptr, "R1", "Homo sapiens", "aug");
    Ptr<CDNARNASequence> mixed = MakePtr<CDNARNASequence>(nullptr, "M1", "Homo sapiens", "atg");
};

TEST_F(Translation, CustomTableFirstThenStandardElseXaa) {
    EXPECT_EQ(dna->TranslateCodon("atg"), "Met");
    EXPECT_EQ(dna->TranslateCodon("ytn"), "Leu");
    EXPECT_EQ(dna->TranslateCodon("tga"), "   ");
    EXPECT_EQ(dna->TranslateCodon("rgg"), "Xaa");
    EXPECT_EQ(dna->TranslateCodon("ATG"), "Xaa");
    EXPECT_EQ(dna->TranslateCodon("at"), "Xaa");

    dna->GetCustomCodons()["tga"] = "Trp";
    dna->GetCustomCodons()["atg"] = "Val";
    dna->GetCustomCodons()["xyz"] = "Ala";
    EXPECT_EQ(dna->TranslateCodon("tga"), "Trp");
    EXPECT_EQ(dna->TranslateCodon("atg"), "Val");
    EXPECT_EQ(dna->TranslateCodon("xyz"), "Ala");
    EXPECT_EQ(dna->TranslateCodon("taa"), "   ");
}

TEST_F(Translation, StopCodonUnlessTheCustomTableHoldsIt) {
    EXPECT_TRUE(dna->IsStopCodon("tga"));
    EXPECT_TRUE(dna->IsStopCodon("uag"));
    EXPECT_FALSE(dna->IsStopCodon("TGA"));
    EXPECT_FALSE(dna->IsStopCodon("tgg"));
    dna->GetCustomCodons()["tga"] = "Trp";
    EXPECT_FALSE(dna->IsStopCodon("tga"));
    EXPECT_TRUE(dna->IsStopCodon("taa"));
}

TEST_F(Translation, ExpansionFollowsTheSequenceKind) {
    EXPECT_EQ(dna->ExpandAmbiguity('n'), "agct");
    EXPECT_EQ(rna->ExpandAmbiguity('n'), "agcu");
    EXPECT_EQ(mixed->ExpandAmbiguity('n'), "agctu");
    EXPECT_EQ(dna->ExpandAmbiguity('y'), "ct");
    EXPECT_EQ(rna->ExpandAmbiguity('y'), "cu");
    EXPECT_EQ(mixed->ExpandAmbiguity('y'), "ctu");
    EXPECT_EQ(dna->ExpandAmbiguity('r'), "ga");
    EXPECT_EQ(rna->ExpandAmbiguity('t'), "");
    EXPECT_EQ(dna->ExpandAmbiguity('u'), "");
}

TEST_F(Translation, ExplainXaaListsEachReadingOnceInOrder) {
    EXPECT_EQ(dna->ExplainXaa("rgg"), "Gly, or Arg. ");
    // One reading only: no "or".
    EXPECT_EQ(dna->ExplainXaa("ggr"), "Gly. ");
    // First position slowest: ggg, gcg, agg, acg.
    EXPECT_EQ(dna->ExplainXaa("rsg"), "Gly, Ala, Arg, or Thr. ");
    // agg and cgg are both Arg and are named once.
    EXPECT_EQ(dna->ExplainXaa("ngg"), "Arg, Gly, or Trp. ");
    EXPECT_EQ(rna->ExplainXaa("ngg"), "Arg, Gly, or Trp. ");
}

TEST_F(Translation, ExplainXaaLeavesOutStopCodons) {
    EXPECT_EQ(dna->ExplainXaa("tgr"), "Trp. ");
    EXPECT_EQ(dna->ExplainXaa("tar"), "");
    EXPECT_EQ(rna->ExplainXaa("ugh"), "Cys. ");
    // A redefined stop codon is an ordinary reading.
    dna->GetCustomCodons()["tga"] = "Sec";
    EXPECT_EQ(dna->ExplainXaa("tgr"), "Trp, or Sec. ");
}

TEST_F(Translation, ExplainXaaUsesTheKindsBases) {
    // In DNA "u" stands for no base, in RNA "t" does not.
    EXPECT_EQ(dna->ExplainXaa("ugg"), "");
    EXPECT_EQ(rna->ExplainXaa("ugg"), "Trp. ");
    EXPECT_EQ(rna->ExplainXaa("tgg"), "");
    // Mixed T and U forms are in no table.
    EXPECT_EQ(mixed->ExplainXaa("tcu"), "Xaa. ");
    EXPECT_EQ(dna->ExplainXaa("xgg"), "");
    EXPECT_EQ(dna->ExplainXaa("gg"), "");
}

}  // namespace
}  // namespace qln
