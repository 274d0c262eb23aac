// Set-up shared by the fuzz targets: residue files go to a private TMP
// folder of the run, swept every so many inputs and removed at exit; and
// the loading of a project from the input bytes.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/Archive.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace qln::fuzz {

inline std::string& PrivateTmp() {
    static std::string folder;
    return folder;
}

inline void RemovePrivateTmp() {
    CResidueFiles::RemoveAll();
    std::error_code ec;
    if (!PrivateTmp().empty()) std::filesystem::remove_all(PrivateTmp(), ec);
}

// Points TMP at a new folder named after the target; call from
// LLVMFuzzerInitialize.
inline void UsePrivateTmp(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    PrivateTmp() = pattern;
    setenv("TMP", pattern.c_str(), 1);
    std::atexit(RemovePrivateTmp);
}

// Long sequences park their residues in files; call once per input.
inline void SweepResidueFilesNowAndThen() {
    constexpr unsigned kRunsBetweenSweeps = 512;
    static unsigned runsSinceSweep = 0;
    if (++runsSinceSweep >= kRunsBetweenSweeps) {
        CResidueFiles::RemoveAll();
        runsSinceSweep = 0;
    }
}

// The project in the bytes, or null when the loader refused them with its
// own errors, as it must for any fault in them.
inline Ptr<CProject> LoadFuzzProject(const uint8_t* data, size_t size) {
    try {
        CMemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
        return LoadProject(source, "fuzz.prj");
    } catch (const CArchiveException&) {
        return nullptr;
    } catch (const CResidueFileError&) {
        return nullptr;
    }
}

}  // namespace qln::fuzz
