// libFuzzer target for the round trip that starts from a project: the input
// bytes are the choices from which a valid, carry-able project is drawn; its
// listing, imported, must give a project that passes the checks and lists
// the same text. Anything else - a crash, an exception, a project that does
// not generate, a listing that changes - is a bug.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tests/import/ListingRoundTrip.h"
#include "support/RandomProject.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-project-round-trip-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();
    qln::test::CChoices choices(std::string(reinterpret_cast<const char*>(data), size));
    const qln::Ptr<qln::CProject> project = qln::test::RandomCarryableProject(choices);
    const std::string fault = qln::test::ProjectRoundTripFault(*project, qln::fuzz::PrivateTmp());
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
