// Work that runs on a thread of its own while the user-interface thread
// keeps serving events: the save, the clean-up at exit, the generation and
// the import use it, each behind its progress dialog. The work talks to the
// dialog only through queued signals.
#pragma once

#include <QEventLoop>
#include <atomic>
#include <functional>

class QThread;

namespace qln {

class CBackgroundWork {
public:
    explicit CBackgroundWork(std::function<void()> work);
    // Waits for work still running; the caller asks it to stop first.
    ~CBackgroundWork();
    CBackgroundWork(const CBackgroundWork&) = delete;
    CBackgroundWork& operator=(const CBackgroundWork&) = delete;

    void Start();
    bool IsStarted() const;
    bool IsFinished() const;
    // Serves events until the work, started already or later from one of
    // those events, has ended. Excluding user input keeps the user out of
    // the windows meanwhile.
    void Wait(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

private:
    // Set by the work itself as it ends, before the thread says it finished.
    std::atomic<bool> done_{false};
    QThread* thread_;
};

}  // namespace qln
