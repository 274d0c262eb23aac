// libFuzzer target for the reports of a loaded project: any project the
// loader accepts, however odd its data, must get a work-in-progress report
// and a generation run that ends as a listing or as an error report - never
// a crash, an exception, a hang or a run that fails for reasons of its own.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "support/ProjectReports.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-generation-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();

    const qln::Ptr<qln::CProject> project = qln::fuzz::LoadFuzzProject(data, size);
    if (!project) return 0;

    // From here on nothing may fail: an exception escaping ends the run.
    const std::string fault = qln::test::ProjectReportsFault(*project, qln::fuzz::PrivateTmp());
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
