// The commands of quillion-cli, callable without the argument parser so that
// tests can run them. Each returns the process exit status and writes its
// complaints, one line naming the file, to the error stream. Generate and
// validate end with one line on the error stream that says what was written
// or found.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qln::cli {

enum ExitStatus { kExitOk = 0, kExitFindings = 1, kExitFailure = 2 };

// "quillion-cli" and the program's version, as --version prints it.
std::string VersionText();

// Makes a project file from JSON.
int RunBuild(const std::string& jsonPath, const std::string& projectPath, std::ostream& err);
// Prints the project as JSON.
int RunDump(const std::string& projectPath, std::ostream& out, std::ostream& err);
// Checks the project and writes its listing, or its error report.
int RunGenerate(const std::string& projectPath, bool checkMissingFeatures, std::ostream& err);
// Writes the work-in-progress report beside the project.
int RunWorkFile(const std::string& projectPath, std::ostream& err);
// Reads a listing into a new project file; writes the parse log beside it
// when there are messages. anyGenerator also reads listings that other
// programs wrote.
int RunImportListing(const std::string& listingPath, const std::string& projectPath, std::ostream& out,
                     std::ostream& err, bool anyGenerator = false);
// Imports sequence text files into a project file (made when absent). type:
// empty, or one that wins over what FASTA records' letters show.
int RunImportSequences(const std::vector<std::string>& files, const std::string& projectPath, bool filter,
                       const std::string& type, std::ostream& out, std::ostream& err);
// Runs the project checks of a generation run and prints every message.
int RunValidate(const std::string& projectPath, bool checkMissingFeatures, std::ostream& out, std::ostream& err);

// Writes the project as an ST.26 XML listing with its conversion report, or
// with writeChoices only the choices file. Empty paths take the defaults
// beside the project. 0 written, 1 written with items to confirm, 2 refused
// or failed.
int RunExportSt26(const std::string& projectPath, const std::string& xmlPath, const std::string& choicesPath,
                  bool writeChoices, std::ostream& err);

// Verifies an ST.26 XML listing, whoever wrote it: every finding on its own
// line to out, the counts to err, and with a report path the report there.
// 0 nothing above notes, 1 warnings only, 2 errors, or the file unreadable.
int RunVerifySt26(const std::string& xmlPath, const std::string& reportPath, std::ostream& out, std::ostream& err);

}  // namespace qln::cli
