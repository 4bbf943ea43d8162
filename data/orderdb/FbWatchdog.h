#pragma once

// Internal to the order-database library: the bound on how long a call to a
// remote attachment may wait for the server.

#include <firebird/Interface.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qor::orderdb::fb {

// A server that freezes (its process stopped, its machine hung, packets
// silently dropped) leaves a call waiting in the client library with no end:
// the client has no time limit of its own. While a call is armed, a thread of
// ours waits with it; once the limit passes it closes the client side of the
// attachment (fb_cancel_abort), and the call returns with a network error.
// That attachment is dead for good. The watchdog holds a reference to the
// attachment of its own, so it never touches a released one.
class Watchdog {
public:
    Watchdog(Firebird::IMaster* master, Firebird::IAttachment* attachment, std::chrono::seconds limit);
    ~Watchdog(); // stops the thread
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm();
    // True once the watchdog closed the attachment (during this call or an
    // earlier one): whatever the call returned, the attachment is dead.
    bool disarm();

private:
    using Clock = std::chrono::steady_clock;
    void watch();

    Firebird::IAttachment* attachment_;
    Firebird::IStatus* status_; // its own: the waiting call uses the session's
    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    Clock::time_point deadline_;
    bool armed_ = false;
    bool idle_ = false; // waiting for an arm with no deadline
    bool fired_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace qor::orderdb::fb
