#include "model/Publication.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "model/Archive.h"
#include "model/Sequence.h"

namespace qln {

QLN_IMPLEMENT_SERIAL(CPublication, CModel)
QLN_IMPLEMENT_SERIAL(CJournal, CPublication)
QLN_IMPLEMENT_SERIAL(CPatent, CPublication)
QLN_IMPLEMENT_SERIAL(CThesis, CPublication)
QLN_IMPLEMENT_SERIAL(CPubDatabase, CPublication)

namespace {

constexpr const char* kDatabaseLabel = "Database Name and Database Entry Date: ";

// Leading decimal number as the C library reads it (leading blanks and a sign
// allowed); text without digits is 0. Kept within the int range so that the
// range length below can't overflow.
long long RangeValue(const std::string& text) {
    return std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), INT_MIN, INT_MAX);
}

}  // namespace

// ---- CPublication ----

CPublication::CPublication(CModel* owner, std::string accessionNumber, std::string entryDate, std::string from,
                           std::string to)
    : CModel(owner),
      accessionNumber_(std::move(accessionNumber)),
      from_(std::move(from)),
      to_(std::move(to)),
      entryDate_(std::move(entryDate)) {}

CPublication::CPublication(const CPublication& other)
    : CRefCount(),
      CModel(other),
      accessionNumber_(other.accessionNumber_),
      from_(other.from_),
      to_(other.to_),
      entryDate_(other.entryDate_.GetText()) {}

CSequence* CPublication::GetSequence() const { return dynamic_cast<CSequence*>(GetParent()); }

std::string CPublication::GetMessagePrefix(int row) const { return ParentPrefix() + GetScreenLabel() + RowText(row); }

const StringList& CPublication::Validate(int row) {
    GetMessages().clear();
    const std::string prefix = GetMessagePrefix(row);
    CheckDatabaseReference(prefix);
    CheckOptionalRange(prefix);
    return GetMessages();
}

void CPublication::AddDateMessages(DateField& date, bool complete, const std::string& prefix) {
    if (date.IsEmpty()) return;
    const StringList& dateMessages = date.Validate(complete, prefix);
    GetMessages().insert(GetMessages().end(), dateMessages.begin(), dateMessages.end());
}

void CPublication::CheckDatabaseReference(const std::string& prefix) {
    const bool dateFilled = !entryDate_.IsEmpty();
    if (accessionNumber_.empty() == dateFilled)
        GetMessages().push_back(prefix + kDatabaseLabel +
                                "If Database Name or Database Entry Date is filled, both of them must be filled.");
    AddDateMessages(entryDate_, true, prefix + kDatabaseLabel);
}

void CPublication::CheckOptionalRange(const std::string& prefix) {
    if (from_.empty() != to_.empty())
        GetMessages().push_back(prefix +
                                "From/To: If one of the From or To Field is filled, both of them must be filled.");
    else if (!from_.empty())
        CheckRangeValues(prefix);
}

void CPublication::CheckRequiredRange(const std::string& prefix) {
    if (from_.empty() || to_.empty()) GetMessages().push_back(prefix + "From/To: Both must be filled.");
    if (accessionNumber_.empty() && entryDate_.IsEmpty() && from_.empty() && to_.empty()) {
        GetMessages().push_back(prefix + "Complete item cannot be blank, No Blank lines allowed.");
        return;
    }
    if (!from_.empty() && !to_.empty()) CheckRangeValues(prefix);
}

void CPublication::CheckRangeValues(const std::string& prefix) {
    StringList& messages = GetMessages();
    const long long from = RangeValue(from_);
    const long long to = RangeValue(to_);
    if (from < 1) messages.push_back(prefix + "From: The From must be greater than 0.");
    if (to < 1) messages.push_back(prefix + "To: The To must be greater than 0.");
    if (to < from) messages.push_back(prefix + "From/To: The From can not be greater than the To.");
    CSequence* sequence = GetSequence();
    const long long length = sequence ? sequence->GetResidueCount() : 0;
    if (to - from + 1 > length)
        messages.push_back(prefix +
                           "From/To: The range of the From and To can not be greater than the length of the sequence "
                           "string.");
}

void CPublication::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(accessionNumber_);
        ar.WriteString(entryDate_.GetText());
        ar.WriteString(from_);
        ar.WriteString(to_);
    } else {
        accessionNumber_ = ar.ReadString();
        entryDate_ = ar.ReadString();
        from_ = ar.ReadString();
        to_ = ar.ReadString();
    }
}

// ---- CJournal ----

CJournal::CJournal(CModel* owner, std::string authors, std::string title, std::string journalName, std::string volume,
                   std::string issue, std::string pageRange, std::string publicationDate, std::string accessionNumber,
                   std::string entryDate, std::string from, std::string to)
    : CPublication(owner, std::move(accessionNumber), std::move(entryDate), std::move(from), std::move(to)),
      authors_(std::move(authors)),
      title_(std::move(title)),
      journalName_(std::move(journalName)),
      volume_(std::move(volume)),
      issue_(std::move(issue)),
      pageRange_(std::move(pageRange)),
      publicationDate_(std::move(publicationDate)) {}

const StringList& CJournal::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    const std::string prefix = GetMessagePrefix(row);
    CheckDatabaseReference(prefix);
    if (authors_.empty()) messages.push_back(prefix + "Author(s) is(are) required.");
    if (journalName_.empty()) messages.push_back(prefix + "Journal Name is required.");
    if (volume_.empty()) messages.push_back(prefix + "Volume is required.");
    if (pageRange_.empty()) messages.push_back(prefix + "Page Range is required.");
    if (publicationDate_.IsEmpty())
        messages.push_back(prefix + "Publication Date is required.");
    else
        AddDateMessages(publicationDate_, false, prefix + "Publication Date: ");
    CheckOptionalRange(prefix);
    return messages;
}

void CJournal::Serialize(CArchive& ar) {
    CPublication::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(authors_);
        ar.WriteString(title_);
        ar.WriteString(journalName_);
        ar.WriteString(volume_);
        ar.WriteString(issue_);
        ar.WriteString(pageRange_);
        ar.WriteString(publicationDate_.GetText());
    } else {
        authors_ = ar.ReadString();
        title_ = ar.ReadString();
        journalName_ = ar.ReadString();
        volume_ = ar.ReadString();
        issue_ = ar.ReadString();
        pageRange_ = ar.ReadString();
        publicationDate_ = ar.ReadString();
    }
}

// ---- CPatent ----

CPatent::CPatent(CModel* owner, std::string title, std::string documentNumber, std::string filingDate,
                 std::string publicationDate, std::string accessionNumber, std::string entryDate, std::string from,
                 std::string to)
    : CPublication(owner, std::move(accessionNumber), std::move(entryDate), std::move(from), std::move(to)),
      title_(std::move(title)),
      documentNumber_(std::move(documentNumber)),
      filingDate_(std::move(filingDate)),
      publicationDate_(std::move(publicationDate)) {}

const StringList& CPatent::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    const std::string prefix = GetMessagePrefix(row);
    CheckDatabaseReference(prefix);
    if (documentNumber_.empty()) messages.push_back(prefix + "Document Number is required.");
    if (publicationDate_.IsEmpty()) messages.push_back(prefix + "Publication Date is required.");
    if (!filingDate_.IsEmpty() && !publicationDate_.IsEmpty() && !publicationDate_.IsLaterThan(filingDate_))
        messages.push_back(prefix + "The Publication Date " + publicationDate_.GetText() +
                           " should be greater than the Filing Date " + filingDate_.GetText() + ".");
    AddDateMessages(filingDate_, true, prefix + "Patent Filing Date: ");
    AddDateMessages(publicationDate_, true, prefix + "Publication Date: ");
    CheckOptionalRange(prefix);
    return messages;
}

void CPatent::Serialize(CArchive& ar) {
    CPublication::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(title_);
        ar.WriteString(documentNumber_);
        ar.WriteString(filingDate_.GetText());
        ar.WriteString(publicationDate_.GetText());
    } else {
        title_ = ar.ReadString();
        documentNumber_ = ar.ReadString();
        filingDate_ = ar.ReadString();
        publicationDate_ = ar.ReadString();
    }
}

// ---- CThesis ----

CThesis::CThesis(CModel* owner, std::string authors, std::string title, std::string date, std::string pageRange,
                 std::string accessionNumber, std::string entryDate, std::string from, std::string to)
    : CPublication(owner, std::move(accessionNumber), std::move(entryDate), std::move(from), std::move(to)),
      authors_(std::move(authors)),
      title_(std::move(title)),
      date_(std::move(date)),
      pageRange_(std::move(pageRange)) {}

const StringList& CThesis::Validate(int row) {
    StringList& messages = GetMessages();
    messages.clear();
    const std::string prefix = GetMessagePrefix(row);
    CheckDatabaseReference(prefix);
    if (authors_.empty()) messages.push_back(prefix + "Author(s) is(are) required.");
    if (title_.empty()) messages.push_back(prefix + "Title is required.");
    if (date_.IsEmpty())
        messages.push_back(prefix + "Publication Date is required.");
    else
        AddDateMessages(date_, false, prefix + "Publication Date: ");
    CheckOptionalRange(prefix);
    return messages;
}

void CThesis::Serialize(CArchive& ar) {
    CPublication::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(authors_);
        ar.WriteString(title_);
        ar.WriteString(date_.GetText());
        ar.WriteString(pageRange_);
    } else {
        authors_ = ar.ReadString();
        title_ = ar.ReadString();
        date_ = ar.ReadString();
        pageRange_ = ar.ReadString();
    }
}

// ---- CPubDatabase ----

const StringList& CPubDatabase::Validate(int row) {
    GetMessages().clear();
    const std::string prefix = GetMessagePrefix(row);
    CheckDatabaseReference(prefix);
    CheckRequiredRange(prefix);
    return GetMessages();
}

}  // namespace qln
