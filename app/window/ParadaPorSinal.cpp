#include "app/window/ParadaPorSinal.h"

#include "data/base/Error.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qor::app {

#ifdef Q_OS_UNIX

namespace {

constexpr int kSinais[] = {SIGTERM, SIGINT, SIGHUP};

int pipe_[2] = {-1, -1};
std::atomic<bool> jaPedida{false};

extern "C" void aoReceberSinal(int signal)
{
    if (jaPedida.exchange(true))
        _exit(128 + signal);
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipe_[1], &byte, 1);
}

} // namespace

ParadaPorSinal::ParadaPorSinal(QObject* parent) : QObject(parent)
{
    if (::pipe(pipe_) != 0)
        throw Error(kind::IoError, QStringLiteral("Não foi possível preparar a parada por sinal"));
    for (int fd : pipe_) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK); // a handler never blocks on a full pipe
    }
    jaPedida = false;
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ParadaPorSinal::leSinal);
    struct sigaction sa = {};
    sa.sa_handler = aoReceberSinal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : kSinais)
        ::sigaction(s, &sa, nullptr);
}

ParadaPorSinal::~ParadaPorSinal()
{
    for (int s : kSinais)
        ::signal(s, SIG_DFL);
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
    pipe_[0] = pipe_[1] = -1;
}

void ParadaPorSinal::leSinal()
{
    unsigned char byte = 0;
    if (::read(pipe_[0], &byte, 1) != 1)
        return;
    QCoreApplication::exit(0);
}

#else

// Windows has no such signals to a windowed program; its session end
// closes the main window itself.
ParadaPorSinal::ParadaPorSinal(QObject* parent) : QObject(parent) {}
ParadaPorSinal::~ParadaPorSinal() = default;
void ParadaPorSinal::leSinal() {}

#endif

} // namespace qor::app
