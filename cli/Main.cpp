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

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int status = app.exit(e);
        return status == 0 ? kExitOk : kExitFailure;
    }

    int status = kExitFailure;
    if (build->parsed()) status = RunBuild(input, output, std::cerr);
    if (dump->parsed()) status = RunDump(input, std::cout, std::cerr);
    qln::CResidueFiles::RemoveAll();
    return status;
}
