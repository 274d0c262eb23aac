// libFuzzer target for the listing parser. Any bytes may be handed to it as
// a listing: every problem must come out as messages, never as a crash, an
// exception, a hang or an allocation out of proportion to the input. What
// was imported must be usable: each sequence passes its own residue check
// and carries the file name as its source reference. The tolerant reading of
// other programs' listings is held to the same.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "import/ListingParser.h"
#include "fuzz/FuzzSupport.h"
#include "model/ResidueFile.h"

#if __has_include("import/DefaultImportChoices.h")
#include "import/DefaultImportChoices.h"
using FuzzChoices = qln::CDefaultImportChoices;
#else
// The answers nobody is there to give: every name an organization, DNA for
// every type question.
class FuzzChoices : public qln::CImportChoices {
public:
    explicit FuzzChoices(const qln::CProject*) {}
    std::optional<std::string> ChooseSequenceFileType(const std::string&) override { return "DNA"; }
    std::optional<std::vector<qln::CNameAttribute> > SplitApplicantNames(const qln::StringList& names) override {
        std::vector<qln::CNameAttribute> records(names.size());
        for (size_t i = 0; i < names.size(); ++i) records[i].displayText = names[i];
        return records;
    }
    std::optional<int> ChooseInvalidSequenceType(const std::string&, const std::string&) override { return kDNA; }
    std::optional<int> ChooseSkippedSequenceType(const std::string&) override { return kDNA; }
    std::optional<std::vector<int> > SelectSequences(const qln::StringList&) override { return std::nullopt; }
    std::optional<std::string> RenameDuplicate(const std::string&) override { return std::nullopt; }
};
#endif

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-listing-fuzz");
    return 0;
}

namespace {

void ParseAndCheck(const std::string& text, bool anyGenerator) {
    qln::Ptr<qln::CProject> project = qln::MakePtr<qln::CProject>();
    FuzzChoices choices(project.get());
    qln::ListingParser parser(*project, choices);
    parser.SetAnyGenerator(anyGenerator);
    const bool ok = parser.Parse(text, "/fuzz/in.txt");
    if (ok != parser.GetMessages().empty()) Fail("Parse result disagrees with the messages");

    for (const qln::Ptr<qln::CSequence>& sequence : parser.GetSequences()) {
        if (sequence->GetSourceReference() != "in.txt") Fail("imported sequence without source reference");
        if (sequence->GetName().rfind("Seq_", 0) != 0) Fail("imported sequence with another name");
        if (sequence->CheckResidues(sequence->GetName()) != 1) Fail("imported residues fail their own check");
        sequence->UnloadResidues();
    }
}

}  // namespace

// Every input is read as the program's own listing; one whose first byte is
// odd is read again accepting any generator, so that the tolerant reading is
// fuzzed on the same inputs (and seeds) without changing what they test.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseAndCheck(text, false);
    if (size > 0 && (data[0] & 1) != 0) ParseAndCheck(text, true);
    return 0;
}
