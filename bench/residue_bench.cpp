// Parking and fetching residues: many short sequences and a few very long
// ones are parked in their residue files and loaded back. Prints residues per
// second for both directions and compares parking with writing the same bytes
// in one fwrite to a file in the same folder.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "model/Archive.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The bytes parking writes for one residue text: length prefix and letters.
std::string ArchivedBytes(const std::string& residues) {
    std::string out;
    qln::CStringSink sink(out);
    qln::CArchive ar(sink, "bench");
    ar.WriteString(residues);
    ar.Flush();
    return out;
}

// Seconds to write the bytes in one fwrite to a new file in the residue
// folder, closed before the clock stops.
double OneWriteSeconds(const std::string& bytes) {
    const std::string path = (std::filesystem::path(qln::CResidueFiles::GetFolder()) / "bench-one-write.bin").string();
    const auto start = Clock::now();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return -1;
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const int closed = std::fclose(file);
    const auto stop = Clock::now();
    std::filesystem::remove(path);
    if (written != bytes.size() || closed != 0) return -1;
    return Seconds(start, stop);
}

void RunCase(const char* label, size_t count, size_t length, std::mt19937& random) {
    std::vector<qln::Ptr<qln::CDNASequence>> sequences;
    sequences.reserve(count);
    // The same text for every sequence keeps set-up short; each is still a
    // string of its own, copied into the sequence.
    const std::string residues = qln::bench::RandomBases(random, length);
    for (size_t i = 0; i < count; ++i)
        sequences.emplace_back(new qln::CDNASequence(nullptr, "S" + std::to_string(i), "", residues));

    const auto parkStart = Clock::now();
    for (auto& seq : sequences) seq->UnloadResidues();
    const auto parkStop = Clock::now();

    const auto loadStart = Clock::now();
    size_t checked = 0;
    for (auto& seq : sequences) {
        seq->LoadResidues();
        checked += seq->GetResidues().size() == length;
        // Park again (no write: unchanged) so that memory stays small.
        seq->UnloadResidues();
    }
    const auto loadStop = Clock::now();

    std::string all;
    {
        const std::string one = ArchivedBytes(residues);
        all.reserve(one.size() * count);
        for (size_t i = 0; i < count; ++i) all += one;
    }
    // The best of three, since one short write is at the mercy of the disk.
    double oneWrite = -1;
    for (int i = 0; i < 3; ++i) {
        const double t = OneWriteSeconds(all);
        if (t > 0 && (oneWrite < 0 || t < oneWrite)) oneWrite = t;
    }

    const double total = static_cast<double>(count) * static_cast<double>(length);
    const double park = Seconds(parkStart, parkStop);
    const double load = Seconds(loadStart, loadStop);
    std::printf("%s: %zu sequences x %zu residues (%.0f MB)\n", label, count, length, total / 1e6);
    std::printf("  park: %8.3f s  %10.1f M residues/s\n", park, total / park / 1e6);
    std::printf("  load: %8.3f s  %10.1f M residues/s%s\n", load, total / load / 1e6,
                checked == count ? "" : "  (LENGTH MISMATCH)");
    if (oneWrite > 0)
        std::printf("  one fwrite of the same %zu bytes (best of 3): %.3f s; park takes %.1fx as long\n", all.size(),
                    oneWrite, park / oneWrite);
    else
        std::printf("  one fwrite of the same bytes failed\n");
}

}  // namespace

int main() {
    std::mt19937 random(12345);
    std::printf("residue folder: %s\n",
                std::filesystem::path(qln::CResidueFiles::MakeFileName()).parent_path().c_str());
    try {
        RunCase("short", 10000, 1000, random);
        RunCase("long", 10, 10000000, random);
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        qln::CResidueFiles::RemoveAll();
        return 1;
    }
    qln::CResidueFiles::RemoveAll();
    return 0;
}
