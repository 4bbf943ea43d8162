#include "data/orderdb/SqlMarkers.h"

#include "data/base/Error.h"
#include "data/base/Text.h"

namespace qor::orderdb {

namespace {

bool startsName(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool inName(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// Index just past a quoted section opened at `i`; a doubled quote stays inside.
qsizetype skipQuoted(const QString& s, qsizetype i)
{
    const QChar quote = s.at(i);
    for (++i; i < s.size(); ++i) {
        if (s.at(i) != quote)
            continue;
        if (i + 1 < s.size() && s.at(i + 1) == quote)
            ++i;
        else
            return i + 1;
    }
    return i;
}

} // namespace

SqlMarkers SqlMarkers::parse(const QString& sql)
{
    SqlMarkers out;
    out.sql.reserve(sql.size());
    const QStringView view(sql);
    qsizetype copied = 0; // text before this is in out.sql
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            next = skipQuoted(sql, i);
        } else if (c == QLatin1Char('-') && view.mid(i, 2) == QLatin1String("--")) {
            next = sql.indexOf(QLatin1Char('\n'), i);
            next = next < 0 ? sql.size() : next;
        } else if (c == QLatin1Char('/') && view.mid(i, 2) == QLatin1String("/*")) {
            next = sql.indexOf(QLatin1String("*/"), i + 2);
            next = next < 0 ? sql.size() : next + 2;
        } else if (c == QLatin1Char('?')) {
            out.names << QString();
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && startsName(sql.at(i + 1))) {
            next = i + 2;
            while (next < sql.size() && inName(sql.at(next)))
                ++next;
            out.names << text::upperAZ(sql.mid(i + 1, next - i - 1));
            out.sql += view.mid(copied, i - copied);
            out.sql += QLatin1Char('?');
            copied = next;
        }
        i = next;
    }
    out.sql += view.mid(copied);
    const qsizetype positional = out.names.count(QString());
    if (positional > 0 && positional != out.names.size())
        throw Error(kind::InvalidValue,
                    QStringLiteral("O comando mistura parâmetros \"?\" e \":nome\": %1").arg(sql));
    return out;
}

} // namespace qor::orderdb
