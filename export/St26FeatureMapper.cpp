#include "export/St26FeatureMapper.h"

#include <algorithm>

#include "export/St26FeatureKeys.h"
#include "export/St26Vocabulary.h"
#include "generator/CodonTranslator.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/Sequence.h"

namespace qln {

using Severity = CSt26Report::Severity;
using Kind = CSt26Report::Kind;

std::string CSt26FeatureSpan::Text() const {
    return from == to ? std::to_string(from) : std::to_string(from) + ".." + std::to_string(to);
}

namespace {

// The location as the feature gives it, for the report.
std::string GivenLocation(const CFeature& feature) {
    return std::string(TrimmedView(feature.GetFromText())) + ".." + std::string(TrimmedView(feature.GetToText()));
}

}  // namespace

std::optional<CSt26Feature> CSt26FeatureMapper::Map(const CFeature& feature) {
    std::optional<CSt26FeatureSpan> span = Span(feature);
    if (span && dynamic_cast<const CMatPeptide*>(&feature)) span = MatPeptideSpan(feature, span->from);
    if (!span || !Inside(feature, *span)) return std::nullopt;
    std::optional<CSt26Feature> out = Keyed(feature, *span);
    if (!out || !AddQualifiers(*out, feature, span->Length())) return std::nullopt;
    return out;
}

std::optional<CSt26FeatureSpan> CSt26FeatureMapper::Span(const CFeature& feature) {
    const std::string_view fromText = TrimmedView(feature.GetFromText()), toText = TrimmedView(feature.GetToText());
    if (fromText.empty() && toText.empty()) {
        report_.Add(std::string(TrimmedView(feature.GetKey())), {}, "1.." + std::to_string(length_),
                    "no location given: the whole sequence", Severity::Warning, Kind::Default);
        return CSt26FeatureSpan{1, length_};
    }
    if (!IsAsciiNumber(fromText) || !(toText.empty() || IsAsciiNumber(toText))) {
        report_.Add(feature.GetKey(), GivenLocation(feature), {}, "not a location; 60", Severity::Error, Kind::Problem);
        return std::nullopt;
    }
    return CSt26FeatureSpan{feature.GetFrom(), toText.empty() ? feature.GetFrom() : feature.GetTo()};
}

std::optional<CSt26FeatureSpan> CSt26FeatureMapper::MatPeptideSpan(const CFeature& feature, int from) {
    CSt26FeatureSpan span{from, protein_ ? length_ : 0};
    if (!protein_) {
        for (const auto& other : feature.GetSequence()->GetFeatures()) {
            const CDS* region = dynamic_cast<const CDS*>(other.get());
            if (!region || region->GetFrom() > from || region->GetTo() < from) continue;
            span.to = region->GetTo();
            const std::string& residues = feature.GetSequence()->GetResidues();
            if (span.to >= 3 && span.to <= length_ && codons_.Translate(residues.data() + span.to - 3).stop)
                span.to -= 3;
            break;
        }
        if (span.to == 0) {
            report_.Add("mat_peptide", std::string(TrimmedView(feature.GetFromText())), {}, "lies in no coding region",
                        Severity::Error, Kind::Problem);
            return std::nullopt;
        }
    }
    report_.Add(protein_ ? "CHAIN" : "mat_peptide", {}, span.Text(), "end derived from the start", Severity::Warning,
                Kind::Default);
    return span;
}

bool CSt26FeatureMapper::Inside(const CFeature& feature, const CSt26FeatureSpan& span) {
    if (span.from >= 1 && span.to <= length_ && span.from <= span.to) return true;
    report_.Add(feature.GetKey(), GivenLocation(feature), {}, "location outside 1.." + std::to_string(length_) + "; 60",
                Severity::Error, Kind::Problem);
    return false;
}

std::optional<CSt26Feature> CSt26FeatureMapper::Keyed(const CFeature& feature, const CSt26FeatureSpan& span) {
    const std::string_view key = TrimmedView(feature.GetKey());
    if (EqualsIgnoringCase(key, "source")) {
        report_.Add("source", span.Text(), {}, "the listing has one source feature of its own", Severity::Warning,
                    Kind::Drop);
        return std::nullopt;
    }
    // A listing's note without a key of its own describes a stretch in general.
    const std::string_view given = key.empty() && !TrimmedView(feature.GetComment()).empty() ? "misc_feature" : key;
    const auto mapped = protein_ ? CSt26FeatureKeys::Protein(given, span.from == span.to)
                                 : CSt26FeatureKeys::Nucleotide(given);
    const std::string element = "feature " + span.Text() + " key";
    if (!mapped) {
        report_.Add(element, feature.GetKey(), {},
                    protein_ ? "not an amino acid feature key; Annex I 7" : "not a nucleotide feature key; Annex I 5",
                    Severity::Error, Kind::Problem);
        return std::nullopt;
    }
    CSt26Feature out{mapped->key, span.Text(), {}};
    if (mapped->key != key)
        report_.Add(element, key.empty() ? "(none)" : std::string(key), mapped->key,
                    key.empty()       ? "a note without a key"
                    : mapped->renamed ? "Annex VII"
                                      : "spelling; Annex I",
                    Severity::Info, Kind::Change);
    if (!mapped->qualifierName.empty()) {
        out.qualifiers.push_back({mapped->qualifierName, mapped->qualifierValue, false});
        report_.Add(mapped->qualifierName, {}, mapped->qualifierValue, "needed by " + mapped->key,
                    mapped->qualifierValue == "other" ? Severity::Confirm : Severity::Info, Kind::Default);
    }
    return out;
}

bool CSt26FeatureMapper::AddQualifiers(CSt26Feature& out, const CFeature& feature, int spanLength) {
    std::string comment(TrimmedView(feature.GetComment()));
    if (!protein_ && !AddMandatoryQualifiers(out, spanLength, comment)) return false;
    if (!comment.empty()) {
        std::string note;
        if (report_.FreeText(comment, "note", note)) out.qualifiers.push_back({"note", note, true});
    }
    return true;
}

bool CSt26FeatureMapper::AddMandatoryQualifiers(CSt26Feature& out, int spanLength, std::string& comment) {
    for (const std::string_view mandatory : CSt26Vocabulary::MandatoryQualifiers(out.key)) {
        const std::string name(mandatory);
        const bool present = std::any_of(out.qualifiers.begin(), out.qualifiers.end(),
                                         [&](const CSt26Qualifier& q) { return q.name == name; });
        if (present) continue;
        if (name == "estimated_length")
            out.qualifiers.push_back({name, std::to_string(spanLength), false});
        else if (!(CSt26Vocabulary::Terms(name).empty() ? AddTextQualifier(out, name, comment)
                                                        : AddListedQualifier(out, name, comment)))
            return false;
    }
    return true;
}

bool CSt26FeatureMapper::AddListedQualifier(CSt26Feature& out, const std::string& name, std::string& comment) {
    const std::string neededBy = "needed by " + out.key;
    if (const auto leading = CSt26FeatureKeys::LeadingTerm(name, comment)) {
        out.qualifiers.push_back({name, leading->term, false});
        report_.Add(name, {}, leading->term, neededBy + ", from the comment", Severity::Info, Kind::Computed);
        comment = leading->rest;
        return true;
    }
    if (comment.empty() && (name == "mod_base" || name == "mobile_element_type")) {
        report_.Add(out.key + " " + out.location, {}, {},
                    "needs " + name + ": begin the comment with one of " +
                        std::string(name == "mod_base" ? "the modified bases' abbreviations (m5c, i, ...), or name "
                                                         "the base in full"
                                                       : "transposon, integron, insertion sequence, ..., or "
                                                         "other:NAME"),
                    Severity::Error, Kind::Problem);
        return false;
    }
    if (name == "mod_base") {
        out.qualifiers.push_back({name, "OTHER", false});  // the comment names it, as a note
        report_.Add(name, {}, "OTHER", neededBy + "; the comment names the base", Severity::Info, Kind::Computed);
        return true;
    }
    std::string value = "other";
    if (name == "mobile_element_type") {
        std::string text;
        if (!report_.FreeText(comment, name, text)) return false;
        value += ":" + text;
        comment.clear();
    }
    out.qualifiers.push_back({name, value, false});
    report_.Add(name, {}, value, neededBy + ": the comment names no class of the list", Severity::Confirm,
                Kind::Default);
    return true;
}

bool CSt26FeatureMapper::AddTextQualifier(CSt26Feature& out, const std::string& name, std::string& comment) {
    if (comment.empty()) {
        report_.Add(out.key + " " + out.location, {}, {}, "needs " + name + ": give it in the comment", Severity::Error,
                    Kind::Problem);
        return false;
    }
    std::string text;
    if (!report_.FreeText(comment, name, text)) return false;
    out.qualifiers.push_back({name, text, true});
    comment.clear();
    return true;
}

}  // namespace qln
