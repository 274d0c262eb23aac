// The Import button's file import: a headerless file asks its type, a name
// already in the project asks for another, and the project shows the new
// sequences.
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "ModalAnswer.h"
#include "app/ErrorMsgDialog.h"
#include "app/QLNDoc.h"
#include "app/RenameSeqDialog.h"
#include "app/SequenceFileImport.h"
#include "model/Sequence.h"

using namespace qln;

class SequenceFileImportTest : public QObject {
    Q_OBJECT
private slots:
    void HeaderlessFileAsksTypeAndClashAsksName()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("plain.txt");
        std::ofstream(file.toStdString()) << "MKVLAAGIVGLLLAQWTS\n";

        CCQLNDoc document;
        document.Project().Add(new CDNASequence(&document.Project(), "plain", "", "acgt"));
        CErrorMsgDialog messages;
        CSequenceFileImport import(document, messages, nullptr);

        test::AnswerModal<QInputDialog>([](QInputDialog* dialog) {
            dialog->setTextValue("PROTEIN/1");
            dialog->accept();
            test::AnswerModal<CRenameSeqDialog>([](CRenameSeqDialog* rename) {
                rename->findChild<QLineEdit*>("name")->setText("plain protein");
                rename->accept();
            });
        });
        const QString result = import.Import({file});

        QCOMPARE(result, QString("Import succeeded."));
        CSequence* added = document.Project().Find("plain protein");
        QVERIFY(added);
        QCOMPARE(QString::fromStdString(added->GetTypeName()), QString("PRT"));
        QCOMPARE(QString::fromStdString(added->GetResidues()), QString("MKVLAAGIVGLLLAQWTS"));
        QVERIFY(document.IsModified());
    }

    void CancelledTypeQuestionImportsNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("plain.txt");
        std::ofstream(file.toStdString()) << "acgtacgt\n";
        CCQLNDoc document;
        CErrorMsgDialog messages;
        CSequenceFileImport import(document, messages, nullptr);

        test::AnswerModal<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
        import.Import({file});

        QCOMPARE(document.Project().GetSequences().GetSize(), 0);
        QVERIFY(!document.IsModified());
    }
};

QTEST_MAIN(SequenceFileImportTest)
#include "SequenceFileImportTest.moc"
