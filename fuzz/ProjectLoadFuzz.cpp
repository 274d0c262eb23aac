// libFuzzer target for the project file loader. Any bytes may be handed to
// LoadProject; a fault in them must come out as CArchiveException (or
// CResidueFileError from a residue file). A project that did load must be
// whole: it is stored, loaded again and stored again, and the two stored
// forms must agree. Anything else - a sanitizer report, another exception,
// a mismatch - is a bug.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/Archive.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace {

namespace fs = std::filesystem;

// Residue files of parked sequences pile up one per long sequence loaded;
// they are swept out every so many inputs.
constexpr unsigned kRunsBetweenSweeps = 512;
unsigned runsSinceSweep = 0;
std::string privateTmp;

void RemovePrivateTmp() {
    qln::CResidueFiles::RemoveAll();
    std::error_code ec;
    if (!privateTmp.empty()) fs::remove_all(privateTmp, ec);
}

std::string Store(qln::CProject& project) {
    std::string bytes;
    qln::CStringSink sink(bytes);
    qln::StoreProject(project, sink, "fuzz.prj");
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Residue files go to TMP; give them a folder of their own.
    std::string pattern = (fs::temp_directory_path() / "quillion-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    privateTmp = pattern;
    setenv("TMP", privateTmp.c_str(), 1);
    std::atexit(RemovePrivateTmp);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (++runsSinceSweep >= kRunsBetweenSweeps) {
        qln::CResidueFiles::RemoveAll();
        runsSinceSweep = 0;
    }

    qln::Ptr<qln::CProject> project;
    try {
        qln::CMemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
        project = qln::LoadProject(source, "fuzz.prj");
    } catch (const qln::CArchiveException&) {
        return 0;
    } catch (const qln::CResidueFileError&) {
        return 0;
    }

    // From here on nothing may fail: an exception escaping ends the run.
    const std::string first = Store(*project);
    qln::CMemorySource again(first);
    qln::Ptr<qln::CProject> reloaded = qln::LoadProject(again, "fuzz.prj");
    if (Store(*reloaded) != first) {
        std::fprintf(stderr, "stored project changed after a reload\n");
        std::abort();
    }
    return 0;
}
