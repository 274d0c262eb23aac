// The label of a required field ("* Organism:"): red on light grey.
#pragma once

#include <QLabel>

namespace qln {

class CRedStatic : public QLabel {
    Q_OBJECT
public:
    // The forms made in the designer give the text after construction.
    explicit CRedStatic(QWidget* parent = nullptr) : CRedStatic(QString(), parent) {}
    explicit CRedStatic(const QString& text, QWidget* parent = nullptr);
};

}  // namespace qln
