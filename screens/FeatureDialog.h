// "Quillion: Features": the features of the current sequence. The screen
// edits copies of them on a working copy of the sequence, keeps a sequence
// to one mature peptide, and keeps the coding regions joined while a mature
// peptide needs them joined.
#pragma once

#include <memory>

#include "model/Feature.h"
#include "model/Sequence.h"
#include "screens/FeatureRules.h"
#include "screens/TableDialog.h"

namespace Ui {
class FeatureDialog;
}

namespace qln {

class CFeatureDialog : public CRecordTableDialog<CFeature> {
    Q_OBJECT
public:
    // The longest other information the field takes.
    static constexpr int kOtherInfoLimit = 260;

    // Edits copies of the sequence's features.
    CFeatureDialog(CScreenDocument& document, CSequence& sequence, QWidget* parent = nullptr);
    ~CFeatureDialog() override;

    // The sequence takes copies of the working list over.
    void HandOver() override;

    // The buttons: the grid's Insert, Replace and Delete with the rules of
    // mature peptides and joined coding regions around them.
    // False when the rules refused the feature.
    bool InsertFeature();
    void ReplaceFeature();
    void DeleteFeature();
    // "&Join All CDSs" clicked to `checked`.
    void ClickJoin(bool checked);
    // "&Names": the feature names dialog for the key field.
    void ChooseName();

    bool JoinFlag() const { return joinFlag_; }

protected:
    Ptr<CFeature> BuildRecord() const override;
    void LoadRecord(const CFeature& record) override;
    QString RecordText(const CFeature& record) const override;
    bool DiffersFrom(const CFeature& record) const override;
    bool KeyFieldFilled() const override;
    void EmptyFields() override;
    QWidget* FirstField() const override;
    QString HelpPage() const override { return QStringLiteral("FeatureHelp.md"); }
    StringList CollectMessages() override;
    bool BeforeOK() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFeatureFields Typed() const;
    CFeatureRules::Census Count() const;
    bool SelectedIsMatPeptide() const;
    // After every change of the list: item numbers 1, 2, ... and the join rule.
    void ListChanged();
    void GiveJoinFlagToEveryFeature();
    void RefuseSecondMatPeptide();
    bool Ask(const char* question);
    void SetOtherInfo(const QString& text);
    void KeepOtherInfoWithinLimit();

    CSequence& sequence_;
    // The sequence the checks run on: the working list's features belong to it.
    Ptr<CSequence> working_;
    std::unique_ptr<Ui::FeatureDialog> ui_;
    bool joinFlag_ = false;
    bool loading_ = false;
    int otherInfoLength_ = 0;  // as the limit last saw it
};

}  // namespace qln
