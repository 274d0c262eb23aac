#include "app/OrganismListDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/DataFolder.h"

namespace qln {

COrganismListDialog::COrganismListDialog(const QStringList& names, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Quillion: Organism Selection"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Organisms:"), this);
    list_ = new QListWidget(this);
    list_->setUniformItemSizes(true);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    list_->addItems(sorted);
    label->setBuddy(list_);
    applyToAll_ = new QCheckBox(tr("&Apply to all Sequences in the Project"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(applyToAll_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    resize(420, 440);
}

void COrganismListDialog::Clear()
{
    list_->setCurrentRow(-1);
    list_->clearSelection();
    list_->scrollToTop();
    applyToAll_->setChecked(false);
}

QString COrganismListDialog::Organism() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool COrganismListDialog::ApplyToAll() const { return applyToAll_->isChecked(); }

const QStringList& COrganismListDialog::StandardNames(bool* found)
{
    static bool read = false;
    static bool exists = false;
    static QStringList names;
    if (!read) {
        read = true;
        QFile file(CDataFolder::FilePath("strain.txt"));
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            exists = true;
            while (!file.atEnd()) {
                // A name is at most one line of 500 characters.
                const QString name = QString::fromLatin1(file.readLine(501)).trimmed();
                if (!name.isEmpty()) names.append(name);
            }
        }
    }
    if (found) *found = exists;
    return names;
}

}  // namespace qln
