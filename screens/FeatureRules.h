// The feature screen's decisions, kept apart from its widgets: how typed
// fields become a feature, what the grid shows for a range, when OK finds
// input still to insert, the one mature peptide a sequence may have, and the
// flag that joins its coding regions.
#pragma once

#include <string>

#include "model/Model.h"

namespace qln {

class CFeature;

// The four fields of the feature screen.
struct CFeatureFields {
    std::string key;
    std::string from;
    std::string to;
    std::string comment;  // "Other Information"
};

class CFeatureRules {
public:
    // What the grid shows in a range column when the position is empty.
    static constexpr const char* kNotApplicable = "N/A";

    static bool IsMatPeptideKey(const std::string& key);
    static bool IsMiscFeatureKey(const std::string& key);

    // The fields as a new feature takes them: every field loses the blanks
    // typed before it (the key also those after it), as the checks would
    // take them off anyway; a position of exactly "N/A" is empty; an empty
    // key with other information becomes "misc_feature".
    // Other information keeps its line breaks as CR LF, as the rest of the
    // program stores them.
    static CFeatureFields ForInsert(const CFeatureFields& typed);
    // Every line break (CR LF, a lone CR or a lone LF) as CR LF.
    static std::string WithStoredLineBreaks(const std::string& text);

    // A range column of the grid: "N/A" for an empty position of a
    // "misc_feature", the position otherwise.
    static std::string PositionShown(const std::string& key, const std::string& position);

    // Whether the fields hold something else than the feature: the key
    // compared without case, positions and other information exactly, both
    // as Insert would store them, so a feature shown and left alone never
    // differs from itself.
    static bool Differs(const CFeatureFields& typed, const CFeature& feature);
    // Whether two lists hold the same features: kind, joined flag, and key,
    // range and other information as Insert would store them (the checks
    // take off the blanks before a field, which is no change of the user's).
    static bool SameFeatures(const CArray<Ptr<CFeature>>& a, const CArray<Ptr<CFeature>>& b);

    // What the list holds that the rules depend on.
    struct Census {
        bool matPeptide = false;
        int codingRegions = 0;
        void Add(const CFeature& feature);
    };
    static bool IsMatPeptide(const CFeature& feature);
    static bool IsCodingRegion(const CFeature& feature);

    // A second mature peptide is refused: on Insert when the list has one,
    // on Replace when the list has one and the selected row is not it.
    static bool RefusesInsert(const std::string& key, const Census& list);
    static bool RefusesReplace(const std::string& newKey, bool selectedIsMatPeptide, const Census& list);
    // Replacing the mature peptide by another key, or deleting it, while two
    // or more coding regions are joined for its sake asks first.
    static bool AsksBeforeReplace(const std::string& newKey, bool selectedIsMatPeptide, const Census& list);
    static bool AsksBeforeDelete(bool selectedIsMatPeptide, const Census& list);

    // The join rule, applied after opening, Insert, Replace and Delete.
    enum class JoinBox { Unchanged, Hidden, Shown };
    struct Join {
        bool flag = false;
        JoinBox box = JoinBox::Unchanged;
        bool giveToEveryFeature = false;
    };
    static Join ApplyJoinRule(bool flag, const Census& list);

    // The user clicked "&Join All CDSs" to `requested`: with a mature
    // peptide and more than one coding region the flag stays on (forced).
    struct JoinClick {
        bool flag = false;
        bool forced = false;
    };
    static JoinClick ClickJoin(bool requested, const Census& list);
};

}  // namespace qln
