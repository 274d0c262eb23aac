#include "generator/MessageText.h"

#include <algorithm>

namespace qln {

std::string MessagesDialogText(const StringList& messages) {
    std::string text;
    const bool cut = messages.size() > kMaxShownMessages;
    const size_t shown = std::min(messages.size(), kMaxShownMessages);
    size_t length = cut ? std::char_traits<char>::length(kOnlyFirstMessagesNotice) : 0;
    for (size_t i = 0; i < shown; ++i) length += messages[i].size() + 2;
    text.reserve(length);
    if (cut) text += kOnlyFirstMessagesNotice;
    for (size_t i = 0; i < shown; ++i) {
        text += messages[i];
        text += "\r\n";
    }
    return text;
}

}  // namespace qln
