#include <gtest/gtest.h>

#include <string>

#include "model/Date.h"
#include "support/FixedToday.h"

namespace qln {
namespace {

using test::FixedToday;

const char* const kInvalidFormat = "Invalid date format.  Example of the correct format: 2000-01-01";
const char* const kMonthBlank = "The month cannot be blank.";
const char* const kDayBlank = "The day cannot be blank.";
const char* const kMonthForDay = "The month must be specified if the day is specified.";
const char* const kYearTooEarly = "The year must be 1950 or later.";
const char* const kMonthRange = "The month must be between 1 and 12.";
const char* const kDays31 = "The valid days for the month you entered are from 1 to 31";
const char* const kDays30 = "The valid days for the month you entered are from 1 to 30.";
const char* const kDays29 = "The valid days for the month you entered are from 1 to 29.";
const char* const kDays28 = "The valid days for the month you entered are from 1 to 28.";

StringList ValidateComplete(const std::string& text) {
    DateField date(text);
    return date.Validate(true, "");
}

StringList ValidatePartial(const std::string& text) {
    DateField date(text);
    return date.Validate(false, "");
}

class DateValidate : public ::testing::Test {
protected:
    FixedToday today_{"2024-06-15"};
};

// ---- emptiness and output ----

TEST(DateEmpty, BlankMaskAndEmptyTextAreEmpty) {
    EXPECT_TRUE(DateField().IsEmpty());
    EXPECT_TRUE(DateField("").IsEmpty());
    EXPECT_TRUE(DateField("____-__-__").IsEmpty());
    EXPECT_FALSE(DateField("2000-__-__").IsEmpty());
    EXPECT_FALSE(DateField(" ").IsEmpty());

    EXPECT_EQ(DateField("____-__-__").GetOutputText(), "");
    EXPECT_EQ(DateField("2000-01-01").GetOutputText(), "2000-01-01");
    DateField assigned;
    assigned = std::string("1999-12-31");
    EXPECT_EQ(assigned.GetText(), "1999-12-31");
}

TEST_F(DateValidate, BlankMaskAndEmptyTextGiveNoMessage) {
    EXPECT_TRUE(ValidateComplete("____-__-__").empty());
    EXPECT_TRUE(ValidatePartial("____-__-__").empty());
    EXPECT_TRUE(ValidateComplete("  ____-__-__ ").empty());
}

// ---- complete and partial dates ----

TEST_F(DateValidate, YearOnlyDependsOnWhetherPartialDatesAreAllowed) {
    EXPECT_TRUE(ValidatePartial("2000-__-__").empty());
    EXPECT_EQ(ValidateComplete("2000-__-__"), (StringList{kMonthBlank, kDayBlank}));
}

TEST_F(DateValidate, DayWithoutMonth) {
    EXPECT_EQ(ValidatePartial("2000-__-05"), StringList{kMonthForDay});
    EXPECT_EQ(ValidateComplete("2000-__-05"), StringList{kMonthBlank});
    EXPECT_TRUE(ValidatePartial("2000-05-__").empty());
    EXPECT_EQ(ValidateComplete("2000-05-__"), StringList{kDayBlank});
}

TEST_F(DateValidate, PartlyTypedPartsGiveOnlyTheFormatMessage) {
    EXPECT_EQ(ValidateComplete("____-05-01"), StringList{kInvalidFormat});
    EXPECT_EQ(ValidatePartial("____-05-01"), StringList{kInvalidFormat});
    EXPECT_EQ(ValidateComplete("20__-05-01"), StringList{kInvalidFormat});
    EXPECT_EQ(ValidateComplete("2000-0_-01"), StringList{kInvalidFormat});
    EXPECT_EQ(ValidatePartial("2000-01-1_"), StringList{kInvalidFormat});
    // Even when the year is too early and the month out of range.
    EXPECT_EQ(ValidateComplete("1800-13-3_"), StringList{kInvalidFormat});
}

TEST_F(DateValidate, YearBefore1950) {
    EXPECT_EQ(ValidateComplete("1949-12-31"), StringList{kYearTooEarly});
    EXPECT_TRUE(ValidateComplete("1950-01-01").empty());
    EXPECT_EQ(ValidatePartial("1949-__-__"), StringList{kYearTooEarly});
}

TEST_F(DateValidate, DaysOfEachMonth) {
    EXPECT_TRUE(ValidateComplete("2000-01-31").empty());
    EXPECT_EQ(ValidateComplete("2000-01-32"), StringList{kDays31});
    EXPECT_EQ(ValidateComplete("2000-12-00"), StringList{kDays31});
    EXPECT_TRUE(ValidateComplete("2000-04-30").empty());
    EXPECT_EQ(ValidateComplete("2000-04-31"), StringList{kDays30});
    EXPECT_EQ(ValidateComplete("2000-11-31"), StringList{kDays30});
}

TEST_F(DateValidate, FebruaryFollowsLeapYears) {
    EXPECT_TRUE(ValidateComplete("2000-02-29").empty());  // divisible by 400
    EXPECT_TRUE(ValidateComplete("2004-02-29").empty());
    EXPECT_EQ(ValidateComplete("2000-02-30"), StringList{kDays29});
    EXPECT_EQ(ValidateComplete("2001-02-29"), StringList{kDays28});
    EXPECT_EQ(ValidateComplete("2100-02-29")[0], kDays28);  // divisible by 100 only
    // 1900 is no leap year, and too early besides: all checks run.
    EXPECT_EQ(ValidateComplete("1900-02-29"), (StringList{kDays28, kYearTooEarly}));
}

TEST_F(DateValidate, MonthOutOfRangeSkipsTheDayCheck) {
    EXPECT_EQ(ValidateComplete("2000-13-01"), StringList{kMonthRange});
    EXPECT_EQ(ValidateComplete("2000-13-45"), StringList{kMonthRange});
    EXPECT_EQ(ValidateComplete("2000-00-01"), StringList{kMonthRange});
    EXPECT_EQ(ValidatePartial("2000-13-__"), StringList{kMonthRange});
}

TEST_F(DateValidate, OneDateCollectsSeveralMessagesInOrder) {
    EXPECT_EQ(ValidateComplete("1900-__-__"), (StringList{kMonthBlank, kDayBlank, kYearTooEarly}));
    EXPECT_EQ(ValidatePartial("1900-__-07"), (StringList{kMonthForDay, kYearTooEarly}));
}

// ---- today ----

TEST_F(DateValidate, DateAfterTodayNamesBothDates) {
    EXPECT_TRUE(ValidateComplete("2024-06-15").empty());
    EXPECT_TRUE(ValidateComplete("2024-06-14").empty());
    EXPECT_EQ(ValidateComplete("2024-06-16"),
              StringList{"The date you entered, '2024-06-16', can not be greater than today's date '2024-06-15'."});
    // The message quotes the trimmed text.
    EXPECT_EQ(ValidateComplete("  2030-01-01 "),
              StringList{"The date you entered, '2030-01-01', can not be greater than today's date '2024-06-15'."});
}

TEST_F(DateValidate, PartialDateOfTheCurrentYearCountsAsLaterThanToday) {
    // "_" sorts after the digits.
    EXPECT_EQ(ValidatePartial("2024-__-__"),
              StringList{"The date you entered, '2024-__-__', can not be greater than today's date '2024-06-15'."});
    EXPECT_EQ(ValidatePartial("2024-06-__"),
              StringList{"The date you entered, '2024-06-__', can not be greater than today's date '2024-06-15'."});
    EXPECT_TRUE(ValidatePartial("2023-__-__").empty());
    EXPECT_TRUE(ValidatePartial("2024-05-__").empty());
}

TEST_F(DateValidate, EveryMessageCarriesThePrefixAndRevalidationClears) {
    DateField date("1949-13-01");
    const StringList& messages = date.Validate(true, "Patent Screen:Row 2: ");
    EXPECT_EQ(messages, (StringList{std::string("Patent Screen:Row 2: ") + kYearTooEarly,
                                    std::string("Patent Screen:Row 2: ") + kMonthRange}));
    EXPECT_EQ(&messages, &date.GetMessages());
    // Validation reports; it never changes the text.
    EXPECT_EQ(date.GetText(), "1949-13-01");

    date = std::string("2000-01-01");
    EXPECT_TRUE(date.Validate(true, "x").empty());
    date.AddMessage("p: ", "text");
    EXPECT_EQ(date.GetMessages(), StringList{"p: text"});
}

TEST(DateToday, LocalDateHasTheMaskLayout) {
    const std::string today = DateField::Today();
    ASSERT_EQ(today.size(), 10u);
    for (size_t i = 0; i < today.size(); ++i) {
        if (i == 4 || i == 7)
            EXPECT_EQ(today[i], '-');
        else
            EXPECT_TRUE(today[i] >= '0' && today[i] <= '9') << today;
    }
    {
        FixedToday fixed("2001-01-01");
        EXPECT_EQ(DateField::Today(), "2001-01-01");
    }
    EXPECT_EQ(DateField::Today(), today);  // barring a midnight in between
}

// ---- comparison ----

TEST(DateCompare, PlainTextOrder) {
    DateField earlier("2000-01-01"), later("2000-01-02"), same("2000-01-01");
    EXPECT_LT(DateField::Compare(earlier, later), 0);
    EXPECT_GT(DateField::Compare(later, earlier), 0);
    EXPECT_EQ(DateField::Compare(earlier, same), 0);
    EXPECT_TRUE(later.IsLaterThan(earlier));
    EXPECT_FALSE(earlier.IsLaterThan(later));
    EXPECT_FALSE(earlier.IsLaterThan(same));
    // Text order, not calendar order: a partial date sorts after complete ones.
    EXPECT_TRUE(DateField("2000-__-__").IsLaterThan(DateField("2000-12-31")));
    EXPECT_TRUE(DateField("2000-01-01").IsLaterThan(DateField("")));
}

// ---- dates read from a listing ----

std::string ImportMessage(const std::string& asRead) {
    return "SEQ 3: Publication 1: Invalid date format '" + asRead +
           "'.  Please re-enter the date with YYYY-MM-DD date format on the Journal screen.";
}

DateField Imported(const std::string& text) {
    DateField date(text);
    date.NormaliseImported("SEQ 3", "Publication", "1", "Journal");
    return date;
}

TEST(DateImport, SeparatorsBecomeHyphens) {
    for (const char* text : {"2001.02.03", "2001/02/03", "2001-02-03", "2001 02 03", " 2001.02.03\t"}) {
        DateField date = Imported(text);
        EXPECT_EQ(date.GetText(), "2001-02-03") << text;
        EXPECT_TRUE(date.GetMessages().empty()) << text;
    }
}

TEST(DateImport, EmptyTextBecomesBlankMaskWithoutMessage) {
    for (const char* text : {"", "   "}) {
        DateField date = Imported(text);
        EXPECT_EQ(date.GetText(), "____-__-__");
        EXPECT_TRUE(date.GetMessages().empty());
    }
}

TEST(DateImport, EightDigitsBecomeBlankMaskWithMessage) {
    DateField date = Imported("20010203");
    EXPECT_EQ(date.GetText(), "____-__-__");
    EXPECT_EQ(date.GetMessages(), StringList{ImportMessage("20010203")});
}

TEST(DateImport, RejectedShapes) {
    for (const char* text : {
             "2001-02-031",  // eleven characters
             "2001-2-3",     // too short
             "2001002003",   // digits where the separators go
             "2001-020-3",
             "x001-02-03",  // year must start with a digit
             "2001-x2-03",  // month
             "2001-02-x3",  // day
             "2001-02- 3",
         }) {
        DateField date = Imported(text);
        EXPECT_EQ(date.GetText(), "____-__-__") << text;
        EXPECT_EQ(date.GetMessages(), StringList{ImportMessage(text)}) << text;
    }
}

TEST(DateImport, OnlyTheFirstCharacterOfEachPartMustBeADigit) {
    EXPECT_EQ(Imported("2x01-0y-3z").GetText(), "2x01-0y-3z");
    EXPECT_TRUE(Imported("2x01-0y-3z").GetMessages().empty());
}

TEST(DateImport, MessagesAreClearedFirst) {
    DateField date("bad");
    date.NormaliseImported("a", "b", "c", "Patent");
    ASSERT_EQ(date.GetMessages().size(), 1u);
    EXPECT_EQ(date.GetMessages()[0],
              "a: b c: Invalid date format 'bad'.  Please re-enter the date with YYYY-MM-DD date format on the "
              "Patent screen.");
    date = std::string("1999.12.31");
    date.NormaliseImported("a", "b", "c", "Patent");
    EXPECT_EQ(date.GetText(), "1999-12-31");
    EXPECT_TRUE(date.GetMessages().empty());
}

}  // namespace
}  // namespace qln
