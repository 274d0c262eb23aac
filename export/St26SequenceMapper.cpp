#include "export/St26SequenceMapper.h"

#include <algorithm>

#include "export/St26FeatureMapper.h"
#include "export/St26Vocabulary.h"
#include "generator/CodingFeatures.h"
#include "generator/DerivedEntries.h"
#include "generator/ListedFeatures.h"
#include "model/AsciiText.h"
#include "model/CharacterSet.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Publication.h"
#include "model/Sequence.h"

namespace qln {

using Severity = CSt26Report::Severity;
using Kind = CSt26Report::Kind;

namespace {

constexpr size_t kMinNucleotides = 10;
constexpr size_t kMinAminoAcids = 4;

using Span = CSt26FeatureSpan;

// "a..b", or "join(a..b,c..d)" over several spans.
std::string LocationOf(const std::vector<Span>& spans) {
    if (spans.size() == 1) return spans.front().Text();
    std::string text = "join(";
    for (size_t i = 0; i < spans.size(); ++i) {
        if (i) text += ',';
        text += spans[i].Text();
    }
    return text + ")";
}

// The positions of the bases [offset, offset + length) of a text made of
// the spans one after another.
std::vector<Span> SpansOfText(const std::vector<Span>& spans, size_t offset, size_t length) {
    std::vector<Span> out;
    size_t start = 0;
    for (const Span& span : spans) {
        const size_t size = static_cast<size_t>(span.to - span.from + 1);
        const size_t begin = std::max(offset, start), end = std::min(offset + length, start + size);
        if (begin < end)
            out.push_back(
                Span{span.from + static_cast<int>(begin - start), span.from + static_cast<int>(end - start) - 1});
        start += size;
    }
    return out;
}

// Long values are shown by their beginning in the report.
std::string Abbreviated(const std::string& text) {
    constexpr size_t kShown = 60;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "... (" + std::to_string(text.size()) + ")";
}

size_t CountExcept(std::string_view residues, char unknown) {
    return residues.size() - static_cast<size_t>(std::count(residues.begin(), residues.end(), unknown));
}

}  // namespace

struct CSt26SequenceMapper::Context {
    CSt26EntryReport report;
    int length = 0;
    int parentId = 0;  // of a derived protein
};

std::string CSt26SequenceMapper::ExportedOrganism(const CSequence& sequence) {
    if (sequence.IsArtificial() || dynamic_cast<const CDNARNASequence*>(&sequence)) return "synthetic construct";
    if (sequence.IsUnknown()) return "unidentified";
    return std::string(TrimmedView(sequence.GetOrganism()));
}

std::string CSt26SequenceMapper::MolTypeFor(const CSequence& sequence) const {
    if (dynamic_cast<const CDNARNASequence*>(&sequence)) return "other DNA";
    const auto chosen = choices_.molTypes.find(sequence.GetName());
    return chosen != choices_.molTypes.end() ? chosen->second : DefaultMolType(sequence);
}

CSt26SequenceData CSt26SequenceMapper::Skipped(int seqId) {
    CSt26SequenceData data;
    data.seqId = seqId;
    data.skipped = true;
    data.residues = "000";
    return data;
}

std::vector<CSt26SequenceData> CSt26SequenceMapper::Map(CSequence& sequence, int seqId) {
    Context context{CSt26EntryReport(report_, seqId, sequence.GetName())};
    std::vector<CSt26SequenceData> out;
    if (sequence.IsSkipped()) {
        context.report.Add("SequenceData", {}, "000", "skipped in the project; 58", Severity::Info, Kind::Numbering);
        out.push_back(Skipped(seqId));
        return out;
    }
    ReportPublications(sequence, context);
    if (auto* nucleotide = dynamic_cast<CBaseSequence*>(&sequence)) {
        const std::string& residues = nucleotide->GetResidues();
        const std::vector<CDerivedEntry> derived = CDerivedEntries::For(*nucleotide, residues,
                                                                        translator_.GetCodonTranslator());
        translator_.UseSequence(*nucleotide);
        std::vector<CProteinTranslation> proteins;
        for (const CDerivedEntry& entry : derived) proteins.push_back(translator_.Translate(entry.codingText));
        out.push_back(MapNucleotide(*nucleotide, context, derived, proteins));
        for (size_t i = 0; i < derived.size(); ++i) {
            Context derivedContext{
                CSt26EntryReport(report_, seqId + 1 + static_cast<int>(i), sequence.GetName() + " (protein)"), 0,
                seqId};
            out.push_back(Derived(*nucleotide, derived[i], proteins[i], derivedContext));
        }
    } else if (auto* protein = dynamic_cast<CProteinSequence*>(&sequence)) {
        out.push_back(MapProtein(*protein, context));
    }
    return out;
}

void CSt26SequenceMapper::ReportPublications(const CSequence& sequence, Context& context) {
    for (const auto& journal : sequence.GetJournals())
        context.report.Add("journal", journal->GetTitle(), {}, "no place for publications", Severity::Info, Kind::Drop);
    for (const auto& database : sequence.GetDatabases())
        context.report.Add("database entry", database->GetAccessionNumber(), {}, "no place for publications",
                           Severity::Info, Kind::Drop);
    for (const auto& patent : sequence.GetPatents())
        context.report.Add("patent", patent->GetDocumentNumber(), {}, "no place for publications", Severity::Info,
                           Kind::Drop);
    for (const auto& thesis : sequence.GetTheses())
        context.report.Add("thesis", thesis->GetTitle(), {}, "no place for publications", Severity::Info, Kind::Drop);
}

CSt26Feature CSt26SequenceMapper::Source(const CSequence& sequence, Context& context, const std::string& molType,
                                         size_t length) {
    CSt26Feature source{"source", "1.." + std::to_string(length), {}};
    std::string organism = ExportedOrganism(sequence);
    if (organism != sequence.GetOrganism())
        context.report.Add("organism", sequence.GetOrganism(), organism, "MPEP 2413.01(g)", Severity::Info,
                           Kind::Change);
    const CProject* project = sequence.GetProject();
    if (project && std::find(project->GetCustomOrganisms().begin(), project->GetCustomOrganisms().end(),
                             sequence.GetOrganism()) != project->GetCustomOrganisms().end())
        context.report.Add("organism", {}, organism, "a name of your own, not checked against the taxonomy",
                           Severity::Warning, Kind::Change);
    if (organism.empty()) context.report.Add("organism", {}, {}, "no organism; 75", Severity::Error, Kind::Problem);
    std::string ascii;
    if (context.report.FreeText(organism, "organism", ascii)) organism = ascii;
    source.qualifiers.push_back({"organism", organism, false});
    source.qualifiers.push_back({"mol_type", molType, false});

    const CCommentFeature* comment = sequence.GetComment();
    if (comment && !TrimmedView(comment->GetComment()).empty()) {
        const bool kept = sequence.IsArtificialOrUnknown() || dynamic_cast<const CDNARNASequence*>(&sequence);
        std::string note;
        if (!kept)
            context.report.Add("comment", comment->GetComment(), {},
                               "written only for synthetic or unidentified organisms", Severity::Warning, Kind::Drop);
        else if (context.report.FreeText(comment->GetComment(), "note", note))
            source.qualifiers.push_back({"note", note, true});
    }
    return source;
}

bool CSt26SequenceMapper::KeepsThreshold(const CSt26SequenceData& data, Context& context) {
    const bool protein = data.moltype == "AA";
    const size_t defined = CountExcept(data.residues, protein ? 'X' : 'n');
    if (defined >= (protein ? kMinAminoAcids : kMinNucleotides)) return true;
    context.report.Add("SequenceData", std::to_string(defined) + (protein ? " amino acids" : " nucleotides"), "000",
                       protein ? "fewer than 4 specifically defined amino acids; 7, 8"
                               : "fewer than 10 specifically defined "
                                 "nucleotides; 7, 8",
                       Severity::Warning, Kind::Numbering);
    return false;
}

CSt26SequenceData CSt26SequenceMapper::MapNucleotide(CBaseSequence& sequence, Context& context,
                                                     const std::vector<CDerivedEntry>& derived,
                                                     const std::vector<CProteinTranslation>& proteins) {
    CSt26SequenceData data;
    data.seqId = context.report.SeqId();
    data.moltype = St26MolTypeOf(sequence);
    const std::string& residues = sequence.GetResidues();
    if (residues.empty() || residues == CSequence::kNoResidues) {
        context.report.Add("SequenceData", {}, "000", "no residues; 58", Severity::Warning, Kind::Numbering);
        return Skipped(context.report.SeqId());
    }
    // Most residues are lower case DNA already: one pass that the compiler
    // vectorizes finds out, and the text is copied as it is.
    unsigned char upper = 0, uracil = 0;
    for (const char ch : residues) {
        const auto c = static_cast<unsigned char>(ch);
        upper |= static_cast<unsigned char>(c - 'A') < 26;
        uracil |= c == 'u';
    }
    data.residues = residues;
    if (upper || uracil) {
        for (char& c : data.residues) {
            c = ToLowerAscii(c);
            if (c == 'u') c = 't';
        }
    }
    if (upper)
        context.report.Add("INSDSeq_sequence", "upper case", "lower case", "Annex I", Severity::Info, Kind::Change);
    if (uracil)
        context.report.Add("INSDSeq_sequence", "u", "t", "t stands for u in RNA; Annex I", Severity::Info,
                           Kind::Change);
    context.length = static_cast<int>(data.residues.size());
    static const CCharacterSet nucleotideCodes("acgtmrwsykvhdbn", "acgt");
    if (const size_t outside = nucleotideCodes.FirstOutside(data.residues); outside < data.residues.size()) {
        context.report.Add("INSDSeq_sequence", std::string(1, residues[outside]), {},
                           "position " + std::to_string(outside + 1) + " holds no nucleotide code; Annex I",
                           Severity::Error, Kind::Problem);
    }
    if (!KeepsThreshold(data, context)) return Skipped(context.report.SeqId());

    std::string molType = MolTypeFor(sequence);
    if (dynamic_cast<CDNARNASequence*>(&sequence)) {
        context.report.Add("INSDSeq_moltype", "DNA/RNA", "DNA", "mixed DNA and RNA; 55", Severity::Info, Kind::Change);
    } else if (!IsAllowedMolType(data.moltype, molType)) {
        context.report.Add("mol_type", molType, {}, "not a mol_type of " + data.moltype + "; Annex I", Severity::Error,
                           Kind::Problem);
    } else if (!choices_.molTypes.count(sequence.GetName())) {
        context.report.Add("mol_type", {}, molType, "default", Severity::Confirm, Kind::Default);
    }
    data.features.push_back(Source(sequence, context, molType, data.residues.size()));

    if (dynamic_cast<CDNARNASequence*>(&sequence)) {
        const bool segmented = std::any_of(
            sequence.GetFeatures().begin(), sequence.GetFeatures().end(), [](const auto& f) {
                const std::string_view note = TrimmedView(f->GetComment());
                return EqualsIgnoringCase(TrimmedView(f->GetKey()), "misc_feature") &&
                       (EqualsIgnoringCase(note, "DNA") || EqualsIgnoringCase(note, "RNA"));
            });
        if (!segmented)
            context.report.Add("misc_feature", {}, {},
                               "a DNA/RNA molecule needs a misc_feature noted DNA or RNA for each "
                               "segment; 55",
                               Severity::Error, Kind::Problem);
    }

    AddCodingRegions(sequence, context, derived, proteins, data);
    for (const auto& item : CListedFeatures::For(sequence)) {
        if (!item.feature) {
            context.report.Add("misc_feature", Span{item.run.from, item.run.to}.Text(), {},
                               "n needs no description; Annex I", Severity::Info, Kind::Drop);
        } else if (!dynamic_cast<const CDS*>(item.feature)) {
            AddFeature(*item.feature, context, data);
        }
    }
    return data;
}

void CSt26SequenceMapper::AddCodingRegions(CBaseSequence& sequence, Context& context,
                                           const std::vector<CDerivedEntry>& derived,
                                           const std::vector<CProteinTranslation>& proteins, CSt26SequenceData& data) {
    std::vector<const CDS*> regions;
    for (const auto& feature : sequence.GetFeatures()) {
        const CDS* region = dynamic_cast<const CDS*>(feature.get());
        if (!region) continue;
        const int from = region->GetFrom(), to = region->GetTo();
        if (!IsAsciiNumber(TrimmedView(region->GetFromText())) || !IsAsciiNumber(TrimmedView(region->GetToText())) ||
            from < 1 || to < from || to > context.length) {
            context.report.Add("CDS", region->GetFromText() + ".." + region->GetToText(), {},
                               "location outside 1.." + std::to_string(context.length) + "; 60", Severity::Error,
                               Kind::Problem);
            continue;
        }
        regions.push_back(region);
    }
    if (regions.empty()) return;
    std::stable_sort(regions.begin(), regions.end(),
                     [](const CDS* a, const CDS* b) { return a->GetFrom() < b->GetFrom(); });

    // One feature from all regions joined, as the listing derives one protein;
    // else one feature for each region.
    std::vector<std::vector<const CDS*>> groups;
    if (CCodingFeatures(sequence).IsJoined())
        groups.push_back(regions);
    else
        for (const CDS* region : regions) groups.push_back({region});

    const std::string& residues = sequence.GetResidues();
    const int firstDerived = context.report.SeqId() + 1;
    for (const auto& group : groups) {
        std::vector<Span> spans;
        for (const CDS* region : group) spans.push_back(Span{region->GetFrom(), region->GetTo()});
        std::string text;
        for (const Span& span : spans)
            text.append(residues, static_cast<size_t>(span.from - 1), static_cast<size_t>(span.to - span.from + 1));
        CSt26Feature cds{"CDS", LocationOf(spans), {}};
        const CProteinTranslation translation = translator_.Translate(text);
        for (const size_t stop : translation.internalStops)
            context.report.Add("CDS " + cds.location, LocationOf(SpansOfText(spans, 3 * stop, 3)), {},
                               "stop codon inside the coding region; 89", Severity::Error, Kind::Problem);
        if (translation.protein.empty())
            context.report.Add("CDS " + cds.location, {}, {}, "codes for no amino acid", Severity::Error,
                               Kind::Problem);
        if (text.size() % 3)
            context.report.Add("CDS " + cds.location, std::to_string(text.size() % 3) + " bases after the last codon",
                               {}, "not translated", Severity::Warning, Kind::Change);
        for (const auto& [codon, aminoAcid] : translation.customCodons) {
            const std::string except = "(pos:" + LocationOf(SpansOfText(spans, 3 * codon, 3)) +
                                       ",aa:" + (TrimmedView(aminoAcid).empty() ? "TERM" : aminoAcid) + ")";
            cds.qualifiers.push_back({"transl_except", except, false});
            context.report.Add("transl_except", {}, except, "custom codon; ST.26 knows only numbered code tables",
                               Severity::Info, Kind::Computed);
        }
        if (!TrimmedView(group.front()->GetComment()).empty()) {
            std::string note;
            if (context.report.FreeText(group.front()->GetComment(), "note", note))
                cds.qualifiers.push_back({"note", note, true});
        }
        cds.qualifiers.push_back({"translation", translation.protein, false});
        context.report.Add("CDS " + cds.location + " translation", {}, Abbreviated(translation.protein), "computed; 90",
                           Severity::Info, Kind::Computed);

        // The protein entry of this feature: the joined one, or the one whose
        // bases begin where the region does.
        for (size_t d = 0; d < derived.size(); ++d) {
            const bool mine = derived[d].from == 0 || derived[d].from == spans.front().from;
            if (!mine) continue;
            const std::string id = std::to_string(firstDerived + static_cast<int>(d));
            if (proteins[d].protein != translation.protein) {
                context.report.Add("protein_id", {}, id, "the protein entry differs from the translation; not linked",
                                   Severity::Warning, Kind::Computed);
                break;
            }
            if (CountExcept(translation.protein, 'X') < kMinAminoAcids) break;  // the entry is skipped: 000
            cds.qualifiers.push_back({"protein_id", id, false});
            context.report.Add("protein_id", {}, id, "SEQ ID of the encoded protein; 92", Severity::Info,
                               Kind::Computed);
            break;
        }
        data.features.push_back(std::move(cds));
    }
}

void CSt26SequenceMapper::AddFeature(const CFeature& feature, Context& context, CSt26SequenceData& data) {
    CSt26FeatureMapper features(context.report, translator_.GetCodonTranslator(), data.moltype == "AA", context.length);
    if (auto out = features.Map(feature)) data.features.push_back(std::move(*out));
}

CSt26SequenceData CSt26SequenceMapper::MapProtein(CProteinSequence& sequence, Context& context) {
    CSt26SequenceData data;
    data.seqId = context.report.SeqId();
    data.moltype = "AA";
    const bool threeLetter = dynamic_cast<CProtein3Sequence*>(&sequence) != nullptr;
    data.residues = sequence.GetAminoAcids();
    if (data.residues.empty() || data.residues == CSequence::kNoResidues) {
        context.report.Add("SequenceData", {}, "000", "no residues; 58", Severity::Warning, Kind::Numbering);
        return Skipped(context.report.SeqId());
    }
    if (threeLetter)
        context.report.Add("INSDSeq_sequence", "three-letter code", "one-letter code", "Annex I", Severity::Info,
                           Kind::Change);
    bool lower = false;
    for (char& c : data.residues) {
        if (c >= 'a' && c <= 'z') lower = true;
        c = ToUpperAscii(c);
    }
    if (lower)
        context.report.Add("INSDSeq_sequence", "lower case", "upper case", "Annex I", Severity::Info, Kind::Change);
    context.length = static_cast<int>(data.residues.size());
    if (!KeepsThreshold(data, context)) return Skipped(context.report.SeqId());

    const std::string molType = MolTypeFor(sequence);
    if (molType != "protein")
        context.report.Add("mol_type", molType, {}, "not a mol_type of AA; Annex I", Severity::Error, Kind::Problem);
    data.features.push_back(Source(sequence, context, "protein", data.residues.size()));
    for (const auto& item : CListedFeatures::For(sequence)) {
        if (item.feature) {
            AddFeature(*item.feature, context, data);
            continue;
        }
        CSt26Feature unsure{"UNSURE", Span{item.run.from, item.run.to}.Text(), {}};
        unsure.qualifiers.push_back({"note", std::string(item.comment), true});
        context.report.Add("UNSURE", {}, unsure.location, "X described; 36", Severity::Info, Kind::Computed);
        data.features.push_back(std::move(unsure));
    }
    return data;
}

CSt26SequenceData CSt26SequenceMapper::Derived(CBaseSequence& parent, const CDerivedEntry& entry,
                                               const CProteinTranslation& translation, Context& context) {
    CSt26SequenceData data;
    data.seqId = context.report.SeqId();
    data.moltype = "AA";
    data.residues = translation.protein;
    context.length = static_cast<int>(data.residues.size());
    context.report.Add(
        "SequenceData", {}, "AA " + std::to_string(data.residues.size()),
        "protein encoded by SEQ ID " + std::to_string(context.parentId) + ", numbered as in the ST.25 listing",
        Severity::Info, Kind::Computed);
    if (!KeepsThreshold(data, context)) return Skipped(context.report.SeqId());
    data.features.push_back(Source(parent, context, "protein", data.residues.size()));
    for (const auto& [position, codon] : translation.unknown) {
        CSt26Feature unsure{"UNSURE", std::to_string(position), {}};
        std::string note;
        if (context.report.FreeText("X stands for " + translator_.ExplainUnknown(codon), "note", note))
            unsure.qualifiers.push_back({"note", note, true});
        data.features.push_back(std::move(unsure));
    }
    if (entry.matPeptideStart > 0)
        context.report.Add("numbering", {}, {}, "numbering from the mature peptide has no place; Annex VII",
                           Severity::Info, Kind::Drop);
    return data;
}

}  // namespace qln
