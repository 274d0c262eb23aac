// Copy to Disk without widgets: the refusals, the text copy and the zip.
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/frame/CopyToDisk.h"

using namespace qln;

namespace {

class FakeDisk : public CDiskInfo {
public:
    std::optional<qint64> free = qint64(1) << 30;
    QByteArray type = "ext4";
    std::optional<qint64> FreeSpace(const QString&) const override { return free; }
    QByteArray FileSystemType(const QString&) const override { return type; }
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class CopyToDiskTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString listing_;
    const QByteArray text_ = QByteArray("<110>  Example Corp.\n<400>  1\naattccggtt").repeated(50);

    QString At(const QString& name) const { return dir_.filePath(name); }
    // Everything in the folder, hidden temporary files included.
    QStringList Files() const
    {
        QStringList names = QDir(dir_.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        for (const QString& name : Files()) {
            if (!QFile::remove(At(name))) QDir(At(name)).removeRecursively();
        }
        listing_ = At("Proj_ST25.txt");
        Write(listing_, text_);
    }

    void refusalsWriteNothing()
    {
        FakeDisk disk;
        const CCopyToDisk copier(listing_, disk);
        using Kind = CCopyOutcome::Kind;

        // The extension test goes by case.
        QCOMPARE(copier.CopyTo(At("LISTING.TXT")).kind, Kind::BadType);
        QCOMPARE(copier.CopyTo(At("LISTING.TXT")).message, QString("File type must be \".txt\" or \".zip\""));
        QCOMPARE(copier.CopyTo(At("listing.Zip")).kind, Kind::BadType);
        QCOMPARE(copier.CopyTo(At("listing.doc")).kind, Kind::BadType);

        // CDs and DVDs, for text and zip alike.
        disk.type = "iso9660";
        const CCopyOutcome cd = copier.CopyTo(At("copy.txt"));
        QCOMPARE(cd.kind, Kind::OnCd);
        QVERIFY(cd.message.startsWith("Please save the listing to your hard disk"));
        disk.type = "UDF";
        QCOMPARE(copier.CopyTo(At("copy.zip")).kind, Kind::OnCd);
        disk.type = "ext4";

        // A listing exactly as large as the free space does not fit; the user
        // is sent back to choose again.
        disk.free = text_.size();
        const CCopyOutcome full = copier.CopyTo(At("copy.txt"));
        QCOMPARE(full.kind, Kind::InsufficientSpace);
        QVERIFY(full.message.startsWith("Insufficient disk space. Consider selecting the Zip Files(*zip)"));
        disk.free.reset();
        QCOMPARE(copier.CopyTo(At("copy.txt")).message, QString("Please save the listing to floppy disk(s)."));

        // The listing onto itself, however the path is spelled.
        disk.free = text_.size() * 10;
        QCOMPARE(copier.CopyTo(listing_).kind, Kind::OntoListing);
        QVERIFY(QDir(At("sub")).mkpath("."));
        QCOMPARE(copier.CopyTo(At("sub/../Proj_ST25.txt")).kind, Kind::OntoListing);

        QCOMPARE(ReadAll(listing_), text_);
        QCOMPARE(Files(), QStringList({"Proj_ST25.txt", "sub"}));
    }

    void textCopyReplacesWhole()
    {
        FakeDisk disk;
        disk.free = text_.size() + 1;  // one byte more is enough
        const CCopyToDisk copier(listing_, disk);
        Write(At("copy.txt"),
              "an older, longer file that the copy replaces entirely................................"
              "..........................................................................");
        const CCopyOutcome outcome = copier.CopyTo(At("copy.txt"));
        QCOMPARE(outcome.kind, CCopyOutcome::Kind::Done);
        QCOMPARE(outcome.message, QString("Disk Copy Completed Successfully."));
        QCOMPARE(ReadAll(At("copy.txt")), text_);
        QCOMPARE(Files(), QStringList({"Proj_ST25.txt", "copy.txt"}));

        QFile::remove(listing_);
        QCOMPARE(copier.CopyTo(At("copy2.txt")).message, QString("I/O error copying the listing file."));
    }

    void zipHoldsTheListingUnderItsName()
    {
        FakeDisk disk;
        disk.free = 1;  // a zip is not held to the free-space check
        Write(At("out.zip"), "not a zip yet");
        QCOMPARE(CCopyToDisk(listing_, disk).CopyTo(At("out.zip")).kind, CCopyOutcome::Kind::Done);
        QCOMPARE(Files(), QStringList({"Proj_ST25.txt", "out.zip"}));

        int error = 0;
        zip_t* archive = zip_open(QFile::encodeName(At("out.zip")).constData(), ZIP_RDONLY, &error);
        QVERIFY(archive);
        QCOMPARE(zip_get_num_entries(archive, 0), zip_int64_t(1));
        QCOMPARE(QString(zip_get_name(archive, 0, 0)), QString("Proj_ST25.txt"));
        zip_stat_t stat;
        QCOMPARE(zip_stat_index(archive, 0, 0, &stat), 0);
        QByteArray content(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t* entry = zip_fopen_index(archive, 0, 0);
        QVERIFY(entry);
        QCOMPARE(zip_fread(entry, content.data(), stat.size), zip_int64_t(stat.size));
        zip_fclose(entry);
        zip_close(archive);
        QCOMPARE(content, text_);
    }

    void failedZipLeavesNothingBehind()
    {
        FakeDisk disk;
        // The archive is made, but the place it should go is a folder.
        QVERIFY(QDir(At("taken.zip")).mkpath("."));
        const CCopyOutcome outcome = CCopyToDisk(listing_, disk).CopyTo(At("taken.zip"));
        QCOMPARE(outcome.kind, CCopyOutcome::Kind::ZipFailed);
        QCOMPARE(outcome.message, QString("Error creating zip file."));
        QCOMPARE(Files(), QStringList({"Proj_ST25.txt", "taken.zip"}));
        QVERIFY(QDir(At("taken.zip")).isEmpty());

        // No listing to pack: an older zip at the destination stays as it was.
        Write(At("old.zip"), "previous archive");
        QFile::remove(listing_);
        QCOMPARE(CCopyToDisk(listing_, disk).CopyTo(At("old.zip")).kind, CCopyOutcome::Kind::ZipFailed);
        QCOMPARE(ReadAll(At("old.zip")), QByteArray("previous archive"));
        QCOMPARE(Files(), QStringList({"old.zip", "taken.zip"}));
    }

    void realDiskAnswers()
    {
        const CDiskInfo disk;
        QVERIFY(disk.FreeSpace(listing_).value_or(0) > 0);
        QVERIFY(!disk.FileSystemType(listing_).isEmpty());
        QVERIFY(!CCopyToDisk::IsOpticalFileSystem(disk.FileSystemType(listing_)));
    }
};

QTEST_MAIN(CopyToDiskTest)
#include "CopyToDiskTest.moc"
