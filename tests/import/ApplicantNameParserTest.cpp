#include <gtest/gtest.h>

#include <string>

#include "import/ApplicantNameParser.h"
#include "import/DefaultImportChoices.h"

namespace qln {
namespace {

using Split = CApplicantNameParser::SplitName;

void ExpectSplit(const std::string& name, const Split& expected) {
    SCOPED_TRACE(name);
    const Split split = CApplicantNameParser::SplitIndividual(name);
    EXPECT_EQ(split.lastName, expected.lastName);
    EXPECT_EQ(split.firstName, expected.firstName);
    EXPECT_EQ(split.middleInitial, expected.middleInitial);
    EXPECT_EQ(split.suffix, expected.suffix);
}

TEST(ApplicantNameSplitTest, CommaSeparatesTheLastNameFromTheRest) {
    ExpectSplit("Smith, John A Jr", {"Smith", "John", "A", "Jr"});
    ExpectSplit("Smith, John A Jr III", {"Smith", "John", "A", "Jr III"});
    ExpectSplit("  van Dyke ,  Mary   Lou  ", {"van Dyke", "Mary", "", "Lou"});
    ExpectSplit("Smith, Jones, Ann", {"Smith", "Jones,", "Ann", ""});
    ExpectSplit("Smith,", {"Smith", "", "", ""});
}

// The rest is cut at single spaces, so the two spaces the writer leaves for
// a missing middle initial keep the suffix in its place.
TEST(ApplicantNameSplitTest, TwoSpacesStandForAMissingMiddleInitial) {
    ExpectSplit("Smith, John  Jr.", {"Smith", "John", "", "Jr."});
    ExpectSplit("Smith, John  Jr. III", {"Smith", "John", "", "Jr. III"});
    ExpectSplit("Ann  Jr Lee", {"Lee", "Ann", "", "Jr"});
}

TEST(ApplicantNameSplitTest, WithoutCommaTheLastWordIsTheLastName) {
    ExpectSplit("John Smith", {"Smith", "John", "", ""});
    ExpectSplit("Mary Ann B Smith", {"Smith", "Mary", "Ann", "B"});
    ExpectSplit("Madonna", {"Madonna", "", "", ""});
    ExpectSplit("", {"", "", "", ""});
}

TEST(ApplicantNameDisplayTest, AddAndUpdateShowShortNamesDifferently) {
    CApplicantNameParser::Fields fields;
    fields.kind = CNameAttribute::kIndividual;
    fields.lastName = "Smith";
    EXPECT_EQ(CApplicantNameParser::AddDisplayText(fields), "Smith");
    EXPECT_EQ(CApplicantNameParser::UpdateDisplayText(fields), "Smith");

    fields.suffix = "Jr";
    EXPECT_EQ(CApplicantNameParser::AddDisplayText(fields), "Smith,   Jr");
    EXPECT_EQ(CApplicantNameParser::UpdateDisplayText(fields), "Smith");

    fields.firstName = "John";
    EXPECT_EQ(CApplicantNameParser::AddDisplayText(fields), "Smith, John  Jr");
    EXPECT_EQ(CApplicantNameParser::UpdateDisplayText(fields), "Smith, John  Jr");

    fields.middleInitial = "A";
    EXPECT_EQ(CApplicantNameParser::AddDisplayText(fields), "Smith, John A Jr");
}

class ApplicantNameParserTest : public ::testing::Test {
protected:
    CApplicantNameParser parser_{{"Acme Corp", "Smith, John A Jr", "Jane Doe"}};
};

TEST_F(ApplicantNameParserTest, StartsWithTheFirstNameAsAnOrganization) {
    EXPECT_EQ(parser_.GetImportedName(), "Acme Corp");
    EXPECT_EQ(parser_.GetFields().kind, CNameAttribute::kOrganization);
    EXPECT_EQ(parser_.GetFields().organizationName, "Acme Corp");
    EXPECT_FALSE(parser_.IsReviewing());
    EXPECT_EQ(parser_.GetSelected(), -1);
}

TEST_F(ApplicantNameParserTest, KindButtonsMoveTheNameBetweenTheGroups) {
    parser_.Add();
    parser_.ChooseIndividual();
    const auto& fields = parser_.GetFields();
    EXPECT_EQ(fields.kind, CNameAttribute::kIndividual);
    EXPECT_EQ(fields.organizationName, "");
    EXPECT_EQ(fields.lastName, "Smith");
    EXPECT_EQ(fields.firstName, "John");
    EXPECT_EQ(fields.middleInitial, "A");
    EXPECT_EQ(fields.suffix, "Jr");

    parser_.ChooseOrganization();
    EXPECT_EQ(fields.kind, CNameAttribute::kOrganization);
    EXPECT_EQ(fields.organizationName, "Smith, John A Jr");
    EXPECT_EQ(fields.lastName, "");
    EXPECT_EQ(fields.firstName, "");
    EXPECT_EQ(fields.middleInitial, "");
    EXPECT_EQ(fields.suffix, "");
}

TEST_F(ApplicantNameParserTest, AddingEveryNameEndsInReviewWithTheFirstRecordSelected) {
    CApplicantNameParser::AddResult result = parser_.Add();
    EXPECT_TRUE(result.added);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(parser_.GetImportedName(), "Smith, John A Jr");
    EXPECT_EQ(parser_.GetFields().organizationName, "Smith, John A Jr");

    parser_.ChooseIndividual();
    // Edits in the fields go into the record.
    parser_.GetFields().suffix = "";
    EXPECT_TRUE(parser_.Add().added);
    EXPECT_EQ(parser_.GetFields().kind, CNameAttribute::kOrganization);
    EXPECT_EQ(parser_.GetFields().lastName, "");

    parser_.ChooseIndividual();
    result = parser_.Add();
    EXPECT_TRUE(result.added);
    EXPECT_EQ(result.message, "All applicant names have been added.");
    EXPECT_TRUE(parser_.IsReviewing());
    EXPECT_EQ(parser_.GetSelected(), 0);
    EXPECT_EQ(parser_.GetFields().organizationName, "Acme Corp");

    EXPECT_EQ(parser_.GetListEntries(), (StringList{"Acme Corp", "Smith, John A ", "Doe, Jane  "}));
    const std::vector<CNameAttribute>& records = parser_.GetRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].kind, CNameAttribute::kOrganization);
    EXPECT_EQ(records[0].lastName, "");
    EXPECT_EQ(records[1].kind, CNameAttribute::kIndividual);
    EXPECT_EQ(records[1].lastName, "Smith");
    EXPECT_EQ(records[1].firstName, "John");
    EXPECT_EQ(records[1].middleInitial, "A");
    EXPECT_EQ(records[1].suffix, "");
    EXPECT_EQ(records[2].lastName, "Doe");
    EXPECT_EQ(records[2].firstName, "Jane");
}

TEST_F(ApplicantNameParserTest, AddAfterTheLastNameOnlyRepeatsTheMessage) {
    for (int i = 0; i < 3; ++i) parser_.Add();
    const CApplicantNameParser::AddResult again = parser_.Add();
    EXPECT_FALSE(again.added);
    EXPECT_EQ(again.message, "All applicant names have been added.");
    EXPECT_EQ(parser_.GetRecords().size(), 3u);
}

TEST_F(ApplicantNameParserTest, OrganizationRecordKeepsNoIndividualFields) {
    parser_.GetFields().lastName = "stray";
    parser_.Add();
    EXPECT_EQ(parser_.GetRecords()[0].lastName, "");
    EXPECT_EQ(parser_.GetRecords()[0].displayText, "Acme Corp");
}

TEST_F(ApplicantNameParserTest, SelectingLoadsTheRecordAndUpdateReplacesItInPlace) {
    EXPECT_FALSE(parser_.Select(0));  // not before every name was added
    EXPECT_FALSE(parser_.Update());
    for (int i = 0; i < 3; ++i) parser_.Add();

    ASSERT_TRUE(parser_.Select(2));
    EXPECT_EQ(parser_.GetImportedName(), "Jane Doe");
    EXPECT_EQ(parser_.GetFields().kind, CNameAttribute::kOrganization);
    EXPECT_EQ(parser_.GetFields().organizationName, "Jane Doe");

    parser_.ChooseIndividual();
    parser_.GetFields().suffix = "PhD";
    parser_.GetFields().firstName = "";
    ASSERT_TRUE(parser_.Update());
    EXPECT_EQ(parser_.GetSelected(), 2);
    EXPECT_EQ(parser_.GetListEntries(), (StringList{"Acme Corp", "Smith, John A Jr", "Doe"}));
    EXPECT_EQ(parser_.GetRecords()[2].suffix, "PhD");
    EXPECT_EQ(parser_.GetRecords()[2].kind, CNameAttribute::kIndividual);

    ASSERT_TRUE(parser_.Select(1));
    EXPECT_EQ(parser_.GetFields().organizationName, "Smith, John A Jr");
    EXPECT_FALSE(parser_.Select(3));
    EXPECT_EQ(parser_.GetSelected(), 1);
}

TEST(ApplicantNameParserEmptyTest, NoNamesMeansNothingToAdd) {
    CApplicantNameParser parser({});
    EXPECT_TRUE(parser.IsReviewing());
    EXPECT_EQ(parser.GetImportedName(), "");
    const CApplicantNameParser::AddResult result = parser.Add();
    EXPECT_FALSE(result.added);
    EXPECT_EQ(result.message, "All applicant names have been added.");
    EXPECT_TRUE(parser.GetRecords().empty());
}

// ---- the defaults without a dialog ----

TEST(DefaultNameRecordTest, CommaMakesAnIndividualAndAnythingElseAnOrganization) {
    const CNameAttribute individual = CDefaultImportChoices::DefaultNameRecord("Smith, John A Jr");
    EXPECT_EQ(individual.kind, CNameAttribute::kIndividual);
    EXPECT_EQ(individual.lastName, "Smith");
    EXPECT_EQ(individual.firstName, "John");
    EXPECT_EQ(individual.middleInitial, "A");
    EXPECT_EQ(individual.suffix, "Jr");
    EXPECT_EQ(individual.displayText, "Smith, John A Jr");

    const CNameAttribute lastOnly = CDefaultImportChoices::DefaultNameRecord("Smith,");
    EXPECT_EQ(lastOnly.kind, CNameAttribute::kIndividual);
    EXPECT_EQ(lastOnly.displayText, "Smith");

    for (const char* name : {"John Smith", "Acme Corp Inc."}) {
        const CNameAttribute organization = CDefaultImportChoices::DefaultNameRecord(name);
        EXPECT_EQ(organization.kind, CNameAttribute::kOrganization);
        EXPECT_EQ(organization.displayText, name);
        EXPECT_EQ(organization.lastName, "");
    }

    CDefaultImportChoices choices;
    const auto records = choices.SplitApplicantNames({"Acme", "Doe, Jane"});
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0].kind, CNameAttribute::kOrganization);
    EXPECT_EQ((*records)[1].kind, CNameAttribute::kIndividual);
}

}  // namespace
}  // namespace qln
