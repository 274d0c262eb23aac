// What happens to a character typed into the sequence editor, and the residue
// count that typing keeps up to date key by key.
#pragma once

#include <cstdint>
#include <string>

namespace qln {

class CSequence;

class CTypingFilter {
public:
    static constexpr char kBackspace = '\b';
    // The most residues the editor holds; more is refused, never cut.
    static constexpr int64_t kMaxResidues = 100'000'000;

    enum class Action {
        Discard,  // no sequence to type into
        Beep,     // not a letter of the sequence's alphabet
        TooLong,  // the editor is full
        Insert,   // insert character (backspace: let the editor delete)
    };
    struct Decision {
        Action action = Action::Discard;
        char character = 0;  // converted to the sequence's letter case
        int countChange = 0;
    };

    // sequence may be null; residueCount is the count before the key.
    static Decision Filter(const CSequence* sequence, char typed, int64_t residueCount);

    // Protein residues are upper case, nucleotides lower case.
    static bool IsProteinType(const std::string& typeText);
    static char ToSequenceCase(const std::string& typeText, char c);
    static std::string ToSequenceCase(const std::string& typeText, std::string text);
};

// The "String Length" of the view: follows each key, is set again from the
// sequence on selection, paste, validation and save, and never goes below 0.
class CResidueCounter {
public:
    int64_t Count() const { return count_; }
    void Set(int64_t count) { count_ = count < 0 ? 0 : count; }
    void Change(int delta) { Set(count_ + delta); }

private:
    int64_t count_ = 0;
};

}  // namespace qln
