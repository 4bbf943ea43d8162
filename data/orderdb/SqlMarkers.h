#pragma once

#include <QString>
#include <QStringList>

namespace qor::orderdb {

// A statement's parameter markers: "?" (positional) or ":name". The server
// takes "?" only, so named markers are rewritten; text inside quotes,
// double-quoted names and comments is left alone. One statement uses one
// style; mixing them raises InvalidValue.
struct SqlMarkers {
    QString sql;       // with every marker as "?"
    QStringList names; // per marker, upper-cased; all empty for "?" markers
    bool named() const { return !names.isEmpty() && !names.first().isEmpty(); }

    static SqlMarkers parse(const QString& sql);
};

} // namespace qor::orderdb
