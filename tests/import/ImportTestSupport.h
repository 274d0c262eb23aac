// Scripted answers and recorders for the import tests.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "import/DefaultImportChoices.h"
#include "import/ImportChoices.h"
#include "import/ImportDriver.h"
#include "support/TempFolder.h"

namespace qln::test {

// Answers from a script and remembers every question.
class ScriptedChoices : public CImportChoices {
public:
    // ChooseSequenceFileType: this answer (nothing = Cancel).
    std::optional<std::string> fileType = std::string("DNA");
    StringList fileTypeQuestions;

    // SelectSequences: all entries unless a selection is scripted.
    bool selectAll = true;
    std::optional<std::vector<int>> selection;
    std::vector<StringList> selectionQuestions;

    // RenameDuplicate: the answers in order (nothing = Stop import).
    std::deque<std::optional<std::string>> renames;
    StringList renameQuestions;

    std::optional<std::string> ChooseSequenceFileType(const std::string& fileName) override {
        fileTypeQuestions.push_back(fileName);
        return fileType;
    }
    // SplitApplicantNames: the command-line defaults.
    std::optional<std::vector<CNameAttribute>> SplitApplicantNames(const StringList& names) override {
        std::vector<CNameAttribute> records;
        for (const std::string& name : names) records.push_back(CDefaultImportChoices::DefaultNameRecord(name));
        return records;
    }
    std::optional<int> ChooseInvalidSequenceType(const std::string&, const std::string&) override { return kDNA; }
    std::optional<int> ChooseSkippedSequenceType(const std::string&) override { return kDNA; }
    std::optional<std::vector<int>> SelectSequences(const StringList& entries) override {
        selectionQuestions.push_back(entries);
        if (!selectAll) return selection;
        std::vector<int> all;
        for (size_t i = 0; i < entries.size(); ++i) all.push_back(static_cast<int>(i));
        return all;
    }
    std::optional<std::string> RenameDuplicate(const std::string& name) override {
        renameQuestions.push_back(name);
        if (renames.empty()) return std::nullopt;
        std::optional<std::string> answer = renames.front();
        renames.pop_front();
        return answer;
    }
};

// Records the progress commands; asks to stop once told to.
class RecordingProgress : public CImportProgress {
public:
    std::vector<std::pair<int, int>> commands;
    StringList titles;
    bool stop = false;
    // Stop as soon as this many sequences were reported analysed (-1: never).
    int stopAfterAnalysed = -1;

    void Command(int code, int value) override {
        commands.emplace_back(code, value);
        if (code == kSequencesAnalyzed && value == stopAfterAnalysed) stop = true;
    }
    void SetTitle(const std::string& title) override { titles.push_back(title); }
    bool IsStopRequested() override { return stop; }

    std::vector<int> ValuesOf(int code) const {
        std::vector<int> values;
        for (const auto& [c, v] : commands)
            if (c == code) values.push_back(v);
        return values;
    }
};

class RecordingObserver : public CImportObserver {
public:
    StringList statusTexts;
    StringList addedNames;
    int updates = 0;

    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void SequenceAdded(CSequence& sequence) override { addedNames.push_back(sequence.GetName()); }
    void SequencesAdded() override { ++updates; }
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qln::test
