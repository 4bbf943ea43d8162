#include "data/base/CrashPoint.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace qor {

namespace {

struct Armed {
    int at = 0; // 0: inert
    bool pause = false;
};

Armed armed()
{
    for (const auto& [variable, pause] : {std::pair{"QOR_CRASH_AT", false}, std::pair{"QOR_PAUSE_AT", true}}) {
        bool ok = false;
        const int n = qEnvironmentVariableIntValue(variable, &ok);
        if (ok && n > 0)
            return {n, pause};
    }
    return {};
}

} // namespace

void crashPoint(const char* name)
{
    static const Armed point = armed();
    static int reached = 0;
    if (point.at == 0 || ++reached != point.at)
        return;
    std::fprintf(stderr, "%s point %d: %s\n", point.pause ? "pause" : "crash", point.at, name);
    std::fflush(stderr);
    if (!point.pause)
        std::_Exit(86);
#ifdef Q_OS_UNIX
    std::raise(SIGSTOP);
#endif
}

} // namespace qor
