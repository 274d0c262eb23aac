// libFuzzer target for the ST.26 verifier. Any bytes are verified as a
// listing; an input whose first byte is odd is instead spliced into a valid
// listing (at the place its second byte picks), so that the deeper checks of
// sequences, features and qualifiers see malformed values too. Checked after
// each run: the findings agree with their counts and the exit status, each
// has a problem and an action, and no more are kept than the limit.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "export/St26Verifier.h"

namespace {

std::string& ValidListing() {
    static std::string listing;
    return listing;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void Check(const qln::CSt26Findings& findings) {
    using Severity = qln::CSt26Finding::Severity;
    const size_t counted = static_cast<size_t>(findings.Count(Severity::Error) + findings.Count(Severity::Warning) +
                                               findings.Count(Severity::Note));
    if (findings.Items().size() > qln::CSt26Findings::kMaxKept) Fail("more findings kept than the limit");
    if (counted < findings.Items().size()) Fail("counts below the findings");
    const int status = findings.ExitStatus();
    if (status != (findings.Unreadable() || findings.Count(Severity::Error) ? 2
                   : findings.Count(Severity::Warning)                      ? 1
                                                                            : 0))
        Fail("exit status disagrees with the counts");
    for (const auto& finding : findings.Items())
        if (finding.problem.empty() || finding.action.empty()) Fail("a finding without its problem or action");
    (void)findings.ReportText("fuzz.xml");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::ifstream in(QLN_ROOT_DIR "/tests/data/st26-listings/valid.xml", std::ios::binary);
    ValidListing().assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (ValidListing().empty()) Fail("tests/data/st26-listings/valid.xml is missing");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size >= 2 && (data[0] & 1)) {
        std::string listing = ValidListing();
        const size_t at = listing.size() * data[1] / 256;
        listing.insert(at, bytes.substr(2));
        Check(qln::CSt26Verifier::VerifyBytes(listing, "fuzz.xml"));
    } else {
        Check(qln::CSt26Verifier::VerifyBytes(bytes, "fuzz.xml"));
    }
    return 0;
}
