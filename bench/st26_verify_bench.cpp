// The ST.26 verifier on about 100 MB of listing, beside xmllint checking
// the same file against the same DTD: once read whole (--dtdvalid) and once
// as a stream (--stream --valid, the DTD beside the file). Two shapes: few
// long sequences (a third coding, each protein a sequence of its own) and
// many short ones. Each program runs in a process of its own, so that its
// peak memory is its own; times are the best of three.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "export/St26Dtd.h"
#include "export/St26Export.h"
#include "export/St26Verifier.h"
#include "model/ResidueFile.h"

namespace fs = std::filesystem;
using namespace qln;

namespace {

struct Run {
    double seconds = 1e9;
    long peakKilobytes = 0;
    int status = -1;
};

// Runs the program to its end, its output thrown away.
Run Measure(const std::vector<std::string>& arguments) {
    Run best;
    for (int round = 0; round < 3; ++round) {
        std::vector<char*> argv;
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        rusage usage{};
        int status = 0;
        std::fflush(stdout);
        const double seconds = bench::Seconds([&] {
            const pid_t child = fork();
            if (child == 0) {
                std::freopen("/dev/null", "w", stdout);
                std::freopen("/dev/null", "w", stderr);
                execvp(argv[0], argv.data());
                _exit(127);
            }
            wait4(child, &status, 0, &usage);
        });
        if (seconds < best.seconds) best = Run{seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    }
    return best;
}

// Exports the project as ST.26 XML into dir, named after name.
void Export(const Ptr<CProject>& project, const fs::path& dir, const std::string& name) {
    const std::string projectPath = (dir / (name + ".prj")).string();
    CSt26Export exporter(*project, projectPath, {});
    if (exporter.Run() == St26Outcome::Failed) {
        std::printf("the export failed: %s\n", exporter.GetFailure().c_str());
        std::exit(1);
    }
}

Ptr<CProject> ShortSequences(int count, size_t length) {
    std::mt19937 random(7);
    Ptr<CProject> project(new CProject);
    project->GetProjectData()->SetTitle("Benchmark listing");
    project->GetProjectData()->SetFileReference("BENCH-2");
    project->GetOrgApplicants().Add(Ptr<COrgApplicant>(new COrgApplicant(project.get(), "Bench Co")));
    for (int i = 0; i < count; ++i)
        project->Add(new CDNASequence(project.get(), "S" + std::to_string(i + 1), "Homo sapiens",
                                      bench::RandomBases(random, length)));
    return project;
}

void Compare(const char* shape, const fs::path& xml, double megabytes, const std::string& self) {
    const std::string dtd = (xml.parent_path() / std::string(kSt26DtdFileName)).string();
    const Run ours = Measure({self, "--verify", xml.string()});
    const Run whole = Measure({"xmllint", "--noout", "--nonet", "--dtdvalid", dtd, xml.string()});
    const Run stream = Measure({"xmllint", "--noout", "--nonet", "--stream", "--valid", xml.string()});
    std::printf("%s: %.1f MB\n", shape, megabytes);
    std::printf("  quillion verifier (DTD and every rule)  %7.2f s  %8.1f MB peak  exit %d\n", ours.seconds,
                static_cast<double>(ours.peakKilobytes) / 1024, ours.status);
    std::printf("  xmllint --dtdvalid (whole tree)         %7.2f s  %8.1f MB peak  exit %d\n", whole.seconds,
                static_cast<double>(whole.peakKilobytes) / 1024, whole.status);
    std::printf("  xmllint --stream --valid                %7.2f s  %8.1f MB peak  exit %d\n", stream.seconds,
                static_cast<double>(stream.peakKilobytes) / 1024, stream.status);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--verify") {
        const CSt26Findings findings = CSt26Verifier::VerifyFile(argv[2]);
        std::printf("%s\n", findings.CountsText().c_str());
        return findings.ExitStatus();
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path dir = fs::temp_directory_path() / "quillion-st26-verify-bench";
    fs::create_directories(dir);
    std::ofstream(dir / std::string(kSt26DtdFileName), std::ios::binary) << St26DtdText();

    // The listings are made in a process of their own, so that this one
    // stays small: a child's peak memory counts what it was forked from.
    std::fflush(stdout);
    if (fork() == 0) {
        Export(bench::CodingProject(85, 1000000), dir, "long");
        Export(ShortSequences(125000, 100), dir, "short");
        CResidueFiles::RemoveAll();
        _exit(0);
    }
    wait(nullptr);
    const auto megabytes = [&](const char* name) { return static_cast<double>(fs::file_size(dir / name)) / 1e6; };
    Compare("85 sequences of 1,000,000 bases, a third coding", dir / "long_ST26.xml", megabytes("long_ST26.xml"), self);
    Compare("125,000 sequences of 100 bases", dir / "short_ST26.xml", megabytes("short_ST26.xml"), self);
    fs::remove_all(dir);
}
