// libFuzzer target for the sequence text file importer. Any bytes may be
// read as a sequence file, with the character filter off and on; every
// problem must come out as a message. The imported sequences are then added
// to a project with the command-line defaults. Checked after each run:
// the result agrees with the messages, the messages stay within a fixed
// multiple of the input, every sequence has a usable name and (filtered)
// only residues of its alphabet, and the project's names are distinct.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "import/SequenceFileImporter.h"
#include "fuzz/FuzzSupport.h"
#include "model/ResidueFile.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void CheckSequences(qln::CArray<qln::Ptr<qln::CSequence>>& sequences, bool filter) {
    for (const auto& sequence : sequences) {
        const std::string& name = sequence->GetName();
        if (name.size() > qln::SequenceFileImporter::kMaxNameLength) Fail("name longer than the limit");
        if (!name.empty() && (IsWhiteSpace(name.front()) || IsWhiteSpace(name.back()))) Fail("name not trimmed");
        if (sequence->GetSourceReference() != "fuzz.txt") Fail("source reference lost");
        const std::string& residues = sequence->GetResidues();
        for (char c : residues)
            if (IsWhiteSpace(c)) Fail("white space in residues");
        if (filter && !sequence->IsKindOf(qln::CProtein3Sequence::runtimeClass) && residues.substr(0, 3) != "000")
            for (char c : residues)
                if (sequence->GetAlphabet().find(c) == std::string::npos) Fail("filtered residue outside alphabet");
        sequence->UnloadResidues();
    }
}

void RunOnce(std::string_view bytes, bool filter) {
    qln::CProject project;
    qln::CDefaultImportChoices choices(&project);
    qln::SequenceFileImporter importer(project, choices, nullptr, filter);
    const bool ok = importer.ReadText(bytes, "fuzz.txt");
    if (ok != importer.GetMessages().empty()) Fail("result disagrees with the messages");

    size_t messageBytes = 0;
    for (const std::string& message : importer.GetMessages()) messageBytes += message.size();
    if (messageBytes > 400 * bytes.size() + 1000) Fail("messages out of proportion to the input");

    CheckSequences(importer.GetSequences(), filter);

    qln::CImportDriver driver(project, choices);
    const qln::CAddOutcome added = driver.AddSequences(importer.GetSequences());
    if (added.cancelled || added.added != importer.GetSequences().GetSize()) Fail("defaults did not add everything");
    std::set<std::string> names;
    for (const auto& sequence : project.GetSequences())
        if (!names.insert(sequence->GetName()).second) Fail("duplicate name in the project");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-sequence-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RunOnce(bytes, false);
    RunOnce(bytes, true);
    return 0;
}
