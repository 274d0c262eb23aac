// The verifier the export tests rely on: it passes the hand-written sample
// listing and catches each fault planted in a copy of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "St26Verifier.h"

namespace qln {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Mutation {
    const char* what;
    const char* from;      // first occurrence replaced
    const char* to;
    const char* expected;  // start of a problem
};

const Mutation kMutations[] = {
    {"unchanged", "", "", ""},
    {"wrong translation", "<INSDQualifier_value>MASKGEELF<", "<INSDQualifier_value>MASKGEELW<",
     "SEQ ID 1: translation"},
    {"stop codon translated", "<INSDQualifier_value>MASKGEELF<", "<INSDQualifier_value>MASKGEELF*<",
     "SEQ ID 1: translation"},
    {"protein_id naming the RNA", "<INSDQualifier_value>2<", "<INSDQualifier_value>3<", "SEQ ID 1: protein_id"},
    {"skipped entry with a length", "<INSDSeq_length/>", "<INSDSeq_length>3</INSDSeq_length>",
     "SEQ ID 4: skipped form"},
    {"DNA mol_type on RNA", "other RNA", "other DNA", "SEQ ID 3: mol_type"},
    {"wrong length", "<INSDSeq_length>20<", "<INSDSeq_length>21<", "SEQ ID 3: length"},
    {"no such date", "productionDate=\"2024-05-02\"", "productionDate=\"2023-02-29\"", "listing: date"},
    {"u in RNA", "ggacttagca", "ggacutagca", "SEQ ID 3: alphabet"},
    {"source not whole", "<INSDFeature_location>1..20<", "<INSDFeature_location>2..20<", "SEQ ID 3: source"},
    {"wrong total", "<SequenceTotalQuantity>4<", "<SequenceTotalQuantity>5<", "listing: SequenceTotalQuantity"},
    {"no division element", "<INSDSeq_division>PAT</INSDSeq_division>", "", "listing: DTD"},
};

TEST(St26VerifierTest, PassesTheSampleAndCatchesEachPlantedFault) {
    const std::string sample = ReadText(test::St26Folder() / "sample-valid.xml");
    ASSERT_FALSE(sample.empty()) << "no sample at " << test::St26Folder();
    const fs::path path = fs::temp_directory_path() / ("qln-verifier-" + std::to_string(std::random_device{}()) + ".xml");
    for (const Mutation& m : kMutations) {
        SCOPED_TRACE(m.what);
        std::string text = sample;
        if (*m.from) {
            const size_t at = text.find(m.from);
            ASSERT_NE(at, std::string::npos);
            text.replace(at, std::string(m.from).size(), m.to);
        }
        std::ofstream(path, std::ios::binary) << text;
        const std::vector<std::string> problems = test::VerifySt26(path.string());
        if (!*m.expected) {
            EXPECT_EQ(problems, std::vector<std::string>());
            continue;
        }
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(),
                                [&](const std::string& p) { return p.starts_with(m.expected); }))
            << testing::PrintToString(problems);
    }
    fs::remove(path);
}

}  // namespace
}  // namespace qln
