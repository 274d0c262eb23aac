// The text of the "Validation Errors" dialog: a message list, one message to
// a line, cut off after the first 500 messages.
#pragma once

#include <string>

#include "model/Model.h"

namespace qln {

inline constexpr size_t kMaxShownMessages = 500;
inline constexpr const char* kOnlyFirstMessagesNotice = "Only the first 500 error messages are displayed below.\r\n";

// Each kept message followed by "\r\n"; a list of more than 500 messages
// starts with the notice and keeps only the first 500.
std::string MessagesDialogText(const StringList& messages);

}  // namespace qln
