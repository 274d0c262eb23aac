// The decisions of the generation progress dialog, kept apart from its
// widgets: which buttons show in each stage of a run, what Start, Continue,
// Cancel and Close do, and which file is viewed when the dialog is done.
#pragma once

namespace qln {

// The file the main window shows once the dialog has closed.
enum class GenerationView { Nothing, Listing, ErrorReport };

class CGenerationDialogState {
public:
    enum class Stage {
        NotStarted,  // the dialog is open, the run not begun
        Running,     // the worker is running
        Paused,      // the worker waits after a message until Continue
        Finished,    // the run said it has ended (with or without a listing)
        Closed,      // the dialog has ended
    };

    // What Cancel asks of the dialog.
    struct CancelSteps {
        bool cancelRun = false;          // tell the running worker to stop
        bool deleteErrorReport = false;  // no run was begun: the old report goes
        GenerationView view = GenerationView::Nothing;
    };

    static constexpr const char* kStartText = "&Start";
    static constexpr const char* kContinueText = "Conti&nue";

    Stage GetStage() const { return stage_; }
    bool IsStarted() const { return started_; }
    bool IsSucceeded() const { return succeeded_; }
    bool IsPauseMode() const { return pause_; }

    // The Start button: shown before the run and while it waits; relabelled
    // Continue once the run has begun; disabled once the listing is written.
    bool StartVisible() const { return stage_ == Stage::NotStarted || stage_ == Stage::Paused; }
    bool StartEnabled() const { return StartVisible() && !writing_; }
    const char* StartText() const { return started_ ? kContinueText : kStartText; }
    // Close appears when the run has ended; Cancel is there until the end.
    bool CloseVisible() const { return stage_ == Stage::Finished; }
    bool CancelEnabled() const { return stage_ != Stage::Closed; }

    // Start pressed before the run: returns true when the worker is to be
    // started now, with the pause switch as given.
    bool Start(bool pause);
    // Continue pressed while the run waits: true when the worker is to resume.
    bool Continue();
    // The pause box changed while the run goes on. Turning it off lets a
    // waiting run go on: true when the worker is to resume.
    bool SetPauseMode(bool pause);

    // The run added a message; in pause mode it now waits for Continue.
    void MessageAdded();
    // The listing is being written: Start (Continue) can no longer be pressed.
    void WritingStarted() { writing_ = true; }
    // The run ended. Returns true when the dialog closes at once: a listing
    // was made and the user asked to see it.
    bool Finished(bool succeeded, bool viewWhenDone);

    // The error report can't be written: the dialog closes without showing
    // anything (the run ends by itself).
    void ErrorReportFailed() { stage_ = Stage::Closed; }

    CancelSteps Cancel(bool viewWhenDone);
    // Close after the end of the run: the listing after success, else the
    // error report, when the user asked to see it.
    GenerationView Close(bool viewWhenDone);

private:
    Stage stage_ = Stage::NotStarted;
    bool started_ = false;
    bool succeeded_ = false;
    bool pause_ = false;
    bool writing_ = false;
};

}  // namespace qln
