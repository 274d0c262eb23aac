#include "app/frame/OrganismField.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app/document/QLNDoc.h"
#include "app/frame/ViewRules.h"
#include "app/sequences/OrgComment.h"
#include "model/Feature.h"
#include "model/Project.h"
#include "model/Sequence.h"
#include "screens/CustOrganismDialog.h"
#include "screens/TypeAheadDialog.h"
#include "widgets/Latin1Text.h"

namespace qln {

COrganismField::COrganismField(CCQLNDoc& document, QLineEdit* field, QPushButton* standard, QPushButton* custom,
                               QWidget* host, CurrentSequence current, std::function<void()> commit)
    : QObject(host),
      document_(document),
      field_(field),
      host_(host),
      current_(std::move(current)),
      commit_(std::move(commit))
{
    bool found = false;
    const QStringList& names = CTypeAheadDialog::StandardNames(&found);
    if (found) {
        list_ = new CTypeAheadDialog(names, host);
    } else {
        // Said once per run, after the window is up.
        static bool told = false;
        if (!told) {
            told = true;
            QTimer::singleShot(0, host, [host] {
                QMessageBox::critical(host, QStringLiteral("Quillion"),
                                      tr("The organism name file 'strain.txt' could not be found."));
            });
        }
    }
    connect(standard, &QPushButton::clicked, this, &COrganismField::OnStandard);
    connect(custom, &QPushButton::clicked, this, &COrganismField::OnCustom);
    connect(field_, &QLineEdit::textChanged, this, [this] {
        if (!showing_) emit Edited();
    });
    field_->installEventFilter(this);
}

COrganismField::~COrganismField() = default;

CProject& COrganismField::Project() const
{
    return document_.Project();
}

void COrganismField::MarkModified()
{
    if (!document_.IsModified()) document_.SetModified(true);
}

std::string COrganismField::Text() const
{
    return FromQt(field_->text());
}

void COrganismField::Show(const std::string& organism)
{
    showing_ = true;
    field_->setText(ToQt(organism));
    showing_ = false;
}

bool COrganismField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::FocusIn) {
        emit Focused();
    } else if (watched == field_ && event->type() == QEvent::FocusOut) {
        // Focus that goes to another window, a menu or a popup comes back
        // unchanged: only a move inside this window is the end of the entry.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason && QApplication::activeWindow() == host_->window() && host_->isVisible())
            OnLostFocus();
    }
    return QObject::eventFilter(watched, event);
}

void COrganismField::OnStandard()
{
    commit_();
    if (!list_) return;
    // The list stays open beside the main window: pressed again, it only
    // comes to the front.
    if (list_->isVisible()) {
        list_->raise();
        list_->activateWindow();
        return;
    }
    // The answer belongs to the sequence current now, whatever the user
    // does in the main window while choosing; when that sequence or its
    // project goes, the list closes and its answer is dropped.
    const Ptr<CSequence> target = current_();
    listFor_ = target;
    const QPointer<COrganismField> alive(this);
    const bool accepted = list_->Choose();
    if (!alive) return;
    listFor_ = nullptr;
    const CArray<Ptr<CSequence>>& sequences = Project().GetSequences();
    if (!accepted || std::find(sequences.begin(), sequences.end(), target) == sequences.end()) return;
    const std::string organism = FromQt(list_->ChosenName());
    if (organism.empty() || !target) return;
    const bool applyToAll = list_->ApplyToAll();
    // The field shows the current sequence's organism, which a later commit
    // stores: it must show the new name whenever that sequence gets it.
    const Ptr<CSequence> current = current_();
    if (current && (target == current || applyToAll)) {
        field_->setText(ToQt(organism));
        MarkModified();
    }
    Store(target.get(), organism, applyToAll);
    PromptForComment(target, organism);
}

void COrganismField::CloseListFor(const CSequence* gone)
{
    if (!listFor_ || (gone && listFor_.get() != gone)) return;
    listFor_ = nullptr;
    if (list_ && list_->isVisible()) list_->reject();
}

void COrganismField::OnCustom()
{
    commit_();
    CCustOrganismDialog dialog(document_, host_);
    // On OK the project's list is the screen's.
    if (!dialog.Run()) return;
    // An empty name only hands back the list: no organism is blanked.
    const std::string organism = FromQt(dialog.Organism());
    const Ptr<CSequence> target = current_();
    if (organism.empty() || !target) return;
    field_->setText(ToQt(organism));
    Store(target.get(), organism, dialog.ApplyToAll());
    PromptForComment(target, organism);
}

void COrganismField::Store(CSequence* target, const std::string& organism, bool applyToAll)
{
    if (applyToAll) {
        for (const auto& sequence : Project().GetSequences()) sequence->SetOrganism(organism);
    } else if (target) {
        target->SetOrganism(organism);
    }
    MarkModified();
}

void COrganismField::OnLostFocus()
{
    // Asked once the focus has settled; the sequence is the one whose
    // organism was being typed.
    const Ptr<CSequence> sequence = current_();
    if (!sequence) return;
    const std::string organism = Text();
    QTimer::singleShot(0, this, [this, sequence, organism] { PromptForComment(sequence, organism); });
}

void COrganismField::PromptForComment(const Ptr<CSequence>& sequence, const std::string& organism)
{
    if (!sequence) return;
    CCommentFeature* comment = sequence->GetComment();
    const std::string text = comment ? comment->GetComment() : std::string();
    switch (CViewRules::CommentPromptFor(organism, text, commentDeclined_)) {
    case CViewRules::CommentPrompt::Nothing: break;
    case CViewRules::CommentPrompt::ClearComment:
        if (comment && !text.empty()) {
            comment->SetComment({});
            MarkModified();
        }
        break;
    case CViewRules::CommentPrompt::Ask: AskForComment(sequence); break;
    }
}

bool COrganismField::CanShowComment() const
{
    return current_() && CSequence::IsArtificialOrUnknownOrganism(Text());
}

void COrganismField::ShowComment()
{
    if (const Ptr<CSequence> current = current_()) AskForComment(current);
}

void COrganismField::AskForComment(const Ptr<CSequence>& sequence)
{
    if (!sequence->GetComment()) sequence->SetComment(Ptr<CCommentFeature>(new CCommentFeature(sequence.get())));
    COrgComment dialog(sequence->GetComment()->GetComment(), host_);
    if (dialog.exec() == QDialog::Accepted) {
        const std::string text = dialog.Comment();
        sequence->GetComment()->SetComment(text);
        if (dialog.ApplyToAll()) {
            const Ptr<CSequence> current = current_();
            for (const auto& other : Project().GetSequences()) {
                CCommentFeature* comment = other->GetComment();
                const std::string organism = other == current ? Text() : other->GetOrganism();
                if (comment && comment->GetComment().empty() && !organism.empty() &&
                    CSequence::IsArtificialOrUnknownOrganism(organism))
                    comment->SetComment(text);
            }
        }
        MarkModified();
    } else {
        commentDeclined_ = true;
    }
    commit_();
}

}  // namespace qln
