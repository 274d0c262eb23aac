// Features: coding regions, exons, introns, mature peptides, any other key,
// and the comment an artificial or unknown organism needs.
#pragma once

#include <string>

#include "model/Model.h"

namespace qln {

class CSequence;

class CFeature : public CModel {
    QLN_DECLARE_CLASS(CFeature)
public:
    CFeature() = default;
    CFeature(CModel* owner, std::string key, std::string comment, std::string from, std::string to, bool joined);
    CFeature(const CFeature& other);

    void Serialize(CArchive& ar) override;
    // Owning sequence's prefix, then, unless the row is -1, "Feature Screen:Row "
    // and the row text.
    virtual std::string GetMessagePrefix(int row) const;
    using CModel::GetMessagePrefix;
    virtual Ptr<CFeature> Clone() const;

    // The record check of one feature. Sets locationError when the fault is
    // in the location, so that the screen can put the cursor there; it never
    // clears it, so one flag can collect the faults of several features.
    // Removes leading white space from key, comment, From and To. Fetches the
    // owning sequence's residues, so a residue file that can't be read throws
    // CResidueFileError; without an owning sequence the length counts as 0.
    const StringList& CheckFeature(int row, bool& locationError);

    const std::string& GetKey() const { return key_; }
    void SetKey(std::string key) { key_ = std::move(key); }
    const std::string& GetComment() const { return comment_; }
    void SetComment(std::string comment) { comment_ = std::move(comment); }
    const std::string& GetFromText() const { return from_; }
    void SetFromText(std::string from) { from_ = std::move(from); }
    const std::string& GetToText() const { return to_; }
    void SetToText(std::string to) { to_ = std::move(to); }
    // Leading decimal number of the text; 0 for empty or non-numeric text.
    int GetFrom() const { return PositionValue(from_); }
    int GetTo() const { return PositionValue(to_); }
    bool IsJoined() const { return joined_; }
    void SetJoined(bool joined) { joined_ = joined; }
    int32_t GetReserved() const { return reserved_; }
    void SetReserved(int32_t value) { reserved_ = value; }
    int32_t GetRow() const { return row_; }
    void SetRow(int32_t row) { row_ = row; }

    // The owning sequence, when the parent is one.
    CSequence* GetSequence() const;
    // Read as the C library reads a decimal number: leading white space and
    // a sign are accepted, then the leading digits; no digits gives 0 (so
    // "<5" is 0). Values beyond the int range are clamped to it.
    static int PositionValue(const std::string& text);

private:
    std::string key_;
    std::string comment_;
    std::string from_;
    std::string to_;
    bool joined_ = false;
    int32_t reserved_ = 0;
    int32_t row_ = 0;
};

// Coding region.
class CDS : public CFeature {
    QLN_DECLARE_CLASS(CDS)
public:
    static constexpr const char* kKey = "CDS";
    CDS() = default;
    CDS(CModel* owner, std::string comment, std::string from, std::string to, bool joined = false)
        : CFeature(owner, kKey, std::move(comment), std::move(from), std::move(to), joined) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new CDS(*this)); }
    // Coding residues of the joined regions before this one; set by the
    // coding-region check.
    int32_t GetCodingOffset() const { return codingOffset_; }
    void SetCodingOffset(int32_t offset) { codingOffset_ = offset; }

private:
    int32_t codingOffset_ = 0;
};

class CExon : public CFeature {
    QLN_DECLARE_CLASS(CExon)
public:
    static constexpr const char* kKey = "exon";
    CExon() = default;
    CExon(CModel* owner, std::string comment, std::string from, std::string to, bool joined = false)
        : CFeature(owner, kKey, std::move(comment), std::move(from), std::move(to), joined) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new CExon(*this)); }
};

class CIntron : public CFeature {
    QLN_DECLARE_CLASS(CIntron)
public:
    static constexpr const char* kKey = "intron";
    CIntron() = default;
    CIntron(CModel* owner, std::string comment, std::string from, std::string to, bool joined = false)
        : CFeature(owner, kKey, std::move(comment), std::move(from), std::move(to), joined) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new CIntron(*this)); }
};

class CMatPeptide : public CFeature {
    QLN_DECLARE_CLASS(CMatPeptide)
public:
    static constexpr const char* kKey = "mat_peptide";
    CMatPeptide() = default;
    CMatPeptide(CModel* owner, std::string comment, std::string from, std::string to, bool joined = false)
        : CFeature(owner, kKey, std::move(comment), std::move(from), std::move(to), joined) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new CMatPeptide(*this)); }
};

// Any other key, kept as entered.
class COtherFeature : public CFeature {
    QLN_DECLARE_CLASS(COtherFeature)
public:
    COtherFeature() = default;
    COtherFeature(CModel* owner, std::string key, std::string comment, std::string from, std::string to,
                  bool joined = false)
        : CFeature(owner, std::move(key), std::move(comment), std::move(from), std::move(to), joined) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new COtherFeature(*this)); }
};

// The comment of a sequence whose organism is artificial or unknown.
class CCommentFeature : public CFeature {
    QLN_DECLARE_CLASS(CCommentFeature)
public:
    CCommentFeature() = default;
    explicit CCommentFeature(CModel* owner, std::string comment = {})
        : CFeature(owner, {}, std::move(comment), {}, {}, false) {}
    Ptr<CFeature> Clone() const override { return Ptr<CFeature>(new CCommentFeature(*this)); }
};

// The feature class for a key typed on the feature screen: "CDS", "Exon",
// "Mat_Peptide" and "Intron" (any letter case) give their own classes.
Ptr<CFeature> MakeFeatureForKey(CModel* owner, const std::string& key, std::string comment, std::string from,
                                std::string to, bool joined = false);

}  // namespace qln
