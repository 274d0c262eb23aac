// A small writer of indented XML into a stream: elements, attributes and
// text, every text escaped and converted from Latin-1 to UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qln {

class CXmlWriter {
public:
    using Attributes = std::vector<std::pair<std::string_view, std::string>>;

    explicit CXmlWriter(std::ostream& out) : out_(out) {}
    ~CXmlWriter() { Flush(); }
    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // A line as it stands (the declaration, the document type).
    void Line(std::string_view text);
    void Open(std::string_view name, const Attributes& attributes = {});
    void Close(std::string_view name);
    // <name>text</name>, or <name/> for an empty text.
    void Leaf(std::string_view name, std::string_view latin1Text, const Attributes& attributes = {});
    // The same for text that needs neither escaping nor conversion (residues,
    // numbers, codes), taken over without a copy of its own.
    void PlainLeaf(std::string_view name, std::string_view asciiText);
    void Flush();

    // Latin-1 text escaped for XML, in UTF-8.
    static std::string Escape(std::string_view latin1Text);

private:
    void Indent();
    void StartTag(std::string_view name, const Attributes& attributes);
    void FlushIfLarge();

    std::ostream& out_;
    std::string buffer_;
    int depth_ = 0;
};

}  // namespace qln
