// Conversions between the core's single-byte Latin-1 text and UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qln {

std::string Latin1ToUtf8(std::string_view latin1);
// Nothing when the text is not valid UTF-8 or holds a character above U+00FF.
std::optional<std::string> Utf8ToLatin1(std::string_view utf8);

}  // namespace qln
