// libFuzzer target for the project file loader. Any bytes may be handed to
// LoadProject; a fault in them must come out as CArchiveException (or
// CResidueFileError from a residue file). A project that did load must be
// whole: it is stored, loaded again and stored again, and the two stored
// forms must agree. Anything else - a sanitizer report, another exception,
// a mismatch - is a bug.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "model/Archive.h"
#include "model/ProjectFile.h"

namespace {

std::string Store(qln::CProject& project) {
    std::string bytes;
    qln::CStringSink sink(bytes);
    qln::StoreProject(project, sink, "fuzz.prj");
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();

    const qln::Ptr<qln::CProject> project = qln::fuzz::LoadFuzzProject(data, size);
    if (!project) return 0;

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
