// Pictures of the main window and its dialogs for the documentation: once the
// window is up, they are saved in the folder as PNG files and the program
// quits (with 1 when a picture could not be saved).
#pragma once

#include <QString>

namespace qln {

class CMainFrame;

void ScheduleScreenshots(CMainFrame& frame, const QString& folder);

}  // namespace qln
