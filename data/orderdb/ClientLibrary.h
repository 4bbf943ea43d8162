#pragma once

#include <QString>

namespace Firebird {
class IMaster;
}

namespace qor::orderdb {

// The order database's client library, loaded at run time (never linked),
// and where to find it: the system's own copy, or the folder named by the
// first line of c:\quelvora\CaminhoGDS.txt.
class ClientLibrary {
public:
    // The library used when no folder is configured (found by the system's search).
    static QString defaultPath();
    // The library's file name inside a configured folder.
    static QString fileName();
    // folder + a separator when it has none + fileName().
    static QString inFolder(const QString& folder);
    // The library the client-library file names, else defaultPath(). The
    // file's first line is cut to 100 characters; an empty line keeps the
    // default. A file that exists but cannot be read raises IoError.
    static QString fromSuiteFile();

    // Loads the library once and returns its master interface. A library
    // stays loaded for the life of the process: it keeps threads and exit
    // handlers of its own. Raises ClientLibrary naming the path.
    static Firebird::IMaster* master(const QString& path);
};

} // namespace qor::orderdb
