// What the feature names dialog offers and how a choice becomes text: the
// key file of the sequence's kind, the fixed lists of modified bases,
// lipids and residue modifications, the type-ahead match, and the text the
// choice adds to the other information. No widgets here.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace qln {

class CFeatureNameLists {
public:
    // The first entry of every extra list: nothing chosen.
    static constexpr const char* kNone = "(none)";
    static constexpr const char* kModifiedBaseKey = "modified_base";
    static constexpr const char* kLipidKey = "LIPID";
    static constexpr const char* kModResKey = "MOD_RES";

    // "(none)", then the entries; each entry is an abbreviation, blanks and
    // a name (two blanks for the bases, one for the amino acids).
    static const QStringList& ModifiedBases();
    static const QStringList& Lipids();
    static const QStringList& Modifications();
    static const QStringList& ModifiedAminoAcids();

    // Which extra lists a key brings up (compared without case).
    enum class Extra { None, ModifiedBase, Lipid, ModRes };
    static Extra ExtraFor(const QString& key);

    // The text a choice adds to the other information; empty when nothing
    // is chosen in the lists of that key.
    struct Choice {
        QString modifiedBase;
        QString lipid;
        QString modification;
        QString aminoAcid;
    };
    static QString ExtraText(Extra extra, const Choice& choice);

    // The other information after the extra text was added: appended after
    // a blank; left as it is when the extra text is empty. Returns false
    // (and leaves `other` alone) when the result would pass `limit`.
    static bool AddExtraText(QString& other, const QString& extra, int limit);

    // Index of the first key that begins with the typed text, ignoring
    // case; -1 when none does or nothing is typed.
    static int FirstMatch(const QStringList& keys, const QString& typed);

    // "amino.txt" for a protein ("PRT"), "nucleo.txt" for the others.
    static QString KeyFileName(const std::string& typeName);
    // One key a line (at most 500 characters are taken), blank lines
    // skipped. False when the file cannot be read.
    static bool ReadKeyFile(const QString& path, QStringList& keys);
};

}  // namespace qln
