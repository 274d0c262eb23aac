#include "export/St26Location.h"

#include "model/AsciiText.h"

namespace qln {

namespace {

constexpr int kMaxNesting = 16;
constexpr size_t kMaxDigits = 12;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<std::vector<CSt26Span>> Run(std::string* problem) {
        std::vector<CSt26Span> spans;
        if (Location(false, 0, spans) && at_ == text_.size()) return spans;
        if (problem) *problem = problem_.empty() ? "unexpected \"" + std::string(Rest()) + "\"" : problem_;
        return std::nullopt;
    }

private:
    std::string_view Rest() const { return text_.substr(at_, 12); }

    bool Eat(std::string_view token) {
        if (text_.substr(at_, token.size()) != token) return false;
        at_ += token.size();
        return true;
    }

    bool Fail(std::string reason) {
        if (problem_.empty()) problem_ = std::move(reason);
        return false;
    }

    // A number, with a "<" or ">" before it saying the feature goes on
    // beyond it.
    bool Position(long long& value, bool& open) {
        open = Eat("<") || Eat(">");
        const size_t start = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        if (at_ == start) {
            if (at_ < text_.size() && text_[at_] == '(')
                return Fail("\"(n)\" is the ST.25 form; write the bare number");
            return Fail(at_ < text_.size() && IsAsciiLetter(text_[at_])
                            ? "references to other entries have no place in a listing"
                            : "a position is missing");
        }
        if (at_ - start > kMaxDigits) return Fail("a position with too many digits");
        value = std::stoll(std::string(text_.substr(start, at_ - start)));
        return true;
    }

    bool Location(bool complement, int nesting, std::vector<CSt26Span>& spans) {
        if (nesting > kMaxNesting) return Fail("nested too deeply");
        if (Eat("complement(")) {
            std::vector<CSt26Span> inner;
            if (!Location(!complement, nesting + 1, inner)) return false;
            if (!Eat(")")) return Fail("a \")\" is missing");
            spans.insert(spans.end(), inner.rbegin(), inner.rend());
            return true;
        }
        if (Eat("join(") || Eat("order(")) {
            do
                if (!Location(complement, nesting + 1, spans)) return false;
            while (Eat(","));
            if (!Eat(")")) return Fail("a \")\" is missing");
            return true;
        }
        CSt26Span span;
        span.complement = complement;
        if (!Position(span.from, span.openStart)) return false;
        span.to = span.from;
        if (Eat("..")) {
            if (!Position(span.to, span.openEnd)) return false;
        } else if (Eat("^")) {
            bool open = false;
            if (!Position(span.to, open)) return false;
            span.between = true;
        }
        spans.push_back(span);
        return true;
    }

    std::string_view text_;
    size_t at_ = 0;
    std::string problem_;
};

}  // namespace

std::optional<std::vector<CSt26Span>> CSt26Location::Parse(std::string_view text, std::string* problem) {
    if (text.empty()) {
        if (problem) *problem = "no location";
        return std::nullopt;
    }
    return Parser(text).Run(problem);
}

std::optional<std::string> CSt26Location::OutsideOf(const std::vector<CSt26Span>& spans, long long length) {
    for (const CSt26Span& span : spans) {
        if (span.from < 1 || span.to > length)
            return std::to_string(span.from) + ".." + std::to_string(span.to) + " leaves 1.." + std::to_string(length);
        if (span.between ? span.to != span.from + 1 : span.from > span.to)
            return span.between
                       ? std::to_string(span.from) + "^" + std::to_string(span.to) + " names no two adjacent bases"
                       : std::to_string(span.from) + ".." + std::to_string(span.to) + " ends before it begins";
    }
    return std::nullopt;
}

}  // namespace qln
