// What the custom organisms screen decides, apart from its widgets: the name
// a field holds, and the question asked before a name goes into the list a
// second time.
#pragma once

#include <string>

#include "model/Model.h"

namespace qln {

class CCustOrganismRules {
public:
    static constexpr const char* kDuplicateCaption = "  Duplicate Organism";

    // The name as the screen takes it: without the blanks typed before it.
    static std::string Name(const std::string& typed);
    // The index of the first entry that is exactly name, -1 for none.
    static int FirstMatch(const StringList& names, const std::string& name);
    // The question for a name already in the list at index (0-based).
    static std::string DuplicateQuestion(const std::string& name, int index);
};

}  // namespace qln
