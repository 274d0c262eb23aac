// The item blocks of an entry: a feature (<220> to <223>) and the
// publications (<300> to <313>).
#pragma once

#include <string>
#include <string_view>

namespace qln {

class CSequence;
class CFeature;
class DateField;

class CItemBlocks {
public:
    // "<220>", then key, location and comment when each is not empty, then
    // an empty line.
    static void AppendFeature(std::string& out, std::string_view key, std::string_view from, std::string_view to,
                              std::string_view comment);
    static void AppendFeature(std::string& out, const CFeature& feature);
    // Journals, database entries, theses and patents, in that order.
    static void AppendPublications(std::string& out, const CSequence& sequence);
    // A journal's dates show blanks where the month or day was left out.
    static std::string JournalDate(const DateField& date);
};

}  // namespace qln
