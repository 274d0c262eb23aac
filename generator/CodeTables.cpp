#include "generator/CodeTables.h"

#include <array>
#include <utility>

namespace qln {

namespace {

struct CodonRow {
    const char* aminoAcid;
    const char* codons;  // separated by single spaces
};

// Both the U and the T forms, and the ambiguity codes the translation
// accepts directly. The order within a row is of no consequence.
constexpr std::array<CodonRow, 24> kCodonRows = {{
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
    {CCodeTables::kStopTranslation, "uaa taa uag tag uga tga"},
}};

constexpr std::array<const char*, 6> kStopCodons = {"uaa", "uga", "uag", "taa", "tga", "tag"};

// Codes shared by every nucleotide kind; the base order decides the order
// in which an ambiguous codon's readings are listed.
// clang-format off
constexpr std::array<std::pair<char, const char*>, 7> kCommonCodes = {{
    {'a', "a"}, {'g', "g"}, {'c', "c"}, {'r', "ga"}, {'m', "ac"}, {'s', "gc"}, {'v', "agc"},
}};
constexpr std::array<std::pair<char, const char*>, 8> kDnaCodes = {{
    {'t', "t"}, {'y', "ct"}, {'k', "gt"}, {'w', "at"}, {'b', "gct"}, {'d', "agt"}, {'h', "act"}, {'n', "agct"},
}};
constexpr std::array<std::pair<char, const char*>, 8> kRnaCodes = {{
    {'u', "u"}, {'y', "cu"}, {'k', "gu"}, {'w', "au"}, {'b', "gcu"}, {'d', "agu"}, {'h', "acu"}, {'n', "agcu"},
}};
constexpr std::array<std::pair<char, const char*>, 9> kDnaRnaCodes = {{
    {'t', "t"},
    {'u', "u"},
    {'y', "ctu"},
    {'k', "gtu"},
    {'w', "atu"},
    {'b', "gctu"},
    {'d', "agtu"},
    {'h', "actu"},
    {'n', "agctu"},
}};
// clang-format on

template <size_t N>
CCodeTables::ExpansionMap MakeExpansions(const std::array<std::pair<char, const char*>, N>& own) {
    CCodeTables::ExpansionMap map;
    for (const auto& [code, bases] : kCommonCodes) map.emplace(code, bases);
    for (const auto& [code, bases] : own) map.emplace(code, bases);
    return map;
}

}  // namespace

CCodeTables::CCodeTables()
    : dna_(MakeExpansions(kDnaCodes)), rna_(MakeExpansions(kRnaCodes)), dnaRna_(MakeExpansions(kDnaRnaCodes)) {
    for (const CodonRow& row : kCodonRows) {
        std::string_view codons = row.codons;
        while (!codons.empty()) {
            const size_t end = codons.find(' ');
            codons_.emplace(std::string(codons.substr(0, end)), row.aminoAcid);
            codons.remove_prefix(end == std::string_view::npos ? codons.size() : end + 1);
        }
    }
}

const CCodeTables& CCodeTables::Get() {
    static const CCodeTables tables;
    return tables;
}

const std::string* CCodeTables::FindAminoAcid(std::string_view codon) const {
    const auto it = codons_.find(codon);
    return it == codons_.end() ? nullptr : &it->second;
}

bool CCodeTables::IsStopCodon(std::string_view codon) {
    for (const char* stop : kStopCodons)
        if (codon == stop) return true;
    return false;
}

const CCodeTables::ExpansionMap* CCodeTables::GetExpansions(std::string_view typeName) const {
    if (typeName == "DNA") return &dna_;
    if (typeName == "RNA") return &rna_;
    if (typeName == "DNA/RNA") return &dnaRna_;
    return nullptr;
}

std::string_view CCodeTables::Expand(std::string_view typeName, char code) const {
    const ExpansionMap* expansions = GetExpansions(typeName);
    if (!expansions) return {};
    const auto it = expansions->find(code);
    return it == expansions->end() ? std::string_view() : std::string_view(it->second);
}

}  // namespace qln
