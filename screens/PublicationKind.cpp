#include "screens/PublicationKind.h"

#include <QDialog>

namespace qln {

namespace {

// Above QDialog's Rejected (0) and Accepted (1).
constexpr int kFirstJumpResult = 2;
constexpr int kKinds = 4;

}  // namespace

int JumpResult(CPublicationKind target)
{
    static_assert(QDialog::Accepted < kFirstJumpResult && QDialog::Rejected < kFirstJumpResult);
    return kFirstJumpResult + static_cast<int>(target);
}

std::optional<CPublicationKind> JumpTarget(int result)
{
    const int kind = result - kFirstJumpResult;
    if (kind < 0 || kind >= kKinds) return std::nullopt;
    return static_cast<CPublicationKind>(kind);
}

void RunPublicationScreens(CPublicationKind first, const std::function<int(CPublicationKind)>& open)
{
    std::optional<CPublicationKind> next = first;
    while (next) next = JumpTarget(open(*next));
}

}  // namespace qln
