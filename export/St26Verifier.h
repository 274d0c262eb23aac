// Verifies an ST.26 XML sequence listing, whoever wrote it, as an office
// would before taking it: against WIPO's DTD (the one shipped, whatever the
// file names) and the rules a DTD cannot express - the general part's codes
// and dates, the numbering, each sequence's form, alphabet and threshold,
// the source feature, keys and qualifiers of the vocabulary with their
// values, locations, translations recomputed with their genetic code and
// protein_id links, characters and non-English values. The file is read as
// untrusted input, as a stream: memory grows with its longest sequence only.
#pragma once

#include <string>
#include <string_view>

#include "export/St26Findings.h"

namespace qln {

class CSt26Verifier {
public:
    static CSt26Findings VerifyFile(const std::string& path);
    // name is what the findings call the input.
    static CSt26Findings VerifyBytes(std::string_view bytes, const std::string& name = "listing.xml");
};

}  // namespace qln
