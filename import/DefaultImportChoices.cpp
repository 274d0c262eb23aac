#include "import/DefaultImportChoices.h"

#include "import/ApplicantNameParser.h"

namespace qln {

CDefaultImportChoices::CDefaultImportChoices(const CProject* project, std::string sequenceType)
    : project_(project), sequenceType_(NormalizeType(sequenceType).value_or("DNA")) {}

std::optional<std::string> CDefaultImportChoices::NormalizeType(const std::string& type) {
    std::string upper = type;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const char* known : {"DNA", "RNA", "DNA/RNA", "PROTEIN/1", "PROTEIN/3"})
        if (upper == known) return upper;
    return std::nullopt;
}

CNameAttribute CDefaultImportChoices::DefaultNameRecord(const std::string& name) {
    CNameAttribute record;
    if (name.find(',') == std::string::npos) {
        record.kind = CNameAttribute::kOrganization;
        record.displayText = name;
        return record;
    }
    const CApplicantNameParser::SplitName split = CApplicantNameParser::SplitIndividual(name);
    CApplicantNameParser::Fields fields;
    fields.kind = CNameAttribute::kIndividual;
    fields.lastName = split.lastName;
    fields.firstName = split.firstName;
    fields.middleInitial = split.middleInitial;
    fields.suffix = split.suffix;
    record.kind = CNameAttribute::kIndividual;
    record.lastName = split.lastName;
    record.firstName = split.firstName;
    record.middleInitial = split.middleInitial;
    record.suffix = split.suffix;
    record.displayText = CApplicantNameParser::AddDisplayText(fields);
    return record;
}

int CDefaultImportChoices::TypeIndex() const {
    if (sequenceType_ == "RNA") return kRNA;
    if (sequenceType_ == "DNA/RNA") return kDNARNA;
    if (sequenceType_ == "PROTEIN/1" || sequenceType_ == "PROTEIN/3") return kProtein1;
    return kDNA;
}

std::optional<std::string> CDefaultImportChoices::ChooseSequenceFileType(const std::string&) { return sequenceType_; }

std::optional<std::string> CDefaultImportChoices::GivenSequenceType() {
    if (!typeGiven_) return std::nullopt;
    return sequenceType_;
}

std::optional<std::vector<CNameAttribute>> CDefaultImportChoices::SplitApplicantNames(const StringList& names) {
    std::vector<CNameAttribute> records;
    records.reserve(names.size());
    for (const std::string& name : names) records.push_back(DefaultNameRecord(name));
    return records;
}

std::optional<int> CDefaultImportChoices::ChooseInvalidSequenceType(const std::string&, const std::string&) {
    return TypeIndex();
}

std::optional<int> CDefaultImportChoices::ChooseSkippedSequenceType(const std::string&) { return TypeIndex(); }

std::optional<std::vector<int>> CDefaultImportChoices::SelectSequences(const StringList& entries) {
    std::vector<int> all(entries.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    return all;
}

std::optional<std::string> CDefaultImportChoices::RenameDuplicate(const std::string& name) {
    int& suffix = nextSuffix_.try_emplace(name, 2).first->second;
    for (;; ++suffix) {
        std::string candidate = name + "_" + std::to_string(suffix);
        if (!project_ || !project_->Find(candidate)) {
            ++suffix;
            return candidate;
        }
    }
}

}  // namespace qln
