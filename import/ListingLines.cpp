#include "import/ListingLines.h"

#include <climits>

namespace qln {

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

const LabelEntry* FindLabel(int identifier) {
    for (const LabelEntry& entry : kLabels)
        if (entry.identifier == identifier) return &entry;
    return nullptr;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

std::string WithoutChar(std::string_view text, char removed) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != removed) out += c;
    return out;
}

}  // namespace

void CListingLines::Start(std::string_view text, CImportProgress* progress) {
    text_ = text;
    progress_ = progress;
    step_ = text.size() / 100;
    pos_ = Position{};
    pos_.threshold = step_;
}

bool CListingLines::ReadLine() {
    if (pos_.offset >= text_.size()) {
        pos_.atEnd = true;
        return false;
    }
    const size_t end = text_.find('\n', pos_.offset);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    const std::string_view line = text_.substr(pos_.offset, stop - pos_.offset);
    pos_.offset = end == std::string_view::npos ? text_.size() : end + 1;

    ++pos_.lineNumber;
    pos_.charsRead += line.size();
    // A long line can pass several thresholds at once; the positions run
    // from 1 to 100 at most.
    if (step_ > 0) {
        while (pos_.charsRead > pos_.threshold && pos_.progressPosition <= 100) {
            pos_.threshold += step_;
            if (progress_) progress_->Command(CImportProgress::kProgressPosition, pos_.progressPosition);
            ++pos_.progressPosition;
        }
    }

    pos_.raw = RemoveControlChars(line);
    pos_.working = Trim(pos_.raw);
    if (!pos_.working.empty()) pos_.onlyBlankLines = false;
    return true;
}

std::string CListingLines::RemoveControlChars(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code <= 126) out += c;
    }
    return out;
}

std::string CListingLines::Trim(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    return std::string(text.substr(first, last - first));
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

int CListingLines::NumericIdentifier(const std::string& working) {
    const std::string_view line = working;
    if (line.empty()) return -1;
    if (line[0] != '<' && line.size() < 5) return -1;
    const size_t close = line.find('>');
    if (close == std::string_view::npos || close == 0) return -1;
    const std::string digits = WithoutChar(line.substr(1, close - 1), ' ');
    if (digits.empty() || !IsDigit(digits[0])) return -1;
    return LeadingNumber(digits);
}

std::string CListingLines::IdentifierValue(const std::string& working, int identifier) {
    if (working.size() < 6) return {};
    return RemoveLabel(identifier, Trim(std::string_view(working).substr(5)));
}

std::string CListingLines::RemoveLabel(int identifier, const std::string& value) {
    const LabelEntry* entry = FindLabel(identifier);
    if (!entry || !StartsWithIgnoringCase(value, entry->label)) return value;
    return Trim(std::string_view(value).substr(std::string_view(entry->label).size()));
}

const char* CListingLines::Label(int identifier) {
    const LabelEntry* entry = FindLabel(identifier);
    return entry ? entry->label : "";
}

const char* CListingLines::DataItemName(int identifier) {
    const LabelEntry* entry = FindLabel(identifier);
    return entry ? entry->dataItemName : "";
}

CListingLines::LineType CListingLines::ClassifyLine(const std::string& working, std::string& text) {
    const std::string compact = WithoutChar(working, ' ');
    bool anyDigit = false;
    for (char c : compact)
        if (IsDigit(c)) anyDigit = true;
    if (!anyDigit) {
        text = compact;
        return kNoDigits;
    }

    const std::string numbers = WithoutChar(compact, '-');
    bool digitsOnly = !numbers.empty() && IsDigit(numbers[0]);
    for (char c : numbers)
        if (!IsDigit(c)) digitsOnly = false;
    if (digitsOnly) {
        text.clear();
        return kNumbersOnly;
    }

    if (!IsDigit(compact.back())) {
        text = compact;
        return kTextOnly;
    }
    size_t end = compact.size();
    while (end > 0 && IsDigit(compact[end - 1])) --end;
    text = compact.substr(0, end);
    return kTextWithCount;
}

}  // namespace qln
