// The fixed code tables of codon translation: codon to amino acid (including
// the ambiguity codes the table knows), the stop codons, and what each
// nucleotide code letter stands for in DNA, RNA and DNA/RNA.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qln {

class CCodeTables {
public:
    using CodonMap = std::map<std::string, std::string, std::less<>>;
    using ExpansionMap = std::map<char, std::string>;

    // What a stop codon translates to.
    static constexpr const char* kStopTranslation = "   ";
    // What a codon no table knows translates to.
    static constexpr const char* kUnknownAminoAcid = "Xaa";

    // The tables, built on first use (thread-safe) and kept for the run.
    static const CCodeTables& Get();

    CCodeTables(const CCodeTables&) = delete;
    CCodeTables& operator=(const CCodeTables&) = delete;

    // The three-letter amino acid of a codon (three spaces for a stop codon),
    // or null when the table does not hold it. Exact match: lower case only.
    const std::string* FindAminoAcid(std::string_view codon) const;
    const CodonMap& GetCodonTable() const { return codons_; }

    // One of uaa uga uag taa tga tag, compared exactly.
    static bool IsStopCodon(std::string_view codon);

    // The bases a code letter stands for in a sequence of the given type name
    // ("DNA", "RNA" or "DNA/RNA"). A letter that is no code of that kind, or
    // an unknown type name, stands for no base and gives an empty text.
    std::string_view Expand(std::string_view typeName, char code) const;
    // The whole expansion table of a type name, or null for an unknown one.
    const ExpansionMap* GetExpansions(std::string_view typeName) const;

private:
    CCodeTables();

    CodonMap codons_;
    ExpansionMap dna_;
    ExpansionMap rna_;
    ExpansionMap dnaRna_;
};

}  // namespace qln
