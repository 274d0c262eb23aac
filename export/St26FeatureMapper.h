// One feature of a sequence as a feature of the listing, mapped in four
// steps: its span, the end of a mature peptide, its key, and its qualifiers.
// Each step tells the report what it changed and, when the feature cannot
// be written, why.
#pragma once

#include <optional>
#include <string>

#include "export/St26EntryReport.h"
#include "export/St26SequenceData.h"

namespace qln {

class CFeature;
class CCodonTranslator;

// Positions from..to of a sequence, both included.
struct CSt26FeatureSpan {
    int from = 0;
    int to = 0;

    int Length() const { return to - from + 1; }
    // As the listing writes it: "5", or "5..9".
    std::string Text() const;
};

class CSt26FeatureMapper {
public:
    // For the features of a sequence of length residues, amino acids when
    // protein; a nucleotide sequence's stop codons are read with codons.
    CSt26FeatureMapper(CSt26EntryReport& report, CCodonTranslator& codons, bool protein, int length)
        : report_(report), codons_(codons), protein_(protein), length_(length) {}

    // The feature as the listing writes it; nothing when it is dropped or
    // cannot be written.
    std::optional<CSt26Feature> Map(const CFeature& feature);

    // The steps of Map, in its order.

    // The span the feature gives: the whole sequence when it gives none;
    // nothing when its ends are not numbers.
    std::optional<CSt26FeatureSpan> Span(const CFeature& feature);
    // A mature peptide gives its start only: it runs to the end of the
    // protein, or to the end of the coding region it lies in, less the stop
    // codon. Nothing when a nucleotide one lies in no coding region.
    std::optional<CSt26FeatureSpan> MatPeptideSpan(const CFeature& feature, int from);
    // False when the span leaves the sequence.
    bool Inside(const CFeature& feature, const CSt26FeatureSpan& span);
    // The feature under the listing's name of its key, with the qualifier
    // that name implies; nothing for a source feature (the listing has its
    // own) and for a key the listing does not know.
    std::optional<CSt26Feature> Keyed(const CFeature& feature, const CSt26FeatureSpan& span);
    // The qualifiers the key cannot go without, taken from the comment where
    // they are text or begin it; what is left of the comment becomes the
    // note. False after an error.
    bool AddQualifiers(CSt26Feature& out, const CFeature& feature, int spanLength);

private:
    bool AddMandatoryQualifiers(CSt26Feature& out, int spanLength, std::string& comment);
    // A qualifier with a list of values: the term the comment begins with,
    // else the list's "other" (or "OTHER" for a modified base).
    bool AddListedQualifier(CSt26Feature& out, const std::string& name, std::string& comment);
    // A free-text qualifier such as the bound moiety: the whole comment.
    bool AddTextQualifier(CSt26Feature& out, const std::string& name, std::string& comment);

    CSt26EntryReport& report_;
    CCodonTranslator& codons_;
    bool protein_;
    int length_;
};

}  // namespace qln
