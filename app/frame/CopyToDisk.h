// Copy to Disk: the listing copied to a place the user chooses, as a text
// file or packed into a zip archive. The decisions and the copying live here,
// without widgets; the main window asks for the destination and shows the
// outcome.
#pragma once

#include <QString>
#include <optional>

namespace qln {

inline constexpr const char* kCopyFilters = "Text Files (*.txt);;Zip Files (*.zip)";
inline constexpr const char* kCopyDefaultSuffix = "txt";
inline constexpr const char* kCopyBadType = "File type must be \".txt\" or \".zip\"";
inline constexpr const char* kCopyOnCd =
    "Please save the listing to your hard disk and then copy it from the your hard disk to a CD.";
inline constexpr const char* kCopyNoFreeSpace = "Please save the listing to floppy disk(s).";
inline constexpr const char* kCopyInsufficientSpace =
    "Insufficient disk space. Consider selecting the Zip Files(*zip) in the \"Save as type:\" in the \"Copy to "
    "Disk\" box.";
inline constexpr const char* kCopyReadFailed = "I/O error copying the listing file.";
inline constexpr const char* kCopyZipFailed = "Error creating zip file.";
inline constexpr const char* kCopyOntoListing = "The listing can't be copied onto itself.";
inline constexpr const char* kCopyDone = "Disk Copy Completed Successfully.";

// What the destination's disk says about itself. Tests hand in their own.
class CDiskInfo {
public:
    virtual ~CDiskInfo() = default;
    // Bytes free for this user on the file system holding the folder of
    // path; nothing when it can't be told.
    virtual std::optional<qint64> FreeSpace(const QString& path) const;
    // The file system type of that folder's disk ("ext4", "iso9660", ...).
    virtual QByteArray FileSystemType(const QString& path) const;
};

struct CCopyOutcome {
    enum class Kind {
        Done,
        BadType,            // not "txt" or "zip" at the end
        OnCd,               // the destination is a CD or DVD
        OntoListing,        // the destination is the listing itself
        ListingUnreadable,  // the listing's size can't be read
        FreeSpaceUnknown,
        InsufficientSpace,  // the user picks another place
        CopyFailed,         // the system's reason is in message
        ZipFailed,
    };
    Kind kind = Kind::Done;
    QString message;  // the text to show; for Done the status bar text

    bool IsError() const { return kind != Kind::Done; }
};

class CCopyToDisk {
public:
    CCopyToDisk(QString listing, const CDiskInfo& disk);

    // Copies or zips the listing to destination. Nothing is written when a
    // check refuses; a copy or zip that fails leaves no partial file and
    // any file that was at destination as it was.
    CCopyOutcome CopyTo(const QString& destination) const;

    // Each step on its own, in the order CopyTo takes them.
    static bool HasAcceptedType(const QString& destination);
    static bool IsZip(const QString& destination);
    static bool IsOpticalFileSystem(const QByteArray& type);
    bool IsListing(const QString& destination) const;
    // A listing as large as the free space or larger does not fit.
    static bool Fits(qint64 listingSize, qint64 freeSpace) { return listingSize < freeSpace; }

private:
    CCopyOutcome CopyText(const QString& destination) const;
    CCopyOutcome Zip(const QString& destination) const;

    QString listing_;
    const CDiskInfo& disk_;
};

}  // namespace qln
