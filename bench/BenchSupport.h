#pragma once
// What the benchmark programs share: timing, random residue texts and the
// project of many DNA sequences, a third of them coding, that the listing
// benchmarks generate and import.
#include <chrono>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"

namespace qln::bench {

// Runs of a timing that a benchmark takes the best of.
inline constexpr int kBestOf = 5;

template <class F>
double Seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline std::string RandomBases(std::mt19937& random, size_t n) {
    static constexpr char kBases[] = "acgt";
    std::string s(n, 'a');
    for (auto& c : s) c = kBases[random() & 3];
    return s;
}

// Random codons without a stop codon, padded with "a" to n residues.
inline std::string CodonsWithoutStops(std::mt19937& random, size_t n) {
    static constexpr char kBases[] = "acgt";
    std::string s;
    s.reserve(n);
    while (s.size() + 3 <= n) {
        const char codon[3] = {kBases[random() & 3], kBases[random() & 3], kBases[random() & 3]};
        const std::string_view c(codon, 3);
        if (c == "taa" || c == "tag" || c == "tga") continue;
        s.append(codon, 3);
    }
    s.resize(n, 'a');
    return s;
}

// Every third sequence codes for a protein over its whole length, ending in
// a stop codon. With fasta given, the sequences are also written there.
inline Ptr<CProject> CodingProject(int count, size_t length, std::ostream* fasta = nullptr) {
    std::mt19937 random(5);
    Ptr<CProject> project(new CProject);
    project->GetProjectData()->SetTitle("Benchmark listing");
    project->GetProjectData()->SetFileReference("BENCH-1");
    project->GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(project.get(), "Bench Co")));
    const size_t codingEnd = length - length % 3;
    for (int i = 0; i < count; ++i) {
        const bool coding = i % 3 == 0;
        std::string residues = coding ? CodonsWithoutStops(random, length) : RandomBases(random, length);
        if (coding && codingEnd >= 3) residues.replace(codingEnd - 3, 3, "taa");
        const std::string name = "Seq" + std::to_string(i + 1);
        if (fasta) {
            *fasta << '>' << name << '\n';
            for (size_t p = 0; p < residues.size(); p += 60) *fasta << residues.substr(p, 60) << '\n';
        }
        Ptr<CSequence> sequence(new CDNASequence(project.get(), name, "Homo sapiens", std::move(residues)));
        if (coding) {
            Ptr<CFeature> region(new CDS(sequence.get(), "", "1", std::to_string(codingEnd)));
            region->SetRow(1);
            sequence->GetFeatures().Add(region);
        }
        sequence->UnloadResidues();
        project->Add(sequence.get());
    }
    return project;
}

}  // namespace qln::bench
