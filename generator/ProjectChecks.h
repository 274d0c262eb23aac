// The checks of a whole project before a listing is written, and the check
// of one sequence behind the main view's Validate button.
#pragma once

#include <string>

#include "model/Project.h"

namespace qln {

// Receives the messages of a project check as they are made. The generation
// run implements it to stream them to its dialog and error report.
class CCheckSink {
public:
    virtual ~CCheckSink() = default;
    virtual void AddMessage(const std::string& text) = 0;
    // A warning is a message too; noData tells the "has no sequence data" kind.
    virtual void AddWarning(const std::string& text, bool noData) {
        (void)noData;
        AddMessage(text);
    }
    // Asked before each sequence; true ends the check.
    virtual bool IsCancelled() { return false; }
    // The 1-based number of a sequence that has just been checked.
    virtual void SequenceChecked(int number) { (void)number; }
};

// Runs the project checks in order, handing every message to the sink.
void RunProjectChecks(CProject& project, CCheckSink& sink);

// The short and empty sequence warnings of the project check.
StringList ProjectSequenceWarnings(CSequence& sequence);
// The same warnings in the form the main view's check gives them.
StringList ViewSequenceWarnings(CSequence& sequence);

// The main view's check of one sequence: its messages and the status text
// ("Validation is successful." or "Validation is unsuccessful.").
struct CViewCheckResult {
    StringList messages;
    std::string statusText;
};
CViewCheckResult CheckSequenceForView(CSequence& sequence);

}  // namespace qln
