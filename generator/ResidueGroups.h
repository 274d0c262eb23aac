// The residue groups of the listing's residue layout: plain groups of ten
// outside coding regions, groups of three (codons) inside coding regions and
// the exons that carry a reading frame. A codon split between two stretches
// is made of linked pieces that are translated once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qln {

class CSequence;
class CDS;
class CExon;
class CCodonTranslator;
struct CCodonTranslation;

// A stretch of positions grouped in codons: a coding region, an exon that
// continues one, or an exon found on its own.
struct CCodonSpan {
    int from = 0;  // 1-based, both ends included
    int to = 0;
    const CDS* region = nullptr;
    const CExon* exon = nullptr;
};

// Where the codon spans of a nucleotide sequence lie.
class CCodonSpanPlan {
public:
    // The codon spans of a nucleotide sequence with this many residues, in
    // the order the layout meets them. Regions and exons that lie outside
    // the residues or end before they begin are left out.
    static std::vector<CCodonSpan> ForSequence(const CSequence& sequence, int residueCount);
    // The same from the regions and exons themselves, each list sorted by
    // From: outside a span, a region or exon beginning within the next ten
    // positions starts the next span, a region being preferred when both
    // begin there; after a region, an exon holding the next position
    // continues the reading frame up to its end.
    static std::vector<CCodonSpan> Plan(const std::vector<CCodonSpan>& regions, const std::vector<CCodonSpan>& exons);
};

// One group of the residue layout, with what is printed under it.
struct CResidueGroup {
    std::string_view residues;
    int position = 0;                  // 1-based position of the first residue
    const CCodonSpan* span = nullptr;  // null for a plain group
    bool holdsMatPeptideStart = false;
    std::string_view translation;  // shown under the group; empty when nothing shows
    std::string_view codon;        // the whole codon, when a translation shows
    bool stop = false;             // part of a stop codon
    bool unknown = false;          // shows an amino acid translated as "Xaa"
    // Amino-acid ordinal of the group's codon (for a stop codon, the one the
    // next amino acid gets); 0 for a partial codon that is never completed.
    int ordinal = 0;
    int number = 0;  // printed under the group; 0 for none
};

// Cuts a residue text into the groups of the residue layout, one after another.
class CResidueGrouper {
public:
    // matPeptideStart is the position of the mature peptide's first residue,
    // or 0 when there is none.
    // The grouper keeps referring to the spans, so they must outlive it.
    CResidueGrouper(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                    CCodonTranslator& translator);
    CResidueGrouper(std::string_view, std::vector<CCodonSpan>&&, int, CCodonTranslator&) = delete;

    // Numbers are counted relative to the amino acid of this ordinal (it
    // becomes 1, the one before it -1); 0 counts from the first amino acid.
    void SetNumberingBase(int base) { base_ = base; }
    int NumberFor(int ordinal) const;

    bool Next(CResidueGroup& group);

    // A whole codon ahead, as the next codon groups would show it.
    struct CodonAhead {
        const char* residues = nullptr;
        const CCodonSpan* span = nullptr;
        int position = 0;
        char translation[3] = {};
        bool stop = false;
        int number = 0;
        int aminoAcidsAfter = 0;  // amino acids counted once this codon is taken
    };
    // The next groups, up to max of them, as long as they are whole codons of
    // one span with three-letter translations; none when the next group is
    // plain or a piece of a split codon. Nothing is taken.
    int PeekWholeCodons(CodonAhead* ahead, int max);
    // Takes the first count codons that PeekWholeCodons gave.
    void TakeWholeCodons(const CodonAhead* ahead, int count);

    // Residues ahead that make plain groups of ten (the last one possibly
    // shorter) before the next codon span or the end.
    int PlainResiduesAhead() const;
    // Passes over count residues of plain groups (a multiple of ten, at most
    // PlainResiduesAhead()) and returns their first one.
    const char* SkipPlain(int count);

    // The ordinal of the codon holding the mature peptide's first residue,
    // found by a first pass over the groups; 0 when no codon holds it.
    static int FindNumberingBase(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                                 CCodonTranslator& translator);

private:
    // A codon split between spans, followed piece by piece.
    struct SplitCodon {
        bool active = false;
        int stillNeeded = 0;  // residues the next pieces must bring
        int piece = 0;        // pieces made so far
        int shownAt = 0;      // the piece that shows the amino acid
        bool complete = false;
        bool stop = false;
        bool unknown = false;
        int ordinal = 0;
        char codon[3] = {};
        std::string_view translation;
        std::string aminoAcid;
    };

    void Reset(CResidueGroup& group, const CCodonSpan* span) const;
    void MakePlain(CResidueGroup& group, int length);
    void MakeCodon(CResidueGroup& group, const CCodonSpan& span);
    void StartSplitCodon(int length);
    void Show(CResidueGroup& group, const CCodonTranslation& translation, std::string_view codon, int ordinal) const;
    int CountAminoAcid(bool stop);

    std::string_view residues_;
    const std::vector<CCodonSpan>& spans_;
    int matPeptideStart_;
    CCodonTranslator& translator_;
    int size_;
    int position_ = 1;
    size_t span_ = 0;  // the span being grouped, or the next one
    bool inSpan_ = false;
    int aminoAcids_ = 0;  // amino acids counted so far
    int base_ = 0;
    SplitCodon split_;
};

}  // namespace qln
