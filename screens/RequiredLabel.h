// The label of a required field as the screens' forms declare it: a red
// label (text beginning "* ") that the form builder can create.
#pragma once

#include "app/RedStatic.h"

namespace qln {

class CRequiredLabel : public CRedStatic {
public:
    explicit CRequiredLabel(QWidget* parent = nullptr) : CRedStatic(QString(), parent) {}
};

}  // namespace qln
