#include "app/frame/SequenceList.h"

#include <QScopedValueRollback>

namespace qln {

void CSequenceList::keyPressEvent(QKeyEvent* event)
{
    const QScopedValueRollback<bool> selecting(keyboardSelecting_, true);
    QListWidget::keyPressEvent(event);
}

}  // namespace qln
