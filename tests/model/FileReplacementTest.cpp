#include "model/FileReplacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace qln {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SortedNames(const TempFolder& folder) {
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    return names;
}

// The target changes only on Commit, whole, and nothing is left beside it;
// a write abandoned, discarded or that cannot be renamed leaves the target
// as it was.
TEST(FileReplacement, TargetChangesOnlyWhenCommitted) {
    TempFolder folder;
    const std::string target = (folder.path() / "out.txt").string();
    std::ofstream(target) << "old";
    {
        CFileReplacement abandoned(target);
        ASSERT_TRUE(abandoned.IsReserved());
        std::ofstream(abandoned.TemporaryPath()) << "lost";
    }
    CFileReplacement discarded(target);
    std::ofstream(discarded.TemporaryPath()) << "lost";
    discarded.Discard();
    EXPECT_FALSE(discarded.Commit());
    EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"out.txt"});
    EXPECT_EQ(FileText(target), "old");

    CFileReplacement replacement(target);
    ASSERT_TRUE(replacement.IsReserved());
    EXPECT_EQ(fs::path(replacement.TemporaryPath()).parent_path(), folder.path());
    std::ofstream(replacement.TemporaryPath()) << "new";
    EXPECT_EQ(FileText(target), "old");
    EXPECT_TRUE(replacement.Commit());
    EXPECT_EQ(FileText(target), "new");
    EXPECT_EQ(SortedNames(folder), std::vector<std::string>{"out.txt"});

    // A folder in the way of the rename, and a folder that is not there.
    fs::create_directories(folder.path() / "busy" / "inside");
    CFileReplacement blocked((folder.path() / "busy").string());
    ASSERT_TRUE(blocked.IsReserved());
    EXPECT_FALSE(blocked.Commit());
    EXPECT_TRUE(blocked.Error());
    CFileReplacement nowhere((folder.path() / "missing" / "out.txt").string());
    EXPECT_FALSE(nowhere.IsReserved());
    EXPECT_EQ(nowhere.Error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(SortedNames(folder), (std::vector<std::string>{"busy", "out.txt"}));
}

// What killed writes of the target left goes before a new write; other
// files stay, and so do the temporary files of writes still going on, which
// never share a name.
TEST(FileReplacement, StaleTemporariesGoAndWritersNeverShareAName) {
    TempFolder folder;
    const std::string target = (folder.path() / "p.prj").string();
    for (const char* name : {"p.prj.saving-123456", "p.prj.saving", "q.prj.saving-42", "p.prj.saving-notes"})
        std::ofstream(folder.path() / name) << "half";
    std::vector<std::unique_ptr<CFileReplacement>> writers;
    std::set<std::string> names;
    for (int i = 0; i < 50; ++i) {
        writers.push_back(std::make_unique<CFileReplacement>(target));
        ASSERT_TRUE(writers.back()->IsReserved());
        names.insert(writers.back()->TemporaryPath());
    }
    EXPECT_EQ(names.size(), writers.size());
    for (const std::string& name : names) EXPECT_TRUE(fs::exists(name)) << name;
    EXPECT_FALSE(fs::exists(folder.path() / "p.prj.saving-123456"));
    EXPECT_FALSE(fs::exists(folder.path() / "p.prj.saving"));
    EXPECT_TRUE(fs::exists(folder.path() / "q.prj.saving-42"));
    EXPECT_TRUE(fs::exists(folder.path() / "p.prj.saving-notes"));
}

}  // namespace
}  // namespace qln
