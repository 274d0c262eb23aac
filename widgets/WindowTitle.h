// Small windows are made at least as wide as their title needs: the window
// manager cuts a title that does not fit.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

namespace qln {

inline void KeepTitleVisible(QWidget* window)
{
    // Title bars use a larger, bold face and keep room for their buttons.
    QFont title = window->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.2);
    constexpr int kButtonsAndMargins = 160;
    const int needed = QFontMetrics(title).horizontalAdvance(window->windowTitle()) + kButtonsAndMargins;
    window->setMinimumWidth(qMax(window->minimumWidth(), needed));
}

}  // namespace qln
