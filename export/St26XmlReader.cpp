#include "export/St26XmlReader.h"

#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

#include "export/St26Dtd.h"
#include "model/AsciiText.h"

namespace qln {

using FindingSeverity = CSt26Finding::Severity;

namespace {

// ---- where the bytes come from -----------------------------------------------

class Source {
public:
    virtual ~Source() = default;
    // Up to size bytes; 0 at the end, -1 on a read error.
    virtual long Read(char* buffer, size_t size) = 0;
};

class FileSource : public Source {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    ~FileSource() override { std::fclose(file_); }
    long Read(char* buffer, size_t size) override {
        const size_t n = std::fread(buffer, 1, size, file_);
        return n == 0 && std::ferror(file_) ? -1 : static_cast<long>(n);
    }

private:
    std::FILE* file_;
};

class MemorySource : public Source {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    long Read(char* buffer, size_t size) override {
        const size_t n = std::min(size, bytes_.size());
        std::memcpy(buffer, bytes_.data(), n);
        bytes_.remove_prefix(n);
        return static_cast<long>(n);
    }

private:
    std::string_view bytes_;
};

// ---- the head of the file --------------------------------------------------

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

long LineAt(std::string_view text, size_t at) {
    return 1 + static_cast<long>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

// The value of a pseudo-attribute of the XML declaration.
std::optional<std::string> PseudoAttribute(std::string_view declaration, std::string_view name) {
    for (size_t at = declaration.find(name); at != std::string_view::npos; at = declaration.find(name, at + 1)) {
        if (at == 0 || !IsSpace(declaration[at - 1])) continue;
        size_t p = at + name.size();
        while (p < declaration.size() && IsSpace(declaration[p])) ++p;
        if (p >= declaration.size() || declaration[p] != '=') continue;
        ++p;
        while (p < declaration.size() && IsSpace(declaration[p])) ++p;
        if (p >= declaration.size() || (declaration[p] != '"' && declaration[p] != '\'')) continue;
        const size_t end = declaration.find(declaration[p], p + 1);
        if (end == std::string_view::npos) return std::nullopt;
        return std::string(declaration.substr(p + 1, end - p - 1));
    }
    return std::nullopt;
}

// Checks the head (everything before the root element) and gives it back
// with the standard document type in place of whatever stood there. The
// line numbers of what follows stay as they were.
class HeadFixer {
public:
    HeadFixer(std::string_view head, bool whole, CSt26XmlReader::Handler& handler)
        : head_(head), whole_(whole), handler_(handler) {}

    // Nothing when the file cannot be read as a listing at all.
    std::optional<std::string> Fix() {
        size_t at = 0;
        if (head_.starts_with("\xEF\xBB\xBF")) at = 3;
        if (head_.starts_with("\xFE\xFF") || head_.starts_with("\xFF\xFE") ||
            head_.substr(0, 4).find('\0') != std::string_view::npos) {
            Problem(St26Rule::Declaration, FindingSeverity::Error, 1, "the file is not in UTF-8",
                    "save the listing as UTF-8");
            return std::nullopt;
        }
        if (!Declaration(at)) return std::nullopt;
        std::optional<size_t> doctypeBegin, doctypeEnd;
        while (true) {
            while (at < head_.size() && IsSpace(head_[at])) ++at;
            if (head_.substr(at).starts_with("<!--")) {
                if (!Skip(at, "-->")) return TooLong();
            } else if (head_.substr(at).starts_with("<?")) {
                if (!Skip(at, "?>")) return TooLong();
            } else if (head_.substr(at).starts_with("<!DOCTYPE")) {
                doctypeBegin = at;
                if (!DocumentType(at)) return std::nullopt;
                doctypeEnd = at;
            } else if (at < head_.size() && head_[at] == '<') {
                break;  // the root element
            } else if (at >= head_.size() && !whole_) {
                return TooLong();
            } else {
                break;  // not XML: the parser will say so
            }
        }
        if (!doctypeBegin) {
            Problem(St26Rule::DocumentType, FindingSeverity::Error, LineAt(head_, at), "no document type declaration",
                    "put " + std::string(kSt26DocumentType) + " on line 2");
            std::string fixed(head_);
            fixed.insert(at, kSt26DocumentType);
            return fixed;
        }
        std::string fixed(head_.substr(0, *doctypeBegin));
        fixed += kSt26DocumentType;
        const std::string_view old = head_.substr(*doctypeBegin, *doctypeEnd - *doctypeBegin);
        fixed.append(static_cast<size_t>(std::count(old.begin(), old.end(), '\n')), '\n');
        fixed += head_.substr(*doctypeEnd);
        return fixed;
    }

private:
    void Problem(St26Rule rule, FindingSeverity severity, long line, std::string problem, std::string action) {
        handler_.Problem(rule, severity, line, std::move(problem), std::move(action));
    }

    std::nullopt_t TooLong() {
        Problem(St26Rule::Limits, FindingSeverity::Error, 1,
                "no root element in the first " + std::to_string(CSt26XmlReader::kMaxHead) + " bytes",
                "remove what stands before the ST26SequenceListing element");
        return std::nullopt;
    }

    bool Skip(size_t& at, std::string_view end) {
        const size_t found = head_.find(end, at + 2);
        if (found == std::string_view::npos) return false;
        at = found + end.size();
        return true;
    }

    bool Declaration(size_t& at) {
        const std::string action = "write line 1 as " + std::string(kSt26Declaration);
        if (!head_.substr(at).starts_with("<?xml") || at + 5 >= head_.size() || !IsSpace(head_[at + 5])) {
            Problem(St26Rule::Declaration, FindingSeverity::Error, 1, "no XML declaration", action);
            return true;
        }
        const size_t end = head_.find("?>", at);
        if (end == std::string_view::npos) {
            TooLong();
            return false;
        }
        const std::string_view declaration = head_.substr(at, end + 2 - at);
        const auto version = PseudoAttribute(declaration, "version");
        const auto encoding = PseudoAttribute(declaration, "encoding");
        const size_t lineEnd = std::min(head_.find('\n', at), head_.size());
        std::string_view line1 = head_.substr(at, lineEnd - at);
        if (line1.ends_with('\r')) line1.remove_suffix(1);
        if (version != "1.0")
            Problem(St26Rule::Declaration, FindingSeverity::Error, 1, "XML version \"" + version.value_or("") + "\"",
                    action);
        else if (!encoding || !EqualsIgnoringCase(*encoding, "UTF-8"))
            Problem(St26Rule::Declaration, FindingSeverity::Error, 1,
                    encoding ? "encoding \"" + *encoding + "\"" : std::string("no encoding declared"),
                    "save the listing as UTF-8 and " + action);
        else if (line1 != kSt26Declaration)
            Problem(St26Rule::Declaration, FindingSeverity::Warning, 1, "line 1 is not the standard declaration",
                    action);
        at = end + 2;
        return true;
    }

    // A quoted literal.
    std::optional<std::string_view> Literal(size_t& at) {
        while (at < head_.size() && IsSpace(head_[at])) ++at;
        if (at >= head_.size() || (head_[at] != '"' && head_[at] != '\'')) return std::nullopt;
        const size_t end = head_.find(head_[at], at + 1);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view value = head_.substr(at + 1, end - at - 1);
        at = end + 1;
        return value;
    }

    std::string Word(size_t& at) {
        while (at < head_.size() && IsSpace(head_[at])) ++at;
        const size_t start = at;
        while (at < head_.size() && IsNameChar(head_[at])) ++at;
        return std::string(head_.substr(start, at - start));
    }

    // <!DOCTYPE name PUBLIC "public" "system" [internal subset]>
    bool DocumentType(size_t& at) {
        const size_t begin = at;
        const long line = LineAt(head_, at);
        const std::string action = "put " + std::string(kSt26DocumentType) + " on line 2";
        at += 9;
        const std::string name = Word(at);
        const std::string kind = Word(at);
        std::optional<std::string_view> publicId, systemId;
        if (kind == "PUBLIC") {
            publicId = Literal(at);
            systemId = Literal(at);
        } else if (kind == "SYSTEM") {
            systemId = Literal(at);
        }
        while (at < head_.size() && IsSpace(head_[at])) ++at;
        bool internalSubset = false;
        if (at < head_.size() && head_[at] == '[') {
            internalSubset = true;
            if (!SkipInternalSubset(at)) {
                TooLong();
                return false;
            }
            while (at < head_.size() && IsSpace(head_[at])) ++at;
        }
        if (at >= head_.size() || head_[at] != '>') {
            if (at >= head_.size() && !whole_) {
                TooLong();
                return false;
            }
            Problem(St26Rule::DocumentType, FindingSeverity::Error, line,
                    "the document type declaration does not parse", action);
            const size_t end = head_.find('>', at);
            at = end == std::string_view::npos ? head_.size() : end + 1;
            return true;
        }
        ++at;
        const bool standardPublic = publicId && (*publicId == kSt26PublicId || *publicId == kSt26PublicIdUpper);
        const bool standardSystem = systemId && (*systemId == kSt26DtdFileName ||
                                                 systemId->ends_with("/" + std::string(kSt26DtdFileName)));
        if (internalSubset)
            Problem(St26Rule::DocumentType, FindingSeverity::Error, line,
                    "the document type has an internal subset, which is not read", action);
        else if (name != "ST26SequenceListing" || !standardPublic || !standardSystem)
            Problem(St26Rule::DocumentType, FindingSeverity::Error, line,
                    "the document type names another DTD than WIPO's ST.26 V1_3 (checked against that one)", action);
        else if (line != 2 || head_.substr(begin, at - begin) != kSt26DocumentType)
            Problem(St26Rule::DocumentType, FindingSeverity::Warning, line,
                    "the document type is not written as the standard line 2", action);
        return true;
    }

    bool SkipInternalSubset(size_t& at) {
        char quote = 0;
        for (++at; at < head_.size(); ++at) {
            const char c = head_[at];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == ']') {
                ++at;
                return true;
            }
        }
        return false;
    }

    std::string_view head_;
    bool whole_;  // the head holds the whole file
    CSt26XmlReader::Handler& handler_;
};

// The bytes libxml2 reads: the fixed head, then the rest of the source.
struct Input {
    std::unique_ptr<Source> source;
    std::string head;
    size_t headAt = 0;
    bool failed = false;

    static int Read(void* context, char* buffer, int size) {
        auto& input = *static_cast<Input*>(context);
        if (input.headAt < input.head.size()) {
            const size_t n = std::min(static_cast<size_t>(size), input.head.size() - input.headAt);
            std::memcpy(buffer, input.head.data() + input.headAt, n);
            input.headAt += n;
            return static_cast<int>(n);
        }
        const long n = input.source->Read(buffer, static_cast<size_t>(size));
        if (n < 0) input.failed = true;
        return static_cast<int>(n);
    }
    static int Close(void*) { return 0; }
};

// ---- entities --------------------------------------------------------------

// Set while this thread reads a listing: then the DTD is the shipped one and
// every other entity is refused. Other readers of the process keep the
// loader they had.
thread_local bool readingListing = false;
xmlExternalEntityLoader previousLoader = nullptr;

xmlParserInputPtr LoadEntity(const char* url, const char* id, xmlParserCtxtPtr context) {
    if (!readingListing) return previousLoader ? previousLoader(url, id, context) : nullptr;
    if (!id || std::string_view(id) != kSt26PublicId) return nullptr;
    const std::string_view dtd = St26DtdText();
    xmlParserInputBufferPtr buffer = xmlParserInputBufferCreateMem(dtd.data(), static_cast<int>(dtd.size()),
                                                                   XML_CHAR_ENCODING_NONE);
    if (!buffer) return nullptr;
    xmlParserInputPtr input = xmlNewIOInputStream(context, buffer, XML_CHAR_ENCODING_NONE);
    if (!input) {
        xmlFreeParserInputBuffer(buffer);
        return nullptr;
    }
    input->filename = reinterpret_cast<char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(kSt26DtdFileName.data())));
    return input;
}

void InitializeOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        previousLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(LoadEntity);
    });
}

// ---- the element stream ----------------------------------------------------

struct Open {
    std::string_view name;  // interned by the reader
    long line = 0;
    bool hasChild = false;
    std::string text;
};

class Stream {
public:
    Stream(xmlTextReaderPtr reader, CSt26XmlReader::Handler& handler) : reader_(reader), handler_(handler) {
        xmlTextReaderSetStructuredErrorHandler(reader_, &Stream::OnError, this);
    }
    // Freeing a reader that stopped early still validates what it holds:
    // those errors must not reach a stream that is gone, nor the terminal.
    ~Stream() {
        xmlTextReaderSetStructuredErrorHandler(
            reader_, [](void*, xmlErrorPtr) {}, nullptr);
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    bool Run() {
        int status;
        while ((status = xmlTextReaderRead(reader_)) == 1) {
            if (xmlTextReaderDepth(reader_) > CSt26XmlReader::kMaxDepth) {
                handler_.Problem(St26Rule::Limits, FindingSeverity::Error, Line(),
                                 "elements nested deeper than " + std::to_string(CSt26XmlReader::kMaxDepth),
                                 "check the file's structure; no listing nests that deep");
                return false;
            }
            switch (xmlTextReaderNodeType(reader_)) {
            case XML_READER_TYPE_ELEMENT: StartElement(); break;
            case XML_READER_TYPE_END_ELEMENT: EndElement(); break;
            case XML_READER_TYPE_TEXT:
            case XML_READER_TYPE_CDATA:
            case XML_READER_TYPE_WHITESPACE:
            case XML_READER_TYPE_SIGNIFICANT_WHITESPACE: Text(); break;
            default: break;
            }
        }
        if (status != 0 && !fatal_)
            handler_.Problem(St26Rule::Xml, FindingSeverity::Error, Line(), "the file could not be read to its end",
                             "repair the XML");
        return status == 0 && !fatal_;
    }

private:
    static std::string_view View(const xmlChar* text) {
        return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
    }

    long Line() {
        const xmlNodePtr node = xmlTextReaderCurrentNode(reader_);
        const long line = node ? xmlGetLineNo(node) : -1;
        return line > 0 ? line : xmlTextReaderGetParserLineNumber(reader_);
    }

    void StartElement() {
        if (!open_.empty()) {
            open_.back().hasChild = true;
            open_.back().text.clear();
        }
        Open element{View(xmlTextReaderConstName(reader_)), Line(), false, {}};
        attributes_.clear();
        while (xmlTextReaderMoveToNextAttribute(reader_) == 1)
            attributes_.push_back({View(xmlTextReaderConstName(reader_)), View(xmlTextReaderConstValue(reader_))});
        xmlTextReaderMoveToElement(reader_);
        const bool empty = xmlTextReaderIsEmptyElement(reader_) == 1;
        handler_.StartElement(element.name, attributes_, element.line);
        if (empty)
            handler_.EndElement(element.name, element.text, element.line);
        else
            open_.push_back(std::move(element));
    }

    void EndElement() {
        if (open_.empty()) return;
        Open& element = open_.back();
        handler_.EndElement(element.name, element.text, element.line);
        open_.pop_back();
    }

    void Text() {
        if (open_.empty() || open_.back().hasChild) return;
        open_.back().text.append(View(xmlTextReaderConstValue(reader_)));
    }

    static void OnError(void* context, xmlErrorPtr error) {
        auto& stream = *static_cast<Stream*>(context);
        if (!error || error->level == XML_ERR_NONE) return;
        std::string message = error->message ? error->message : "unknown problem";
        while (!message.empty() && IsSpace(message.back())) message.pop_back();
        const long line = error->line > 0 ? error->line : stream.Line();
        // After the first fatal error the rest is its echo; an id given twice
        // has a finding of its own that says which.
        if (stream.fatal_ || error->code == XML_DTD_ID_REDEFINED) return;
        if (error->level == XML_ERR_FATAL) {
            stream.fatal_ = true;
            stream.handler_.Problem(St26Rule::Xml, FindingSeverity::Error, line, "not well-formed XML: " + message,
                                    "repair the XML; nothing after this point was checked");
        } else if (error->domain == XML_FROM_VALID || error->domain == XML_FROM_DTD) {
            stream.handler_.Problem(St26Rule::Dtd, FindingSeverity::Error, line, message,
                                    "correct the element as the DTD defines it");
        } else {
            stream.handler_.Problem(St26Rule::Xml,
                                    error->level == XML_ERR_WARNING ? FindingSeverity::Warning : FindingSeverity::Error,
                                    line, message, "repair the XML");
        }
    }

    xmlTextReaderPtr reader_;
    CSt26XmlReader::Handler& handler_;
    std::vector<Open> open_;
    std::vector<CSt26XmlReader::Attribute> attributes_;
    bool fatal_ = false;
};

bool ReadSource(std::unique_ptr<Source> source, const std::string& name, CSt26XmlReader::Handler& handler) {
    InitializeOnce();
    Input input;
    input.source = std::move(source);
    std::string head(CSt26XmlReader::kMaxHead, '\0');
    long n = 0, got;
    while (n < static_cast<long>(head.size()) &&
           (got = input.source->Read(head.data() + n, head.size() - static_cast<size_t>(n))) > 0)
        n += got;
    head.resize(static_cast<size_t>(n));
    const bool whole = head.size() < CSt26XmlReader::kMaxHead;
    auto fixed = HeadFixer(head, whole, handler).Fix();
    if (!fixed) return false;
    input.head = std::move(*fixed);

    // While this thread reads, the DTD is the shipped one and what libxml2
    // would print on its own (encoding errors) goes nowhere: every problem
    // reaches the handler.
    readingListing = true;
    struct Quiet {
        xmlGenericErrorFunc previous = xmlGenericError;
        void* previousContext = xmlGenericErrorContext;
        Quiet() { xmlSetGenericErrorFunc(nullptr, &Ignore); }
        ~Quiet() {
            xmlSetGenericErrorFunc(previousContext, previous);
            readingListing = false;
        }
        static void Ignore(void*, const char*, ...) {}
    } quiet;
    // The text of a long sequence is one node: the parser's limit of 10 MB
    // per text is lifted. Nothing else it guards against can happen here,
    // as no entity but the five of XML is ever declared.
    const int options = XML_PARSE_DTDVALID | XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_BIG_LINES |
                        XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlTextReader, decltype(&xmlFreeTextReader)> reader(
        xmlReaderForIO(&Input::Read, &Input::Close, &input, name.c_str(), nullptr, options), &xmlFreeTextReader);
    if (!reader) {
        handler.Problem(St26Rule::Xml, FindingSeverity::Error, 0, "the file could not be read", "check the file");
        return false;
    }
    const bool read = Stream(reader.get(), handler).Run();
    if (input.failed) {
        handler.Problem(St26Rule::Xml, FindingSeverity::Error, 0, "reading the file failed",
                        "check the file and the disk");
        return false;
    }
    return read;
}

}  // namespace

bool CSt26XmlReader::ReadFile(const std::string& path, Handler& handler) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        handler.Problem(St26Rule::Xml, FindingSeverity::Error, 0,
                        std::string("cannot be opened (") + std::strerror(errno) + ")", "check the file name");
        return false;
    }
    return ReadSource(std::make_unique<FileSource>(file), path, handler);
}

bool CSt26XmlReader::ReadBytes(std::string_view bytes, const std::string& name, Handler& handler) {
    return ReadSource(std::make_unique<MemorySource>(bytes), name, handler);
}

}  // namespace qln
