// Reads FASTA text: records that each begin with a ">" header line, whose
// first word names the sequence and whose rest describes it, followed by
// residue lines. Kept apart from the sequence file importer, which turns the
// records into sequences the same way as its own headers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qln {

struct FastaRecord {
    std::string name;
    // Views into the text read, which outlives its records: most are never
    // looked at, and a million records shouldn't copy them.
    std::string_view description;
    // Without blanks, digits (position numbers) and a trailing "*" (the stop
    // mark many protein files end with).
    std::string residues;
    // The header line as written, for messages.
    std::string_view header;
};

// Reads one record at a time, so that a large file never holds more than
// one record's residues beside its text.
class FastaReader {
public:
    // text must outlive the reader.
    explicit FastaReader(std::string_view text) : text_(text) {}

    // True when the first non-blank character is ">".
    static bool IsFasta(std::string_view text);
    // The next record in file order into record; false after the last one.
    // Lines end with LF, CR LF or CR.
    bool Next(FastaRecord& record);
    // How far the text has been read, for progress.
    size_t Position() const { return pos_; }

    // The sequence type the residues' letters show, when they show one:
    // "DNA", "RNA", "DNA/RNA" or "PROTEIN/1". Nothing when the letters fit
    // both a nucleotide and a protein or neither (the user is asked then).
    static std::optional<std::string> TypeOf(std::string_view residues);

private:
    std::string_view NextLine();

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace qln
