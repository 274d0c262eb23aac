// Text rules of an ST.26 listing: the printable Basic Latin characters most
// elements must keep to, the folding of accented Latin-1 letters to them,
// dates and the office code a application number starts with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qln {

class CSt26Text {
public:
    // Space to "~": the only characters outside the four elements that may
    // hold any Unicode character.
    static bool IsPrintableBasicLatin(std::string_view text);
    // Accented letters folded to their base letters ("é" -> "e", "ß" -> "ss");
    // nothing when a character has no folding (a control character, a sign
    // such as "°").
    static std::optional<std::string> FoldToBasicLatin(std::string_view latin1);
    // Free text as a listing may hold it: each line break (CR LF, LF or CR)
    // a blank, then accents folded; nothing in text when a character has no
    // folding.
    struct FreeText {
        std::optional<std::string> text;
        bool lineBreaks = false;  // some were folded
        bool accents = false;     // some were folded
    };
    static FreeText FoldFreeText(std::string_view latin1);
    // A real date written CCYY-MM-DD.
    static bool IsCompleteDate(std::string_view text);

    // An application number with the office it was filed at.
    struct ApplicationId {
        std::string officeCode;
        std::string number;
    };
    // "PCT/IB2013/099999" gives IB and the whole text; "US 17/123,456" gives
    // US and "17/123,456". Nothing when the text names no known office.
    static std::optional<ApplicationId> SplitApplicationNumber(std::string_view text);
};

}  // namespace qln
