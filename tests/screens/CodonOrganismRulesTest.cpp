// The custom codon, custom organism and organism selection decisions without
// any widget: the codon check and what OK does with a codon in the field,
// the duplicate question, and the first name found by its letters.
#include <QTemporaryDir>
#include <QtTest>

#include "model/Sequence.h"
#include "screens/CustCodonRules.h"
#include "screens/CustOrganismRules.h"
#include "screens/TypeAheadList.h"

using namespace qln;

using Rules = CCustCodonRules;

class CodonOrganismRulesTest : public QObject {
    Q_OBJECT
private slots:
    void codonCheck();
    void okWithACodonInTheField();
    void typedCharactersFollowTheSequenceType();
    void groupedByAminoAcid();
    void duplicateOrganismQuestion();
    void typeAheadFindsTheFirstNameWhateverTheCase();
};

void CodonOrganismRulesTest::codonCheck()
{
    const std::vector<CCustomCodon> table = {{"ggg", "Gly"}, {"tga", "Trp"}};
    const auto valid = Rules::CheckCodon(" GCA ", table);
    QCOMPARE(valid.verdict, Rules::Verdict::Valid);
    QCOMPARE(valid.codon, std::string("gca"));
    QCOMPARE(Rules::CheckCodon("  ", table).verdict, Rules::Verdict::Empty);
    QCOMPARE(Rules::CheckCodon("gc", table).verdict, Rules::Verdict::WrongLength);
    QCOMPARE(Rules::CheckCodon("gcaa", table).verdict, Rules::Verdict::WrongLength);

    const auto duplicate = Rules::CheckCodon("TGA", table);
    QCOMPARE(duplicate.verdict, Rules::Verdict::Duplicate);
    QCOMPARE(duplicate.duplicateIndex, 1);
    QCOMPARE(Rules::DuplicateMessage(table[1]),
             std::string("The Custom Codon \"tga\" is already in the table under the Amino Acid \"Trp\"."));
    // Replacing row 2 may keep its own codon.
    QCOMPARE(Rules::CheckCodon("tga", table, 1).verdict, Rules::Verdict::Valid);
    QCOMPARE(Rules::CheckCodon("ggg", table, 1).verdict, Rules::Verdict::Duplicate);
}

void CodonOrganismRulesTest::okWithACodonInTheField()
{
    const std::vector<CCustomCodon> table = {{"ggg", "Gly"}, {"tga", "Trp"}};
    auto ok = [&](const char* typed, int currentIndex) {
        return Rules::OnOK(Rules::CheckCodon(typed, table), currentIndex);
    };
    QCOMPARE(ok("", 0), Rules::OkStep::Close);
    QCOMPARE(ok("aaa", 0), Rules::OkStep::InsertThenClose);
    QCOMPARE(ok("tga", 1), Rules::OkStep::Close);  // the selected row's own codon
    QCOMPARE(ok("tga", 0), Rules::OkStep::StayOpen);
    QCOMPARE(ok("tga", -1), Rules::OkStep::StayOpen);
    QCOMPARE(ok("aa", 0), Rules::OkStep::StayOpen);
    QCOMPARE(Rules::OnOK(Rules::CheckCodon("ggg", {}), -1, true), Rules::OkStep::Close);  // just deleted
}

void CodonOrganismRulesTest::typedCharactersFollowTheSequenceType()
{
    const Ptr<CDNASequence> dnaSequence(new CDNASequence(nullptr, "d", "", ""));
    const Ptr<CRNASequence> rnaSequence(new CRNASequence(nullptr, "r", "", ""));
    const CSequence& dna = *dnaSequence;
    const CSequence& rna = *rnaSequence;
    QVERIFY(Rules::AcceptsText(dna, "GcTn"));
    QVERIFY(!Rules::AcceptsCharacter(dna, 'u'));
    QVERIFY(Rules::AcceptsCharacter(rna, 'U'));
    for (char c : {'x', '1', ' ', '-', '\0'}) QVERIFY(!Rules::AcceptsCharacter(dna, c));
    QCOMPARE(std::size(Rules::kAminoAcids), size_t(23));
    QCOMPARE(std::string(Rules::kAminoAcids[0]), std::string("Ala"));
    QCOMPARE(std::string(Rules::kAminoAcids[22]), std::string("Xaa"));
}

void CodonOrganismRulesTest::groupedByAminoAcid()
{
    const std::vector<CCustomCodon> appended = {{"ggg", "Gly"}, {"gcc", "Ala"}, {"nnn", "Xaa"}, {"gca", "Ala"}};
    const std::vector<CCustomCodon> grouped = {{"gcc", "Ala"}, {"gca", "Ala"}, {"ggg", "Gly"}, {"nnn", "Xaa"}};
    QCOMPARE(Rules::Grouped(appended), grouped);
    const CBaseSequence::CodonTable table = {{"tga", "Trp"}, {"ata", "Met"}, {"agg", "Ser"}};
    const std::vector<CCustomCodon> listed = {{"ata", "Met"}, {"agg", "Ser"}, {"tga", "Trp"}};
    QCOMPARE(Rules::FromTable(table), listed);
    QCOMPARE(Rules::ToTable(listed), table);
}

void CodonOrganismRulesTest::duplicateOrganismQuestion()
{
    const StringList names = {"Thermus aquaticus", "Bacillus subtilis", "Bacillus subtilis"};
    QCOMPARE(CCustOrganismRules::Name("  Bacillus subtilis "), std::string("Bacillus subtilis "));
    QCOMPARE(CCustOrganismRules::FirstMatch(names, "Bacillus subtilis"), 1);
    QCOMPARE(CCustOrganismRules::FirstMatch(names, "bacillus subtilis"), -1);
    QCOMPARE(CCustOrganismRules::DuplicateQuestion("Bacillus subtilis", 1),
             std::string("Warning: The Custom Organism \"Bacillus subtilis\" is already in the table as item \"2\".\n\n"
                         "            Would you still like to add it to the table."));
    QCOMPARE(std::string(CCustOrganismRules::kDuplicateCaption), std::string("  Duplicate Organism"));
}

void CodonOrganismRulesTest::typeAheadFindsTheFirstNameWhateverTheCase()
{
    const CTypeAheadList list({"Zea mays", "Mus musculus", "Homo sapiens", "homarus americanus"});
    QCOMPARE(list.Names(), QStringList({"homarus americanus", "Homo sapiens", "Mus musculus", "Zea mays"}));
    QCOMPARE(list.FirstMatch("hom"), 0);
    QCOMPARE(list.FirstMatch("HOMO S"), 1);
    QCOMPARE(list.FirstMatch("zea mays"), 3);
    QCOMPARE(list.FirstMatch("Homo sapiens neanderthalensis"), -1);
    QCOMPARE(list.FirstMatch("zz"), -1);
    QCOMPARE(list.FirstMatch(""), -1);

    QTemporaryDir folder;
    QVERIFY(!CTypeAheadList::ReadNames(folder.filePath("strain.txt")));
    QFile file(folder.filePath("strain.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Homo sapiens\r\n\r\n  Mus musculus \n" + QByteArray(600, 'a') + "\nZea mays");
    file.close();
    QCOMPARE(*CTypeAheadList::ReadNames(file.fileName()),
             QStringList({"Homo sapiens", "Mus musculus", QString(500, 'a'), "Zea mays"}));
}

QTEST_MAIN(CodonOrganismRulesTest)
#include "CodonOrganismRulesTest.moc"
