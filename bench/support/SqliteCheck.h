#pragma once

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace qor::bench {

// A benchmark's fixture can't go on from a failed sqlite3 call: say why and stop.
inline void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

} // namespace qor::bench
