// What a verification of an ST.26 listing found: one finding per broken
// rule and place, with its severity, the rule and what to do about it, and
// the report that lists them grouped by sequence under their counts.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qln {

// The rules a listing is held to, each with a short name of its own.
// clang-format off
enum class St26Rule {
    Xml, Limits, Declaration, DocumentType, Dtd, DtdVersion, Date, LanguageCode, OfficeCode, FileReference,
    Priority, ApplicantName, InventionTitle, NonEnglishLanguage, Characters, FreeTextLength, SequenceTotal,
    Numbering, SkippedForm, Division, Moltype, Length, Alphabet, Threshold, OtherSeqids, Source, Organism,
    MolType, SyntheticConstruct, FeatureKey, MandatoryQualifier, Qualifier, QualifierValue, Location,
    Translation, StopCodon, ProteinId, QualifierId, NonEnglishValue,
};
// clang-format on
inline constexpr size_t kSt26RuleCount = static_cast<size_t>(St26Rule::NonEnglishValue) + 1;

// A verifier rule: its name in the findings and where it comes from.
struct CSt26RuleInfo {
    std::string_view name;       // "mandatory-qualifier"
    std::string_view reference;  // where the rule comes from
};
const CSt26RuleInfo& St26RuleInfo(St26Rule rule);

struct CSt26Finding {
    enum class Severity { Error, Warning, Note };

    Severity severity = Severity::Error;
    St26Rule rule = St26Rule::Xml;
    int seqId = 0;          // 0 for the general part
    std::string feature;    // key and location ("CDS 3..62"), or empty
    std::string qualifier;  // or empty
    long line = 0;          // in the file; 0 when unknown
    std::string problem;    // what is wrong
    std::string action;     // what to do

    // "SEQ ID 3, CDS 3..62, translation" or "General".
    std::string Where() const;
    // The finding on one line: where, line, severity, problem, rule, action.
    std::string Text() const;
    static const char* SeverityName(Severity severity);
};

class CSt26Findings {
public:
    using Severity = CSt26Finding::Severity;

    // Findings beyond this many are counted but not kept.
    static constexpr size_t kMaxKept = 5000;

    void Add(CSt26Finding finding);
    // The file could not be read to its end.
    void SetUnreadable() { unreadable_ = true; }
    void SetSequenceCount(int count) { sequences_ = count; }
    // Orders the findings by SEQ ID (the general part first), keeping the
    // order of the file within each.
    void Sort();

    const std::vector<CSt26Finding>& Items() const { return items_; }
    int Count(Severity severity) const { return counts_[static_cast<size_t>(severity)]; }
    bool Unreadable() const { return unreadable_; }
    bool Has(St26Rule rule) const;
    // 0 nothing above notes, 1 warnings only, 2 errors or unreadable.
    int ExitStatus() const;

    // "2 errors, 1 warning, 0 notes in 11 sequences".
    std::string CountsText() const;
    // Every finding kept, one a line.
    std::string Lines() const;
    // The report: a heading naming the file, the counts, then the findings
    // grouped under the general part and each SEQ ID.
    std::string ReportText(const std::string& fileName) const;

private:
    std::vector<CSt26Finding> items_;
    std::array<int, 3> counts_{};
    size_t omitted_ = 0;
    int sequences_ = 0;
    bool unreadable_ = false;
};

}  // namespace qln
