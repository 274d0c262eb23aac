// The main view's small decisions: which controls are enabled, which line is
// selected after a delete, and when the organism asks for a comment.
#pragma once

#include <string>

namespace qln {

class CViewRules {
public:
    struct Controls {
        // The list, organism, search field, editor, Clear, Standard..., Go,
        // Reorder, Validate, Custom..., Delete and Skip this sequence.
        bool sequenceControls = false;
        bool alterSeqType = false;
        bool restore = false;
    };
    // enabled: the project has sequences; typeText: the current sequence's.
    static Controls ControlsFor(bool enabled, const std::string& typeText, bool hasDeletedSequences);

    // The line selected after deleting line deletedRow, with rowsLeft lines
    // left; -1 for none.
    static int RowAfterDelete(int deletedRow, int rowsLeft);

    enum class CommentPrompt { Nothing, Ask, ClearComment };
    // The organism field lost the focus, or Standard... chose a name.
    static CommentPrompt CommentPromptFor(const std::string& organism, const std::string& comment,
                                          bool commentDeclined);
};

}  // namespace qln
