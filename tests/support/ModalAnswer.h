// Answers the modal window that the code under test opens and waits in:
// a timer looks for it once the nested event loop runs.
#pragma once

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace qln::test {

// Settings and residue files of a test run go to folders of its own, so a
// test never touches the user's Quillion.
inline void UsePrivateFolders(const QTemporaryDir& tmp) {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("TMP", QFile::encodeName(tmp.path()));
}

// Calls answer with the first modal window of type T that becomes active,
// within about two seconds.
template <class T>
void AnswerModal(std::function<void(T*)> answer, int triesLeft = 200) {
    QTimer::singleShot(10, [answer, triesLeft] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(window);
        else if (triesLeft > 0)
            AnswerModal<T>(answer, triesLeft - 1);
    });
}

struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Reads the next message box and presses the given button.
inline std::shared_ptr<SeenMessage> AnswerMessageBox(QMessageBox::StandardButton answer) {
    auto seen = std::make_shared<SeenMessage>();
    AnswerModal<QMessageBox>([seen, answer](QMessageBox* box) {
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        ++seen->count;
        box->button(answer)->click();
    });
    return seen;
}

// Reads the next message box and presses its OK button.
inline std::shared_ptr<SeenMessage> ExpectMessageBox() { return AnswerMessageBox(QMessageBox::Ok); }

// Types the path into a file dialog's name field and presses Enter.
inline void TypeFileName(QFileDialog* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (!name) return;  // the caller sees that no file was chosen
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

}  // namespace qln::test
