#include "screens/TypeAheadDialog.h"

#include <QEventLoop>
#include <QPointer>
#include <QWindow>

#include "widgets/DataFolder.h"
#include "ui_TypeAheadDialog.h"

namespace qln {

CTypeAheadDialog::CTypeAheadDialog(const QStringList& names, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TypeAheadDialog>()), names_(names)
{
    ui_->setupUi(this);
    ui_->organisms->addItems(names_.Names());
    connect(ui_->typed, &QLineEdit::textEdited, this, &CTypeAheadDialog::OnTyped);
    connect(ui_->organisms, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(ui_->okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(ui_->cancelButton, &QPushButton::clicked, this, [this] { reject(); });
}

CTypeAheadDialog::~CTypeAheadDialog() = default;

const QStringList& CTypeAheadDialog::StandardNames(bool* found)
{
    static const std::optional<QStringList> names = CTypeAheadList::ReadNames(CDataFolder::FilePath("strain.txt"));
    static const QStringList none;
    if (found) *found = names.has_value();
    return names ? *names : none;
}

void CTypeAheadDialog::Clear()
{
    ui_->typed->clear();
    ui_->organisms->setCurrentRow(-1);
    ui_->organisms->clearSelection();
    ui_->organisms->scrollToTop();
    ui_->applyToAll->setChecked(false);
    chosen_.clear();
    accepted_ = false;
    cancelled_ = false;
}

bool CTypeAheadDialog::Choose()
{
    Clear();
    show();
    raise();
    activateWindow();
    ui_->typed->setFocus();
    // The rest of the program keeps running while the user chooses; a
    // program that quits meanwhile ends this loop too.
    QPointer<CTypeAheadDialog> alive(this);
    QEventLoop waiting;
    connect(this, &QDialog::finished, &waiting, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &waiting, &QEventLoop::quit);
    waiting.exec();
    if (!alive) return false;
    if (!accepted_ && !cancelled_) hide();
    // The window the list was opened from gets the keyboard back, as after
    // a modal dialog.
    if (QWidget* owner = parentWidget()) {
        if (QWindow* handle = owner->window()->windowHandle()) handle->requestActivate();
    }
    return accepted_;
}

bool CTypeAheadDialog::ApplyToAll() const
{
    return ui_->applyToAll->isChecked();
}

void CTypeAheadDialog::accept()
{
    const QListWidgetItem* item = ui_->organisms->currentItem();
    chosen_ = item && item->isSelected() ? item->text() : QString();
    accepted_ = true;
    QDialog::accept();
}

void CTypeAheadDialog::reject()
{
    cancelled_ = true;
    QDialog::reject();
}

void CTypeAheadDialog::OnTyped(const QString& text)
{
    const int row = names_.FirstMatch(text);
    if (row < 0) {
        ui_->organisms->setCurrentRow(-1);
        ui_->organisms->clearSelection();
        return;
    }
    ui_->organisms->setCurrentRow(row);
    ui_->organisms->scrollToItem(ui_->organisms->item(row), QAbstractItemView::PositionAtTop);
}

}  // namespace qln
