#include "app/document/SplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/document/AppIcon.h"

namespace qln {

namespace {

QPixmap DrawSplash()
{
    const int width = 520, height = 260;
    QPixmap pixmap(width, height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, width, height);
    background.setColorAt(0, QColor(245, 248, 253));
    background.setColorAt(1, QColor(206, 221, 242));
    painter.fillRect(pixmap.rect(), background);
    painter.setPen(QPen(QColor(18, 48, 104), 2));
    painter.drawRect(pixmap.rect().adjusted(1, 1, -2, -2));

    painter.drawPixmap(32, 62, DrawQuillionIcon(128));

    QFont title = painter.font();
    title.setPointSize(34);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(18, 48, 104));
    painter.drawText(QRect(176, 70, width - 190, 60), Qt::AlignLeft | Qt::AlignVCenter, "Quillion");

    QFont line = painter.font();
    line.setPointSize(11);
    line.setBold(false);
    painter.setFont(line);
    painter.setPen(QColor(50, 60, 80));
    painter.drawText(QRect(178, 130, width - 190, 24), Qt::AlignLeft | Qt::AlignVCenter, "Version " QLN_VERSION);
    painter.drawText(QRect(178, 154, width - 190, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     "Sequence listings for patent applications");
    return pixmap;
}

}  // namespace

CSplashWnd::CSplashWnd() : QSplashScreen(DrawSplash())
{
    // Its timer may run out while a message is up before the main window
    // shows; that must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
}

void CSplashWnd::ShowSplash()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    QTimer::singleShot(kShowMs, this, &CSplashWnd::Finish);
}

void CSplashWnd::Finish()
{
    if (finished_) return;
    finished_ = true;
    qApp->removeEventFilter(this);
    close();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (finished_) return QSplashScreen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken here, so that no shortcut fires for the key that closes us.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress: Finish(); return true;
    default: return QSplashScreen::eventFilter(watched, event);
    }
}

}  // namespace qln

#include "moc_SplashWnd.cpp"
