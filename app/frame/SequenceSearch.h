// The Go button: finds the search text in the residues from the caret on;
// pressed again on the hit it finds the next one.
#pragma once

#include <cstdint>
#include <string>

namespace qln {

class CSequenceSearch {
public:
    struct Hit {
        bool found = false;
        int64_t residue = -1;         // index among the residues
        int64_t editorPosition = -1;  // where the editor shows its first letter
        int64_t editorEnd = -1;       // just after its last letter
    };

    // residueText: exactly what the editor shows, in the display layout when
    // displayLayout is set. pattern: already in the sequence's letter case.
    // caret: the editor's selection start.
    Hit Find(const std::string& residueText, bool displayLayout, const std::string& pattern, int64_t caret);
    // Another sequence, or a cleared editor: the next Go starts afresh.
    void Forget()
    {
        lastFound_ = -1;
        lastPattern_.clear();
    }
    int64_t LastFound() const { return lastFound_; }

private:
    int64_t lastFound_ = -1;
    std::string lastPattern_;  // Go again looks beyond a hit of the same text only
};

}  // namespace qln
