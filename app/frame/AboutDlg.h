// The About box.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDlg;
}

namespace qln {

// "About Quillion": the icon, the version and the release date.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::AboutDlg> ui_;
};

}  // namespace qln
