// The listing's header: title line, applicants, project data, prior
// applications, the entry count placeholder and the software line.
#pragma once

#include <string>

namespace qln {

class CProject;

class CHeaderBlock {
public:
    // Six spaces after "<160>  ", overwritten with the count at the end.
    static constexpr size_t kCountWidth = 6;

    // The header text; countOffset receives the offset of the placeholder.
    static std::string Text(const CProject& project, size_t& countOffset);
    // The <110> item: every applicant, organizations first, each on its own
    // line, and a line holding one space after them.
    static std::string Applicants(const CProject& project);
};

}  // namespace qln
