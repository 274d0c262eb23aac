// The corpus listings that other programs wrote, read with "any generator"
// on: each imports, and the listing generated from the imported project
// holds the same entries as the original, with the same type, organism,
// number of features and residues. Skipped when the corpus is not there.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ListingRoundTrip.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "import/ListingParser.h"
#include "model/AsciiText.h"
#include "model/Publication.h"
#include "support/ListingTestSupport.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpusFolder = test::CorpusFolder();

// What a listing says of one entry, as far as both layouts print it alike.
struct Entry {
    std::string type;      // <212>
    std::string organism;  // <213>, its first line
    int notes = 0;         // features and organism comments: <220>, or <221> without one
    std::string residues;  // the letters under <400>, in lower case
    bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << entry.type << " / " << entry.organism << " / " << entry.notes << " notes / " << entry.residues.size()
         << " letters";
}

bool IsUnknownResidueNote(const std::string& value) {
    return value.starts_with("Xaa can be any") || value.starts_with("n is a, c, g, or t");
}

// The entries of a listing, in order, read with a few string rules so that
// the test does not lean on the parser it checks.
std::vector<Entry> Entries(const std::string& listing) {
    std::vector<Entry> entries;
    bool inResidues = false;
    int last = -1;
    size_t at = 0;
    while (at < listing.size()) {
        size_t end = listing.find_first_of("\r\n", at);
        if (end == std::string::npos) end = listing.size();
        const std::string_view line = SpaceTrimmedView(std::string_view(listing).substr(at, end - at));
        at = end + 1;
        const int identifier = CListingLines::NumericIdentifier(line);
        if (identifier >= 0) inResidues = identifier == 400;
        const std::string value(line.size() > 5 ? SpaceTrimmedView(line.substr(5)) : std::string_view());
        if (identifier == 210) entries.emplace_back();
        if (entries.empty() || line.empty()) continue;
        if (identifier == 212) entries.back().type = value;
        if (identifier == 213) entries.back().organism = value;
        if (identifier == 220 || (identifier == 221 && last != 220)) ++entries.back().notes;
        // The writer adds the notes of unknown residues by itself: not counted.
        if (identifier == 223 && last == 222 && IsUnknownResidueNote(value)) --entries.back().notes;
        if (identifier >= 0) last = identifier;
        if (identifier < 0 && inResidues) entries.back().residues += test::LowerLetters(std::string(line));
    }
    return entries;
}

// The seven listings of other programs, and one of them cut short of a <211>.
const char* const kListings[] = {
    "WO2012-006497-001.zip.txt",
    "WO2012-006550-001.zip.txt",
    "WO2012-058291-001.zip.txt",
    "file33.txt",
    "file82.txt",
    "WO2012-006503-001.zip.txt",
    "WO2012-023486-001.zip.txt",
    "file33_1.txt",
};

class ListingOtherProgramsCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kCorpusFolder)) GTEST_SKIP() << test::SharedFolderMissing(kCorpusFolder);
        work_ = fs::temp_directory_path() / ("qln-other-programs-" + std::to_string(std::random_device{}()));
        fs::create_directories(work_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(work_, ec);
    }
    fs::path work_;
};

TEST_F(ListingOtherProgramsCorpusTest, EachImportsAndGeneratesItsEntriesAgain) {
    for (const char* name : kListings) {
        SCOPED_TRACE(name);
        const std::string original = test::ReadFileBytes((kCorpusFolder / name).string());
        Ptr<CProject> project = MakePtr<CProject>();
        CDefaultImportChoices choices(project.get());
        CImportDriver driver(*project, choices);
        driver.SetAnyGenerator(true);
        driver.ImportListing((kCorpusFolder / name).string(), (work_ / "imported.prj").string());
        const std::vector<Entry> expected = Entries(original);
        ASSERT_EQ(project->GetSequences().GetSize(), static_cast<int>(expected.size()));

        std::string fault;
        std::string generated = test::GenerateListing(*project, work_, "generated", fault);
        if (!fault.empty() && fault.find("DataBase Screen") != std::string::npos) {
            // 058291 gives bare accession numbers (<308>), which the checks
            // refuse without the database's name, entry date and positions:
            // the user completes or deletes them first, as done here.
            for (const Ptr<CSequence>& sequence : project->GetSequences()) sequence->GetDatabases().RemoveAll();
            fault.clear();
            generated = test::GenerateListing(*project, work_, "generated", fault);
        }
        ASSERT_EQ(fault, "");
        const std::vector<Entry> entries = Entries(generated);
        ASSERT_EQ(entries.size(), expected.size());
        for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i], expected[i]) << "entry " << i + 1;
    }
}

// The program's own listings read the same with the option as without it:
// the same messages and the same sequences.
TEST_F(ListingOtherProgramsCorpusTest, OwnListingsReadTheSameWithTheOption) {
    const auto read = [&](const fs::path& path, bool anyGenerator, StringList& messages) {
        Ptr<CProject> project = MakePtr<CProject>();
        CDefaultImportChoices choices(project.get());
        CImportDriver driver(*project, choices);
        driver.SetAnyGenerator(anyGenerator);
        driver.Read(ImportSource::FromListing, {path.string()}, true);
        messages = driver.GetMessages();
        std::string residues;
        for (const Ptr<CSequence>& sequence : driver.GetImported())
            residues += sequence->GetName() + sequence->GetTypeName() + sequence->GetResidues() + "\n";
        return residues;
    };
    int own = 0;
    for (const auto& file : fs::directory_iterator(kCorpusFolder)) {
        if (test::ReadFileBytes(file.path().string()).find("<170>  Quillion") == std::string::npos) continue;
        SCOPED_TRACE(file.path().filename().string());
        ++own;
        StringList strictMessages, anyMessages;
        EXPECT_EQ(read(file.path(), true, anyMessages), read(file.path(), false, strictMessages));
        EXPECT_EQ(anyMessages, strictMessages);
    }
    EXPECT_GE(own, 20);
}

}  // namespace
}  // namespace qln
