// Opens the publication screens of a sequence, one after another as the
// user jumps between them.
#pragma once

#include <memory>

#include "screens/PublicationKind.h"

class QWidget;

namespace qln {

class CScreenDocument;
class CSequence;
class CScreenDialog;

// The screen of that kind over the sequence's publications of the kind.
std::unique_ptr<CScreenDialog> MakePublicationScreen(CPublicationKind kind, CScreenDocument& document,
                                                     CSequence& sequence, QWidget* parent);

// Runs the screen of the first kind and every screen the user jumps to;
// each takes its list over to the sequence on OK and on a jump.
void OpenPublicationScreens(CPublicationKind first, CScreenDocument& document, CSequence& sequence, QWidget* parent);

}  // namespace qln
