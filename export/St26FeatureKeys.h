// How the feature keys of a project (those of ST.25 listings among them)
// become the keys of an ST.26 listing, and the controlled terms a comment
// may begin with to give the qualifier a key needs.
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
        std::string qualifierName;  // empty when none is added
        std::string qualifierValue;
        bool renamed = false;  // not just the spelling changed
    };

    // Keys are matched without regard to case. For a protein, a mature
    // peptide becomes CHAIN and a misc_feature becomes SITE at one position
    // (single) or REGION over a range. Nothing for a key ST.26 does not have.
    static std::optional<Mapped> Nucleotide(std::string_view key);
    static std::optional<Mapped> Protein(std::string_view key, bool single);

    // The term of a controlled qualifier that a comment begins with
    // ("m5c methylated", "gal q", "transposon:Tn5 with kanR"), in its
    // current spelling, and the rest of the comment.
    struct Leading {
        std::string term;
        std::string rest;
    };
    static std::optional<Leading> LeadingTerm(std::string_view qualifier, std::string_view comment);
};

}  // namespace qln
