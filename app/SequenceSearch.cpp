#include "app/SequenceSearch.h"

#include "app/DisplayLayout.h"

namespace qln {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int64_t PositionOfLetter(const std::string& text, size_t letter)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (IsLetter(text[i]) && letter-- == 0) return static_cast<int64_t>(i);
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
        if (!IsLetter(residueText[i])) continue;
        if (static_cast<int64_t>(i) < caret) ++lettersBeforeCaret;
        letters += residueText[i];
    }
    const int64_t count = static_cast<int64_t>(letters.size());
    int64_t start = displayLayout ? CDisplayLayout::ResidueAtCaret(caret, count) : lettersBeforeCaret;
    // Pressed again on the last hit: look beyond it. Stepping on by residue
    // rather than by column also steps over a hit at the end of a line.
    if (caret == lastFound_) ++start;

    if (pattern.empty() || start >= count) return hit;
    const size_t at = letters.find(pattern, static_cast<size_t>(start));
    if (at == std::string::npos) return hit;

    hit.found = true;
    hit.residue = static_cast<int64_t>(at);
    hit.editorPosition = displayLayout ? CDisplayLayout::CaretOfResidue(hit.residue) : PositionOfLetter(residueText, at);
    lastFound_ = hit.editorPosition;
    return hit;
}

}  // namespace qln
