#include "export/XmlWriter.h"

namespace qln {

namespace {

constexpr size_t kFlushSize = 1 << 20;

void AppendEscaped(std::string& out, std::string_view latin1Text) {
    for (const char ch : latin1Text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (c < 0x80) {
                out += ch;
            } else {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
    }
}

}  // namespace

std::string CXmlWriter::Escape(std::string_view latin1Text) {
    std::string out;
    out.reserve(latin1Text.size());
    AppendEscaped(out, latin1Text);
    return out;
}

void CXmlWriter::Line(std::string_view text) { buffer_.append(text).push_back('\n'); }

void CXmlWriter::Indent() { buffer_.append(static_cast<size_t>(2 * depth_), ' '); }

void CXmlWriter::StartTag(std::string_view name, const Attributes& attributes) {
    Indent();
    buffer_.append("<").append(name);
    for (const auto& [attribute, value] : attributes) {
        buffer_.append(" ").append(attribute).append("=\"");
        AppendEscaped(buffer_, value);
        buffer_.append("\"");
    }
}

void CXmlWriter::Open(std::string_view name, const Attributes& attributes) {
    StartTag(name, attributes);
    buffer_.append(">\n");
    ++depth_;
}

void CXmlWriter::Close(std::string_view name) {
    --depth_;
    Indent();
    buffer_.append("</").append(name).append(">\n");
    FlushIfLarge();
}

void CXmlWriter::Leaf(std::string_view name, std::string_view latin1Text, const Attributes& attributes) {
    StartTag(name, attributes);
    if (latin1Text.empty()) {
        buffer_.append("/>\n");
        return;
    }
    buffer_.append(">");
    AppendEscaped(buffer_, latin1Text);
    buffer_.append("</").append(name).append(">\n");
}

void CXmlWriter::PlainLeaf(std::string_view name, std::string_view asciiText) {
    StartTag(name, {});
    buffer_.append(">");
    if (asciiText.size() < kFlushSize) {
        buffer_.append(asciiText);
    } else {
        // Long residues go straight to the stream rather than through the buffer.
        Flush();
        out_.write(asciiText.data(), static_cast<std::streamsize>(asciiText.size()));
    }
    buffer_.append("</").append(name).append(">\n");
}

void CXmlWriter::FlushIfLarge() {
    if (buffer_.size() >= kFlushSize) Flush();
}

void CXmlWriter::Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

}  // namespace qln
