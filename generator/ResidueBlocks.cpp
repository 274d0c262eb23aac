#include "generator/ResidueBlocks.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "generator/CodonTranslator.h"
#include "generator/EntryBuffer.h"
#include "generator/LineBuilder.h"
#include "model/AminoAcidCode.h"
#include "model/AsciiText.h"

namespace qln {

namespace {

constexpr unsigned kStepsBetweenChecks = 256;
constexpr const char* kProteinResidueText = "   ";

// Three-letter code of every one-letter code, in either letter case.
const std::array<std::string_view, 256>& ThreeLetterCodes() {
    static const std::array<std::string_view, 256> codes = [] {
        std::array<std::string_view, 256> table{};
        for (int c = 0; c < 256; ++c) {
            const char letter = ToUpperAscii(static_cast<char>(c));
            table[static_cast<size_t>(c)] = CAminoAcidCode::ThreeLetterFor(letter);
        }
        return table;
    }();
    return codes;
}

// A whole codon with a three-letter translation takes the quicker way.
void AddGroup(CLineBuilder& builder, const CResidueGroup& group) {
    if (group.residues.size() == 3 && group.translation.size() == 3)
        builder.AddTriple(group.residues.data(), 3, group.translation.data(), group.number);
    else
        builder.Add(group.residues, static_cast<int>(group.residues.size()), group.translation, group.number);
}

// Collects the runs of coding-region codons between stop codons, group by
// group as the layout meets them.
class StretchTracker {
public:
    explicit StretchTracker(std::vector<CResidueBlocks::Stretch>* stretches) : stretches_(stretches) {}

    void Track(const CCodonSpan* span, int position, int count, bool stop) {
        const bool coding = span && span->region && !stop;
        if (coding && span_ == span && stretch_.to + 1 == position) {
            stretch_.to += count;
            return;
        }
        Close();
        if (coding) {
            span_ = span;
            stretch_ = CResidueBlocks::Stretch{position, position + count - 1};
        }
    }
    void Close() {
        if (span_ && stretches_) stretches_->push_back(stretch_);
        span_ = nullptr;
    }

private:
    std::vector<CResidueBlocks::Stretch>* stretches_;
    const CCodonSpan* span_ = nullptr;  // span of the open stretch
    CResidueBlocks::Stretch stretch_;
};

}  // namespace

std::vector<CResidueBlocks::Stretch> CResidueBlocks::CodingStretches(std::string_view residues,
                                                                     const std::vector<CCodonSpan>& spans,
                                                                     CCodonTranslator& translator) {
    std::vector<Stretch> stretches;
    StretchTracker tracker(&stretches);
    // With every span made of whole codons no codon is ever split, and the
    // codons of each span can be taken one after another.
    const bool wholeCodons = std::all_of(spans.begin(), spans.end(), [&](const CCodonSpan& span) {
        return span.from >= 1 && span.to <= static_cast<int>(residues.size()) && (span.to - span.from + 1) % 3 == 0;
    });
    if (wholeCodons) {
        for (const CCodonSpan& span : spans) {
            tracker.Close();
            for (int position = span.from; position < span.to; position += 3)
                tracker.Track(&span, position, 3, translator.Translate(residues.data() + position - 1).stop);
        }
        tracker.Close();
        return stretches;
    }
    CResidueGrouper grouper(residues, spans, 0, translator);
    CResidueGrouper::CodonAhead ahead[CLineBuilder::kTriplesToFillLine];
    CResidueGroup group;
    for (;;) {
        // Plain residues hold no codon: a multiple of ten goes at once.
        if (const int plain = grouper.PlainResiduesAhead() / 10 * 10) {
            tracker.Close();
            grouper.SkipPlain(plain);
            continue;
        }
        if (const int count = grouper.PeekWholeCodons(ahead, CLineBuilder::kTriplesToFillLine)) {
            grouper.TakeWholeCodons(ahead, count);
            for (int i = 0; i < count; ++i) tracker.Track(ahead[i].span, ahead[i].position, 3, ahead[i].stop);
            continue;
        }
        if (!grouper.Next(group)) break;
        tracker.Track(group.span, group.position, static_cast<int>(group.residues.size()), group.stop);
    }
    tracker.Close();
    return stretches;
}

CResidueBlocks::CResidueBlocks(CEntryBuffer& buffer, CCodonTranslator& translator,
                               const std::function<bool()>& isCancelled)
    : buffer_(buffer), translator_(translator), isCancelled_(isCancelled) {}

bool CResidueBlocks::KeepGoing() {
    if (++steps_ % kStepsBetweenChecks != 0) return true;
    buffer_.WriteIfLarge();
    return !(isCancelled_ && isCancelled_());
}

int CResidueBlocks::RelativeNumber(int position, int base) {
    if (base <= 0) return position;
    return position >= base ? position - base + 1 : position - base;
}

bool CResidueBlocks::Nucleotide(std::string_view residues, const std::vector<CCodonSpan>& spans, int matPeptideStart,
                                std::vector<Stretch>* stretches) {
    CResidueGrouper grouper(residues, spans, matPeptideStart, translator_);
    if (matPeptideStart > 0)
        grouper.SetNumberingBase(CResidueGrouper::FindNumberingBase(residues, spans, matPeptideStart, translator_));

    CLineBuilder builder(buffer_.Text(), true);
    constexpr int kFullLine = CLineBuilder::kMaxResidues;
    StretchTracker tracker(stretches);
    CResidueGroup group;
    CResidueGrouper::CodonAhead ahead[CLineBuilder::kTriplesToFillLine];
    CLineBuilder::Triple line[CLineBuilder::kTriplesToFillLine];
    for (;;) {
        if (builder.IsLineEmpty()) {
            // Lines of sixty residues outside coding regions go straight out.
            while (grouper.PlainResiduesAhead() >= kFullLine) {
                tracker.Close();
                builder.AddPlainLine(grouper.SkipPlain(kFullLine));
                if (!KeepGoing()) return false;
            }
        }
        // A line that can take no more codons is written now, so that the
        // next one can be made whole.
        if (!builder.IsLineEmpty() && grouper.PeekWholeCodons(ahead, 1) == 1)
            builder.EndLineUnlessTripleFits(ahead[0].number);
        if (builder.IsLineEmpty()) {
            // Lines made wholly of codons go straight out too.
            const int count = grouper.PeekWholeCodons(ahead, CLineBuilder::kTriplesToFillLine);
            for (int i = 0; i < count; ++i) {
                line[i].residues = ahead[i].residues;
                std::memcpy(line[i].translation, ahead[i].translation, 3);
                line[i].number = ahead[i].number;
            }
            if (const int fitting = builder.AddFullTripleLine(line, count)) {
                grouper.TakeWholeCodons(ahead, fitting);
                for (int i = 0; i < fitting; ++i) tracker.Track(ahead[i].span, ahead[i].position, 3, ahead[i].stop);
                if (!KeepGoing()) return false;
                continue;
            }
        }
        if (!grouper.Next(group)) break;
        AddGroup(builder, group);
        tracker.Track(group.span, group.position, static_cast<int>(group.residues.size()), group.stop);
        if (!KeepGoing()) return false;
    }
    tracker.Close();
    builder.Finish();
    return true;
}

bool CResidueBlocks::Protein(std::string_view aminoAcids, int matPeptideStart) {
    const auto& codes = ThreeLetterCodes();
    for (const char c : aminoAcids)
        if (codes[static_cast<unsigned char>(c)].size() != 3) return ProteinWithBuilder(aminoAcids, matPeptideStart);

    // Every group is three columns over a three-letter code, wider only
    // under a long number, so lines are made here directly, by the line
    // builder's rules: at most 16 groups and 65 columns.
    constexpr size_t kChunk = 16;
    constexpr size_t kLineRoom = CLineBuilder::kMaxWidth + 2 * kChunk;
    std::string& out = buffer_.Text();
    const size_t size = aminoAcids.size();
    size_t next = 0;
    while (next < size) {
        char translations[kLineRoom];
        char numbers[kLineRoom];
        size_t length = 0;
        int groups = 0, width = 0;
        for (; next < size && groups < CLineBuilder::kMaxTranslated; ++next) {
            char label[kChunk];
            std::memset(label, ' ', kChunk);
            const int number = RelativeNumber(static_cast<int>(next) + 1, matPeptideStart);
            const size_t labelLength = CLineBuilder::Label(number, label);
            const int w = labelLength > 3 ? static_cast<int>(labelLength) : 3;
            if (groups > 0 && width + w > CLineBuilder::kMaxWidth) break;
            ++groups;
            width += w + 1;
            std::memset(translations + length, ' ', kChunk);
            std::memcpy(translations + length, codes[static_cast<unsigned char>(aminoAcids[next])].data(), 3);
            std::memcpy(numbers + length, label, kChunk);
            length += static_cast<size_t>(w) + 1;
        }
        out += '\n';
        out.append(translations, length);
        out += '\n';
        out.append(numbers, length);
        out.append("\n\n", 2);
        if (!KeepGoing()) return false;
    }
    return true;
}

bool CResidueBlocks::ProteinWithBuilder(std::string_view aminoAcids, int matPeptideStart) {
    const auto& codes = ThreeLetterCodes();
    CLineBuilder builder(buffer_.Text(), false);
    int position = 0;
    for (const char c : aminoAcids) {
        ++position;
        builder.Add(kProteinResidueText, 1, codes[static_cast<unsigned char>(c)],
                    RelativeNumber(position, matPeptideStart));
        if (!KeepGoing()) return false;
    }
    builder.Finish();
    return true;
}

// A derived entry is one coding region from its first residue to its last,
// so its groups are simply its codons, then what is left of a last one.
bool CResidueBlocks::Derived(std::string_view codingText, int numberingBase) {
    CLineBuilder builder(buffer_.Text(), false);
    const size_t codons = codingText.size() / 3;
    int ordinal = 0;
    size_t next = 0;
    while (next < codons) {
        // A line that can take no more codons is written now, so that the
        // next one can be made whole.
        if (!builder.IsLineEmpty()) {
            const CCodonTranslation& translation = translator_.Translate(codingText.data() + 3 * next);
            const int number = translation.stop ? 0 : RelativeNumber(ordinal + 1, numberingBase);
            if (translation.aminoAcid.size() == 3) builder.EndLineUnlessTripleFits(number);
        }
        // Whole lines of codons with three-letter translations go out at once.
        if (builder.IsLineEmpty()) {
            CLineBuilder::Triple line[CLineBuilder::kTriplesToFillLine];
            int ordinals[CLineBuilder::kTriplesToFillLine];
            int count = 0, lineOrdinal = ordinal;
            for (; count < CLineBuilder::kTriplesToFillLine && next + count < codons; ++count) {
                const char* codon = codingText.data() + 3 * (next + count);
                const CCodonTranslation& translation = translator_.Translate(codon);
                if (translation.aminoAcid.size() != 3) break;
                line[count].residues = codon;
                std::memcpy(line[count].translation, translation.aminoAcid.data(), 3);
                line[count].number = translation.stop ? 0 : RelativeNumber(++lineOrdinal, numberingBase);
                ordinals[count] = lineOrdinal;
            }
            if (const int fitting = builder.AddFullTripleLine(line, count)) {
                ordinal = ordinals[fitting - 1];
                next += static_cast<size_t>(fitting);
                if (!KeepGoing()) return false;
                continue;
            }
        }
        const char* codon = codingText.data() + 3 * next;
        const CCodonTranslation& translation = translator_.Translate(codon);
        const int number = translation.stop ? 0 : RelativeNumber(++ordinal, numberingBase);
        if (translation.aminoAcid.size() == 3)
            builder.AddTriple(codon, 3, translation.aminoAcid.data(), number);
        else
            builder.Add(std::string_view(codon, 3), 3, translation.aminoAcid, number);
        ++next;
        if (!KeepGoing()) return false;
    }
    const std::string_view rest = codingText.substr(codons * 3);
    if (!rest.empty()) builder.Add(rest, static_cast<int>(rest.size()), {}, 0);
    builder.Finish();
    return true;
}

int CResidueBlocks::ScanDerived(std::string_view codingText, int matPeptideStart, CCodonTranslator& translator,
                                std::vector<UnknownCodon>& unknown) {
    unknown.clear();
    const size_t codons = codingText.size() / 3;
    const size_t peptideCodon = matPeptideStart >= 1 ? static_cast<size_t>(matPeptideStart - 1) / 3 : codons;
    int base = 0;
    int ordinal = 0;
    for (size_t i = 0; i < codons; ++i) {
        const char* codon = codingText.data() + 3 * i;
        const CCodonTranslation& translation = translator.Translate(codon);
        // A stop codon holding the start counts as the amino acid after it.
        if (i == peptideCodon) base = ordinal + 1;
        if (translation.stop) continue;
        ++ordinal;
        // The ordinal for now; the number once the base is known.
        if (translation.unknown) unknown.push_back(UnknownCodon{ordinal, std::string(codon, 3)});
    }
    for (UnknownCodon& codon : unknown) codon.number = RelativeNumber(codon.number, base);
    return base;
}

}  // namespace qln
