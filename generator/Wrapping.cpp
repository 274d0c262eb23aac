#include "generator/Wrapping.h"

#include "model/AsciiText.h"

namespace qln {

namespace {

constexpr size_t kMaxFeatureCuts = 4;

}  // namespace

// Where to cut a text longer than a line: after 65 characters when the next
// one is a space, else just after the last space of the first 65 characters
// that is at earliestSpace or later, else after 65 characters.
size_t CWrapping::CutLength(std::string_view rest, size_t earliestSpace) {
    if (rest[kLineWidth] == ' ') return kLineWidth;
    const size_t space = rest.substr(0, kLineWidth).rfind(' ');
    if (space != std::string_view::npos && space >= earliestSpace) return space + 1;
    return kLineWidth;
}

std::string CWrapping::Applicant(std::string_view value) {
    std::string_view rest = TrimmedRightView(value);
    std::string out;
    while (rest.size() > kLineWidth) {
        const size_t cut = CutLength(rest, 6);
        out.append(rest.substr(0, cut));
        out += kContinuation;
        rest.remove_prefix(cut);
    }
    out.append(rest);
    return out;
}

std::string CWrapping::Publication(std::string_view value) {
    std::string_view rest = TrimmedRightView(value);
    std::string out;
    while (rest.size() > kLineWidth) {
        const size_t cut = CutLength(rest, 0);
        out.append(rest.substr(0, cut));
        out += kContinuation;
        rest.remove_prefix(cut);
    }
    out.append(rest);
    return out;
}

std::string CWrapping::Feature(std::string_view value) {
    std::string_view rest = TrimmedRightView(value);
    std::string out;
    for (size_t cuts = 0; cuts < kMaxFeatureCuts; ++cuts) {
        const std::string_view head = rest.substr(0, kLineWidth);
        size_t cut = head.find('\r');
        size_t kept = cut == std::string_view::npos ? cut : cut + 1;
        if (cut == std::string_view::npos) {
            // A bare line feed ends the line itself: kept, it would leave an
            // empty line before the continuation.
            cut = head.find('\n');
            kept = cut;
        }
        if (cut != std::string_view::npos)
            ++cut;
        else if (rest.size() > kLineWidth)
            kept = cut = CutLength(rest, 0);
        else
            return out.append(rest);
        out.append(rest.substr(0, kept));
        out += kContinuation;
        rest = TrimmedLeftView(rest.substr(cut));
    }
    return out;
}

}  // namespace qln
