// Locations of an ST.26 listing in the INSDC feature table's syntax: single
// positions, ranges, a site between two bases, and complement(), join() and
// order() around them. References to other entries have no place in a
// listing and do not parse.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qln {

struct CSt26Span {
    long long from = 0;
    long long to = 0;
    bool complement = false;
    bool openStart = false;  // "<": the feature begins before from
    bool openEnd = false;    // ">": it goes on after to
    bool between = false;    // "a^b": a site between two bases
};

class CSt26Location {
public:
    // The spans in reading order (a complement's reversed), or nothing with
    // the reason in *problem.
    static std::optional<std::vector<CSt26Span>> Parse(std::string_view text, std::string* problem = nullptr);
    // Where the spans leave 1..length, or nothing when they do not.
    static std::optional<std::string> OutsideOf(const std::vector<CSt26Span>& spans, long long length);
};

}  // namespace qln
