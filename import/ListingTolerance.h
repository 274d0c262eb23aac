// The looser layouts of listings that other programs write, each read by one
// small rule used only when the listing import accepts any generator. Most
// of what such listings do differently (one blank after an identifier,
// continuation lines indented by any amount, no blank line after <400>,
// position numbers under protein lines, <160> that disagrees with the
// entries, a missing <211>, trailing blanks, form feeds, a title line in any
// case) the strict reading already takes in its stride; the rules here are
// the rest.
#pragma once

#include <string>
#include <string_view>

#include "import/ListingSource.h"

namespace qln::tolerance {

// True when the text ends some line with a carriage return alone (the old
// Macintosh line end), which the line reader would not split at.
bool HasLoneCarriageReturn(std::string_view text);
// The text with every CR LF and lone CR turned into one LF.
std::string WithLineFeeds(std::string_view text);

// The same for a listing read a block at a time: wraps the source and hands
// out its bytes with every CR LF and lone CR turned into one LF.
class CLineFeedSource : public CListingSource {
public:
    explicit CLineFeedSource(CListingSource& source) : source_(source) {}
    size_t Read(char* into, size_t size) override;

private:
    CListingSource& source_;
    bool afterCarriageReturn_ = false;  // the last byte handed out was a CR made LF
};

// The number of a <210> value written as "SEQ ID NO: 1" (blanks, letter case
// and the colon as they come) or left as ": 1" once its label is removed;
// the value itself otherwise.
std::string_view SequenceNumber(std::string_view value);

// A date written with one-digit month or day ("2010-8-16") in the
// YYYY-MM-DD layout ("2010-08-16"); any other text as it is.
std::string PaddedDate(std::string_view text);

// True for an application number or filing date that other programs fill
// with a phrase such as "Not yet assigned" or "To be assigned" (after an
// optional office code): the listing gives none.
bool IsUnassigned(std::string_view value);

}  // namespace qln::tolerance
