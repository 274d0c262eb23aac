// The generation dialog against the bare run of the same project: 100,000
// short sequences, 100 sequences of 1,000,000 residues (and how soon Cancel
// stops that one while it is written), and a run of 50,000 error messages,
// with the rate at which the message list takes them. Beside each dialog
// figure: the longest time the user-interface thread did not answer. Run it
// with QT_QPA_PLATFORM=offscreen.
#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/generation/GeneratorProgressDialog.h"
#include "bench/BenchSupport.h"
#include "generator/GenerationRun.h"
#include "model/ResidueFile.h"

using namespace qln;
using qln::bench::Seconds;

namespace {

struct DialogFigures {
    double seconds = 0;
    double longestStallMs = 0;  // the longest gap between two ticks of a 5 ms timer
    int messages = 0;           // lines in the message list at the end
    double cancelMs = -1;       // from the Cancel click to the end of the run
};

// Runs the real dialog: Start at once, Close when it shows, Cancel when
// cancelWhen says so.
DialogFigures RunDialog(CProject& project, const QString& path,
                        const std::function<bool(CGeneratorProgressDialog&)>& cancelWhen = {})
{
    DialogFigures figures;
    CGeneratorProgressDialog dialog(project, path);
    dialog.findChild<QCheckBox*>("viewCheck")->setChecked(false);
    auto* close = dialog.findChild<QPushButton*>("closeButton");
    auto* cancel = dialog.findChild<QPushButton*>("cancelButton");
    auto* list = dialog.findChild<QListView*>("messageList");

    QElapsedTimer clock, tick, cancelled;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        figures.longestStallMs = std::max(figures.longestStallMs, tick.nsecsElapsed() / 1e6);
        tick.restart();
        if (!dialog.isVisible()) return;
        if (close->isVisible()) {
            figures.messages = list->model()->rowCount();
            close->click();
        } else if (cancelWhen && !cancelled.isValid() && cancelWhen(dialog)) {
            cancelled.start();
            cancel->click();
        }
    });
    QTimer::singleShot(0, &dialog, [&] {
        clock.start();
        tick.start();
        ticker.start();
        dialog.findChild<QPushButton*>("startButton")->click();
    });
    dialog.Exec();
    figures.seconds = clock.nsecsElapsed() / 1e9;
    if (cancelled.isValid()) figures.cancelMs = cancelled.nsecsElapsed() / 1e6;
    return figures;
}

double BareRun(CProject& project, const QString& path)
{
    CGenerationRun run(project, path.toStdString());
    return Seconds([&] { run.Run(); });
}

// Best of three each, taken in turns, so that neither gains from a warm cache.
void Compare(const char* what, CProject& project, const QString& path)
{
    double bare = 1e9;
    DialogFigures dialog;
    dialog.seconds = 1e9;
    for (int round = 0; round < 3; ++round) {
        bare = std::min(bare, BareRun(project, path));
        const DialogFigures figures = RunDialog(project, path);
        if (figures.seconds < dialog.seconds) dialog = figures;
    }
    std::printf("%-34s bare run %7.2f s   dialog %7.2f s (%+5.1f %%)   longest UI stall %6.1f ms\n", what, bare,
                dialog.seconds, (dialog.seconds / bare - 1) * 100, dialog.longestStallMs);
}

// Sequences of at least ten residues, each with one letter DNA does not
// have: one error message each.
Ptr<CProject> ErrorProject(int count)
{
    Ptr<CProject> project = bench::CodingProject(0, 30);
    for (int i = 0; i < count; ++i)
        project->Add(
            new CDNASequence(project.get(), "Bad" + std::to_string(i + 1), "Homo sapiens", "acgtacgtxacgtacgt"));
    return project;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir work;
    qputenv("TMP", QFile::encodeName(work.path()));
    const QString path = work.filePath("Bench.prj");

    {
        Ptr<CProject> project = bench::CodingProject(100000, 30);
        Compare("100,000 sequences of 30 residues", *project, path);
    }
    {
        Ptr<CProject> project = bench::CodingProject(100, 1000000);
        Compare("100 sequences of 1,000,000", *project, path);
        // Cancel once ten of them are written.
        const DialogFigures cancelled = RunDialog(*project, path, [](CGeneratorProgressDialog& dialog) {
            return dialog.findChild<QLabel*>("countCaption")->text() == "Sequences Written:" &&
                   dialog.findChild<QLabel*>("countLabel")->text().toInt() >= 10;
        });
        std::printf("%-34s Cancel while writing stopped the run in %.1f ms\n", "", cancelled.cancelMs);
    }
    {
        Ptr<CProject> project = ErrorProject(50000);
        Compare("50,000 error messages", *project, path);
        const DialogFigures dialog = RunDialog(*project, path);
        std::printf("%-34s %d lines listed, %.0f messages per second\n", "", dialog.messages,
                    dialog.messages / dialog.seconds);
    }
    CResidueFiles::RemoveAll();
    return 0;
}
