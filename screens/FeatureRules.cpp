#include "screens/FeatureRules.h"

#include "model/AsciiText.h"
#include "model/Feature.h"

namespace qln {

namespace {

std::string PositionRead(const std::string& typed)
{
    std::string position(TrimmedLeftView(typed));
    return position == CFeatureRules::kNotApplicable ? std::string() : position;
}

}  // namespace

bool CFeatureRules::IsMatPeptideKey(const std::string& key)
{
    return EqualsIgnoringCase(TrimmedView(key), CMatPeptide::kKey);
}

bool CFeatureRules::IsMiscFeatureKey(const std::string& key)
{
    return EqualsIgnoringCase(key, "misc_feature");
}

CFeatureFields CFeatureRules::ForInsert(const CFeatureFields& typed)
{
    CFeatureFields fields;
    fields.key = std::string(TrimmedView(typed.key));
    fields.from = PositionRead(typed.from);
    fields.to = PositionRead(typed.to);
    fields.comment = WithStoredLineBreaks(std::string(TrimmedLeftView(typed.comment)));
    if (fields.key.empty() && !fields.comment.empty()) fields.key = "misc_feature";
    return fields;
}

std::string CFeatureRules::PositionShown(const std::string& key, const std::string& position)
{
    return position.empty() && IsMiscFeatureKey(key) ? std::string(kNotApplicable) : position;
}

std::string CFeatureRules::WithStoredLineBreaks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        out += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return out;
}

bool CFeatureRules::Differs(const CFeatureFields& typed, const CFeature& feature)
{
    const CFeatureFields fields = ForInsert(typed);
    const CFeatureFields stored = ForInsert(
        {feature.GetKey(), feature.GetFromText(), feature.GetToText(), feature.GetComment()});
    return !EqualsIgnoringCase(fields.key, stored.key) || fields.from != stored.from || fields.to != stored.to ||
           fields.comment != stored.comment;
}

bool CFeatureRules::SameFeatures(const CArray<Ptr<CFeature>>& a, const CArray<Ptr<CFeature>>& b)
{
    if (a.GetSize() != b.GetSize()) return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        const CFeature& x = *a[i];
        const CFeature& y = *b[i];
        if (&x.GetRuntimeClass() != &y.GetRuntimeClass() || x.IsJoined() != y.IsJoined() ||
            Differs({x.GetKey(), x.GetFromText(), x.GetToText(), x.GetComment()}, y))
            return false;
    }
    return true;
}

bool CFeatureRules::IsMatPeptide(const CFeature& feature)
{
    return feature.IsKindOf(CMatPeptide::runtimeClass);
}

bool CFeatureRules::IsCodingRegion(const CFeature& feature)
{
    return feature.IsKindOf(CDS::runtimeClass);
}

void CFeatureRules::Census::Add(const CFeature& feature)
{
    if (IsMatPeptide(feature)) matPeptide = true;
    if (IsCodingRegion(feature)) ++codingRegions;
}

bool CFeatureRules::RefusesInsert(const std::string& key, const Census& list)
{
    return IsMatPeptideKey(key) && list.matPeptide;
}

bool CFeatureRules::RefusesReplace(const std::string& newKey, bool selectedIsMatPeptide, const Census& list)
{
    return IsMatPeptideKey(newKey) && list.matPeptide && !selectedIsMatPeptide;
}

bool CFeatureRules::AsksBeforeReplace(const std::string& newKey, bool selectedIsMatPeptide, const Census& list)
{
    return !IsMatPeptideKey(newKey) && selectedIsMatPeptide && list.codingRegions >= 2;
}

bool CFeatureRules::AsksBeforeDelete(bool selectedIsMatPeptide, const Census& list)
{
    return selectedIsMatPeptide && list.codingRegions >= 2;
}

CFeatureRules::Join CFeatureRules::ApplyJoinRule(bool flag, const Census& list)
{
    Join join;
    join.flag = flag;
    if (list.codingRegions == 1) {
        // One coding region has nothing to be joined with, unless a mature
        // peptide keeps the flag as it was.
        if (!list.matPeptide) join.flag = false;
        join.box = JoinBox::Hidden;
    } else if (list.codingRegions >= 2) {
        if (!join.flag) join.flag = list.matPeptide;
        join.giveToEveryFeature = true;
        join.box = JoinBox::Shown;
    }
    return join;
}

CFeatureRules::JoinClick CFeatureRules::ClickJoin(bool requested, const Census& list)
{
    if (list.matPeptide && list.codingRegions > 1) return {true, true};
    return {requested, false};
}

}  // namespace qln
