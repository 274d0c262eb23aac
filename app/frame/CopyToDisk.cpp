#include "app/frame/CopyToDisk.h"

#include <zip.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <system_error>

namespace qln {

namespace fs = std::filesystem;

namespace {

QStorageInfo StorageOf(const QString& path)
{
    return QStorageInfo(QFileInfo(path).absolutePath());
}

fs::path NativePath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

// A copy for the user's disk gets the ordinary permissions of a new file, or
// those of the file it replaces.
QFileDevice::Permissions PermissionsFor(const QString& destination)
{
    const QFileInfo existing(destination);
    if (existing.exists()) return existing.permissions();
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

// Removes a temporary file on every way out unless released.
class CTemporaryName {
public:
    explicit CTemporaryName(QString path) : path_(std::move(path)) {}
    ~CTemporaryName()
    {
        if (!path_.isEmpty()) QFile::remove(path_);
    }
    CTemporaryName(const CTemporaryName&) = delete;
    CTemporaryName& operator=(const CTemporaryName&) = delete;
    const QString& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    QString path_;
};

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

}  // namespace

std::optional<qint64> CDiskInfo::FreeSpace(const QString& path) const
{
    const QStorageInfo storage = StorageOf(path);
    if (!storage.isValid() || !storage.isReady()) return std::nullopt;
    const qint64 free = storage.bytesAvailable();
    if (free < 0) return std::nullopt;
    return free;
}

QByteArray CDiskInfo::FileSystemType(const QString& path) const
{
    return StorageOf(path).fileSystemType();
}

CCopyToDisk::CCopyToDisk(QString listing, const CDiskInfo& disk) : listing_(std::move(listing)), disk_(disk) {}

bool CCopyToDisk::HasAcceptedType(const QString& destination)
{
    // The last three characters, compared with case: "LISTING.TXT" is refused.
    return destination.endsWith(QLatin1String("txt")) || destination.endsWith(QLatin1String("zip"));
}

bool CCopyToDisk::IsZip(const QString& destination)
{
    return destination.endsWith(QLatin1String("zip"));
}

bool CCopyToDisk::IsOpticalFileSystem(const QByteArray& type)
{
    const QByteArray lower = type.toLower();
    return lower == "iso9660" || lower == "udf";
}

bool CCopyToDisk::IsListing(const QString& destination) const
{
    std::error_code ec;
    // The same file under any name: a link or a path spelled differently.
    return fs::equivalent(NativePath(destination), NativePath(listing_), ec) && !ec;
}

CCopyOutcome CCopyToDisk::CopyTo(const QString& destination) const
{
    using Kind = CCopyOutcome::Kind;
    if (!HasAcceptedType(destination)) return {Kind::BadType, QString::fromLatin1(kCopyBadType)};
    if (IsOpticalFileSystem(disk_.FileSystemType(destination))) return {Kind::OnCd, QString::fromLatin1(kCopyOnCd)};
    if (IsListing(destination)) return {Kind::OntoListing, QString::fromLatin1(kCopyOntoListing)};
    if (IsZip(destination)) return Zip(destination);

    const QFileInfo listing(listing_);
    if (!listing.isFile()) return {Kind::ListingUnreadable, QString::fromLatin1(kCopyReadFailed)};
    const std::optional<qint64> free = disk_.FreeSpace(destination);
    if (!free) return {Kind::FreeSpaceUnknown, QString::fromLatin1(kCopyNoFreeSpace)};
    if (!Fits(listing.size(), *free)) return {Kind::InsufficientSpace, QString::fromLatin1(kCopyInsufficientSpace)};
    return CopyText(destination);
}

CCopyOutcome CCopyToDisk::CopyText(const QString& destination) const
{
    using Kind = CCopyOutcome::Kind;
    QFile source(listing_);
    if (!source.open(QIODevice::ReadOnly)) return {Kind::ListingUnreadable, QString::fromLatin1(kCopyReadFailed)};

    // QSaveFile writes beside the destination and renames on commit: an
    // existing file is replaced whole or not at all.
    QSaveFile target(destination);
    if (!target.open(QIODevice::WriteOnly)) return {Kind::CopyFailed, target.errorString()};
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            return {Kind::ListingUnreadable, QString::fromLatin1(kCopyReadFailed)};
        }
        if (target.write(chunk) != chunk.size()) {
            const QString reason = target.errorString();
            target.cancelWriting();
            return {Kind::CopyFailed, reason};
        }
    }
    if (!target.commit()) return {Kind::CopyFailed, target.errorString()};
    return {Kind::Done, QString::fromLatin1(kCopyDone)};
}

CCopyOutcome CCopyToDisk::Zip(const QString& destination) const
{
    const CCopyOutcome failed{CCopyOutcome::Kind::ZipFailed, QString::fromLatin1(kCopyZipFailed)};
    if (!QFileInfo(listing_).isFile()) return failed;

    // The archive is made under a temporary name beside the destination and
    // renamed into place, so a failure never leaves a partial zip at D.
    const QFileInfo target(destination);
    QTemporaryFile reserve(target.absolutePath() + QLatin1String("/.") + target.fileName() + QLatin1String(".XXXXXX"));
    reserve.setAutoRemove(false);
    if (!reserve.open()) return failed;
    CTemporaryName temporary(reserve.fileName());
    reserve.close();

    int error = 0;
    std::unique_ptr<zip_t, ZipDiscard> archive(
        zip_open(QFile::encodeName(temporary.Path()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) return failed;
    zip_source_t* source = zip_source_file(archive.get(), QFile::encodeName(listing_).constData(), 0, 0);
    if (!source) return failed;
    const QByteArray entryName = QFileInfo(listing_).fileName().toUtf8();
    if (zip_file_add(archive.get(), entryName.constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return failed;
    }
    // zip_close frees the archive only when it succeeds.
    if (zip_close(archive.get()) != 0) return failed;
    archive.release();

    QFile::setPermissions(temporary.Path(), PermissionsFor(destination));
    std::error_code ec;
    fs::rename(NativePath(temporary.Path()), NativePath(destination), ec);
    if (ec) return failed;
    temporary.Release();
    return {CCopyOutcome::Kind::Done, QString::fromLatin1(kCopyDone)};
}

}  // namespace qln
