#include "export/St26Vocabulary.h"

#include <algorithm>
#include <array>

#include "model/AsciiText.h"

namespace qln {

namespace {

using Value = CSt26Vocabulary::Value;
using Qualifier = CSt26Vocabulary::Qualifier;

// clang-format off
constexpr std::string_view kNucleotideKeys[] = {
    "3'UTR",         "5'UTR",          "assembly_gap",   "C_region",     "CDS",          "centromere",
    "D-loop",        "D_segment",      "exon",           "gap",          "gene",         "iDNA",
    "intron",        "J_segment",      "mat_peptide",    "misc_binding", "misc_difference", "misc_feature",
    "misc_recomb",   "misc_RNA",       "misc_structure", "mobile_element", "modified_base", "mRNA",
    "ncRNA",         "N_region",       "old_sequence",   "operon",       "oriT",         "polyA_site",
    "precursor_RNA", "prim_transcript", "primer_bind",   "propeptide",   "protein_bind", "regulatory",
    "repeat_region", "rep_origin",     "rRNA",           "S_region",     "sig_peptide",  "source",
    "stem_loop",     "STS",            "telomere",       "tmRNA",        "transit_peptide", "tRNA",
    "unsure",        "V_region",       "V_segment",      "variation"};

constexpr std::string_view kProteinKeys[] = {
    "ACT_SITE", "BINDING",  "CA_BIND",  "CARBOHYD", "CHAIN",    "COILED",   "COMPBIAS", "CONFLICT",
    "CROSSLNK", "DISULFID", "DNA_BIND", "DOMAIN",   "HELIX",    "INIT_MET", "INTRAMEM", "LIPID",
    "METAL",    "MOD_RES",  "MOTIF",    "MUTAGEN",  "NON_CONS", "NON_STD",  "NON_TER",  "NP_BIND",
    "PEPTIDE",  "PROPEP",   "REGION",   "REPEAT",   "SIGNAL",   "SITE",     "STRAND",   "TOPO_DOM",
    "TRANSIT",  "TRANSMEM", "TURN",     "UNSURE",   "VARIANT",  "VAR_SEQ",  "ZN_FING",  "source"};
// clang-format on

constexpr Qualifier kNucleotideQualifiers[] = {
    {"allele", Value::FreeText},
    {"altitude", Value::Structured},
    {"anticodon", Value::Location},
    {"artificial_location", Value::Controlled},
    {"bio_material", Value::Structured},
    {"bound_moiety", Value::FreeText},
    {"cell_line", Value::FreeText},
    {"cell_type", Value::FreeText},
    {"chromosome", Value::FreeText},
    {"circular_RNA", Value::Flag},
    {"citation", Value::Number, true},
    {"clone", Value::FreeText},
    {"clone_lib", Value::FreeText},
    {"codon_start", Value::Controlled},
    {"collected_by", Value::FreeText},
    {"collection_date", Value::Structured},
    {"compare", Value::Structured, true},
    {"country", Value::Structured},
    {"cultivar", Value::FreeText},
    {"culture_collection", Value::Structured},
    {"db_xref", Value::Structured, true},
    {"dev_stage", Value::FreeText},
    {"direction", Value::Controlled},
    {"EC_number", Value::Structured},
    {"ecotype", Value::FreeText},
    {"environmental_sample", Value::Flag},
    {"estimated_length", Value::Number},
    {"exception", Value::Controlled},
    {"experiment", Value::Structured, true},
    {"focus", Value::Flag},
    {"frequency", Value::FreeText},
    {"function", Value::FreeText},
    {"gap_type", Value::Controlled},
    {"gene", Value::FreeText},
    {"gene_synonym", Value::FreeText},
    {"geo_loc_name", Value::Structured},
    {"germline", Value::Flag},
    {"haplogroup", Value::FreeText},
    {"haplotype", Value::FreeText},
    {"host", Value::FreeText},
    {"identified_by", Value::FreeText},
    {"inference", Value::Structured, true},
    {"isolate", Value::FreeText},
    {"isolation_source", Value::FreeText},
    {"lab_host", Value::FreeText},
    {"lat_lon", Value::Structured},
    {"linkage_evidence", Value::Controlled},
    {"locus_tag", Value::FreeText, true},
    {"macronuclear", Value::Flag},
    {"map", Value::FreeText},
    {"mating_type", Value::FreeText},
    {"metagenome_source", Value::FreeText},
    {"mobile_element_type", Value::Controlled},
    {"mod_base", Value::Controlled},
    {"mol_type", Value::Controlled},
    {"ncRNA_class", Value::Controlled},
    {"note", Value::FreeText},
    {"number", Value::Structured},
    {"old_locus_tag", Value::FreeText, true},
    {"operon", Value::FreeText},
    {"organelle", Value::Controlled},
    {"organism", Value::FreeText},
    {"partial", Value::Flag, true},
    {"PCR_conditions", Value::FreeText},
    {"PCR_primers", Value::Structured},
    {"phenotype", Value::FreeText},
    {"plasmid", Value::FreeText},
    {"pop_variant", Value::FreeText},
    {"product", Value::FreeText},
    {"protein_id", Value::Structured},
    {"proviral", Value::Flag},
    {"pseudo", Value::Flag},
    {"pseudogene", Value::Controlled},
    {"rearranged", Value::Flag},
    {"recombination_class", Value::Controlled},
    {"regulatory_class", Value::Controlled},
    {"replace", Value::Residues},
    {"ribosomal_slippage", Value::Flag},
    {"rpt_family", Value::FreeText},
    {"rpt_type", Value::Controlled},
    {"rpt_unit_range", Value::Location},
    {"rpt_unit_seq", Value::Residues},
    {"satellite", Value::Controlled},
    {"segment", Value::FreeText},
    {"serotype", Value::FreeText},
    {"serovar", Value::FreeText},
    {"sex", Value::FreeText},
    {"specimen_voucher", Value::Structured},
    {"standard_name", Value::FreeText},
    {"strain", Value::FreeText},
    {"sub_clone", Value::FreeText},
    {"submitter_seqid", Value::FreeText, true},
    {"sub_species", Value::FreeText},
    {"sub_strain", Value::FreeText},
    {"tag_peptide", Value::Location},
    {"tissue_lib", Value::FreeText},
    {"tissue_type", Value::FreeText},
    {"transcript_id", Value::FreeText},
    {"transgenic", Value::Flag},
    {"translation", Value::Residues},
    {"transl_except", Value::Location},
    {"transl_table", Value::Controlled},
    {"trans_splicing", Value::Flag},
    {"type_material", Value::Controlled},
    {"variety", Value::FreeText},
};

constexpr Qualifier kProteinQualifiers[] = {
    {"mol_type", Value::Controlled},
    {"note", Value::FreeText},
    {"organism", Value::FreeText},
};

// What each nucleotide key carries. "G" stands for the qualifiers most keys
// may carry.
struct KeyQualifiers {
    std::string_view key;
    std::string_view mandatory;  // separated by blanks
    std::string_view optional;
};

constexpr std::string_view kCommon =
    "allele db_xref experiment gene gene_synonym inference locus_tag map note old_locus_tag";

constexpr KeyQualifiers kKeyQualifiers[] = {
    {"source", "organism mol_type",
     "altitude bio_material cell_line cell_type chromosome clone clone_lib collected_by collection_date country "
     "cultivar culture_collection db_xref dev_stage ecotype environmental_sample focus geo_loc_name germline "
     "haplogroup haplotype host identified_by isolate isolation_source lab_host lat_lon macronuclear map "
     "mating_type metagenome_source note organelle PCR_primers plasmid pop_variant proviral rearranged segment "
     "serotype serovar sex specimen_voucher strain sub_clone submitter_seqid sub_species sub_strain tissue_lib "
     "tissue_type transgenic type_material variety"},
    {"3'UTR", "", "G function standard_name trans_splicing"},
    {"5'UTR", "", "G function standard_name trans_splicing"},
    {"assembly_gap", "estimated_length gap_type", "linkage_evidence"},
    {"C_region", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"CDS", "",
     "G artificial_location circular_RNA codon_start EC_number exception function number operon product protein_id "
     "pseudo pseudogene ribosomal_slippage standard_name transcript_id translation transl_except transl_table "
     "trans_splicing"},
    {"centromere", "", "db_xref experiment inference note standard_name"},
    {"D-loop", "", "G"},
    {"D_segment", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"exon", "", "G EC_number function number product pseudo pseudogene standard_name trans_splicing"},
    {"gap", "estimated_length", "experiment inference map note"},
    {"gene", "", "G function operon product pseudo pseudogene phenotype standard_name trans_splicing"},
    {"iDNA", "", "G function number standard_name"},
    {"intron", "", "G function number pseudo pseudogene standard_name trans_splicing"},
    {"J_segment", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"mat_peptide", "", "G EC_number function product pseudo pseudogene standard_name"},
    {"misc_binding", "bound_moiety", "G function"},
    {"misc_difference", "", "G clone compare phenotype replace standard_name"},
    {"misc_feature", "", "G function number phenotype product pseudo pseudogene standard_name"},
    {"misc_recomb", "", "G recombination_class standard_name"},
    {"misc_RNA", "", "G function operon product pseudo pseudogene standard_name transcript_id trans_splicing"},
    {"misc_structure", "", "G function standard_name"},
    {"mobile_element", "mobile_element_type", "G function rpt_family rpt_type standard_name"},
    {"modified_base", "mod_base", "G frequency"},
    {"mRNA", "",
     "G artificial_location circular_RNA function operon product pseudo pseudogene standard_name transcript_id "
     "trans_splicing"},
    {"N_region", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"ncRNA", "ncRNA_class", "G function operon product pseudo pseudogene standard_name transcript_id trans_splicing"},
    {"old_sequence", "", "G citation compare replace"},
    {"operon", "operon",
     "allele db_xref experiment function inference map note phenotype pseudo pseudogene standard_name"},
    {"oriT", "", "G bound_moiety direction rpt_family rpt_type rpt_unit_range rpt_unit_seq standard_name"},
    {"polyA_site", "", "G"},
    {"precursor_RNA", "", "G function operon product standard_name transcript_id trans_splicing"},
    {"prim_transcript", "", "G function operon standard_name transcript_id"},
    {"primer_bind", "", "G standard_name PCR_conditions"},
    {"propeptide", "", "G function product pseudo pseudogene standard_name"},
    {"protein_bind", "bound_moiety", "G function operon standard_name"},
    {"regulatory", "regulatory_class", "G bound_moiety function operon phenotype pseudo pseudogene standard_name"},
    {"repeat_region", "", "G function rpt_family rpt_type rpt_unit_range rpt_unit_seq satellite standard_name"},
    {"rep_origin", "", "G direction function standard_name"},
    {"rRNA", "", "G function operon product pseudo pseudogene standard_name transcript_id"},
    {"S_region", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"sig_peptide", "", "G function product pseudo pseudogene standard_name"},
    {"stem_loop", "", "G function operon standard_name"},
    {"STS", "", "G standard_name"},
    {"telomere", "", "db_xref experiment inference note rpt_type rpt_unit_range rpt_unit_seq standard_name"},
    {"tmRNA", "", "G function product pseudo pseudogene standard_name tag_peptide transcript_id"},
    {"transit_peptide", "", "G function product pseudo pseudogene standard_name"},
    {"tRNA", "",
     "G anticodon circular_RNA function operon product pseudo pseudogene standard_name trans_splicing "
     "transcript_id"},
    {"unsure", "", "G compare replace"},
    {"V_region", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"V_segment", "", "G product pseudo pseudogene standard_name transcript_id"},
    {"variation", "", "G compare frequency phenotype product replace standard_name"},
};

// The language-dependent qualifiers: the names that take a non-English value
// in the files WIPO's tools prepare for translation.
constexpr std::string_view kLanguageDependent[] = {
    "bound_moiety",     "cell_type",  "clone",        "clone_lib",   "collected_by",  "cultivar",      "dev_stage",
    "ecotype",          "function",   "gene_synonym", "haplogroup",  "host",          "identified_by", "isolate",
    "isolation_source", "lab_host",   "mating_type",  "note",        "organism",      "phenotype",     "pop_variant",
    "product",          "serotype",   "serovar",      "sex",         "standard_name", "strain",        "sub_clone",
    "sub_species",      "sub_strain", "tissue_lib",   "tissue_type", "variety"};

struct TermList {
    std::string_view qualifier;
    std::span<const std::string_view> terms;
    std::span<const std::string_view> recent;
};

// clang-format off
constexpr std::string_view kMolTypes[] = {"genomic DNA", "other DNA", "unassigned DNA", "genomic RNA", "mRNA",
                                          "tRNA", "rRNA", "transcribed RNA", "viral cRNA", "other RNA",
                                          "unassigned RNA", "protein"};
constexpr std::string_view kModBases[] = {
    "ac4c", "chm5u", "cm",    "cmnm5s2u", "cmnm5u", "dhu",    "fm",     "gal q", "gm",   "i",     "i6a",  "m1a",
    "m1f",  "m1g",   "m1i",   "m22g",     "m2a",    "m2g",    "m3c",    "m4c",   "m5c",  "m6a",   "m7g",  "mam5u",
    "mam5s2u", "man q", "mcm5s2u", "mcm5u", "mo5u", "ms2i6a", "ms2t6a", "mt6a",  "mv",   "o5u",   "osyw", "p",
    "q",    "s2c",   "s2t",   "s2u",      "s4u",    "m5u",    "t6a",    "tm",    "um",   "yw",    "x",    "OTHER"};
constexpr std::string_view kRegulatoryClasses[] = {
    "attenuator",       "CAAT_signal",      "enhancer",         "enhancer_blocking_element", "GC_signal",
    "imprinting_control_region", "insulator", "locus_control_region", "minus_35_signal", "minus_10_signal",
    "polyA_signal_sequence", "promoter",    "response_element", "ribosome_binding_site", "riboswitch",
    "silencer",         "TATA_box",         "terminator",       "other"};
constexpr std::string_view kRecentRegulatoryClasses[] = {
    "DNase_I_hypersensitive_site", "matrix_attachment_region", "recoding_stimulatory_region",
    "replication_regulatory_region", "transcriptional_cis_regulatory_region", "recombination_enhancer", "uORF"};
constexpr std::string_view kNcRnaClasses[] = {
    "antisense_RNA", "autocatalytically_spliced_intron", "ribozyme", "hammerhead_ribozyme", "lncRNA",
    "RNase_P_RNA",   "RNase_MRP_RNA", "telomerase_RNA", "guide_RNA", "sgRNA", "rasiRNA", "scRNA", "scaRNA",
    "siRNA",         "pre_miRNA",     "miRNA",          "piRNA",     "snoRNA", "snRNA", "SRP_RNA", "vault_RNA",
    "Y_RNA",         "circRNA",       "other"};
constexpr std::string_view kMobileElementTypes[] = {
    "transposon", "retrotransposon", "integron", "insertion sequence", "non-LTR retrotransposon",
    "SINE",       "MITE",            "LINE",     "other"};
constexpr std::string_view kRepeatTypes[] = {
    "tandem", "inverted", "flanking", "terminal", "direct", "dispersed", "nested", "long_terminal_repeat",
    "non_ltr_retrotransposon_polymeric_tract", "x_element_combinatorial_repeat", "y_prime_element",
    "telomeric_repeat", "centromeric_repeat", "other"};
constexpr std::string_view kRecombinationClasses[] = {"meiotic", "mitotic", "non_allelic_homologous",
                                                      "chromosome_breakpoint", "other"};
constexpr std::string_view kOrganelles[] = {
    "chromatophore",      "hydrogenosome",      "mitochondrion",     "nucleomorph",       "plastid",
    "mitochondrion:kinetoplast", "plastid:chloroplast", "plastid:apicoplast", "plastid:chromoplast",
    "plastid:cyanelle",   "plastid:leucoplast", "plastid:proplastid"};
constexpr std::string_view kRecentOrganelles[] = {"nitroplast"};
constexpr std::string_view kSatellites[] = {"satellite", "microsatellite", "minisatellite"};
constexpr std::string_view kDirections[] = {"left", "right", "both"};
constexpr std::string_view kCodonStarts[] = {"1", "2", "3"};
constexpr std::string_view kPseudogenes[] = {"processed", "unprocessed", "unitary", "allelic", "unknown"};
constexpr std::string_view kExceptions[] = {"RNA editing", "reasons given in citation",
                                            "rearrangement required for product",
                                            "annotated by transcript or proteomic data"};
constexpr std::string_view kArtificialLocations[] = {"heterogeneous population sequenced",
                                                     "low-quality sequence region"};
// clang-format on

constexpr TermList kTermLists[] = {
    {"mol_type", kMolTypes, {}},
    {"mod_base", kModBases, {}},
    {"regulatory_class", kRegulatoryClasses, kRecentRegulatoryClasses},
    {"ncRNA_class", kNcRnaClasses, {}},
    {"mobile_element_type", kMobileElementTypes, {}},
    {"rpt_type", kRepeatTypes, {}},
    {"recombination_class", kRecombinationClasses, {}},
    {"organelle", kOrganelles, kRecentOrganelles},
    {"satellite", kSatellites, {}},
    {"direction", kDirections, {}},
    {"codon_start", kCodonStarts, {}},
    {"pseudogene", kPseudogenes, {}},
    {"exception", kExceptions, {}},
    {"artificial_location", kArtificialLocations, {}},
};

template <class Range>
std::optional<std::string_view> FindName(const Range& names, std::string_view name) {
    for (const std::string_view known : names)
        if (EqualsIgnoringCase(known, name)) return known;
    return std::nullopt;
}

template <size_t N>
const Qualifier* FindQualifier(const Qualifier (&qualifiers)[N], std::string_view name) {
    for (const Qualifier& qualifier : qualifiers)
        if (EqualsIgnoringCase(qualifier.name, name)) return &qualifier;
    return nullptr;
}

// Whether a blank-separated list holds the word.
bool ListHolds(std::string_view list, std::string_view word) {
    while (!list.empty()) {
        const size_t end = std::min(list.find(' '), list.size());
        if (EqualsIgnoringCase(list.substr(0, end), word)) return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

const KeyQualifiers* FindKey(std::string_view key) {
    for (const KeyQualifiers& entry : kKeyQualifiers)
        if (EqualsIgnoringCase(entry.key, key)) return &entry;
    return nullptr;
}

const TermList* FindTerms(std::string_view qualifier) {
    for (const TermList& list : kTermLists)
        if (EqualsIgnoringCase(list.qualifier, qualifier)) return &list;
    return nullptr;
}

}  // namespace

std::optional<std::string_view> CSt26Vocabulary::NucleotideKey(std::string_view key) {
    return FindName(kNucleotideKeys, key);
}

std::optional<std::string_view> CSt26Vocabulary::ProteinKey(std::string_view key) {
    return FindName(kProteinKeys, key);
}

const Qualifier* CSt26Vocabulary::NucleotideQualifier(std::string_view name) {
    return FindQualifier(kNucleotideQualifiers, name);
}

const Qualifier* CSt26Vocabulary::ProteinQualifier(std::string_view name) {
    return FindQualifier(kProteinQualifiers, name);
}

std::span<const std::string_view> CSt26Vocabulary::MandatoryQualifiers(std::string_view key) {
    // Split once: the lists above are written for reading.
    struct Split {
        std::string_view key;
        std::array<std::string_view, 3> names{};
        size_t count = 0;
    };
    static const auto split = [] {
        std::array<Split, std::size(kKeyQualifiers)> out{};
        for (size_t i = 0; i < std::size(kKeyQualifiers); ++i) {
            out[i].key = kKeyQualifiers[i].key;
            std::string_view list = kKeyQualifiers[i].mandatory;
            while (!list.empty() && out[i].count < out[i].names.size()) {
                const size_t end = std::min(list.find(' '), list.size());
                out[i].names[out[i].count++] = list.substr(0, end);
                list.remove_prefix(std::min(end + 1, list.size()));
            }
        }
        return out;
    }();
    for (const Split& entry : split)
        if (EqualsIgnoringCase(entry.key, key)) return {entry.names.data(), entry.count};
    return {};
}

bool CSt26Vocabulary::ListsQualifier(std::string_view key, std::string_view qualifier) {
    const KeyQualifiers* entry = FindKey(key);
    if (!entry) return false;
    return ListHolds(entry->mandatory, qualifier) || ListHolds(entry->optional, qualifier) ||
           (ListHolds(entry->optional, "G") && ListHolds(kCommon, qualifier));
}

bool CSt26Vocabulary::IsLanguageDependent(std::string_view qualifier) {
    return FindName(kLanguageDependent, qualifier).has_value();
}

std::span<const std::string_view> CSt26Vocabulary::Terms(std::string_view qualifier) {
    const TermList* list = FindTerms(qualifier);
    return list ? list->terms : std::span<const std::string_view>();
}

std::span<const std::string_view> CSt26Vocabulary::RecentTerms(std::string_view qualifier) {
    const TermList* list = FindTerms(qualifier);
    return list ? list->recent : std::span<const std::string_view>();
}

std::optional<std::string_view> CSt26Vocabulary::Term(std::string_view qualifier, std::string_view value) {
    const TermList* list = FindTerms(qualifier);
    if (!list) return std::nullopt;
    if (auto term = FindName(list->terms, value)) return term;
    return FindName(list->recent, value);
}

bool CSt26Vocabulary::IsGeneticCode(int number) {
    return (number >= 1 && number <= 6) || (number >= 9 && number <= 16) || (number >= 21 && number <= 33);
}

}  // namespace qln
