// The "Verify ST.26 XML" command: an ST.26 listing picked from disk, whoever
// wrote it, verified, and the findings shown in the report window grouped by
// sequence with their counts on top.
#pragma once

#include <QMessageBox>
#include <QString>

namespace qln {

class CSt26Findings;

// What the report window shows for a verification, decided without widgets.
struct CSt26VerificationView {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString outcome;  // the line above the report
    QString report;   // the findings, grouped

    static CSt26VerificationView For(const CSt26Findings& findings, const QString& path);
};

// Asks for the file, starting in folder; nothing happens when the user
// cancels.
void VerifySt26File(const QString& folder, QWidget* parent);
// Verifies the file under a wait cursor and shows what was found.
void ShowSt26Verification(const QString& path, QWidget* parent);

}  // namespace qln
