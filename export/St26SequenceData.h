// One SequenceData element of an ST.26 listing as it will be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qln {

struct CSt26Qualifier {
    std::string name;
    std::string value;  // Latin-1
    // Language-dependent free text: gets an id of its own.
    bool freeText = false;
};

struct CSt26Feature {
    std::string key;
    std::string location;
    std::vector<CSt26Qualifier> qualifiers;
};

struct CSt26SequenceData {
    int seqId = 0;
    // Intentionally skipped: no length, moltype, division or features, and
    // the residues "000".
    bool skipped = false;
    std::string moltype;  // DNA, RNA or AA
    std::vector<CSt26Feature> features;
    std::string residues;
};

}  // namespace qln
