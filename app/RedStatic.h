// The label of a required field ("* Organism:"): red on light grey.
#pragma once

#include <QLabel>

namespace qln {

class CRedStatic : public QLabel {
    Q_OBJECT
public:
    explicit CRedStatic(const QString& text, QWidget* parent = nullptr);
};

}  // namespace qln
