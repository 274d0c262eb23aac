// Imports a 100 MB multi-FASTA file and the same residues in the program's
// own sequence file layout ("<name;DNA>"), so that the two rates stand side
// by side: FASTA should read at least as fast as the own layout.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "model/ResidueFile.h"

namespace {

namespace fs = std::filesystem;
using qln::bench::Seconds;

// Times the reading as the import screen runs it, best of a few runs; each
// run's parked residues go before the next one.
double BestImport(const std::string& path, int& sequences) {
    double best = 1e9;
    for (int i = 0; i < qln::bench::kBestOf; ++i) {
        qln::Ptr<qln::CProject> project(new qln::CProject);
        qln::CDefaultImportChoices choices(project.get());
        qln::CImportDriver driver(*project, choices);
        best = std::min(best, Seconds([&] { driver.Read(qln::ImportSource::FromFile, {path}, true); }));
        sequences = driver.GetImported().GetSize();
        project = nullptr;
        qln::CResidueFiles::RemoveAll();
    }
    return best;
}

void Run(const char* label, int count, size_t length, size_t lineLength, const fs::path& dir) {
    const std::string fasta = (dir / "bench.fa").string();
    const std::string own = (dir / "bench.txt").string();
    {
        std::mt19937 random(7);
        std::ofstream fa(fasta, std::ios::binary), txt(own, std::ios::binary);
        for (int i = 0; i < count; ++i) {
            const std::string bases = qln::bench::RandomBases(random, length);
            const std::string name = "s" + std::to_string(i + 1);
            fa << '>' << name << " random bases\n";
            txt << '<' << name << ";DNA>\n";
            for (size_t at = 0; at < bases.size(); at += lineLength) {
                const std::string line = bases.substr(at, lineLength);
                fa << line << '\n';
                txt << line << '\n';
            }
        }
    }
    int fastaCount = 0, ownCount = 0;
    const double fastaSeconds = BestImport(fasta, fastaCount);
    const double ownSeconds = BestImport(own, ownCount);
    const double fastaMB = static_cast<double>(fs::file_size(fasta)) / 1e6;
    const double ownMB = static_cast<double>(fs::file_size(own)) / 1e6;
    std::printf(
        "%s\n  FASTA %.1f MB: %.3f s (%.1f MB/s), %d sequences\n"
        "  own layout %.1f MB: %.3f s (%.1f MB/s), %d sequences\n  FASTA takes %.2fx the own layout's time\n",
        label, fastaMB, fastaSeconds, fastaMB / fastaSeconds, fastaCount, ownMB, ownSeconds, ownMB / ownSeconds,
        ownCount, fastaSeconds / ownSeconds);
    fs::remove(fasta);
    fs::remove(own);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const fs::path dir = fs::temp_directory_path() / "quillion-fasta-bench";
    fs::create_directories(dir);
    std::printf("FASTA import beside the own sequence file layout (goal: at least as fast)\n");
    if (only != "short") Run("(a) 100 records x 1,000,000 bases, 60 a line", 100, 1000000, 60, dir);
    if (only != "long") Run("(b) 1,000,000 records x 100 bases, one line each", 1000000, 100, 100, dir);
    fs::remove_all(dir);
}
