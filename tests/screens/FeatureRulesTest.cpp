// The feature screen's decisions without widgets: the join rule and the
// join box, the one mature peptide, how typed fields become a feature, the
// pending-input comparison, and the feature names lists with their
// type-ahead and the text a choice adds to the other information.
#include <QtTest>

#include "widgets/DataFolder.h"
#include "model/Feature.h"
#include "screens/FeatureNameLists.h"
#include "screens/FeatureRules.h"

using namespace qln;

namespace {

CFeatureRules::Census Census(bool matPeptide, int codingRegions)
{
    CFeatureRules::Census census;
    census.matPeptide = matPeptide;
    census.codingRegions = codingRegions;
    return census;
}

}  // namespace

class FeatureRulesTest : public QObject {
    Q_OBJECT
private slots:
    void joinRuleAndClick();
    void oneMatPeptide();
    void typedFieldsBecomeAFeature();
    void namesListsAndTheirText();
};

void FeatureRulesTest::joinRuleAndClick()
{
    using Box = CFeatureRules::JoinBox;
    // One coding region: off and hidden, unless a mature peptide keeps the flag.
    auto join = CFeatureRules::ApplyJoinRule(true, Census(false, 1));
    QVERIFY(!join.flag);
    QCOMPARE(join.box, Box::Hidden);
    QVERIFY(!join.giveToEveryFeature);
    QVERIFY(CFeatureRules::ApplyJoinRule(true, Census(true, 1)).flag);
    // Two or more: a mature peptide turns it on; it goes to every feature.
    join = CFeatureRules::ApplyJoinRule(false, Census(true, 2));
    QVERIFY(join.flag);
    QCOMPARE(join.box, Box::Shown);
    QVERIFY(join.giveToEveryFeature);
    QVERIFY(!CFeatureRules::ApplyJoinRule(false, Census(false, 3)).flag);
    // None: nothing changes.
    join = CFeatureRules::ApplyJoinRule(true, Census(true, 0));
    QVERIFY(join.flag);
    QCOMPARE(join.box, Box::Unchanged);
    QVERIFY(!join.giveToEveryFeature);

    // The click: forced on with a mature peptide and more than one region.
    auto click = CFeatureRules::ClickJoin(false, Census(true, 2));
    QVERIFY(click.flag && click.forced);
    click = CFeatureRules::ClickJoin(false, Census(false, 2));
    QVERIFY(!click.flag && !click.forced);
    QVERIFY(CFeatureRules::ClickJoin(true, Census(true, 1)).flag);
}

void FeatureRulesTest::oneMatPeptide()
{
    QVERIFY(CFeatureRules::RefusesInsert("MAT_Peptide", Census(true, 0)));
    QVERIFY(!CFeatureRules::RefusesInsert("mat_peptide", Census(false, 3)));
    // Replacing the mature peptide by itself is allowed, another row by one is not.
    QVERIFY(!CFeatureRules::RefusesReplace("mat_peptide", true, Census(true, 0)));
    QVERIFY(CFeatureRules::RefusesReplace("mat_peptide", false, Census(true, 0)));
    // Questions only when two or more coding regions are joined for its sake.
    QVERIFY(CFeatureRules::AsksBeforeReplace("exon", true, Census(true, 2)));
    QVERIFY(!CFeatureRules::AsksBeforeReplace("Mat_Peptide", true, Census(true, 2)));
    QVERIFY(!CFeatureRules::AsksBeforeReplace("exon", true, Census(true, 1)));
    QVERIFY(CFeatureRules::AsksBeforeDelete(true, Census(true, 2)));
    QVERIFY(!CFeatureRules::AsksBeforeDelete(false, Census(true, 2)));

    CFeatureRules::Census census;
    census.Add(CMatPeptide(nullptr, "", "1", ""));
    census.Add(CDS(nullptr, "", "1", "9"));
    census.Add(COtherFeature(nullptr, "CDS", "", "1", "9"));  // only the class counts
    QVERIFY(census.matPeptide);
    QCOMPARE(census.codingRegions, 1);
}

void FeatureRulesTest::typedFieldsBecomeAFeature()
{
    CFeatureFields fields = CFeatureRules::ForInsert({"", " N/A", "  7", "  n is a, c, g or t"});
    QCOMPARE(fields.key, std::string("misc_feature"));
    QCOMPARE(fields.from, std::string());
    QCOMPARE(fields.to, std::string("7"));
    QCOMPARE(fields.comment, std::string("n is a, c, g or t"));
    QCOMPARE(CFeatureRules::ForInsert({"  ", "", "", ""}).key, std::string());  // nothing at all stays nothing
    QCOMPARE(CFeatureRules::ForInsert({" CDS ", "n/a", "", ""}).from, std::string("n/a"));  // exactly "N/A" only

    // Pending input: the key without case, the rest as Insert would store it.
    const CDS region(nullptr, "note", "1", "9");
    QVERIFY(!CFeatureRules::Differs({"cds", " 1", "9", "note"}, region));
    QVERIFY(CFeatureRules::Differs({"cds", "1", "9", "Note"}, region));
    QVERIFY(CFeatureRules::Differs({"exon", "1", "9", "note"}, region));
    const COtherFeature misc(nullptr, "misc_feature", "unknown", "", "");
    QVERIFY(!CFeatureRules::Differs({"", "N/A", "N/A", "unknown"}, misc));
}

void FeatureRulesTest::namesListsAndTheirText()
{
    using Lists = CFeatureNameLists;
    QCOMPARE(Lists::ModifiedBases().size(), 1 + 46);
    QCOMPARE(Lists::ModifiedBases().first(), QString("(none)"));
    QVERIFY(Lists::ModifiedBases().contains("gal q  beta, D-galactosylqueuosine"));
    QCOMPARE(Lists::ModifiedBases().last(), QString("x  3-(3-amino-3-carboxy-propyl)uridine, (acp3)u"));
    QCOMPARE(Lists::ModifiedAminoAcids().size(), 1 + 29);
    // Two modifications the list once ran together are two entries.
    QCOMPARE(Lists::Modifications().size(), 1 + 10);
    QVERIFY(Lists::Modifications().contains("GAMMA-CARBOXYGLUTAMIC ACID"));
    QVERIFY(Lists::Modifications().contains("HYDROXYLATION"));
    for (const QStringList* list : {&Lists::Lipids(), &Lists::Modifications(), &Lists::ModifiedAminoAcids()})
        for (const QString& entry : *list) QCOMPARE(entry, entry.simplified());

    // The text for the other information.
    Lists::Choice choice{"gal q  beta, D-galactosylqueuosine", "MYRISTATE", "METHYLATION", "Orn Ornithine"};
    QCOMPARE(Lists::ExtraText(Lists::Extra::ModifiedBase, choice), QString("gal q"));
    QCOMPARE(Lists::ExtraText(Lists::Extra::Lipid, choice), QString("MYRISTATE"));
    QCOMPARE(Lists::ExtraText(Lists::Extra::ModRes, choice), QString("METHYLATION, Orn"));
    choice.modification = "(none)";
    QCOMPARE(Lists::ExtraText(Lists::Extra::ModRes, choice), QString("Orn"));
    choice.aminoAcid = "(none)";
    QCOMPARE(Lists::ExtraText(Lists::Extra::ModRes, choice), QString());
    QCOMPARE(Lists::ExtraFor("Modified_Base"), Lists::Extra::ModifiedBase);
    QCOMPARE(Lists::ExtraFor("mod_res"), Lists::Extra::ModRes);

    // Added after what the field holds; an empty text leaves it alone.
    QString other = "n is a";
    QVERIFY(Lists::AddExtraText(other, "", 260));
    QCOMPARE(other, QString("n is a"));
    QVERIFY(Lists::AddExtraText(other, "Orn", 260));
    QCOMPARE(other, QString("n is a Orn"));
    QVERIFY(!Lists::AddExtraText(other, "METHYLATION", 15));
    QCOMPARE(other, QString("n is a Orn"));

    // The key files and the type-ahead.
    QStringList nucleotide, protein;
    QVERIFY(Lists::ReadKeyFile(CDataFolder::FilePath(Lists::KeyFileName("DNA/RNA")), nucleotide));
    QVERIFY(Lists::ReadKeyFile(CDataFolder::FilePath(Lists::KeyFileName("PRT")), protein));
    for (const char* key : {"CDS", "exon", "intron", "mat_peptide", "misc_feature", "modified_base", "-35_signal"})
        QVERIFY2(nucleotide.contains(key), key);
    for (const char* key : {"MOD_RES", "LIPID", "VARIANT", "UNSURE"}) QVERIFY2(protein.contains(key), key);
    QVERIFY(!protein.contains("ACETYLATION"));  // a modification, not a key
    QCOMPARE(nucleotide[Lists::FirstMatch(nucleotide, "MISC")], QString("misc_binding"));
    QCOMPARE(nucleotide[Lists::FirstMatch(nucleotide, "misc_f")], QString("misc_feature"));
    QCOMPARE(Lists::FirstMatch(nucleotide, ""), -1);
    QVERIFY(!Lists::ReadKeyFile("/nonexistent/nucleo.txt", nucleotide));
    QVERIFY(nucleotide.isEmpty());
}

QTEST_MAIN(FeatureRulesTest)
#include "FeatureRulesTest.moc"
