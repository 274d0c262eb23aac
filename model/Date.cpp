#include "model/Date.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

#include "model/AsciiText.h"

namespace qln {

namespace {

std::function<std::string()>& TodayOverride() {
    static std::function<std::string()> today;
    return today;
}

std::string Part(const std::string& s, size_t from, size_t count = std::string::npos) {
    return from < s.size() ? s.substr(from, count) : std::string();
}

bool Contains(const std::string& s, char c) { return s.find(c) != std::string::npos; }

// Decimal value as the C library reads it: optional blanks and sign, then
// the leading digits; no digits gives 0.
long LeadingNumber(const std::string& s) { return std::strtol(s.c_str(), nullptr, 10); }

bool IsLeapYear(long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The day-of-month message for a month, or nothing when the day fits.
const char* DayRangeMessage(long month, long day, long year) {
    // clang-format off
    switch (month) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12:
            return day >= 1 && day <= 31 ? nullptr : "The valid days for the month you entered are from 1 to 31";
        case 4: case 6: case 9: case 11:
            return day >= 1 && day <= 30 ? nullptr : "The valid days for the month you entered are from 1 to 30.";
        case 2:
            if (IsLeapYear(year))
                return day >= 1 && day <= 29 ? nullptr : "The valid days for the month you entered are from 1 to 29.";
            return day >= 1 && day <= 28 ? nullptr : "The valid days for the month you entered are from 1 to 28.";
        default:
            return nullptr;
    }
    // clang-format on
}

}  // namespace

bool DateField::IsEmpty() const { return text_.empty() || text_ == kBlankMask; }

std::string DateField::Today() {
    if (TodayOverride()) return TodayOverride()();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    {
        // std::localtime shares one buffer between threads.
        static std::mutex mutex;
        std::lock_guard lock(mutex);
        local = *std::localtime(&now);
    }
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

void DateField::SetTodayForTesting(std::function<std::string()> today) { TodayOverride() = std::move(today); }

const StringList& DateField::Validate(bool complete, const std::string& prefix) {
    messages_.clear();
    const std::string text(TrimmedView(text_));
    const std::string year = Part(text, 0, 4);
    const std::string month = Part(text, 5, 2);
    const std::string day = Part(text, 8);
    const bool yearBlank = year == "____";
    const bool monthBlank = month == "__";
    const bool dayBlank = day == "__";
    if (yearBlank && monthBlank && dayBlank) return messages_;

    if (Contains(year, '_') || (!monthBlank && Contains(month, '_')) || (!dayBlank && Contains(day, '_'))) {
        AddMessage(prefix, "Invalid date format.  Example of the correct format: 2000-01-01");
        return messages_;
    }
    const long y = LeadingNumber(year);
    const long m = LeadingNumber(month);
    const long d = LeadingNumber(day);

    if (!monthBlank && !dayBlank)
        if (const char* message = DayRangeMessage(m, d, y)) AddMessage(prefix, message);
    if (complete) {
        if (monthBlank) AddMessage(prefix, "The month cannot be blank.");
        if (dayBlank) AddMessage(prefix, "The day cannot be blank.");
    } else if (monthBlank && !dayBlank) {
        AddMessage(prefix, "The month must be specified if the day is specified.");
    }
    if (!yearBlank && y < 1950) AddMessage(prefix, "The year must be 1950 or later.");
    if (!monthBlank && (m < 1 || m > 12)) AddMessage(prefix, "The month must be between 1 and 12.");
    const std::string today = Today();
    if (text.compare(today) > 0)
        AddMessage(prefix,
                   "The date you entered, '" + text + "', can not be greater than today's date '" + today + "'.");
    return messages_;
}

void DateField::NormaliseImported(const std::string& context1, const std::string& context2, const std::string& context3,
                                  const std::string& screenName) {
    messages_.clear();
    const std::string asRead = text_;
    std::string text(TrimmedView(text_));
    if (text.empty()) {
        text_ = kBlankMask;
        return;
    }
    const std::string message = context1 + ": " + context2 + " " + context3 + ": Invalid date format '" + asRead +
                                "'.  Please re-enter the date with YYYY-MM-DD date format on the " + screenName +
                                " screen.";
    if (text.size() != 10 || IsAsciiDigit(text[4]) || IsAsciiDigit(text[7])) {
        text_ = kBlankMask;
        messages_.push_back(message);
        return;
    }
    text[4] = '-';
    text[7] = '-';
    if (IsAsciiDigit(text[0]) && IsAsciiDigit(text[5]) && IsAsciiDigit(text[8])) {
        text_ = text;
    } else {
        text_ = kBlankMask;
        messages_.push_back(message);
    }
}

}  // namespace qln
