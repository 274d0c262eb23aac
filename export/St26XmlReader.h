// Reads an ST.26 listing as untrusted input, as a stream of elements with
// the DTD checked on the way: the head of the file (XML declaration and
// document type) is checked and the document type replaced by the one
// standard one, so that the only DTD ever loaded is the shipped one and no
// other entity is fetched from anywhere; nesting is bounded, and memory
// grows with the longest element's text, not with the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/St26Findings.h"

namespace qln {

class CSt26XmlReader {
public:
    struct Attribute {
        std::string_view name;
        std::string_view value;
    };

    class Handler {
    public:
        virtual ~Handler() = default;
        virtual void StartElement(std::string_view name, const std::vector<Attribute>& attributes, long line) = 0;
        // text: what the element holds when it holds no element, else
        // empty; the handler may take it.
        virtual void EndElement(std::string_view name, std::string& text, long line) = 0;
        virtual void Problem(St26Rule rule, CSt26Finding::Severity severity, long line, std::string problem,
                             std::string action) = 0;
    };

    // Deeper than this no listing goes; the reading stops there.
    static constexpr int kMaxDepth = 32;
    // The XML declaration, comments and the document type must fit in this.
    static constexpr size_t kMaxHead = 1 << 16;

    // False when the input could not be read to its end; the handler has
    // heard why.
    static bool ReadFile(const std::string& path, Handler& handler);
    static bool ReadBytes(std::string_view bytes, const std::string& name, Handler& handler);
};

}  // namespace qln
