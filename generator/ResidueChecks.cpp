// The residue character checks: the bulk check of the one-letter kinds, the
// importers' variant and the check of three-letter protein text.
#include <optional>
#include <string>
#include <string_view>

#include "model/AminoAcidCode.h"
#include "model/AsciiText.h"
#include "model/CharacterSet.h"
#include "model/Sequence.h"

namespace qln {

namespace {

constexpr const char* kDnaAlphabet = CDNASequence::kAlphabet;
constexpr const char* kNotAscii = "The input file is not an ASCII text file.  The sequences cannot be imported.";

// Empty text and text starting with "000" stand for a sequence listed
// without residues; every check accepts them as they are.
bool IsWithoutResidues(const std::string& text) {
    return text.empty() || std::string_view(text).substr(0, 3) == CSequence::kNoResidues;
}

std::string InvalidCharacterMessage(const std::string& name, char c, size_t location) {
    return "Sequence '" + name + "': Invalid character '" + std::string(1, c) + "' at location " +
           std::to_string(location) + ".";
}

// Stores repaired residues, marking them changed only when they differ, so
// that parking writes them out instead of falling back on the old file.
void StoreRepaired(CSequence& sequence, std::string repaired) {
    if (repaired == sequence.GetResidues()) return;
    sequence.SetResidues(std::move(repaired));
    sequence.SetResiduesChanged(true);
}

int Finish(CSequence& sequence, bool repair) {
    const int valid = repair || sequence.GetMessages().empty() ? 1 : 0;
    sequence.SetResiduesValid(valid);
    return valid;
}

// Every sequence of a kind checks against the same alphabet; building its set
// once per thread keeps projects of many short sequences quick.
const CCharacterSet& CharacterSetFor(std::string_view alphabet) {
    thread_local std::string lastAlphabet;
    thread_local std::optional<CCharacterSet> lastSet;
    if (!lastSet || alphabet != lastAlphabet) {
        lastAlphabet = alphabet;
        lastSet.emplace(alphabet, "acgtu");
    }
    return *lastSet;
}

// The walk shared by the bulk check and its import variant. With rnaSeen
// given, a rejected "u" sets it instead of giving a message.
int CheckCharacters(CSequence& sequence, const std::string& name, bool repair, std::string_view allowed,
                    bool* rnaSeen) {
    const std::string& text = sequence.GetResidues();
    if (IsWithoutResidues(text)) {
        sequence.SetResiduesValid(1);
        return 1;
    }

    const CCharacterSet& allowedSet = CharacterSetFor(allowed);
    // Most texts are clean: one tight pass settles them.
    const size_t first = allowedSet.FirstOutside(text);
    if (first == text.size()) return Finish(sequence, repair);

    StringList& messages = sequence.GetMessages();
    std::string kept;
    if (repair) {
        kept.reserve(text.size());
        kept.assign(text, 0, first);
    }
    bool notAscii = false;
    for (size_t i = first; i < text.size(); ++i) {
        const char c = text[i];
        if (allowedSet.Contains(c)) {
            if (repair) kept += c;
        } else if (static_cast<unsigned char>(c) >= 128) {
            notAscii = true;
        } else if (rnaSeen && c == 'u') {
            *rnaSeen = true;
        } else {
            messages.push_back(InvalidCharacterMessage(name, c, i + 1));
        }
    }
    if (repair) StoreRepaired(sequence, std::move(kept));
    if (notAscii) messages.push_back(kNotAscii);
    return Finish(sequence, repair);
}

}  // namespace

int CSequence::CheckResidues(const std::string& name, bool repair) {
    return CheckCharacters(*this, name, repair, GetAlphabet(), nullptr);
}

int CSequence::CheckResiduesForImport(const std::string& name, bool repair, bool& rnaSeen) {
    rnaSeen = false;
    return CheckCharacters(*this, name, repair, kDnaAlphabet, &rnaSeen);
}

// The stored text stays in three-letter code; only the check's own
// white-space removal is kept, and only when repairing.
int CProtein3Sequence::CheckResidues(const std::string& name, bool repair) {
    const std::string& text = GetResidues();
    if (IsWithoutResidues(text)) {
        SetResiduesValid(1);
        return 1;
    }

    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!IsBlank(c)) compact += c;
    if (repair) StoreRepaired(*this, compact);

    StringList& messages = GetMessages();
    if (compact.size() % 3 != 0) {
        messages.push_back("Sequence length is not a multiple of 3.");
        SetResiduesValid(0);
        return 0;
    }

    for (size_t i = 0; i < compact.size(); i += 3) {
        std::string triple = compact.substr(i, 3);
        for (char& c : triple) c = ToLowerAscii(c);
        if (CAminoAcidCode::OneLetterFor(triple) == '\0')
            messages.push_back("Sequence name " + name + ":  '" + triple + "' is an invalid amino acid code.");
    }
    return Finish(*this, repair);
}

}  // namespace qln
