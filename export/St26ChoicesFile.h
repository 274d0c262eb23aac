// The choices file beside a project ("<project>_ST26.json"):
//   { "language": "en", "officeCode": "US",
//     "molTypes": { "<sequence name>": "genomic DNA", ... } }
// Every member is optional. Sequence names are the project's Latin-1 text,
// stored as UTF-8.
#pragma once

#include <stdexcept>
#include <string>

#include "export/St26Choices.h"

namespace qln {

class CProject;

// A choices file that can't be read, isn't JSON or holds something else
// than the members above; the text names the file and the problem.
class CSt26ChoicesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kSt26ChoicesSuffix = "_ST26.json";

// Reads a choices file. Throws CSt26ChoicesError.
CSt26Choices ReadSt26Choices(const std::string& path);
// The choices file of a project when it exists, else no choices.
CSt26Choices ReadSt26ChoicesIfPresent(const std::string& path);
// Writes the file whole, every sequence of the project listed with its
// mol_type (the chosen one, else its default). Throws CSt26ChoicesError.
void WriteSt26Choices(const CSt26Choices& choices, const CProject& project, const std::string& path);

}  // namespace qln
