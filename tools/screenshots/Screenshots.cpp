#include "tools/screenshots/Screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/sequences/AddSequenceDialog.h"
#include "widgets/DataFolder.h"
#include "app/generation/GeneratorProgressDialog.h"
#include "widgets/Help.h"
#include "app/import/ImportSequencesDialog.h"
#include "app/frame/MainFrame.h"
#include "app/document/QLNDoc.h"
#include "app/st26/St26ExportCommand.h"
#include "app/st26/St26ExportDialog.h"
#include "app/st26/St26ExportForm.h"
#include "app/frame/TextFileViewer.h"
#include "export/St26Export.h"
#include "generator/GenerationRun.h"
#include "model/ProjectFile.h"
#include "model/Feature.h"
#include "model/Sequence.h"
#include "screens/CustCodonDialog.h"
#include "screens/FeatureDialog.h"
#include "screens/IndividualApplDialog.h"
#include "screens/ProjectDataDialog.h"

namespace qln {

namespace {

bool Save(QWidget& window, const QString& folder, const QString& name)
{
    const QString path = QDir(folder).filePath(name);
    const bool saved = window.grab().save(path, "PNG");
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(QDir::toNativeSeparators(path)));
    return saved;
}

// Shows a dialog without blocking, lets it lay itself out, and takes its picture.
bool Shoot(QDialog& dialog, const QString& folder, const QString& name)
{
    dialog.show();
    dialog.raise();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const bool saved = Save(dialog, folder, name);
    dialog.hide();
    return saved;
}

// The generation dialog at the end of a run whose checks found problems: a
// small project of its own, generated in a temporary folder.
bool ShootGeneration(CMainFrame& frame, const QString& folder)
{
    QTemporaryDir work;
    Ptr<CProject> project(new CProject);
    project->GetProjectData()->SetTitle("Detection of tomato ringspot virus");
    project->GetProjectData()->SetFileReference("TRV-2024-01");
    project->GetIndivApplicants().Add(new CIndivApplicant(project.get(), "Maria", "Lopez"));
    const char* const sequences[][2] = {{"TRV_coat_F", "atggcgtcctacaagcgtacg"},
                                        {"Primer_R1", "gcatt"},
                                        {"Probe_7", "acgtxgg"},
                                        {"TRV_coat_R", "ttgcaacgtaggcatcgatcc"},
                                        {"Linker", ""},
                                        {"Primer_R2", "ccgt"},
                                        {"Loop_2", "gactgacggtcaZtgac"},
                                        {"TRV_3UTR", "aggcttacgatc"},
                                        {"Primer_R3", "tta"}};
    for (const auto& [name, residues] : sequences)
        project->Add(new CDNASequence(project.get(), name, "Tomato ringspot virus", residues));

    CGeneratorProgressDialog dialog(*project, work.filePath(QStringLiteral("Ringspot.prj")), &frame);
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("startButton"))->click();
    QElapsedTimer waited;
    waited.start();
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("closeButton"));
    while (!close->isVisible() && waited.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    return Shoot(dialog, folder, QStringLiteral("generation.png"));
}

// The project data and individual applicant screens on the open project,
// the applicant list with two more applicants typed in; the project keeps
// none of it.
bool ShootDataScreens(CMainFrame& frame, const QString& folder)
{
    CCQLNDoc& document = frame.Document();
    const bool modified = document.IsModified();
    bool ok = true;
    {
        CProjectDataDialog data(document, &frame);
        ok = Shoot(data, folder, QStringLiteral("project-data.png")) && ok;
    }
    {
        CIndividualApplDialog applicants(document, &frame);
        const char* const typed[][6] = {
            {"Ines", "Ferreira", "Rua das Flores 21", "Porto", "Portugal", "+351 22 000 0001"},
            {"Tomas", "Novak", "Dlouha 7", "Praha", "Czech Republic", "+420 2 0000 0002"}};
        for (const auto& row : typed) {
            applicants.Clear();
            const char* const fields[] = {"firstName", "lastName", "street", "city", "country", "phone"};
            for (int i = 0; i < 6; ++i)
                applicants.findChild<QLineEdit*>(QLatin1String(fields[i]))->setText(QString::fromLatin1(row[i]));
            applicants.Insert();
        }
        applicants.Grid()->setCurrentCell(0, 1);
        ok = Shoot(applicants, folder, QStringLiteral("individual-applicants.png")) && ok;
    }
    document.SetModified(modified);
    return ok;
}

// The custom codon screen of the project's first nucleotide sequence with a
// few mitochondrial codons typed in; the sequence keeps its own table.
bool ShootCustomCodons(CMainFrame& frame, const QString& folder)
{
    CCQLNDoc& document = frame.Document();
    const bool modified = document.IsModified();
    Ptr<CBaseSequence> sequence;
    for (const auto& candidate : document.Project().GetSequences())
        if (auto* nucleotide = dynamic_cast<CBaseSequence*>(candidate.get()); nucleotide && !sequence)
            sequence = Ptr<CBaseSequence>(nucleotide);
    if (!sequence) sequence = Ptr<CBaseSequence>(new CDNASequence(&document.Project(), "Mito_COX1", "", ""));
    bool ok = false;
    {
        CCustCodonDialog codons(document, *sequence, &frame);
        auto* aminoAcid = codons.findChild<QComboBox*>(QStringLiteral("aminoAcid"));
        auto* codon = codons.findChild<QLineEdit*>(QStringLiteral("codon"));
        const char* const typed[][2] = {{"Trp", "tga"}, {"Met", "ata"}, {"Ser", "aga"}, {"Ser", "agg"}};
        for (const auto& [acid, text] : typed) {
            aminoAcid->setCurrentIndex(aminoAcid->findText(QLatin1String(acid)));
            codon->setText(QLatin1String(text));
            codons.InsertCodon();
        }
        aminoAcid->setCurrentIndex(aminoAcid->findText(QStringLiteral("Ile")));
        codon->setText(QStringLiteral("att"));
        ok = Shoot(codons, folder, QStringLiteral("custom-codons.png"));
    }
    document.SetModified(modified);
    return ok;
}

// The feature screen of the project's first nucleotide sequence with a few
// more features typed in; the sequence keeps its own list.
bool ShootFeatures(CMainFrame& frame, const QString& folder)
{
    CCQLNDoc& document = frame.Document();
    const bool modified = document.IsModified();
    Ptr<CSequence> sequence;
    for (const auto& candidate : document.Project().GetSequences())
        if (candidate->GetTypeName() != "PRT" && !sequence) sequence = candidate;
    if (!sequence) sequence = Ptr<CSequence>(new CDNASequence(&document.Project(), "GFP-cds", "", "atggctagcaaa"));
    bool ok = false;
    {
        CFeatureDialog features(document, *sequence, &frame);
        const char* const typed[][4] = {{"promoter", "1", "24", "T7 promoter region"},
                                        {"modified_base", "45", "45", "m5c"},
                                        {"", "", "", "n is a, c, g, or t"}};
        for (const auto& [key, from, to, other] : typed) {
            features.Clear();
            features.findChild<QLineEdit*>(QStringLiteral("key"))->setText(QLatin1String(key));
            features.findChild<QLineEdit*>(QStringLiteral("from"))->setText(QLatin1String(from));
            features.findChild<QLineEdit*>(QStringLiteral("to"))->setText(QLatin1String(to));
            features.findChild<QPlainTextEdit*>(QStringLiteral("otherInfo"))->setPlainText(QLatin1String(other));
            features.InsertFeature();
        }
        features.Grid()->setCurrentCell(0, 1);
        features.resize(features.sizeHint().expandedTo(QSize(680, 0)));
        ok = Shoot(features, folder, QStringLiteral("features.png"));
    }
    document.SetModified(modified);
    return ok;
}

// The ST.26 export dialog on a small project of its own: a coding DNA with
// its derived protein, a protein, a synthetic RNA and a skipped sequence,
// the DNA's mol_type picked. Nothing is exported.
bool ShootSt26Export(CMainFrame& frame, const QString& folder)
{
    QTemporaryDir work;
    Ptr<CProject> project(new CProject);
    project->GetProjectData()->SetTitle("Stable expression cassettes");
    project->GetProjectData()->SetFileReference("QL-0042");
    auto* gene = new CDNASequence(project.get(), "EGFP_cassette", "Homo sapiens",
                                  "ccgatggctagcaaaggcgaagagctgttctaagcg");
    gene->GetFeatures().Add(new CDS(gene, "", "4", "33"));
    project->Add(gene);
    project->Add(new CProtein1Sequence(project.get(), "Linker_peptide", "Mus musculus", "MKVLAAGWTRSGGGS"));
    auto* aptamer = new CRNASequence(project.get(), "Aptamer_A12", "Artificial Sequence", "ggacuuagcaugcuaggcau");
    aptamer->SetComment(Ptr<CCommentFeature>(new CCommentFeature(aptamer, "Synthetic aptamer")));
    project->Add(aptamer);
    auto* gap = new CDNASequence(project.get(), "Withdrawn_7", "", CSequence::kNoResidues);
    gap->SetSkipped(true);
    project->Add(gap);

    const QString path = work.filePath(QStringLiteral("Cassettes.prj"));
    CSt26ExportForm form(CSt26Export(*project, ToCorePath(path), {}).Rows(), {});
    form.SetMolType(0, "genomic DNA");
    CSt26ExportDialog dialog(form, St26FilesNote(path), &frame);
    return Shoot(dialog, folder, QStringLiteral("st26-export.png"));
}

// The listing viewer on the listing of the open project, generated from its
// saved file into a folder of its own, with a word found.
bool ShootViewer(CMainFrame& frame, const QString& folder)
{
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("Demo.prj"));
    if (!QFile::copy(frame.Document().Path(), path)) return false;
    Ptr<CProject> project = LoadProjectFile(ToCorePath(path));
    CGenerationRun(*project, ToCorePath(path)).Run();
    CTextFileViewer* viewer = CTextFileViewer::Open(&frame, work.filePath(QStringLiteral("Demo_ST25.txt")));
    if (!viewer) return false;
    viewer->resize(780, 600);
    viewer->findChild<QLineEdit*>(QStringLiteral("findField"))->setText(QStringLiteral("Aequorea"));
    viewer->FindNext();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const bool saved = Save(*viewer, folder, QStringLiteral("listing-viewer.png"));
    viewer->close();
    return saved;
}

void TakeAll(CMainFrame& frame, const QString& folder)
{
    QDir().mkpath(folder);
    bool ok = Save(frame, folder, QStringLiteral("main-window.png"));
    {
        CAddSequenceDialog add(frame.Document().Project().GetSequences(), &frame);
        ok = Shoot(add, folder, QStringLiteral("add-sequence.png")) && ok;
    }
    {
        CHelp help(CDataFolder::HelpPath(QStringLiteral("SequenceHelp.md")), &frame);
        ok = Shoot(help, folder, QStringLiteral("help.png")) && ok;
    }
    ok = ShootGeneration(frame, folder) && ok;
    {
        CImportSequencesDialog import(frame.Document(), &frame);
        ok = Shoot(import, folder, QStringLiteral("import.png")) && ok;
    }
    ok = ShootDataScreens(frame, folder) && ok;
    ok = ShootCustomCodons(frame, folder) && ok;
    ok = ShootFeatures(frame, folder) && ok;
    ok = ShootSt26Export(frame, folder) && ok;
    ok = ShootViewer(frame, folder) && ok;
    QCoreApplication::exit(ok ? 0 : 1);
}

}  // namespace

void ScheduleScreenshots(CMainFrame& frame, const QString& folder)
{
    // Waits for the window to be up and the project shown, then gives the
    // layout a moment to settle.
    auto* timer = new QTimer(&frame);
    timer->setInterval(300);
    QPointer<CMainFrame> target(&frame);
    QObject::connect(timer, &QTimer::timeout, &frame, [timer, target, folder] {
        if (!target || !target->isVisible() || QApplication::activeModalWidget()) return;
        timer->stop();
        QTimer::singleShot(700, target, [target, folder] {
            if (target) TakeAll(*target, folder);
        });
    });
    timer->start();
}

}  // namespace qln
