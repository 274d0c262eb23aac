// Reads plain sequence text files: each sequence is a header
// "<name;type;organism>" followed by its residues up to the next "<". A file
// whose first non-blank character is ">" is FASTA (FastaReader), its types
// read from its letters. A file without any "<" is one sequence whose type
// the user chooses. The sequences
// are made for the project but not added to it; the import driver does that.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "import/ImportChoices.h"
#include "model/Model.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln {

class SequenceFileImporter {
public:
    // Files longer than this are refused like a buffer that can't be had.
    static constexpr std::uint64_t kMaxFileLength = 0x7FFFFFFF;
    // A header name longer than this is refused: every message about the
    // sequence's residues repeats it.
    static constexpr size_t kMaxNameLength = 255;

    SequenceFileImporter(CProject& project, CImportChoices& choices, CImportProgress* progress, bool filter);
    SequenceFileImporter(const SequenceFileImporter&) = delete;
    SequenceFileImporter& operator=(const SequenceFileImporter&) = delete;

    // Reads one file's bytes as they are on disk (CR LF, a Ctrl-Z ending the
    // text). fileName is the name without folder: the source reference of
    // its sequences and, for a file without headers, their name. Returns true
    // when the message list is empty afterwards.
    bool ReadText(std::string_view bytes, const std::string& fileName);
    // Reads up to length bytes from an open binary stream, then as ReadText.
    bool ReadStream(std::istream& in, const std::string& fileName, std::uint64_t length);

    // Across all files read by this importer, in file order.
    CArray<Ptr<CSequence>>& GetSequences() { return sequences_; }
    const StringList& GetMessages() const { return messages_; }
    // What was left out without making the import fail: FASTA header text
    // with no place in the sequence, FASTA records without residues.
    const StringList& GetNotes() const { return notes_; }

    // The sequence class for a header's type keyword, in any letter case:
    // "DNA", "RNA", "DNA/RNA", "PROTEIN/1", "PRT", "PRT1", "PRT/1",
    // "PROTEIN/3", "PRT3" or "PRT/3". Null for any other type.
    static Ptr<CSequence> CreateSequence(const std::string& type, CProject* project, std::string name,
                                         std::string organism, std::string residues);

private:
    struct Header {
        std::string name;
        std::string type;
        std::string organism;
    };

    void Parse();
    void ParseHeaderless(const std::string& fileName);
    void ParseFasta();
    // The type of a FASTA record: a type fixed before the import, else its
    // letters, else the file's type question (asked once per file).
    std::optional<std::string> FastaType(std::string_view residues);
    // Reads the header at or after the read position. Returns false, with
    // its message added, for a header with a problem.
    bool ParseHeader(Header& header);
    std::string QuoteFrom(size_t start) const;
    void SkipWhiteSpace();
    void SkipToNextHeader();
    std::string CollectResidues();
    void MakeSequence(const Header& header);
    // Checks the residues and takes the sequence; returns it, or null when
    // it was not taken.
    Ptr<CSequence> AddSequence(const Header& header, std::string residues);
    void ResetProgress(std::uint64_t length);
    void CountConsumed();
    void Report(int code, int value);
    void CheckStop();

    CProject& project_;
    CImportChoices& choices_;
    CImportProgress* progress_;
    bool filter_;
    CArray<Ptr<CSequence>> sequences_;
    StringList messages_;
    StringList notes_;

    // The file being read.
    std::string text_;
    std::string fileName_;
    size_t pos_ = 0;
    std::uint64_t consumed_ = 0;
    std::uint64_t step_ = 0;
    std::uint64_t threshold_ = 0;
    int position_ = 1;
    std::optional<std::string> fastaFileType_;
};

}  // namespace qln
