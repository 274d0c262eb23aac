#include "app/frame/ViewRules.h"

#include "app/frame/TypingFilter.h"
#include "model/Sequence.h"

namespace qln {

CViewRules::Controls CViewRules::ControlsFor(bool enabled, const std::string& typeText, bool hasDeletedSequences)
{
    Controls controls;
    controls.sequenceControls = enabled;
    controls.alterSeqType = enabled && !CTypingFilter::IsProteinType(typeText);
    controls.restore = hasDeletedSequences;
    return controls;
}

int CViewRules::RowAfterDelete(int deletedRow, int rowsLeft)
{
    if (rowsLeft <= 0) return -1;
    return deletedRow < rowsLeft ? deletedRow : rowsLeft - 1;
}

CViewRules::CommentPrompt CViewRules::CommentPromptFor(const std::string& organism, const std::string& comment,
                                                       bool commentDeclined)
{
    if (!CSequence::IsArtificialOrUnknownOrganism(organism)) return CommentPrompt::ClearComment;
    return comment.empty() && !commentDeclined ? CommentPrompt::Ask : CommentPrompt::Nothing;
}

}  // namespace qln
