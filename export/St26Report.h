// The conversion report of an ST.26 export (UTF-8, like the XML): one line
// per item, naming the SEQ ID, the sequence, the element, the old and the
// new value, the rule and the severity.
#pragma once

#include <string>
#include <vector>

namespace qln {

class CSt26Findings;

class CSt26Report {
public:
    enum class Severity { Error, Confirm, Warning, Info };
    enum class Kind { Change, Default, Computed, Drop, Numbering, Problem };

    struct Item {
        int seqId = 0;  // 0 for the general part
        std::string sequenceName;
        std::string element;
        std::string oldValue;
        std::string newValue;
        std::string rule;
        Severity severity = Severity::Info;
        Kind kind = Kind::Change;
    };

    void Add(Item item);
    const std::vector<Item>& GetItems() const { return items_; }
    int Count(Severity severity) const;
    bool HasErrors() const { return Count(Severity::Error) > 0; }
    void Clear() { items_.clear(); }

    // The report file's text, UTF-8:
    // a heading, the items grouped by kind, then the closing line; then what
    // the verifier found in the written listing, when given.
    std::string Text(const std::string& projectPath, const std::string& xmlPath, bool written,
                     const CSt26Findings* verification = nullptr) const;

    static const char* SeverityName(Severity severity);

private:
    std::vector<Item> items_;
};

}  // namespace qln
