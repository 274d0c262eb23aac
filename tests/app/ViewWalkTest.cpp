// A seeded walk through the main window as users go: selecting, typing,
// pasting, Go, Validate, Generate, Save, Reload, Add, Delete, Restore,
// Reorder, AlterSeqType and the feature screen's OK, over short sequences and
// parked ones. After every step the residues in memory, in the residue files
// and in the saved file are held to their display-layout flag, to what was
// typed, and to what the editor shows.
//
// QLN_WALK_SEED picks one seed, QLN_WALK_STEPS the number of steps (longer
// walks on demand), QLN_WALK_LOG prints the steps taken; by default a few
// short walks run.
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <map>
#include <random>

#include "support/ModalAnswer.h"
#include "app/sequences/AddSequenceDialog.h"
#include "app/sequences/ChangeSequenceTypeDialog.h"
#include "widgets/ErrorMsgDialog.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "app/frame/MainFrame.h"
#include "app/sequences/OrgComment.h"
#include "app/document/QLNDoc.h"
#include "app/frame/QLNView.h"
#include "app/sequences/ReorderSeqDialog.h"
#include "app/sequences/RestoreSeqDialog.h"
#include "app/frame/SeqEdit.h"
#include "model/AsciiText.h"
#include "model/Feature.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "screens/FeatureDialog.h"

using namespace qln;
using namespace qln::test;

namespace {

std::string LettersOf(const std::string& text)
{
    std::string letters;
    for (char c : text)
        if (IsAsciiLetter(c)) letters += c;
    return letters;
}

std::string LettersOf(const QString& text)
{
    return LettersOf(text.toStdString());
}

bool IsProtein(const std::string& type)
{
    return type == "PRT";
}

// The editor's layout: blocks of ten, six to a line, each line padded to end
// in its position in column 75.
std::string Layout(const std::string& letters)
{
    std::string out, line;
    for (size_t i = 0; i < letters.size(); i += 10) {
        line += letters.substr(i, 10);
        const size_t end = std::min(i + 10, letters.size());
        const bool full = (i / 10) % 6 == 5;
        if (!full && end < letters.size()) {
            line += ' ';
            continue;
        }
        if (!full) line += ' ';
        const std::string number = std::to_string(end);
        out += line + std::string(75 - line.size() - number.size(), ' ') + number + (full ? "\n" : "");
        line.clear();
    }
    return out;
}

// What the user has put into one sequence.
struct Expected {
    std::string name;
    std::string type;
    std::string letters;
};

// Answers every modal window that shows while a step runs: the step's own
// answer for the window it expects, the default button of a message box,
// Cancel for anything else.
class CAutopilot : public QObject {
public:
    using Answer = std::function<bool(QWidget*)>;

    CAutopilot()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &CAutopilot::Tick);
        timer_.start();
    }
    void Expect(Answer answer) { answer_ = std::move(answer); }
    QStringList TakeMessages() { return std::exchange(messages_, {}); }

private:
    void Tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (answer_ && answer_(modal)) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages_ << box->text();
            QAbstractButton* button = box->defaultButton() ? static_cast<QAbstractButton*>(box->defaultButton())
                                                           : box->buttons().value(0);
            if (button) button->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    }

    QTimer timer_;
    Answer answer_;
    QStringList messages_;
};

class CWalk {
public:
    CWalk(CMainFrame& frame, const QString& path, unsigned seed) : frame_(frame), path_(path), rng_(seed)
    {
        for (const auto& sequence : Project().GetSequences())
            live_.push_back({sequence->GetName(), sequence->GetTypeName(), LettersOf(sequence->GetResidues())});
        saved_ = live_;
        current_ = live_.empty() ? -1 : 0;
    }

    // The steps taken so far, one word each.
    QString Log() const { return log_.join(' '); }

    // One random step, then the checks; an empty text when all held.
    QString Step()
    {
        frame_.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame_)) return "the main window did not come back";
        static const char* const kActions[] = {"select", "select",   "type",     "type",  "paste",   "go",
                                               "go",     "validate", "generate", "save",  "reload",  "add",
                                               "delete", "restore",  "reorder",  "alter", "features"};
        // A hit found is often followed by Go again.
        const std::string action = goAgainFrom_ >= 0 && Pick(2) ? "go" : kActions[Pick(std::size(kActions))];
        log_ << QString::fromStdString(action);
        // Go again means Go pressed right after Go.
        if (action != "go") goAgainFrom_ = -1;
        QString fault = Do(action);
        autopilot_.Expect({});
        if (fault.isEmpty()) fault = Check();
        return fault.isEmpty() ? QString() : log_.join(" ") + ": " + fault;
    }

private:
    CProject& Project() const { return frame_.Document().Project(); }
    CQLNView& View() const { return frame_.View(); }
    CSeqEdit* Editor() const { return View().findChild<CSeqEdit*>("editor"); }
    QListWidget* List() const { return View().findChild<QListWidget*>("sequenceList"); }
    QPushButton* Button(const char* name) const { return View().findChild<QPushButton*>(name); }
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    std::string RandomLetters(const std::string& type, size_t n)
    {
        const std::string alphabet = IsProtein(type) ? "ACDEFGHIKLMNPQRSTVWY" : type == "RNA" ? "acgu" : "acgt";
        std::string out;
        for (size_t i = 0; i < n; ++i) out += alphabet[Pick(alphabet.size())];
        return out;
    }
    void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }

    // The editor position just before residue index (after the last residue
    // when index is the count), read from what the editor shows.
    int CaretBefore(size_t index) const
    {
        const QString text = Editor()->toPlainText();
        size_t seen = 0;
        int lastLetterEnd = 0;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i].unicode() >= 128 || !IsAsciiLetter(static_cast<char>(text[i].unicode()))) continue;
            if (seen++ == index) return i;
            lastLetterEnd = i + 1;
        }
        return lastLetterEnd;
    }
    void PlaceCaret(int position)
    {
        QTextCursor cursor = Editor()->textCursor();
        cursor.setPosition(position);
        Editor()->setTextCursor(cursor);
        Editor()->setFocus();
    }

    QString Do(const std::string& action)
    {
        static const std::map<std::string, QString (CWalk::*)()> kSteps = {
            {"select", &CWalk::Select}, {"type", &CWalk::Type},         {"paste", &CWalk::Paste},
            {"go", &CWalk::Go},         {"validate", &CWalk::Validate}, {"generate", &CWalk::Generate},
            {"save", &CWalk::Save},     {"reload", &CWalk::Reload},     {"add", &CWalk::Add},
            {"delete", &CWalk::Delete}, {"restore", &CWalk::Restore},   {"reorder", &CWalk::Reorder},
            {"alter", &CWalk::Alter},   {"features", &CWalk::Features}};
        return (this->*kSteps.at(action))();
    }

    QString Select()
    {
        if (live_.empty()) return {};
        const int row = static_cast<int>(Pick(live_.size()));
        log_.last() += QString::number(row);
        const bool another = row != current_;
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(row)).center());
        current_ = row;
        if (!another) return {};
        // A sequence selected is shown laid out.
        const QString layout = QString::fromStdString(Layout(live_[row].letters));
        if (Editor()->toPlainText() != layout) return "the selected sequence is not shown laid out";
        return {};
    }

    QString Type()
    {
        if (current_ < 0) return {};
        Expected& sequence = live_[current_];
        const size_t at = Pick(sequence.letters.size() + 1);
        PlaceCaret(CaretBefore(at));
        const int kind = static_cast<int>(Pick(4));
        if (kind == 0 && at > 0) {
            // Backspace takes the character before the caret, a letter or not.
            const int caret = Editor()->textCursor().position();
            const QChar gone = caret > 0 ? Editor()->toPlainText()[caret - 1] : QChar();
            QTest::keyClick(Editor(), Qt::Key_Backspace);
            if (caret > 0 && gone.unicode() < 128 && IsAsciiLetter(static_cast<char>(gone.unicode())))
                sequence.letters.erase(at - 1, 1);
            log_.last() += "<bs";
            return {};
        }
        const std::string typed = RandomLetters(sequence.type, 1 + Pick(12));
        // Upper and lower case both go in; a digit is refused.
        QString keys = QString::fromStdString(typed);
        if (Pick(2)) keys = keys.toUpper();
        QTest::keyClicks(Editor(), keys + (Pick(3) == 0 ? "7" : ""));
        sequence.letters.insert(at, typed);
        log_.last() += QString("@%1+%2").arg(at).arg(typed.size());
        return {};
    }

    QString Paste()
    {
        if (current_ < 0) return {};
        Expected& sequence = live_[current_];
        const size_t at = Pick(sequence.letters.size() + 1);
        const std::string letters = RandomLetters(sequence.type, 1 + Pick(150));
        // Pasted text may carry blanks, line ends and numbers; only letters count.
        std::string pasted;
        for (size_t i = 0; i < letters.size(); ++i) {
            pasted += letters[i];
            if (Pick(15) == 0) pasted += Pick(2) ? " 60\n" : " ";
        }
        QApplication::clipboard()->setText(QString::fromStdString(pasted));
        PlaceCaret(CaretBefore(at));
        QTest::keyClick(Editor(), Qt::Key_V, Qt::ControlModifier);
        sequence.letters.insert(at, letters);
        log_.last() += QString("@%1+%2").arg(at).arg(letters.size());
        return {};
    }

    QString Go()
    {
        if (current_ < 0) return {};
        const Expected& sequence = live_[current_];
        if (sequence.letters.size() < 3) return {};
        const bool again = goAgainFrom_ >= 0 && Pick(2);
        size_t from = 0;
        std::string pattern = lastPattern_;
        if (again) {
            from = static_cast<size_t>(goAgainFrom_) + 1;
        } else {
            const size_t length = 3 + Pick(6);
            const size_t start = Pick(sequence.letters.size() - 2);
            pattern = sequence.letters.substr(start, length);
            // The same text again at the last hit would look beyond it.
            if (pattern == lastPattern_) return {};
            from = Pick(start + 1);
            PlaceCaret(CaretBefore(from));
            auto* search = View().findChild<QLineEdit*>("search");
            search->setText(QString::fromStdString(pattern));
        }
        log_.last() += QString(again ? "again" : "@%1").arg(from) + ":" + QString::fromStdString(pattern);
        Click("go");
        const QStringList messages = autopilot_.TakeMessages();
        const size_t hit = sequence.letters.find(pattern, from);
        goAgainFrom_ = -1;
        if (hit == std::string::npos)
            return messages.contains("Text not found.") ? QString() : "Go found something that is not there";
        if (!messages.isEmpty()) return "Go said: " + messages.join("; ");
        const QTextCursor cursor = Editor()->textCursor();
        const QString selected = cursor.selectedText();
        if (LettersOf(selected) != pattern || !selected.front().isLetter() || !selected.back().isLetter())
            return "Go selected \"" + selected + "\"";
        if (cursor.selectionStart() != CaretBefore(hit)) return QString("Go skipped the hit at %1").arg(hit);
        goAgainFrom_ = static_cast<int>(hit);
        lastPattern_ = pattern;
        return {};
    }

    QString Validate()
    {
        if (current_ < 0) return {};
        Click("validate");
        if (auto* errors = View().findChild<CErrorMsgDialog*>()) errors->hide();
        return {};
    }

    QString Generate()
    {
        QAction* generate = frame_.Action("actionGenerate");
        if (!generate->isEnabled()) return {};
        autopilot_.Expect([](QWidget* modal) {
            auto* dialog = qobject_cast<CGeneratorProgressDialog*>(modal);
            if (!dialog) return false;
            auto* start = dialog->findChild<QPushButton*>("startButton");
            auto* close = dialog->findChild<QPushButton*>("closeButton");
            if (!dialog->IsStarted()) {
                dialog->findChild<QCheckBox*>("viewCheck")->setChecked(false);
                start->click();
            } else if (close->isVisible()) {
                close->click();
            }
            return true;
        });
        generate->trigger();
        autopilot_.TakeMessages();
        return {};
    }

    QString Save()
    {
        Click("saveProject");
        autopilot_.TakeMessages();
        if (frame_.Document().IsModified()) return "Save Project left the project modified";
        saved_ = live_;
        // The file opens to the project as it stands.
        Ptr<CProject> reopened = LoadProjectFile(ToCorePath(path_));
        if (reopened->GetSequences().GetSize() != static_cast<int>(live_.size()))
            return "the saved file lost sequences";
        for (size_t i = 0; i < live_.size(); ++i) {
            CSequence& sequence = *reopened->GetSequences()[static_cast<int>(i)];
            const std::string& text = sequence.GetResidues();
            if (sequence.GetName() != live_[i].name || LettersOf(text) != live_[i].letters)
                return QString::fromStdString("the saved file holds other residues for " + live_[i].name);
            const QString fault = Agrees(text, sequence.IsDisplayLayout());
            if (!fault.isEmpty()) return "in the saved file, " + QString::fromStdString(live_[i].name) + ": " + fault;
        }
        return {};
    }

    QString Reload()
    {
        Click("reloadSavedProject");
        autopilot_.TakeMessages();
        live_ = saved_;
        deleted_.clear();
        current_ = live_.empty() ? -1 : 0;
        goAgainFrom_ = -1;
        return {};
    }

    QString Add()
    {
        const std::string name = "added" + std::to_string(++added_);
        const int type = static_cast<int>(Pick(4));
        static const char* const kRadios[] = {"dna", "rna", "dnaRna", "protein"};
        static const char* const kTypes[] = {"DNA", "RNA", "DNA/RNA", "PRT"};
        autopilot_.Expect([name, type](QWidget* modal) {
            auto* dialog = qobject_cast<CAddSequenceDialog*>(modal);
            if (!dialog) return false;
            dialog->findChild<QLineEdit*>("name")->setText(QString::fromStdString(name));
            dialog->findChild<QRadioButton*>(kRadios[type])->setChecked(true);
            dialog->findChild<QPushButton*>("ok")->click();
            return true;
        });
        Click("add");
        live_.push_back({name, kTypes[type], ""});
        current_ = static_cast<int>(live_.size()) - 1;
        goAgainFrom_ = -1;
        return {};
    }

    QString Delete()
    {
        if (current_ < 0) return {};
        deleted_.push_back(live_[current_]);
        live_.erase(live_.begin() + current_);
        Click("deleteSequence");
        current_ = live_.empty() ? -1 : std::min(current_, static_cast<int>(live_.size()) - 1);
        goAgainFrom_ = -1;
        return {};
    }

    QString Restore()
    {
        if (deleted_.empty() || !Button("restore")->isEnabled()) return {};
        autopilot_.Expect([](QWidget* modal) {
            auto* dialog = qobject_cast<CRestoreSeqDialog*>(modal);
            if (!dialog) return false;
            auto* list = dialog->findChild<QListWidget*>("deleted");
            list->clearSelection();
            list->item(0)->setSelected(true);
            dialog->findChild<QPushButton*>("restore")->click();
            dialog->findChild<QPushButton*>("close")->click();
            return true;
        });
        Click("restore");
        live_.push_back(deleted_.front());
        deleted_.erase(deleted_.begin());
        current_ = static_cast<int>(live_.size()) - 1;
        goAgainFrom_ = -1;
        return {};
    }

    QString Reorder()
    {
        if (live_.size() < 2) return {};
        const int count = static_cast<int>(live_.size());
        const int first = 1 + static_cast<int>(Pick(count));
        const int last = first + static_cast<int>(Pick(count - first + 1));
        const int after = 1 + static_cast<int>(Pick(count));
        autopilot_.Expect([first, last, after](QWidget* modal) {
            auto* dialog = qobject_cast<CReorderSeqDialog*>(modal);
            if (!dialog) return false;
            auto* listA = dialog->findChild<QTableWidget*>("listA");
            auto* listB = dialog->findChild<QTableWidget*>("listB");
            listA->setRangeSelected(QTableWidgetSelectionRange(first - 1, 0, last - 1, 1), true);
            listB->selectRow(after - 1);
            dialog->findChild<QPushButton*>("reorder")->click();
            dialog->findChild<QPushButton*>("ok")->click();
            return true;
        });
        Click("reorder");
        // The block goes after row "after", or stays where it was when that
        // row is inside it.
        std::vector<Expected> block(live_.begin() + first - 1, live_.begin() + last);
        live_.erase(live_.begin() + first - 1, live_.begin() + last);
        const int at = after < first ? after : after > last ? after - (last - first + 1) : first - 1;
        live_.insert(live_.begin() + at, block.begin(), block.end());
        current_ = count - 1;
        log_.last() += QString("%1-%2>%3").arg(first).arg(last).arg(after);
        return {};
    }

    QString Alter()
    {
        if (current_ < 0 || !Button("alterSeqType")->isEnabled()) return {};
        const int type = static_cast<int>(Pick(3));
        static const char* const kRadios[] = {"dna", "rna", "dnaRna"};
        static const char* const kTypes[] = {"DNA", "RNA", "DNA/RNA"};
        autopilot_.Expect([type](QWidget* modal) {
            auto* dialog = qobject_cast<CChangeSequenceTypeDialog*>(modal);
            if (!dialog) return false;
            dialog->findChild<QRadioButton*>(kRadios[type])->setChecked(true);
            dialog->findChild<QPushButton*>("convert")->click();
            return true;
        });
        Click("alterSeqType");
        live_[current_].type = kTypes[type];
        return {};
    }

    QString Features()
    {
        if (current_ < 0) return {};
        CSequence* sequence = View().CurrentSequence();
        const int before = sequence->GetFeatures().GetSize();
        frame_.Document().SetModified(false);
        autopilot_.Expect([](QWidget* modal) {
            auto* screen = qobject_cast<CFeatureDialog*>(modal);
            if (!screen) return false;
            // OK untouched; a screen that stays open for its messages is cancelled.
            if (!screen->property("okPressed").toBool()) {
                screen->setProperty("okPressed", true);
                screen->findChild<QPushButton*>("okButton")->click();
            } else {
                screen->reject();
            }
            return true;
        });
        frame_.Action("actionFeatureData")->trigger();
        if (View().CurrentSequence()->GetFeatures().GetSize() != before)
            return "OK on an untouched screen added a feature";
        if (frame_.Document().IsModified()) return "OK on an untouched screen marked the project modified";
        return {};
    }

    // A stored residue text and its flag: letters only, or exactly the layout
    // of its letters.
    static QString Agrees(const std::string& text, bool layout)
    {
        if (text.empty() || text == CSequence::kNoResidues) return {};
        const std::string letters = LettersOf(text);
        if (layout && text != Layout(letters)) return "said to be laid out, but is not";
        if (!layout && text != letters) return "said to be plain letters, but holds more";
        return {};
    }

    QString Check()
    {
        const CArray<Ptr<CSequence>>& sequences = Project().GetSequences();
        if (sequences.GetSize() != static_cast<int>(live_.size())) return "the project holds other sequences";
        CSequence* current = View().CurrentSequence();
        const bool editorPending = Editor()->document()->isModified();
        for (int i = 0; i < sequences.GetSize(); ++i) {
            CSequence& sequence = *sequences[i];
            const Expected& expected = live_[static_cast<size_t>(i)];
            const QString name = QString::fromStdString(expected.name);
            if (sequence.GetName() != expected.name) return "sequence " + name + " is not in its place";
            if (sequence.GetTypeName() != expected.type) return name + " has another type";
            // Read without disturbing it: parked residues from their file.
            const std::string text = sequence.AreResiduesInMemory()
                                         ? sequence.GetResidues()
                                         : CResidueFiles::Read(sequence.GetTemporaryFilePath());
            const QString fault = Agrees(text, sequence.IsDisplayLayout());
            if (!fault.isEmpty())
                return name + (sequence.AreResiduesInMemory() ? " in memory: " : " in its residue file: ") + fault;
            const bool typedNotStored = &sequence == current && editorPending;
            if (!typedNotStored && LettersOf(text) != expected.letters) return name + " lost or gained residues";
        }
        if (current_ < 0) return current ? "a sequence is current in an empty list" : QString();
        if (current != sequences[current_].get()) return "another sequence is current";
        const QString shown = Editor()->toPlainText();
        if (LettersOf(shown) != live_[static_cast<size_t>(current_)].letters) return "the editor shows other residues";
        if (!editorPending && current->IsDisplayLayout() && shown.toStdString() != current->GetResidues())
            return "the sequence is laid out but the editor shows something else";
        return {};
    }

    CMainFrame& frame_;
    QString path_;
    std::mt19937 rng_;
    CAutopilot autopilot_;
    std::vector<Expected> live_, deleted_, saved_;
    int current_ = -1;
    int added_ = 0;
    int goAgainFrom_ = -1;
    std::string lastPattern_;
    QStringList log_;
};

}  // namespace

class ViewWalkTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

    // The example project with a parked protein, a short DNA and a feature
    // whose other information holds a CR LF and a leading blank.
    QString MakeProject(const QString& name)
    {
        Ptr<CProject> project = LoadProjectFile(QLN_SOURCE_DIR "/examples/demo.prj");
        std::string protein;
        for (int i = 0; i < 180; ++i) protein += "MKVLAGHWST"[i * 7 % 10];
        project->Add(new CProtein1Sequence(project.get(), "long-protein", "Homo sapiens", protein));
        auto* dna = new CDNASequence(project.get(), "short-dna", "Homo sapiens", "acgtgattacaggattaca");
        dna->GetFeatures().Add(MakeFeatureForKey(dna, "misc_feature", " first line\r\nsecond line", "1", "4", false));
        project->Add(dna);
        const QString path = tmp_.filePath(name);
        SaveProjectFile(*project, ToCorePath(path));
        return path;
    }

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void walks()
    {
        const QByteArray seedText = qgetenv("QLN_WALK_SEED");
        const int steps = qEnvironmentVariableIsSet("QLN_WALK_STEPS") ? qEnvironmentVariableIntValue("QLN_WALK_STEPS")
                                                                      : 100;
        std::vector<unsigned> seeds = {1, 2, 3, 4};
        if (!seedText.isEmpty()) seeds = {seedText.toUInt()};
        for (unsigned seed : seeds) {
            const QString path = MakeProject(QString("walk%1.prj").arg(seed));
            CMainFrame frame;
            frame.show();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            QVERIFY(frame.OpenProject(path));
            CWalk walk(frame, path, seed);
            for (int step = 0; step < steps; ++step) {
                const QString fault = walk.Step();
                QVERIFY2(fault.isEmpty(), qPrintable(QString("seed %1: ").arg(seed) + fault));
            }
            if (qEnvironmentVariableIsSet("QLN_WALK_LOG")) qInfo("seed %u: %s", seed, qPrintable(walk.Log()));
            frame.Document().SetModified(false);
            frame.Document().Project().GetDeletedSequences().RemoveAll();
        }
    }
};

QTEST_MAIN(ViewWalkTest)
#include "ViewWalkTest.moc"
