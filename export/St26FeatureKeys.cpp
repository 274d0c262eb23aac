#include "export/St26FeatureKeys.h"

#include <array>

#include "model/AsciiText.h"

namespace qln {

namespace {

constexpr std::array<std::string_view, 52> kNucleotideKeys = {
    "assembly_gap", "C_region",    "CDS",           "centromere",    "D-loop",         "D_segment",
    "exon",         "gap",         "gene",          "iDNA",          "intron",         "J_segment",
    "mat_peptide",  "misc_binding", "misc_difference", "misc_feature", "misc_recomb",  "misc_RNA",
    "misc_structure", "mobile_element", "modified_base", "mRNA",     "ncRNA",          "N_region",
    "old_sequence", "operon",      "oriT",          "polyA_site",    "precursor_RNA",  "prim_transcript",
    "primer_bind",  "propeptide",  "protein_bind",  "regulatory",    "repeat_region",  "rep_origin",
    "rRNA",         "S_region",    "sig_peptide",   "source",        "stem_loop",      "STS",
    "telomere",     "tmRNA",       "transit_peptide", "tRNA",        "unsure",         "V_region",
    "V_segment",    "variation",   "3'UTR",         "5'UTR"};

constexpr std::array<std::string_view, 40> kProteinKeys = {
    "ACT_SITE", "BINDING",  "CA_BIND",  "CARBOHYD", "CHAIN",    "COILED",   "COMPBIAS", "CONFLICT",
    "CROSSLNK", "DISULFID", "DNA_BIND", "DOMAIN",   "HELIX",    "INIT_MET", "INTRAMEM", "LIPID",
    "METAL",    "MOD_RES",  "MOTIF",    "MUTAGEN",  "NON_CONS", "NON_STD",  "NON_TER",  "NP_BIND",
    "PEPTIDE",  "PROPEP",   "REGION",   "REPEAT",   "SIGNAL",   "SITE",     "STRAND",   "TOPO_DOM",
    "TRANSIT",  "TRANSMEM", "TURN",     "UNSURE",   "VARIANT",  "VAR_SEQ",  "ZN_FING",  "source"};

// Keys of ST.25 listings that ST.26 replaced, with the key and the
// qualifier that take their place.
struct Replacement {
    std::string_view old;
    std::string_view key;
    std::string_view qualifier;
    std::string_view value;
};

constexpr Replacement kNucleotideReplacements[] = {
    {"promoter", "regulatory", "regulatory_class", "promoter"},
    {"enhancer", "regulatory", "regulatory_class", "enhancer"},
    {"TATA_signal", "regulatory", "regulatory_class", "TATA_box"},
    {"-10_signal", "regulatory", "regulatory_class", "minus_10_signal"},
    {"-35_signal", "regulatory", "regulatory_class", "minus_35_signal"},
    {"CAAT_signal", "regulatory", "regulatory_class", "CAAT_signal"},
    {"GC_signal", "regulatory", "regulatory_class", "GC_signal"},
    {"RBS", "regulatory", "regulatory_class", "ribosome_binding_site"},
    {"polyA_signal", "regulatory", "regulatory_class", "polyA_signal_sequence"},
    {"terminator", "regulatory", "regulatory_class", "terminator"},
    {"attenuator", "regulatory", "regulatory_class", "attenuator"},
    {"misc_signal", "regulatory", "regulatory_class", "other"},
    {"scRNA", "ncRNA", "ncRNA_class", "scRNA"},
    {"snRNA", "ncRNA", "ncRNA_class", "snRNA"},
    {"snoRNA", "ncRNA", "ncRNA_class", "snoRNA"},
    {"LTR", "repeat_region", "rpt_type", "long_terminal_repeat"},
    {"satellite", "repeat_region", "satellite", "satellite"},
    {"repeat_unit", "repeat_region", "", ""},
    {"conflict", "misc_difference", "", ""},
    {"mutation", "variation", "", ""},
    {"allele", "variation", "", ""},
    {"insertion_seq", "mobile_element", "mobile_element_type", "insertion sequence"},
    {"transposon", "mobile_element", "mobile_element_type", "transposon"},
    {"virion", "misc_feature", "", ""},
    {"provirus", "misc_feature", "", ""},
    {"3'clip", "misc_feature", "", ""},
    {"5'clip", "misc_feature", "", ""},
};

// Keys that need a qualifier the project has no place for: "other" is
// what the vocabulary offers for it.
constexpr Replacement kNeedsClass[] = {
    {"regulatory", "regulatory", "regulatory_class", "other"},
    {"ncRNA", "ncRNA", "ncRNA_class", "other"},
    {"mobile_element", "mobile_element", "mobile_element_type", "other"},
};

// mod_base abbreviations of ST.26's table of modified nucleotides.
constexpr std::string_view kModifiedBases[] = {
    "ac4c", "chm5u", "cm",   "cmnm5s2u", "cmnm5u", "d",     "fm",    "galq", "gm",     "i",    "i6a",  "m1a",
    "m1f",  "m1g",   "m1i",  "m22g",     "m2a",    "m2g",   "m3c",   "m4c",  "m5c",    "m6a",  "m7g",  "mam5u",
    "mam5s2u", "manq", "mcm5s2u", "mcm5u", "mo5u", "ms2i6a", "ms2t6a", "mt6a", "mv",   "o5u",  "osyw", "p",
    "q",    "s2c",   "s2t",  "s2u",      "s4u",    "t",     "t6a",   "tm",   "um",     "yw",   "x"};

template <size_t N>
std::optional<std::string_view> Find(const std::array<std::string_view, N>& keys, std::string_view key) {
    for (const std::string_view known : keys)
        if (EqualsIgnoringCase(known, key)) return known;
    return std::nullopt;
}

CSt26FeatureKeys::Mapped Replaced(const Replacement& r, bool renamed) {
    return {std::string(r.key), std::string(r.qualifier), std::string(r.value), renamed};
}

}  // namespace

std::optional<CSt26FeatureKeys::Mapped> CSt26FeatureKeys::Nucleotide(std::string_view key) {
    key = TrimmedView(key);
    for (const Replacement& r : kNeedsClass)
        if (EqualsIgnoringCase(r.old, key)) return Replaced(r, false);
    for (const Replacement& r : kNucleotideReplacements)
        if (EqualsIgnoringCase(r.old, key)) return Replaced(r, r.key != r.old);
    if (const auto known = Find(kNucleotideKeys, key)) return Mapped{std::string(*known), {}, {}, false};
    return std::nullopt;
}

std::optional<CSt26FeatureKeys::Mapped> CSt26FeatureKeys::Protein(std::string_view key, bool single) {
    key = TrimmedView(key);
    if (EqualsIgnoringCase(key, "misc_feature")) return Mapped{single ? "SITE" : "REGION", {}, {}, true};
    if (EqualsIgnoringCase(key, "mat_peptide")) return Mapped{"CHAIN", {}, {}, true};
    if (const auto known = Find(kProteinKeys, key)) return Mapped{std::string(*known), {}, {}, false};
    return std::nullopt;
}

std::optional<std::string> CSt26FeatureKeys::LeadingModifiedBase(std::string_view comment) {
    comment = TrimmedView(comment);
    size_t end = 0;
    while (end < comment.size() && !IsBlank(comment[end]) && comment[end] != ',' && comment[end] != ';') ++end;
    const std::string_view word = comment.substr(0, end);
    for (const std::string_view known : kModifiedBases)
        if (EqualsIgnoringCase(known, word)) return std::string(known);
    return std::nullopt;
}

}  // namespace qln
