#include "app/frame/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

namespace qln {

namespace {

constexpr int kSize = 32;  // drawn large, scaled down by the tool bar

const QColor kInk(0x30, 0x30, 0x30);
const QColor kPaper(0xfb, 0xfb, 0xf5);
const QColor kBlue(0x2f, 0x6d, 0xb5);
const QColor kGreen(0x2e, 0x8b, 0x3e);
const QColor kOrange(0xd9, 0x7a, 0x1c);

QIcon Drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.6));
    draw(painter);
    return QIcon(pixmap);
}

void Page(QPainter& p, const QRectF& r, const QColor& fill = kPaper)
{
    p.setBrush(fill);
    p.drawRect(r);
}

void TextLines(QPainter& p, const QRectF& r, int lines)
{
    p.save();
    p.setPen(QPen(kInk.lighter(180), 1.4));
    for (int i = 0; i < lines; ++i) {
        const qreal y = r.top() + 5 + i * 4.5;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
    p.restore();
}

void Person(QPainter& p, qreal x, qreal y, qreal scale, const QColor& fill)
{
    p.setBrush(fill);
    p.drawEllipse(QPointF(x, y), 4.5 * scale, 4.5 * scale);
    QPainterPath body;
    body.moveTo(x - 9 * scale, y + 16 * scale);
    body.cubicTo(x - 9 * scale, y + 5 * scale, x + 9 * scale, y + 5 * scale, x + 9 * scale, y + 16 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

}  // namespace

QIcon MakeToolIcon(ToolIcon icon, const QStyle* style)
{
    switch (icon) {
    case ToolIcon::New: return style->standardIcon(QStyle::SP_FileIcon);
    case ToolIcon::Open: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case ToolIcon::Save: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case ToolIcon::About: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case ToolIcon::Cut:
        return QIcon::fromTheme(QStringLiteral("edit-cut"), Drawn([](QPainter& p) {
                                    p.setPen(QPen(kInk, 2.2));
                                    p.drawLine(QPointF(9, 3), QPointF(21, 21));
                                    p.drawLine(QPointF(23, 3), QPointF(11, 21));
                                    p.setBrush(Qt::NoBrush);
                                    p.setPen(QPen(kBlue, 2.4));
                                    p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
                                    p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
                                }));
    case ToolIcon::Copy:
        return QIcon::fromTheme(QStringLiteral("edit-copy"), Drawn([](QPainter& p) {
                                    Page(p, QRectF(4, 3, 16, 20));
                                    TextLines(p, QRectF(4, 3, 16, 20), 3);
                                    Page(p, QRectF(12, 9, 16, 20));
                                    TextLines(p, QRectF(12, 9, 16, 20), 3);
                                }));
    case ToolIcon::Paste:
        return QIcon::fromTheme(QStringLiteral("edit-paste"), Drawn([](QPainter& p) {
                                    p.setBrush(kOrange);
                                    p.drawRoundedRect(QRectF(5, 5, 20, 24), 2, 2);
                                    p.setBrush(QColor(0x90, 0x90, 0x90));
                                    p.drawRect(QRectF(11, 2, 8, 5));
                                    Page(p, QRectF(13, 12, 15, 17));
                                    TextLines(p, QRectF(13, 12, 15, 17), 3);
                                }));
    case ToolIcon::ProjectData:
        return Drawn([](QPainter& p) {
            Page(p, QRectF(6, 2, 20, 28));
            p.fillRect(QRectF(7, 3, 19, 6), kBlue);
            TextLines(p, QRectF(6, 8, 20, 20), 4);
        });
    case ToolIcon::PriorApplication:
        return Drawn([](QPainter& p) {
            Page(p, QRectF(10, 2, 18, 24));
            TextLines(p, QRectF(10, 2, 18, 24), 4);
            p.setBrush(QColor(0xf0, 0xe6, 0xc8));
            p.drawEllipse(QPointF(10, 21), 8, 8);
            p.drawLine(QPointF(10, 21), QPointF(10, 16));
            p.drawLine(QPointF(10, 21), QPointF(14, 21));
        });
    case ToolIcon::Individual: return Drawn([](QPainter& p) { Person(p, 16, 9, 1.2, kBlue); });
    case ToolIcon::Organization:
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0xb8, 0xc4, 0xd0));
            p.drawRect(QRectF(6, 4, 20, 26));
            p.setBrush(kBlue);
            for (int row = 0; row < 4; ++row)
                for (int col = 0; col < 3; ++col) p.drawRect(QRectF(9 + col * 5.5, 7 + row * 5, 3, 3));
        });
    case ToolIcon::Database:
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0xc9, 0xdc, 0xef));
            QPainterPath drum;
            drum.moveTo(5, 8);
            drum.lineTo(5, 24);
            drum.arcTo(QRectF(5, 20, 22, 8), 180, 180);
            drum.lineTo(27, 8);
            drum.closeSubpath();
            p.drawPath(drum);
            p.drawEllipse(QRectF(5, 4, 22, 8));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(5, 12, 22, 8), 180 * 16, 180 * 16);
        });
    case ToolIcon::FeatureData:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 2));
            p.drawLine(QPointF(2, 16), QPointF(30, 16));
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(kGreen);
            p.drawRect(QRectF(6, 11, 9, 10));
            p.setBrush(kOrange);
            p.drawRect(QRectF(19, 11, 7, 10));
        });
    case ToolIcon::Generate:
        return Drawn([](QPainter& p) {
            Page(p, QRectF(3, 2, 18, 26));
            TextLines(p, QRectF(3, 2, 18, 26), 5);
            QPainterPath arrow;
            arrow.moveTo(16, 14);
            arrow.lineTo(30, 22);
            arrow.lineTo(16, 30);
            arrow.closeSubpath();
            p.setBrush(kGreen);
            p.drawPath(arrow);
        });
    }
    return {};
}

}  // namespace qln
