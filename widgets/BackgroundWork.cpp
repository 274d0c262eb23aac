#include "widgets/BackgroundWork.h"

#include <QThread>

namespace qln {

CBackgroundWork::CBackgroundWork(std::function<void()> work)
    : thread_(QThread::create([this, work = std::move(work)] {
          work();
          done_.store(true);
      }))
{
}

CBackgroundWork::~CBackgroundWork()
{
    thread_->wait();
    delete thread_;
}

void CBackgroundWork::Start()
{
    thread_->start();
}

bool CBackgroundWork::IsStarted() const
{
    return thread_->isRunning() || thread_->isFinished();
}

bool CBackgroundWork::IsFinished() const
{
    return done_.load();
}

void CBackgroundWork::Wait(QEventLoop::ProcessEventsFlags flags)
{
    QEventLoop loop;
    QObject::connect(thread_, &QThread::finished, &loop, &QEventLoop::quit);
    // A quit of the program ends the loop too: the wait goes on until the
    // work is done. The flag is set before the thread's finished signal is
    // sent, so the signal always finds it set.
    while (!done_.load()) loop.exec(flags);
    thread_->wait();
}

}  // namespace qln
