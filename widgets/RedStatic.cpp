#include "widgets/RedStatic.h"

#include <QPalette>

namespace qln {

CRedStatic::CRedStatic(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    colours.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(colours);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
}

}  // namespace qln
