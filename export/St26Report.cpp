#include "export/St26Report.h"

#include <algorithm>

#include "export/Latin1.h"
#include "export/St26Findings.h"

namespace qln {

namespace {

struct Section {
    CSt26Report::Kind kind;
    const char* title;
};

constexpr Section kSections[] = {
    {CSt26Report::Kind::Problem, "Errors"},   {CSt26Report::Kind::Change, "Changes"},
    {CSt26Report::Kind::Default, "Defaults"}, {CSt26Report::Kind::Computed, "Computed"},
    {CSt26Report::Kind::Drop, "Dropped"},     {CSt26Report::Kind::Numbering, "Numbering"},
};

// Line breaks are shown, not made, so that an item stays on its line.
std::string Quoted(const std::string& latin1) {
    std::string shown;
    for (const char c : Latin1ToUtf8(latin1)) shown += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return "\"" + shown + "\"";
}

std::string ItemLine(const CSt26Report::Item& item) {
    std::string line = "  ";
    line += item.seqId > 0 ? "SEQ ID " + std::to_string(item.seqId) : std::string("General");
    if (!item.sequenceName.empty()) line += " " + Quoted(item.sequenceName);
    line += ": " + Latin1ToUtf8(item.element);
    if (!item.oldValue.empty() && !item.newValue.empty())
        line += ": " + Quoted(item.oldValue) + " -> " + Quoted(item.newValue);
    else if (!item.newValue.empty())
        line += ": -> " + Quoted(item.newValue);
    else if (!item.oldValue.empty())
        line += ": " + Quoted(item.oldValue) + " -> (none)";
    if (!item.rule.empty()) line += " (" + Latin1ToUtf8(item.rule) + ")";
    line += std::string(" [") + CSt26Report::SeverityName(item.severity) + "]\n";
    return line;
}

}  // namespace

void CSt26Report::Add(Item item) { items_.push_back(std::move(item)); }

int CSt26Report::Count(Severity severity) const {
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [&](const Item& item) { return item.severity == severity; }));
}

const char* CSt26Report::SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Confirm: return "confirm";
    case Severity::Warning: return "warning";
    case Severity::Info: return "info";
    }
    return "";
}

std::string CSt26Report::Text(const std::string& projectPath, const std::string& xmlPath, bool written,
                              const CSt26Findings* verification) const {
    std::string text = "ST.26 conversion report\n";
    text += "Project: " + Latin1ToUtf8(projectPath) + "\n";
    text += written ? "Listing: " + Latin1ToUtf8(xmlPath) + "\n"
                    : "Listing: not written; correct the errors below and export again\n";
    // Within a section the general items come first, then each sequence's.
    std::vector<const Item*> sorted;
    for (const Item& item : items_) sorted.push_back(&item);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Item* a, const Item* b) { return a->seqId < b->seqId; });
    for (const Section& section : kSections) {
        std::string lines;
        for (const Item* item : sorted)
            if (item->kind == section.kind) lines += ItemLine(*item);
        if (lines.empty()) continue;
        text += std::string("\n") + section.title + "\n" + lines;
    }
    text += "\n" + std::to_string(Count(Severity::Error)) + " errors, " + std::to_string(Count(Severity::Confirm)) +
            " items to confirm, " + std::to_string(Count(Severity::Warning)) + " warnings, " +
            std::to_string(Count(Severity::Info)) + " notes.\n";
    text += written ? "This listing is a draft: confirm the items above and verify it in WIPO's own validation tool "
                      "before filing.\n"
                    : "Nothing was written: correct the errors above in the project and export again.\n";
    if (!verification) return text;
    text += "\nVerification of the listing written (as quillion-cli verify-st26 does it)\n  " +
            verification->CountsText() + "\n";
    for (const auto& finding : verification->Items()) text += "  " + finding.Text() + "\n";
    return text;
}

}  // namespace qln
