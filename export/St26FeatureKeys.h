// The feature keys of an ST.26 listing: the nucleotide keys (INSDC) and the
// amino acid keys, how the keys of an ST.25 listing become them, and the
// abbreviations of modified bases.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qln {

class CSt26FeatureKeys {
public:
    // A project's key in ST.26 form. A qualifier the new key needs (such
    // as regulatory_class for a former "promoter") comes with it.
    struct Mapped {
        std::string key;
        std::string qualifierName;   // empty when none is added
        std::string qualifierValue;
        bool renamed = false;  // not just the spelling changed
    };

    // Keys are matched without regard to case. For a protein, a mature
    // peptide becomes CHAIN and a misc_feature becomes SITE at one position
    // (single) or REGION over a range. Nothing for a key ST.26 does not have.
    static std::optional<Mapped> Nucleotide(std::string_view key);
    static std::optional<Mapped> Protein(std::string_view key, bool single);

    // The mod_base abbreviation a comment begins with ("m5c methylated"),
    // lower case, or nothing.
    static std::optional<std::string> LeadingModifiedBase(std::string_view comment);
};

}  // namespace qln
