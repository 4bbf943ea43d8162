#include "data/orderdb/FbWatchdog.h"

namespace qor::orderdb::fb {

Watchdog::Watchdog(Firebird::IMaster* master, Firebird::IAttachment* attachment, std::chrono::seconds limit)
    : attachment_(attachment), status_(master->getStatus()), limit_(limit)
{
    // Our own reference: a detach that succeeds releases the caller's, and
    // the deadline may pass just before the caller disarms.
    attachment_->addRef();
    thread_ = std::thread([this] { watch(); });
}

Watchdog::~Watchdog()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    attachment_->release();
    status_->dispose();
}

void Watchdog::arm()
{
    const std::lock_guard lock(mutex_);
    deadline_ = Clock::now() + limit_;
    armed_ = true;
    // A watch already timed wakes by the earlier deadline and sees this one:
    // calls in a row cost no wake-up each.
    if (idle_)
        wake_.notify_one();
}

bool Watchdog::disarm()
{
    const std::lock_guard lock(mutex_);
    armed_ = false;
    return fired_;
}

void Watchdog::watch()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!armed_ || fired_) {
            idle_ = true;
            wake_.wait(lock);
            idle_ = false;
        } else if (Clock::now() < deadline_) {
            wake_.wait_until(lock, deadline_);
        } else {
            // Under the lock: a call that returns meanwhile waits to disarm,
            // and is told that the attachment is gone.
            Firebird::CheckStatusWrapper status(status_);
            attachment_->cancelOperation(&status, fb_cancel_abort);
            fired_ = true;
        }
    }
}

} // namespace qor::orderdb::fb
