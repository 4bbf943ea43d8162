#include "data/base/CrashPoint.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace qor {

namespace {

int armedAt()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("QOR_CRASH_AT", &ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

void crashPoint(const char* name)
{
    static const int at = armedAt();
    static int reached = 0;
    if (at == 0 || ++reached != at)
        return;
    std::fprintf(stderr, "crash point %d: %s\n", at, name);
    std::fflush(stderr);
    std::_Exit(86);
}

} // namespace qor
