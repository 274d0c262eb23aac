#include "export/St26EntryReport.h"

#include "export/St26Text.h"
#include "model/AsciiText.h"

namespace qln {

using Severity = CSt26Report::Severity;
using Kind = CSt26Report::Kind;

void CSt26EntryReport::Add(std::string element, std::string oldValue, std::string newValue, std::string rule,
                           Severity severity, Kind kind) {
    report_.Add(CSt26Report::Item{seqId_, sequenceName_, std::move(element), std::move(oldValue), std::move(newValue),
                                  std::move(rule), severity, kind});
}

bool CSt26EntryReport::FreeText(const std::string& text, const std::string& element, std::string& out) {
    constexpr size_t kMaxFreeText = 1000;
    const auto folded = CSt26Text::FoldFreeText(TrimmedView(text));
    if (!folded.text) {
        Add(element, text, {}, "characters outside printable Basic Latin; 40", Severity::Error, Kind::Problem);
        return false;
    }
    if (folded.text->size() > kMaxFreeText) {
        Add(element, text.substr(0, 40) + "...", {}, "more than 1000 characters; 87", Severity::Error, Kind::Problem);
        return false;
    }
    if (folded.lineBreaks)
        Add(element, text, *folded.text, "line breaks folded to blanks; 40", Severity::Warning, Kind::Change);
    if (folded.accents) Add(element, text, *folded.text, "folded to Basic Latin; 40", Severity::Warning, Kind::Change);
    out = *folded.text;
    return true;
}

}  // namespace qln
