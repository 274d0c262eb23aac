#include "app/document/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qln {

// A blue tile with two intertwined strands and their rungs: a double helix
// standing for the sequences the program lists.
QPixmap DrawQuillionIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(40, 92, 170));
    tile.setColorAt(1, QColor(18, 48, 104));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0, 0, s, s).adjusted(s * 0.03, s * 0.03, -s * 0.03, -s * 0.03), s * 0.18, s * 0.18);

    const qreal top = s * 0.16, bottom = s * 0.84, centre = s * 0.5, amplitude = s * 0.22;
    QPainterPath first, second;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = static_cast<qreal>(i) / steps;
        const qreal y = top + t * (bottom - top);
        const qreal x = amplitude * std::sin(t * 2 * M_PI);
        if (i == 0) {
            first.moveTo(centre + x, y);
            second.moveTo(centre - x, y);
        } else {
            first.lineTo(centre + x, y);
            second.lineTo(centre - x, y);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 200, 255), std::max<qreal>(1, s * 0.025)));
    for (int i = 1; i < 8; ++i) {
        const qreal t = i / 8.0;
        const qreal y = top + t * (bottom - top);
        const qreal x = amplitude * std::sin(t * 2 * M_PI);
        painter.drawLine(QPointF(centre - x, y), QPointF(centre + x, y));
    }
    painter.setPen(QPen(QColor(255, 214, 90), std::max<qreal>(1.5, s * 0.06), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(first);
    painter.setPen(QPen(Qt::white, std::max<qreal>(1.5, s * 0.06), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(second);
    return pixmap;
}

QIcon QuillionIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawQuillionIcon(size));
    return icon;
}

}  // namespace qln
