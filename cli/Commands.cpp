#include "cli/Commands.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "export/Latin1.h"
#include "cli/ProjectJson.h"
#include "export/St26ChoicesFile.h"
#include "export/St26Export.h"
#include "export/St26Verifier.h"
#include "generator/GenerationRun.h"
#include "generator/ProjectChecks.h"
#include "generator/WorkFile.h"
#include "import/DefaultImportChoices.h"
#include "import/ImportDriver.h"
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
    } catch (const CSt26ChoicesError& e) {
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

// "1 entry", "3 entries".
std::string Count(int n, const char* one, const char* many) { return std::to_string(n) + ' ' + (n == 1 ? one : many); }

}  // namespace

std::string VersionText() { return "quillion-cli " QLN_VERSION; }

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
        const COutputNames& names = run.GetOutputNames();
        switch (run.Run().outcome) {
        case GenerationOutcome::Succeeded: {
            err << "wrote " << names.listing << ": " << Count(run.GetEntryCount(), "entry", "entries");
            if (const int warnings = run.GetWarningCount())
                err << "; " << Count(warnings, "warning", "warnings") << " in " << names.errorReport;
            err << '\n';
            return kExitOk;
        }
        case GenerationOutcome::ValidationFailed: {
            const int messages = static_cast<int>(run.GetMessages().size());
            if (run.ErrorReportFailed())
                throw CommandFailure(names.errorReport + ": the error report could not be written; " +
                                     Count(messages, "message", "messages") + " above, no listing written");
            err << "errors found, no listing written: " << Count(messages, "message", "messages") << " in "
                << names.errorReport << '\n';
            return kExitFindings;
        }
        default:
            if (run.ErrorReportFailed())
                throw CommandFailure(names.errorReport + ": the error report could not be opened, no listing written");
            throw CommandFailure(names.listing + ": the listing could not be written");
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

namespace {

// Prints the importer's messages, then the result text; the exit status
// follows what was imported.
int ReportImport(const CImportOutcome& outcome, std::ostream& out) {
    for (const auto& message : outcome.messages) out << Latin1ToUtf8(message) << '\n';
    out << Latin1ToUtf8(outcome.result) << '\n';
    if (outcome.added == 0) return kExitFailure;
    return outcome.messages.empty() ? kExitOk : kExitFindings;
}

}  // namespace

int RunImportListing(const std::string& listingPath, const std::string& projectPath, std::ostream& out,
                     std::ostream& err, bool anyGenerator) {
    return Guarded(err, [&] {
        Ptr<CProject> project(new CProject);
        CDefaultImportChoices choices(project.get());
        CImportDriver driver(*project, choices);
        driver.SetAnyGenerator(anyGenerator);
        CImportOutcome outcome = driver.ImportListing(listingPath, projectPath);
        const int status = ReportImport(outcome, out);
        if (outcome.added > 0) SaveProjectFile(*project, projectPath);
        return status;
    });
}

int RunImportSequences(const std::vector<std::string>& files, const std::string& projectPath, bool filter,
                       const std::string& type, std::ostream& out, std::ostream& err) {
    return Guarded(err, [&] {
        // Without --type, headerless files are DNA and FASTA records keep
        // the type their letters show; a --type given wins everywhere.
        const bool typeGiven = !type.empty();
        auto sequenceType = CDefaultImportChoices::NormalizeType(typeGiven ? type : "DNA");
        if (!sequenceType)
            throw CommandFailure("--type " + type + ": must be DNA, RNA, DNA/RNA, PROTEIN/1 or PROTEIN/3");
        std::error_code ec;
        Ptr<CProject> project = std::filesystem::exists(projectPath, ec) ? LoadProjectFile(projectPath)
                                                                         : Ptr<CProject>(new CProject);
        CDefaultImportChoices choices(project.get(), *sequenceType);
        choices.SetTypeGiven(typeGiven);
        CImportDriver driver(*project, choices);
        CImportOutcome outcome = driver.ImportFiles(StringList(files.begin(), files.end()), filter);
        for (const auto& notice : outcome.notices) out << Latin1ToUtf8(notice) << '\n';
        const int status = ReportImport(outcome, out);
        if (outcome.added > 0) SaveProjectFile(*project, projectPath);
        return status;
    });
}

int RunValidate(const std::string& projectPath, bool checkMissingFeatures, std::ostream& out, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        project->SetCheckMissingFeatures(checkMissingFeatures);
        const StringList& messages = project->Validate(0);
        for (const auto& message : messages) out << Latin1ToUtf8(message) << '\n';
        const std::string sequences = Count(project->GetSequences().GetSize(), "sequence", "sequences");
        if (messages.empty()) {
            err << "no errors in " << sequences << '\n';
            return kExitOk;
        }
        err << Count(static_cast<int>(messages.size()), "message", "messages") << " in " << sequences << '\n';
        return kExitFindings;
    });
}

}  // namespace qln::cli

namespace qln::cli {

int RunExportSt26(const std::string& projectPath, const std::string& xmlPath, const std::string& choicesPath,
                  bool writeChoices, std::ostream& err) {
    return Guarded(err, [&] {
        Ptr<CProject> project = LoadProjectFile(projectPath);
        const std::string choicesFile = choicesPath.empty() ? ProjectPathStem(projectPath) + kSt26ChoicesSuffix
                                                            : choicesPath;
        const CSt26Choices choices = choicesPath.empty() ? ReadSt26ChoicesIfPresent(choicesFile)
                                                         : ReadSt26Choices(choicesFile);
        if (writeChoices) {
            WriteSt26Choices(choices, *project, choicesFile);
            err << "wrote " << choicesFile << '\n';
            return kExitOk;
        }
        CSt26Export exporter(*project, projectPath, choices);
        if (!xmlPath.empty()) exporter.SetOutputPath(xmlPath);
        const St26Outcome outcome = exporter.Run();
        const CSt26Report& report = exporter.GetReport();
        const int confirm = report.Count(CSt26Report::Severity::Confirm);
        switch (outcome) {
        case St26Outcome::Written:
        case St26Outcome::WrittenToConfirm: {
            err << "wrote " << exporter.GetXmlPath() << "; ";
            if (confirm)
                err << Count(confirm, "item", "items") << " to confirm in ";
            else
                err << "report in ";
            const CSt26Findings& verification = exporter.GetVerification();
            err << exporter.GetReportPath() << "; verified: " << verification.CountsText() << '\n';
            return confirm || verification.Count(CSt26Finding::Severity::Error) ? kExitFindings : kExitOk;
        }
        case St26Outcome::Refused:
            err << "not written: " << Count(report.Count(CSt26Report::Severity::Error), "error", "errors") << " in "
                << exporter.GetReportPath() << '\n';
            return kExitFailure;
        default: throw CommandFailure(exporter.GetFailure());
        }
    });
}

}  // namespace qln::cli

namespace qln::cli {

int RunVerifySt26(const std::string& xmlPath, const std::string& reportPath, std::ostream& out, std::ostream& err) {
    return Guarded(err, [&] {
        std::error_code ec;
        if (!std::filesystem::exists(xmlPath, ec)) throw CommandFailure(xmlPath + ": no such file");
        if (!std::filesystem::is_regular_file(xmlPath, ec)) throw CommandFailure(xmlPath + ": not a file");
        const CSt26Findings findings = CSt26Verifier::VerifyFile(xmlPath);
        out << findings.Lines();
        if (!reportPath.empty()) {
            std::ofstream report(reportPath, std::ios::binary | std::ios::trunc);
            report << findings.ReportText(xmlPath);
            report.close();
            if (!report) throw CommandFailure(reportPath + ": cannot be written");
        }
        err << xmlPath << ": " << findings.CountsText();
        if (findings.Unreadable()) err << "; not readable to its end";
        if (!reportPath.empty()) err << "; report in " << reportPath;
        err << '\n';
        return findings.ExitStatus();
    });
}

}  // namespace qln::cli
