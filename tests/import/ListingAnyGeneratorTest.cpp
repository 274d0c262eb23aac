// The listing import with "any generator" on: listings from other programs
// are read, the log says whose they are, and the program's own listings read
// as they do with it off.
#include <gtest/gtest.h>

#include <string>

#include "ListingTestSupport.h"

namespace qln {
namespace {

std::string Listing(const std::string& software) {
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
    AnyGeneratorRun run(Listing("<170>  OtherSeq 1.0\n\n"));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Sequence(0).GetResidues(), "acgtacgt");
    EXPECT_EQ(run.Messages(), StringList{"* <170>: This listing was written by \"OtherSeq 1.0\", not by Quillion."});
}

TEST(ListingAnyGeneratorTest, ListingWithoutSoftwareIsReadAndSaysSo) {
    AnyGeneratorRun run(Listing(""));
    ASSERT_EQ(run.Sequences().GetSize(), 1);
    EXPECT_EQ(run.Messages(), StringList{"* <170>: The listing does not name the program that wrote it."});
}

TEST(ListingAnyGeneratorTest, OwnListingReadsWithoutMessagesEitherWay) {
    const std::string own = Listing("<170>  Quillion version 3.5\n\n");
    AnyGeneratorRun any(own);
    test::ListingRun strict(own);
    EXPECT_TRUE(any.ok) << ::testing::PrintToString(any.Messages());
    EXPECT_TRUE(strict.ok);
    EXPECT_EQ(any.Sequence(0).GetResidues(), strict.Sequence(0).GetResidues());
}

TEST(ListingAnyGeneratorTest, OtherProgramIsStillRefusedWithTheOptionOff) {
    test::ListingRun run(Listing("<170>  OtherSeq 1.0\n\n"));
    EXPECT_TRUE(run.Sequences().IsEmpty());
}

}  // namespace
}  // namespace qln
