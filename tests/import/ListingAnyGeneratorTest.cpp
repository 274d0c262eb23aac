// The listing import with "any generator" on: listings from other programs
// are read, the log says whose they are, and the program's own listings read
// as they do with it off.
#include <gtest/gtest.h>

#include <string>

#include "import/ListingTolerance.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

std::string ListingNaming(const std::string& software) {
    return "<110>  Smith, John\n\n<120>  A title\n\n<130>  REF-1\n\n<160>  1\n\n" + software +
           "<210>  1\n<211>  8\n<212>  DNA\n<213>  Homo sapiens\n\n<400>  1\nacgtacgt                          "
           "                                      8\n";
}

struct AnyGeneratorRun : test::ListingRun {
    explicit AnyGeneratorRun(const std::string& text) {
        parser.SetAnyGenerator(true);
        Parse(text);
    }
};

TEST(ListingAnyGeneratorTest, OtherProgramIsReadAndNamedInTheLog) {
    AnyGeneratorRun run(ListingNaming("<170>  OtherSeq 1.0\n\n"));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgtacgt");
    EXPECT_EQ(run.Messages(), StringList{"* <170>: This listing was written by \"OtherSeq 1.0\", not by Quillion."});
    AnyGeneratorRun unnamed(ListingNaming(""));
    EXPECT_EQ(unnamed.Sequences().GetSize(), 1);
    EXPECT_EQ(unnamed.Messages(), StringList{"* <170>: The listing does not name the program that wrote it."});
}

TEST(ListingAnyGeneratorTest, OwnListingReadsWithoutMessagesEitherWay) {
    const std::string own = ListingNaming("<170>  Quillion version 3.5\n\n");
    AnyGeneratorRun any(own);
    test::ListingRun strict(own);
    EXPECT_TRUE(any.ok) << ::testing::PrintToString(any.Messages());
    EXPECT_TRUE(strict.ok);
    EXPECT_EQ(any.Sequence(0).GetResidues(), strict.Sequence(0).GetResidues());
}

// The layouts other programs use: one blank after identifiers, a title line
// in capitals, a form feed, "SEQ ID NO:" numbers, no <211>, position numbers
// under the protein line, no blank line after <400>, trailing blanks, and a
// <160> that disagrees.
const std::string kOtherLayout =
    "                SEQUENCE LISTING\n<110> Smith, John\n<120> A title\n  that wraps\n<130> REF-1   \n"
    "<160> 5\n<170> Other 1.0\n\f\n<210> SEQ ID NO: 1\n<212> PRT\n<213> Homo sapiens\n<400> 1\n"
    "Met Ala Gly  \n 1\n\n<210> SEQ ID NO: 2\n<211> 8\n<212> DNA\n<213> Homo sapiens\n<400> 2\n"
    "acgtacgt   8\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(ListingAnyGeneratorTest, OtherLayoutsAreReadWithEveryLineEnd) {
    for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(lineEnd));
        AnyGeneratorRun run(Replaced(kOtherLayout, "\n", lineEnd));
        ASSERT_EQ(run.Sequences().GetSize(), 2) << ::testing::PrintToString(run.Messages());
        EXPECT_EQ(run.Sequence(0).GetName(), "Seq_1");
        EXPECT_EQ(run.Sequence(0).GetResidues(), "MetAlaGly");
        EXPECT_EQ(run.Sequence(1).GetResidues(), "acgtacgt");
        EXPECT_EQ(run.project->GetProjectData()->GetTitle(), "A title that wraps");
        EXPECT_EQ(run.Messages().size(), 1u) << ::testing::PrintToString(run.Messages());
    }
}

TEST(ListingAnyGeneratorTest, LineEndsSplitAcrossSourceBlocks) {
    const std::string text = Replaced(kOtherLayout, "\n", "\r\n");
    test::ListingRun whole;
    whole.parser.SetAnyGenerator(true);
    whole.Parse(text);
    test::ListingRun trickled;
    trickled.parser.SetAnyGenerator(true);
    test::TrickleSource source(text);
    trickled.parser.Parse(source, text.size(), "/in/listing.txt");
    EXPECT_EQ(trickled.parser.GetMessages(), whole.Messages());
    ASSERT_EQ(trickled.Sequences().GetSize(), 2);
    EXPECT_EQ(trickled.Sequence(1).GetResidues(), "acgtacgt");
}

TEST(ListingAnyGeneratorTest, SequenceNumberIsTakenFromSeqIdNo) {
    EXPECT_EQ(tolerance::SequenceNumber("SEQ  ID NO: 12"), "12");
    EXPECT_EQ(tolerance::SequenceNumber("SEQ ID NO:"), "SEQ ID NO:");
    EXPECT_EQ(tolerance::SequenceNumber(": 4"), "4");
    EXPECT_EQ(tolerance::SequenceNumber("7"), "7");
}

TEST(ListingAnyGeneratorTest, OneDigitMonthAndDayArePadded) {
    EXPECT_EQ(tolerance::PaddedDate("2010-8-16"), "2010-08-16");
    EXPECT_EQ(tolerance::PaddedDate("Not yet assigned"), "Not yet assigned");
    EXPECT_EQ(tolerance::PaddedDate("2010-8-16x"), "2010-8-16x");
}

TEST(ListingAnyGeneratorTest, NoteWithoutKeyOrLocationBecomesAWholeSequenceFeature) {
    std::string text = ListingNaming("<170>  Other 1.0\n\n");
    text.insert(text.find("<400>"), "<220>\n<223>  about the whole\n\n");
    AnyGeneratorRun run(text);
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    const auto& features = run.Sequence(0).GetFeatures();
    ASSERT_EQ(features.GetSize(), 1);
    EXPECT_EQ(features[0]->GetKey(), "misc_feature");
    EXPECT_EQ(run.Messages().size(), 2u) << ::testing::PrintToString(run.Messages());
    test::ListingRun strict(Replaced(text, "Other 1.0", "Quillion 3.5"));
    EXPECT_EQ(strict.Messages(), StringList{"* Sequence ID '1': Missing data line <221> which contains feature name."});
}

TEST(ListingAnyGeneratorTest, UnassignedApplicationNumberAndDateAreLeftEmpty) {
    std::string text = ListingNaming("<170>  Other 1.0\n\n");
    text.insert(text.find("<160>"), "<140> WO Not yet assigned\n<141> Not yet assigned  \n\n");
    AnyGeneratorRun run(text);
    EXPECT_EQ(run.project->GetProjectData()->GetApplicationNumber(), "");
    EXPECT_EQ(run.Messages().size(), 1u) << ::testing::PrintToString(run.Messages());
    EXPECT_TRUE(tolerance::IsUnassigned("To be assigned"));
    EXPECT_FALSE(tolerance::IsUnassigned("PCT/US2011/012345"));
}

}  // namespace
}  // namespace qln
