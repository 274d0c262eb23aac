#include "export/St26FeatureKeys.h"

#include "export/St26Vocabulary.h"
#include "model/AsciiText.h"

namespace qln {

namespace {

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
    // A project cannot give the gap type and linkage an assembly gap needs.
    {"assembly_gap", "gap", "", ""},
};

// mod_base abbreviations older lists spell differently.
constexpr std::pair<std::string_view, std::string_view> kOldModifiedBases[] = {
    {"d", "dhu"}, {"t", "m5u"}, {"galq", "gal q"}, {"manq", "man q"}};

bool EndsTerm(std::string_view comment, size_t at) {
    return at == comment.size() || IsBlank(comment[at]) || comment[at] == ',' || comment[at] == ';';
}

}  // namespace

std::optional<CSt26FeatureKeys::Mapped> CSt26FeatureKeys::Nucleotide(std::string_view key) {
    key = TrimmedView(key);
    for (const Replacement& r : kNucleotideReplacements)
        if (EqualsIgnoringCase(r.old, key))
            return Mapped{std::string(r.key), std::string(r.qualifier), std::string(r.value), r.key != r.old};
    if (const auto known = CSt26Vocabulary::NucleotideKey(key)) return Mapped{std::string(*known), {}, {}, false};
    return std::nullopt;
}

std::optional<CSt26FeatureKeys::Mapped> CSt26FeatureKeys::Protein(std::string_view key, bool single) {
    key = TrimmedView(key);
    if (EqualsIgnoringCase(key, "misc_feature")) return Mapped{single ? "SITE" : "REGION", {}, {}, true};
    if (EqualsIgnoringCase(key, "mat_peptide")) return Mapped{"CHAIN", {}, {}, true};
    if (const auto known = CSt26Vocabulary::ProteinKey(key)) return Mapped{std::string(*known), {}, {}, false};
    return std::nullopt;
}

std::optional<CSt26FeatureKeys::Leading> CSt26FeatureKeys::LeadingTerm(std::string_view qualifier,
                                                                       std::string_view comment) {
    comment = TrimmedView(comment);
    std::optional<std::string_view> found;
    size_t end = 0;
    const auto consider = [&](std::string_view written, std::string_view term) {
        // The longest term wins: "gal q" over "g...", "LINE" is not "L".
        if (written.size() <= end || !StartsWithIgnoringCase(comment, written)) return;
        const bool named = qualifier == "mobile_element_type" && written.size() < comment.size() &&
                           comment[written.size()] == ':';
        if (!named && !EndsTerm(comment, written.size())) return;
        found = term;
        end = written.size();
    };
    for (const std::string_view term : CSt26Vocabulary::Terms(qualifier)) consider(term, term);
    if (qualifier == "mod_base")
        for (const auto& [old, current] : kOldModifiedBases) consider(old, current);
    if (!found) return std::nullopt;
    std::string term(*found);
    if (qualifier == "mobile_element_type" && end < comment.size() && comment[end] == ':') {
        const size_t nameEnd = [&] {
            size_t at = end + 1;
            while (!EndsTerm(comment, at)) ++at;
            return at;
        }();
        term += std::string(comment.substr(end, nameEnd - end));
        end = nameEnd;
    }
    std::string_view rest = comment.substr(end);
    while (!rest.empty() && (IsBlank(rest.front()) || rest.front() == ',' || rest.front() == ';'))
        rest.remove_prefix(1);
    return Leading{std::move(term), std::string(rest)};
}

}  // namespace qln
