// Stops an importer: carries one message, or none when the message is
// already in the importer's list.
#pragma once

#include <stdexcept>
#include <string>

namespace qln {

class CParserError : public std::runtime_error {
public:
    explicit CParserError(const std::string& message = {}) : std::runtime_error(message) {}
    std::string GetMessage() const { return what(); }
};

}  // namespace qln
