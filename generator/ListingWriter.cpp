#include "generator/ListingWriter.h"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "generator/CodingFeatures.h"
#include "generator/CodonTranslator.h"
#include "generator/DerivedEntries.h"
#include "generator/EntryBuffer.h"
#include "generator/HeaderBlock.h"
#include "generator/ItemBlocks.h"
#include "generator/ListedFeatures.h"
#include "generator/ResidueBlocks.h"
#include "generator/ResidueGroups.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {

namespace {

// Residues as the layout sees them: "000" marks a sequence listed without any.
std::string_view ListedResidues(const std::string& residues) {
    if (residues == CSequence::kNoResidues) return {};
    return residues;
}

// The residues were stripped to letters before the entry is written, so
// their count is the length of the text, except for a three-letter protein
// whose amino acids are counted.
int ResidueCount(CSequence& sequence) {
    if (dynamic_cast<CProtein3Sequence*>(&sequence)) return sequence.GetResidueCount();
    return static_cast<int>(ListedResidues(sequence.GetResidues()).size());
}

bool HasModifiedBase(const CSequence& sequence) {
    for (const auto& feature : sequence.GetFeatures())
        if (feature->GetKey() == "modified_base") return true;
    return false;
}

}  // namespace

struct CListingWriter::Impl {
    Impl(CProject& written, std::ostream& stream) : project(written), out(stream), buffer(stream) {}

    bool IsCancelled() const { return isCancelled && isCancelled(); }
    void AppendEntryHeader(std::string& text, int number, const std::string& length, const std::string& typeCode,
                           const std::string& organism);
    void WriteSkipped(int number);
    bool WriteNucleotideResidues(CBaseSequence& sequence, std::string_view residues, const CCodingFeatures& coding);
    bool WriteProteinResidues(CProteinSequence& sequence);
    bool WriteDerivedEntries(CBaseSequence& sequence, std::string_view residues, const CCodingFeatures& coding);
    bool WriteDerivedEntry(CBaseSequence& sequence, std::string_view codingText, int matPeptideStart);

    CProject& project;
    std::ostream& out;
    std::function<bool()> isCancelled;
    std::streampos countPosition = -1;
    int entryCount = 0;
    CEntryBuffer buffer;
    CCodonTranslator translator;
    std::vector<CResidueBlocks::Stretch> stretches;
};

void CListingWriter::Impl::AppendEntryHeader(std::string& text, int number, const std::string& length,
                                             const std::string& typeCode, const std::string& organism) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append("<210>  ").append(digits, end).append("\n<211>  ").append(length);
    text.append("\n<212>  ").append(typeCode).append("\n<213>  ").append(organism).append("\n\n");
}

void CListingWriter::Impl::WriteSkipped(int number) {
    const std::string n = std::to_string(number);
    buffer.Text() += "<210>  " + n + "\n\n<400>  " + n + "\n000\n\n";
    buffer.Write();
}

bool CListingWriter::Impl::WriteNucleotideResidues(CBaseSequence& sequence, std::string_view residues,
                                                   const CCodingFeatures& coding) {
    if (residues.empty()) {
        buffer.Text() += "000\n\n";
        return true;
    }
    const int size = static_cast<int>(residues.size());
    const std::vector<CCodonSpan> spans = CCodonSpanPlan::ForSequence(sequence, size);
    stretches.clear();
    CResidueBlocks blocks(buffer, translator, isCancelled);
    if (!blocks.Nucleotide(residues, spans, coding.GetMatPeptideStart(), coding.IsJoined() ? nullptr : &stretches))
        return false;
    buffer.Text() += '\n';
    return true;
}

bool CListingWriter::Impl::WriteProteinResidues(CProteinSequence& sequence) {
    // A three-letter protein is listed by its amino acids; a one-letter
    // protein's residues are its amino acids already.
    std::string converted;
    std::string_view aminoAcids;
    if (dynamic_cast<CProtein3Sequence*>(&sequence)) {
        converted = sequence.GetAminoAcids();
        aminoAcids = ListedResidues(converted);
    } else {
        aminoAcids = ListedResidues(sequence.GetResidues());
    }
    if (aminoAcids.empty()) {
        buffer.Text() += "000\n";
        return true;
    }
    const CCodingFeatures coding(sequence);
    CResidueBlocks blocks(buffer, translator, isCancelled);
    if (!blocks.Protein(aminoAcids, coding.GetMatPeptideStart())) return false;
    buffer.Text() += '\n';
    return true;
}

// An entry with fewer than four groups is left out without using a number.
bool CListingWriter::Impl::WriteDerivedEntry(CBaseSequence& sequence, std::string_view codingText,
                                             int matPeptideStart) {
    if (!CDerivedEntries::IsListed(codingText)) return true;

    std::vector<CResidueBlocks::UnknownCodon> unknown;
    const int base = CResidueBlocks::ScanDerived(codingText, matPeptideStart, translator, unknown);

    const int number = ++entryCount;
    std::string& text = buffer.Text();
    AppendEntryHeader(text, number, std::to_string(codingText.size() / 3), CProteinSequence::kTypeName,
                      sequence.GetOrganism());

    if (!HasModifiedBase(sequence)) {
        for (const auto& codon : unknown) {
            const std::string location = std::to_string(codon.number);
            CItemBlocks::AppendFeature(
                text, "misc_feature", location, location,
                "The 'Xaa' at location " + location + " stands for " + translator.ExplainUnknown(codon.codon));
        }
    }

    const CCommentFeature* comment = sequence.GetComment();
    if (comment && !comment->GetComment().empty()) {
        if (sequence.IsArtificialOrUnknown())
            text += "<220>\n<223>  Synthetic Construct\n\n";
        else
            CItemBlocks::AppendFeature(text, *comment);
    }

    text += "<400>  " + std::to_string(number) + "\n";
    CResidueBlocks blocks(buffer, translator, isCancelled);
    if (!blocks.Derived(codingText, base)) {
        buffer.Discard();
        return false;
    }
    buffer.Text() += '\n';
    buffer.Write();
    return true;
}

bool CListingWriter::Impl::WriteDerivedEntries(CBaseSequence& sequence, std::string_view residues,
                                               const CCodingFeatures& coding) {
    if (coding.IsJoined()) {
        int matPeptideStart = 0;
        const std::string codingText = coding.JoinedCodingText(residues, matPeptideStart);
        return !IsCancelled() && WriteDerivedEntry(sequence, codingText, matPeptideStart);
    }
    for (const auto& stretch : stretches) {
        const std::string_view codingText = residues.substr(static_cast<size_t>(stretch.from - 1),
                                                            static_cast<size_t>(stretch.to - stretch.from + 1));
        if (IsCancelled() || !WriteDerivedEntry(sequence, codingText, 0)) return false;
    }
    return true;
}

// ---- CListingWriter -----------------------------------------------------------------

CListingWriter::CListingWriter(CProject& project, std::ostream& out) : impl_(new Impl(project, out)) {}

CListingWriter::~CListingWriter() = default;

void CListingWriter::SetCancelCheck(std::function<bool()> isCancelled) { impl_->isCancelled = std::move(isCancelled); }

int CListingWriter::GetEntryCount() const { return impl_->entryCount; }

void CListingWriter::WriteHeader() {
    size_t countOffset = 0;
    const std::string header = CHeaderBlock::Text(impl_->project, countOffset);
    const std::streampos start = impl_->out.tellp();
    impl_->out.write(header.data(), static_cast<std::streamsize>(header.size()));
    if (start != std::streampos(-1)) impl_->countPosition = start + static_cast<std::streamoff>(countOffset);
}

void CListingWriter::PatchCount() {
    std::ostream& out = impl_->out;
    if (impl_->countPosition == std::streampos(-1)) return;
    const std::streampos end = out.tellp();
    const std::string count = std::to_string(impl_->entryCount);
    out.seekp(impl_->countPosition);
    out.write(count.data(), static_cast<std::streamsize>(count.size()));
    if (end != std::streampos(-1)) out.seekp(end);
}

bool CListingWriter::WriteEntry(CSequence& sequence) {
    Impl& impl = *impl_;
    impl.buffer.Discard();
    const int number = ++impl.entryCount;
    if (sequence.IsSkipped()) {
        impl.WriteSkipped(number);
        return true;
    }

    std::string& text = impl.buffer.Text();
    impl.AppendEntryHeader(text, number, std::to_string(ResidueCount(sequence)), sequence.GetListingTypeCode(),
                           sequence.GetOrganism());

    if (sequence.IsArtificialOrUnknown() && sequence.GetComment())
        CItemBlocks::AppendFeature(text, *sequence.GetComment());

    const std::vector<CListedFeatures::Item> features = CListedFeatures::For(sequence);
    if (!features.empty()) text += '\n';
    for (const auto& item : features) {
        if (item.feature) {
            CItemBlocks::AppendFeature(text, *item.feature);
        } else {
            CItemBlocks::AppendFeature(text, "misc_feature", std::to_string(item.run.from), std::to_string(item.run.to),
                                       item.comment);
        }
    }

    CItemBlocks::AppendPublications(text, sequence);
    text += "<400>  " + std::to_string(number) + "\n";

    if (auto* nucleotide = dynamic_cast<CBaseSequence*>(&sequence)) {
        impl.translator.UseSequence(*nucleotide);
        const std::string_view residues = ListedResidues(nucleotide->GetResidues());
        const CCodingFeatures coding(*nucleotide);
        if (!impl.WriteNucleotideResidues(*nucleotide, residues, coding)) {
            impl.buffer.Discard();
            return false;
        }
        impl.buffer.Write();
        if (residues.empty()) return true;
        return impl.WriteDerivedEntries(*nucleotide, residues, coding);
    }

    if (auto* protein = dynamic_cast<CProteinSequence*>(&sequence)) {
        if (!impl.WriteProteinResidues(*protein)) {
            impl.buffer.Discard();
            return false;
        }
    }
    impl.buffer.Write();
    return true;
}

}  // namespace qln
