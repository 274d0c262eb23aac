// Opens a file in the desktop's own viewer for that kind of file.
#pragma once

#include <QString>

class QWidget;

namespace qln {

inline constexpr const char* kCantOpenForViewing = "Can't open the file for viewing.";

// Shows kCantOpenForViewing (stop icon) when the desktop can't open it.
bool OpenFileForViewing(QWidget* parent, const QString& path);

}  // namespace qln
