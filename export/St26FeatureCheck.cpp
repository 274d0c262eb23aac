#include "export/St26FeatureCheck.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "export/St26Choices.h"
#include "export/St26GeneticCode.h"
#include "export/St26Text.h"
#include "export/St26Vocabulary.h"
#include "model/AsciiText.h"

namespace qln {

using FindingSeverity = CSt26Finding::Severity;
using Value = CSt26Vocabulary::Value;

namespace {

constexpr size_t kMaxFreeText = 1000;
constexpr std::string_view kNucleotideSymbols = "acgtmrwsykvhdbn";

std::string QuotedBeginning(std::string_view text) {
    constexpr size_t kShown = 60;
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

std::string Joined(std::span<const std::string_view> words, std::string_view separator = ", ") {
    std::string text;
    for (const std::string_view word : words) text += (text.empty() ? "" : std::string(separator)) + std::string(word);
    return text;
}

bool AllOf(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

// UTF-8 characters, not bytes.
size_t CharacterCount(std::string_view text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

const CSt26ReadQualifier* Find(const CSt26ReadFeature& feature, std::string_view name) {
    for (const CSt26ReadQualifier& qualifier : feature.qualifiers)
        if (EqualsIgnoringCase(TrimmedView(qualifier.name), name)) return &qualifier;
    return nullptr;
}

std::string_view ValueOf(const CSt26ReadQualifier* qualifier) {
    return qualifier ? TrimmedView(qualifier->value) : std::string_view();
}

// "1.2.3.4", with "-" for unknown parts and "n" before a preliminary last one.
bool IsEcNumber(std::string_view text) {
    int parts = 0;
    while (parts < 4) {
        const size_t end = std::min(text.find('.'), text.size());
        std::string_view part = text.substr(0, end);
        if (parts == 3 && part.starts_with('n')) part.remove_prefix(1);
        if (part != "-" && !IsAsciiNumber(part)) return false;
        ++parts;
        if (end == text.size()) break;
        text.remove_prefix(end + 1);
    }
    return parts == 4 && text.find('.') == std::string_view::npos;
}

// "12.34 N 56.78 W".
bool IsLatLon(std::string_view text) {
    const auto number = [&](std::string_view& rest) {
        const size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view n = rest.substr(0, end);
        const size_t dot = n.find('.');
        const bool ok = IsAsciiNumber(n.substr(0, dot)) &&
                        (dot == std::string_view::npos || IsAsciiNumber(n.substr(dot + 1)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        return ok;
    };
    const auto hemisphere = [&](std::string_view& rest, std::string_view letters) {
        if (rest.empty() || letters.find(rest[0]) == std::string_view::npos) return false;
        rest.remove_prefix(rest.size() > 1 && rest[1] == ' ' ? 2 : 1);
        return true;
    };
    return number(text) && hemisphere(text, "NS") && number(text) && hemisphere(text, "EW") && text.empty();
}

// DD-Mmm-YYYY, Mmm-YYYY, YYYY, YYYY-MM, YYYY-MM-DD (with a time in UTC), or
// two of them joined by "/".
bool IsCollectionDate(std::string_view text) {
    static constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const auto one = [](std::string_view date) {
        if (const size_t t = date.find('T'); t != std::string_view::npos) {
            if (!date.ends_with('Z')) return false;
            date = date.substr(0, t);
        }
        const auto month = [](std::string_view m) {
            return m.size() == 3 && kMonths.find(m) != std::string_view::npos && kMonths.find(m) % 3 == 0;
        };
        if (date.size() == 4) return IsAsciiNumber(date);
        if (date.size() == 7 && date[4] == '-')
            return IsAsciiNumber(date.substr(0, 4)) && IsAsciiNumber(date.substr(5));
        if (date.size() == 8 && date[3] == '-') return month(date.substr(0, 3)) && IsAsciiNumber(date.substr(4));
        if (date.size() == 11 && date[2] == '-' && date[6] == '-')
            return IsAsciiNumber(date.substr(0, 2)) && month(date.substr(3, 3)) && IsAsciiNumber(date.substr(7));
        return CSt26Text::IsCompleteDate(date);
    };
    const size_t slash = text.find('/');
    return slash == std::string_view::npos ? one(text) : one(text.substr(0, slash)) && one(text.substr(slash + 1));
}

// "(pos:LOCATION,aa:Xxx...)": the location and the amino acid, or nothing.
struct Embedded {
    std::string_view location;
    std::string_view aminoAcid;
    std::string_view rest;  // ",seq:..." of an anticodon
};
std::optional<Embedded> ParseEmbedded(std::string_view text) {
    if (!text.starts_with("(pos:") || !text.ends_with(")")) return std::nullopt;
    text = text.substr(5, text.size() - 6);
    const size_t aa = text.find(",aa:");
    if (aa == std::string_view::npos) return std::nullopt;
    const std::string_view tail = text.substr(aa + 4);
    const size_t comma = std::min(tail.find(','), tail.size());
    return Embedded{text.substr(0, aa), tail.substr(0, comma), tail.substr(comma)};
}

char Complement(char base) {
    static constexpr std::string_view from = "acgtmrwsykvhdbn", to = "tgcakywsrmbdhvn";
    const size_t at = from.find(base);
    return at == std::string_view::npos ? 'n' : to[at];
}

}  // namespace

struct CSt26FeatureCheck::Context {
    const CSt26ReadSequence& sequence;
    bool protein = false;
    const CSt26ReadFeature* feature = nullptr;
    std::string key;    // canonical when known, else as written
    std::string where;  // key and location
};

void CSt26FeatureCheck::Add(const Context& context, FindingSeverity severity, St26Rule rule, std::string qualifier,
                            long line, std::string problem, std::string action) {
    CSt26Finding finding;
    finding.severity = severity;
    finding.rule = rule;
    finding.seqId = context.sequence.seqId;
    finding.feature = context.where;
    finding.qualifier = std::move(qualifier);
    finding.line = line;
    finding.problem = std::move(problem);
    finding.action = std::move(action);
    findings_.Add(std::move(finding));
}

void CSt26FeatureCheck::Check(const CSt26ReadSequence& sequence) {
    Context context{sequence, sequence.moltype == "AA", nullptr, {}, {}};
    int sources = 0;
    for (const CSt26ReadFeature& feature : sequence.features) {
        CheckFeature(feature, context);
        sources += EqualsIgnoringCase(TrimmedView(feature.key), "source");
    }
    context.where.clear();
    if (sources != 1)
        Add(context, FindingSeverity::Error, St26Rule::Source, {}, sequence.line,
            sources ? std::to_string(sources) + " source features" : std::string("no source feature"),
            sources ? "keep one source feature over the whole sequence"
                    : "add a source feature 1.." + std::to_string(sequence.residues.size()) +
                          " with organism and mol_type");
}

void CSt26FeatureCheck::CheckFeature(const CSt26ReadFeature& feature, Context& context) {
    const std::string_view written = TrimmedView(feature.key);
    const auto key = context.protein ? CSt26Vocabulary::ProteinKey(written) : CSt26Vocabulary::NucleotideKey(written);
    context.feature = &feature;
    context.key = std::string(key.value_or(written));
    context.where = context.key + " " + std::string(TrimmedView(feature.location));
    if (!key) {
        const bool otherKind = context.protein ? CSt26Vocabulary::NucleotideKey(written).has_value()
                                               : CSt26Vocabulary::ProteinKey(written).has_value();
        const std::string kind = context.protein ? "amino acid" : "nucleotide";
        Add(context, FindingSeverity::Error, St26Rule::FeatureKey, {}, feature.line,
            QuotedBeginning(written) + " is no feature key of " + kind + " sequences" +
                (otherKind
                     ? " (it is one of " + std::string(context.protein ? "nucleotide" : "amino acid") + " sequences)"
                     : ""),
            "use a key of the " + kind + " list, or misc_feature" + (context.protein ? " (REGION, SITE)" : "") +
                " with a note");
    }

    std::string problem;
    const auto spans = CSt26Location::Parse(TrimmedView(feature.location), &problem);
    const auto length = static_cast<long long>(context.sequence.residues.size());
    const auto outside = spans ? CSt26Location::OutsideOf(*spans, length) : std::nullopt;
    if (!spans)
        Add(context, FindingSeverity::Error, St26Rule::Location, {}, feature.line,
            "the location " + QuotedBeginning(TrimmedView(feature.location)) + " does not parse: " + problem,
            "write it as in the INSDC feature table: 5, 5..9, join(1..9,20..30), complement(...)");
    else if (outside)
        Add(context, FindingSeverity::Error, St26Rule::Location, {}, feature.line, "the location " + *outside,
            "give positions from 1 to " + std::to_string(length));

    for (const CSt26ReadQualifier& qualifier : feature.qualifiers) CheckQualifier(qualifier, context.key, context);

    if (key && !context.protein)
        for (const std::string_view mandatory : CSt26Vocabulary::MandatoryQualifiers(*key))
            if (!Find(feature, mandatory) && *key != "source")
                Add(context, FindingSeverity::Error, St26Rule::MandatoryQualifier, std::string(mandatory), feature.line,
                    "mandatory qualifier " + std::string(mandatory) + " missing",
                    "add " + std::string(mandatory) + " to the " + std::string(*key) + " feature");
    if (key == "source") CheckSource(feature, context);
    if (key == "modified_base" && EqualsIgnoringCase(ValueOf(Find(feature, "mod_base")), "OTHER") &&
        ValueOf(Find(feature, "note")).empty())
        Add(context, FindingSeverity::Error, St26Rule::MandatoryQualifier, "note", feature.line,
            "mod_base OTHER without a note", "name the modified base in full in a note");
    for (const char* classQualifier : {"regulatory_class", "ncRNA_class"})
        if (EqualsIgnoringCase(ValueOf(Find(feature, classQualifier)), "other") && !Find(feature, "note") &&
            !Find(feature, "product"))
            Add(context, FindingSeverity::Warning, St26Rule::QualifierValue, classQualifier, feature.line,
                std::string(classQualifier) + " other without a note", "say in a note what the class is");
    if (key == "CDS" && !context.protein && spans && !outside) CheckCodingRegion(feature, *spans, context);
}

void CSt26FeatureCheck::CheckQualifier(const CSt26ReadQualifier& qualifier, const std::string& key, Context& context) {
    const std::string_view written = TrimmedView(qualifier.name);
    const CSt26Vocabulary::Qualifier* info = context.protein ? CSt26Vocabulary::ProteinQualifier(written)
                                                             : CSt26Vocabulary::NucleotideQualifier(written);
    const std::string name(info ? info->name : written);
    if (!info) {
        const bool nucleotideOnly = context.protein && CSt26Vocabulary::NucleotideQualifier(written);
        Add(context, FindingSeverity::Error, St26Rule::Qualifier, name, qualifier.line,
            QuotedBeginning(written) + " is no qualifier of " + (context.protein ? "amino acid" : "nucleotide") +
                " sequences" + (nucleotideOnly ? " (only of nucleotide sequences)" : ""),
            context.protein ? "amino acid features take only organism, mol_type (on source) and note"
                            : "use a qualifier of the feature table, or a note");
        return;
    }
    const bool onSourceOnly = name == "organism" || name == "mol_type";
    if (info->bookkeeping)
        Add(context, FindingSeverity::Warning, St26Rule::Qualifier, name, qualifier.line,
            name + " is database bookkeeping that a patent listing has no use for", "leave it out");
    else if (context.protein ? onSourceOnly && key != "source"
                             : CSt26Vocabulary::NucleotideKey(key) && !CSt26Vocabulary::ListsQualifier(key, name))
        Add(context, FindingSeverity::Warning, St26Rule::Qualifier, name, qualifier.line,
            "the feature table lists no " + name + " on " + key, "leave it out, or say it in a note");

    if (!qualifier.value.empty() && !CSt26Text::IsPrintableBasicLatin(TrimmedView(qualifier.value))) {
        const bool lineBreak = qualifier.value.find_first_of("\r\n") != std::string::npos &&
                               TrimmedView(qualifier.value).find_first_of("\r\n") != std::string_view::npos;
        Add(context, FindingSeverity::Error, St26Rule::Characters, name, qualifier.line,
            lineBreak ? "a line break in the value" : "characters outside printable Basic Latin",
            lineBreak ? "write the value on one line"
                      : "write the value in Basic Latin; another language goes "
                        "in NonEnglishQualifier_value");
    }
    if (info->value != Value::Residues) {
        if (CharacterCount(qualifier.value) > kMaxFreeText)
            Add(context, FindingSeverity::Error, St26Rule::FreeTextLength, name, qualifier.line,
                "the value has " + std::to_string(CharacterCount(qualifier.value)) + " characters",
                "keep it to 1000 characters");
        if (CharacterCount(qualifier.nonEnglish) > kMaxFreeText)
            Add(context, FindingSeverity::Error, St26Rule::FreeTextLength, name, qualifier.line,
                "the non-English value has " + std::to_string(CharacterCount(qualifier.nonEnglish)) + " characters",
                "keep it to 1000 characters");
    }
    if (qualifier.hasNonEnglish && !CSt26Vocabulary::IsLanguageDependent(name))
        Add(context, FindingSeverity::Warning, St26Rule::NonEnglishValue, name, qualifier.line,
            name + " is not language-dependent but has a non-English value",
            "give its value in INSDQualifier_value only");
    CheckValue(qualifier, name, context);
}

void CSt26FeatureCheck::CheckTerm(const CSt26ReadQualifier& qualifier, std::string_view name, std::string_view term,
                                  Context& context) {
    if (const auto known = CSt26Vocabulary::Term(name, term)) {
        const auto recent = CSt26Vocabulary::RecentTerms(name);
        if (std::find(recent.begin(), recent.end(), *known) != recent.end())
            Add(context, FindingSeverity::Warning, St26Rule::QualifierValue, std::string(name), qualifier.line,
                QuotedBeginning(term) + " is a term only the newest INSDC lists hold",
                "check that WIPO's tool takes it, else use other with a note");
        return;
    }
    std::string action = "use one of: " + Joined(CSt26Vocabulary::Terms(name));
    if (name == "mod_base" && (term == "d" || term == "t" || term == "galq" || term == "manq"))
        action = std::string("write ") +
                 (term == "d"      ? "dhu"
                  : term == "t"    ? "m5u"
                  : term == "galq" ? "gal q"
                                   : "man q") +
                 ", the current abbreviation";
    Add(context, FindingSeverity::Error, St26Rule::QualifierValue, std::string(name), qualifier.line,
        QuotedBeginning(term) + " is not a term of " + std::string(name), action);
}

void CSt26FeatureCheck::CheckValue(const CSt26ReadQualifier& qualifier, std::string_view name, Context& context) {
    const CSt26Vocabulary::Qualifier* info = context.protein ? CSt26Vocabulary::ProteinQualifier(name)
                                                             : CSt26Vocabulary::NucleotideQualifier(name);
    const std::string_view value = TrimmedView(qualifier.value);
    const std::string qualifierName(name);
    const auto bad = [&](std::string problem, std::string action) {
        Add(context, FindingSeverity::Error, St26Rule::QualifierValue, qualifierName, qualifier.line,
            std::move(problem), std::move(action));
    };
    if (info->value == Value::Flag) {
        if (!value.empty()) bad(qualifierName + " takes no value", "leave INSDQualifier_value out");
        return;
    }
    if (value.empty()) {
        if (name != "replace" && !(qualifier.hasNonEnglish && !TrimmedView(qualifier.nonEnglish).empty()))
            bad(qualifierName + " has no value", "give its value, or leave the qualifier out");
        return;
    }
    if (name == "mol_type") return;  // checked with the source feature
    if (name == "mobile_element_type" || name == "satellite") {
        const size_t colon = value.find(':');
        const std::string_view type = value.substr(0, std::min(colon, name == "satellite" ? value.find(' ') : colon));
        CheckTerm(qualifier, name, type, context);
        if (name == "mobile_element_type" && EqualsIgnoringCase(type, "other") &&
            (colon == std::string_view::npos || TrimmedView(value.substr(colon + 1)).empty()))
            bad("mobile_element_type other without a name", "write other:NAME");
        return;
    }
    if (name == "transl_table") {
        if (!IsAsciiNumber(value) || value.size() > 3 || !CSt26Vocabulary::IsGeneticCode(std::stoi(std::string(value))))
            bad(QuotedBeginning(value) + " names no genetic code", "use 1-6, 9-16 or 21-33");
        return;
    }
    if (!CSt26Vocabulary::Terms(name).empty()) return CheckTerm(qualifier, name, value, context);
    if (name == "estimated_length") {
        if (!IsAsciiNumber(value) && value != "unknown")
            bad(QuotedBeginning(value) + " is no length", "write a number or unknown");
    } else if (name == "citation") {
        if (!IsAsciiNumber(value.starts_with('[') && value.ends_with(']') ? value.substr(1, value.size() - 2) : value))
            bad(QuotedBeginning(value) + " is no reference number", "leave it out: a listing has no references");
    } else if (name == "EC_number") {
        if (!IsEcNumber(value))
            bad(QuotedBeginning(value) + " is no EC number", "write it as 1.2.3.4, with - for unknown parts");
    } else if (name == "lat_lon") {
        if (!IsLatLon(value))
            bad(QuotedBeginning(value) + " is no latitude and longitude", "write it as 12.34 N 56.78 W");
    } else if (name == "collection_date") {
        if (!IsCollectionDate(value))
            bad(QuotedBeginning(value) + " is no collection date",
                "write it as 21-Oct-1952, Oct-1952, 1952 or 1952-10-21");
    } else if (name == "protein_id") {
        if (context.key != "CDS" || !IsAsciiNumber(value))
            bad(QuotedBeginning(value) + " is no SEQ ID of a protein", "give the SEQ ID number of the encoded protein");
    } else if (name == "replace" || name == "rpt_unit_seq") {
        std::string lower(value);
        for (char& c : lower) c = ToLowerAscii(c);
        if (!AllOf(lower, kNucleotideSymbols) || (name == "replace" && lower != value))
            bad(QuotedBeginning(value) + " holds other than nucleotide symbols",
                "write the bases in lower case with acgtmrwsykvhdbn");
    } else if (info->value == Value::Location) {
        CheckEmbeddedLocation(qualifier, name, context);
    }
}

void CSt26FeatureCheck::CheckEmbeddedLocation(const CSt26ReadQualifier& qualifier, std::string_view name,
                                              Context& context) {
    const std::string_view value = TrimmedView(qualifier.value);
    const auto length = static_cast<long long>(context.sequence.residues.size());
    std::string_view location = value;
    std::string format = "a base range such as 12..20";
    if (name == "transl_except" || name == "anticodon") {
        format = name == "transl_except" ? "(pos:12..14,aa:Sec)" : "(pos:34..36,aa:Phe,seq:aaa)";
        const auto embedded = ParseEmbedded(value);
        if (!embedded || !CSt26GeneticCode::OneLetter(embedded->aminoAcid) ||
            (name == "transl_except") != embedded->rest.empty()) {
            Add(context, FindingSeverity::Error, St26Rule::QualifierValue, std::string(name), qualifier.line,
                QuotedBeginning(value) + " does not parse", "write it as " + format);
            return;
        }
        location = embedded->location;
    }
    std::string problem;
    const auto spans = CSt26Location::Parse(location, &problem);
    const auto outside = spans ? CSt26Location::OutsideOf(*spans, length) : std::nullopt;
    if (!spans || outside)
        Add(context, FindingSeverity::Error, St26Rule::QualifierValue, std::string(name), qualifier.line,
            "the location in " + QuotedBeginning(value) + (spans ? " " + *outside : " does not parse: " + problem),
            "write it as " + format + " within 1.." + std::to_string(length));
}

void CSt26FeatureCheck::CheckSource(const CSt26ReadFeature& feature, Context& context) {
    const std::string whole = "1.." + std::to_string(context.sequence.residues.size());
    if (TrimmedView(feature.location) != whole)
        Add(context, FindingSeverity::Error, St26Rule::Source, {}, feature.line,
            "the source feature does not span the sequence", "give source the location " + whole);
    const CSt26ReadQualifier* organism = Find(feature, "organism");
    const CSt26ReadQualifier* molType = Find(feature, "mol_type");
    const auto& allowed = AllowedMolTypes(context.sequence.moltype);
    const std::vector<std::string_view> allowedViews(allowed.begin(), allowed.end());
    const std::string choices = Joined(allowedViews);
    for (const auto& [name, present] : {std::pair<const char*, bool>{"organism", organism != nullptr},
                                        std::pair<const char*, bool>{"mol_type", molType != nullptr}})
        if (!present)
            Add(context, FindingSeverity::Error, St26Rule::MandatoryQualifier, name, feature.line,
                std::string("mandatory qualifier ") + name + " missing",
                std::string(name) == "mol_type" ? "add mol_type, one of: " + choices
                                                : "add organism: the scientific name, synthetic construct or "
                                                  "unidentified");
    const std::string_view organismName = ValueOf(organism);
    if (organism && organismName.empty() && TrimmedView(organism->nonEnglish).empty()) return;
    if (EqualsIgnoringCase(organismName, "Artificial Sequence") || EqualsIgnoringCase(organismName, "Unknown"))
        Add(context, FindingSeverity::Warning, St26Rule::Organism, "organism", organism->line,
            QuotedBeginning(organismName) + " is the ST.25 form",
            EqualsIgnoringCase(organismName, "Unknown") ? "write unidentified" : "write synthetic construct");
    const std::string_view type = ValueOf(molType);
    if (molType && !IsAllowedMolType(context.sequence.moltype, std::string(type))) {
        Add(context, FindingSeverity::Error, St26Rule::MolType, "mol_type", molType->line,
            QuotedBeginning(type) + " is no mol_type of " + context.sequence.moltype, "use one of: " + choices);
    } else if (molType && !context.protein && organism) {
        const bool synthetic = EqualsIgnoringCase(organismName, "synthetic construct");
        const bool other = type.starts_with("other ");
        if (synthetic != other)
            Add(context, FindingSeverity::Warning, St26Rule::SyntheticConstruct, "mol_type", molType->line,
                synthetic ? "a synthetic construct with mol_type " + QuotedBeginning(type)
                          : "mol_type " + QuotedBeginning(type) + " for " + QuotedBeginning(organismName),
                synthetic ? "use other " + context.sequence.moltype
                          : "other DNA and other RNA are for synthetic constructs; check organism and mol_type");
    }
}

void CSt26FeatureCheck::CheckCodingRegion(const CSt26ReadFeature& feature, const std::vector<CSt26Span>& spans,
                                          Context& context) {
    for (const char* untranslated : {"pseudo", "pseudogene", "exception", "ribosomal_slippage", "trans_splicing"})
        if (Find(feature, untranslated)) return;
    const std::string_view tableText = ValueOf(Find(feature, "transl_table"));
    const CSt26GeneticCode* code = tableText.empty() ? &CSt26GeneticCode::Standard()
                                   : IsAsciiNumber(tableText) && tableText.size() <= 3
                                       ? CSt26GeneticCode::ForTable(std::stoi(std::string(tableText)))
                                       : nullptr;
    const std::string_view startText = ValueOf(Find(feature, "codon_start"));
    if (!code || !(startText.empty() || startText == "1" || startText == "2" || startText == "3")) return;
    const size_t start = startText.empty() ? 0 : static_cast<size_t>(startText[0] - '1');

    // The coding bases in reading order.
    const std::string& residues = context.sequence.residues;
    std::string bases;
    for (const CSt26Span& span : spans) {
        if (span.between) continue;
        const auto from = static_cast<size_t>(span.from - 1), length = static_cast<size_t>(span.to - span.from + 1);
        if (!span.complement) {
            bases.append(residues, from, length);
            continue;
        }
        for (size_t i = length; i-- > 0;) bases += Complement(ToLowerAscii(residues[from + i]));
    }
    // Where in the sequence a coding base is, and which coding base a
    // position of the sequence is.
    const auto positionOf = [&spans](size_t index) -> long long {
        for (const CSt26Span& span : spans) {
            if (span.between) continue;
            const auto length = static_cast<size_t>(span.to - span.from + 1);
            if (index < length)
                return span.complement ? span.to - static_cast<long long>(index)
                                       : span.from + static_cast<long long>(index);
            index -= length;
        }
        return 0;
    };
    const auto indexOf = [&spans](long long position) -> std::optional<size_t> {
        size_t offset = 0;
        for (const CSt26Span& span : spans) {
            if (span.between) continue;
            if (position >= span.from && position <= span.to)
                return offset + static_cast<size_t>(span.complement ? span.to - position : position - span.from);
            offset += static_cast<size_t>(span.to - span.from + 1);
        }
        return std::nullopt;
    };
    const std::string_view coding(bases);
    const auto codonOf = [&](size_t aminoAcid) { return coding.substr(start + 3 * aminoAcid, 3); };
    std::string protein = code->TranslateAll(coding.substr(std::min(start, coding.size())));
    // transl_except: the amino acid of the codon whose first base it names.
    std::optional<size_t> lastException;
    for (const CSt26ReadQualifier& qualifier : feature.qualifiers) {
        if (!EqualsIgnoringCase(TrimmedView(qualifier.name), "transl_except")) continue;
        const auto embedded = ParseEmbedded(TrimmedView(qualifier.value));
        const auto at = embedded ? CSt26Location::Parse(embedded->location) : std::nullopt;
        const char letter = embedded ? CSt26GeneticCode::OneLetter(embedded->aminoAcid) : 0;
        if (!at || at->empty() || !letter) continue;
        const auto index = indexOf(at->front().complement ? at->front().to : at->front().from);
        if (!index || *index < start || (*index - start) % 3 || (*index - start) / 3 >= protein.size()) continue;
        const size_t codon = (*index - start) / 3;
        protein[codon] = letter;
        if (codon + 1 == protein.size()) lastException = codon;
    }
    const bool openEnd = spans.back().complement ? spans.back().openStart : spans.back().openEnd;
    const bool openStart = spans.front().complement ? spans.front().openEnd : spans.front().openStart;
    const bool lastIsException = lastException.has_value();
    if (!protein.empty() && (protein.back() == CSt26GeneticCode::kStop ||
                             (code->MayEnd(codonOf(protein.size() - 1)) && !lastIsException))) {
        protein.pop_back();
    } else if (!openEnd) {
        Add(context, FindingSeverity::Warning, St26Rule::StopCodon, {}, feature.line,
            "the coding region does not end with a stop codon",
            "include the stop codon in the location, or mark an open end with \">\"");
    }
    if (const size_t stop = protein.find(CSt26GeneticCode::kStop); stop != std::string::npos) {
        Add(context, FindingSeverity::Error, St26Rule::Translation, "translation", feature.line,
            "stop codon at amino acid " + std::to_string(stop + 1) + " (base " +
                std::to_string(positionOf(start + 3 * stop)) + ") inside the coding region",
            "correct the residues or the location, or say why in transl_except");
        return;
    }

    const CSt26ReadQualifier* written = Find(feature, "translation");
    const std::string_view translation = ValueOf(written);
    if (!written) {
        Add(context, FindingSeverity::Warning, St26Rule::Translation, "translation", feature.line, "no translation",
            "add the translation the codons give, without the stop codon");
    } else if (translation != protein) {
        size_t i = 0;
        for (; i < std::min(translation.size(), protein.size()); ++i) {
            if (translation[i] == protein[i]) continue;
            const bool ambiguous = translation[i] == 'X' &&
                                   std::string_view("XBZJ").find(protein[i]) != std::string_view::npos;
            const bool alternativeStart = i == 0 && translation[i] == 'M' && start == 0 && !openStart &&
                                          CSt26GeneticCode::IsAlternativeStart(codonOf(0));
            if (!ambiguous && !alternativeStart) break;
        }
        if (i < translation.size() || i < protein.size())
            Add(context, FindingSeverity::Error, St26Rule::Translation, "translation", written->line,
                i < std::min(translation.size(), protein.size())
                    ? "amino acid " + std::to_string(i + 1) + " is " + QuotedBeginning(translation.substr(i, 1)) +
                          " but its codon " + QuotedBeginning(codonOf(i)) + " gives " +
                          QuotedBeginning(std::string_view(&protein[i], 1))
                    : "the translation has " + std::to_string(translation.size()) + " amino acids, the codons give " +
                          std::to_string(protein.size()),
                "write the translation the codons give (genetic code " +
                    std::string(tableText.empty() ? "1" : tableText) +
                    ", stop codon left out), or correct the location");
    }
    if (const CSt26ReadQualifier* proteinId = Find(feature, "protein_id");
        proteinId && IsAsciiNumber(ValueOf(proteinId))) {
        const std::string_view linked = written ? translation : std::string_view(protein);
        links_.push_back({context.sequence.seqId, context.where, proteinId->line, std::string(ValueOf(proteinId)),
                          std::hash<std::string_view>{}(linked), linked.size()});
    }
}

}  // namespace qln
