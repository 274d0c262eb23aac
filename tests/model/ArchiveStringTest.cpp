#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/Archive.h"
#include "support/ArchiveBytes.h"

namespace qln {
namespace {

using test::Bytes;

namespace fs = std::filesystem;

std::string Written(const std::string& text) {
    std::string out;
    CStringSink sink(out);
    CArchive ar(sink, "test.prj");
    ar.WriteString(text);
    ar.Flush();
    return out;
}

std::string ReadOne(const std::string& bytes) {
    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    return ar.ReadString();
}

// Text of n bytes using every byte value, so that nothing is translated.
std::string Text(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return s;
}

void ExpectPastEnd(const std::string& bytes, const char* what) {
    try {
        ReadOne(bytes);
        ADD_FAILURE() << what << ": read without error";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::Cause::EndOfFile) << what;
        EXPECT_STREQ(e.what(), "Attempted to access test.prj past its end.") << what;
    }
}

// ---- written forms ----

struct LengthForm {
    size_t length;
    std::string prefix;
};

TEST(ArchiveString, LengthPrefixOfEachForm) {
    const LengthForm forms[] = {
        {0, Bytes({0x00})},
        {1, Bytes({0x01})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.length);
        const std::string text = Text(form.length);
        const std::string bytes = Written(text);
        ASSERT_EQ(bytes.size(), form.prefix.size() + form.length);
        EXPECT_EQ(bytes.substr(0, form.prefix.size()), form.prefix);
        EXPECT_EQ(bytes.substr(form.prefix.size()), text);
        EXPECT_EQ(ReadOne(bytes), text);
    }
}

TEST(ArchiveString, HighBytesAreKeptAsTheyAre) {
    const std::string latin1 =
        "Stra\xDF"
        "e \xE9\xE8\xFF\x80";
    EXPECT_EQ(ReadOne(Written(latin1)), latin1);
}

TEST(ArchiveString, SeveralStringsReadBackInOrder) {
    std::string bytes;
    {
        CStringSink sink(bytes);
        CArchive ar(sink, "test.prj");
        ar.WriteString("");
        ar.WriteString(Text(254));
        ar.WriteString(Text(255));
        ar.WriteString(Text(100000));  // larger than the archive's buffer
        ar.WriteString("end");
        ar.Flush();
    }
    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    EXPECT_EQ(ar.ReadString(), "");
    EXPECT_EQ(ar.ReadString(), Text(254));
    EXPECT_EQ(ar.ReadString(), Text(255));
    EXPECT_EQ(ar.ReadString(), Text(100000));
    EXPECT_EQ(ar.ReadString(), "end");
    EXPECT_EQ(source.Remaining(), 0u);
}

// ---- forms only a reader meets ----

TEST(ArchiveString, WideFormIsReadAsSingleByteText) {
    // 0xFF, word 0xFFFE, then a length in characters and UTF-16LE text.
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x03, 'A', 0x00, 0xE9, 0x00, 0x2D, 0x4E})), "A\xE9?");
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFE, 0xFF, 0x00})), "");

    // The character count may itself use a long form.
    std::string wide = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
    for (int i = 0; i < 300; ++i) wide += Bytes({'a' + i % 26, 0x00});
    std::string expected;
    for (int i = 0; i < 300; ++i) expected += static_cast<char>('a' + i % 26);
    EXPECT_EQ(ReadOne(wide), expected);
}

TEST(ArchiveString, EightByteLengthIsAccepted) {
    EXPECT_EQ(ReadOne(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'})), "abc");
}

// ---- damaged strings ----

TEST(ArchiveString, LengthBeyondTheRemainingBytesIsPastTheEnd) {
    ExpectPastEnd(Bytes({0x05, 'a', 'b'}), "short form");
    ExpectPastEnd(Bytes({0xFF, 0x00, 0x01}) + std::string(10, 'a'), "word form");
    ExpectPastEnd(Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}) + "abc", "four-byte form");
    ExpectPastEnd(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
                  "eight-byte form");
    ExpectPastEnd(Bytes({0xFF, 0xFE, 0xFF, 0x05, 'a', 0, 'b', 0}), "wide form");
    ExpectPastEnd(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), "wide four-byte form");
    ExpectPastEnd("", "no length");
    ExpectPastEnd(Bytes({0xFF, 0x10}), "length cut short");
    ExpectPastEnd(Bytes({0xFF, 0xFE, 0xFF}), "wide length missing");
}

TEST(ArchiveString, MessageNamesTheFileBeingRead) {
    std::string pattern = (fs::temp_directory_path() / "qln-archive-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path path = fs::path(pattern) / "Seq42.qln";
    {
        std::ofstream out(path, std::ios::binary);
        out << Bytes({0x20}) << "only a few";
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    try {
        CFileSource source(file, path.string());
        CArchive ar(source, path.string());
        ar.ReadString();
        ADD_FAILURE() << "read without error";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::Cause::EndOfFile);
        EXPECT_EQ(std::string(e.what()), "Attempted to access " + path.string() + " past its end.");
    }
    std::fclose(file);
    fs::remove_all(pattern);
}

// ---- string arrays ----

TEST(ArchiveStringArray, CountUsesTheLongFormFrom0xFFFF) {
    for (uint32_t n : {0u, 3u, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        SCOPED_TRACE(n);
        std::string bytes;
        {
            CStringSink sink(bytes);
            CArchive ar(sink, "test.prj");
            ar.WriteStringArray(StringList(n, "x"));
            ar.Flush();
        }
        if (n < 0xFFFF) {
            EXPECT_EQ(bytes.substr(0, 2), Bytes({static_cast<int>(n & 0xFF), static_cast<int>(n >> 8)}));
            EXPECT_EQ(bytes.size(), 2 + 2 * size_t{n});
        } else {
            EXPECT_EQ(bytes.substr(0, 6), Bytes({0xFF, 0xFF, static_cast<int>(n & 0xFF),
                                                 static_cast<int>((n >> 8) & 0xFF), static_cast<int>(n >> 16), 0}));
            EXPECT_EQ(bytes.size(), 6 + 2 * size_t{n});
        }
        CMemorySource source(bytes);
        CArchive ar(source, "test.prj");
        EXPECT_EQ(ar.ReadStringArray(), StringList(n, "x"));
    }
}

TEST(ArchiveStringArray, CountBeyondTheRemainingBytesIsPastTheEnd) {
    const std::string bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 'a'});
    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    EXPECT_THROW(ar.ReadStringArray(), CArchiveException);
}

}  // namespace
}  // namespace qln
