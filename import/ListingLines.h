// The lines of a sequence listing as the listing parser sees them: read one
// at a time from the listing text (held whole, or read from a source a block
// at a time), cleaned of control characters and trimmed, with the services
// that tell what a line holds (its numeric identifier, the value after it,
// whether it is a line of residues or of position numbers). A line is a
// view of the text, copied only when control characters must come out of
// its middle.
#pragma once

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

#include "import/ImportChoices.h"
#include "import/ListingSource.h"
#include "import/ListingWindow.h"
#include "import/TextScan.h"

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

    // Where the reader stands (offsets count from the start of the text).
    struct Position {
        size_t offset = 0;     // byte offset of the next line
        int lineNumber = 0;    // lines read so far
        size_t charsRead = 0;  // characters of the lines read so far
        size_t threshold = 0;  // characters after which progress is reported
        int progressPosition = 1;
        bool atEnd = false;
        bool onlyBlankLines = true;
        // The current line is a stretch of the text, unless control
        // characters had to be taken out of its middle: then it is the
        // cleaned copy.
        size_t rawStart = 0;
        size_t rawLength = 0;
        bool rawIsCopy = false;
        std::string copy;
        size_t workingStart = 0;  // within the raw line
        size_t workingLength = 0;
    };

    // Starts over on a new text, which must outlive the reading; progress
    // (may be null) receives the position command as the text is read.
    void Start(std::string_view text, CImportProgress* progress);
    // The same for a text read from a source a block at a time; size is its
    // length as far as known, for the progress positions.
    void Start(CListingSource& source, size_t size, CImportProgress* progress);
    // Lets go of the text (and the source).
    void Stop();

    // Reads the next line. At the end of the text sets the end flag and
    // returns false, leaving the current line as it was. Inline for the
    // commonest case, a line of printable characters at hand up to its "\n".
    bool ReadLine() {
        const std::string_view bytes = window_.Bytes();
        const size_t start = pos_.offset - window_.Begin();
        const size_t end = textscan::FindUnprintable(bytes, start);
        if (end >= bytes.size() || bytes[end] != '\n') return ReadAnyLine();
        TakeCleanLine(window_.Begin() + start, end - start);
        return true;
    }
    bool AtEnd() const { return pos_.atEnd; }
    int GetLineNumber() const { return pos_.lineNumber; }
    // The current line without control characters: shown in messages.
    // Valid until the next line is read.
    // The stretches are in range by construction; asked several times for
    // every line, they are cut without checks.
    std::string_view GetRaw() const {
        if (pos_.rawIsCopy) return pos_.copy;
        return {window_.Bytes().data() + (pos_.rawStart - window_.Begin()), pos_.rawLength};
    }
    // The same, trimmed: what the parser works on.
    std::string_view GetWorking() const { return {GetRaw().data() + pos_.workingStart, pos_.workingLength}; }
    // True until a line with anything but blanks was read.
    bool OnlyBlankLines() const { return pos_.onlyBlankLines; }

    // A look-ahead: the lines read after BeginLookAhead stay at hand, and
    // EndLookAhead makes the line that was current then current again.
    // Within it, Save and Restore go to any line read since it began.
    void BeginLookAhead();
    void EndLookAhead();
    // Ends the look-ahead where it stands: the lines read in it stay read.
    void KeepLookAhead() { keepFrom_ = kNothingHeld; }
    // The bytes read since the look-ahead began, all of them held.
    size_t LookAheadLength() const { return pos_.offset - lookAheadStart_.offset; }
    Position Save() const { return pos_; }
    void Restore(const Position& position) { pos_ = position; }

    // ---- line services ----
    // The numeric identifier of a trimmed line ("<210>  5" gives 210), or -1
    // when the line has none. Values too large for an int are clamped.
    // The digits lie between the first character and the first ">", blanks
    // ignored; most lines are told apart by their second character alone.
    // Inline, as every line is asked.
    static int NumericIdentifier(std::string_view line) {
        if (line.empty()) return -1;
        if (line[0] != '<' && line.size() < 5) return -1;
        if (line[0] == '>') return -1;
        size_t first = 1;
        while (first < line.size() && line[first] == ' ') ++first;
        if (first == line.size() || !textscan::IsDigit(line[first])) return -1;
        const size_t close = line.find('>', first);
        if (close == std::string_view::npos) return -1;
        long long value = 0;
        for (size_t i = first; i < close; ++i) {
            if (line[i] == ' ') continue;
            if (!textscan::IsDigit(line[i])) break;
            value = value * 10 + (line[i] - '0');
            if (value > INT_MAX) return INT_MAX;
        }
        return static_cast<int>(value);
    }
    // The value of an identifier line: what follows the first five
    // characters, trimmed, with the identifier's field-description label
    // removed.
    static std::string_view IdentifierValue(std::string_view working, int identifier);
    // Removes the label of the identifier from the front of the value (any
    // letter case) and trims the rest.
    static std::string_view RemoveLabel(int identifier, std::string_view value);
    // The field-description label of an identifier ("Title of Invention:"),
    // empty for identifiers that have none.
    static const char* Label(int identifier);
    // The name messages give the identifier's data ("Title of Invention").
    static const char* DataItemName(int identifier);
    // Classifies a trimmed line of the residue section; text receives the
    // line without blanks (and, for kTextWithCount, without its count; for
    // kNumbersOnly it is empty).
    static LineType ClassifyLine(std::string_view working, std::string& text);
    // The same without copying: text receives the stretch of the line that
    // holds its text, blanks included (empty for kNumbersOnly).
    static LineType ClassifyLine(std::string_view working, std::string_view& text);
    // Appends the text without its blanks.
    static void AppendWithoutBlanks(std::string_view text, std::string& out);
    // The leading decimal digits of a text, clamped to the int range; 0 when
    // it does not start with a digit.
    static int LeadingNumber(std::string_view text);

private:
    static size_t CompactWithoutBlanks(std::string_view text, char* out);
    static size_t SkipGapsBetweenTriples(std::string_view text, size_t i, char*& next);
    void Begin(size_t size, CImportProgress* progress);
    bool ReadAnyLine();
    bool More();
    size_t FindLineEnd(size_t start, size_t& firstUnprintable);
    void ReportProgress();
    void TakeLine(size_t start, size_t firstUnprintable, size_t end);

    // The line of length printable characters at start, ended by a "\n".
    void TakeCleanLine(size_t start, size_t length) {
        pos_.offset = start + length + 1;
        ++pos_.lineNumber;
        pos_.charsRead += length;
        if (pos_.charsRead > pos_.threshold) ReportProgress();
        pos_.rawStart = start;
        pos_.rawLength = length;
        pos_.rawIsCopy = false;
        SetWorking();
    }
    // Sets the working line from the raw one.
    // Most lines neither start nor end with a blank: that is tested first.
    void SetWorking() {
        const std::string_view raw = GetRaw();
        const size_t first = raw.empty() || raw.front() != ' ' ? 0 : textscan::SkipBlanks(raw, 0);
        const size_t end = first == raw.size() || raw.back() != ' ' ? raw.size()
                                                                    : textscan::WithoutTrailingBlanks(raw, first);
        pos_.workingStart = first;
        pos_.workingLength = end - first;
        if (pos_.workingLength > 0) pos_.onlyBlankLines = false;
    }

    static constexpr size_t kNothingHeld = static_cast<size_t>(-1);

    CListingWindow window_;
    CImportProgress* progress_ = nullptr;
    size_t step_ = 0;
    Position pos_;
    Position lookAheadStart_;
    size_t keepFrom_ = kNothingHeld;  // where the look-ahead began
};

}  // namespace qln
