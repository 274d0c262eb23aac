// The reports every loaded project must get, whatever its data: the
// work-in-progress report, and a generation run that ends with a listing or
// with an error report. Shared by the corpus test and the generation fuzz
// target, so it uses nothing of the test framework.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>

#include "generator/GenerationRun.h"
#include "generator/WorkFile.h"
#include "model/Project.h"

namespace qln::test {

// Empty when both reports were made; else what went wrong. The generation
// writes its files in folder.
inline std::string ProjectReportsFault(CProject& project, const std::filesystem::path& folder) {
    std::ostringstream report;
    WriteWorkFile(project, report);
    if (!report) return "the work file stream failed";

    CGenerationRun run(project, (folder / "reports.prj").string());
    const CGenerationResult result = run.Run();
    if (result.residueFileFailed) return "a residue file failed";
    if (result.outcome != GenerationOutcome::Succeeded && result.outcome != GenerationOutcome::ValidationFailed)
        return "the generation neither wrote a listing nor reported errors";
    return {};
}

}  // namespace qln::test
