// Saves and loads large projects and compares each with the time cp takes
// to copy the same file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace {

namespace fs = std::filesystem;
using qln::bench::Seconds;

qln::Ptr<qln::CProject> MakeProject(int sequences, size_t residues) {
    std::mt19937 random(42);
    qln::Ptr<qln::CProject> project(new qln::CProject);
    project->GetProjectData()->SetTitle("Benchmark");
    for (int i = 0; i < sequences; ++i) {
        qln::Ptr<qln::CSequence> s(new qln::CDNASequence(project.get(), "Seq" + std::to_string(i + 1), "Homo sapiens",
                                                         qln::bench::RandomBases(random, residues)));
        s->UnloadResidues();  // as after loading: parked in its residue file
        project->Add(s.get());
    }
    return project;
}

double CopySeconds(const std::string& from, const std::string& to) {
    const std::string command = "cp '" + from + "' '" + to + "'";
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        fs::remove(to);
        best = std::min(best, Seconds([&] {
                            if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cp failed\n");
                        }));
    }
    fs::remove(to);
    return best;
}

void Run(const char* label, int sequences, size_t residues, const fs::path& dir) {
    const std::string path = (dir / "bench.prj").string();
    {
        qln::Ptr<qln::CProject> project = MakeProject(sequences, residues);
        qln::SaveProjectFile(*project, path);
    }
    qln::CResidueFiles::RemoveAll();
    // Best of three: each round loads the file (parking every long residue
    // text in its residue file) and saves the loaded project again.
    double load = 1e9, save = 1e9;
    for (int round = 0; round < 3; ++round) {
        qln::Ptr<qln::CProject> loaded;
        load = std::min(load, Seconds([&] { loaded = qln::LoadProjectFile(path); }));
        save = std::min(save, Seconds([&] { qln::SaveProjectFile(*loaded, path); }));
        loaded = nullptr;
        qln::CResidueFiles::RemoveAll();
    }
    const double cp = CopySeconds(path, (dir / "copy.prj").string());
    const double megabytes = static_cast<double>(fs::file_size(path)) / 1e6;
    std::printf("%-28s %8.1f MB  save %7.3f s (%5.2fx cp)  load %7.3f s (%5.2fx cp)  cp %7.3f s\n", label, megabytes,
                save, save / cp, load, load / cp, cp);
    fs::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    // "small" or "large" runs one case alone, for profiling.
    const std::string only = argc > 1 ? argv[1] : "";
    const fs::path dir = fs::temp_directory_path() / "quillion-project-bench";
    fs::create_directories(dir);
    std::printf("Project files: save and load, against cp of the same file (goal: within 3x of cp)\n");
    if (only != "large") Run("10,000 seqs x 1,000 res", 10000, 1000, dir);
    if (only != "small") Run("10 seqs x 10,000,000 res", 10, 10000000, dir);
    fs::remove_all(dir);
}
