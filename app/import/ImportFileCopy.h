// A project file on removable media is imported from a copy in the
// temporary folder: a CD or DVD is slow and read-only, and a stick may be
// pulled out while the import runs. The rule and the copy, without widgets.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace qln {

inline constexpr const char* kCannotCopyImportedProject =
    "Could not create a copy of the imported project file.  Please copy this project file from CD to your hard "
    "drive first and then import it from your hard drive.";

// A mounted file system is on removable media when it is a CD or DVD file
// system, or when the kernel marks its block device (or the disk the
// partition belongs to) removable under sysRoot ("/sys").
bool IsRemovableMount(const QByteArray& fileSystemType, const QByteArray& device,
                      const QString& sysRoot = QStringLiteral("/sys"));
// The mount that holds path, as QStorageInfo finds it in the mount table.
bool IsOnRemovableMedia(const QString& path);

// The TMP variable when it names a folder, else the system's temporary folder.
QString ImportTempFolder();

class CImportFileCopy {
public:
    using MediaTest = std::function<bool(const QString& path)>;

    explicit CImportFileCopy(MediaTest onRemovableMedia = IsOnRemovableMedia);
    // The copy goes with the import.
    ~CImportFileCopy();
    CImportFileCopy(const CImportFileCopy&) = delete;
    CImportFileCopy& operator=(const CImportFileCopy&) = delete;

    // Decides which file the import reads for path: the file itself, or a
    // writable copy under its own name in ImportTempFolder() (overwriting)
    // when it lies on removable media. False when that copy could not be
    // made; then kCannotCopyImportedProject is the message.
    bool Prepare(const QString& path);
    const QString& ReadPath() const { return readPath_; }
    bool IsCopy() const { return !copy_.isEmpty(); }

private:
    void RemoveCopy();

    MediaTest onRemovableMedia_;
    QString readPath_;
    QString copy_;
};

}  // namespace qln
