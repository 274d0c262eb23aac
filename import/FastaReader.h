// Reads FASTA text: records that each begin with a ">" header line, whose
// first word names the sequence and whose rest describes it, followed by
// residue lines. Kept apart from the sequence file importer, which turns the
// records into sequences the same way as its own headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qln {

struct FastaRecord {
    std::string name;
    std::string description;
    // Without blanks, digits (position numbers) and a trailing "*" (the stop
    // mark many protein files end with).
    std::string residues;
    // The header line as written, for messages.
    std::string header;
};

class FastaReader {
public:
    // True when the first non-blank character is ">".
    static bool IsFasta(std::string_view text);
    // Every record of text in file order; text is LF, CR LF or CR separated.
    static std::vector<FastaRecord> Read(std::string_view text);
    // The sequence type the residues' letters show, when they show one:
    // "DNA", "RNA", "DNA/RNA" or "PROTEIN/1". Nothing when the letters fit
    // both a nucleotide and a protein or neither (the user is asked then).
    static std::optional<std::string> TypeOf(std::string_view residues);
};

}  // namespace qln
