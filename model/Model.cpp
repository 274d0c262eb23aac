#include "model/Model.h"

#include "model/Archive.h"

namespace qln {

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass& other) const {
    for (const CRuntimeClass* c = this; c; c = c->base)
        if (c == &other) return true;
    return false;
}

void CRefCount::Release() {
    if (count_ == kDestroying) return;
    if (--count_ == 0) {
        count_ = kDestroying;
        delete this;
    }
}

const CRuntimeClass CModel::runtimeClass{"CModel", 1, nullptr, []() -> CModel* { return new CModel; }};
const CRuntimeClass CRange::runtimeClass{"CRange", 0xFFFF, nullptr, nullptr};

void CModel::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteObject(parent_);
        ar.WriteStringArray(messages_);
    } else {
        parent_ = ar.ReadObjectOf<CModel>();
        messages_ = ar.ReadStringArray();
    }
}

const StringList& CModel::Validate(int) { return messages_; }

std::string RowText(int row) { return row > 0 ? std::to_string(row) + ": " : std::string(); }

}  // namespace qln
