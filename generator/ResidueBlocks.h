// The residue lines of the three kinds of entry: a nucleotide sequence's own
// residues with the translations of its coding regions, a protein's amino
// acids, and the amino acids of a protein entry derived from a nucleotide
// sequence.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/ResidueGroups.h"

namespace qln {

class CEntryBuffer;
class CCodonTranslator;

class CResidueBlocks {
public:
    // Positions of a run of coding-region codons that a derived entry is made of.
    struct Stretch {
        int from = 0;
        int to = 0;
        friend bool operator==(const Stretch&, const Stretch&) = default;
    };
    // A codon of a derived entry translated as "Xaa", and the number it has
    // on the number line.
    struct UnknownCodon {
        int number = 0;
        std::string codon;
    };

    CResidueBlocks(CEntryBuffer& buffer, CCodonTranslator& translator, const std::function<bool()>& isCancelled);

    // Each returns false when the run was cancelled part-way.

    // With stretches given, the runs of codons of one coding region between
    // stop codons are collected into it.
    bool Nucleotide(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                    std::vector<Stretch>* stretches);
    // The stretches Nucleotide collects, found without laying anything out.
    static std::vector<Stretch> CodingStretches(std::string_view residues, const std::vector<CCodonSpan>& spans,
                                                CCodonTranslator& translator);
    // Amino acids in one-letter code, numbered from the mature peptide's
    // start when there is one.
    bool Protein(std::string_view aminoAcids, int matPeptideStart);
    // The same through the general line builder, for letters that have no
    // three-letter code.
    bool ProteinWithBuilder(std::string_view aminoAcids, int matPeptideStart);
    // The codons of a derived entry, numbered relative to the amino acid of
    // ordinal numberingBase (0 for none).
    bool Derived(std::string_view codingText, int numberingBase);

    // A first pass over a derived entry: its numbering base (the ordinal of
    // the codon holding the mature peptide's start, 0 for none) and its
    // codons translated as "Xaa".
    static int ScanDerived(std::string_view codingText, int matPeptideStart, CCodonTranslator& translator,
                           std::vector<UnknownCodon>& unknown);
    // Groups of three, the last one possibly shorter.
    static size_t DerivedGroupCount(size_t length) { return (length + 2) / 3; }
    // Position relative to a mature peptide starting at base (1 there, -1
    // just before); the position itself when base is 0.
    static int RelativeNumber(int position, int base);

private:
    // Every so often: hands large pieces to the stream and asks whether the
    // run was cancelled.
    bool KeepGoing();

    CEntryBuffer& buffer_;
    CCodonTranslator& translator_;
    const std::function<bool()>& isCancelled_;
    unsigned steps_ = 0;
};

}  // namespace qln
