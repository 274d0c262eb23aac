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
        int64_t editorPosition = -1;  // where the editor shows it
    };

    // residueText: the sequence's residues, in the display layout when
    // displayLayout is set, else as stored. pattern: already in the
    // sequence's letter case. caret: the editor's selection start.
    Hit Find(const std::string& residueText, bool displayLayout, const std::string& pattern, int64_t caret);
    // Another sequence, or a cleared editor: the next Go starts afresh.
    void Forget() { lastFound_ = -1; }
    int64_t LastFound() const { return lastFound_; }

private:
    int64_t lastFound_ = -1;
};

}  // namespace qln
