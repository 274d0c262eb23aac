// What the custom codon screen decides, apart from its widgets: the amino
// acids it offers, which typed characters a codon may hold, whether a codon
// can go into the table, and what OK does with a codon still in the field.
#pragma once

#include <string>
#include <vector>

#include "model/Sequence.h"

namespace qln {

struct CCustomCodon {
    std::string codon;      // lower case
    std::string aminoAcid;  // three-letter code
    bool operator==(const CCustomCodon&) const = default;
};

class CCustCodonRules {
public:
    static constexpr int kAminoAcidCount = 23;
    static const char* const kAminoAcids[kAminoAcidCount];
    static constexpr const char* kInvalidCharacter = "Invalid sequence character.";
    static constexpr const char* kWrongLength = "The Custom Codon requires 3 characters.";

    // A character typed into the codon field: a letter of the sequence's
    // own alphabet, in either case.
    static bool AcceptsCharacter(const CSequence& sequence, char c);
    static bool AcceptsText(const CSequence& sequence, const std::string& text);

    enum class Verdict {
        Empty,        // nothing but blanks
        WrongLength,  // anything but three letters
        Duplicate,    // already in the table
        Valid,
    };
    struct Check {
        Verdict verdict = Verdict::Empty;
        std::string codon;        // blanks removed, lower case
        int duplicateIndex = -1;  // the entry it duplicates
    };
    // The check before Insert, Replace and OK; the entry at ignoredIndex
    // (the row a Replace takes the place of) does not count as a duplicate.
    static Check CheckCodon(const std::string& typed, const std::vector<CCustomCodon>& codons, int ignoredIndex = -1);
    static std::string DuplicateMessage(const CCustomCodon& existing);

    // OK with the field as checked, the selected row at currentIndex (-1
    // for none). A codon that is the selected row's own is already in the
    // table, and one left from a deleted row is no longer wanted: the screen
    // closes without inserting either.
    enum class OkStep { Close, InsertThenClose, StayOpen };
    static OkStep OnOK(const Check& check, int currentIndex, bool fieldHoldsDeletedRow = false);

    // The table as the grid lists it: grouped by amino acid in the order of
    // the list above (codons of any other amino acid last), each group in
    // its existing order.
    static std::vector<CCustomCodon> Grouped(std::vector<CCustomCodon> codons);
    static std::vector<CCustomCodon> FromTable(const CBaseSequence::CodonTable& table);
    static CBaseSequence::CodonTable ToTable(const std::vector<CCustomCodon>& codons);
};

}  // namespace qln
