// Long listing values broken into lines of at most 65 characters, each
// continuation line indented by seven spaces so that it lines up with the
// value column of an item line ("<110>  " is seven characters).
#pragma once

#include <string>
#include <string_view>

namespace qln {

class CWrapping {
public:
    static constexpr size_t kLineWidth = 65;
    static constexpr const char* kContinuation = "\n       ";

    // Applicant names: a break only at a space from index 6 on, so that the
    // six leading spaces of a listing name never count as a break.
    static std::string Applicant(std::string_view value);
    // Project data, prior application numbers and publication texts: a break
    // at the last space of the first 65 characters, wherever it is.
    static std::string Publication(std::string_view value);
    // Feature keys and comments: line ends typed in the text break the value
    // too; after four breaks the rest of the text is dropped.
    static std::string Feature(std::string_view value);

private:
    static size_t CutLength(std::string_view rest, size_t earliestSpace);
};

}  // namespace qln
