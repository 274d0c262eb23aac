// Imports generated listings back and compares the reading rate with the
// rate at which the listing writer wrote them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "generator/GenerationRun.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
#include "model/Feature.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace {

namespace fs = std::filesystem;
using qln::bench::Seconds;

struct ImportResult {
    double seconds = 0;
    int sequences = 0;
    size_t messages = 0;
};

// The import as the import screen runs it: the file read and parsed, and
// the sequences built with their residues parked. Only the reading is timed,
// not the tearing down.
ImportResult Import(const std::string& listingPath) {
    qln::Ptr<qln::CProject> project(new qln::CProject);
    qln::CDefaultImportChoices choices(project.get());
    qln::CImportDriver driver(*project, choices);
    ImportResult result;
    result.seconds = Seconds([&] { driver.Read(qln::ImportSource::FromListing, {listingPath}, true); });
    result.sequences = driver.GetImported().GetSize();
    result.messages = driver.GetMessages().size();
    return result;
}

void Run(const char* label, int count, size_t length, const fs::path& dir) {
    const std::string projectPath = (dir / "bench.prj").string();
    {
        qln::Ptr<qln::CProject> project = qln::bench::CodingProject(count, length);
        qln::SaveProjectFile(*project, projectPath);
    }
    qln::CResidueFiles::RemoveAll();

    // Both sides are timed as the best of a few runs: one run of either
    // swings by a third on a busy machine.
    qln::Ptr<qln::CProject> project = qln::LoadProjectFile(projectPath);
    double write = 1e9;
    std::string listingPath;
    for (int i = 0; i < qln::bench::kBestOf; ++i) {
        qln::CGenerationRun run(*project, projectPath);
        write = std::min(write, Seconds([&] { run.Run(); }));
        listingPath = run.GetOutputNames().listing;
    }
    project = nullptr;
    qln::CResidueFiles::RemoveAll();

    // Each import parks its long residues in files of its own; they go
    // before the next one, as when a project is closed.
    ImportResult result = Import(listingPath);
    qln::CResidueFiles::RemoveAll();
    for (int i = 1; i < qln::bench::kBestOf; ++i) {
        const ImportResult again = Import(listingPath);
        qln::CResidueFiles::RemoveAll();
        if (again.seconds < result.seconds) result = again;
    }
    const double megabytes = static_cast<double>(fs::file_size(listingPath)) / 1e6;
    std::printf(
        "%s\n  listing %.1f MB; write %.3f s (%.1f MB/s); import %.3f s (%.1f MB/s, %.2fx the writer's rate); "
        "%d sequences, %zu messages\n",
        label, megabytes, write, megabytes / write, result.seconds, megabytes / result.seconds, write / result.seconds,
        result.sequences, result.messages);
    qln::CResidueFiles::RemoveAll();
    for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const fs::path dir = fs::temp_directory_path() / "quillion-import-bench";
    fs::create_directories(dir);
    std::printf("Listing import (goal: read at least as fast as the writer writes)\n");
    if (only != "short") Run("(a) 100 sequences x 1,000,000 residues", 100, 1000000, dir);
    if (only != "long") Run("(b) 100,000 sequences x 100 residues", 100000, 100, dir);
    fs::remove_all(dir);
}
