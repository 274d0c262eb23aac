// What a generation run tells the program around it: progress notifications
// for its progress dialog, the messages of the run, message boxes and the
// status bar text. The application implements it with its dialog, the
// command-line program and the tests with plain recorders.
#pragma once

#include <string>

namespace qln {

class CGenerationObserver {
public:
    // Notification codes, each sent with one integer (0 where it carries none).
    static constexpr int kWritingApplicationData = 1025;  // header being written
    static constexpr int kWritingSequences = 1026;        // number of sequences to write
    static constexpr int kSequenceDone = 1027;            // sequences checked or written so far
    static constexpr int kSucceeded = 1028;               // listing complete
    static constexpr int kFailed = 1029;                  // run ended without a listing
    static constexpr int kMessage = 1030;                 // a message; delivered by MessageAdded
    static constexpr int kReset = 1031;                   // the dialog's own reset on opening
    static constexpr int kValidatingSequences = 1033;     // number of sequences to check
    static constexpr int kHelp = 1034;                    // the dialog's help button

    enum class Icon { Error, Warning };

    virtual ~CGenerationObserver() = default;

    // Every call comes from the thread running the run, one at a time, and
    // the run waits for it to return.
    virtual void Notify(int code, int value) = 0;
    // A message of the run, in the order made (notification 1030). The run
    // has already written it to the error report.
    virtual void MessageAdded(const std::string& text) = 0;
    virtual void ShowMessageBox(const std::string& text, Icon icon) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace qln
