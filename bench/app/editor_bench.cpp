// The main view with large sequences: opening one in the editor with its
// display layout, a key typed into it, the largest sequence the editor takes,
// and the list of a project of many sequences. Each figure stands beside a
// bare QPlainTextEdit::setPlainText of the same text. Run it with
// QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

#include "widgets/Latin1Text.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/frame/SeqEdit.h"
#include "bench/BenchSupport.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

using namespace qln;
using qln::bench::Seconds;

namespace {

void Settle()
{
    QCoreApplication::processEvents();
}

// The bare widget with the same text, shown as the view's editor is.
double BareSetPlainText(const std::string& text, QPlainTextEdit* into = nullptr)
{
    QPlainTextEdit own;
    QPlainTextEdit& edit = into ? *into : own;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(700, 400);
    edit.show();
    Settle();
    return Seconds([&] {
        edit.setPlainText(ToQt(text));
        Settle();
    });
}

void Key(QWidget* target, char c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c - 'a'), Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + (c - 'a'), Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(target, &release);
    Settle();
}

// Milliseconds per key, typed in the middle of the text.
double KeyMilliseconds(QPlainTextEdit* editor, int keys)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(editor->document()->characterCount() / 2);
    editor->setTextCursor(cursor);
    editor->setFocus();
    Settle();
    return Seconds([&] {
               for (int i = 0; i < keys; ++i) Key(editor, "acgt"[i % 4]);
           }) *
           1000.0 / keys;
}

void OneLongSequence(size_t residues, int rounds, bool typeKeys)
{
    std::mt19937 random(7);
    CCQLNDoc document;
    Ptr<CSequence> sequence(
        new CDNASequence(&document.Project(), "long", "Homo sapiens", bench::RandomBases(random, residues)));
    document.Project().Add(sequence.get());
    CQLNView view(document);
    view.resize(1000, 700);
    view.show();
    Settle();

    double open = 1e9;
    for (int round = 0; round < rounds; ++round) {
        sequence->StripToLetters();  // each round formats afresh
        open = std::min(open, Seconds([&] {
                            view.Rebuild();
                            Settle();
                        }));
    }
    const std::string layout = sequence->FormatForDisplay();
    const bool shown = view.findChild<CSeqEdit*>("editor")->document()->characterCount() > 1;
    QPlainTextEdit bareEdit;
    double bare = 1e9;
    for (int round = 0; round < rounds; ++round) bare = std::min(bare, BareSetPlainText(layout, &bareEdit));
    std::printf(
        "%11zu residues (%zu characters laid out): view opens it in %.3f s (shown: %s); bare setPlainText %.3f s\n",
        residues, layout.size(), open, shown ? "yes" : "no", bare);

    if (typeKeys) {
        const int keys = 200;
        const double viewKey = KeyMilliseconds(view.findChild<CSeqEdit*>("editor"), keys);
        const double bareKey = KeyMilliseconds(&bareEdit, keys);
        std::printf(
            "%11s one key typed into it: view %.3f ms; bare QPlainTextEdit %.3f ms (mean of %d, repaint included)\n",
            "", viewKey, bareKey, keys);
    }
    CResidueFiles::RemoveAll();
}

void ManySequences(int count, size_t residues)
{
    QTemporaryDir folder;
    const std::string path = FromQt(folder.filePath("many.prj"));
    {
        std::mt19937 random(11);
        Ptr<CProject> project(new CProject);
        for (int i = 0; i < count; ++i)
            project->Add(new CDNASequence(project.get(), "Sequence " + std::to_string(i + 1), "Mus musculus",
                                          bench::RandomBases(random, residues)));
        SaveProjectFile(*project, path);
    }
    CResidueFiles::RemoveAll();

    double load = 1e9;
    for (int round = 0; round < 3; ++round) {
        load = std::min(load, Seconds([&] { LoadProjectFile(path); }));
        CResidueFiles::RemoveAll();
    }

    CCQLNDoc document;
    CQLNView view(document);
    view.resize(1000, 700);
    view.show();
    Settle();
    double open = 1e9, rebuild = 1e9;
    for (int round = 0; round < 3; ++round) {
        open = std::min(open, Seconds([&] {
                            document.OpenDocument(folder.filePath("many.prj"));
                            Settle();
                        }));
        rebuild = std::min(rebuild, Seconds([&] {
                               view.Rebuild();
                               Settle();
                           }));
    }
    const int listed = view.findChild<QListWidget*>("sequenceList")->count();

    std::string names;
    QStringList nameList;
    for (const auto& sequence : document.Project().GetSequences()) {
        names += sequence->GetName() + "\n";
        nameList.append(ToQt(sequence->GetName()));
    }
    double bareList = 1e9, bareText = 1e9;
    for (int round = 0; round < 3; ++round) {
        QListWidget list;
        list.setUniformItemSizes(true);
        list.resize(250, 500);
        list.show();
        Settle();
        bareList = std::min(bareList, Seconds([&] {
                                list.addItems(nameList);
                                list.setCurrentRow(0);
                                Settle();
                            }));
        bareText = std::min(bareText, BareSetPlainText(names));
    }
    std::printf(
        "%11d sequences of %zu residues: core load %.3f s; opened in the program %.3f s, of which beyond "
        "the core %.3f s; the view's list alone %.3f s (%d lines); bare QListWidget %.3f s, bare "
        "setPlainText of the names %.3f s\n",
        count, residues, load, open, open - load, rebuild, listed, bareList, bareText);
    CResidueFiles::RemoveAll();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::printf(
        "Main view benchmark (best of the rounds; aims: 10,000,000 residues open in 1 s, a key in 16 ms, "
        "10,000 sequences listed in 1 s beyond the core's load)\n");
    OneLongSequence(10'000'000, 3, true);
    ManySequences(10'000, 300);
    OneLongSequence(100'000'000, 1, false);
    return 0;
}
