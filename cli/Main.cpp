// quillion-cli: Quillion's main jobs without a window.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Commands.h"
#include "model/ResidueFile.h"

int main(int argc, char** argv) {
    using namespace qln::cli;
    CLI::App app{"Quillion: sequence listings for patent applications, from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", VersionText(), "print the program's version and exit");

    std::string input, output;
    auto* build = app.add_subcommand("build", "make a project file from JSON");
    build->add_option("json", input, "the project as JSON")->required();
    build->add_option("-o,--output", output, "the project file to write")->required();

    auto* dump = app.add_subcommand("dump", "print a project as JSON");
    dump->add_option("project", input, "the project file")->required();

    bool checkMissingFeatures = false;
    auto* validate = app.add_subcommand("validate", "check a project as a generation run would, writing nothing");
    validate->add_option("project", input, "the project file")->required();
    validate->add_flag("--check-missing-features", checkMissingFeatures,
                       "require a misc_feature for every unknown residue");

    auto* generate = app.add_subcommand("generate", "check the project and write its sequence listing beside it");
    generate->add_option("project", input, "the project file")->required();
    generate->add_flag("--check-missing-features", checkMissingFeatures,
                       "require a misc_feature for every unknown residue");

    auto* workfile = app.add_subcommand("workfile", "write the work-in-progress report beside the project");
    workfile->add_option("project", input, "the project file")->required();

    auto* importListing = app.add_subcommand("import-listing", "read a Quillion ST.25 listing into a new project");
    importListing->add_option("listing", input, "the listing file")->required();
    importListing->add_option("-o,--output", output, "the project file to write")->required();
    bool anyGenerator = false;
    importListing->add_flag("--any-generator", anyGenerator, "also read listings that other programs wrote");

    std::vector<std::string> files;
    bool noFilter = false;
    std::string type;
    auto* importSequences = app.add_subcommand("import-sequences", "import sequence text files into a project");
    importSequences->add_option("files", files, "the sequence text files")->required();
    importSequences->add_option("--into", output, "the project file (made when absent)")->required();
    importSequences->add_flag("--no-filter", noFilter, "keep sequences with invalid characters out");
    importSequences->add_option("--type", type,
                                "DNA, RNA, DNA/RNA, PROTEIN/1 or PROTEIN/3: for headerless files (else DNA) and "
                                "every FASTA record (else its letters decide)");

    std::string choices;
    bool writeChoices = false;
    auto* exportSt26 = app.add_subcommand("export-st26",
                                          "write the project as a WIPO ST.26 XML listing and its report");
    exportSt26->add_option("project", input, "the project file")->required();
    exportSt26->add_option("-o,--output", output, "the XML file (default: <project>_ST26.xml beside the project)");
    exportSt26->add_option("--choices", choices, "the choices file (default: <project>_ST26.json when present)");
    exportSt26->add_flag("--write-choices", writeChoices,
                         "write the choices file with every default filled in, for editing, and export nothing");

    std::string reportPath;
    auto* verifySt26 = app.add_subcommand(
        "verify-st26", "check an ST.26 XML listing, whoever wrote it, against the DTD and the rules of the standard");
    verifySt26->add_option("listing", input, "the ST.26 XML file")->required();
    verifySt26->add_option("--report", reportPath, "also write the findings, grouped by sequence, to this file");
    verifySt26->footer(
        "Prints one finding a line: where (General, or SEQ ID n with the feature and qualifier), the severity "
        "(error, warning, note), what is wrong, the rule and what to do. Exit status: 0 nothing above notes, "
        "1 warnings only, 2 errors or an unreadable file.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int status = app.exit(e);
        return status == 0 ? kExitOk : kExitFailure;
    }

    int status = kExitFailure;
    if (build->parsed()) status = RunBuild(input, output, std::cerr);
    if (dump->parsed()) status = RunDump(input, std::cout, std::cerr);
    if (generate->parsed()) status = RunGenerate(input, checkMissingFeatures, std::cerr);
    if (workfile->parsed()) status = RunWorkFile(input, std::cerr);
    if (importListing->parsed()) status = RunImportListing(input, output, std::cout, std::cerr, anyGenerator);
    if (importSequences->parsed()) status = RunImportSequences(files, output, !noFilter, type, std::cout, std::cerr);
    if (exportSt26->parsed()) status = RunExportSt26(input, output, choices, writeChoices, std::cerr);
    if (validate->parsed()) status = RunValidate(input, checkMissingFeatures, std::cout, std::cerr);
    if (verifySt26->parsed()) status = RunVerifySt26(input, reportPath, std::cout, std::cerr);
    qln::CResidueFiles::RemoveAll();
    return status;
}
