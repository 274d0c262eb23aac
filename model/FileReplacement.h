// A file written beside its target and renamed over it only when complete,
// so that a failed or cancelled write leaves the target as it was.
#pragma once

#include <string>
#include <system_error>

namespace qln {

// Creating one removes what killed writes of the same target left beside it
// and reserves a temporary file there (the target's name + ".saving-" + a
// random number), created exclusively so that no other writer shares it.
// The caller writes that file with any stream, closes it and commits; one
// not committed removes its temporary file.
class CFileReplacement {
public:
    explicit CFileReplacement(std::string target);
    ~CFileReplacement();
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;

    // False when no temporary file could be created; Error() says why.
    bool IsReserved() const { return !temporary_.empty(); }
    const std::string& TemporaryPath() const { return temporary_; }
    const std::string& TargetPath() const { return target_; }
    // Renames the temporary file over the target. False, with the temporary
    // file removed and Error() saying why, when it cannot.
    bool Commit();
    // Removes the temporary file now; the target stays as it was.
    void Discard();
    const std::error_code& Error() const { return error_; }

private:
    void Release();

    std::string target_;
    std::string temporary_;
    std::error_code error_;
};

}  // namespace qln
