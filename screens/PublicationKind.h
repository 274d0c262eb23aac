// The four kinds of publication a sequence cites, each edited on a screen of
// its own, and how the screens lead from one to another: a jump button
// closes its screen with a result that names the next one.
#pragma once

#include <functional>
#include <optional>

namespace qln {

enum class CPublicationKind { Journal, Patent, Thesis, Database };

// The result of a screen left through a jump button: neither Accepted nor
// Rejected, so that the caller knows which screen to open next.
int JumpResult(CPublicationKind target);
// The screen a result asks for; none after OK or Cancel.
std::optional<CPublicationKind> JumpTarget(int result);

// Opens the screen of the first kind, then the screen each jump asks for,
// until one closes with OK or Cancel. open runs one screen to its end and
// returns its result.
void RunPublicationScreens(CPublicationKind first, const std::function<int(CPublicationKind)>& open);

}  // namespace qln
