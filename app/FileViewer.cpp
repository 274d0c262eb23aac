#include "app/FileViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace qln {

bool OpenFileForViewing(QWidget* parent, const QString& path)
{
    if (!path.isEmpty() && QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    QMessageBox::critical(parent, QStringLiteral("Quillion"), QString::fromLatin1(kCantOpenForViewing));
    return false;
}

}  // namespace qln
