#include "export/St26Findings.h"

#include <algorithm>

namespace qln {

namespace {

constexpr CSt26RuleInfo kRules[] = {
    {"xml", "XML 1.0"},
    {"limits", "read as untrusted input"},
    {"xml-declaration", "ST.26 para 39(a)"},
    {"document-type", "ST.26 para 39(b)"},
    {"dtd", "ST.26 Annex II"},
    {"dtd-version", "ST.26 Annex II"},
    {"date", "ST.2"},
    {"language-code", "ISO 639-1"},
    {"office-code", "ST.3"},
    {"file-reference", "ST.26 para 45"},
    {"priority", "ST.26 para 47"},
    {"applicant-name", "ST.26 para 40, 47"},
    {"invention-title", "ST.26 para 48"},
    {"non-english-language", "ST.26 Annex II"},
    {"characters", "ST.26 para 40"},
    {"free-text-length", "ST.26 para 87"},
    {"sequence-total", "ST.26 Annex II"},
    {"numbering", "ST.26 para 10"},
    {"skipped-form", "ST.26 para 58"},
    {"division", "ST.26 Annex II"},
    {"moltype", "ST.26 Annex II"},
    {"length", "ST.26 Annex II"},
    {"alphabet", "ST.26 Annex I, tables 1 and 3"},
    {"threshold", "ST.26 para 7, 8"},
    {"other-seqids", "ST.26 Annex II"},
    {"source", "ST.26 para 75"},
    {"organism", "ST.26 para 75"},
    {"mol-type", "ST.26 Annex I 6.39, 8.1"},
    {"synthetic-construct", "ST.26 Annex I 6.39"},
    {"feature-key", "ST.26 Annex I, sections 5 and 7"},
    {"mandatory-qualifier", "ST.26 Annex I"},
    {"qualifier", "ST.26 Annex I, sections 6 and 8"},
    {"qualifier-value", "ST.26 Annex I"},
    {"location", "INSDC feature table 3.4"},
    {"translation", "INSDC feature table, CDS"},
    {"stop-codon", "INSDC feature table, CDS"},
    {"protein-id", "ST.26 Annex III"},
    {"qualifier-id", "ST.26 Annex II"},
    {"non-english-value", "ST.26 para 85-87"},
};
static_assert(std::size(kRules) == kSt26RuleCount);

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + ' ' + (n == 1 ? one : many); }

}  // namespace

const CSt26RuleInfo& St26RuleInfo(St26Rule rule) { return kRules[static_cast<size_t>(rule)]; }

const char* CSt26Finding::SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "";
}

std::string CSt26Finding::Where() const {
    std::string where = seqId > 0 ? "SEQ ID " + std::to_string(seqId) : std::string("General");
    if (!feature.empty()) where += ", " + feature;
    if (!qualifier.empty()) where += ", " + qualifier;
    return where;
}

std::string CSt26Finding::Text() const {
    const CSt26RuleInfo& info = St26RuleInfo(rule);
    std::string text = Where();
    if (line > 0) text += " (line " + std::to_string(line) + ")";
    text += std::string(": ") + SeverityName(severity) + ": " + problem + " [" + std::string(info.name);
    if (!info.reference.empty()) text += "; " + std::string(info.reference);
    text += "]";
    if (!action.empty()) text += " -> " + action;
    return text;
}

void CSt26Findings::Add(CSt26Finding finding) {
    ++counts_[static_cast<size_t>(finding.severity)];
    if (items_.size() < kMaxKept)
        items_.push_back(std::move(finding));
    else
        ++omitted_;
}

void CSt26Findings::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const CSt26Finding& a, const CSt26Finding& b) { return a.seqId < b.seqId; });
}

bool CSt26Findings::Has(St26Rule rule) const {
    return std::any_of(items_.begin(), items_.end(), [rule](const CSt26Finding& f) { return f.rule == rule; });
}

int CSt26Findings::ExitStatus() const {
    if (unreadable_ || Count(Severity::Error)) return 2;
    return Count(Severity::Warning) ? 1 : 0;
}

std::string CSt26Findings::CountsText() const {
    return Plural(Count(Severity::Error), "error", "errors") + ", " +
           Plural(Count(Severity::Warning), "warning", "warnings") + ", " +
           Plural(Count(Severity::Note), "note", "notes") + " in " + Plural(sequences_, "sequence", "sequences");
}

std::string CSt26Findings::Lines() const {
    std::string text;
    for (const CSt26Finding& finding : items_) text += finding.Text() + '\n';
    if (omitted_) text += std::to_string(omitted_) + " more findings not listed\n";
    return text;
}

std::string CSt26Findings::ReportText(const std::string& fileName) const {
    std::string text = "ST.26 verification of " + fileName + "\n" + CountsText() + "\n";
    if (unreadable_) text += "The file could not be read to its end: the findings stop where reading stopped.\n";
    int group = -1;
    for (const CSt26Finding& finding : items_) {
        if (finding.seqId != group) {
            group = finding.seqId;
            text += "\n" + (group > 0 ? "SEQ ID " + std::to_string(group) : std::string("General")) + "\n";
        }
        text += "  " + finding.Text() + '\n';
    }
    if (omitted_) text += "\n" + std::to_string(omitted_) + " more findings not listed\n";
    if (items_.empty()) text += "\nNo findings.\n";
    return text;
}

}  // namespace qln
