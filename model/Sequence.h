// Sequences: the entries of the listing, of five kinds, with their residue
// storage. Residues longer than 100 characters are parked in a residue file
// of their own while nobody uses them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "model/Model.h"

namespace qln {

class CProject;
class CFeature;
class CCommentFeature;
class CDS;
class CExon;
class CIntron;
class CMatPeptide;
class CJournal;
class CPubDatabase;
class CPatent;
class CThesis;

class CSequence : public CModel {
    QLN_DECLARE_CLASS(CSequence)
public:
    // Residue text of a sequence that keeps its number without data.
    static constexpr const char* kNoResidues = "000";
    // Residues of this many characters or fewer always stay in memory.
    static constexpr size_t kParkThreshold = 100;

    ~CSequence() override;
    CSequence(const CSequence&) = delete;

    void Serialize(CArchive& ar) override;
    // The record checks of the sequence; they live with the other checks.
    const StringList& Validate(int row) override;
    // Parent's prefix + "Sequence: " + name + ": ".
    std::string GetMessagePrefix() const override;

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& GetOrganism() const { return organism_; }
    void SetOrganism(std::string organism) { organism_ = std::move(organism); }
    const std::string& GetTypeName() const { return typeName_; }
    void SetTypeName(std::string typeName) { typeName_ = std::move(typeName); }
    const std::string& GetAlphabet() const { return alphabet_; }
    void SetAlphabet(std::string alphabet) { alphabet_ = std::move(alphabet); }
    // Listing item 212: "DNA" for DNA/RNA, the type name otherwise.
    std::string GetListingTypeCode() const;
    const std::string& GetSourceReference() const { return sourceReference_; }
    void SetSourceReference(std::string file) { sourceReference_ = std::move(file); }

    int32_t GetResiduesValid() const { return residuesValid_; }
    void SetResiduesValid(int32_t valid) { residuesValid_ = valid; }
    int32_t GetReserved() const { return reserved_; }
    void SetReserved(int32_t value) { reserved_ = value; }
    bool IsSkipped() const { return skipped_; }
    void SetSkipped(bool skipped) { skipped_ = skipped; }
    bool IsDisplayLayout() const { return displayLayout_; }
    void SetDisplayLayout(bool display) { displayLayout_ = display; }
    bool AreResiduesChanged() const { return residuesChanged_; }
    void SetResiduesChanged(bool changed) { residuesChanged_ = changed; }
    bool AreResiduesInMemory() const { return residuesInMemory_; }
    const std::string& GetTemporaryFilePath() const { return temporaryFilePath_; }

    CProject* GetProject() const { return project_; }
    void SetProject(CProject* project) { project_ = project; }

    CArray<Ptr<CFeature>>& GetFeatures() { return features_; }
    const CArray<Ptr<CFeature>>& GetFeatures() const { return features_; }
    CArray<Ptr<CFeature>>& GetWorkingFeatures() { return workingFeatures_; }
    // Working lists of the feature checks, rebuilt by each check.
    CArray<Ptr<CDS>>& GetCodingRegions() { return codingRegions_; }
    CArray<Ptr<CExon>>& GetExons() { return exons_; }
    CArray<Ptr<CIntron>>& GetIntrons() { return introns_; }
    CArray<Ptr<CMatPeptide>>& GetMatPeptides() { return matPeptides_; }
    void ClearWorkingLists();
    CCommentFeature* GetComment() const { return comment_.get(); }
    void SetComment(Ptr<CCommentFeature> comment);
    CArray<Ptr<CJournal>>& GetJournals() { return journals_; }
    CArray<Ptr<CPubDatabase>>& GetDatabases() { return databases_; }
    CArray<Ptr<CPatent>>& GetPatents() { return patents_; }
    CArray<Ptr<CThesis>>& GetTheses() { return theses_; }
    const CArray<Ptr<CJournal>>& GetJournals() const { return journals_; }
    const CArray<Ptr<CPubDatabase>>& GetDatabases() const { return databases_; }
    const CArray<Ptr<CPatent>>& GetPatents() const { return patents_; }
    const CArray<Ptr<CThesis>>& GetTheses() const { return theses_; }

    // ---- residues ----
    // Replaces the residue text; the caller sets residues changed and the
    // display layout flag to match what it stores.
    virtual void SetResidues(std::string residues);
    // Fetches parked residues back from the residue file. Throws
    // CResidueFileError when the file can't be read; the sequence then holds
    // no residues and keeps refusing to hand any out.
    virtual void LoadResidues();
    // Parks residues longer than 100 characters in the residue file. Throws
    // CResidueFileError when it can't be written; the residues stay in memory.
    virtual void UnloadResidues();
    // Loads if parked and returns the residue text.
    virtual const std::string& GetResidues();
    // Number of residues: the alphabetic characters of the residue text (for
    // a three-letter protein, its amino acids).
    virtual int GetResidueCount();
    // The alphabetic characters of the residue text, counted once until the
    // text changes.
    int64_t GetLetterCount();
    // Back to plain letters ("000" stays as it is).
    void StripToLetters();
    // The editor's layout: blocks of ten, six to a line, each line ending in
    // its position right-aligned in column 75. When memory runs out the text
    // is returned unchanged and outOfMemory is set.
    const std::string& FormatForDisplay(bool* outOfMemory = nullptr);
    // The display layout of a text of letters only.
    static std::string DisplayLayoutOf(std::string_view letters);
    virtual bool IsValidResidue(char c) const;

    // ---- unknown residues ("n" or "X") ----
    virtual bool HasUnknownResidue() { return false; }
    virtual std::string GetUnknownResidueNote() const { return {}; }
    // One range per unknown residue: its position, and 1.
    virtual void GetUnknownPositions(CArray<Ptr<CRange>>& out) = 0;
    // One range per maximal run of unknown residues: first and last position.
    virtual void GetUnknownRuns(CArray<Ptr<CRange>>& out) = 0;

    // A copy for the feature and publication screens to edit; features and
    // publications are not copied.
    virtual Ptr<CSequence> MakeWorkingCopy() = 0;

    // ---- checks (they live with the other checks) ----
    // The residue character check. Returns 1 when the residues are
    // acceptable, 0 otherwise, and keeps the result in the residues-valid
    // flag. With repair on, rejected characters are dropped.
    virtual int CheckResidues(const std::string& name, bool repair = false);
    // The importers' variant: always the DNA set; a "u" sets rnaSeen instead
    // of giving a message.
    virtual int CheckResiduesForImport(const std::string& name, bool repair, bool& rnaSeen);
    // The checks between features (and, for nucleotides, of the coding
    // regions), appending to the messages.
    virtual void RunFeatureChecks(int row);
    // Clears the messages, strips the residues to letters, runs the feature
    // checks and returns the messages (the feature screen's check).
    virtual const StringList& CheckedFeatures(int row);
    // With the project's missing-features switch on: a message for every
    // unknown residue that no suitable feature covers.
    void CheckMissingFeatures();

    // ---- organism ----
    static bool IsArtificialOrUnknownOrganism(const std::string& organism);
    static bool IsArtificialOrganism(const std::string& organism);
    static bool IsUnknownOrganism(const std::string& organism);
    bool IsArtificialOrUnknown() const { return IsArtificialOrUnknownOrganism(organism_); }
    bool IsArtificial() const { return IsArtificialOrganism(organism_); }
    bool IsUnknown() const { return IsUnknownOrganism(organism_); }

protected:
    // For loading: alphabet and type name come from the file.
    CSequence();
    // A new sequence of the given kind; the parent is the given record and
    // the project pointer is set when that record is a project.
    CSequence(CModel* project, std::string name, std::string organism, std::string residues, std::string alphabet,
              std::string typeName);

    void CopyResidueStateFrom(const CSequence& other);
    // Unknown residues are found in either letter case.
    static bool ContainsUnknown(const std::string& text, char unknown);
    // Positions count letters only, so the display layout gives the same ranges.
    static void CollectRuns(const std::string& text, char unknown, bool positionsOnly, CArray<Ptr<CRange>>& out);

private:
    void ThrowIfLost() const;
    void BuildDisplayLayout();
    void MatchLayoutFlagToText();

    std::string name_;
    std::string organism_;
    std::string residues_;
    std::string sourceReference_;
    int32_t residuesValid_ = 0;
    std::string alphabet_;
    CArray<Ptr<CFeature>> features_;
    CArray<Ptr<CFeature>> workingFeatures_;
    Ptr<CCommentFeature> comment_;
    int32_t reserved_ = 0;
    std::string typeName_;
    CArray<Ptr<CJournal>> journals_;
    CArray<Ptr<CPubDatabase>> databases_;
    CArray<Ptr<CPatent>> patents_;
    CArray<Ptr<CThesis>> theses_;
    CArray<Ptr<CDS>> codingRegions_;
    CArray<Ptr<CExon>> exons_;
    CArray<Ptr<CIntron>> introns_;
    CArray<Ptr<CMatPeptide>> matPeptides_;
    std::string temporaryFilePath_;
    bool residuesChanged_ = false;
    bool residuesInMemory_ = true;
    bool displayLayout_ = false;
    bool skipped_ = false;
    // Letters of the residue text, counted once until the text changes
    // (stripping, formatting and parking leave the count as it is); -1 when
    // not counted yet.
    int64_t letterCount_ = -1;
    // Set when the residue file could not be read back: the residues are
    // gone, and nothing may be saved or generated from this sequence.
    bool residuesLost_ = false;
    CProject* project_ = nullptr;
};

// Nucleotide sequences: DNA, RNA and DNA/RNA.
class CBaseSequence : public CSequence {
    QLN_DECLARE_CLASS(CBaseSequence)
public:
    using CodonTable = std::map<std::string, std::string>;

    void Serialize(CArchive& ar) override;
    const StringList& Validate(int row) override;
    bool IsValidResidue(char c) const override;
    bool HasUnknownResidue() override;
    std::string GetUnknownResidueNote() const override;
    void GetUnknownPositions(CArray<Ptr<CRange>>& out) override;
    void GetUnknownRuns(CArray<Ptr<CRange>>& out) override;
    Ptr<CSequence> MakeWorkingCopy() override;
    // Relation checks, then the coding-region checks.
    void RunFeatureChecks(int row) override;

    // Codon translation: the custom table first, then the standard one, else
    // "Xaa". Stop codons translate to three spaces.
    std::string TranslateCodon(const std::string& codon) const;
    // A stop codon that the custom table does not redefine.
    bool IsStopCodon(const std::string& codon) const;
    // The amino acids an untranslatable codon may stand for, as listing text.
    std::string ExplainXaa(const std::string& codon) const;
    // The bases a nucleotide code letter stands for, for this sequence's kind.
    std::string ExpandAmbiguity(char code) const;

    CodonTable& GetCustomCodons() { return customCodons_; }
    const CodonTable& GetCustomCodons() const { return customCodons_; }
    CArray<Ptr<CBaseSequence>>& GetDerivedSequences() { return derivedSequences_; }
    int32_t GetGeneratorValue() const { return generatorValue_; }
    void SetGeneratorValue(int32_t value) { generatorValue_ = value; }
    CBaseSequence* GetSourceSequence() const { return sourceSequence_; }
    void SetSourceSequence(CBaseSequence* source) { sourceSequence_ = source; }
    CArray<Ptr<CRange>>& GetRanges() { return ranges_; }
    std::string& GetNote() { return note_; }

    // Takes over another nucleotide sequence whose kind the user changed:
    // its flags, residue state, features, comment and publications (each
    // re-parented to this one) and its custom codons converted to this
    // sequence's kind. The project then replaces the old one with this one.
    void TakeOver(CBaseSequence& old);
    // A new, empty nucleotide sequence of the kind with this type name
    // ("DNA", "RNA" or "DNA/RNA"), or null for any other name.
    static Ptr<CBaseSequence> CreateOfType(const std::string& typeName, CModel* project, std::string name,
                                           std::string organism, std::string residues);

protected:
    using CSequence::CSequence;
    virtual Ptr<CBaseSequence> CreateSameKind() = 0;

private:
    CodonTable customCodons_;
    CArray<Ptr<CBaseSequence>> derivedSequences_;
    int32_t generatorValue_ = 0;
    CBaseSequence* sourceSequence_ = nullptr;
    CArray<Ptr<CRange>> ranges_;
    std::string note_;
};

class CDNASequence : public CBaseSequence {
    QLN_DECLARE_CLASS(CDNASequence)
public:
    static constexpr const char* kAlphabet = "agctrymkswbdhvn";
    static constexpr const char* kTypeName = "DNA";
    CDNASequence() = default;
    CDNASequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CBaseSequence(project, std::move(name), std::move(organism), std::move(residues), kAlphabet, kTypeName) {}

protected:
    Ptr<CBaseSequence> CreateSameKind() override;
};

class CRNASequence : public CBaseSequence {
    QLN_DECLARE_CLASS(CRNASequence)
public:
    // "m" appears twice, as it always has.
    static constexpr const char* kAlphabet = "agcurymkswbdhvnm";
    static constexpr const char* kTypeName = "RNA";
    CRNASequence() = default;
    CRNASequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CBaseSequence(project, std::move(name), std::move(organism), std::move(residues), kAlphabet, kTypeName) {}

protected:
    Ptr<CBaseSequence> CreateSameKind() override;
};

// A nucleotide sequence that mixes DNA and RNA.
class CDNARNASequence : public CBaseSequence {
    QLN_DECLARE_CLASS(CDNARNASequence)
public:
    static constexpr const char* kAlphabet = "agcturymkswbdhvn";
    static constexpr const char* kTypeName = "DNA/RNA";
    CDNARNASequence() = default;
    CDNARNASequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CBaseSequence(project, std::move(name), std::move(organism), std::move(residues), kAlphabet, kTypeName) {}

protected:
    Ptr<CBaseSequence> CreateSameKind() override;
};

// Protein sequences, in the one-letter or the three-letter code.
class CProteinSequence : public CSequence {
    QLN_DECLARE_CLASS(CProteinSequence)
public:
    static constexpr const char* kAlphabet = "ARNDBCQEZGHILKMFPSTWYVX";
    static constexpr const char* kTypeName = "PRT";

    const StringList& Validate(int row) override;
    bool IsValidResidue(char c) const override;
    bool HasUnknownResidue() override;
    std::string GetUnknownResidueNote() const override;
    void GetUnknownPositions(CArray<Ptr<CRange>>& out) override;
    void GetUnknownRuns(CArray<Ptr<CRange>>& out) override;
    // The letters of the one-letter text (GetAminoAcids).
    int GetResidueCount() override;
    // The protein in one-letter code: what the listing, the counts, the
    // unknown-residue searches and the feature checks work on.
    virtual std::string GetAminoAcids() { return GetResidues(); }

protected:
    CProteinSequence() = default;
    CProteinSequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CSequence(project, std::move(name), std::move(organism), std::move(residues), kAlphabet, kTypeName) {}
};

// A protein in the one-letter code.
class CProtein1Sequence : public CProteinSequence {
    QLN_DECLARE_CLASS(CProtein1Sequence)
public:
    CProtein1Sequence() = default;
    CProtein1Sequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CProteinSequence(project, std::move(name), std::move(organism), std::move(residues)) {}
    Ptr<CSequence> MakeWorkingCopy() override;
};

// A protein in the three-letter code (MetLys...), kept as it was typed.
class CProtein3Sequence : public CProteinSequence {
    QLN_DECLARE_CLASS(CProtein3Sequence)
public:
    CProtein3Sequence() = default;
    CProtein3Sequence(CModel* project, std::string name, std::string organism, std::string residues)
        : CProteinSequence(project, name, std::move(organism), residues), originalResidues_(std::move(residues)) {}
    Ptr<CSequence> MakeWorkingCopy() override;
    // Checks the three-letter text; never replaces it with one-letter text.
    int CheckResidues(const std::string& name, bool repair = false) override;
    // One-letter text built from the three-letter text: white space removed,
    // each complete known triple gives its code, anything else gives nothing.
    std::string GetAminoAcids() override;
    // The residue text exactly as given to the constructor.
    const std::string& GetOriginalResidues() const { return originalResidues_; }

private:
    std::string originalResidues_;
};

}  // namespace qln
