// The main view's decisions without widgets: the display layout mapping, the
// typing filter, Go and the enabling and selection rules.
#include <QtTest>

#include "app/frame/DisplayLayout.h"
#include "app/frame/SequenceSearch.h"
#include "app/frame/TypingFilter.h"
#include "app/frame/ViewRules.h"
#include "model/Sequence.h"

using namespace qln;

namespace {

std::string Layout(std::string residues)
{
    Ptr<CSequence> sequence(new CDNASequence(nullptr, "s", "", std::move(residues)));
    return sequence->FormatForDisplay();
}

}  // namespace

class ViewDecisionsTest : public QObject {
    Q_OBJECT
private slots:
    void layoutOf60And61Residues();
    void caretMapsToResiduesBothWays();
    void typingFilterAndCounts();
    void goTwiceFindsTheNextHit();
    void enablingSelectionAndCommentRules();
};

void ViewDecisionsTest::layoutOf60And61Residues()
{
    const std::string blocks = "aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa aaaaaaaaaa";
    QCOMPARE(Layout(std::string(60, 'a')), blocks + std::string(8, ' ') + "60\n");
    QCOMPARE(Layout(std::string(61, 'a')), blocks + std::string(8, ' ') + "60\n" + "a" + std::string(72, ' ') + "61");
    QCOMPARE(Layout(""), std::string());
}

void ViewDecisionsTest::caretMapsToResiduesBothWays()
{
    QCOMPARE(CDisplayLayout::ResidueAtCaret(0, 200), 0);
    QCOMPARE(CDisplayLayout::ResidueAtCaret(76, 200), 60);
    QCOMPARE(CDisplayLayout::CaretOfResidue(65), 81);
    QCOMPARE(CDisplayLayout::ResidueAtCaret(11, 200), 10);  // the blank before a block: its first residue
    // Padding, number and line feed stand on the line's last residue.
    for (int column = 65; column < 76; ++column) QCOMPARE(CDisplayLayout::ResidueAtCaret(column, 200), 59);
    // The short last line of 61 residues: everything after its one residue.
    for (int caret = 77; caret < 76 + 75; ++caret) QCOMPARE(CDisplayLayout::ResidueAtCaret(caret, 61), 60);

    // Every residue of a laid-out text is where the mapping says, and back.
    std::string residues;
    for (int i = 0; i < 250; ++i) residues += "acgt"[i * 7 % 4];
    const std::string text = Layout(residues);
    for (int i = 0; i < 250; ++i) {
        const int64_t caret = CDisplayLayout::CaretOfResidue(i);
        QCOMPARE(text[static_cast<size_t>(caret)], residues[static_cast<size_t>(i)]);
        QCOMPARE(CDisplayLayout::ResidueAtCaret(caret, 250), i);
    }
}

void ViewDecisionsTest::typingFilterAndCounts()
{
    Ptr<CSequence> dna(new CDNASequence(nullptr, "d", "", ""));
    Ptr<CSequence> rna(new CRNASequence(nullptr, "r", "", ""));
    Ptr<CSequence> protein(new CProtein1Sequence(nullptr, "p", "", ""));
    using Action = CTypingFilter::Action;

    auto typed = CTypingFilter::Filter(dna.get(), 'A', 0);
    QCOMPARE(typed.action, Action::Insert);
    QCOMPARE(typed.character, 'a');
    QCOMPARE(typed.countChange, 1);
    typed = CTypingFilter::Filter(protein.get(), 'm', 0);
    QCOMPARE(typed.action, Action::Insert);
    QCOMPARE(typed.character, 'M');
    QCOMPARE(CTypingFilter::Filter(dna.get(), 'u', 0).action, Action::Beep);
    QCOMPARE(CTypingFilter::Filter(rna.get(), 'U', 0).character, 'u');
    for (char c : {'5', ' ', '\r', '*'}) {
        QCOMPARE(CTypingFilter::Filter(dna.get(), c, 0).action, Action::Beep);
        QCOMPARE(CTypingFilter::Filter(protein.get(), c, 0).action, Action::Beep);
    }
    QCOMPARE(CTypingFilter::Filter(nullptr, 'a', 0).action, Action::Discard);
    QCOMPARE(CTypingFilter::Filter(dna.get(), CTypingFilter::kBackspace, 0).countChange, -1);
    // A full editor takes no more residues, but still a backspace.
    QCOMPARE(CTypingFilter::Filter(dna.get(), 'a', CTypingFilter::kMaxResidues).action, Action::TooLong);
    QCOMPARE(CTypingFilter::Filter(dna.get(), 'a', CTypingFilter::kMaxResidues - 1).action, Action::Insert);
    QCOMPARE(CTypingFilter::Filter(dna.get(), '\b', CTypingFilter::kMaxResidues).action, Action::Insert);

    CResidueCounter count;
    count.Change(-1);
    QCOMPARE(count.Count(), 0);
    count.Change(1);
    count.Change(1);
    count.Change(-1);
    QCOMPARE(count.Count(), 1);
}

void ViewDecisionsTest::goTwiceFindsTheNextHit()
{
    // Hits at residues 10, 53 (the end of the first line) and 60 (the start
    // of the second), and one more at 100.
    std::string residues(130, 'c');
    for (size_t at : {10, 53, 60, 100}) residues.replace(at, 7, "gattaca");
    const std::string text = Layout(residues);

    CSequenceSearch search;
    auto hit = search.Find(text, true, "gattaca", 0);
    QVERIFY(hit.found);
    QCOMPARE(hit.residue, 10);
    QCOMPARE(hit.editorPosition, 11);
    const int64_t expected[] = {53, 60, 100};
    for (int64_t residue : expected) {
        hit = search.Find(text, true, "gattaca", hit.editorPosition);  // Go again, caret on the hit
        QVERIFY(hit.found);
        QCOMPARE(hit.residue, residue);
    }
    QVERIFY(!search.Find(text, true, "gattaca", hit.editorPosition).found);

    // A caret placed in the first line's padding finds the hit that starts
    // the second line rather than passing over it.
    search.Forget();
    hit = search.Find(text, true, "gattaca", 72);
    QCOMPARE(hit.residue, 60);
    QVERIFY(!search.Find(text, true, "", 0).found);

    // Text typed since the last layout: positions count its letters.
    search.Forget();
    hit = search.Find("aa ccg\ntt", false, "gt", 0);
    QCOMPARE(hit.residue, 4);
    QCOMPARE(hit.editorPosition, 5);
}

void ViewDecisionsTest::enablingSelectionAndCommentRules()
{
    auto controls = CViewRules::ControlsFor(true, "PRT", false);
    QVERIFY(controls.sequenceControls);
    QVERIFY(!controls.alterSeqType);
    QVERIFY(!controls.restore);
    controls = CViewRules::ControlsFor(true, "DNA/RNA", true);
    QVERIFY(controls.alterSeqType);
    QVERIFY(controls.restore);
    controls = CViewRules::ControlsFor(false, "DNA", true);
    QVERIFY(!controls.sequenceControls && !controls.alterSeqType && controls.restore);

    QCOMPARE(CViewRules::RowAfterDelete(1, 3), 1);   // the line that moved up
    QCOMPARE(CViewRules::RowAfterDelete(3, 3), 2);   // deleted the last: the new last
    QCOMPARE(CViewRules::RowAfterDelete(0, 0), -1);  // deleted the only one

    using Prompt = CViewRules::CommentPrompt;
    for (const char* organism : {"Artificial Sequence", "  UNKNOWN ", "artificial"})
        QCOMPARE(CViewRules::CommentPromptFor(organism, "", false), Prompt::Ask);
    for (const char* organism : {"artificially made", "unknown organism", "Homo sapiens"})
        QCOMPARE(CViewRules::CommentPromptFor(organism, "kept?", false), Prompt::ClearComment);
    QCOMPARE(CViewRules::CommentPromptFor("unknown", "already said", false), Prompt::Nothing);
    QCOMPARE(CViewRules::CommentPromptFor("unknown", "", true), Prompt::Nothing);
}

QTEST_GUILESS_MAIN(ViewDecisionsTest)
#include "ViewDecisionsTest.moc"
