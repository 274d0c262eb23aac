// Every file of the project file corpus (seeds of the loader's fuzzer and
// the inputs it found) either loads or fails with the archive's own errors.
// Files named "valid-*" must load, and a loaded project must store, load and
// store again to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/Archive.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(QLN_TEST_DATA_DIR) / "project-files";

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kCorpus))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Store(CProject& project) {
    std::string bytes;
    CStringSink sink(bytes);
    StoreProject(project, sink, "corpus.prj");
    return bytes;
}

Ptr<CProject> Load(const std::string& bytes) {
    CMemorySource source(bytes);
    return LoadProject(source, "corpus.prj");
}

TEST(ProjectFileCorpus, EveryFileLoadsOrFailsWithAnArchiveError) {
    const std::vector<fs::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 10u) << kCorpus;
    size_t loaded = 0;
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = ReadBytes(path);
        const bool mustLoad = path.filename().string().rfind("valid-", 0) == 0;
        Ptr<CProject> project;
        try {
            project = Load(bytes);
        } catch (const CArchiveException& e) {
            EXPECT_FALSE(mustLoad) << e.what();
            continue;
        } catch (const CResidueFileError& e) {
            EXPECT_FALSE(mustLoad) << e.what();
            continue;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected exception: " << e.what();
            continue;
        } catch (...) {
            ADD_FAILURE() << "unexpected exception";
            continue;
        }
        ++loaded;
        try {
            const std::string first = Store(*project);
            EXPECT_EQ(Store(*Load(first)), first);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "a loaded project failed to store or reload: " << e.what();
        }
    }
    EXPECT_GT(loaded, 0u);
    CResidueFiles::RemoveAll();
}

}  // namespace
}  // namespace qln
