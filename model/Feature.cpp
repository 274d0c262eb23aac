#include "model/Feature.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "model/Archive.h"
#include "model/AsciiText.h"
#include "model/Sequence.h"

namespace qln {

QLN_IMPLEMENT_ABSTRACT(CFeature, CModel)
QLN_IMPLEMENT_SERIAL(CDS, CFeature)
QLN_IMPLEMENT_SERIAL(CExon, CFeature)
QLN_IMPLEMENT_SERIAL(CIntron, CFeature)
QLN_IMPLEMENT_SERIAL(CMatPeptide, CFeature)
QLN_IMPLEMENT_SERIAL(COtherFeature, CFeature)
QLN_IMPLEMENT_SERIAL(CCommentFeature, CFeature)

CFeature::CFeature(CModel* owner, std::string key, std::string comment, std::string from, std::string to, bool joined)
    : CModel(owner),
      key_(std::move(key)),
      comment_(std::move(comment)),
      from_(std::move(from)),
      to_(std::move(to)),
      joined_(joined) {}

CFeature::CFeature(const CFeature& other)
    : CRefCount(),
      CModel(other),
      key_(other.key_),
      comment_(other.comment_),
      from_(other.from_),
      to_(other.to_),
      joined_(other.joined_),
      reserved_(other.reserved_),
      row_(other.row_) {}

Ptr<CFeature> CFeature::Clone() const { return Ptr<CFeature>(new CFeature(*this)); }

int CFeature::PositionValue(const std::string& text) {
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX || (errno == ERANGE && value > 0)) return INT_MAX;
    if (value < INT_MIN || (errno == ERANGE && value < 0)) return INT_MIN;
    return static_cast<int>(value);
}

CSequence* CFeature::GetSequence() const { return dynamic_cast<CSequence*>(GetParent()); }

std::string CFeature::GetMessagePrefix(int row) const {
    std::string prefix = ParentPrefix();
    if (row != -1) prefix += "Feature Screen:Row " + RowText(row);
    return prefix;
}

const StringList& CFeature::CheckFeature(int row, bool& locationError) {
    CSequence* sequence = GetSequence();
    // Counting the residues fetches parked ones back first.
    const int residueCount = sequence ? sequence->GetResidueCount() : 0;

    StringList& messages = GetMessages();
    messages.clear();
    // Made only for a message: most features have none.
    auto prefix = [&] { return GetMessagePrefix(row); };
    for (std::string* text : {&key_, &comment_, &from_, &to_})
        text->erase(0, text->size() - TrimmedLeftView(*text).size());

    if (key_.empty()) {
        messages.push_back(prefix() + "Feature Name is required.");
    } else if (EqualsIgnoringCase(key_, "misc_feature") && !comment_.empty()) {
        return messages;
    } else if (EqualsIgnoringCase(key_, CMatPeptide::kKey)) {
        // A mature peptide is located by its first residue alone.
        if (from_.empty() || GetFrom() == 0) {
            locationError = true;
            messages.push_back(prefix() + "Mat_Peptide location is required and can not be 0.");
        } else if (GetFrom() > residueCount) {
            locationError = true;
            messages.push_back(prefix() + "Mat_Peptide location can not be greater than the sequence length.");
        }
        return messages;
    } else if (EqualsIgnoringCase(key_, CDS::kKey) || EqualsIgnoringCase(key_, CExon::kKey) ||
               EqualsIgnoringCase(key_, CIntron::kKey)) {
        if (from_.empty() || to_.empty()) {
            locationError = true;
            messages.push_back(prefix() + key_ + " requires both From and To locations.");
            return messages;
        }
    } else if (from_.empty() != to_.empty()) {
        messages.push_back(prefix() +
                           "From/To: If one of the From or To Field is filled, both of them must be filled.");
        return messages;
    }

    const int from = GetFrom();
    const int to = GetTo();
    if (from < 1) {
        messages.push_back(prefix() + "From: The From must be greater than 0.");
        return messages;
    }
    if (to < 1) {
        messages.push_back(prefix() + "To: The To must be greater than 0.");
        return messages;
    }
    if (to < from) {
        locationError = true;
        messages.push_back(prefix() + "From/To: The From can not be greater than the To.");
    }
    if (from > residueCount) {
        locationError = true;
        messages.push_back(prefix() + "From: The From can not be greater than the sequence length.");
    }
    if (to > residueCount) {
        locationError = true;
        messages.push_back(prefix() + "To: The To can not be greater than the sequence length.");
    }
    return messages;
}

void CFeature::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteString(key_);
        ar.WriteString(comment_);
        ar.WriteString(to_);
        ar.WriteString(from_);
        ar.WriteInt32(joined_ ? 1 : 0);
        ar.WriteInt32(reserved_);
        ar.WriteInt32(row_);
    } else {
        key_ = ar.ReadString();
        comment_ = ar.ReadString();
        to_ = ar.ReadString();
        from_ = ar.ReadString();
        joined_ = ar.ReadInt32() != 0;
        reserved_ = ar.ReadInt32();
        row_ = ar.ReadInt32();
    }
}

Ptr<CFeature> MakeFeatureForKey(CModel* owner, const std::string& key, std::string comment, std::string from,
                                std::string to, bool joined) {
    if (EqualsIgnoringCase(key, CDS::kKey))
        return Ptr<CFeature>(new CDS(owner, std::move(comment), std::move(from), std::move(to), joined));
    if (EqualsIgnoringCase(key, CExon::kKey))
        return Ptr<CFeature>(new CExon(owner, std::move(comment), std::move(from), std::move(to), joined));
    if (EqualsIgnoringCase(key, CMatPeptide::kKey))
        return Ptr<CFeature>(new CMatPeptide(owner, std::move(comment), std::move(from), std::move(to), joined));
    if (EqualsIgnoringCase(key, CIntron::kKey))
        return Ptr<CFeature>(new CIntron(owner, std::move(comment), std::move(from), std::move(to), joined));
    return Ptr<CFeature>(new COtherFeature(owner, key, std::move(comment), std::move(from), std::move(to), joined));
}

}  // namespace qln
