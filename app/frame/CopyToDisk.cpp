#include "app/frame/CopyToDisk.h"

#include <zip.h>

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <filesystem>
#include <memory>
#include <system_error>

#include "model/FileReplacement.h"

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

QString TemporaryName(const CFileReplacement& replacement)
{
    return QFile::decodeName(QByteArray::fromStdString(replacement.TemporaryPath()));
}

QString ReasonOf(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}

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

CCopyToDisk::CCopyToDisk(QString listing, const CDiskInfo& disk) : listing_(std::move(listing)), disk_(disk)
{
}

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

    // Written beside the destination and renamed over it when complete: an
    // existing file is replaced whole or not at all.
    CFileReplacement replacement(NativePath(destination).string());
    if (!replacement.IsReserved()) return {Kind::CopyFailed, ReasonOf(replacement.Error())};
    QFile target(TemporaryName(replacement));
    if (!target.open(QIODevice::WriteOnly)) return {Kind::CopyFailed, target.errorString()};
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            return {Kind::ListingUnreadable, QString::fromLatin1(kCopyReadFailed)};
        if (target.write(chunk) != chunk.size()) return {Kind::CopyFailed, target.errorString()};
    }
    if (!target.flush()) return {Kind::CopyFailed, target.errorString()};
    target.close();
    QFile::setPermissions(target.fileName(), PermissionsFor(destination));
    if (!replacement.Commit()) return {Kind::CopyFailed, ReasonOf(replacement.Error())};
    return {Kind::Done, QString::fromLatin1(kCopyDone)};
}

CCopyOutcome CCopyToDisk::Zip(const QString& destination) const
{
    const CCopyOutcome failed{CCopyOutcome::Kind::ZipFailed, QString::fromLatin1(kCopyZipFailed)};
    if (!QFileInfo(listing_).isFile()) return failed;

    // The archive is made beside the destination and renamed over it when
    // complete, so a failure never leaves a partial zip there.
    CFileReplacement replacement(NativePath(destination).string());
    if (!replacement.IsReserved()) return failed;
    int error = 0;
    std::unique_ptr<zip_t, ZipDiscard> archive(
        zip_open(replacement.TemporaryPath().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
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

    QFile::setPermissions(TemporaryName(replacement), PermissionsFor(destination));
    if (!replacement.Commit()) return failed;
    return {CCopyOutcome::Kind::Done, QString::fromLatin1(kCopyDone)};
}

}  // namespace qln
