#include "app/import/ImportFileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace qln {

namespace {

bool ReadsOne(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == "1";
}

}  // namespace

bool IsRemovableMount(const QByteArray& fileSystemType, const QByteArray& device, const QString& sysRoot)
{
    const QByteArray type = fileSystemType.toLower();
    if (type == "iso9660" || type == "udf") return true;
    if (!device.startsWith("/dev/")) return false;
    // /dev/disk/by-label/... and the like are links to the real node.
    QString node = QFileInfo(QFile::decodeName(device)).canonicalFilePath();
    if (node.isEmpty()) node = QFile::decodeName(device);
    const QString name = QFileInfo(node).fileName();
    const QString block = sysRoot + QStringLiteral("/class/block/") + name;
    if (QFileInfo::exists(block + QStringLiteral("/removable"))) return ReadsOne(block + QStringLiteral("/removable"));
    // A partition: its folder sits inside the disk's, which has the mark.
    const QString partition = QFileInfo(block).canonicalFilePath();
    if (partition.isEmpty()) return false;
    return ReadsOne(QFileInfo(partition).absolutePath() + QStringLiteral("/removable"));
}

bool IsOnRemovableMedia(const QString& path)
{
    const QStorageInfo storage(QFileInfo(path).absoluteFilePath());
    return storage.isValid() && IsRemovableMount(storage.fileSystemType(), storage.device());
}

QString ImportTempFolder()
{
    const QString tmp = qEnvironmentVariable("TMP");
    if (!tmp.isEmpty() && QFileInfo(tmp).isDir()) return tmp;
    return QDir::tempPath();
}

CImportFileCopy::CImportFileCopy(MediaTest onRemovableMedia) : onRemovableMedia_(std::move(onRemovableMedia))
{
}

CImportFileCopy::~CImportFileCopy()
{
    RemoveCopy();
}

void CImportFileCopy::RemoveCopy()
{
    if (copy_.isEmpty()) return;
    QFile::remove(copy_);
    copy_.clear();
}

bool CImportFileCopy::Prepare(const QString& path)
{
    RemoveCopy();
    readPath_ = path;
    // A file that isn't there is for the reader to report.
    if (!QFileInfo(path).isFile() || !onRemovableMedia_ || !onRemovableMedia_(path)) return true;

    const QString copy = QDir(ImportTempFolder()).filePath(QFileInfo(path).fileName());
    if (QFileInfo(copy) == QFileInfo(path)) return true;
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) return false;
    copy_ = copy;
    // A copy from a CD keeps the medium's read-only mode.
    if (!QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner | QFileDevice::ReadOwner)) {
        RemoveCopy();
        return false;
    }
    readPath_ = copy;
    return true;
}

}  // namespace qln
