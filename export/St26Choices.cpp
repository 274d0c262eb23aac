#include "export/St26Choices.h"

#include <algorithm>
#include <string_view>

#include "model/Sequence.h"

namespace qln {

namespace {

// ISO 639-1.
constexpr std::string_view kLanguageCodes =
    "aa ab ae af ak am an ar as av ay az ba be bg bh bi bm bn bo br bs ca ce ch co cr cs cu cv cy da de dv dz "
    "ee el en eo es et eu fa ff fi fj fo fr fy ga gd gl gn gu gv ha he hi ho hr ht hu hy hz ia id ie ig ii ik "
    "io is it iu ja jv ka kg ki kj kk kl km kn ko kr ks ku kv kw ky la lb lg li ln lo lt lu lv mg mh mi mk ml "
    "mn mr ms mt my na nb nd ne ng nl nn no nr nv ny oc oj om or os pa pi pl ps pt qu rm rn ro ru rw sa sc sd "
    "se sg si sk sl sm sn so sq sr ss st su sv sw ta te tg th ti tk tl tn to tr ts tt tw ty ug uk ur uz ve vi "
    "vo wa wo xh yi yo za zh zu";

// WIPO ST.3: the ISO 3166 country codes and the codes of the regional and
// international offices.
constexpr std::string_view kOfficeCodes =
    "AD AE AF AG AI AL AM AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL BM BN BO BQ BR BS BT BV BW "
    "BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI "
    "FJ FK FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN "
    "IO IQ IR IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME "
    "MF MG MH MK ML MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF "
    "PG PH PK PL PM PN PR PS PT PW PY QA RE RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS ST SV "
    "SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV TW TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS YE "
    "YT ZA ZM ZW "
    "AP BX EA EM EP GC IB OA QZ WO XN XU XV";

// A two-letter code of a list of two-letter codes, each followed by a blank.
bool IsInList(std::string_view list, const std::string& code) {
    if (code.size() != 2) return false;
    for (size_t at = 0; at + 2 <= list.size(); at += 3)
        if (list.compare(at, 2, code) == 0) return true;
    return false;
}

}  // namespace

const std::string& CSt26Choices::GetLanguageOrDefault() const {
    static const std::string fallback = kDefaultLanguage;
    return language.empty() ? fallback : language;
}

std::string St26MolTypeOf(const CSequence& sequence) {
    if (dynamic_cast<const CProteinSequence*>(&sequence)) return "AA";
    if (dynamic_cast<const CRNASequence*>(&sequence)) return "RNA";
    return "DNA";
}

const std::vector<std::string>& AllowedMolTypes(const std::string& moltype) {
    static const std::vector<std::string> dna = {"genomic DNA", "other DNA", "unassigned DNA"};
    static const std::vector<std::string> rna = {"genomic RNA",     "mRNA",       "tRNA",      "rRNA",
                                                 "transcribed RNA", "viral cRNA", "other RNA", "unassigned RNA"};
    static const std::vector<std::string> aa = {"protein"};
    static const std::vector<std::string> none;
    if (moltype == "DNA") return dna;
    if (moltype == "RNA") return rna;
    if (moltype == "AA") return aa;
    return none;
}

bool IsAllowedMolType(const std::string& moltype, const std::string& molType) {
    const auto& allowed = AllowedMolTypes(moltype);
    return std::find(allowed.begin(), allowed.end(), molType) != allowed.end();
}

std::string DefaultMolType(const CSequence& sequence) {
    const std::string moltype = St26MolTypeOf(sequence);
    if (moltype == "AA") return "protein";
    // A mixed DNA/RNA molecule is made, not found.
    const bool made = sequence.IsArtificial() || dynamic_cast<const CDNARNASequence*>(&sequence);
    return (made ? "other " : "unassigned ") + moltype;
}

bool IsLanguageCode(const std::string& code) { return IsInList(kLanguageCodes, code); }

bool IsOfficeCode(const std::string& code) { return IsInList(kOfficeCodes, code); }

}  // namespace qln
