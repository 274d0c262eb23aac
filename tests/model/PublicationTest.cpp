#include <gtest/gtest.h>

#include <string>

#include "model/Archive.h"
#include "model/Publication.h"
#include "model/Sequence.h"
#include "support/FixedToday.h"
#include "support/ArchiveBytes.h"

namespace qln {
namespace {

using test::Load;
using test::Store;

using test::FixedToday;

// A DNA sequence S1 of nine residues, added to no project; today is pinned.
class PublicationCheck : public ::testing::Test {
protected:
    FixedToday today{"2010-06-15"};
    Ptr<CDNASequence> sequence = MakePtr<CDNASequence>(nullptr, "S1", "Homo sapiens", "acgtacgta");

    // A journal with every required field filled.
    Ptr<CJournal> Journal() {
        return MakePtr<CJournal>(sequence.get(), "Doe, J.", "", "Nature", "12", "", "1-9", "2001-02-03");
    }
    Ptr<CPatent> Patent(const std::string& filing, const std::string& published) {
        return MakePtr<CPatent>(sequence.get(), "", "US 1234567", filing, published);
    }

    const std::string journal1 = "Sequence: S1: Journal Screen:Row 1: ";
    const std::string patent1 = "Sequence: S1: Patent Screen:Row 1: ";
    const std::string thesis1 = "Sequence: S1: Thesis Screen:Row 1: ";
    const std::string database1 = "Sequence: S1: DataBase Screen:Row 1: ";
};

// ---- prefixes ----

TEST_F(PublicationCheck, PrefixNamesSequenceScreenAndRow) {
    EXPECT_EQ(Journal()->GetMessagePrefix(12), "Sequence: S1: Journal Screen:Row 12: ");
    EXPECT_EQ(Patent("", "")->GetMessagePrefix(0), "Sequence: S1: Patent Screen:Row ");
    EXPECT_EQ(CThesis(sequence.get(), "", "", "", "").GetMessagePrefix(2), "Sequence: S1: Thesis Screen:Row 2: ");
    EXPECT_EQ(CPubDatabase(sequence.get(), "", "", "", "").GetMessagePrefix(2),
              "Sequence: S1: DataBase Screen:Row 2: ");
    EXPECT_EQ(CJournal().GetMessagePrefix(3), "Journal Screen:Row 3: ");
}

// ---- journals ----

TEST_F(PublicationCheck, EmptyJournalListsRequiredFieldsInOrder) {
    CJournal journal(sequence.get(), "", "", "", "", "", "", "");
    EXPECT_EQ(journal.Validate(1),
              (StringList{journal1 + "Author(s) is(are) required.", journal1 + "Journal Name is required.",
                          journal1 + "Volume is required.", journal1 + "Page Range is required.",
                          journal1 + "Publication Date is required."}));
}

TEST_F(PublicationCheck, JournalBlankMaskDateIsMissing) {
    auto journal = Journal();
    journal->GetPublicationDate() = DateField::kBlankMask;
    EXPECT_EQ(journal->Validate(1), StringList{journal1 + "Publication Date is required."});
}

TEST_F(PublicationCheck, CompleteJournalWithoutTitleOrIssuePasses) {
    auto journal = Journal();
    EXPECT_TRUE(journal->Validate(1).empty());
    journal->GetMessages().push_back("stale");
    EXPECT_TRUE(journal->Validate(1).empty());
}

TEST_F(PublicationCheck, JournalDateMayBePartial) {
    auto journal = Journal();
    journal->GetPublicationDate() = "2001-__-__";
    EXPECT_TRUE(journal->Validate(1).empty());

    journal->GetPublicationDate() = "2001-__-05";
    EXPECT_EQ(journal->Validate(1),
              StringList{journal1 + "Publication Date: The month must be specified if the day is specified."});

    journal->GetPublicationDate() = "2011-01-01";
    EXPECT_EQ(journal->Validate(1),
              StringList{journal1 + "Publication Date: The date you entered, '2011-01-01', can not be greater than "
                                    "today's date '2010-06-15'."});
}

// ---- patents ----

TEST_F(PublicationCheck, PatentPublishedOnFilingDayIsRefused) {
    EXPECT_EQ(Patent("2001-02-03", "2001-02-03")->Validate(1),
              StringList{patent1 + "The Publication Date 2001-02-03 should be greater than the Filing Date "
                                   "2001-02-03."});
    EXPECT_EQ(Patent("2001-02-03", "2000-12-31")->Validate(1).size(), 1u);
    EXPECT_TRUE(Patent("2001-02-03", "2001-02-04")->Validate(1).empty());
    // Without a filing date there is nothing to compare.
    EXPECT_TRUE(Patent("", "2001-02-04")->Validate(1).empty());
}

TEST_F(PublicationCheck, PatentDatesMustBeComplete) {
    EXPECT_EQ(Patent("", "2001-__-__")->Validate(1),
              (StringList{patent1 + "Publication Date: The month cannot be blank.",
                          patent1 + "Publication Date: The day cannot be blank."}));
    EXPECT_EQ(Patent("1949-01-01", "2001-02-03")->Validate(1),
              StringList{patent1 + "Patent Filing Date: The year must be 1950 or later."});
}

TEST_F(PublicationCheck, PatentMessagesComeInCheckOrder) {
    CPatent patent(sequence.get(), "", "", "2005-13-01", "2004-01-01", "GenBank", "", "3", "");
    EXPECT_EQ(patent.Validate(1),
              (StringList{patent1 + "Database Name and Database Entry Date: If Database Name or Database Entry "
                                    "Date is filled, both of them must be filled.",
                          patent1 + "Document Number is required.",
                          patent1 + "The Publication Date 2004-01-01 should be greater than the Filing Date "
                                    "2005-13-01.",
                          patent1 + "Patent Filing Date: The month must be between 1 and 12.",
                          patent1 + "From/To: If one of the From or To Field is filled, both of them must be "
                                    "filled."}));
}

TEST_F(PublicationCheck, PatentWithoutDocumentOrPublicationDate) {
    CPatent patent(sequence.get(), "A title", "", "2001-01-01", "");
    EXPECT_EQ(patent.Validate(1),
              (StringList{patent1 + "Document Number is required.", patent1 + "Publication Date is required."}));
}

// ---- theses ----

TEST_F(PublicationCheck, EmptyThesisListsRequiredFields) {
    CThesis thesis(sequence.get(), "", "", DateField::kBlankMask, "");
    EXPECT_EQ(thesis.Validate(1), (StringList{thesis1 + "Author(s) is(are) required.", thesis1 + "Title is required.",
                                              thesis1 + "Publication Date is required."}));
}

TEST_F(PublicationCheck, ThesisDateMayBePartialButNotMalformed) {
    CThesis thesis(sequence.get(), "Doe, J.", "On sequences", "1999-__-__", "");
    EXPECT_TRUE(thesis.Validate(1).empty());
    thesis.GetDate() = "____-05-01";
    EXPECT_EQ(
        thesis.Validate(1),
        StringList{thesis1 + "Publication Date: Invalid date format.  Example of the correct format: 2000-01-01"});
}

// ---- database reference ----

TEST_F(PublicationCheck, DatabaseReferenceNeedsBothParts) {
    const std::string both = journal1 +
                             "Database Name and Database Entry Date: If Database Name or Database Entry "
                             "Date is filled, both of them must be filled.";
    auto journal = Journal();
    journal->SetAccessionNumber("GenBank AB000001");
    EXPECT_EQ(journal->Validate(1), StringList{both});

    journal->SetAccessionNumber("");
    journal->GetEntryDate() = "2000-01-05";
    EXPECT_EQ(journal->Validate(1), StringList{both});

    journal->GetEntryDate() = DateField::kBlankMask;
    EXPECT_TRUE(journal->Validate(1).empty());

    journal->SetAccessionNumber("GenBank AB000001");
    journal->GetEntryDate() = "2000-01-05";
    EXPECT_TRUE(journal->Validate(1).empty());
}

TEST_F(PublicationCheck, EntryDateMustBeComplete) {
    auto journal = Journal();
    journal->GetEntryDate() = "2000-13-__";
    EXPECT_EQ(journal->Validate(1),
              (StringList{journal1 + "Database Name and Database Entry Date: If Database Name or Database Entry Date "
                                     "is filled, both of them must be filled.",
                          journal1 + "Database Name and Database Entry Date: The day cannot be blank.",
                          journal1 + "Database Name and Database Entry Date: The month must be between 1 and 12."}));
}

// ---- ranges ----

TEST_F(PublicationCheck, OptionalRangeWithOneEndAsksForBoth) {
    auto journal = Journal();
    journal->SetToText("4");
    EXPECT_EQ(journal->Validate(1),
              StringList{journal1 + "From/To: If one of the From or To Field is filled, both of them must be filled."});
}

TEST_F(PublicationCheck, RangeLongerThanSequence) {
    auto journal = Journal();
    journal->SetFromText("5");
    journal->SetToText("14");
    EXPECT_EQ(journal->Validate(1),
              StringList{journal1 + "From/To: The range of the From and To can not be greater than the length of the "
                                    "sequence string."});
    // Only the length of the range counts, not where it ends.
    journal->SetToText("13");
    EXPECT_TRUE(journal->Validate(1).empty());
}

TEST_F(PublicationCheck, RangeChecksAreAllEvaluated) {
    auto journal = Journal();
    journal->SetFromText("-1");
    journal->SetToText("-3");
    EXPECT_EQ(journal->Validate(1), (StringList{journal1 + "From: The From must be greater than 0.",
                                                journal1 + "To: The To must be greater than 0.",
                                                journal1 + "From/To: The From can not be greater than the To."}));

    journal->SetFromText("abc");
    journal->SetToText("12");
    EXPECT_EQ(journal->Validate(1),
              (StringList{journal1 + "From: The From must be greater than 0.",
                          journal1 + "From/To: The range of the From and To can not be greater than the length of "
                                     "the sequence string."}));

    journal->SetFromText("6");
    journal->SetToText("2");
    EXPECT_EQ(journal->Validate(1), StringList{journal1 + "From/To: The From can not be greater than the To."});
}

TEST_F(PublicationCheck, HugePositionsDoNotOverflowTheRangeLength) {
    auto journal = Journal();
    journal->SetFromText("-99999999999999999999");
    journal->SetToText("99999999999999999999");
    const StringList& messages = journal->Validate(1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], journal1 +
                               "From/To: The range of the From and To can not be greater than the length of "
                               "the sequence string.");
}

// ---- database entries ----

TEST_F(PublicationCheck, BlankDatabaseEntry) {
    CPubDatabase entry(sequence.get(), "", DateField::kBlankMask, "", "");
    EXPECT_EQ(entry.Validate(1), (StringList{database1 + "From/To: Both must be filled.",
                                             database1 + "Complete item cannot be blank, No Blank lines allowed."}));
}

TEST_F(PublicationCheck, DatabaseEntryRangeIsRequired) {
    CPubDatabase entry(sequence.get(), "GenBank AB000001", "2000-01-05", "3", "");
    EXPECT_EQ(entry.Validate(1), StringList{database1 + "From/To: Both must be filled."});

    entry.SetToText("12");
    EXPECT_EQ(entry.Validate(1),
              StringList{database1 + "From/To: The range of the From and To can not be greater than the length of "
                                     "the sequence string."});
    entry.SetToText("9");
    EXPECT_TRUE(entry.Validate(1).empty());
}

TEST_F(PublicationCheck, DatabaseEntryWithOnlyARangeIsNotBlank) {
    // Neither half of the reference is filled, so the pair is consistent.
    CPubDatabase entry(sequence.get(), "", "", "1", "2");
    EXPECT_TRUE(entry.Validate(1).empty());
}

TEST_F(PublicationCheck, BaseRecordChecksReferenceAndOptionalRange) {
    CPublication publication(sequence.get(), "GenBank AB000001", "", "4", "");
    EXPECT_EQ(publication.Validate(1),
              (StringList{database1 + "Database Name and Database Entry Date: If Database Name or Database Entry "
                                      "Date is filled, both of them must be filled.",
                          database1 + "From/To: If one of the From or To Field is filled, both of them must be "
                                      "filled."}));
}

TEST(PublicationNoSequence, RangeLengthCountsAsZero) {
    FixedToday today("2010-06-15");
    CPubDatabase entry(nullptr, "GenBank", "2000-01-05", "1", "1");
    EXPECT_EQ(entry.Validate(0),
              StringList{"DataBase Screen:Row From/To: The range of the From and To can not be greater than the "
                         "length of the sequence string."});
}

// ---- copies ----

TEST_F(PublicationCheck, CopiesKeepParentAndFieldsButNotMessages) {
    CPatent patent(sequence.get(), "Title", "US 1", "2001-01-01", "2002-02-02", "GB", "2000-01-05", "1", "9");
    patent.GetMessages().push_back("old");
    CPatent copy(patent);
    EXPECT_EQ(copy.GetParent(), sequence.get());
    EXPECT_EQ(copy.GetSequence(), sequence.get());
    EXPECT_EQ(copy.GetTitle(), "Title");
    EXPECT_EQ(copy.GetDocumentNumber(), "US 1");
    EXPECT_EQ(copy.GetFilingDate().GetText(), "2001-01-01");
    EXPECT_EQ(copy.GetPublicationDate().GetText(), "2002-02-02");
    EXPECT_EQ(copy.GetAccessionNumber(), "GB");
    EXPECT_EQ(copy.GetEntryDate().GetText(), "2000-01-05");
    EXPECT_EQ(copy.GetFromText(), "1");
    EXPECT_EQ(copy.GetToText(), "9");
    EXPECT_TRUE(copy.GetMessages().empty());
}

// ---- archive ----

// Each text occurs once in the bytes and the occurrences come in the given order.
void ExpectInOrder(const std::string& bytes, std::initializer_list<std::string> texts) {
    size_t last = 0;
    for (const std::string& text : texts) {
        const size_t at = bytes.find(text);
        ASSERT_NE(at, std::string::npos) << text;
        EXPECT_EQ(bytes.find(text, at + 1), std::string::npos) << text;
        EXPECT_GE(at, last) << text;
        last = at;
    }
}

TEST(PublicationArchive, JournalRoundTripKeepsEveryField) {
    CJournal journal(nullptr, "Doe, J.", "On things", "Nature", "Vol12", "Iss3", "Pages1-9", "2001-__-__",
                     "GenBank AB1", "2000-01-05", "From5", "To14");
    journal.GetMessages().push_back("a message");
    const std::string bytes = Store(journal);
    EXPECT_EQ(bytes.substr(0, 14), std::string("\xFF\xFF\x01\x00\x08\x00", 6) + "CJournal");
    ExpectInOrder(bytes, {"a message", "GenBank AB1", "2000-01-05", "From5", "To14", "Doe, J.", "On things", "Nature",
                          "Vol12", "Iss3", "Pages1-9", "2001-__-__"});
    EXPECT_EQ(bytes.back(), '_');  // the publication date ends the record

    Ptr<CJournal> read = Load<CJournal>(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(&read->GetRuntimeClass(), &CJournal::runtimeClass);
    EXPECT_EQ(read->GetParent(), nullptr);
    EXPECT_EQ(read->GetMessages(), StringList{"a message"});
    EXPECT_EQ(read->GetAccessionNumber(), "GenBank AB1");
    EXPECT_EQ(read->GetEntryDate().GetText(), "2000-01-05");
    EXPECT_EQ(read->GetFromText(), "From5");
    EXPECT_EQ(read->GetToText(), "To14");
    EXPECT_EQ(read->GetAuthors(), "Doe, J.");
    EXPECT_EQ(read->GetTitle(), "On things");
    EXPECT_EQ(read->GetJournalName(), "Nature");
    EXPECT_EQ(read->GetVolume(), "Vol12");
    EXPECT_EQ(read->GetIssue(), "Iss3");
    EXPECT_EQ(read->GetPageRange(), "Pages1-9");
    EXPECT_EQ(read->GetPublicationDate().GetText(), "2001-__-__");
}

TEST(PublicationArchive, PatentThesisAndDatabaseFieldOrder) {
    CPatent patent(nullptr, "Title", "DocNo", "2001-01-01", "2002-02-02", "Acc", "2000-03-03", "F7", "T8");
    const std::string patentBytes = Store(patent);
    ExpectInOrder(patentBytes, {"Acc", "2000-03-03", "F7", "T8", "Title", "DocNo", "2001-01-01", "2002-02-02"});
    Ptr<CPatent> readPatent = Load<CPatent>(patentBytes);
    ASSERT_TRUE(readPatent);
    EXPECT_EQ(readPatent->GetFilingDate().GetText(), "2001-01-01");
    EXPECT_EQ(readPatent->GetPublicationDate().GetText(), "2002-02-02");
    EXPECT_EQ(readPatent->GetDocumentNumber(), "DocNo");

    CThesis thesis(nullptr, "Authors", "Title", "1999-09-09", "Pages", "Acc", "", "F7", "T8");
    const std::string thesisBytes = Store(thesis);
    ExpectInOrder(thesisBytes, {"Acc", "F7", "T8", "Authors", "Title", "1999-09-09", "Pages"});
    Ptr<CThesis> readThesis = Load<CThesis>(thesisBytes);
    ASSERT_TRUE(readThesis);
    EXPECT_EQ(readThesis->GetDate().GetText(), "1999-09-09");
    EXPECT_EQ(readThesis->GetPageRange(), "Pages");
    EXPECT_EQ(readThesis->GetEntryDate().GetText(), "");

    CPubDatabase entry(nullptr, "Acc", "2000-03-03", "1", "9");
    const std::string entryBytes = Store(entry);
    // clang-format off
    EXPECT_EQ(entryBytes, std::string("\xFF\xFF\x01\x00\x0C\x00", 6) + "CPubDatabase" + std::string(4, '\0') +
                              "\x03" "Acc" "\x0A" "2000-03-03" "\x01" "1" "\x01" "9");
    // clang-format on
    Ptr<CPubDatabase> readEntry = Load<CPubDatabase>(entryBytes);
    ASSERT_TRUE(readEntry);
    EXPECT_EQ(readEntry->GetToText(), "9");
}

}  // namespace
}  // namespace qln
