// Where the program's own files are: the organism names, the feature key
// lists and the help pages.
#pragma once

#include <QString>

namespace qln {

class CDataFolder {
public:
    // The environment variable QLN_DATA_DIR when set; else "data" beside the
    // executable (the build tree); else the install prefix's "share/quillion"
    // next to the executable's "bin"; else "data" in the executable's parent
    // folder (benchmarks and tests in the build tree). When none is there,
    // the installed one, so that messages name where it belongs.
    static QString Path();
    static QString FilePath(const QString& name);
    // Help pages live in the "help" folder: HelpPath("SequenceHelp.md").
    static QString HelpPath(const QString& page);
};

}  // namespace qln
