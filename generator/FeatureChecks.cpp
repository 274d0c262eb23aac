// The checks between the features of a sequence (overlaps, repeated mature
// peptides), the coding-region checks of nucleotide sequences, and codon
// translation.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "generator/CodeTables.h"
#include "generator/StopCodonFinder.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {

namespace {

// Prefix of a feature's messages, with the feature's own row.
std::string PrefixOf(const CFeature& feature) { return feature.GetMessagePrefix(feature.GetRow()); }

std::string RowOf(const CFeature& feature) { return std::to_string(feature.GetRow()); }

// True when the value lies in the feature's range, both ends included.
bool Within(int value, const CFeature& range) { return range.GetFrom() <= value && value <= range.GetTo(); }

bool EitherEndWithin(const CFeature& feature, const CFeature& range) {
    return Within(feature.GetFrom(), range) || Within(feature.GetTo(), range);
}

template <class T>
void AddIfKindOf(const Ptr<CFeature>& feature, CArray<Ptr<T>>& list) {
    if (feature->IsKindOf(T::runtimeClass)) list.Add(Ptr<T>(static_cast<T*>(feature.get())));
}

// An exon that shares the region's first or last position lines up with it;
// any other exon must not start or end strictly inside the region.
bool ExonBreaksRegion(const CExon& exon, const CDS& region) {
    const int from = region.GetFrom(), to = region.GetTo();
    const int exonFrom = exon.GetFrom(), exonTo = exon.GetTo();
    if (exonFrom == from || exonTo == to) return false;
    return (from < exonFrom && exonFrom <= to) || (from <= exonTo && exonTo < to);
}

void CheckRelations(CSequence& sequence, StringList& messages) {
    auto& matPeptides = sequence.GetMatPeptides();
    auto& exons = sequence.GetExons();
    auto& introns = sequence.GetIntrons();
    auto& regions = sequence.GetCodingRegions();

    if (matPeptides.GetSize() > 1)
        messages.push_back(PrefixOf(*matPeptides[0]) + "A second mat_peptide appears in " + RowOf(*matPeptides[1]) +
                           ".");

    for (const auto& exon : exons)
        for (const auto& intron : introns)
            if (EitherEndWithin(*exon, *intron))
                messages.push_back(PrefixOf(*intron) + "This intron range overlaps with the exon in row " +
                                   RowOf(*exon) + ".");

    for (int i = 0; i < exons.GetSize(); ++i)
        for (int j = i + 1; j < exons.GetSize(); ++j)
            if (EitherEndWithin(*exons[j], *exons[i]))
                messages.push_back(PrefixOf(*exons[j]) + "This exon overlaps with the exon in row " + RowOf(*exons[i]) +
                                   ".");

    const bool protein = EqualsIgnoringCase(sequence.GetTypeName(), "PRT");
    for (int i = 0; i < regions.GetSize(); ++i) {
        const CDS& region = *regions[i];
        if (protein) messages.push_back(PrefixOf(region) + "A CDS region  may not be defined in a Protein sequences.");
        for (int j = i + 1; j < regions.GetSize(); ++j)
            if (EitherEndWithin(*regions[j], region))
                messages.push_back(PrefixOf(*regions[j]) + "This CDS range overlaps with the CDS in row " +
                                   RowOf(region) + ".");
        for (const auto& intron : introns)
            if (EitherEndWithin(region, *intron))
                messages.push_back(PrefixOf(*intron) + "This intron overlaps the CDS in row " + RowOf(region) + ".");
        for (const auto& exon : exons)
            if (ExonBreaksRegion(*exon, region))
                messages.push_back(PrefixOf(*exon) + "This exon starts or ends inside the CDS in row " + RowOf(region) +
                                   ".");
    }
}

// ---- coding regions ----------------------------------------------------------------

// A region the scan may read: it lies wholly inside the residues. The record
// check reports every other region, but not all of those faults stop the
// checks, so the scan has to leave such regions out itself.
bool IsScannable(const CDS& region, int64_t residueCount) {
    const int from = region.GetFrom(), to = region.GetTo();
    return from >= 1 && to >= from && to <= residueCount;
}

int64_t LengthOf(const CFeature& feature) {
    return static_cast<int64_t>(feature.GetTo()) - static_cast<int64_t>(feature.GetFrom()) + 1;
}

int32_t ClampToInt32(int64_t value) { return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX)); }

struct ScanResult {
    bool lastJoined = false;
    int64_t total = 0;
};

// Whether a codon stops translation once the custom table has had its say:
// a custom codon counts by the text it maps to.
class StopCodonTest {
public:
    explicit StopCodonTest(const CBaseSequence::CodonTable& custom) : custom_(custom) {}
    bool operator()(const char* codon) const {
        if (custom_.empty()) return CStopCodonFinder::IsStop(codon);
        const std::string text(codon, 3);
        const auto mapped = custom_.find(text);
        return CCodeTables::IsStopCodon(mapped != custom_.end() ? mapped->second : text);
    }
    // Whether the standard stop codons are all there is to find.
    bool IsStandard() const { return custom_.empty(); }

private:
    const CBaseSequence::CodonTable& custom_;
};

// Walks the codons of the coding regions in From order, a codon split
// between regions being completed from the next one, and reports every stop
// codon. Stops at the first region that is neither joined nor accompanied by
// a mature peptide.
ScanResult ScanCodingRegions(CBaseSequence& sequence, std::string_view residues, StringList& messages) {
    ScanResult result;
    const bool hasMatPeptide = !sequence.GetMatPeptides().IsEmpty();
    const StopCodonTest isStop(sequence.GetCustomCodons());
    const auto residueCount = static_cast<int64_t>(residues.size());
    auto report = [&](int64_t position) {
        messages.push_back(sequence.GetMessagePrefix() +
                           "  Stop codon within a CDS that is joined or has a mat_peptide at " +
                           std::to_string(position) + ".");
    };

    int64_t codingLength = 0;
    char carried[3];  // a codon begun in an earlier region
    int carriedLength = 0;
    for (const auto& regionPtr : sequence.GetCodingRegions()) {
        CDS& region = *regionPtr;
        if (!IsScannable(region, residueCount)) continue;
        if (!region.IsJoined() && !hasMatPeptide) break;
        result.lastJoined = region.IsJoined();
        region.SetCodingOffset(ClampToInt32(codingLength));
        codingLength += LengthOf(region);
        result.total += LengthOf(region);

        // 0-based half-open range of the region's residues.
        size_t position = static_cast<size_t>(region.GetFrom() - 1);
        const auto end = static_cast<size_t>(region.GetTo());
        if (carriedLength > 0) {
            while (carriedLength < 3 && position < end) carried[carriedLength++] = residues[position++];
            if (carriedLength == 3) {
                if (isStop(carried)) report(region.GetFrom());
                carriedLength = 0;
            }
        }
        if (isStop.IsStandard()) {
            CStopCodonFinder::Find(residues.data(), position, end,
                                   [&](size_t codon) { report(static_cast<int64_t>(codon) + 1); });
            position += (end - position) / 3 * 3;
        } else {
            for (; position + 3 <= end; position += 3)
                if (isStop(residues.data() + position)) report(static_cast<int64_t>(position) + 1);
        }
        while (position < end) carried[carriedLength++] = residues[position++];
    }
    return result;
}

void CheckMatPeptidePosition(CSequence& sequence, StringList& messages) {
    if (sequence.GetMatPeptides().IsEmpty()) return;
    const CMatPeptide& peptide = *sequence.GetMatPeptides()[0];
    const std::string prefix = PrefixOf(peptide);
    const int start = peptide.GetFrom();
    bool found = false;
    for (const auto& region : sequence.GetCodingRegions()) {
        if (!Within(start, *region)) continue;
        found = true;
        const int64_t phase = static_cast<int64_t>(region->GetCodingOffset()) + start - region->GetFrom();
        if (phase % 3 != 0) messages.push_back(prefix + "Mat_Peptide is not located at the start of a codon.");
    }
    if (!found)
        messages.push_back(prefix + "Start of mat_peptide feature is outside the range of any defined CDS regions.");
}

void CheckDivisibility(CSequence& sequence, const ScanResult& scan, StringList& messages) {
    auto& regions = sequence.GetCodingRegions();
    if (regions.IsEmpty()) return;
    if (scan.lastJoined) {
        if (scan.total % 3 != 0)
            messages.push_back(sequence.GetMessagePrefix() +
                               "The sum of all CDS ranges should be divisible by 3 when all the CDSs are joined.");
        return;
    }
    const bool matPeptideNeedsJoin = !sequence.GetMatPeptides().IsEmpty() && regions.GetSize() > 1;
    for (const auto& region : regions) {
        if (LengthOf(*region) % 3 != 0)
            messages.push_back(PrefixOf(*region) + "Every CDS range must be divisible by 3 when CDSs are not joined.");
        if (matPeptideNeedsJoin)
            messages.push_back(PrefixOf(*region) + "Mat_Peptide is found.  This requires all CDSs to be joined.");
    }
}

}  // namespace

// ---- feature checks ------------------------------------------------------------------

void CSequence::RunFeatureChecks(int) {
    StringList& messages = GetMessages();
    ClearWorkingLists();

    // From order; features with the same From keep their list order.
    for (const auto& feature : features_) workingFeatures_.Add(feature);
    std::stable_sort(workingFeatures_.begin(), workingFeatures_.end(),
                     [](const Ptr<CFeature>& a, const Ptr<CFeature>& b) { return a->GetFrom() < b->GetFrom(); });

    bool locationError = false;
    for (const auto& feature : workingFeatures_) {
        const StringList& found = feature->CheckFeature(feature->GetRow(), locationError);
        messages.insert(messages.end(), found.begin(), found.end());
    }
    if (locationError) {
        ClearWorkingLists();
        return;
    }

    for (const auto& feature : workingFeatures_) {
        AddIfKindOf(feature, codingRegions_);
        AddIfKindOf(feature, exons_);
        AddIfKindOf(feature, introns_);
        AddIfKindOf(feature, matPeptides_);
    }
    CheckRelations(*this, messages);

    if (project_ && project_->GetCheckMissingFeatures()) CheckMissingFeatures();
}

void CBaseSequence::RunFeatureChecks(int row) {
    CSequence::RunFeatureChecks(row);

    // Coding offsets belong to one check; a region the scan leaves out keeps 0.
    for (const auto& region : GetCodingRegions()) region->SetCodingOffset(0);

    // Positions count letters, whatever layout the text is in.
    const std::string& text = GetResidues();
    std::string letters;
    std::string_view residues = text;
    if (GetLetterCount() != static_cast<int64_t>(text.size())) {
        std::copy_if(text.begin(), text.end(), std::back_inserter(letters), IsAsciiLetter);
        residues = letters;
    }

    StringList& messages = GetMessages();
    const ScanResult scan = ScanCodingRegions(*this, residues, messages);
    CheckMatPeptidePosition(*this, messages);
    CheckDivisibility(*this, scan, messages);
}

const StringList& CSequence::CheckedFeatures(int row) {
    GetMessages().clear();
    StripToLetters();
    RunFeatureChecks(row);
    ClearWorkingLists();
    return GetMessages();
}

// ---- translation ---------------------------------------------------------------------

std::string CBaseSequence::TranslateCodon(const std::string& codon) const {
    const auto custom = customCodons_.find(codon);
    if (custom != customCodons_.end()) return custom->second;
    if (const std::string* aminoAcid = CCodeTables::Get().FindAminoAcid(codon)) return *aminoAcid;
    return CCodeTables::kUnknownAminoAcid;
}

bool CBaseSequence::IsStopCodon(const std::string& codon) const {
    return customCodons_.find(codon) == customCodons_.end() && CCodeTables::IsStopCodon(codon);
}

std::string CBaseSequence::ExpandAmbiguity(char code) const {
    return std::string(CCodeTables::Get().Expand(GetTypeName(), code));
}

std::string CBaseSequence::ExplainXaa(const std::string& codon) const {
    if (codon.size() != 3) return {};
    const std::string first = ExpandAmbiguity(codon[0]);
    const std::string second = ExpandAmbiguity(codon[1]);
    const std::string third = ExpandAmbiguity(codon[2]);

    StringList aminoAcids;
    for (char a : first)
        for (char b : second)
            for (char c : third) {
                const std::string reading{a, b, c};
                if (IsStopCodon(reading)) continue;
                std::string aminoAcid = TranslateCodon(reading);
                if (std::find(aminoAcids.begin(), aminoAcids.end(), aminoAcid) == aminoAcids.end())
                    aminoAcids.push_back(std::move(aminoAcid));
            }

    std::string text;
    for (size_t i = 0; i < aminoAcids.size(); ++i) {
        if (i > 0) text += i + 1 == aminoAcids.size() ? ", or " : ", ";
        text += aminoAcids[i];
    }
    if (!aminoAcids.empty()) text += ". ";
    return text;
}

}  // namespace qln
