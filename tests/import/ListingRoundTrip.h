// The round trip of a listing through a project: import it as the import
// screen does, generate the project's listing, import that, and compare the
// sequences. Shared by the seed test and the round-trip fuzz target, so it
// uses nothing of the test framework.
#pragma once

#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>

#include "generator/GenerationRun.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "import/ListingLines.h"
#include "import/ListingParser.h"
#include "model/AsciiText.h"
#include "model/Project.h"
#include "model/Sequence.h"
#include "support/ListingTestSupport.h"

namespace qln::test {

inline Ptr<CProject> ImportListingText(const std::string& text) {
    Ptr<CProject> project = MakePtr<CProject>();
    CDefaultImportChoices choices(project.get());
    ListingParser parser(*project, choices);
    parser.Parse(text, "/round-trip/in.txt");
    // As the import screen adds them: a name already taken gets a suffix.
    CImportDriver driver(*project, choices);
    driver.AddSequences(parser.GetSequences());
    return project;
}

// The letters of a residue text, in lower case: a stored text may keep
// digits and blanks that the listing leaves out, and the writer spells
// residues in its own case ("Ile" for "IlE").
inline std::string LowerLetters(const std::string& residues) {
    std::string letters;
    letters.reserve(residues.size());
    for (const char c : residues) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalpha(byte)) letters += static_cast<char>(std::tolower(byte));
    }
    return letters;
}

// What differs between the sequences of two projects, in order: empty when
// they agree. A skipped entry is listed by its number alone, so only its
// being skipped counts; so is a sequence without a residue letter, whose
// "000" reads back as skipped.
inline std::string SequenceDifference(CProject& first, CProject& second) {
    CArray<Ptr<CSequence>>& as = first.GetSequences();
    CArray<Ptr<CSequence>>& bs = second.GetSequences();
    if (as.GetSize() != bs.GetSize())
        return "the listing read back has " + std::to_string(bs.GetSize()) + " sequences, not " +
               std::to_string(as.GetSize());
    for (int i = 0; i < as.GetSize(); ++i) {
        CSequence& a = *as[i];
        CSequence& b = *bs[i];
        const std::string aLetters = LowerLetters(a.GetResidues());
        const std::string bLetters = LowerLetters(b.GetResidues());
        a.UnloadResidues();
        b.UnloadResidues();
        const std::string which = " of " + a.GetName();
        const bool listedAsSkipped = a.IsSkipped() || aLetters.empty();
        if (listedAsSkipped != b.IsSkipped()) return "skipped flag changed" + which;
        if (listedAsSkipped) continue;
        if (a.GetTypeName() != b.GetTypeName()) return "type changed" + which;
        if (a.GetOrganism() != b.GetOrganism()) return "organism changed" + which;
        if (aLetters != bLetters) return "residues changed" + which;
    }
    return {};
}

// A wrapped value whose continuation line begins like "<303>" reads back as
// that identifier: text the layout can't carry back.
inline bool HasIdentifierAfterIndent(const std::string& listing) {
    for (size_t at = 0; at < listing.size();) {
        size_t end = listing.find('\n', at);
        if (end == std::string::npos) end = listing.size();
        const std::string_view line(listing.data() + at, end - at);
        if (!line.empty() && line[0] == ' ' && CListingLines::NumericIdentifier(SpaceTrimmedView(line)) >= 0)
            return true;
        at = end + 1;
    }
    return false;
}

// Imports the listing; when the project it makes generates a listing (in
// folder), imports that too and compares. Empty when all is well, when the
// project has errors that stop the generation, or when its text can't come
// back through the layout.
inline std::string ListingRoundTripFault(const std::string& listing, const std::filesystem::path& folder) {
    Ptr<CProject> first = ImportListingText(listing);
    if (first->GetSequences().IsEmpty()) return {};
    CGenerationRun run(*first, (folder / "round-trip.prj").string());
    const CGenerationResult result = run.Run();
    if (result.residueFileFailed) return "a residue file failed";
    if (result.outcome == GenerationOutcome::ValidationFailed) return {};
    if (result.outcome != GenerationOutcome::Succeeded) return "the generation failed by itself";

    const std::string generated = ReadFileBytes(run.GetOutputNames().listing);
    if (HasIdentifierAfterIndent(generated)) return {};
    // The listing may still draw notes (a DNA/RNA sequence is listed as DNA
    // and noted again); what counts is that every sequence comes back.
    Ptr<CProject> second = ImportListingText(generated);
    return SequenceDifference(*first, *second);
}

// Generates the project's listing as NAME_ST25.txt in folder; fault gets the
// run's messages when it does not succeed.
inline std::string GenerateListing(CProject& project, const std::filesystem::path& folder, const std::string& name,
                                   std::string& fault) {
    CGenerationRun run(project, (folder / (name + ".prj")).string());
    if (run.Run().outcome == GenerationOutcome::Succeeded) return ReadFileBytes(run.GetOutputNames().listing);
    // The first few messages tell what is wrong.
    const StringList messages = run.GetMessages();
    for (size_t i = 0; i < messages.size() && i < 5; ++i) fault += messages[i] + "\n";
    if (fault.empty()) fault = "the generation failed";
    return {};
}

// The first line where two texts differ, with its number.
inline std::string FirstDifferentLine(const std::string& first, const std::string& second) {
    size_t at = 0, line = 1;
    while (at < first.size() && at < second.size() && first[at] == second[at]) {
        if (first[at] == '\n') ++line;
        ++at;
    }
    const auto lineAround = [&](const std::string& text) {
        const size_t begin = text.rfind('\n', at == 0 ? 0 : at - 1);
        const size_t from = begin == std::string::npos || at == 0 ? 0 : begin + 1;
        return text.substr(from, text.find('\n', from) - from);
    };
    return "line " + std::to_string(line) + ": \"" + lineAround(first) + "\" became \"" + lineAround(second) + "\"";
}

// The round trip that starts from a valid project: its listing, imported,
// must give a project that passes the checks and lists the same text.
// Empty when all is well.
inline std::string ProjectRoundTripFault(CProject& project, const std::filesystem::path& folder) {
    std::string fault;
    const std::string first = GenerateListing(project, folder, "first", fault);
    if (!fault.empty()) return "the project does not generate:\n" + fault;
    Ptr<CProject> imported = ImportListingText(first);
    const std::string second = GenerateListing(*imported, folder, "second", fault);
    if (!fault.empty()) return "the imported project does not generate:\n" + fault;
    if (second != first) return "the listing changed at " + FirstDifferentLine(first, second);
    return {};
}

}  // namespace qln::test
