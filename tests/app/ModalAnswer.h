// Answers the modal window that the code under test opens and waits in:
// a timer looks for it once the nested event loop runs.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace qln::test {

// Calls answer with the first modal window of type T that becomes active,
// within about two seconds.
template <class T>
void AnswerModal(std::function<void(T*)> answer, int triesLeft = 200)
{
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

// Reads the next message box and presses its OK button.
inline std::shared_ptr<SeenMessage> ExpectMessageBox()
{
    auto seen = std::make_shared<SeenMessage>();
    AnswerModal<QMessageBox>([seen](QMessageBox* box) {
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        ++seen->count;
        box->button(QMessageBox::Ok)->click();
    });
    return seen;
}

}  // namespace qln::test
