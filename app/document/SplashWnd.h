// The splash window shown while the program starts.
#pragma once

#include <QSplashScreen>

namespace qln {

// A drawn picture with the program's name. It closes after 2000 ms or at the
// first key press or mouse click in any window of the program; that key or
// click only closes it and goes no further.
class CSplashWnd : public QSplashScreen {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;

    CSplashWnd();
    ~CSplashWnd() override;

    // Shows it centred and starts the timer.
    void ShowSplash();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Finish();

    bool finished_ = false;
};

}  // namespace qln
