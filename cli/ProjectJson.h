// The JSON form of a project, for scripts and pipelines: building a project
// from JSON and dumping a project as JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "model/Project.h"

namespace qln::cli {

// A member of the JSON that can't be taken. The message names the member by
// its path, as in "sequences[2].type".
class CJsonInputError : public std::runtime_error {
public:
    CJsonInputError(const std::string& member, const std::string& problem)
        : std::runtime_error(member + ": " + problem) {}
};

// A new project holding the records of the JSON, as the application would
// build it. Throws CJsonInputError.
Ptr<CProject> BuildProject(const nlohmann::json& json);
// Every member in a fixed order, empty values included.
nlohmann::ordered_json DumpProject(CProject& project);

}  // namespace qln::cli
