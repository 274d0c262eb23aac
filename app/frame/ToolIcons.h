// The tool bar's pictures: the desktop's standard ones where the style has
// them, small drawn ones for the program's own commands.
#pragma once

#include <QIcon>

class QStyle;

namespace qln {

// clang-format off
enum class ToolIcon {
    New, Open, Save, Cut, Copy, Paste, About,
    ProjectData, PriorApplication, Individual, Organization, Database, FeatureData, Generate,
};
// clang-format on

QIcon MakeToolIcon(ToolIcon icon, const QStyle* style);

}  // namespace qln
