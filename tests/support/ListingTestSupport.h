// Scripted answers, a progress recorder and small helpers for the listing
// parser tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "import/ImportChoices.h"
#include "import/ListingParser.h"
#include "import/ListingSource.h"
#include "model/Project.h"
#ifdef QLN_SHARED_DIR
#include "support/SharedFolder.h"
#endif

namespace qln::test {

// Answers the listing's questions from a script and remembers each question.
class ListingChoices : public CImportChoices {
public:
    // SplitApplicantNames: every line an organization unless scripted;
    // nothing = Cancel.
    bool cancelNames = false;
    std::optional<std::vector<CNameAttribute>> names;
    std::vector<StringList> nameQuestions;

    // ChooseInvalidSequenceType: this answer (nothing = can't be asked).
    std::optional<int> invalidType = kDNA;
    std::vector<std::pair<std::string, std::string>> invalidTypeQuestions;

    // ChooseSkippedSequenceType: this answer.
    std::optional<int> skippedType = kDNA;
    StringList skippedTypeQuestions;

    std::optional<std::string> ChooseSequenceFileType(const std::string&) override { return std::nullopt; }
    std::optional<std::vector<CNameAttribute>> SplitApplicantNames(const StringList& lines) override {
        nameQuestions.push_back(lines);
        if (cancelNames) return std::nullopt;
        if (names) return names;
        std::vector<CNameAttribute> records;
        for (const std::string& line : lines) {
            CNameAttribute record;
            record.displayText = line;
            records.push_back(record);
        }
        return records;
    }
    std::optional<int> ChooseInvalidSequenceType(const std::string& message, const std::string& lines) override {
        invalidTypeQuestions.emplace_back(message, lines);
        return invalidType;
    }
    std::optional<int> ChooseSkippedSequenceType(const std::string& prompt) override {
        skippedTypeQuestions.push_back(prompt);
        return skippedType;
    }
    std::optional<std::vector<int>> SelectSequences(const StringList&) override { return std::nullopt; }
    std::optional<std::string> RenameDuplicate(const std::string&) override { return std::nullopt; }
};

// Records progress; asks to stop once a given number of stop checks passed.
class ListingProgress : public CImportProgress {
public:
    std::vector<std::pair<int, int>> commands;
    long stopAfterChecks = -1;  // -1: never
    long checks = 0;
    // Stop once this many sequences were reported analysed (-1: never).
    int stopAfterAnalysed = -1;
    bool stop = false;

    void Command(int code, int value) override {
        commands.emplace_back(code, value);
        if (code == kSequencesAnalyzed && value == stopAfterAnalysed) stop = true;
    }
    bool IsStopRequested() override {
        ++checks;
        if (stopAfterChecks >= 0 && checks > stopAfterChecks) stop = true;
        return stop;
    }
    std::vector<int> ValuesOf(int code) const {
        std::vector<int> values;
        for (const auto& [c, v] : commands)
            if (c == code) values.push_back(v);
        return values;
    }
};

// A parser over a new project with scripted answers.
struct ListingRun {
    Ptr<CProject> project = MakePtr<CProject>();
    ListingChoices choices;
    ListingProgress progress;
    ListingParser parser{*project, choices, &progress};
    bool ok = false;

    explicit ListingRun(const std::string& text = {}, const std::string& fileName = "/in/listing.txt") {
        if (!text.empty()) ok = parser.Parse(text, fileName);
    }
    bool Parse(const std::string& text, const std::string& fileName = "/in/listing.txt") {
        ok = parser.Parse(text, fileName);
        return ok;
    }
    const StringList& Messages() const { return parser.GetMessages(); }
    CArray<Ptr<CSequence>>& Sequences() { return parser.GetSequences(); }
    CSequence& Sequence(int i) { return *parser.GetSequences()[i]; }
};

// Hands a text out a few bytes at a time, each read a different size, so
// that lines and look-aheads cross the reader's blocks at every point.
class TrickleSource : public CListingSource {
public:
    explicit TrickleSource(std::string text) : text_(std::move(text)) {}
    size_t Read(char* into, size_t size) override {
        static constexpr size_t kSizes[] = {1, 7, 3, 64, 2, 500, 5, 40000};
        const size_t count = std::min({size, kSizes[reads_++ % std::size(kSizes)], text_.size() - at_});
        text_.copy(into, count, at_);
        at_ += count;
        return count;
    }

private:
    std::string text_;
    size_t at_ = 0;
    size_t reads_ = 0;
};

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The published listings, in the shared folder (the test programs only).
#ifdef QLN_SHARED_DIR
inline std::filesystem::path CorpusFolder() { return SharedFolder("corpus/st25"); }
#endif

}  // namespace qln::test
