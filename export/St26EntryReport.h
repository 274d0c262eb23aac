// What the mapping of one entry of the listing tells the conversion report:
// every item carries the entry's SEQ ID and the name of the sequence it
// comes from.
#pragma once

#include <string>

#include "export/St26Report.h"

namespace qln {

class CSt26EntryReport {
public:
    CSt26EntryReport(CSt26Report& report, int seqId, std::string sequenceName)
        : report_(report), seqId_(seqId), sequenceName_(std::move(sequenceName)) {}

    int SeqId() const { return seqId_; }
    void Add(std::string element, std::string oldValue, std::string newValue, std::string rule,
             CSt26Report::Severity severity, CSt26Report::Kind kind);
    // Free text as the listing may hold it: folded to Basic Latin, at most
    // 1000 characters; an error otherwise, and false.
    bool FreeText(const std::string& text, const std::string& element, std::string& out);

private:
    CSt26Report& report_;
    int seqId_;
    std::string sequenceName_;
};

}  // namespace qln
