// What an ST.26 listing needs that a project does not hold: the filing
// language, the office code where the application number does not give it,
// and each sequence's mol_type. Kept in a choices file beside the project,
// never in the project file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace qln {

class CSequence;

struct CSt26Choices {
    // ISO 639-1 code of the filing language; empty means the default, "en".
    std::string language;
    // WIPO ST.3 code of the office of filing; empty means: from the
    // application number's prefix, else no application identification.
    std::string officeCode;
    // mol_type by sequence name; a sequence without one gets its default.
    std::map<std::string, std::string> molTypes;

    static constexpr const char* kDefaultLanguage = "en";
    const std::string& GetLanguageOrDefault() const;
};

// The INSDSeq_moltype of a sequence: "DNA" (DNA/RNA included), "RNA" or "AA".
std::string St26MolTypeOf(const CSequence& sequence);
// The mol_type values a moltype allows, in the order a user is offered them.
const std::vector<std::string>& AllowedMolTypes(const std::string& moltype);
bool IsAllowedMolType(const std::string& moltype, const std::string& molType);
// What asserts least: "other DNA"/"other RNA" for a synthetic (artificial)
// sequence and for a mixed DNA/RNA one, "unassigned DNA"/"unassigned RNA"
// otherwise, "protein" for a protein.
std::string DefaultMolType(const CSequence& sequence);

// ISO 639-1: two lower-case letters of the list.
bool IsLanguageCode(const std::string& code);
// WIPO ST.3: a two-letter code of a state or an organization.
bool IsOfficeCode(const std::string& code);

}  // namespace qln
