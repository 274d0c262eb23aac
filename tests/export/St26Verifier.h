// An offline check of an ST.26 XML listing, kept apart from the exporter so
// that the tests never take the exporter's word for its own output: the DTD
// through xmllint, then the value rules a DTD cannot express. Each problem
// names the SEQ ID (or "listing") and the rule it breaks.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace qln::test {

// The DTD and the sample listing: shared/ stands beside the checkout, as CI lays it.
inline std::filesystem::path St26Folder() {
    const std::filesystem::path beside = std::filesystem::path(QLN_SOURCE_DIR) / ".." / "shared" / "st26";
    if (std::filesystem::is_directory(beside)) return beside;
    return "/work/shared/st26";
}

namespace st26 {

// Word lists, one space between words.
inline constexpr std::string_view kLanguages =
    "aa ab ae af ak am an ar as av ay az ba be bg bh bi bm bn bo br bs ca ce ch co cr cs cu cv cy da de dv dz ee "
    "el en eo es et eu fa ff fi fj fo fr fy ga gd gl gn gu gv ha he hi ho hr ht hu hy hz ia id ie ig ii ik io is "
    "it iu ja jv ka kg ki kj kk kl km kn ko kr ks ku kv kw ky la lb lg li ln lo lt lu lv mg mh mi mk ml mn mr ms "
    "mt my na nb nd ne ng nl nn no nr nv ny oc oj om or os pa pi pl ps pt qu rm rn ro ru rw sa sc sd se sg si sk "
    "sl sm sn so sq sr ss st su sv sw ta te tg th ti tk tl tn to tr ts tt tw ty ug uk ur uz ve vi vo wa wo xh yi "
    "yo za zh zu";
// States (two-letter country codes) and the regional and international offices.
inline constexpr std::string_view kOffices =
    "AD AE AF AG AI AL AM AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL BM BN BO BQ BR BS BT BV BW BY "
    "BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK "
    "FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR "
    "IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK "
    "ML MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM "
    "PN PR PS PT PW PY QA RE RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS ST SV SX SY SZ TC TD TF "
    "TG TH TJ TK TL TM TN TO TR TT TV TW TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS YE YT ZA ZM ZW "
    "AP BX EA EM EP GC IB OA QZ WO XN XU XV";
inline constexpr std::string_view kNucleotideKeys =
    "3'UTR 5'UTR assembly_gap C_region CDS centromere D-loop D_segment exon gap gene iDNA intron J_segment "
    "mat_peptide misc_binding misc_difference misc_feature misc_recomb misc_RNA misc_structure mobile_element "
    "modified_base mRNA ncRNA N_region old_sequence operon oriT polyA_site precursor_RNA prim_transcript "
    "primer_bind propeptide protein_bind regulatory repeat_region rep_origin rRNA S_region sig_peptide source "
    "stem_loop STS telomere tmRNA transit_peptide tRNA unsure V_region V_segment variation";
inline constexpr std::string_view kProteinKeys =
    "ACT_SITE BINDING CA_BIND CARBOHYD CHAIN COILED COMPBIAS CONFLICT CROSSLNK DISULFID DNA_BIND DOMAIN HELIX "
    "INIT_MET INTRAMEM LIPID METAL MOD_RES MOTIF MUTAGEN NON_CONS NON_STD NON_TER NP_BIND PEPTIDE PROPEP REGION "
    "REPEAT SIGNAL SITE STRAND TOPO_DOM TRANSIT TRANSMEM TURN UNSURE VARIANT VAR_SEQ ZN_FING source";
inline const std::map<std::string, std::set<std::string>> kMolTypes = {
    {"DNA", {"genomic DNA", "other DNA", "unassigned DNA"}},
    {"RNA", {"genomic RNA", "mRNA", "tRNA", "rRNA", "transcribed RNA", "viral cRNA", "other RNA", "unassigned RNA"}},
    {"AA", {"protein"}}};
// Qualifiers a key cannot go without (source is checked on its own).
inline const std::multimap<std::string, std::string> kRequiredQualifiers = {
    {"modified_base", "mod_base"},       {"ncRNA", "ncRNA_class"},          {"regulatory", "regulatory_class"},
    {"mobile_element", "mobile_element_type"}, {"gap", "estimated_length"}, {"assembly_gap", "estimated_length"},
    {"assembly_gap", "gap_type"},        {"protein_bind", "bound_moiety"},  {"misc_binding", "bound_moiety"}};
inline const std::map<std::string, char> kThreeLetter = {
    {"Ala", 'A'}, {"Arg", 'R'}, {"Asn", 'N'}, {"Asp", 'D'}, {"Cys", 'C'}, {"Gln", 'Q'}, {"Glu", 'E'},
    {"Gly", 'G'}, {"His", 'H'}, {"Ile", 'I'}, {"Leu", 'L'}, {"Lys", 'K'}, {"Met", 'M'}, {"Phe", 'F'},
    {"Pro", 'P'}, {"Ser", 'S'}, {"Thr", 'T'}, {"Trp", 'W'}, {"Tyr", 'Y'}, {"Val", 'V'}, {"Sec", 'U'},
    {"Pyl", 'O'}, {"Asx", 'B'}, {"Glx", 'Z'}, {"Xle", 'J'}, {"Xaa", 'X'}, {"OTHER", 'X'}, {"TERM", '*'}};

inline bool InList(std::string_view list, std::string_view word) {
    if (word.empty() || word.find(' ') != std::string_view::npos) return false;
    for (size_t at = list.find(word); at != std::string_view::npos; at = list.find(word, at + 1))
        if ((at == 0 || list[at - 1] == ' ') && (at + word.size() == list.size() || list[at + word.size()] == ' '))
            return true;
    return false;
}

inline bool IsDate(const std::string& s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    const int y = std::stoi(s.substr(0, 4)), m = std::stoi(s.substr(5, 2)), d = std::stoi(s.substr(8, 2));
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return y > 0 && m >= 1 && m <= 12 && d >= 1 && d <= kDays[m - 1] + (m == 2 && leap);
}

inline bool IsAnnexIV(std::string_view text) {
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// ---- the tree ----
inline std::string Name(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }
inline std::vector<xmlNode*> Elements(const xmlNode* parent, std::string_view name = {}) {
    std::vector<xmlNode*> found;
    for (xmlNode* n = parent ? parent->children : nullptr; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && (name.empty() || Name(n) == name)) found.push_back(n);
    return found;
}
inline xmlNode* First(const xmlNode* parent, std::string_view name) {
    const auto found = Elements(parent, name);
    return found.empty() ? nullptr : found.front();
}
inline std::string Text(const xmlNode* n) {
    if (!n) return {};
    xmlChar* content = xmlNodeGetContent(n);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}
inline std::string Attr(const xmlNode* n, const char* name) {
    xmlChar* value = xmlGetProp(n, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}
// Every element below n, n included, in document order.
inline void Walk(xmlNode* n, std::vector<xmlNode*>& out) {
    out.push_back(n);
    for (xmlNode* child : Elements(n)) Walk(child, out);
}

// ---- locations ----
struct Span {
    long from = 0, to = 0;
    bool complement = false;
};

// x, x..y, <x..>y, join(...), order(...), complement(...): the spans in reading order.
class LocationParser {
public:
    explicit LocationParser(std::string_view text) : text_(text) {}
    bool Parse(std::vector<Span>& spans) { return Location(false, spans) && at_ == text_.size(); }

private:
    bool Eat(std::string_view s) {
        if (!text_.substr(at_).starts_with(s)) return false;
        at_ += s.size();
        return true;
    }
    bool Number(long& n) {
        if (!Eat("<")) Eat(">");
        const size_t start = at_;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
        if (at_ == start || at_ - start > 9) return false;
        n = std::stol(std::string(text_.substr(start, at_ - start)));
        return true;
    }
    bool Location(bool complement, std::vector<Span>& spans) {
        if (Eat("complement(")) {
            std::vector<Span> inner;
            if (!Location(!complement, inner) || !Eat(")")) return false;
            spans.insert(spans.end(), inner.rbegin(), inner.rend());
            return true;
        }
        if (Eat("join(") || Eat("order(")) {
            do
                if (!Location(complement, spans)) return false;
            while (Eat(","));
            return Eat(")");
        }
        Span span{0, 0, complement};
        if (!Number(span.from)) return false;
        span.to = span.from;
        if (Eat("..") && !Number(span.to)) return false;
        spans.push_back(span);
        return true;
    }
    std::string_view text_;
    size_t at_ = 0;
};

// ---- translation: the standard code, ambiguity codes resolved where every reading agrees ----
inline std::string_view Bases(char code) {
    switch (code) {
        case 'a': return "a"; case 'c': return "c"; case 'g': return "g"; case 't': case 'u': return "t";
        case 'm': return "ac"; case 'r': return "ag"; case 'w': return "at"; case 's': return "cg";
        case 'y': return "ct"; case 'k': return "gt"; case 'v': return "acg"; case 'h': return "act";
        case 'd': return "agt"; case 'b': return "cgt"; case 'n': return "acgt"; default: return "";
    }
}
inline char ComplementBase(char code) {
    static const std::string_view from = "acgtmrwsykvhdbn", to = "tgcakywsrmbdhvn";
    const size_t at = from.find(code);
    return at == std::string_view::npos ? code : to[at];
}
inline char TranslateCodon(std::string_view codon) {
    static const std::string_view kTable = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";
    static const std::string_view kOrder = "tcag";
    char answer = 0;
    for (char a : Bases(codon[0]))
        for (char b : Bases(codon[1]))
            for (char c : Bases(codon[2])) {
                const char aa = kTable[kOrder.find(a) * 16 + kOrder.find(b) * 4 + kOrder.find(c)];
                if (answer && answer != aa) return 'X';
                answer = aa;
            }
    return answer ? answer : 'X';
}

// ---- the checks ----
class Verifier {
public:
    std::vector<std::string> problems;

    void Run(const std::string& path) {
        CheckDtd(path);
        CheckHeadLines(path);
        std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
            xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
            &xmlFreeDoc);
        xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
        if (!root || Name(root) != "ST26SequenceListing") return Add(0, "XML", "no ST26SequenceListing document");
        if (Attr(root, "dtdVersion") != "V1_3") Add(0, "dtdVersion", "'" + Attr(root, "dtdVersion") + "'");
        CheckGeneral(root);
        const auto data = Elements(root, "SequenceData");
        if (Text(First(root, "SequenceTotalQuantity")) != std::to_string(data.size()))
            Add(0, "SequenceTotalQuantity", Text(First(root, "SequenceTotalQuantity")) + " for " +
                                                 std::to_string(data.size()) + " sequences");
        for (size_t i = 0; i < data.size(); ++i) {
            if (Attr(data[i], "sequenceIDNumber") != std::to_string(i + 1))
                Add(0, "numbering", "sequence " + std::to_string(i + 1) + " numbered '" +
                                        Attr(data[i], "sequenceIDNumber") + "'");
            xmlNode* seq = First(data[i], "INSDSeq");
            sequences_[static_cast<int>(i + 1)] = {Text(First(seq, "INSDSeq_moltype")),
                                                   Text(First(seq, "INSDSeq_sequence"))};
        }
        for (size_t i = 0; i < data.size(); ++i) CheckSequence(static_cast<int>(i + 1), First(data[i], "INSDSeq"));
    }

private:
    struct Listed {
        std::string moltype, residues;
    };
    std::map<int, Listed> sequences_;

    void Add(int seqId, const std::string& rule, const std::string& detail) {
        problems.push_back((seqId ? "SEQ ID " + std::to_string(seqId) : std::string("listing")) + ": " + rule +
                           ": " + detail);
    }

    void CheckDtd(const std::string& path) {
        const std::string command = std::string(QLN_XMLLINT) + " --noout --dtdvalid '" +
                                    (St26Folder() / "ST26SequenceListing_V1_3.dtd").string() + "' '" + path +
                                    "' 2>&1";
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[512];
            while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
            if (pclose(pipe) == 0) return;
        }
        // The errors only: xmllint also warns that the DOCTYPE's own DTD is not beside the file.
        std::string errors;
        for (size_t at = 0, end; at < output.size(); at = end + 1) {
            end = std::min(output.find('\n', at), output.size());
            if (output.find("error", at) < end) errors += output.substr(at, end - at + 1);
        }
        Add(0, "DTD", (errors.empty() ? output : errors).substr(0, 600));
    }

    void CheckHeadLines(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string line1, line2;
        std::getline(in, line1);
        std::getline(in, line2);
        if (line1 != R"(<?xml version="1.0" encoding="UTF-8"?>)") Add(0, "line 1", line1);
        if (line2 != R"(<!DOCTYPE ST26SequenceListing PUBLIC "-//WIPO//DTD Sequence Listing 1.3//EN" )"
                     R"("ST26SequenceListing_V1_3.dtd">)")
            Add(0, "line 2", line2);
    }

    // Dates, codes, characters, ids and what the listing's head requires.
    void CheckGeneral(xmlNode* root) {
        static const std::set<std::string> kUnicode = {"ApplicantName", "InventorName", "InventionTitle",
                                                       "NonEnglishQualifier_value"};
        std::vector<xmlNode*> all;
        Walk(root, all);
        std::set<std::string> ids;
        int nonEnglish = 0;
        for (xmlNode* n : all) {
            const std::string name = Name(n);
            if (name == "FilingDate" && !IsDate(Text(n))) Add(0, "date", name + " '" + Text(n) + "'");
            if (name == "IPOfficeCode" && !InList(kOffices, Text(n))) Add(0, "office code", "'" + Text(n) + "'");
            if (name == "INSDSeq_other-seqids") Add(0, "other-seqids", "written");
            nonEnglish += name == "NonEnglishQualifier_value";
            if (Elements(n).empty() && !kUnicode.count(name) && !IsAnnexIV(Text(n)))
                Add(0, "characters", name + " '" + Text(n).substr(0, 80) + "'");
            for (xmlAttr* a = n->properties; a; a = a->next) {
                const std::string attr = reinterpret_cast<const char*>(a->name), value = Attr(n, attr.c_str());
                if (!IsAnnexIV(value)) Add(0, "characters", name + "@" + attr + " '" + value + "'");
                if (attr.ends_with("anguageCode") && !InList(kLanguages, value))
                    Add(0, "language code", name + "@" + attr + " '" + value + "'");
                if (attr == "id" && (value.size() < 2 || value[0] != 'q' ||
                                     value.find_first_not_of("0123456789", 1) != std::string::npos))
                    Add(0, "id", "'" + value + "' is not q and digits");
                if (attr == "id" && !ids.insert(value).second) Add(0, "id", "'" + value + "' twice");
            }
        }
        const auto has = [root](const char* attr) { return xmlHasProp(root, reinterpret_cast<const xmlChar*>(attr)); };
        if (has("productionDate") && !IsDate(Attr(root, "productionDate")))
            Add(0, "date", "productionDate '" + Attr(root, "productionDate") + "'");
        if (bool(has("nonEnglishFreeTextLanguageCode")) != (nonEnglish > 0))
            Add(0, "nonEnglishFreeTextLanguageCode", nonEnglish ? "missing" : "without non-English values");
        if (has("originalFreeTextLanguageCode") && !nonEnglish)
            Add(0, "originalFreeTextLanguageCode", "without non-English values");
        if (!First(root, "ApplicationIdentification") && !First(root, "ApplicantFileReference"))
            Add(0, "ApplicantFileReference", "missing without ApplicationIdentification");
        if (!IsAnnexIV(Text(First(root, "ApplicantName"))) && !First(root, "ApplicantNameLatin"))
            Add(0, "ApplicantNameLatin", "missing for '" + Text(First(root, "ApplicantName")) + "'");
    }

    void CheckSequence(int id, xmlNode* seq) {
        const std::string length = Text(First(seq, "INSDSeq_length")), moltype = Text(First(seq, "INSDSeq_moltype"));
        const std::string division = Text(First(seq, "INSDSeq_division")), residues = sequences_[id].residues;
        xmlNode* table = First(seq, "INSDSeq_feature-table");
        if (residues == "000") {
            if (!length.empty() || !moltype.empty() || !division.empty() || table)
                Add(id, "skipped form", "length, moltype and division must be empty, no feature table");
            return;
        }
        if (division != "PAT") Add(id, "division", "'" + division + "'");
        if (!kMolTypes.count(moltype)) return Add(id, "moltype", "'" + moltype + "'");
        if (length != std::to_string(residues.size()))
            Add(id, "length", length + " for " + std::to_string(residues.size()) + " residues");
        const bool protein = moltype == "AA";
        const std::string_view alphabet = protein ? "ARNDCQEGHILKMFPOSUTWYVBZJX" : "acgtmrwsykvhdbn";
        if (const size_t bad = residues.find_first_not_of(alphabet); bad != std::string::npos)
            Add(id, "alphabet", std::string("'") + residues[bad] + "' at " + std::to_string(bad + 1));
        const size_t defined = residues.size() - std::count(residues.begin(), residues.end(), protein ? 'X' : 'n');
        if (defined < (protein ? 4u : 10u))
            Add(id, "threshold", std::to_string(defined) + " defined residues: a skipped entry (000) instead");
        int sources = 0;
        for (xmlNode* feature : Elements(table, "INSDFeature"))
            sources += CheckFeature(id, moltype, residues, feature);
        if (sources != 1) Add(id, "source", std::to_string(sources) + " source features");
    }

    // Returns 1 for a source feature.
    int CheckFeature(int id, const std::string& moltype, const std::string& residues, xmlNode* feature) {
        const std::string key = Text(First(feature, "INSDFeature_key"));
        const std::string location = Text(First(feature, "INSDFeature_location"));
        std::multimap<std::string, std::string> quals;
        for (xmlNode* q : Elements(First(feature, "INSDFeature_quals"), "INSDQualifier")) {
            const std::string name = Text(First(q, "INSDQualifier_name"));
            for (const char* element : {"INSDQualifier_value", "NonEnglishQualifier_value"})
                if (xmlNode* value = First(q, element)) {
                    quals.emplace(name, Text(value));
                    const std::string text = Text(value);
                    const auto chars = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
                    if (name != "translation" && chars > 1000)
                        Add(id, "free text", key + "/" + name + " has " + std::to_string(chars) + " characters");
                }
        }
        const auto value = [&](const std::string& name) {
            const auto it = quals.find(name);
            return it == quals.end() ? std::string() : it->second;
        };
        const bool protein = moltype == "AA";
        if (!InList(protein ? kProteinKeys : kNucleotideKeys, key)) Add(id, "feature key", "'" + key + "'");
        const auto [from, to] = kRequiredQualifiers.equal_range(key);
        for (auto it = from; it != to; ++it)
            if (!quals.count(it->second)) Add(id, "qualifier", key + " without " + it->second);
        std::vector<Span> spans;
        if (!LocationParser(location).Parse(spans)) {
            Add(id, "location", key + " '" + location + "' does not parse");
            spans.clear();
        }
        const bool inside = std::all_of(spans.begin(), spans.end(), [&](const Span& s) {
            return s.from >= 1 && s.from <= s.to && s.to <= static_cast<long>(residues.size());
        });
        if (!inside) Add(id, "location", key + " '" + location + "' outside 1.." + std::to_string(residues.size()));
        if (key == "source") {
            if (location != "1.." + std::to_string(residues.size())) Add(id, "source", "location '" + location + "'");
            if (value("organism").empty()) Add(id, "source", "no organism");
            if (!kMolTypes.at(moltype).count(value("mol_type")))
                Add(id, "mol_type", "'" + value("mol_type") + "' for " + moltype);
            return 1;
        }
        if (key == "CDS" && !protein && !spans.empty() && inside) CheckCds(id, residues, spans, quals);
        return 0;
    }

    void CheckCds(int id, const std::string& residues, const std::vector<Span>& spans,
                  const std::multimap<std::string, std::string>& quals) {
        if (!quals.count("translation")) return Add(id, "translation", "CDS without one");
        const std::string table = quals.count("transl_table") ? quals.find("transl_table")->second : "1";
        if (table != "1" && table != "11") return Add(id, "translation", "table " + table + " not checked");
        std::string bases;
        std::vector<long> positions;
        for (const Span& s : spans)
            for (long i = 0; i <= s.to - s.from; ++i) {
                const long p = s.complement ? s.to - i : s.from + i;
                bases += s.complement ? ComplementBase(residues[p - 1]) : residues[p - 1];
                positions.push_back(p);
            }
        std::map<std::pair<long, long>, char> exceptions;
        for (auto [it, end] = quals.equal_range("transl_except"); it != end; ++it) {
            const std::string& e = it->second;  // (pos:a..b,aa:Xxx)
            const size_t comma = e.find(",aa:");
            std::vector<Span> at;
            if (!e.starts_with("(pos:") || comma == std::string::npos || !e.ends_with(")") ||
                !LocationParser(std::string_view(e).substr(5, comma - 5)).Parse(at) || at.size() != 1 ||
                !kThreeLetter.count(e.substr(comma + 4, e.size() - comma - 5))) {
                Add(id, "transl_except", "'" + e + "' does not parse");
                continue;
            }
            exceptions[{at[0].from, at[0].to}] = kThreeLetter.at(e.substr(comma + 4, e.size() - comma - 5));
        }
        const std::string start = quals.count("codon_start") ? quals.find("codon_start")->second : "1";
        std::string translation;
        for (size_t i = start == "2" ? 1 : start == "3" ? 2 : 0; i + 3 <= bases.size(); i += 3) {
            const auto [low, high] = std::minmax({positions[i], positions[i + 1], positions[i + 2]});
            const auto except = exceptions.find({low, high});
            translation += except != exceptions.end() ? except->second : TranslateCodon(bases.substr(i, 3));
        }
        if (translation.ends_with('*')) translation.pop_back();
        const std::string written = quals.find("translation")->second;
        if (written != translation) Add(id, "translation", "'" + written + "', recomputed '" + translation + "'");
        if (!quals.count("protein_id")) return;
        const std::string target = quals.find("protein_id")->second;
        const auto it = target.find_first_not_of("0123456789") == std::string::npos && !target.empty() &&
                                target.size() < 9
                            ? sequences_.find(std::stoi(target))
                            : sequences_.end();
        if (it == sequences_.end() || it->second.moltype != "AA" || it->second.residues != written)
            Add(id, "protein_id", "'" + target + "' names no protein with the translation");
    }
};

}  // namespace st26

// Every problem of the listing at xmlPath; none when it passes.
inline std::vector<std::string> VerifySt26(const std::string& xmlPath) {
    st26::Verifier verifier;
    verifier.Run(xmlPath);
    return verifier.problems;
}

}  // namespace qln::test
