// The features an entry lists: the sequence's own, and a "misc_feature" for
// every run of unknown residues ("n" or "X") that no suitable feature of the
// sequence explains, all sorted by their first position.
#pragma once

#include <string_view>
#include <vector>

namespace qln {

class CSequence;
class CFeature;

class CListedFeatures {
public:
    struct Range {
        int from = 0;
        int to = 0;
        friend bool operator==(const Range&, const Range&) = default;
    };

    // A feature of the sequence, or (feature null) one made for a run.
    struct Item {
        const CFeature* feature = nullptr;
        Range run;
        std::string_view comment;  // of a made feature
        int SortPosition() const;
    };

    // Own features in list order, then the made ones, sorted by From (an
    // empty or non-numeric From counts as 0; equal ones keep their order).
    // Without the missing-features check of the project, runs are explained
    // here; with it, the check has made the user explain them.
    static std::vector<Item> For(CSequence& sequence);

    // The parts of the runs (sorted, apart) that none of the covering ranges
    // holds: a run covered completely goes, one covered at an end shrinks,
    // one covered in its middle splits.
    static std::vector<Range> Uncovered(const std::vector<Range>& runs, std::vector<Range> covers);

    // The comment of a made feature, by the sequence's type name.
    static std::string_view UnknownComment(std::string_view typeName);
};

}  // namespace qln
