#include "app/frame/SequenceSearch.h"

#include "app/frame/DisplayLayout.h"
#include "model/AsciiText.h"

namespace qln {

namespace {

int64_t PositionOfLetter(const std::string& text, size_t letter)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (IsAsciiLetter(text[i]) && letter-- == 0) return static_cast<int64_t>(i);
    return static_cast<int64_t>(text.size());
}

}  // namespace

CSequenceSearch::Hit CSequenceSearch::Find(const std::string& residueText, bool displayLayout,
                                           const std::string& pattern, int64_t caret)
{
    Hit hit;
    std::string letters;
    letters.reserve(residueText.size());
    // Text not in the layout maps the caret by the letters before it.
    int64_t lettersBeforeCaret = 0;
    for (size_t i = 0; i < residueText.size(); ++i) {
        if (!IsAsciiLetter(residueText[i])) continue;
        if (static_cast<int64_t>(i) < caret) ++lettersBeforeCaret;
        letters += residueText[i];
    }
    const int64_t count = static_cast<int64_t>(letters.size());
    int64_t start = displayLayout ? CDisplayLayout::ResidueAtCaret(caret, count) : lettersBeforeCaret;
    // Pressed again on the last hit: look beyond it. Stepping on by residue
    // rather than by column also steps over a hit at the end of a line.
    if (caret == lastFound_ && pattern == lastPattern_) ++start;

    if (pattern.empty() || start >= count) return hit;
    const size_t at = letters.find(pattern, static_cast<size_t>(start));
    if (at == std::string::npos) return hit;

    hit.found = true;
    hit.residue = static_cast<int64_t>(at);
    const size_t last = at + pattern.size() - 1;
    if (displayLayout) {
        hit.editorPosition = CDisplayLayout::CaretOfResidue(hit.residue);
        hit.editorEnd = CDisplayLayout::CaretOfResidue(static_cast<int64_t>(last)) + 1;
    } else {
        hit.editorPosition = PositionOfLetter(residueText, at);
        hit.editorEnd = PositionOfLetter(residueText, last) + 1;
    }
    lastFound_ = hit.editorPosition;
    lastPattern_ = pattern;
    return hit;
}

}  // namespace qln
