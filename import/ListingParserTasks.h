// The task phrases of the listing parser's routines, for the failure rule
// (ListingParser::Guarded).
#pragma once

#include "import/ListingParser.h"

namespace qln::listing {

using Task = ListingParser::Task;

inline constexpr Task kResetPublication{"while initializing publication data", "while initializing publication data",
                                        "while initializing publication data"};
inline constexpr Task kResetSequence{"while initializing sequence data", "while initializing sequence data",
                                     "while initializing sequence data"};
inline constexpr Task kReadLine{"while reading sequence data", "while reading sequence data",
                                "in sequence listing file while reading sequence data"};
inline constexpr Task kIdentifier{"while getting a sequence ID", "while trying to get a sequence ID",
                                  "to get a sequence ID while processing the sequence listing file"};
inline constexpr Task kRemoveLabel{"while removing field description", "while removing field description",
                                   "in sequence listing file while removing field description"};
inline constexpr Task kContinuation{"while getting data for the same numeric ID",
                                    "while getting data for the same numeric ID",
                                    "in sequence listing file while getting data for the same numeric ID"};
inline constexpr Task kSequenceType{"while trying to get a sequence type", "while trying to get a sequence type",
                                    "to get a sequence type while processing the sequence listing file"};
inline constexpr Task kCreateSequence{"while creating sequence data", "while trying to create sequence data",
                                      "to create sequence data while processing the sequence listing file"};
inline constexpr Task kFeatures{"while creating feature data", "while trying to create feature data",
                                "to create feature data while processing the sequence listing file"};
inline constexpr Task kPublications{"while creating publication data", "while trying to create publication data",
                                    "to create publication data while processing the sequence listing file"};
inline constexpr Task kResidueLines{"while getting sequence bases", "while getting sequence bases",
                                    "in sequence listing file while getting sequence bases"};
inline constexpr Task kSubsequence{"while determining subsequence", "while determining subsequence",
                                   "in sequence listing file while determining subsequence"};
inline constexpr Task kAminoAcidLocations{"while getting the location of amino acids",
                                          "while getting location of amino acids",
                                          "in sequence listing file while getting location of amino acids"};
inline constexpr Task kResidueValidation{"while validating sequence bases", "while validating sequence bases",
                                         "in sequence listing file while validating sequence bases"};
inline constexpr Task kSkippedSequence{"while getting a skipped sequence", "while getting a skipped sequence",
                                       "in sequence listing file while getting a skipped sequence"};
inline constexpr Task kSkipToNext{"while getting a sequence", "while getting a sequence",
                                  "in sequence listing file while getting a sequence"};
inline constexpr Task kHeaderCheck{"while checking sequence header", "while checking sequence header",
                                   "in sequence listing file while checking sequence header"};
inline constexpr Task kDnaToDnaRna{"while converting a DNA sequence to a DNA/RNA sequence",
                                   "while converting a DNA sequence to a DNA/RNA sequence",
                                   "in sequence listing file while converting a DNA sequence to a DNA/RNA sequence"};
inline constexpr Task kParseFile{"while parsing the sequence listing file", "while parsing the sequence listing file",
                                 "in sequence listing file while parsing the sequence listing file"};

}  // namespace qln::listing
