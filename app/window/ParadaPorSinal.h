#pragma once

#include <QObject>

class QSocketNotifier;

namespace qor::app {

// A logout, a shutdown or Ctrl+C in a terminal (SIGTERM, SIGHUP, SIGINT)
// ends the program the way its close box does: the event loops are left
// (a box still open answers as if closed), then the composition root closes
// the main window, which runs the shut-down steps. A second signal ends the
// program at once. The handler only writes one byte into a pipe; the rest
// runs on the user-interface thread when the pipe is read.
//
// Create it after the data module has connected: whatever handlers the
// order database's embedded engine installs for these signals on its first
// attachment, ours are then the last installed, the ones that run.
class ParadaPorSinal final : public QObject {
    Q_OBJECT
public:
    explicit ParadaPorSinal(QObject* parent = nullptr);
    ~ParadaPorSinal() override;

    ParadaPorSinal(const ParadaPorSinal&) = delete;
    ParadaPorSinal& operator=(const ParadaPorSinal&) = delete;

private:
    void leSinal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace qor::app
