// What happens when the program starts: one instance per user, the check of
// its own files, the command line, the splash window, the recent files.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/frame/AboutDlg.h"
#include "app/document/CommandLine.h"
#include "app/document/DataCheck.h"
#include "widgets/DataFolder.h"
#include "app/document/RecentFiles.h"
#include "app/document/SingleInstance.h"
#include "app/document/SplashWnd.h"

using namespace qln;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void secondStartHandsItsProjectToTheFirst();
    void commandLine();
    void missingDataFileIsNamed();
    void dataFolderHoldsWhatTheWindowsRead();
    void startedDirectlyItFindsItsDataOrEndsSayingWhy();
    void splashClosesAtTheFirstKeyOrClick();
    void recentFilesKeepFourNewestFirst();
    void aboutBox();
};

void StartupTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("QuillionStartupTest");
}

void StartupTest::secondStartHandsItsProjectToTheFirst()
{
    const QString name = QString("QuillionTest-%1").arg(getpid());
    {
        CSingleInstance first(name);
        QVERIFY(first.Claim(""));
        QSignalSpy received(&first, &CSingleInstance::MessageReceived);
        CSingleInstance second(name);
        QVERIFY(!second.Claim("/data/my project/Proj.prj"));
        QVERIFY(received.wait());
        QCOMPARE(received.count(), 1);
        QCOMPARE(received[0][0].toString(), QString("/data/my project/Proj.prj"));
        // A start without a project only brings the window forward.
        QVERIFY(!CSingleInstance(name).Claim(""));
        QVERIFY(received.wait());
        QCOMPARE(received[1][0].toString(), QString());
    }

    // A socket left behind by a program that crashed does not stop the next.
    const QByteArray socketPath = QFile::encodeName(QDir(QDir::tempPath()).filePath(name));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
    QVERIFY(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    close(fd);
    QVERIFY(QFile::exists(socketPath));
    CSingleInstance restarted(name);
    QVERIFY(restarted.Claim(""));
    QSignalSpy received(&restarted, &CSingleInstance::MessageReceived);
    QVERIFY(!CSingleInstance(name).Claim("/p.prj"));
    QVERIFY(received.wait());
    QCOMPARE(received[0][0].toString(), QString("/p.prj"));
}

void StartupTest::commandLine()
{
    const CCommandLine plain = CCommandLine::Parse({"quillion"});
    QVERIFY(plain.showSplash);
    QVERIFY(plain.projectPath.isEmpty());
    const CCommandLine line = CCommandLine::Parse({"quillion", "--nosplash", "demo.prj", "second.prj"});
    QVERIFY(!line.showSplash);
    QCOMPARE(line.projectPath, QDir::current().absoluteFilePath("demo.prj"));
    QVERIFY(!line.showHelp && !line.showVersion);
    QVERIFY(CCommandLine::Parse({"quillion", "demo.prj", "--help"}).showHelp);
    QVERIFY(CCommandLine::Parse({"quillion", "-h"}).showHelp);
    QVERIFY(CCommandLine::Parse({"quillion", "--version"}).showVersion);
    QCOMPARE(CCommandLine::VersionText(), QString("quillion " QLN_VERSION "\n"));
}

void StartupTest::missingDataFileIsNamed()
{
    QTemporaryDir data;
    const QString nowhere = data.filePath("nowhere");
    QCOMPARE(CDataCheck::MissingFile(nowhere), nowhere);
    QVERIFY(QDir(data.path()).mkdir("help"));
    for (const char* page : {"ApplHelp.md", "SequenceHelp.md"}) {
        QFile file(data.filePath(QString("help/") + page));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString missing = data.filePath("help/RestoreHelp.md");
    QCOMPARE(CDataCheck::MissingFile(data.path()), missing);
    const QString message = CDataCheck::Message(missing);
    QVERIFY(message.contains(missing));
    QVERIFY(message.contains("Please reinstall Quillion " QLN_RELEASE "."));
    for (const QString& page : CDataCheck::RequiredPages()) {
        QFile file(data.filePath("help/" + page));
        QVERIFY(file.exists() || file.open(QIODevice::WriteOnly));
    }
    QVERIFY(CDataCheck::MissingFile(data.path()).isEmpty());

    // A program nobody watches hears first of the files its windows read.
    QVERIFY(CDataCheck::UnattendedProblem(data.path()).startsWith("The organism name file 'strain.txt' could not"));
    QVERIFY(CDataCheck::UnattendedProblem(data.path()).contains(data.path()));
    for (const char* name : {"strain.txt", "nucleo.txt"}) {
        QFile file(data.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(CDataCheck::UnattendedProblem(data.path()).startsWith("The Feature Name file amino.txt could not"));
    QFile amino(data.filePath("amino.txt"));
    QVERIFY(amino.open(QIODevice::WriteOnly));
    QVERIFY(CDataCheck::UnattendedProblem(data.path()).isEmpty());
}

void StartupTest::dataFolderHoldsWhatTheWindowsRead()
{
    QCOMPARE(CDataCheck::UnattendedProblem(CDataFolder::Path()), QString());
}

// This program, started the way a developer starts it from the build tree:
// without the data folder ctest names, it finds the source tree's; with a
// data folder that is not there, it ends at once and says why on standard
// error rather than waiting behind a message box nobody sees.
void StartupTest::startedDirectlyItFindsItsDataOrEndsSayingWhy()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QLN_DATA_DIR");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess direct;
    direct.setProcessEnvironment(environment);
    direct.start(QCoreApplication::applicationFilePath(), {"dataFolderHoldsWhatTheWindowsRead"});
    QVERIFY(direct.waitForFinished(60000));
    QVERIFY2(direct.exitCode() == 0, direct.readAllStandardOutput() + direct.readAllStandardError());

    QTemporaryDir tmp;
    const QString nowhere = tmp.filePath("nowhere");
    environment.insert("QLN_DATA_DIR", nowhere);
    QProcess missing;
    missing.setProcessEnvironment(environment);
    missing.start(QCoreApplication::applicationFilePath(), {"dataFolderHoldsWhatTheWindowsRead"});
    QVERIFY(missing.waitForFinished(10000));
    QCOMPARE(missing.exitCode(), 1);
    const QString said = QString::fromLocal8Bit(missing.readAllStandardError());
    QVERIFY2(said.contains("The organism name file 'strain.txt' could not be found.") && said.contains(nowhere),
             qPrintable(said));
    QVERIFY(missing.readAllStandardOutput().isEmpty());
}

void StartupTest::splashClosesAtTheFirstKeyOrClick()
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* button = new QPushButton("Button", &window);
    button->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();

    // The key that closes the splash types nothing.
    {
        CSplashWnd splash;
        splash.ShowSplash();
        QVERIFY(splash.isVisible());
        QTest::keyClick(edit, Qt::Key_A);
        QVERIFY(!splash.isVisible());
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_B);
        QCOMPARE(edit->text(), QString("b"));
    }
    // Nor does the click press the button.
    {
        QSignalSpy clicked(button, &QPushButton::clicked);
        CSplashWnd splash;
        splash.ShowSplash();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!splash.isVisible());
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }
    // Left alone, it goes by itself.
    CSplashWnd splash;
    splash.ShowSplash();
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), CSplashWnd::kShowMs + 3000);
}

void StartupTest::recentFilesKeepFourNewestFirst()
{
    CRecentFiles& recent = CRecentFiles::Instance();
    QSignalSpy changed(&recent, &CRecentFiles::Changed);
    for (const char* path : {"/p/1.prj", "/p/2.prj", "/p/3.prj", "/p/4.prj", "/p/5.prj"}) recent.Add(path);
    QCOMPARE(recent.Files(), QStringList({"/p/5.prj", "/p/4.prj", "/p/3.prj", "/p/2.prj"}));
    recent.Add("/p/3.prj");
    QCOMPARE(recent.Files(), QStringList({"/p/3.prj", "/p/5.prj", "/p/4.prj", "/p/2.prj"}));
    recent.Remove("/p/5.prj");
    QCOMPARE(recent.Files(), QStringList({"/p/3.prj", "/p/4.prj", "/p/2.prj"}));
    QCOMPARE(changed.count(), 7);
    QCOMPARE(CRecentFiles::MenuText(1, "/p/R&D.prj"), QString("&2 /p/R&&D.prj"));
    for (const QString& path : recent.Files()) recent.Remove(path);
}

void StartupTest::aboutBox()
{
    CAboutDlg about;
    about.show();
    QCOMPARE(about.windowTitle(), QString("About Quillion"));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("Quillion Version " QLN_VERSION));
    QVERIFY(texts.contains("Release Date: September 2010"));
    QTest::keyClick(&about, Qt::Key_Return);
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
