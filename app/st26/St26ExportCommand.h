// The "Export ST.26 XML" command: the choices file read, the export dialog,
// the export run, the choices saved and the report shown.
#pragma once

#include <QString>
#include <optional>

#include "export/St26Export.h"

class QWidget;

namespace qln {

class CCQLNDoc;

inline constexpr const char* kSaveBeforeExporting = "Please save the project before exporting.";

// The choices file of a project file: "<project>_ST26.json" beside it.
QString St26ChoicesPath(const QString& projectPath);
// What the dialog says OK writes for that project file.
QString St26FilesNote(const QString& projectPath);

// Runs the command on the document's project as it is in memory; nothing
// when the project was never saved or the user cancelled. A residue file
// that can't be read throws CResidueFileError, as in the other commands.
std::optional<St26Outcome> ExportSt26(CCQLNDoc& document, QWidget* parent);

}  // namespace qln
