#include "screens/PublicationScreens.h"

#include "widgets/WaitCursor.h"
#include "screens/DatabaseDialog.h"
#include "screens/JournalDialog.h"
#include "screens/PatentDialog.h"
#include "screens/ThesisDialog.h"

namespace qln {

std::unique_ptr<CScreenDialog> MakePublicationScreen(CPublicationKind kind, CScreenDocument& document,
                                                     CSequence& sequence, QWidget* parent)
{
    switch (kind) {
    case CPublicationKind::Journal: return std::make_unique<CJournalDialog>(document, sequence, parent);
    case CPublicationKind::Patent: return std::make_unique<CPatentDialog>(document, sequence, parent);
    case CPublicationKind::Thesis: return std::make_unique<CThesisDialog>(document, sequence, parent);
    case CPublicationKind::Database: return std::make_unique<CDatabaseDialog>(document, sequence, parent);
    }
    return nullptr;
}

void OpenPublicationScreens(CPublicationKind first, CScreenDocument& document, CSequence& sequence, QWidget* parent)
{
    RunPublicationScreens(first, [&](CPublicationKind kind) {
        std::unique_ptr<CScreenDialog> screen;
        {
            // Copying the list and filling the grid may take a moment.
            CWaitCursor wait;
            screen = MakePublicationScreen(kind, document, sequence, parent);
        }
        screen->Run();
        return screen->result();
    });
}

}  // namespace qln
