// The clean-up at exit: this run's residue files deleted one by one, with a
// count for the progress dialog. Runs on a worker thread; touches nothing
// but "Seq<n>.qln" files directly inside the folder it is given.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qln {

class CResidueCleanup {
public:
    static constexpr int kReportEvery = 10;

    // Lists the residue files of folder now; an empty folder name lists none.
    explicit CResidueCleanup(const std::string& folder);

    int Count() const { return static_cast<int>(files_.size()); }
    // Deletes the listed files. progress gets the number handled so far after
    // every tenth file and after the last. A file that can't be deleted is
    // passed over: the exit must still end. Returns the number deleted.
    int Run(const std::function<void(int)>& progress);

    // "Seq" + digits + ".qln", the names this run gives its residue files.
    static bool IsResidueFileName(const std::string& name);

private:
    std::vector<std::string> files_;
};

}  // namespace qln
