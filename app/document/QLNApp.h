// The application: one instance per user, the check of the program's own
// files, the splash window, the settings and the main window.
#pragma once

#include <QApplication>

namespace qln {

class CCQLNApp : public QApplication {
    Q_OBJECT
public:
    CCQLNApp(int& argc, char** argv);
    ~CCQLNApp() override;
    // Runs the program; the exit status of main().
    int Start();
};

}  // namespace qln
