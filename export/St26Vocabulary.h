// The controlled vocabulary of ST.26 listings: the feature keys of
// nucleotide and amino acid sequences, the qualifiers with the kind of value
// each takes, what each key must and may carry, the lists of controlled
// values and the genetic code numbers. The nucleotide lists are those of the
// INSDC feature table (11.3), on which the standard's own lists build; the
// amino acid qualifiers are the three the standard has. Names are matched
// without regard to case and come back in their canonical spelling.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace qln {

class CSt26Vocabulary {
public:
    // What a qualifier's value is made of.
    enum class Value {
        FreeText,    // text, language-dependent for some
        Controlled,  // a term of a list, sometimes with a free part after it
        Flag,        // no value
        Number,      // an integer
        Location,    // a location or a structured value holding one
        Structured,  // a fixed pattern (dates, EC numbers, ...)
        Residues,    // sequence letters
    };

    struct Qualifier {
        std::string_view name;
        Value value;
        // Database bookkeeping that a patent listing has no use for.
        bool bookkeeping = false;
    };

    static std::optional<std::string_view> NucleotideKey(std::string_view key);
    static std::optional<std::string_view> ProteinKey(std::string_view key);

    // The qualifier, or null for a name that no list has. For amino acid
    // sequences only organism, mol_type and note exist.
    static const Qualifier* NucleotideQualifier(std::string_view name);
    static const Qualifier* ProteinQualifier(std::string_view name);

    // The qualifiers a nucleotide key cannot go without (canonical key).
    static std::span<const std::string_view> MandatoryQualifiers(std::string_view key);
    // Whether the feature table lists the qualifier for the nucleotide key;
    // unknown keys list nothing.
    static bool ListsQualifier(std::string_view key, std::string_view qualifier);

    // Qualifiers whose value may also be given in a non-English form.
    static bool IsLanguageDependent(std::string_view qualifier);

    // The terms of a controlled qualifier (in the canonical case), empty for
    // one without a fixed list. Terms the INSDC lists took in only lately
    // are listed apart: WIPO's list may not know them yet.
    static std::span<const std::string_view> Terms(std::string_view qualifier);
    static std::span<const std::string_view> RecentTerms(std::string_view qualifier);
    // The term of the list that matches the value without regard to case.
    static std::optional<std::string_view> Term(std::string_view qualifier, std::string_view value);

    // Genetic code numbers of transl_table.
    static bool IsGeneticCode(int number);
};

}  // namespace qln
