#include "app/frame/AboutDlg.h"

#include "app/document/AppIcon.h"
#include "widgets/Help.h"
#include "ui_AboutDlg.h"

namespace qln {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDlg>())
{
    ui_->setupUi(this);
    ui_->versionLabel->setText("Quillion Version " QLN_VERSION);
    // The help key answers here too, as in every window of the program.
    InstallHelpKey(this, QStringLiteral("ApplHelp.md"));
    ui_->iconLabel->setPixmap(DrawQuillionIcon(48));
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;

}  // namespace qln

#include "moc_AboutDlg.cpp"
