// How saving and loading a project report their progress. The application
// implements it with its save progress dialog and status bar, the
// command-line program and the tests with plain recorders.
#pragma once

#include <string>

namespace qln {

class CProjectProgress {
public:
    // Command codes sent to the save progress dialog, with one integer.
    static constexpr int kSequenceCount = 1037;   // sequences to be saved
    static constexpr int kSequencesSaved = 1038;  // sequences saved so far

    virtual ~CProjectProgress() = default;
    virtual void Command(int code, int value) = 0;
    // Asked before each sequence is written; true stops the save.
    virtual bool IsCancelled() = 0;
    // "Sequences Saved: %d" and "Sequences Loaded: %d" for the status bar.
    virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace qln
