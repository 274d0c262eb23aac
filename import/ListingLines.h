// The lines of a sequence listing as the listing parser sees them: read one
// at a time from the listing text, cleaned of control characters and
// trimmed, with the services that tell what a line holds (its numeric
// identifier, the value after it, whether it is a line of residues or of
// position numbers).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "import/ImportChoices.h"

namespace qln {

class CListingLines {
public:
    // What a line of the residue section holds (ClassifyLine).
    enum LineType {
        kNoDigits = 0,       // letters only, such as a line of amino acids
        kNumbersOnly = 1,    // position numbers (spaces and "-" ignored)
        kTextWithCount = 2,  // residues followed by their running count
        kTextOnly = 3,       // text that does not end in a digit
    };

    // Where the reader stands; Save and Restore go back to an earlier line.
    struct Position {
        size_t offset = 0;      // byte offset of the next line
        int lineNumber = 0;     // lines read so far
        size_t charsRead = 0;   // characters of the lines read so far
        size_t threshold = 0;   // characters after which progress is reported
        int progressPosition = 1;
        bool atEnd = false;
        bool onlyBlankLines = true;
        std::string raw;
        std::string working;
    };

    // Starts over on a new text; progress (may be null) receives the
    // position command as the text is read.
    void Start(std::string_view text, CImportProgress* progress);

    // Reads the next line. At the end of the text sets the end flag and
    // returns false, leaving the current line as it was.
    bool ReadLine();
    bool AtEnd() const { return pos_.atEnd; }
    int GetLineNumber() const { return pos_.lineNumber; }
    // The current line without control characters: shown in messages.
    const std::string& GetRaw() const { return pos_.raw; }
    // The same, trimmed: what the parser works on.
    const std::string& GetWorking() const { return pos_.working; }
    // True until a line with anything but blanks was read.
    bool OnlyBlankLines() const { return pos_.onlyBlankLines; }

    Position Save() const { return pos_; }
    void Restore(const Position& position) { pos_ = position; }

    // ---- line services ----
    // Keeps only the printable ASCII characters (codes 32 to 126).
    static std::string RemoveControlChars(std::string_view line);
    // Blanks removed at both ends.
    static std::string Trim(std::string_view text);
    // The numeric identifier of a trimmed line ("<210>  5" gives 210), or -1
    // when the line has none. Values too large for an int are clamped.
    static int NumericIdentifier(const std::string& working);
    // The value of an identifier line: what follows the first five
    // characters, trimmed, with the identifier's field-description label
    // removed.
    static std::string IdentifierValue(const std::string& working, int identifier);
    // Removes the label of the identifier from the front of the value (any
    // letter case) and trims the rest.
    static std::string RemoveLabel(int identifier, const std::string& value);
    // The field-description label of an identifier ("Title of Invention:"),
    // empty for identifiers that have none.
    static const char* Label(int identifier);
    // The name messages give the identifier's data ("Title of Invention").
    static const char* DataItemName(int identifier);
    // Classifies a trimmed line of the residue section; text receives the
    // line without blanks (and, for kTextWithCount, without its count; for
    // kNumbersOnly it is empty).
    static LineType ClassifyLine(const std::string& working, std::string& text);
    // The leading decimal digits of a text, clamped to the int range; 0 when
    // it does not start with a digit.
    static int LeadingNumber(std::string_view text);

private:
    std::string_view text_;
    CImportProgress* progress_ = nullptr;
    size_t step_ = 0;
    Position pos_;
};

}  // namespace qln
