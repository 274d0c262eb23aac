// The listing viewer with a 100 MB listing: opening it beside a bare
// QPlainTextEdit given the same file, and a search for a word near its end.
// Run it with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "app/frame/TextFileViewer.h"
#include "bench/BenchSupport.h"

using namespace qln;
using qln::bench::Seconds;

namespace {

void Settle()
{
    QCoreApplication::processEvents();
}

// A listing of about the given size: one header and entries of 10,000
// bases in the ST.25 residue layout.
void WriteListing(const QString& path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    std::mt19937 random(7);
    file.write("<110>  Bench, Ada\n\n<120>  A long listing\n\n<160>  9999\n\n<170>  Quillion version 3.5\n\n");
    for (int entry = 1; file.size() < bytes; ++entry) {
        QByteArray text = QStringLiteral("<210>  %1\n<211>  10000\n<212>  DNA\n<213>  Homo sapiens\n\n<400>  %1\n")
                              .arg(entry)
                              .toLatin1();
        const std::string bases = qln::bench::RandomBases(random, 10000);
        for (size_t at = 0; at < bases.size(); at += 60) {
            for (size_t block = at; block < std::min(at + 60, bases.size()); block += 10)
                text += QByteArray::fromStdString(bases.substr(block, 10)) + ' ';
            text += QByteArray::number(qulonglong(std::min(at + 60, bases.size()))).rightJustified(10) + '\n';
        }
        file.write(text + "\n");
    }
    file.write("<210>  9999\n<211>  4\n<212>  PRT\n<213>  Aequorea victoria\n\n<400>  9999\n\nMet Lys Val Leu\n");
}

double BareOpen(const QString& path)
{
    QPlainTextEdit edit;
    edit.setReadOnly(true);
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(760, 560);
    edit.show();
    Settle();
    return Seconds([&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return;
        edit.setPlainText(QString::fromLatin1(file.readAll()));
        Settle();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Long_ST25.txt"));
    WriteListing(path, 100LL * 1000 * 1000);
    std::printf("listing of %.1f MB\n", double(QFile(path).size()) / 1e6);

    const double bare = BareOpen(path);
    CTextFileViewer* viewer = nullptr;
    const double opened = Seconds([&] {
        viewer = CTextFileViewer::Open(nullptr, path);
        Settle();
    });
    std::printf("open:   viewer %.2f s, bare QPlainTextEdit %.2f s\n", opened, bare);
    if (!viewer) return 1;
    viewer->findChild<QLineEdit*>(QStringLiteral("findField"))->setText(QStringLiteral("Aequorea"));
    const double found = Seconds([&] {
        viewer->FindNext();
        Settle();
    });
    std::printf("find near the end: %.2f s\n", found);
    delete viewer;
    return 0;
}
