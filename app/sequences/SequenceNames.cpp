#include "app/sequences/SequenceNames.h"

#include <unordered_set>

#include "model/AsciiText.h"

namespace qln {

std::string StripLeadingBlanks(const std::string& name)
{
    return std::string(TrimmedLeftView(name));
}

NameCheck CheckNewName(const std::string& name, const CArray<Ptr<CSequence>>& sequences)
{
    if (name.empty()) return NameCheck::Blank;
    for (const auto& sequence : sequences)
        if (sequence->GetName() == name) return NameCheck::Taken;
    return NameCheck::Free;
}

std::optional<std::vector<std::string>> PlanRestoreNames(const std::vector<std::string>& names,
                                                         const NameInUse& inProject, const AskNewName& askNewName)
{
    std::vector<std::string> planned;
    planned.reserve(names.size());
    std::unordered_set<std::string> earlier;
    for (const std::string& original : names) {
        std::string name = original;
        while (earlier.count(name) || inProject(name)) {
            std::optional<std::string> answer = askNewName(name);
            if (!answer) return std::nullopt;
            name = std::move(*answer);
        }
        earlier.insert(name);
        planned.push_back(std::move(name));
    }
    return planned;
}

}  // namespace qln
