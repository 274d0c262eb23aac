// The ST.26 export from the Project menu as a user goes through it: the
// dialog's rows and picks, the files written, the choices coming back, and
// the exports it refuses.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalAnswer.h"
#include "app/frame/MainFrame.h"
#include "app/st26/St26ExportDialog.h"
#include "app/st26/St26ExportReportDialog.h"
#include "model/Applicant.h"
#include "model/Feature.h"
#include "model/ProjectFile.h"
#include "model/Sequence.h"
#include "support/ScreenTestSupport.h"

using namespace qln;
using namespace qln::test;

namespace {

QString Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class St26ExportDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;   // TMP of this run
    QTemporaryDir work_;  // the projects and what they export

    QString Path(const QString& name) const { return work_.filePath(name); }

    // A DNA with a coding region, a protein and a skipped sequence; the
    // DNA's feature key is the one given.
    QString SaveProject(const QString& name, const std::string& key)
    {
        Ptr<CProject> project(new CProject);
        project->GetProjectData()->SetTitle("Stable expression cassettes");
        project->GetProjectData()->SetFileReference("QL-0042");
        project->GetOrgApplicants().Add(new COrgApplicant(project.get(), "Acme Bio Inc."));
        auto* gene = new CDNASequence(project.get(), "gene", "Homo sapiens", "ccgatggctagcaaaggcgaagagctgttctaagcg");
        if (key == CDS::kKey)
            gene->GetFeatures().Add(new CDS(gene, "", "4", "33"));
        else
            gene->GetFeatures().Add(new COtherFeature(gene, key, "", "4", "33"));
        project->Add(gene);
        project->Add(new CProtein1Sequence(project.get(), "peptide", "Mus musculus", "MKVLAAGWTRS"));
        auto* gap = new CDNASequence(project.get(), "gap", "", CSequence::kNoResidues);
        gap->SetSkipped(true);
        project->Add(gap);
        SaveProjectFile(*project, Path(name).toStdString());
        return Path(name);
    }

    // The report dialog's outcome line and text, closed.
    struct Shown {
        QString outcome, report;
    };
    static std::shared_ptr<Shown> ExpectReport()
    {
        auto shown = std::make_shared<Shown>();
        AnswerModal<CSt26ExportReportDialog>([shown](CSt26ExportReportDialog* dialog) {
            shown->outcome = dialog->Outcome();
            shown->report = dialog->Report()->toPlainText();
            Click(*dialog, "closeButton");
        });
        return shown;
    }

private slots:
    void initTestCase() { UsePrivateFolders(tmp_); }

    void exportThroughTheMenuAndBack()
    {
        const QString project = SaveProject("Cassette.prj", CDS::kKey);
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.OpenProject(project));
        QAction* command = frame.Action("actionExportSt26");
        QVERIFY(command->isEnabled());

        QStringList rows;
        std::shared_ptr<Shown> shown;
        AnswerModal<CSt26ExportDialog>([&](CSt26ExportDialog* dialog) {
            auto* table = dialog->findChild<QTableWidget*>("sequences");
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < 4; ++c) cells << table->item(r, c)->text();
                rows << cells.join('|');
            }
            QVERIFY(!dialog->MolTypeBox(2));  // skipped: nothing to pick
            QCOMPARE(dialog->MolTypeBox(1)->currentText(), QString("protein"));
            // The user steps through the DNA's choices to "genomic DNA".
            QComboBox* box = dialog->MolTypeBox(0);
            box->setFocus();
            while (box->currentIndex() > 0) QTest::keyClick(box, Qt::Key_Up);
            while (box->currentText() != "genomic DNA" && box->currentIndex() < box->count() - 1)
                QTest::keyClick(box, Qt::Key_Down);
            Type(*dialog, "language", "de");
            shown = ExpectReport();
            Click(*dialog, "okButton");
        });
        command->trigger();
        // SEQ ID 2 is the protein derived from the coding region.
        QCOMPARE(rows, QStringList({"1|gene|DNA|Homo sapiens", "3|peptide|PRT|Mus musculus", "4|gap|DNA|"}));

        const QString xml = Contents(Path("Cassette_ST26.xml"));
        QVERIFY(xml.contains("<INSDQualifier_value>genomic DNA</INSDQualifier_value>"));
        QVERIFY(xml.contains("languageCode=\"de\""));
        QVERIFY2(shown->outcome.startsWith("Cassette_ST26.xml written"), qPrintable(shown->outcome));
        // The listing written was verified: the counts are in the outcome,
        // the findings at the end of the report.
        QVERIFY2(shown->outcome.contains(" Verified: 0 errors, "), qPrintable(shown->outcome));
        QVERIFY(shown->report.contains("\nVerification of the listing written"));
        QCOMPARE(shown->report, Contents(Path("Cassette_ST26Report.txt")));
        QVERIFY(Contents(Path("Cassette_ST26.json")).contains("genomic DNA"));

        // Opened again, the dialog shows what was picked.
        QString molType, language;
        AnswerModal<CSt26ExportDialog>([&](CSt26ExportDialog* dialog) {
            molType = dialog->MolTypeBox(0)->currentText();
            language = Field(*dialog, "language");
            Click(*dialog, "cancelButton");
        });
        command->trigger();
        QCOMPARE(molType, QString("genomic DNA"));
        QCOMPARE(language, QString("de"));
    }

    void exportsRefused()
    {
        // Never saved: nothing to name the files after.
        {
            CMainFrame frame;
            auto seen = ExpectMessageBox();
            frame.Action("actionExportSt26")->trigger();
            QCOMPARE(seen->text, QString("Please save the project before exporting."));
        }

        const QString project = SaveProject("Unknown.prj", "bogus_key");
        QFile broken(Path("Unknown_ST26.json"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{ \"language\": ");
        broken.close();
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.OpenProject(project));

        // The broken choices file is named; a bad language code keeps the
        // dialog open, a good one goes on to the refusal.
        auto choicesMessage = ExpectMessageBox();
        std::shared_ptr<SeenMessage> languageMessage;
        bool stayedOpen = false;
        std::shared_ptr<Shown> shown;
        AnswerModal<CSt26ExportDialog>([&](CSt26ExportDialog* dialog) {
            Type(*dialog, "language", "xx");
            languageMessage = ExpectMessageBox();
            Click(*dialog, "okButton");
            stayedOpen = dialog->isVisible();
            Type(*dialog, "language", "en");
            shown = ExpectReport();
            Click(*dialog, "okButton");
        });
        frame.Action("actionExportSt26")->trigger();
        QVERIFY2(choicesMessage->text.contains("Unknown_ST26.json"), qPrintable(choicesMessage->text));
        QVERIFY(stayedOpen);
        QVERIFY2(languageMessage->text.startsWith("Filing language: \"xx\""), qPrintable(languageMessage->text));
        QVERIFY2(shown->outcome.startsWith("Nothing written"), qPrintable(shown->outcome));
        QVERIFY(shown->report.contains("bogus_key"));
        QVERIFY(!QFileInfo::exists(Path("Unknown_ST26.xml")));
    }
};

QTEST_MAIN(St26ExportDialogTest)
#include "St26ExportDialogTest.moc"
