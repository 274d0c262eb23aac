#pragma once

#include <QDialog>

class QLabel;

namespace qln {

// "Deleting temporary files": modeless progress of the clean-up at exit.
class CDeleteTempFilesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDeleteTempFilesDialog(int total, QWidget* parent = nullptr);
public slots:
    void SetDeleted(int deleted);  // "<deleted> of <total> files deleted."

protected:
    // The owner closes the window when the work is done; the user can't.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int total_;
    QLabel* count_ = nullptr;
};

}  // namespace qln
