#pragma once

#include <QString>

namespace qor {

// The one place that turns the suite's Windows paths ("c:\quelvora\dados",
// "C:\QUELVORA\QUITACAO\listarq.txt", "C:\Quelvora\Envia01") into paths on
// this machine. The suite root is $QUELVORA_ROOT, else C:\quelvora on
// Windows, else ~/quelvora. On case-sensitive systems every folder below the
// root is lower case; a file name (the last part, when it has an extension)
// keeps its spelling.
class SuitePaths {
public:
    static QString root();
    // The composition root names the suite root for the whole run; "" goes
    // back to $QUELVORA_ROOT and the default.
    static void setRoot(const QString& root);

    // A path under the suite folder, written the suite's way; the
    // "c:\quelvora" prefix is optional. "" maps to the root itself.
    static QString map(const QString& suitePath);

    // A file directly in the root: file("Diag.txt").
    static QString file(const QString& name);

    // The folder behind an engine alias. Aliases are the table engine's own
    // configuration: section [Aliases] of ROOT/qorengine.ini; defaults
    // QORFDADOS = ROOT/dados, QUELVORA = ROOT. Returns "" for an unknown alias.
    static QString alias(const QString& name);

    // A location as the tables name it: an alias name, or a suite folder path.
    static QString location(const QString& aliasOrFolder);

    // True when a station code may name a folder (plain letters and digits).
    static bool isSafeCode(const QString& code);
};

} // namespace qor
