// Pins "today" for date checks while a test runs.
#pragma once

#include <string>

#include "model/Date.h"

namespace qln::test {

class FixedToday {
public:
    explicit FixedToday(std::string today) {
        DateField::SetTodayForTesting([today] { return today; });
    }
    ~FixedToday() { DateField::SetTodayForTesting(nullptr); }
    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;
};

}  // namespace qln::test
