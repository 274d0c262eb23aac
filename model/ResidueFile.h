// The residue files of this run: "Seq" + counter + ".qln", each holding one
// archived string, kept in a private folder that this run creates inside the
// temporary folder, so that no other user can plant or remove them.
#pragma once

#include <stdexcept>
#include <string>

namespace qln {

// A residue file could not be read or written. The message is the text the
// application shows before it quits.
class CResidueFileError : public std::runtime_error {
public:
    enum class Kind { Read, Write, General };
    explicit CResidueFileError(Kind kind);
    Kind GetKind() const { return kind_; }
    static const char* MessageFor(Kind kind);

private:
    Kind kind_;
};

class CResidueFiles {
public:
    // Full path of a new residue file name; creates the private folder on
    // first use. Thread-safe.
    static std::string MakeFileName();
    // Writes the residue text as one archived string, creating the file
    // exclusively (a file of the same name is removed first).
    static void Write(const std::string& path, const std::string& residues);
    static std::string Read(const std::string& path);
    // Deletes this run's residue files and the private folder. A later
    // MakeFileName makes a new folder.
    static void RemoveAll();
    // The private folder, or empty when none was made yet.
    static std::string GetFolder();
};

}  // namespace qln
