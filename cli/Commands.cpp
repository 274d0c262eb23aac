#include "cli/Commands.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/ProjectJson.h"
#include "model/ProjectFile.h"
#include "model/ResidueFile.h"

namespace qln::cli {

namespace {

// Failures of a command that end it with exit status 2.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

nlohmann::json ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw CommandFailure(path + ": cannot be opened");
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::parse_error& e) {
        throw CommandFailure(path + ": not valid JSON (" + e.what() + ")");
    }
}

// Runs a command body, turning every failure into one line and status 2.
template <class Body>
int Guarded(std::ostream& err, Body body) {
    try {
        return body();
    } catch (const CommandFailure& e) {
        err << e.what() << '\n';
    } catch (const CArchiveException& e) {
        err << e.what() << '\n';
    } catch (const CResidueFileError& e) {
        err << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "not enough memory\n";
    }
    return kExitFailure;
}

}  // namespace

int RunBuild(const std::string& jsonPath, const std::string& projectPath, std::ostream& err) {
    return Guarded(err, [&] {
        nlohmann::json json = ReadJsonFile(jsonPath);
        Ptr<CProject> project;
        try {
            project = BuildProject(json);
        } catch (const CJsonInputError& e) {
            throw CommandFailure(jsonPath + ": " + e.what());
        }
        SaveProjectFile(*project, projectPath);
        return kExitOk;
    });
}

int RunDump(const std::string& projectPath, std::ostream& out, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        // Dumped in full before anything is printed, so a failure prints nothing.
        const std::string text = DumpProject(*project).dump(2);
        out << text << '\n';
        return kExitOk;
    });
}

}  // namespace qln::cli
