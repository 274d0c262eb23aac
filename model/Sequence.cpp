#include "model/Sequence.h"

#include <algorithm>
#include <iterator>

#include "model/AminoAcidCode.h"
#include "model/Archive.h"
#include "model/AsciiText.h"
#include "model/CharacterSet.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/ResidueFile.h"

namespace qln {

QLN_IMPLEMENT_ABSTRACT(CSequence, CModel)
QLN_IMPLEMENT_ABSTRACT(CBaseSequence, CSequence)
QLN_IMPLEMENT_SERIAL(CDNASequence, CBaseSequence)
QLN_IMPLEMENT_SERIAL(CRNASequence, CBaseSequence)
QLN_IMPLEMENT_SERIAL(CDNARNASequence, CBaseSequence)
QLN_IMPLEMENT_ABSTRACT(CProteinSequence, CSequence)
QLN_IMPLEMENT_SERIAL(CProtein1Sequence, CProteinSequence)
QLN_IMPLEMENT_SERIAL(CProtein3Sequence, CProteinSequence)

namespace {

constexpr const char* kVersionTag = "V3.3";

int32_t ReadListCount(CArchive& ar) {
    int32_t n = ar.ReadInt32();
    if (n < 0) ar.Fail(CArchiveException::Cause::BadFormat);
    return n;
}

template <class T>
void WriteList(CArchive& ar, const CArray<Ptr<T>>& list) {
    ar.WriteInt32(list.GetSize());
    for (const auto& item : list) ar.WriteObject(item.get());
}

template <class T>
void ReadList(CArchive& ar, CArray<Ptr<T>>& list, CModel* owner) {
    list.RemoveAll();
    for (int32_t i = ReadListCount(ar); i > 0; --i) {
        T* item = ar.ReadRequiredObjectOf<T>();
        item->SetParent(owner);
        list.Add(Ptr<T>(item));
    }
}

}  // namespace

// ---- construction ---------------------------------------------------------------

CSequence::CSequence() : comment_(new CCommentFeature(this)) {}

CSequence::CSequence(CModel* project, std::string name, std::string organism, std::string residues,
                     std::string alphabet, std::string typeName)
    : CModel(project),
      name_(std::move(name)),
      organism_(std::move(organism)),
      residues_(std::move(residues)),
      alphabet_(std::move(alphabet)),
      comment_(new CCommentFeature(this)),
      typeName_(std::move(typeName)),
      project_(dynamic_cast<CProject*>(project)) {}

CSequence::~CSequence() = default;

void CSequence::SetComment(Ptr<CCommentFeature> comment) {
    comment_ = std::move(comment);
    if (comment_) comment_->SetParent(this);
}

void CSequence::ClearWorkingLists() {
    workingFeatures_.RemoveAll();
    codingRegions_.RemoveAll();
    exons_.RemoveAll();
    introns_.RemoveAll();
    matPeptides_.RemoveAll();
}

std::string CSequence::GetMessagePrefix() const { return ParentPrefix() + "Sequence: " + name_ + ": "; }

std::string CSequence::GetListingTypeCode() const {
    return typeName_ == CDNARNASequence::kTypeName ? std::string(CDNASequence::kTypeName) : typeName_;
}

// ---- residue storage -------------------------------------------------------------

void CSequence::ThrowIfLost() const {
    if (residuesLost_) throw CResidueFileError(CResidueFileError::Kind::Read);
}

void CSequence::SetResidues(std::string residues) {
    residues_ = std::move(residues);
    letterCount_ = -1;
    residuesInMemory_ = true;
    residuesLost_ = false;
}

void CSequence::LoadResidues() {
    ThrowIfLost();
    if (residuesInMemory_) return;
    try {
        residues_ = CResidueFiles::Read(temporaryFilePath_);
    } catch (const CResidueFileError&) {
        residuesLost_ = true;
        throw;
    }
    residuesInMemory_ = true;
    residuesChanged_ = false;
}

void CSequence::UnloadResidues() {
    if (!residuesInMemory_ || residues_.size() <= kParkThreshold) return;
    // A sequence built with its residues has no file yet, whatever its
    // changed flag says: parking it without writing would lose them.
    if (residuesChanged_ || temporaryFilePath_.empty()) {
        if (temporaryFilePath_.empty()) temporaryFilePath_ = CResidueFiles::MakeFileName();
        CResidueFiles::Write(temporaryFilePath_, residues_);
        residuesChanged_ = false;
    }
    residuesInMemory_ = false;
    std::string().swap(residues_);
}

const std::string& CSequence::GetResidues() {
    LoadResidues();
    return residues_;
}

int CSequence::GetResidueCount() { return static_cast<int>(GetLetterCount()); }

int64_t CSequence::GetLetterCount() {
    const std::string& text = GetResidues();
    if (letterCount_ < 0)
        letterCount_ = CCharacterSet::Letters().ContainsAll(text)
                           ? static_cast<int64_t>(text.size())
                           : std::count_if(text.begin(), text.end(), IsAsciiLetter);
    return letterCount_;
}

void CSequence::StripToLetters() {
    LoadResidues();
    displayLayout_ = false;
    // The letter count, kept from the checks, often settles it without a pass.
    if (residues_.empty() || residues_ == kNoResidues || GetLetterCount() == static_cast<int64_t>(residues_.size()))
        return;
    residues_.erase(std::remove_if(residues_.begin(), residues_.end(), [](char c) { return !IsAsciiLetter(c); }),
                    residues_.end());
    // The residue file still holds the old text: parking must rewrite it, or
    // the file and the flag would disagree.
    residuesChanged_ = true;
}

const std::string& CSequence::FormatForDisplay(bool* outOfMemory) {
    LoadResidues();
    if (displayLayout_) return residues_;
    try {
        BuildDisplayLayout();
    } catch (const std::bad_alloc&) {
        if (outOfMemory) *outOfMemory = true;
    }
    return residues_;
}

void CSequence::BuildDisplayLayout() {
    StripToLetters();
    if (residues_.empty() || residues_ == kNoResidues) {
        displayLayout_ = true;
        return;
    }
    residues_ = DisplayLayoutOf(residues_);
    displayLayout_ = true;
    residuesChanged_ = true;
}

std::string CSequence::DisplayLayoutOf(std::string_view letters) {
    constexpr size_t kBlock = 10, kBlocksPerLine = 6, kLineWidth = 75;
    const size_t n = letters.size();
    std::string out;
    out.reserve(n + n / kBlock + (n / (kBlock * kBlocksPerLine) + 1) * kLineWidth);
    size_t lineLength = 0, blocksOnLine = 0;
    auto endLine = [&](size_t position) {
        const std::string number = std::to_string(position);
        out.append(kLineWidth - std::min(kLineWidth, lineLength + number.size()), ' ');
        out += number;
    };
    for (size_t start = 0; start < n; start += kBlock) {
        const size_t length = std::min(kBlock, n - start);
        out.append(letters.substr(start, length));
        lineLength += length;
        if (++blocksOnLine == kBlocksPerLine) {
            endLine(start + length);
            out += '\n';
            lineLength = blocksOnLine = 0;
        } else {
            out += ' ';
            ++lineLength;
        }
    }
    if (lineLength > 0) endLine(n);
    return out;
}

// Files written while the flag could drift from the text (and files of other
// programs) are read by what they hold: letters are plain, the exact layout
// of its letters is the display layout, anything else goes back to letters.
void CSequence::MatchLayoutFlagToText() {
    if (residues_.empty() || residues_ == kNoResidues) return;
    if (GetLetterCount() == static_cast<int64_t>(residues_.size())) {
        displayLayout_ = false;
        return;
    }
    std::string letters;
    letters.reserve(static_cast<size_t>(GetLetterCount()));
    std::copy_if(residues_.begin(), residues_.end(), std::back_inserter(letters), IsAsciiLetter);
    if (DisplayLayoutOf(letters) == residues_) {
        displayLayout_ = true;
        return;
    }
    residues_ = std::move(letters);
    displayLayout_ = false;
}

bool CSequence::IsValidResidue(char c) const { return c != '\0' && alphabet_.find(c) != std::string::npos; }

void CSequence::CopyResidueStateFrom(const CSequence& other) {
    residues_ = other.residues_;
    letterCount_ = other.letterCount_;
    temporaryFilePath_ = other.temporaryFilePath_;
    displayLayout_ = other.displayLayout_;
    residuesChanged_ = other.residuesChanged_;
    residuesInMemory_ = other.residuesInMemory_;
    residuesLost_ = other.residuesLost_;
}

void CSequence::CollectRuns(const std::string& text, char unknown, bool positionsOnly, CArray<Ptr<CRange>>& out) {
    int position = 0, runStart = 0;
    for (char c : text) {
        if (!IsAsciiLetter(c)) continue;
        ++position;
        const bool isUnknown = c == unknown || ToLowerAscii(c) == ToLowerAscii(unknown);
        if (positionsOnly) {
            if (isUnknown) out.Add(Ptr<CRange>(new CRange(position, 1)));
        } else if (isUnknown && runStart == 0) {
            runStart = position;
        } else if (!isUnknown && runStart != 0) {
            out.Add(Ptr<CRange>(new CRange(runStart, position - 1)));
            runStart = 0;
        }
    }
    if (!positionsOnly && runStart != 0) out.Add(Ptr<CRange>(new CRange(runStart, position)));
}

bool CSequence::ContainsUnknown(const std::string& text, char unknown) {
    return text.find(ToLowerAscii(unknown)) != std::string::npos ||
           text.find(ToUpperAscii(unknown)) != std::string::npos;
}

// ---- organism ---------------------------------------------------------------------

// Asked for every sequence of a generation run, so no copies are made.
bool CSequence::IsArtificialOrganism(const std::string& organism) {
    const std::string_view o = TrimmedView(organism);
    return EqualsIgnoringCase(o, "artificial") || StartsWithIgnoringCase(o, "artificial ");
}

bool CSequence::IsUnknownOrganism(const std::string& organism) {
    return EqualsIgnoringCase(TrimmedView(organism), "unknown");
}

bool CSequence::IsArtificialOrUnknownOrganism(const std::string& organism) {
    return IsArtificialOrganism(organism) || IsUnknownOrganism(organism);
}

// ---- archive ------------------------------------------------------------------------

void CSequence::Serialize(CArchive& ar) {
    CModel::Serialize(ar);
    if (ar.IsStoring()) {
        LoadResidues();
        ar.WriteString(kVersionTag);
        ar.WriteString(name_);
        ar.WriteString(organism_);
        ar.WriteString(TrimmedLeftView(residues_));
        ar.WriteInt32(residuesValid_);
        ar.WriteInt32(displayLayout_ ? 1 : 0);
        ar.WriteString(alphabet_);
        ar.WriteInt32(reserved_);
        ar.WriteString(typeName_);
        ar.WriteObject(project_);
        WriteList(ar, journals_);
        WriteList(ar, databases_);
        WriteList(ar, patents_);
        WriteList(ar, theses_);
        ar.WriteInt32(features_.GetSize() + 1);
        ar.WriteObject(comment_.get());
        for (const auto& feature : features_) ar.WriteObject(feature.get());
        ar.WriteInt32(skipped_ ? 1 : 0);
        UnloadResidues();
        return;
    }

    std::string first = ar.ReadString();
    const bool versioned = first == kVersionTag;
    name_ = versioned ? ar.ReadString() : std::move(first);
    organism_ = ar.ReadString();
    residues_ = ar.ReadString();
    letterCount_ = -1;
    residuesChanged_ = true;
    residuesInMemory_ = true;
    residuesValid_ = ar.ReadInt32();
    displayLayout_ = ar.ReadInt32() != 0;
    MatchLayoutFlagToText();
    UnloadResidues();
    alphabet_ = ar.ReadString();
    reserved_ = ar.ReadInt32();
    typeName_ = ar.ReadString();
    project_ = ar.ReadObjectOf<CProject>();
    ReadList(ar, journals_, this);
    ReadList(ar, databases_, this);
    ReadList(ar, patents_, this);
    ReadList(ar, theses_, this);

    features_.RemoveAll();
    const int32_t featureCount = ReadListCount(ar);
    comment_ = nullptr;
    for (int32_t i = 0; i < featureCount; ++i) {
        CFeature* feature = ar.ReadRequiredObjectOf<CFeature>();
        feature->SetParent(this);
        if (i == 0 && feature->IsKindOf(CCommentFeature::runtimeClass))
            comment_ = static_cast<CCommentFeature*>(feature);
        else
            features_.Add(Ptr<CFeature>(feature));
    }
    if (!comment_) comment_ = new CCommentFeature(this);
    skipped_ = versioned ? ar.ReadInt32() != 0 : false;
}

void CBaseSequence::Serialize(CArchive& ar) {
    CSequence::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteInt32(static_cast<int32_t>(customCodons_.size()));
        for (const auto& [codon, aminoAcid] : customCodons_) {
            ar.WriteString(codon);
            ar.WriteString(aminoAcid);
        }
        return;
    }
    customCodons_.clear();
    for (int32_t i = ReadListCount(ar); i > 0; --i) {
        std::string codon = ar.ReadString();
        customCodons_[codon] = ar.ReadString();
    }
    sourceSequence_ = nullptr;
}

// ---- nucleotide sequences -------------------------------------------------------------

bool CBaseSequence::IsValidResidue(char c) const { return CSequence::IsValidResidue(ToLowerAscii(c)); }

bool CBaseSequence::HasUnknownResidue() { return ContainsUnknown(GetResidues(), 'n'); }

std::string CBaseSequence::GetUnknownResidueNote() const {
    return "Definition of \"n\" is required in the Other Information field of a \"misc_feature\" %s on the "
           "Feature Screen.";
}

void CBaseSequence::GetUnknownPositions(CArray<Ptr<CRange>>& out) { CollectRuns(GetResidues(), 'n', true, out); }
void CBaseSequence::GetUnknownRuns(CArray<Ptr<CRange>>& out) { CollectRuns(GetResidues(), 'n', false, out); }

Ptr<CSequence> CBaseSequence::MakeWorkingCopy() {
    Ptr<CBaseSequence> copy = CreateSameKind();
    copy->SetParent(GetParent());
    copy->SetName(GetName());
    copy->SetOrganism(GetOrganism());
    copy->CopyResidueStateFrom(*this);
    copy->SetResiduesValid(GetResiduesValid());
    copy->SetAlphabet(GetAlphabet());
    copy->SetReserved(GetReserved());
    copy->SetTypeName(GetTypeName());
    copy->SetProject(GetProject());
    copy->SetSkipped(IsSkipped());
    copy->generatorValue_ = generatorValue_;
    copy->customCodons_ = customCodons_;
    Ptr<CCommentFeature> comment(new CCommentFeature(*GetComment()));
    comment->SetParent(copy.get());
    copy->SetComment(comment);
    return Ptr<CSequence>(copy);
}

void CBaseSequence::TakeOver(CBaseSequence& old) {
    SetResiduesValid(old.GetResiduesValid());
    SetSkipped(old.IsSkipped());
    SetReserved(old.GetReserved());
    CopyResidueStateFrom(old);
    SetProject(old.GetProject());

    customCodons_.clear();
    for (const auto& [codon, aminoAcid] : old.customCodons_) {
        std::string converted = codon;
        if (GetTypeName() == CDNASequence::kTypeName)
            std::replace(converted.begin(), converted.end(), 'u', 't');
        else if (GetTypeName() == CRNASequence::kTypeName)
            std::replace(converted.begin(), converted.end(), 't', 'u');
        customCodons_[converted] = aminoAcid;
    }

    auto adopt = [this](auto& to, auto& from) {
        to.RemoveAll();
        for (auto& item : from) {
            item->SetParent(this);
            to.Add(item);
        }
    };
    adopt(GetFeatures(), old.GetFeatures());
    adopt(GetJournals(), old.GetJournals());
    adopt(GetDatabases(), old.GetDatabases());
    adopt(GetPatents(), old.GetPatents());
    adopt(GetTheses(), old.GetTheses());
    SetComment(Ptr<CCommentFeature>(old.GetComment()));
}

Ptr<CBaseSequence> CBaseSequence::CreateOfType(const std::string& typeName, CModel* project, std::string name,
                                               std::string organism, std::string residues) {
    if (typeName == CDNASequence::kTypeName)
        return Ptr<CBaseSequence>(new CDNASequence(project, std::move(name), std::move(organism), std::move(residues)));
    if (typeName == CRNASequence::kTypeName)
        return Ptr<CBaseSequence>(new CRNASequence(project, std::move(name), std::move(organism), std::move(residues)));
    if (typeName == CDNARNASequence::kTypeName)
        return Ptr<CBaseSequence>(
            new CDNARNASequence(project, std::move(name), std::move(organism), std::move(residues)));
    return {};
}

Ptr<CBaseSequence> CDNASequence::CreateSameKind() {
    return Ptr<CBaseSequence>(new CDNASequence(GetParent(), GetName(), GetOrganism(), {}));
}
Ptr<CBaseSequence> CRNASequence::CreateSameKind() {
    return Ptr<CBaseSequence>(new CRNASequence(GetParent(), GetName(), GetOrganism(), {}));
}
Ptr<CBaseSequence> CDNARNASequence::CreateSameKind() {
    return Ptr<CBaseSequence>(new CDNARNASequence(GetParent(), GetName(), GetOrganism(), {}));
}

// ---- protein sequences -------------------------------------------------------------------

bool CProteinSequence::IsValidResidue(char c) const { return CSequence::IsValidResidue(ToUpperAscii(c)); }

// A three-letter protein's unknown residues are the "X" of its amino acids,
// counted in amino acids, not in the letters of its three-letter text.
bool CProteinSequence::HasUnknownResidue() { return ContainsUnknown(GetAminoAcids(), 'X'); }

std::string CProteinSequence::GetUnknownResidueNote() const {
    return "Definition of \"X\" is required in the Other Information field on a \"MISC_FEATURE\" %s on the "
           "Feature Screen.";
}

void CProteinSequence::GetUnknownPositions(CArray<Ptr<CRange>>& out) { CollectRuns(GetAminoAcids(), 'X', true, out); }
void CProteinSequence::GetUnknownRuns(CArray<Ptr<CRange>>& out) { CollectRuns(GetAminoAcids(), 'X', false, out); }

int CProteinSequence::GetResidueCount() {
    const std::string aminoAcids = GetAminoAcids();
    return static_cast<int>(std::count_if(aminoAcids.begin(), aminoAcids.end(), IsAsciiLetter));
}

Ptr<CSequence> CProtein1Sequence::MakeWorkingCopy() {
    return Ptr<CSequence>(new CProtein1Sequence(GetParent(), GetName(), GetOrganism(), GetResidues()));
}

// The stored text stays three-letter text; the one-letter form is rebuilt
// from it whenever it is needed.
std::string CProtein3Sequence::GetAminoAcids() { return CAminoAcidCode::ToOneLetter(GetResidues()); }

Ptr<CSequence> CProtein3Sequence::MakeWorkingCopy() {
    return Ptr<CSequence>(new CProtein3Sequence(GetParent(), GetName(), GetOrganism(), GetResidues()));
}

}  // namespace qln
