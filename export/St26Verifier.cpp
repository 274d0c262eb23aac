#include "export/St26Verifier.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "export/St26Choices.h"
#include "export/St26FeatureCheck.h"
#include "export/St26Text.h"
#include "export/St26XmlReader.h"
#include "model/AsciiText.h"
#include "model/CharacterSet.h"

namespace qln {

using FindingSeverity = CSt26Finding::Severity;

namespace {

// clang-format off
enum class Element {
    Other, Root, FileReference, ApplicationId, PriorityId, OfficeCode, NumberText, FilingDate, ApplicantName,
    ApplicantNameLatin, InventorName, InventorNameLatin, Title, TotalQuantity, SequenceData, Length, Moltype,
    Division, OtherSeqids, FeatureTable, Feature, Key, Location, Qualifier, QualifierName, QualifierValue,
    NonEnglishValue, Residues,
};
// clang-format on

Element ElementOf(std::string_view name) {
    static const std::unordered_map<std::string_view, Element> kElements = {
        {"ST26SequenceListing", Element::Root},
        {"ApplicantFileReference", Element::FileReference},
        {"ApplicationIdentification", Element::ApplicationId},
        {"EarliestPriorityApplicationIdentification", Element::PriorityId},
        {"IPOfficeCode", Element::OfficeCode},
        {"ApplicationNumberText", Element::NumberText},
        {"FilingDate", Element::FilingDate},
        {"ApplicantName", Element::ApplicantName},
        {"ApplicantNameLatin", Element::ApplicantNameLatin},
        {"InventorName", Element::InventorName},
        {"InventorNameLatin", Element::InventorNameLatin},
        {"InventionTitle", Element::Title},
        {"SequenceTotalQuantity", Element::TotalQuantity},
        {"SequenceData", Element::SequenceData},
        {"INSDSeq_length", Element::Length},
        {"INSDSeq_moltype", Element::Moltype},
        {"INSDSeq_division", Element::Division},
        {"INSDSeq_other-seqids", Element::OtherSeqids},
        {"INSDSeq_feature-table", Element::FeatureTable},
        {"INSDFeature", Element::Feature},
        {"INSDFeature_key", Element::Key},
        {"INSDFeature_location", Element::Location},
        {"INSDQualifier", Element::Qualifier},
        {"INSDQualifier_name", Element::QualifierName},
        {"INSDQualifier_value", Element::QualifierValue},
        {"NonEnglishQualifier_value", Element::NonEnglishValue},
        {"INSDSeq_sequence", Element::Residues},
    };
    const auto it = kElements.find(name);
    return it == kElements.end() ? Element::Other : it->second;
}

// The elements whose text may be any Unicode; the residues have an
// alphabet and qualifier values a place of their own in the findings.
bool TextIsChecked(Element element) {
    switch (element) {
    case Element::ApplicantName:
    case Element::InventorName:
    case Element::Title:
    case Element::NonEnglishValue:
    case Element::Residues:
    case Element::QualifierValue: return false;
    default: return true;
    }
}

// A number std::stoi takes.
bool IsIntNumber(std::string_view text) { return text.size() < 10 && IsAsciiNumber(text); }

struct Sequence {
    int ordinal = 0;
    int seqId = 0;
    long line = 0;
    std::string length, moltype, division, residues;
    bool featureTable = false;
    bool otherSeqids = false;
    std::vector<CSt26ReadFeature> features;
};

// What the listing holds of each sequence for the protein_id links.
struct Listed {
    bool protein = false;
    size_t hash = 0;
    size_t length = 0;
};

class Checker : public CSt26XmlReader::Handler {
public:
    explicit Checker(CSt26Findings& findings) : findings_(findings), features_(findings, links_) {}

    void StartElement(std::string_view name, const std::vector<CSt26XmlReader::Attribute>& attributes,
                      long line) override;
    void EndElement(std::string_view name, std::string& text, long line) override;
    void Problem(St26Rule rule, FindingSeverity severity, long line, std::string problem, std::string action) override {
        Add(severity, rule, inSequence_ ? current_.seqId : 0, {}, line, std::move(problem), std::move(action));
    }

    // The checks of the whole listing, once reading has ended.
    void Finish(bool readToTheEnd);

private:
    void Add(FindingSeverity severity, St26Rule rule, int seqId, std::string where, long line, std::string problem,
             std::string action) {
        CSt26Finding finding;
        finding.severity = severity;
        finding.rule = rule;
        finding.seqId = seqId;
        finding.feature = std::move(where);
        finding.line = line;
        finding.problem = std::move(problem);
        finding.action = std::move(action);
        findings_.Add(std::move(finding));
    }
    void General(FindingSeverity severity, St26Rule rule, std::string element, long line, std::string problem,
                 std::string action) {
        Add(severity, rule, 0, std::move(element), line, std::move(problem), std::move(action));
    }

    // The reader gives each name at one address: those are looked up once.
    Element Lookup(std::string_view name) {
        const auto [it, added] = elements_.try_emplace(name.data(), Element::Other);
        if (added) it->second = ElementOf(name);
        return it->second;
    }
    void RootAttributes(const std::vector<CSt26XmlReader::Attribute>& attributes, long line);
    void LanguageCode(std::string_view element, std::string_view code, long line);
    void Date(std::string_view element, std::string_view date, long line);
    void GeneralText(Element element, std::string_view name, std::string_view text, long line);
    void StartSequence(const std::vector<CSt26XmlReader::Attribute>& attributes, long line);
    void CheckSequence();
    bool CheckSkipped();
    void CheckResidues(bool protein);
    void CheckLinks();

    CSt26Findings& findings_;
    std::vector<CSt26ProteinLink> links_;
    CSt26FeatureCheck features_;
    std::unordered_map<const char*, Element> elements_;

    // The general part.
    Element section_ = Element::Other;  // ApplicationId or PriorityId while inside
    bool applicationId_ = false, fileReference_ = false, priority_ = false, applicantLatin_ = false;
    std::optional<std::string> applicantName_;
    long applicantLine_ = 0;
    std::vector<std::string> titleLanguages_;
    std::string totalQuantity_;
    long totalLine_ = 0;
    bool nonEnglishCode_ = false;
    long rootLine_ = 0;
    int nonEnglishValues_ = 0;
    std::unordered_set<std::string> qualifierIds_;

    // The sequence being read.
    bool inSequence_ = false;
    int sequences_ = 0;
    Sequence current_;
    std::map<int, Listed> listed_;
};

void Checker::StartElement(std::string_view name, const std::vector<CSt26XmlReader::Attribute>& attributes, long line) {
    for (const auto& attribute : attributes)
        if (!CSt26Text::IsPrintableBasicLatin(attribute.value))
            Add(FindingSeverity::Error, St26Rule::Characters, inSequence_ ? current_.seqId : 0,
                std::string(name) + "@" + std::string(attribute.name), line, "characters outside printable Basic Latin",
                "write the attribute in Basic Latin");
    const Element element = Lookup(name);
    const auto attribute = [&](std::string_view wanted) -> std::optional<std::string_view> {
        for (const auto& a : attributes)
            if (a.name == wanted) return a.value;
        return std::nullopt;
    };
    switch (element) {
    case Element::Root: RootAttributes(attributes, line); break;
    case Element::ApplicationId:
    case Element::PriorityId:
        section_ = element;
        (element == Element::ApplicationId ? applicationId_ : priority_) = true;
        break;
    case Element::ApplicantName:
    case Element::InventorName:
    case Element::Title:
        if (const auto code = attribute("languageCode")) {
            LanguageCode(std::string(name) + "@languageCode", *code, line);
            if (element == Element::Title) titleLanguages_.emplace_back(*code);
        }
        break;
    case Element::SequenceData: StartSequence(attributes, line); break;
    case Element::FeatureTable: current_.featureTable = true; break;
    case Element::OtherSeqids: current_.otherSeqids = true; break;
    case Element::Feature:
        current_.features.emplace_back();
        current_.features.back().line = line;
        break;
    case Element::Qualifier:
        if (current_.features.empty()) break;
        current_.features.back().qualifiers.emplace_back();
        current_.features.back().qualifiers.back().line = line;
        if (const auto id = attribute("id")) {
            if (!qualifierIds_.emplace(*id).second)
                Add(FindingSeverity::Error, St26Rule::QualifierId, current_.seqId, "INSDQualifier@id", line,
                    "the id \"" + std::string(*id) + "\" is given twice", "give each qualifier an id of its own");
            if (id->size() < 2 || (*id)[0] != 'q' || !IsIntNumber(id->substr(1)))
                Add(FindingSeverity::Warning, St26Rule::QualifierId, current_.seqId, "INSDQualifier@id", line,
                    "the id \"" + std::string(*id) + "\" is not q and a number", "number the ids q1, q2, ...");
        }
        break;
    default: break;
    }
}

void Checker::EndElement(std::string_view name, std::string& text, long line) {
    const Element element = Lookup(name);
    if (TextIsChecked(element) && !CSt26Text::IsPrintableBasicLatin(TrimmedView(text)))
        Add(FindingSeverity::Error, St26Rule::Characters, inSequence_ ? current_.seqId : 0, std::string(name), line,
            "characters outside printable Basic Latin", "write " + std::string(name) + " in Basic Latin");
    const std::string_view value = TrimmedView(text);
    CSt26ReadFeature* feature = current_.features.empty() ? nullptr : &current_.features.back();
    CSt26ReadQualifier* qualifier = feature && !feature->qualifiers.empty() ? &feature->qualifiers.back() : nullptr;
    switch (element) {
    case Element::ApplicationId:
    case Element::PriorityId: section_ = Element::Other; break;
    case Element::SequenceData:
        CheckSequence();
        inSequence_ = false;
        break;
    case Element::Length: current_.length = value; break;
    case Element::Moltype: current_.moltype = value; break;
    case Element::Division: current_.division = value; break;
    case Element::Residues: current_.residues = std::move(text); break;
    case Element::Key:
        if (feature) feature->key = value;
        break;
    case Element::Location:
        if (feature) feature->location = value;
        break;
    case Element::QualifierName:
        if (qualifier) qualifier->name = value;
        break;
    case Element::QualifierValue:
        if (qualifier) {
            qualifier->value = text;
            qualifier->hasValue = true;
        }
        break;
    case Element::NonEnglishValue:
        nonEnglishValues_ += !value.empty();
        if (qualifier) {
            qualifier->nonEnglish = text;
            qualifier->hasNonEnglish = true;
        }
        break;
    default: GeneralText(element, name, value, line); break;
    }
}

void Checker::RootAttributes(const std::vector<CSt26XmlReader::Attribute>& attributes, long line) {
    rootLine_ = line;
    for (const auto& [name, value] : attributes) {
        const std::string element = "ST26SequenceListing@" + std::string(name);
        if (name == "dtdVersion" && value != "V1_3")
            General(FindingSeverity::Error, St26Rule::DtdVersion, element, line,
                    "dtdVersion \"" + std::string(value) + "\"", "write dtdVersion=\"V1_3\"");
        if (name == "productionDate") Date(element, value, line);
        if (name == "originalFreeTextLanguageCode" || name == "nonEnglishFreeTextLanguageCode")
            LanguageCode(element, value, line);
        if (name == "nonEnglishFreeTextLanguageCode") nonEnglishCode_ = true;
    }
}

void Checker::LanguageCode(std::string_view element, std::string_view code, long line) {
    if (!IsLanguageCode(std::string(code)))
        General(FindingSeverity::Error, St26Rule::LanguageCode, std::string(element), line,
                "\"" + std::string(code) + "\" is no ISO 639-1 language code",
                "write two lower-case letters such as en");
}

void Checker::Date(std::string_view element, std::string_view date, long line) {
    if (!CSt26Text::IsCompleteDate(date))
        General(FindingSeverity::Error, St26Rule::Date, std::string(element), line,
                "\"" + std::string(date) + "\" is no date in the form CCYY-MM-DD",
                "write a real date such as 2024-01-31");
}

void Checker::GeneralText(Element element, std::string_view name, std::string_view text, long line) {
    const std::string where(name);
    switch (element) {
    case Element::FileReference:
        fileReference_ = true;
        if (text.empty())
            General(FindingSeverity::Error, St26Rule::FileReference, where, line, "the file reference is empty",
                    "give the applicant's or agent's file reference");
        break;
    case Element::OfficeCode:
        if (!IsOfficeCode(std::string(text)))
            General(FindingSeverity::Error, St26Rule::OfficeCode, where, line,
                    "\"" + std::string(text) + "\" is no ST.3 office code", "write the office's two-letter code");
        break;
    case Element::NumberText:
        if (text.empty())
            General(FindingSeverity::Error, St26Rule::FileReference, where, line, "the application number is empty",
                    "write the number as the office gave it");
        break;
    case Element::FilingDate: Date(where, text, line); break;
    case Element::ApplicantName:
        applicantName_ = text;
        applicantLine_ = line;
        break;
    case Element::ApplicantNameLatin: applicantLatin_ = true; break;
    case Element::Title:
        if (text.empty())
            General(FindingSeverity::Error, St26Rule::InventionTitle, where, line, "the title is empty",
                    "give the title of the invention");
        break;
    case Element::TotalQuantity:
        totalQuantity_ = text;
        totalLine_ = line;
        break;
    default: break;
    }
}

void Checker::StartSequence(const std::vector<CSt26XmlReader::Attribute>& attributes, long line) {
    current_ = Sequence{};
    current_.ordinal = ++sequences_;
    current_.line = line;
    current_.seqId = current_.ordinal;
    inSequence_ = true;
    std::string_view number;
    for (const auto& attribute : attributes)
        if (attribute.name == "sequenceIDNumber") number = attribute.value;
    if (IsIntNumber(number) && std::stoi(std::string(number)) > 0) current_.seqId = std::stoi(std::string(number));
    if (number != std::to_string(current_.ordinal))
        Add(FindingSeverity::Error, St26Rule::Numbering, current_.seqId, "SequenceData@sequenceIDNumber", line,
            "sequence " + std::to_string(current_.ordinal) + " is numbered \"" + std::string(number) + "\"",
            "number the sequences 1, 2, 3 ... in order, without gaps");
}

bool Checker::CheckSkipped() {
    if (TrimmedView(current_.residues) != "000") return false;
    listed_[current_.seqId] = Listed{};
    if (!current_.length.empty() || !current_.moltype.empty() || !current_.division.empty() || current_.featureTable)
        Add(FindingSeverity::Error, St26Rule::SkippedForm, current_.seqId, {}, current_.line,
            "a skipped sequence (000) with a length, moltype, division or features",
            "leave INSDSeq_length, INSDSeq_moltype and INSDSeq_division empty and the feature table out");
    return true;
}

void Checker::CheckSequence() {
    if (CheckSkipped()) return;
    const int id = current_.seqId;
    const long line = current_.line;
    if (current_.division != "PAT")
        Add(FindingSeverity::Error, St26Rule::Division, id, "INSDSeq_division", line,
            "the division is \"" + current_.division + "\"", "write PAT");
    if (current_.otherSeqids)
        Add(FindingSeverity::Error, St26Rule::OtherSeqids, id, "INSDSeq_other-seqids", line,
            "INSDSeq_other-seqids is for the offices", "leave it out");
    if (current_.length != std::to_string(current_.residues.size()))
        Add(FindingSeverity::Error, St26Rule::Length, id, "INSDSeq_length", line,
            "the length is \"" + current_.length + "\" for " + std::to_string(current_.residues.size()) + " residues",
            "write " + std::to_string(current_.residues.size()));
    const std::string& moltype = current_.moltype;
    if (moltype != "DNA" && moltype != "RNA" && moltype != "AA") {
        Add(FindingSeverity::Error, St26Rule::Moltype, id, "INSDSeq_moltype", line,
            "the moltype is \"" + moltype + "\"", "write DNA, RNA or AA");
        listed_[id] = Listed{};
        return;
    }
    const bool protein = moltype == "AA";
    listed_[id] = Listed{protein, std::hash<std::string_view>{}(current_.residues), current_.residues.size()};
    CheckResidues(protein);
    CSt26ReadSequence read{id, line, moltype, std::move(current_.residues), std::move(current_.features)};
    features_.Check(read);
}

void Checker::CheckResidues(bool protein) {
    static const CCharacterSet kNucleotides("acgtmrwsykvhdbn", "acgt"), kAminoAcids("ARNDCQEGHILKMFPOSUTWYVBZJX");
    const std::string& residues = current_.residues;
    const int id = current_.seqId;
    if (const size_t bad = (protein ? kAminoAcids : kNucleotides).FirstOutside(residues); bad < residues.size()) {
        const char c = residues[bad];
        std::string action = protein ? "use the upper-case one-letter codes ARNDCQEGHILKMFPOSUTWYVBZJX"
                                     : "use the lower-case symbols acgtmrwsykvhdbn";
        if (!protein && (c == 'u' || c == 'U'))
            action = "write t: it stands for uracil in RNA";
        else if (!protein && kNucleotides.Contains(ToLowerAscii(c)))
            action = "write the residues in lower case";
        else if (protein && kAminoAcids.Contains(ToUpperAscii(c)))
            action = "write the residues in upper case";
        const bool printable = c > 0x20 && c < 0x7F;
        Add(FindingSeverity::Error, St26Rule::Alphabet, id, "INSDSeq_sequence", current_.line,
            (printable ? "\"" + std::string(1, c) + "\"" : std::string("a blank or other character")) +
                " at position " + std::to_string(bad + 1) + " is no " + (protein ? "amino acid" : "nucleotide") +
                " symbol",
            action);
    }
    const size_t defined = residues.size() -
                           static_cast<size_t>(std::count(residues.begin(), residues.end(), protein ? 'X' : 'n'));
    if (defined < (protein ? 4u : 10u))
        Add(FindingSeverity::Error, St26Rule::Threshold, id, {}, current_.line,
            std::to_string(defined) +
                (protein ? " specifically defined amino acids" : " specifically defined nucleotides"),
            protein ? "a listing holds no sequence of fewer than 4 defined amino acids: skip it with 000"
                    : "a listing holds no sequence of fewer than 10 defined nucleotides: skip it with 000");
}

void Checker::CheckLinks() {
    for (const CSt26ProteinLink& link : links_) {
        const int target = IsIntNumber(link.target) ? std::stoi(link.target) : 0;
        const auto it = listed_.find(target);
        std::string problem;
        if (it == listed_.end())
            problem = "protein_id " + link.target + " names no sequence of the listing";
        else if (!it->second.protein)
            problem = "protein_id " + link.target + " names no protein";
        else if (it->second.length != link.translationLength || it->second.hash != link.translationHash)
            problem = "SEQ ID " + link.target + " is not the protein the translation gives";
        if (problem.empty()) continue;
        CSt26Finding finding;
        finding.rule = St26Rule::ProteinId;
        finding.seqId = link.seqId;
        finding.feature = link.feature;
        finding.qualifier = "protein_id";
        finding.line = link.line;
        finding.problem = problem;
        finding.action = "give the SEQ ID of the protein entry that holds the translation";
        findings_.Add(std::move(finding));
    }
}

void Checker::Finish(bool readToTheEnd) {
    findings_.SetSequenceCount(sequences_);
    if (!readToTheEnd) return;
    CheckLinks();
    if (totalQuantity_ != std::to_string(sequences_))
        General(FindingSeverity::Error, St26Rule::SequenceTotal, "SequenceTotalQuantity", totalLine_,
                "SequenceTotalQuantity is \"" + totalQuantity_ + "\" for " + std::to_string(sequences_) + " sequences",
                "write " + std::to_string(sequences_));
    if (nonEnglishCode_ && !nonEnglishValues_)
        General(FindingSeverity::Error, St26Rule::NonEnglishLanguage,
                "ST26SequenceListing@nonEnglishFreeTextLanguageCode", rootLine_,
                "a non-English language is named but no qualifier has a non-English value",
                "leave nonEnglishFreeTextLanguageCode out, or give the non-English values");
    if (!nonEnglishCode_ && nonEnglishValues_)
        General(FindingSeverity::Error, St26Rule::NonEnglishLanguage,
                "ST26SequenceListing@nonEnglishFreeTextLanguageCode", rootLine_,
                std::to_string(nonEnglishValues_) + " non-English values in no named language",
                "name their language in nonEnglishFreeTextLanguageCode");
    if (!fileReference_ && applicationId_)
        General(FindingSeverity::Warning, St26Rule::FileReference, "ApplicantFileReference", rootLine_,
                "no applicant file reference", "give the applicant's or agent's file reference");
    if (!priority_)
        General(FindingSeverity::Warning, St26Rule::Priority, "EarliestPriorityApplicationIdentification", rootLine_,
                "no earliest priority application", "name the earliest priority application when priority is claimed");
    if (!applicantName_)
        General(FindingSeverity::Warning, St26Rule::ApplicantName, "ApplicantName", rootLine_, "no applicant name",
                "name the first applicant");
    else if (!CSt26Text::IsPrintableBasicLatin(*applicantName_) && !applicantLatin_)
        General(FindingSeverity::Error, St26Rule::ApplicantName, "ApplicantNameLatin", applicantLine_,
                "the applicant's name is not in Basic Latin and has no Latin form",
                "add ApplicantNameLatin: the name transliterated or translated into Basic Latin");
    std::sort(titleLanguages_.begin(), titleLanguages_.end());
    if (std::adjacent_find(titleLanguages_.begin(), titleLanguages_.end()) != titleLanguages_.end())
        General(FindingSeverity::Warning, St26Rule::InventionTitle, "InventionTitle", rootLine_,
                "two titles in the same language", "give one title per language");
}

}  // namespace

namespace {

template <class Read>
CSt26Findings Verify(Read read) {
    CSt26Findings findings;
    Checker checker(findings);
    const bool whole = read(checker);
    if (!whole) findings.SetUnreadable();
    checker.Finish(whole);
    findings.Sort();
    return findings;
}

}  // namespace

CSt26Findings CSt26Verifier::VerifyFile(const std::string& path) {
    return Verify([&](Checker& checker) { return CSt26XmlReader::ReadFile(path, checker); });
}

CSt26Findings CSt26Verifier::VerifyBytes(std::string_view bytes, const std::string& name) {
    return Verify([&](Checker& checker) { return CSt26XmlReader::ReadBytes(bytes, name, checker); });
}

}  // namespace qln
