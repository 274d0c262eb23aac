#include "import/ListingLines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <climits>
#include <iterator>

#include "import/TextScan.h"
#include "model/AsciiText.h"

namespace qln {

using namespace textscan;

namespace {

struct LabelEntry {
    int identifier;
    const char* label;
    const char* dataItemName;
};

constexpr LabelEntry kLabels[] = {
    {110, "Applicant:", "Applicant Name"},
    {120, "Title of Invention:", "Title of Invention"},
    {130, "File Reference:", "File Reference"},
    {140, "Current Application Number:", "Current Application Number"},
    {141, "Current Filing Date:", "Current Filing Date"},
    {150, "Prior Application Number:", "Prior Application Number"},
    {151, "Prior Filing Date:", "Prior Filing Date"},
    {160, "Number of SEQ ID NOs:", "Number of SEQ IDs"},
    {170, "Software:", "Software"},
    {210, "SEQ ID NO", "Sequence ID"},
    {211, "Length:", "Length"},
    {212, "Type:", "Sequence Type"},
    {213, "Organism:", "Organism"},
    {220, "Feature:", "Feature"},
    {221, "Name/key:", "Feature Name/key"},
    {222, "Location:", "Feature Name/key Location"},
    {223, "Other information:", "Other Information"},
    {300, "Publication information:", "Publication Information"},
    {301, "Authors:", "Authors"},
    {302, "Title:", "Title"},
    {303, "Journal:", "Journal"},
    {304, "Volume:", "Volume"},
    {305, "Issue:", "Issue"},
    {306, "Pages:", "Pages"},
    {307, "Date:", "Date"},
    {308, "Database accession number:", "Database Accession Number"},
    {309, "Database entry date:", "Database Entry Date"},
    {310, "Document number:", "Document Number"},
    {311, "Filing date:", "Filing Date"},
    {312, "Publication date:", "Publication Date"},
    {313, "Relevant residues:", "Relevant Residues"},
    {400, "Sequence:", "Sequence ID"},
};

constexpr int kFirstLabelled = 110;
constexpr int kLastLabelled = 400;

// Every identifier line asks, so the entries are found by index: the
// position in kLabels of each identifier from 110 to 400, -1 for those
// without a label.
struct LabelIndex {
    signed char position[kLastLabelled - kFirstLabelled + 1];
    constexpr LabelIndex() : position() {
        for (signed char& p : position) p = -1;
        for (size_t i = 0; i < std::size(kLabels); ++i)
            position[kLabels[i].identifier - kFirstLabelled] = static_cast<signed char>(i);
    }
};
constexpr LabelIndex kLabelIndex;

const LabelEntry* FindLabel(int identifier) {
    if (identifier < kFirstLabelled || identifier > kLastLabelled) return nullptr;
    const int position = kLabelIndex.position[identifier - kFirstLabelled];
    return position < 0 ? nullptr : &kLabels[position];
}

}  // namespace

void CListingLines::Start(std::string_view text, CImportProgress* progress) {
    window_.Open(text);
    Begin(text.size(), progress);
}

void CListingLines::Start(CListingSource& source, size_t size, CImportProgress* progress) {
    window_.Open(source);
    Begin(size, progress);
}

void CListingLines::Begin(size_t size, CImportProgress* progress) {
    progress_ = progress;
    step_ = size / 100;
    pos_ = Position{};
    pos_.threshold = step_;
    lookAheadStart_ = Position{};
    keepFrom_ = kNothingHeld;
}

void CListingLines::Stop() {
    window_.Close();
    Begin(0, nullptr);
}

// Any line: one with control characters, one that runs past what is at
// hand, the last one, or none at the end.
bool CListingLines::ReadAnyLine() {
    const size_t start = pos_.offset;
    if (start == window_.End() && !More()) {
        pos_.atEnd = true;
        return false;
    }
    size_t unprintable = 0;
    const size_t end = FindLineEnd(start, unprintable);
    pos_.offset = end == window_.End() ? end : end + 1;

    ++pos_.lineNumber;
    pos_.charsRead += end - start;
    ReportProgress();
    TakeLine(start, unprintable, end);
    return true;
}

// The current line and a look-ahead stay at hand.
bool CListingLines::More() { return window_.Extend(std::min(pos_.rawStart, keepFrom_)); }

// Where the line from start ends: its "\n", or the end of the text. The line
// end is a control character too, so one scan finds the end of a clean line
// and its first unprintable byte.
size_t CListingLines::FindLineEnd(size_t start, size_t& firstUnprintable) {
    size_t from = start;
    while (true) {
        firstUnprintable = window_.Begin() + FindUnprintable(window_.Bytes(), from - window_.Begin());
        if (firstUnprintable < window_.End() || !More()) break;
        from = firstUnprintable;
    }
    if (firstUnprintable == window_.End() || window_.At(firstUnprintable) == '\n') return firstUnprintable;
    from = firstUnprintable;
    while (true) {
        const size_t newline = window_.Bytes().find('\n', from - window_.Begin());
        if (newline != std::string_view::npos) return window_.Begin() + newline;
        from = window_.End();
        if (!More()) return from;
    }
}

void CListingLines::BeginLookAhead() {
    lookAheadStart_ = pos_;
    keepFrom_ = pos_.rawStart;
}

void CListingLines::EndLookAhead() {
    pos_ = lookAheadStart_;
    keepFrom_ = kNothingHeld;
}

// A long line can pass several thresholds at once; the positions run from 1
// to 100 at most.
void CListingLines::ReportProgress() {
    if (step_ == 0) return;
    while (pos_.charsRead > pos_.threshold && pos_.progressPosition <= 100) {
        pos_.threshold += step_;
        if (progress_) progress_->Command(CImportProgress::kProgressPosition, pos_.progressPosition);
        ++pos_.progressPosition;
    }
}

// The line from start to end, whose first unprintable byte is at
// firstUnprintable. Only control characters in its middle need a copy: those
// at its end, such as a carriage return, are left out of the stretch.
void CListingLines::TakeLine(size_t start, size_t firstUnprintable, size_t end) {
    size_t next = firstUnprintable;
    while (next < end && !IsPrintable(window_.At(next))) ++next;
    pos_.rawStart = start;
    pos_.rawIsCopy = next < end;
    if (pos_.rawIsCopy) {
        pos_.copy.clear();
        for (size_t i = start; i < end; ++i)
            if (IsPrintable(window_.At(i))) pos_.copy += window_.At(i);
    } else {
        pos_.rawLength = firstUnprintable - start;
    }
    SetWorking();
}

int CListingLines::LeadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

// A working line is trimmed already: mostly only the blanks after the first
// five characters are left to skip.
std::string_view CListingLines::IdentifierValue(std::string_view working, int identifier) {
    if (working.size() < 6) return {};
    std::string_view value = working.substr(SkipBlanks(working, 5));
    if (!value.empty() && value.back() == ' ') value = value.substr(0, WithoutTrailingBlanks(value, 0));
    return RemoveLabel(identifier, value);
}

std::string_view CListingLines::RemoveLabel(int identifier, std::string_view value) {
    const LabelEntry* entry = FindLabel(identifier);
    // The writer puts no labels: most values differ at once.
    if (!entry || value.empty() || ToLowerAscii(value[0]) != ToLowerAscii(entry->label[0]) ||
        !StartsWithIgnoringCase(value, entry->label))
        return value;
    return SpaceTrimmedView(value.substr(std::string_view(entry->label).size()));
}

const char* CListingLines::Label(int identifier) {
    const LabelEntry* entry = FindLabel(identifier);
    return entry ? entry->label : "";
}

const char* CListingLines::DataItemName(int identifier) {
    const LabelEntry* entry = FindLabel(identifier);
    return entry ? entry->dataItemName : "";
}

CListingLines::LineType CListingLines::ClassifyLine(std::string_view working, std::string& text) {
    std::string_view stretch;
    const LineType type = ClassifyLine(working, stretch);
    text.clear();
    AppendWithoutBlanks(stretch, text);
    return type;
}

// The running count is the run of digits and blanks at the end; the rest of
// the line decides the type. A line of text ends in a character that is
// neither a digit, a blank nor "-": that alone settles it.
CListingLines::LineType CListingLines::ClassifyLine(std::string_view working, std::string_view& text) {
    const size_t end = WithoutTrailingDigits(working);
    size_t last = working.size();
    while (last > end && working[last - 1] == ' ') --last;
    const bool counted = last > end;
    const std::string_view rest = working.substr(0, end);
    if (!counted && !HasDigit(rest)) {
        text = working;
        return kNoDigits;
    }
    const bool textual = (end > 0 && working[end - 1] != '-') || HasNonNumeric(rest);
    if (!textual) {
        text = {};
        return kNumbersOnly;
    }
    text = counted ? rest : working;
    return counted ? kTextWithCount : kTextOnly;
}

// Eight bytes at a time, for the shapes the writer gives its lines: groups
// of ten and a blank (nucleotides), groups of three and a blank (codons and
// amino acids) and the blanks that pad a line. Otherwise the bytes before
// the first blank are kept and the next word starts after it. Whole words are
// stored: out must have room for eight bytes past the text's length.
// Returns the number of bytes kept.
size_t CListingLines::CompactWithoutBlanks(std::string_view text, char* out) {
    char* next = out;
    const char* in = text.data();
    size_t i = 0;
    while (i + 11 <= text.size() && in[i + 10] == ' ') {
        const uint64_t head = LoadWord(in + i);
        const uint64_t tail = LoadWord(in + i + 2);
        if (EqualMask(head, ' ') | EqualMask(tail, ' ')) break;
        std::memcpy(next, &head, sizeof head);
        std::memcpy(next + 2, &tail, sizeof tail);
        next += 10;
        i += 11;
    }
    constexpr uint64_t kAfterTriples = std::endian::native == std::endian::little ? 0x8000000080000000ULL
                                                                                  : 0x0000008000000080ULL;
    while (i + 8 <= text.size()) {
        uint64_t word = LoadWord(in + i);
        const uint64_t blanks = EqualMask(word, ' ');
        if (blanks == 0) {
            std::memcpy(next, &word, sizeof word);
            next += 8;
            i += 8;
        } else if (blanks == kAfterTriples) {
            std::memcpy(next, &word, 3);
            std::memcpy(next + 3, in + i + 4, 3);
            next += 6;
            i += 8;
        } else if (blanks == kTops) {
            i += 8;
        } else {
            const unsigned kept = FirstFlagged(blanks);
            std::memcpy(next, &word, sizeof word);
            next += kept;
            i += kept + 1;
            if (i < text.size() && in[i] == ' ') i = SkipGapsBetweenTriples(text, i, next);
        }
    }
    for (; i < text.size(); ++i) {
        const char c = in[i];
        *next = c;
        next += c != ' ';
    }
    return static_cast<size_t>(next - out);
}

// Where codon ordinals get long, the writer leaves a wider gap after some
// groups of three. From such a gap on the groups are taken one by one, the
// extra blanks stepped over without a branch to mispredict; stops at what is
// neither. Returns where it stopped; next moves past the kept bytes.
size_t CListingLines::SkipGapsBetweenTriples(std::string_view text, size_t i, char*& next) {
    const char* in = text.data();
    while (i + 4 <= text.size()) {
        const bool gap = in[i] == ' ';
        const bool triple = (in[i + 3] == ' ') & (in[i] != ' ') & (in[i + 1] != ' ') & (in[i + 2] != ' ');
        if (!(gap | triple)) break;
        std::memcpy(next, in + i, 4);
        next += triple ? 3 : 0;
        i += triple ? 4 : 1;
    }
    return i;
}

// A line is laid out on the stack and appended in one piece: growing the
// string to lay it out in place would first fill the room with zeros.
void CListingLines::AppendWithoutBlanks(std::string_view text, std::string& out) {
    constexpr size_t kRoom = 256;
    if (text.size() + sizeof(uint64_t) <= kRoom) {
        char line[kRoom];
        out.append(line, CompactWithoutBlanks(text, line));
        return;
    }
    const size_t base = out.size();
    out.resize(base + text.size() + sizeof(uint64_t));
    out.resize(base + CompactWithoutBlanks(text, out.data() + base));
}

}  // namespace qln
