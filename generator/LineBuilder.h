// Lays residue groups out in lines: the residue line with its running total
// in columns 71 to 74, the translation line under it and the line of amino
// acid numbers under that. Up to 60 residues, 16 translated groups and 65
// columns go on one line.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qln {

class CLineBuilder {
public:
    static constexpr int kMaxResidues = 60;
    static constexpr int kMaxTranslated = 16;
    static constexpr int kMaxWidth = 65;
    static constexpr int kTotalEndColumn = 74;

    // With the residue line off (proteins and derived entries) only the
    // translation and number lines are written, unpadded.
    CLineBuilder(std::string& out, bool residueLine);

    // One group: its residue text, the number of residues it stands for, the
    // text shown under it and its number (0 for none; only 1, -1 and the
    // multiples of 5 are printed).
    void Add(std::string_view residues, int residueCount, std::string_view translation, int number);
    // The same for the common group of three residue letters (or three
    // spaces) over a three-letter translation, laid out the same way with
    // less work.
    void AddTriple(const char* residues, int residueCount, const char* translation, int number);
    // A group of three residue letters over a three-letter translation.
    struct Triple {
        const char* residues = nullptr;
        char translation[3] = {};
        int number = 0;
    };
    // Enough groups to tell whether they fill a line: one is left over.
    static constexpr int kTriplesToFillLine = kMaxTranslated + 1;
    // Lays out the first of these groups as one whole line, in one go, when
    // they are known to fill it (some group is left over); the text is the
    // same as adding them one by one. Returns how many went on the line, or
    // 0 when the line might still take groups of another kind. The current
    // line must be empty.
    int AddFullTripleLine(const Triple* triples, int count);
    // Writes the current line now when a group of three with this number
    // would not fit on it, so that the next line can be made whole.
    void EndLineUnlessTripleFits(int number);
    // A line of six plain groups of ten. The current line must be empty and
    // the residue line on.
    void AddPlainLine(const char* residues);
    bool IsLineEmpty() const { return groups_ == 0; }
    // Writes the line in progress, if any.
    void Finish();
    int64_t GetRunningTotal() const { return total_; }

    // The text printed for a number: empty unless it is 1, -1 or a multiple of 5.
    static size_t Label(int number, char* buffer);
    // The length of that text, without making it.
    static int LabelWidth(int number);

private:
    // One line of text being built. A line stays within a hundred or so
    // characters, so the storage rarely grows.
    class Text {
    public:
        Text() : storage_(128, ' ') {}
        // The end of the text with room for at least count more
        // characters; Advance then takes in those that were written.
        char* Tail(size_t count) {
            if (size_ + count > storage_.size()) storage_.resize(2 * (size_ + count));
            return storage_.data() + size_;
        }
        void Advance(size_t count) { size_ += count; }
        void Append(std::string_view text) {
            if (text.empty()) return;
            std::memcpy(Tail(text.size()), text.data(), text.size());
            size_ += text.size();
        }
        void AppendSpaces(size_t count) {
            std::memset(Tail(count), ' ', count);
            size_ += count;
        }
        void DropLast() {
            if (size_ > 0) --size_;
        }
        void Clear() { size_ = 0; }
        size_t Size() const { return size_; }
        std::string_view View() const { return {storage_.data(), size_}; }

    private:
        std::string storage_;
        size_t size_ = 0;
    };

    void WriteLine();
    bool TripleFits(int number) const;
    // How many of these groups go on one line, the line being empty.
    static int TriplesOnLine(const Triple* triples, int count);
    // A whole line of such groups, at most TriplesOnLine() of them.
    void AddTripleLine(const Triple* triples, int count);

    std::string& out_;
    const bool residueLine_;
    Text residueText_;
    Text translationText_;
    Text numberText_;
    int groups_ = 0;
    int residuesOnLine_ = 0;
    int translatedOnLine_ = 0;
    int width_ = 0;
    bool translationShown_ = false;
    int64_t total_ = 0;
};

}  // namespace qln
