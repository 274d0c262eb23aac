// A date kept as the text of a "YYYY-MM-DD" entry mask, never converted to a
// binary form: stored, compared and written as text.
#pragma once

#include <functional>
#include <string>

#include "model/Model.h"

namespace qln {

class DateField {
public:
    static constexpr const char* kBlankMask = "____-__-__";

    DateField() = default;
    DateField(std::string text) : text_(std::move(text)) {}  // NOLINT: dates are assigned from text everywhere
    DateField& operator=(std::string text) {
        text_ = std::move(text);
        return *this;
    }

    const std::string& GetText() const { return text_; }
    // Empty text and the blank mask both count as empty.
    bool IsEmpty() const;
    // The empty string for an empty date, the text otherwise.
    std::string GetOutputText() const { return IsEmpty() ? std::string() : text_; }

    // Clears and refills the messages, each being prefix + text; returns them.
    const StringList& Validate(bool complete, const std::string& prefix);
    void AddMessage(const std::string& prefix, const std::string& text) { messages_.push_back(prefix + text); }
    const StringList& GetMessages() const { return messages_; }

    // Plain byte comparison of the two texts: below, at or above zero.
    static int Compare(const DateField& a, const DateField& b) { return a.text_.compare(b.text_); }
    bool IsLaterThan(const DateField& other) const { return Compare(*this, other) > 0; }

    // Accepts a date read from a listing, turning "2001/02/03" into
    // "2001-02-03"; a text it cannot accept becomes the blank mask and earns
    // a message naming the three contexts and the screen.
    void NormaliseImported(const std::string& context1, const std::string& context2, const std::string& context3,
                           const std::string& screenName);

    // Today's local date as "YYYY-MM-DD". Tests replace the clock.
    static std::string Today();
    static void SetTodayForTesting(std::function<std::string()> today);

private:
    std::string text_;
    StringList messages_;
};

}  // namespace qln
