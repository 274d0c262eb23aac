#include "screens/FeatureNameLists.h"

#include <QFile>

namespace qln {

namespace {

constexpr int kLongestKey = 500;

bool Chosen(const QString& entry)
{
    return !entry.isEmpty() && entry != QLatin1String(CFeatureNameLists::kNone);
}

// The abbreviation of an entry: its text before the separator.
QString Abbreviation(const QString& entry, const QString& separator)
{
    const qsizetype end = entry.indexOf(separator);
    return end < 0 ? entry : entry.left(end);
}

QStringList WithNone(std::initializer_list<const char*> entries)
{
    QStringList list{QLatin1String(CFeatureNameLists::kNone)};
    for (const char* entry : entries) list << QString::fromUtf8(entry);
    return list;
}

}  // namespace

// The modified nucleotides of the sequence listing standard.
const QStringList& CFeatureNameLists::ModifiedBases()
{
    static const QStringList list = WithNone({
        "ac4c  4-acetylcytidine",
        "chm5u  5-(carboxyhydroxymethyl)uridine",
        "cm  2'-O-methylcytidine",
        "cmnm5s2u  5-carboxymethylaminomethyl-2-thiouridine",
        "cmnm5u  5-carboxymethylaminomethyluridine",
        "d  dihydrouridine",
        "fm  2'-O-methylpseudouridine",
        "gal q  beta, D-galactosylqueuosine",
        "gm  2'-O-methylguanosine",
        "I  inosine",
        "i6a  N6-isopentenyladenosine",
        "m1a  1-methyladenosine",
        "m1f  1-methylpseudouridine",
        "m1g  1-methylguanosine",
        "m1I  1-methylinosine",
        "m22g  2,2-dimethylguanosine",
        "m2a  2-methyladenosine",
        "m2g  2-methylguanosine",
        "m3c  3-methylcytidine",
        "m5c  5-methylcytidine",
        "m6a  N6-methyladenosine",
        "m7g  7-methylguanosine",
        "mam5u  5-methylaminomethyluridine",
        "mam5s2u  5-methoxyaminomethyl-2-thiouridine",
        "man q  beta, D-mannosylqueuosine",
        "mcm5s2u  5-methoxycarbonylmethyl-2-thiouridine",
        "mcm5u  5-methoxycarbonylmethyluridine",
        "mo5u  5-methoxyuridine",
        "ms2i6a  2-methylthio-N6-isopentenyladenosine",
        "ms2t6a  N-((9-beta-D-ribofuranosyl-2-methylthiopurine-6-yl)carbamoyl)threonine",
        "mt6a  N-((9-beta-D-ribofuranosylpurine-6-yl)N-methyl-carbamoyl)threonine",
        "mv  uridine-5-oxyacetic acid-methylester",
        "o5u  uridine-5-oxyacetic acid",
        "osyw  wybutoxosine",
        "p  pseudouridine",
        "q  queuosine",
        "s2c  2-thiocytidine",
        "s2t  5-methyl-2-thiouridine",
        "s2u  2-thiouridine",
        "s4u  4-thiouridine",
        "t  5-methyluridine",
        "t6a  N-((9-beta-D-ribofuranosylpurine-6-yl)-carbamoyl)threonine",
        "tm  2'-O-methyl-5-methyluridine",
        "um  2'-O-methyluridine",
        "yw  wybutosine",
        "x  3-(3-amino-3-carboxy-propyl)uridine, (acp3)u",
    });
    return list;
}

const QStringList& CFeatureNameLists::Lipids()
{
    static const QStringList list = WithNone({
        "MYRISTATE",
        "PALMITATE",
        "FARNESYL",
        "GERANYL-GERANYL",
        "GPI-ANCHOR",
        "N-ACYL DIGLYCERIDE",
    });
    return list;
}

// Gamma-carboxyglutamic acid and hydroxylation are two modifications.
const QStringList& CFeatureNameLists::Modifications()
{
    static const QStringList list = WithNone({
        "ACETYLATION",
        "AMIDATION",
        "BLOCKED",
        "FORMYLATION",
        "GAMMA-CARBOXYGLUTAMIC ACID",
        "HYDROXYLATION",
        "METHYLATION",
        "PHOSPHORYLATION",
        "PYRROLIDONE CARBOXYLIC ACID",
        "SULFATATION",
    });
    return list;
}

// The modified and unusual amino acids of the sequence listing standard.
const QStringList& CFeatureNameLists::ModifiedAminoAcids()
{
    static const QStringList list = WithNone({
        "Aad 2-Aminoadipic acid",
        "bAad 3-Aminoadipic acid",
        "bAla beta-Alanine, beta-Aminopropionic acid",
        "Abu 2-Aminobutyric acid",
        "4Abu 4-Aminobutyric acid, piperidinic acid",
        "Acp 6-Aminocaproic acid",
        "Ahe 2-Aminoheptanoic acid",
        "Aib 2-Aminoisobutyric acid",
        "bAib 3-Aminoisobutyric acid",
        "Apm 2-Aminopimelic acid",
        "Dbu 2,4 Diaminobutyric acid",
        "Des Desmosine",
        "Dpm 2,2\u2019-Diaminopimelic acid",
        "Dpr 2,3-Diaminopropionic acid",
        "EtGly N-Ethylglycine",
        "EtAsn N-Ethylasparagine",
        "Hyl Hydroxylysine",
        "aHyl allo-Hydroxylysine",
        "3Hyp 3-Hydroxyproline",
        "4Hyp 4-Hydroxyproline",
        "Ide Isodesmosine",
        "aIle allo-Isoleucine",
        "MeGly N-Methylglycine, sarcosine",
        "MeIle N-Methylisoleucine",
        "MeLys 6-N-Methyllysine",
        "MeVal N-Methylvaline",
        "Nva Norvaline",
        "Nle Norleucine",
        "Orn Ornithine",
    });
    return list;
}

CFeatureNameLists::Extra CFeatureNameLists::ExtraFor(const QString& key)
{
    const QString trimmed = key.trimmed();
    if (trimmed.compare(QLatin1String(kModifiedBaseKey), Qt::CaseInsensitive) == 0) return Extra::ModifiedBase;
    if (trimmed.compare(QLatin1String(kModResKey), Qt::CaseInsensitive) == 0) return Extra::ModRes;
    if (trimmed.compare(QLatin1String(kLipidKey), Qt::CaseInsensitive) == 0) return Extra::Lipid;
    return Extra::None;
}

QString CFeatureNameLists::ExtraText(Extra extra, const Choice& choice)
{
    switch (extra) {
    case Extra::ModifiedBase:
        return Chosen(choice.modifiedBase) ? Abbreviation(choice.modifiedBase, QStringLiteral("  ")) : QString();
    case Extra::Lipid: return Chosen(choice.lipid) ? choice.lipid : QString();
    case Extra::ModRes: {
        const QString aminoAcid = Chosen(choice.aminoAcid) ? Abbreviation(choice.aminoAcid, QStringLiteral(" "))
                                                           : QString();
        if (!Chosen(choice.modification)) return aminoAcid;
        return aminoAcid.isEmpty() ? choice.modification : choice.modification + QStringLiteral(", ") + aminoAcid;
    }
    case Extra::None: break;
    }
    return {};
}

bool CFeatureNameLists::AddExtraText(QString& other, const QString& extra, int limit)
{
    if (extra.isEmpty()) return true;
    QString combined = other;
    if (!combined.isEmpty() && !combined.back().isSpace()) combined += QLatin1Char(' ');
    combined += extra;
    if (combined.size() > limit) return false;
    other = combined;
    return true;
}

int CFeatureNameLists::FirstMatch(const QStringList& keys, const QString& typed)
{
    if (typed.isEmpty()) return -1;
    for (int i = 0; i < keys.size(); ++i)
        if (keys[i].startsWith(typed, Qt::CaseInsensitive)) return i;
    return -1;
}

QString CFeatureNameLists::KeyFileName(const std::string& typeName)
{
    return typeName == "PRT" ? QStringLiteral("amino.txt") : QStringLiteral("nucleo.txt");
}

bool CFeatureNameLists::ReadKeyFile(const QString& path, QStringList& keys)
{
    keys.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    while (!file.atEnd()) {
        QString line = QString::fromLatin1(file.readLine());
        while (!line.isEmpty() && (line.back() == QLatin1Char('\n') || line.back() == QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        keys << line.left(kLongestKey);
    }
    return true;
}

}  // namespace qln
