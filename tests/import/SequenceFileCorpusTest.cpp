// Every file under tests/data/sequence-files (the fuzz seeds and whatever
// inputs the fuzzer found troublesome) is read with the filter off and on.
// Whatever the bytes, the importer must come back with messages, never an
// exception, and its result must agree with its messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "import/DefaultImportChoices.h"
#include "import/SequenceFileImporter.h"
#include "model/Project.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

TEST(SequenceFileCorpusTest, EveryFileIsReadWithoutException) {
    const fs::path folder = fs::path(QLN_TEST_DATA_DIR) / "sequence-files";
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        for (bool filter : {false, true}) {
            SCOPED_TRACE(entry.path().filename().string() + (filter ? " (filter on)" : " (filter off)"));
            CProject project;
            CDefaultImportChoices choices(&project);
            SequenceFileImporter importer(project, choices, nullptr, filter);
            std::ifstream in(entry.path(), std::ios::binary);
            ASSERT_TRUE(in.is_open());
            bool ok = false;
            EXPECT_NO_THROW(ok = importer.ReadStream(in, entry.path().filename().string(), entry.file_size()));
            EXPECT_EQ(ok, importer.GetMessages().empty());
            for (const auto& sequence : importer.GetSequences())
                EXPECT_EQ(sequence->GetSourceReference(), entry.path().filename().string());
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace qln
