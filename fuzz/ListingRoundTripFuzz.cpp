// libFuzzer target for the listing writer and the listing parser together:
// a listing is imported, and when the project it makes generates a listing,
// importing that listing again must give back the same sequences. Anything
// else - a crash, an exception, a generation that fails by itself, a listing
// of its own that the parser reads differently - is a bug.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tests/import/ListingRoundTrip.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qln::fuzz::UsePrivateTmp("quillion-round-trip-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qln::fuzz::SweepResidueFilesNowAndThen();
    const std::string fault = qln::test::ListingRoundTripFault(std::string(reinterpret_cast<const char*>(data), size),
                                                               qln::fuzz::PrivateTmp());
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
