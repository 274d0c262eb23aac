#include "cli/Commands.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Latin1.h"
#include "cli/ProjectJson.h"
#include "generator/GenerationRun.h"
#include "generator/ProjectChecks.h"
#include "generator/WorkFile.h"
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

// Passes what a generation run has to say to the error stream as it happens.
class StreamObserver : public CGenerationObserver {
public:
    explicit StreamObserver(std::ostream& err) : err_(err) {}
    void Notify(int, int) override {}
    void MessageAdded(const std::string& text) override { err_ << Latin1ToUtf8(text) << '\n'; }
    void ShowMessageBox(const std::string& text, Icon) override { err_ << Latin1ToUtf8(text) << '\n'; }
    void SetStatusText(const std::string&) override {}

private:
    std::ostream& err_;
};

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

int RunGenerate(const std::string& projectPath, bool checkMissingFeatures, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        project->SetCheckMissingFeatures(checkMissingFeatures);
        StreamObserver observer(err);
        CGenerationRun run(*project, projectPath, &observer);
        switch (run.Run().outcome) {
            case GenerationOutcome::Succeeded: return kExitOk;
            case GenerationOutcome::ValidationFailed: return kExitFindings;
            default:
                throw CommandFailure(run.GetOutputNames().listing + ": the listing could not be written");
        }
    });
}

int RunWorkFile(const std::string& projectPath, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        const std::string path = MakeOutputNames(projectPath).workFile;
        CWorkFileResult result = WriteWorkFile(*project, path);
        if (!result.written) throw CommandFailure(path + ": " + result.message);
        return kExitOk;
    });
}

int RunValidate(const std::string& projectPath, bool checkMissingFeatures, std::ostream& out, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        project->SetCheckMissingFeatures(checkMissingFeatures);
        const StringList& messages = project->Validate(0);
        for (const auto& message : messages) out << Latin1ToUtf8(message) << '\n';
        return messages.empty() ? kExitOk : kExitFindings;
    });
}

}  // namespace qln::cli
