// The name rules of the sequence dialogs, apart from any widget: a name typed
// by the user loses its leading white space only, and names are compared
// exactly, letter case included.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/Sequence.h"

namespace qln {

// Leading white space removed; trailing white space is part of the name.
std::string StripLeadingBlanks(const std::string& name);

enum class NameCheck { Free, Blank, Taken };

// Checks a stripped name against every sequence of the list.
NameCheck CheckNewName(const std::string& name, const CArray<Ptr<CSequence>>& sequences);

// Final names for deleted sequences about to be restored, taken in the order
// given. A name is taken when a sequence earlier in the list ends up with it
// or the project has a sequence of that name (inProject); askNewName gets the
// taken name and answers with a new one, or nothing to stop. Its answer is
// checked again. Returns nothing when the user stopped: then no name may
// change and nothing may be restored.
using NameInUse = std::function<bool(const std::string& name)>;
using AskNewName = std::function<std::optional<std::string>(const std::string& takenName)>;
std::optional<std::vector<std::string>> PlanRestoreNames(const std::vector<std::string>& names,
                                                         const NameInUse& inProject, const AskNewName& askNewName);

}  // namespace qln
