#include "import/ApplicantNameParser.h"

#include "model/AsciiText.h"

namespace qln {

namespace {

// Cuts text at its first space and returns the part before it, trimmed; text
// keeps what follows that one space. Two spaces in a row thus leave an empty
// part, as the writer's "Last, First  Suffix" does for a missing middle
// initial.
std::string TakePart(std::string& text) {
    const size_t space = text.find(' ');
    std::string part(TrimmedView(text.substr(0, space)));
    text = space == std::string::npos ? std::string() : text.substr(space + 1);
    return part;
}

const std::string kNoName;

}  // namespace

CApplicantNameParser::CApplicantNameParser(StringList names) : names_(std::move(names)) {
    ShowName(0);
    allAdded_ = names_.empty();
}

const std::string& CApplicantNameParser::GetImportedName() const {
    return current_ >= 0 && current_ < static_cast<int>(names_.size()) ? names_[current_] : kNoName;
}

void CApplicantNameParser::ShowName(int index) {
    current_ = index;
    fields_ = Fields();
    fields_.kind = CNameAttribute::kOrganization;
    fields_.organizationName = GetImportedName();
}

void CApplicantNameParser::ChooseIndividual() {
    const SplitName split = SplitIndividual(GetImportedName());
    fields_.kind = CNameAttribute::kIndividual;
    fields_.organizationName.clear();
    fields_.lastName = split.lastName;
    fields_.firstName = split.firstName;
    fields_.middleInitial = split.middleInitial;
    fields_.suffix = split.suffix;
}

void CApplicantNameParser::ChooseOrganization() {
    fields_ = Fields();
    fields_.kind = CNameAttribute::kOrganization;
    fields_.organizationName = GetImportedName();
}

CApplicantNameParser::SplitName CApplicantNameParser::SplitIndividual(const std::string& name) {
    SplitName split;
    const std::string whole(TrimmedView(name));
    std::string rest;
    const size_t comma = whole.find(',');
    const size_t space = whole.rfind(' ');
    if (comma != std::string::npos) {
        split.lastName = whole.substr(0, comma);
        rest = whole.substr(comma + 1);
    } else if (space != std::string::npos) {
        split.lastName = whole.substr(space + 1);
        rest = whole.substr(0, space);
    } else {
        split.lastName = whole;
    }
    split.lastName = std::string(TrimmedView(split.lastName));
    rest = std::string(TrimmedView(rest));
    split.firstName = TakePart(rest);
    split.middleInitial = TakePart(rest);
    split.suffix = std::string(TrimmedView(rest));
    return split;
}

std::string CApplicantNameParser::AddDisplayText(const Fields& fields) {
    if (fields.firstName.empty() && fields.middleInitial.empty() && fields.suffix.empty()) return fields.lastName;
    return fields.lastName + ", " + fields.firstName + " " + fields.middleInitial + " " + fields.suffix;
}

std::string CApplicantNameParser::UpdateDisplayText(const Fields& fields) {
    if (fields.firstName.empty() && fields.middleInitial.empty()) return fields.lastName;
    return fields.lastName + ", " + fields.firstName + " " + fields.middleInitial + " " + fields.suffix;
}

CNameAttribute CApplicantNameParser::MakeRecord(bool forUpdate) const {
    CNameAttribute record;
    record.kind = fields_.kind;
    if (fields_.kind == CNameAttribute::kOrganization) {
        record.displayText = fields_.organizationName;
        return record;
    }
    record.lastName = fields_.lastName;
    record.firstName = fields_.firstName;
    record.middleInitial = fields_.middleInitial;
    record.suffix = fields_.suffix;
    record.displayText = forUpdate ? UpdateDisplayText(fields_) : AddDisplayText(fields_);
    return record;
}

void CApplicantNameParser::LoadRecord(const CNameAttribute& record) {
    fields_ = Fields();
    fields_.kind = record.kind;
    if (record.kind == CNameAttribute::kOrganization) {
        fields_.organizationName = record.displayText;
    } else {
        fields_.lastName = record.lastName;
        fields_.firstName = record.firstName;
        fields_.middleInitial = record.middleInitial;
        fields_.suffix = record.suffix;
    }
}

CApplicantNameParser::AddResult CApplicantNameParser::Add() {
    if (allAdded_) return {false, kAllAddedMessage};
    records_.push_back(MakeRecord(false));
    if (current_ + 1 < static_cast<int>(names_.size())) {
        ShowName(current_ + 1);
        return {true, {}};
    }
    allAdded_ = true;
    Select(0);
    return {true, kAllAddedMessage};
}

StringList CApplicantNameParser::GetListEntries() const {
    StringList entries;
    entries.reserve(records_.size());
    for (const CNameAttribute& record : records_) entries.push_back(record.displayText);
    return entries;
}

bool CApplicantNameParser::Select(int index) {
    if (!allAdded_ || index < 0 || index >= static_cast<int>(records_.size())) return false;
    selected_ = index;
    // Records and names pair up one to one, so the imported name follows
    // the selection; choosing Individual then splits the right line.
    current_ = index;
    LoadRecord(records_[index]);
    return true;
}

bool CApplicantNameParser::Update() {
    if (!allAdded_ || selected_ < 0 || selected_ >= static_cast<int>(records_.size())) return false;
    records_[selected_] = MakeRecord(true);
    return true;
}

}  // namespace qln
