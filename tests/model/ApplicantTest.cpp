#include <gtest/gtest.h>

#include <string>

#include "model/Applicant.h"
#include "model/Archive.h"
#include "model/Project.h"
#include "support/FixedToday.h"
#include "support/ArchiveBytes.h"

namespace qln {
namespace {

using test::Bytes;
using test::Short;
using test::Store;

using test::FixedToday;

// ---- individual applicants ----

TEST(IndivApplicantValidate, MissingLastNameInProjectNamesScreenAndRow) {
    CProject project;
    CIndivApplicant applicant(&project, "Ada", "");
    const StringList& messages = applicant.Validate(3);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Individual Applicant Screen:Row 3: Both Last Name and First Name are required.");
}

TEST(IndivApplicantValidate, WithoutParentOnlyRowTextPrecedesMessage) {
    CIndivApplicant applicant(nullptr, "Ada", "");
    EXPECT_EQ(applicant.Validate(0), StringList{"Both Last Name and First Name are required."});
    EXPECT_EQ(applicant.Validate(7), StringList{"7: Both Last Name and First Name are required."});
    CIndivApplicant noFirst(nullptr, "", "Lovelace");
    EXPECT_EQ(noFirst.Validate(0).size(), 1u);
}

TEST(IndivApplicantValidate, BlankNamesCountAsFilledAndRevalidationClears) {
    CProject project;
    CIndivApplicant applicant(&project, "", "Lovelace");
    ASSERT_EQ(applicant.Validate(1).size(), 1u);
    applicant.SetFirstName(" ");
    EXPECT_TRUE(applicant.Validate(1).empty());
    EXPECT_TRUE(applicant.GetMessages().empty());
}

TEST(IndivApplicant, ListingNameKeepsEverySeparator) {
    CIndivApplicant full(nullptr, "Ada", "Lovelace", "K", "Jr.");
    EXPECT_EQ(full.GetListingName(), "      Lovelace, Ada K Jr.\n");
    CIndivApplicant plain(nullptr, "Ada", "Lovelace");
    EXPECT_EQ(plain.GetListingName(), "      Lovelace, Ada  \n");
}

TEST(IndivApplicant, CopyKeepsParentAndFieldsButNotMessages) {
    CProject project;
    CIndivApplicant original(&project, "", "Lovelace", "K", "Jr.");
    original.SetCity("London");
    original.SetEmailAddress("ada@example.org");
    ASSERT_FALSE(original.Validate(1).empty());

    CIndivApplicant copy(original);
    EXPECT_EQ(copy.GetParent(), &project);
    EXPECT_EQ(copy.GetLastName(), "Lovelace");
    EXPECT_EQ(copy.GetMiddleInitial(), "K");
    EXPECT_EQ(copy.GetSuffix(), "Jr.");
    EXPECT_EQ(copy.GetCity(), "London");
    EXPECT_EQ(copy.GetEmailAddress(), "ada@example.org");
    EXPECT_TRUE(copy.GetMessages().empty());
}

// ---- organization applicants ----

TEST(OrgApplicantValidate, MissingNameMessageWithAndWithoutParent) {
    CProject project;
    COrgApplicant inProject(&project, "");
    EXPECT_EQ(inProject.Validate(2), StringList{"Organization Applicant Screen:Row 2: Organization name is required."});

    COrgApplicant loose(nullptr, "");
    EXPECT_EQ(loose.Validate(0), StringList{"Organization name is required."});
    EXPECT_EQ(loose.Validate(12), StringList{"12: Organization name is required."});
}

TEST(OrgApplicantValidate, NamedOrganizationPasses) {
    CProject project;
    COrgApplicant org(&project, "   ");
    EXPECT_TRUE(org.Validate(1).empty());
    EXPECT_EQ(COrgApplicant(nullptr, "Acme").GetListingName(), "      Acme\n");
}

// ---- prior applications ----

TEST(EarlierApplicationValidate, OnlyNumberGivesBothFieldsMessageAndNoDateMessages) {
    FixedToday today("2024-06-01");
    CProject project;
    CEarlierApplication prior(&project, "US 08/123,456", "");
    EXPECT_EQ(prior.Validate(4),
              StringList{"Prior Application Data Screen:Row 4: Prior Application Number/Prior Filing Date: Both "
                         "fields must be filled in."});

    prior.GetFilingDate() = DateField::kBlankMask;
    EXPECT_EQ(prior.Validate(4).size(), 1u);
}

TEST(EarlierApplicationValidate, OnlyDateGivesBothFieldsMessage) {
    FixedToday today("2024-06-01");
    CEarlierApplication prior("", "2000-13-45");
    EXPECT_EQ(prior.Validate(0),
              StringList{"Prior Application Data Screen:Row Prior Application Number/Prior Filing Date: Both fields "
                         "must be filled in."});
}

TEST(EarlierApplicationValidate, BadDateMessagesCarryRowPrefix) {
    FixedToday today("2024-06-01");
    CEarlierApplication prior("US 1", "2000-13-01");
    EXPECT_EQ(prior.Validate(2),
              StringList{"Prior Application Data Screen:Row 2: The month must be between 1 and 12."});

    prior.GetFilingDate() = "2025-01-01";
    EXPECT_EQ(prior.Validate(1), StringList{"Prior Application Data Screen:Row 1: The date you entered, "
                                            "'2025-01-01', can not be greater than today's date '2024-06-01'."});
}

TEST(EarlierApplicationValidate, SameDayAsCurrentFilingDateMustBeEarlier) {
    FixedToday today("2024-06-01");
    CProject project;
    project.GetProjectData()->GetFilingDate() = "2001-05-05";
    CEarlierApplication prior(&project, "US 1", "2001-05-05");
    EXPECT_EQ(prior.Validate(1),
              StringList{"Prior Application Data Screen:Row 1: The Prior Application Filing Date 2001-05-05 must be "
                         "earlier than the Current Filing Date 2001-05-05."});

    prior.GetFilingDate() = "2001-06-01";
    EXPECT_EQ(prior.Validate(1).size(), 1u);

    prior.GetFilingDate() = "2001-05-04";
    EXPECT_TRUE(prior.Validate(1).empty());
}

TEST(EarlierApplicationValidate, NoComparisonWithoutProjectOrCurrentDate) {
    FixedToday today("2024-06-01");
    CProject project;
    CEarlierApplication inProject(&project, "US 1", "2001-05-05");
    EXPECT_TRUE(inProject.Validate(1).empty());
    project.GetProjectData()->GetFilingDate() = DateField::kBlankMask;
    EXPECT_TRUE(inProject.Validate(1).empty());

    // A parent that is not a project has no current filing date to compare.
    CModel other;
    CEarlierApplication elsewhere(&other, "US 1", "2001-05-05");
    EXPECT_TRUE(elsewhere.Validate(1).empty());
}

// ---- archive ----

TEST(ApplicantArchive, OrganizationBytesAreExact) {
    COrgApplicant org(nullptr, "Acme");
    std::string expected = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}) + "COrgApplicant" + Bytes({0x00, 0x00}) +
                           Bytes({0x00, 0x00}) + std::string(8, '\0') + Short("Acme");
    EXPECT_EQ(Store(&org), expected);
}

TEST(ApplicantArchive, AddressFieldsAreStoredInFileOrder) {
    CIndivApplicant person(nullptr, "F", "L", "M", "S");
    person.SetStreet("st");
    person.SetCity("ci");
    person.SetState("sa");
    person.SetCountry("co");
    person.SetEmailAddress("em");
    person.SetPhoneNumber("ph");
    person.SetFaxNumber("fx");
    person.SetPostalCode("pc");

    std::string expected = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0F, 0x00}) + "CIndivApplicant" +
                           Bytes({0x00, 0x00, 0x00, 0x00});
    for (const char* field : {"st", "ci", "sa", "co", "pc", "ph", "fx", "em", "F", "L", "M", "S"})
        expected += Short(field);
    EXPECT_EQ(Store(&person), expected);
}

TEST(ApplicantArchive, RoundTripKeepsFieldsMessagesAndParent) {
    CModel owner;
    CIndivApplicant person(&owner, "", "Lovelace", "K", "Jr.");
    person.SetStreet("12 St James's Square");
    person.SetPostalCode("SW1");
    person.SetPhoneNumber("555");
    person.SetFaxNumber("556");
    person.SetEmailAddress("ada@example.org");
    person.SetCountry("GB");
    person.Validate(1);
    const std::string bytes = Store(&owner, &person);

    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    Ptr<CModel> readOwner = ar.ReadObjectOf<CModel>();
    Ptr<CIndivApplicant> read = ar.ReadObjectOf<CIndivApplicant>();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetParent(), readOwner.get());
    EXPECT_EQ(read->GetFirstName(), "");
    EXPECT_EQ(read->GetLastName(), "Lovelace");
    EXPECT_EQ(read->GetMiddleInitial(), "K");
    EXPECT_EQ(read->GetSuffix(), "Jr.");
    EXPECT_EQ(read->GetStreet(), "12 St James's Square");
    EXPECT_EQ(read->GetPostalCode(), "SW1");
    EXPECT_EQ(read->GetPhoneNumber(), "555");
    EXPECT_EQ(read->GetFaxNumber(), "556");
    EXPECT_EQ(read->GetEmailAddress(), "ada@example.org");
    EXPECT_EQ(read->GetCountry(), "GB");
    EXPECT_EQ(read->GetMessages(), person.GetMessages());
}

TEST(EarlierApplicationArchive, BytesAndRoundTrip) {
    CEarlierApplication prior("US 1", "____-__-__");
    const std::string bytes = Store(&prior);
    EXPECT_EQ(bytes, Bytes({0xFF, 0xFF, 0x01, 0x00, 0x13, 0x00}) + "CEarlierApplication" +
                         Bytes({0x00, 0x00, 0x00, 0x00}) + Short("US 1") + Short("____-__-__"));

    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    Ptr<CEarlierApplication> read = ar.ReadObjectOf<CEarlierApplication>();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetNumber(), "US 1");
    EXPECT_EQ(read->GetFilingDate().GetText(), "____-__-__");
    EXPECT_EQ(read->GetParent(), nullptr);
}

}  // namespace
}  // namespace qln
