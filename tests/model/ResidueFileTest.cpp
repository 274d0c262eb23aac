#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "model/ResidueFile.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Sets or clears an environment variable for the scope, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_.c_str(), old_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Each test starts without a residue folder and gets a scratch folder of its
// own to point TMP at; whatever the test made is gone afterwards.
class ResidueFiles : public ::testing::Test {
protected:
    void SetUp() override {
        CResidueFiles::RemoveAll();
        std::string pattern = (fs::temp_directory_path() / "qln-residue-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = fs::canonical(pattern);
    }
    void TearDown() override {
        CResidueFiles::RemoveAll();
        std::error_code ec;
        fs::remove_all(scratch_, ec);
    }

    // The number in a residue file name "Seq<n>.qln".
    static unsigned long Counter(const std::string& path) {
        const std::string name = fs::path(path).filename().string();
        EXPECT_EQ(name.rfind("Seq", 0), 0u) << name;
        EXPECT_EQ(fs::path(name).extension(), ".qln") << name;
        return std::stoul(name.substr(3));
    }

    fs::path scratch_;
};

// ---- the private folder ----

TEST_F(ResidueFiles, FolderIsPrivateAndInsideTmp) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    EXPECT_EQ(CResidueFiles::GetFolder(), "");
    const std::string name = CResidueFiles::MakeFileName();
    const fs::path folder = CResidueFiles::GetFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.parent_path(), scratch_);
    EXPECT_EQ(fs::path(name).parent_path(), folder);
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder)));
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    // Making a name does not make the file.
    EXPECT_FALSE(fs::exists(name));
}

TEST_F(ResidueFiles, SystemTemporaryFolderWhenTmpIsUnsetOrEmpty) {
    ScopedEnv tmpdir("TMPDIR", scratch_.c_str());
    {
        ScopedEnv tmp("TMP", nullptr);
        CResidueFiles::MakeFileName();
        EXPECT_EQ(fs::path(CResidueFiles::GetFolder()).parent_path(), scratch_);
        CResidueFiles::RemoveAll();
    }
    {
        ScopedEnv tmp("TMP", "");
        CResidueFiles::MakeFileName();
        EXPECT_EQ(fs::path(CResidueFiles::GetFolder()).parent_path(), scratch_);
    }
}

TEST_F(ResidueFiles, EachFolderGetsAnUnpredictableNewName) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    std::set<std::string> folders;
    for (int i = 0; i < 5; ++i) {
        CResidueFiles::MakeFileName();
        folders.insert(fs::path(CResidueFiles::GetFolder()).filename().string());
        CResidueFiles::RemoveAll();
    }
    EXPECT_EQ(folders.size(), 5u);
}

TEST_F(ResidueFiles, AFolderPlantedAheadIsNeverReused) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    // Whatever is already in TMP, the run makes a folder of its own.
    fs::create_directory(scratch_ / "planted");
    fs::permissions(scratch_ / "planted", fs::perms::all);
    CResidueFiles::MakeFileName();
    EXPECT_NE(fs::path(CResidueFiles::GetFolder()).filename(), "planted");
    EXPECT_EQ(fs::status(CResidueFiles::GetFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
}

// ---- names ----

TEST_F(ResidueFiles, NamesAreDistinctWithARisingCounter) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    unsigned long last = 0;
    std::set<std::string> names;
    for (int i = 0; i < 50; ++i) {
        const std::string name = CResidueFiles::MakeFileName();
        const unsigned long n = Counter(name);
        EXPECT_GT(n, last);
        last = n;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 50u);
}

TEST_F(ResidueFiles, NamesMadeOnSeveralThreadsAreDistinct) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    constexpr int kThreads = 4, kEach = 250;
    std::vector<std::vector<std::string>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&made, t] {
            for (int i = 0; i < kEach; ++i) made[t].push_back(CResidueFiles::MakeFileName());
        });
    for (auto& thread : threads) thread.join();
    std::set<std::string> all;
    std::set<std::string> folders;
    for (const auto& list : made)
        for (const auto& name : list) {
            all.insert(name);
            folders.insert(fs::path(name).parent_path().string());
        }
    EXPECT_EQ(all.size(), static_cast<size_t>(kThreads * kEach));
    EXPECT_EQ(folders.size(), 1u);
}

// ---- clean-up ----

TEST_F(ResidueFiles, RemoveAllDeletesFilesAndFolder) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    std::vector<std::string> names;
    for (int i = 0; i < 3; ++i) {
        names.push_back(CResidueFiles::MakeFileName());
        CResidueFiles::Write(names.back(), std::string(200, 'a'));
    }
    const std::string folder = CResidueFiles::GetFolder();
    CResidueFiles::RemoveAll();
    for (const auto& name : names) EXPECT_FALSE(fs::exists(name)) << name;
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(CResidueFiles::GetFolder(), "");
    EXPECT_TRUE(fs::is_empty(scratch_));

    // A later name gets a new folder.
    const std::string again = CResidueFiles::MakeFileName();
    EXPECT_NE(CResidueFiles::GetFolder(), folder);
    EXPECT_TRUE(fs::is_directory(CResidueFiles::GetFolder()));
    CResidueFiles::Write(again, "acgt");
    EXPECT_EQ(CResidueFiles::Read(again), "acgt");

    CResidueFiles::RemoveAll();
    CResidueFiles::RemoveAll();  // nothing left to do
    EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(ResidueFiles, RemoveAllLeavesFilesItDidNotMake) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const std::string ours = CResidueFiles::MakeFileName();
    CResidueFiles::Write(ours, "acgt");
    const fs::path folder = CResidueFiles::GetFolder();
    WriteBytes(folder / "notes.txt", "keep me");
    CResidueFiles::RemoveAll();
    EXPECT_FALSE(fs::exists(ours));
    EXPECT_EQ(FileBytes(folder / "notes.txt"), "keep me");
}

// ---- writing and reading ----

TEST_F(ResidueFiles, ContentIsOneArchivedString) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const std::string name = CResidueFiles::MakeFileName();
    CResidueFiles::Write(name, "acgt");
    EXPECT_EQ(FileBytes(name), std::string("\x04"
                                           "acgt"));

    const std::string long255(255, 'g');
    CResidueFiles::Write(name, long255);
    EXPECT_EQ(FileBytes(name), std::string("\xFF\xFF\x00", 3) + long255);

    CResidueFiles::Write(name, "");
    EXPECT_EQ(FileBytes(name), std::string("\x00", 1));
}

TEST_F(ResidueFiles, RoundTripOfEveryLengthForm) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    for (size_t n : {size_t{0}, size_t{1}, size_t{254}, size_t{255}, size_t{0xFFFD}, size_t{0xFFFE}, size_t{0xFFFF},
                     size_t{300000}}) {
        std::string text(n, '\0');
        for (size_t i = 0; i < n; ++i) text[i] = static_cast<char>(i * 7 + 1);  // every byte value, NUL included
        const std::string name = CResidueFiles::MakeFileName();
        CResidueFiles::Write(name, text);
        EXPECT_EQ(CResidueFiles::Read(name), text) << n;
    }
}

TEST_F(ResidueFiles, WriteReplacesOurOwnFile) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const std::string name = CResidueFiles::MakeFileName();
    CResidueFiles::Write(name, std::string(5000, 'a'));
    CResidueFiles::Write(name, "cg");
    EXPECT_EQ(CResidueFiles::Read(name), "cg");
    EXPECT_EQ(fs::file_size(name), 3u);
}

TEST_F(ResidueFiles, WriteDoesNotFollowALinkPlantedAtTheName) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const fs::path victim = scratch_ / "victim.txt";
    WriteBytes(victim, "precious");
    const std::string name = CResidueFiles::MakeFileName();
    fs::create_symlink(victim, name);

    CResidueFiles::Write(name, "acgtacgt");
    EXPECT_EQ(FileBytes(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(name)));
    EXPECT_EQ(CResidueFiles::Read(name), "acgtacgt");

    // A dangling link must not create its target either.
    const fs::path target = scratch_ / "created-through-link";
    const std::string other = CResidueFiles::MakeFileName();
    fs::create_symlink(target, other);
    CResidueFiles::Write(other, "ttt");
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(CResidueFiles::Read(other), "ttt");
}

// ---- failures ----

TEST(ResidueFileError, MessagesAreTheTextsTheUserSees) {
    EXPECT_STREQ(CResidueFileError(CResidueFileError::Kind::Read).what(),
                 "Can't read temporary file.  The disk may be full.");
    EXPECT_STREQ(CResidueFileError(CResidueFileError::Kind::Write).what(),
                 "Can't write temporary file.  The disk may be full.");
    EXPECT_STREQ(CResidueFileError(CResidueFileError::Kind::General).what(), "General Error.");
}

TEST_F(ResidueFiles, MissingOrDamagedFileIsAReadError) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const std::string name = CResidueFiles::MakeFileName();
    auto expectReadError = [&](const char* what) {
        try {
            CResidueFiles::Read(name);
            ADD_FAILURE() << what << ": no error";
        } catch (const CResidueFileError& e) {
            EXPECT_EQ(e.GetKind(), CResidueFileError::Kind::Read) << what;
            EXPECT_STREQ(e.what(), "Can't read temporary file.  The disk may be full.") << what;
        }
    };
    expectReadError("missing");
    WriteBytes(name, "");
    expectReadError("empty");
    WriteBytes(name, std::string("\x0A"
                                 "acg"));
    expectReadError("shorter than its length");
    WriteBytes(name, std::string("\xFF\x10", 2));
    expectReadError("cut inside the length");
    fs::remove(name);
    fs::create_directory(name);
    expectReadError("a folder");
}

TEST_F(ResidueFiles, UnwritablePlaceIsAWriteError) {
    ScopedEnv tmp("TMP", scratch_.c_str());
    const std::string name = CResidueFiles::MakeFileName();
    const fs::path folder = CResidueFiles::GetFolder();
    for (const fs::path& path : {scratch_ / "no-such-folder" / "Seq1.qln", folder / "sub" / "Seq2.qln"}) {
        try {
            CResidueFiles::Write(path.string(), "acgt");
            ADD_FAILURE() << path << ": no error";
        } catch (const CResidueFileError& e) {
            EXPECT_EQ(e.GetKind(), CResidueFileError::Kind::Write);
            EXPECT_STREQ(e.what(), "Can't write temporary file.  The disk may be full.");
        }
    }
    // Nor can a folder with something in it that stands at the name.
    fs::create_directory(name);
    WriteBytes(fs::path(name) / "inside", "x");
    EXPECT_THROW(CResidueFiles::Write(name, "acgt"), CResidueFileError);
    EXPECT_EQ(FileBytes(fs::path(name) / "inside"), "x");
    fs::remove_all(name);
}

}  // namespace
}  // namespace qln
