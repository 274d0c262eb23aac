#include "app/generation/GenerationDialogState.h"

namespace qln {

bool CGenerationDialogState::Start(bool pause)
{
    if (stage_ != Stage::NotStarted) return false;
    pause_ = pause;
    started_ = true;
    stage_ = Stage::Running;
    return true;
}

bool CGenerationDialogState::Continue()
{
    if (stage_ != Stage::Paused || writing_) return false;
    stage_ = Stage::Running;
    return true;
}

bool CGenerationDialogState::SetPauseMode(bool pause)
{
    if (!started_ || stage_ == Stage::Closed) return false;
    pause_ = pause;
    if (pause || stage_ != Stage::Paused) return false;
    stage_ = Stage::Running;
    return true;
}

void CGenerationDialogState::MessageAdded()
{
    if (stage_ == Stage::Running && pause_) stage_ = Stage::Paused;
}

bool CGenerationDialogState::Finished(bool succeeded, bool viewWhenDone)
{
    if (stage_ == Stage::Closed) return false;
    succeeded_ = succeeded;
    stage_ = Stage::Finished;
    return succeeded && viewWhenDone;
}

CGenerationDialogState::CancelSteps CGenerationDialogState::Cancel(bool viewWhenDone)
{
    CancelSteps steps;
    if (stage_ == Stage::Closed) return steps;
    if (started_) {
        steps.cancelRun = stage_ != Stage::Finished;
        if (viewWhenDone) steps.view = GenerationView::ErrorReport;
    } else {
        steps.deleteErrorReport = true;
    }
    stage_ = Stage::Closed;
    return steps;
}

GenerationView CGenerationDialogState::Close(bool viewWhenDone)
{
    if (stage_ != Stage::Finished) return GenerationView::Nothing;
    stage_ = Stage::Closed;
    if (!viewWhenDone) return GenerationView::Nothing;
    return succeeded_ ? GenerationView::Listing : GenerationView::ErrorReport;
}

}  // namespace qln
