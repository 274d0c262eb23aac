// Linked into the programs that nobody watches (the window tests and the
// benchmarks of the windows): a data folder that is missing or incomplete ends
// the program as its application object is made, with the reason on standard
// error, instead of leaving it waiting behind a message box that no one can
// see or answer.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "app/document/DataCheck.h"
#include "widgets/DataFolder.h"

namespace {

void EndWhenDataIsMissing()
{
    const QString problem = qln::CDataCheck::UnattendedProblem(qln::CDataFolder::Path());
    if (problem.isEmpty()) return;
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::fflush(stderr);
    // The application object is half made: nothing is torn down.
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(EndWhenDataIsMissing)
