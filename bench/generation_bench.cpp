// Generates listings for two large projects and compares the rate with
// EMBOSS seqret and Biopython writing the same sequences as GenBank, and
// with one fwrite of the listing's bytes. Prints the peak resident memory.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/BenchSupport.h"
#include "generator/GenerationRun.h"
#include "model/Feature.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace {

namespace fs = std::filesystem;
using qln::bench::Seconds;

void MakeProject(const std::string& path, const std::string& fasta, int count, size_t length) {
    std::ofstream out(fasta, std::ios::binary);
    qln::Ptr<qln::CProject> project = qln::bench::CodingProject(count, length, &out);
    qln::SaveProjectFile(*project, path);
    qln::CResidueFiles::RemoveAll();
}

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM"), 0 when
// there is none.
double StatusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024.0;
    }
    return 0;
}

// Linux keeps the peak resident size of the process; writing 5 to
// clear_refs starts it again from the present size, so that each case
// reports its own peak rather than the largest so far.
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

double PeakResidentMegabytes() {
    const double peak = StatusMegabytes("VmHWM");
    if (peak > 0) return peak;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double ToolSeconds(const std::string& command) {
    double seconds = 0;
    const int status = [&] {
        int result = 0;
        seconds = Seconds([&] { result = std::system((command + " >/dev/null 2>&1").c_str()); });
        return result;
    }();
    return status == 0 ? seconds : -1;
}

double FwriteSeconds(const std::string& listing, const fs::path& dir) {
    std::ifstream in(listing, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string path = (dir / "fwrite.txt").string();
    double best = 1e9;
    for (int i = 0; i < qln::bench::kBestOf; ++i) {
        best = std::min(best, Seconds([&] {
                            std::FILE* f = std::fopen(path.c_str(), "wb");
                            std::fwrite(bytes.data(), 1, bytes.size(), f);
                            std::fclose(f);
                        }));
    }
    fs::remove(path);
    return best;
}

void Compare(const char* tool, double seconds, double listingMegabytes, double generateSeconds, double fastaMegabytes) {
    if (seconds < 0) {
        std::printf("    %-10s not available (install with scripts/bench)\n", tool);
        return;
    }
    std::printf("    %-10s %7.3f s  %7.1f MB/s of input  (Quillion writes %.1fx its rate)\n", tool, seconds,
                fastaMegabytes / seconds, (listingMegabytes / generateSeconds) / (fastaMegabytes / seconds));
}

void Run(const char* label, int count, size_t length, const fs::path& dir) {
    const std::string project = (dir / "bench.prj").string();
    const std::string fasta = (dir / "bench.fasta").string();
    MakeProject(project, fasta, count, length);

    // The best of a few runs, as for the fwrite below.
    qln::Ptr<qln::CProject> loaded = qln::LoadProjectFile(project);
    const double projectMegabytes = StatusMegabytes("VmRSS");
    ResetPeakResident();
    qln::CGenerationResult result;
    std::string listing;
    double generate = 1e9;
    for (int i = 0; i < qln::bench::kBestOf; ++i) {
        qln::CGenerationRun run(*loaded, project);
        generate = std::min(generate, Seconds([&] { result = run.Run(); }));
        listing = run.GetOutputNames().listing;
        if (result.outcome != qln::GenerationOutcome::Succeeded) break;
    }
    if (result.outcome != qln::GenerationOutcome::Succeeded || !fs::exists(listing)) {
        std::printf("%s: generation failed\n", label);
        return;
    }
    // Before the fwrite comparison below reads the whole listing into memory.
    const double peakMegabytes = PeakResidentMegabytes();
    const double listingMegabytes = static_cast<double>(fs::file_size(listing)) / 1e6;
    const double fastaMegabytes = static_cast<double>(fs::file_size(fasta)) / 1e6;
    const double fwrite = FwriteSeconds(listing, dir);
    std::printf("%s\n  Quillion   %7.3f s  %7.1f MB of listing  %7.1f MB/s  (%.2fx one fwrite of %.3f s)\n", label,
                generate, listingMegabytes, listingMegabytes / generate, generate / fwrite, fwrite);
    std::printf("    peak resident memory of the generation: %.1f MB (%.1f MB before it, with the project loaded)\n",
                peakMegabytes, projectMegabytes);
    const double seqret = ToolSeconds("seqret -sequence " + fasta + " -outseq " + (dir / "out.gb").string() +
                                      " -osformat genbank -auto");
    Compare("seqret", seqret, listingMegabytes, generate, fastaMegabytes);
    // Debian's Biopython belongs to the system's Python, whatever python3
    // comes first on the path.
    const double biopython = ToolSeconds("/usr/bin/python3 -c \"from Bio import SeqIO; SeqIO.convert('" + fasta +
                                         "', 'fasta', '" + (dir / "bio.gb").string() +
                                         "', 'genbank', molecule_type='DNA')\"");
    Compare("Biopython", biopython, listingMegabytes, generate, fastaMegabytes);
    loaded = nullptr;
    qln::CResidueFiles::RemoveAll();
    for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const fs::path dir = fs::temp_directory_path() / "quillion-generation-bench";
    fs::create_directories(dir);
    std::printf("Listing generation (goal: 5x seqret's GenBank rate, within 3x of one fwrite)\n");
    if (only != "short") Run("(a) 100 sequences x 1,000,000 residues, a third coding", 100, 1000000, dir);
    if (only != "long") Run("(b) 100,000 sequences x 100 residues, a third coding", 100000, 100, dir);
    fs::remove_all(dir);
}
