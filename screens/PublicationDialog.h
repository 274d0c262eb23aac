// What the four publication screens share: they edit one kind of the
// current sequence's publications, show the sequence's type and length at
// the top, count every field for input still to be inserted, and have jump
// buttons to the other three screens.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/Latin1Text.h"
#include "model/ResidueFile.h"
#include "model/Sequence.h"
#include "screens/PublicationFields.h"
#include "screens/PublicationKind.h"
#include "screens/TableDialog.h"

namespace qln {

template <class T>
class CPublicationDialog : public CRecordTableDialog<T> {
public:
    CSequence& Sequence() const { return sequence_; }

    // A jump button: what was typed but not inserted goes into the list
    // unchecked, the list goes to the sequence, and the screen closes asking
    // for the target screen. Nothing is validated on the way.
    void JumpTo(CPublicationKind target)
    {
        if (this->HasPendingInput()) this->Insert();
        this->HandOver();
        this->done(JumpResult(target));
    }

protected:
    CPublicationDialog(CScreenDocument& document, CSequence& sequence, CArray<Ptr<T>>& list, CInsertPlace place,
                       QWidget* parent)
        : CRecordTableDialog<T>(document, list, place, parent), sequence_(sequence)
    {
    }

    // Called once the form is set up.
    void SetUpPublication(const char* header)
    {
        if (auto* type = this->template findChild<QLineEdit*>(QStringLiteral("sequenceType")))
            type->setText(ToQt(sequence_.GetTypeName()));
        if (auto* length = this->template findChild<QLineEdit*>(QStringLiteral("stringLength")))
            length->setText(QString::number(ResidueCount()));
        const struct {
            const char* button;
            CPublicationKind target;
        } jumps[] = {{"toJournalsButton", CPublicationKind::Journal},
                     {"toPatentsButton", CPublicationKind::Patent},
                     {"toThesesButton", CPublicationKind::Thesis},
                     {"toDatabasesButton", CPublicationKind::Database}};
        for (const auto& jump : jumps)
            if (auto* button = this->template findChild<QPushButton*>(QLatin1String(jump.button)))
                QObject::connect(button, &QPushButton::clicked, this, [this, target = jump.target] { JumpTo(target); });
        this->SetUpTable(QString::fromLatin1(header), ToQt(sequence_.GetName()));
    }

    // Every field counts, with no row selected as with one.
    bool KeyFieldFilled() const override { return HasAnyField(*this->BuildRecord()); }
    bool DiffersFrom(const T& record) const override { return !SameFields(*this->BuildRecord(), record); }

    void EmptyFields() override
    {
        auto* group = this->template findChild<QGroupBox*>(QStringLiteral("editGroup"));
        for (QLineEdit* field : group->template findChildren<QLineEdit*>()) field->clear();
        for (QComboBox* list : group->template findChildren<QComboBox*>()) list->setCurrentIndex(-1);
    }

    QWidget* FirstField() const override { return this->template findChild<QLineEdit*>(QStringLiteral("accession")); }

    // The record's shared fields, for the screens' rows.
    static QString RangeColumns(const CPublication& record)
    {
        return ToQt(record.GetAccessionNumber() + '\t' + record.GetFromText() + '\t' + record.GetToText());
    }

private:
    int ResidueCount() const
    {
        // The current sequence's residues are in memory while it is shown;
        // should they not be readable, the screen still opens.
        try {
            return sequence_.GetResidueCount();
        } catch (const CResidueFileError&) {
            return 0;
        }
    }

    CSequence& sequence_;
};

}  // namespace qln
