// A publication as its screen's fields show it: every field as text, a date
// by its output text so that "____-__-__" and an empty date are the same.
// OK and the jump buttons decide from these whether the fields hold input
// that is not in the list yet.
#pragma once

#include <string>
#include <vector>

#include "model/Publication.h"

namespace qln {

// The fields in screen order. A database entry has the shared ones only.
std::vector<std::string> ScreenFieldTexts(const CPublication& record);
std::vector<std::string> ScreenFieldTexts(const CJournal& record);
std::vector<std::string> ScreenFieldTexts(const CPatent& record);
std::vector<std::string> ScreenFieldTexts(const CThesis& record);

// True when any field holds more than blanks: a stray blank alone should
// not become a record that fails every check.
bool HasAnyField(const std::vector<std::string>& fields);

template <class T>
bool HasAnyField(const T& record)
{
    return HasAnyField(ScreenFieldTexts(record));
}

template <class T>
bool SameFields(const T& a, const T& b)
{
    return ScreenFieldTexts(a) == ScreenFieldTexts(b);
}

}  // namespace qln
