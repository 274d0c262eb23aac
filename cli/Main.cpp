// quillion-cli: Quillion's main jobs without a window.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Commands.h"
#include "model/ResidueFile.h"

int main(int argc, char** argv) {
    using namespace qln::cli;
    CLI::App app{"Quillion: sequence listings for patent applications, from the command line"};
    app.require_subcommand(1);

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
    if (validate->parsed()) status = RunValidate(input, checkMissingFeatures, std::cout, std::cerr);
    qln::CResidueFiles::RemoveAll();
    return status;
}
