#include "screens/CustOrganismRules.h"

#include <algorithm>

namespace qln {

std::string CCustOrganismRules::Name(const std::string& typed)
{
    const size_t first = typed.find_first_not_of(" \t\r\n\f\v");
    return first == std::string::npos ? std::string() : typed.substr(first);
}

int CCustOrganismRules::FirstMatch(const StringList& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

std::string CCustOrganismRules::DuplicateQuestion(const std::string& name, int index)
{
    return "Warning: The Custom Organism \"" + name + "\" is already in the table as item \"" +
           std::to_string(index + 1) + "\".\n\n            Would you still like to add it to the table.";
}

}  // namespace qln
