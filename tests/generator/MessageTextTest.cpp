#include <gtest/gtest.h>

#include <string>

#include "generator/MessageText.h"

namespace qln {
namespace {

StringList Numbered(int count) {
    StringList messages;
    for (int i = 1; i <= count; ++i) messages.push_back("Message " + std::to_string(i));
    return messages;
}

size_t CountLines(const std::string& text) {
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

TEST(MessagesDialogText, EachMessageEndsWithCarriageReturnLineFeed) {
    EXPECT_EQ(MessagesDialogText({}), "");
    EXPECT_EQ(MessagesDialogText({"First.", "", "Third."}), "First.\r\n\r\nThird.\r\n");
}

TEST(MessagesDialogText, FiveHundredMessagesAreShownWithoutNotice) {
    const std::string text = MessagesDialogText(Numbered(500));
    EXPECT_EQ(text.rfind("Message 1\r\n", 0), 0u);
    EXPECT_EQ(text.find("Only the first"), std::string::npos);
    EXPECT_EQ(CountLines(text), 500u);
    EXPECT_NE(text.find("Message 500\r\n"), std::string::npos);
}

TEST(MessagesDialogText, FiveHundredAndOneShowNoticeAndFirstFiveHundred) {
    const std::string text = MessagesDialogText(Numbered(501));
    EXPECT_EQ(text.rfind("Only the first 500 error messages are displayed below.\r\nMessage 1\r\n", 0), 0u);
    EXPECT_EQ(CountLines(text), 501u);  // the notice and 500 messages
    EXPECT_NE(text.find("\r\nMessage 500\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Message 501"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 13), "Message 500\r\n");
}

}  // namespace
}  // namespace qln
