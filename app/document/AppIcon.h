// The program's icon, drawn rather than shipped as an image.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace qln {

QPixmap DrawQuillionIcon(int size);
QIcon QuillionIcon();

}  // namespace qln
