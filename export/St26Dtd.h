// The DTD of ST.26 listings, WIPO's official file as shipped in
// data/st26/, built into the program so that verifying never reads a DTD
// from anywhere else; and the head lines that name it.
#pragma once

#include <string_view>

namespace qln {

inline constexpr std::string_view kSt26DtdFileName = "ST26SequenceListing_V1_3.dtd";
inline constexpr std::string_view kSt26PublicId = "-//WIPO//DTD Sequence Listing 1.3//EN";
// The spelling in the DTD's own comment.
inline constexpr std::string_view kSt26PublicIdUpper = "-//WIPO//DTD SEQUENCE LISTING 1.3//EN";
inline constexpr std::string_view kSt26Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
inline constexpr std::string_view kSt26DocumentType =
    "<!DOCTYPE ST26SequenceListing PUBLIC \"-//WIPO//DTD Sequence Listing 1.3//EN\" "
    "\"ST26SequenceListing_V1_3.dtd\">";

// data/st26/ST26SequenceListing_V1_3.dtd, byte for byte.
std::string_view St26DtdText();

}  // namespace qln
