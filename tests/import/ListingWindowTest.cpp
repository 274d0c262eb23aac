#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "import/ImportTestSupport.h"
#include "import/ListingSource.h"
#include "import/ListingWindow.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

using test::TrickleSource;

// Two megabytes of numbered lines: every stretch of it differs.
std::string NumberedText() {
    std::string text;
    for (int i = 0; text.size() < 2'000'000; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
}

TEST(ListingWindowTest, WholeTextIsAtHandAndNeverExtends) {
    const std::string text = "a\nb\n";
    CListingWindow window;
    window.Open(text);
    EXPECT_EQ(window.Bytes(), text);
    EXPECT_EQ(window.Begin(), 0u);
    EXPECT_FALSE(window.Extend(2));
    EXPECT_EQ(window.Bytes(), text);
}

TEST(ListingWindowTest, SlidesOverASourceKeepingWhatIsAskedFor) {
    const std::string text = NumberedText();
    TrickleSource source(text);
    CListingWindow window;
    window.Open(source);
    size_t largest = 0;
    // Keeps the last ten bytes each time, as a reader keeps its current line.
    while (window.Extend(window.End() < 10 ? window.Begin() : window.End() - 10)) {
        ASSERT_EQ(window.Bytes(), std::string_view(text).substr(window.Begin(), window.Bytes().size()));
        largest = std::max(largest, window.Bytes().size());
    }
    EXPECT_EQ(window.End(), text.size());
    EXPECT_EQ(window.Bytes(), std::string_view(text).substr(window.Begin()));
    // What is no longer needed goes: the window stays near a block.
    EXPECT_LE(largest, 2 * CListingWindow::kBlock);
}

TEST(ListingWindowTest, GrowsWhileEverythingIsKept) {
    const std::string text = NumberedText();
    TrickleSource source(text);
    CListingWindow window;
    window.Open(source);
    while (window.Extend(0)) {
    }
    EXPECT_EQ(window.Begin(), 0u);
    EXPECT_EQ(window.Bytes(), text);
}

TEST(FileListingSourceTest, ReadsNoMoreThanTheLengthGiven) {
    test::TempFolder folder;
    const std::string path = folder.Write("listing.txt", "abcdefgh");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    ASSERT_TRUE(file);
    CFileListingSource source(file.get(), 5);
    char bytes[16] = {};
    EXPECT_EQ(source.Read(bytes, 3), 3u);
    EXPECT_EQ(source.Read(bytes + 3, sizeof bytes - 3), 2u);
    EXPECT_EQ(source.Read(bytes + 5, sizeof bytes - 5), 0u);
    EXPECT_EQ(std::string(bytes), "abcde");
    EXPECT_FALSE(source.Failed());
}

}  // namespace
}  // namespace qln
