// The journals the journal screen offers in its "Journal:" list. Any other
// name may be typed; these are a convenience.
#pragma once

#include <QStringList>

namespace qln {

// The offered names, sorted alphabetically without regard to case.
const QStringList& JournalNames();

}  // namespace qln
