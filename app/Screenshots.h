// Pictures of the main window and its dialogs for the documentation: with
// QLN_SCREENSHOT_DIR set, the program saves them there as PNG files once its
// window is up, then quits.
#pragma once

#include <QString>

namespace qln {

class CMainFrame;

void ScheduleScreenshots(CMainFrame& frame, const QString& folder);

}  // namespace qln
