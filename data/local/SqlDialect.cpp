#include "data/local/SqlDialect.h"

#include "data/base/Error.h"
#include "data/local/Catalog.h"
#include "data/local/Database.h"
#include "data/local/FilterParser.h"
#include "data/local/StoredValue.h"

#include <QRegularExpression>
#include <QSet>

namespace qor::data {

namespace {

enum class T { Space, Word, Quoted, Text, Number, Punct };

struct Tok {
    T type;
    QString text;
};

QList<Tok> tokenize(const QString& s)
{
    QList<Tok> out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s.at(i);
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && s.at(i).isSpace())
                ++i;
            out << Tok{T::Space, s.mid(start, i - start)};
        } else if (c == QLatin1Char('-') && i + 1 < n && s.at(i + 1) == QLatin1Char('-')) {
            while (i < n && s.at(i) != QLatin1Char('\n'))
                ++i;
            out << Tok{T::Space, s.mid(start, i - start)};
        } else if (c == QLatin1Char('/') && i + 1 < n && s.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = s.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            out << Tok{T::Space, s.mid(start, i - start)};
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (s.at(i) == c) {
                    if (i + 1 < n && s.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out << Tok{c == QLatin1Char('\'') ? T::Text : T::Quoted, s.mid(start, i - start)};
        } else if (c.isDigit()) {
            while (i < n && (s.at(i).isLetterOrNumber() || s.at(i) == QLatin1Char('.')))
                ++i;
            out << Tok{T::Number, s.mid(start, i - start)};
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            while (i < n && (s.at(i).isLetterOrNumber() || s.at(i) == QLatin1Char('_') || s.at(i) == QLatin1Char('$')))
                ++i;
            out << Tok{T::Word, s.mid(start, i - start)};
        } else {
            static const QStringList two{QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<="),
                                         QStringLiteral(">="), QStringLiteral("||"), QStringLiteral("==")};
            const QString pair = s.mid(i, 2);
            i += two.contains(pair) ? 2 : 1;
            out << Tok{T::Punct, s.mid(start, i - start)};
        }
    }
    return out;
}

bool isWord(const Tok& t, const char* w)
{
    return t.type == T::Word && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}

bool isComparison(const Tok& t)
{
    static const QStringList ops{QStringLiteral("="), QStringLiteral("=="), QStringLiteral("<>"), QStringLiteral("!="),
                                 QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
    return t.type == T::Punct && ops.contains(t.text);
}

QString unquote(const Tok& t)
{
    if (t.type == T::Quoted || t.type == T::Text) {
        const QChar q = t.text.at(0);
        QString inner = t.text.mid(1, t.text.size() - 2);
        inner.replace(QString(2, q), QString(q));
        return inner;
    }
    return t.text;
}

bool endsClause(const Tok& t)
{
    for (const char* w : {"where", "group", "order", "having", "join", "inner", "left", "right", "cross", "on",
                          "union", "limit", "set", "values", "select", "natural", "full", "outer"})
        if (isWord(t, w))
            return true;
    return t.type == T::Punct && (t.text == QLatin1String(")") || t.text == QLatin1String("(") ||
                                  t.text == QLatin1String(";"));
}

class Rewriter {
public:
    explicit Rewriter(const QString& sql) : toks_(tokenize(sql))
    {
        for (int i = 0; i < toks_.size(); ++i)
            if (toks_.at(i).type != T::Space)
                sig_ << i;
    }

    DialectResult run()
    {
        findTables();
        findFloatColumns();
        rewriteDates();
        dropTrailingSemicolon();
        QString sql;
        for (const Tok& t : toks_)
            sql += t.text;
        result_.sql = sql.trimmed();
        return result_;
    }

private:
    const Tok& at(int s) const { return toks_.at(sig_.at(s)); }
    Tok& mut(int s) { return toks_[sig_.at(s)]; }

    void tableAt(int s)
    {
        Tok& t = mut(s);
        if (t.type != T::Word && t.type != T::Quoted)
            return;
        const QString name = unquote(t);
        if (const TableDef* def = Catalog::find(name)) {
            if (t.type == T::Quoted || name.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
                t.text = sqlnames::quoted(def->name);
            if (!result_.catalogTables.contains(def->name))
                result_.catalogTables << def->name;
            for (const FieldDef& f : def->fields)
                if (f.kind == FieldKind::Date)
                    dateFields_.insert(f.name.toLower());
        } else if (!result_.otherTables.contains(name, Qt::CaseInsensitive)) {
            result_.otherTables << name;
        }
    }

    void findTables()
    {
        for (int s = 0; s < sig_.size(); ++s) {
            if (isWord(at(s), "join") || isWord(at(s), "into") || isWord(at(s), "update")) {
                if (s + 1 < sig_.size())
                    tableAt(s + 1);
            } else if (isWord(at(s), "from")) {
                // FROM a [alias], b [alias] … up to the next clause.
                bool expectTable = true;
                for (int k = s + 1; k < sig_.size() && !endsClause(at(k)); ++k) {
                    if (at(k).type == T::Punct && at(k).text == QLatin1String(",")) {
                        expectTable = true;
                    } else if (expectTable) {
                        tableAt(k);
                        expectTable = false;
                    }
                }
            }
        }
    }

    void findFloatColumns()
    {
        int s = 0;
        while (s < sig_.size() && !isWord(at(s), "select"))
            ++s;
        if (s == sig_.size())
            return;
        ++s;
        if (s < sig_.size() && isWord(at(s), "distinct"))
            ++s;
        int depth = 0;
        int itemStart = s;
        for (; s <= sig_.size(); ++s) {
            const bool atEnd = s == sig_.size() || (depth == 0 && isWord(at(s), "from"));
            if (!atEnd) {
                if (at(s).text == QLatin1String("("))
                    ++depth;
                else if (at(s).text == QLatin1String(")"))
                    --depth;
            }
            if (atEnd || (depth == 0 && at(s).text == QLatin1String(","))) {
                selectItem(itemStart, s);
                itemStart = s + 1;
            }
            if (atEnd)
                break;
        }
    }

    void selectItem(int from, int to)
    {
        if (to - from < 2 || at(from + 1).text != QLatin1String("("))
            return;
        if (!isWord(at(from), "sum") && !isWord(at(from), "avg") && !isWord(at(from), "total"))
            return;
        QString name;
        if (to - from >= 2 && (at(to - 1).type == T::Word || at(to - 1).type == T::Quoted) &&
            at(to - 2).text == QLatin1String(")")) {
            name = unquote(at(to - 1)); // "sum(x) Total"
        } else if (to - from >= 3 && isWord(at(to - 2), "as")) {
            name = unquote(at(to - 1));
        } else {
            for (int i = sig_.at(from); i <= sig_.at(to - 1); ++i)
                name += toks_.at(i).text;
        }
        result_.floatColumns << name.toLower();
    }

    // The field a literal at s is compared with, or "" when there is none.
    QString comparedField(int s) const
    {
        auto fieldBefore = [&](int k) -> QString {
            if (k < 0)
                return {};
            const Tok& t = at(k);
            return t.type == T::Word || t.type == T::Quoted ? unquote(t) : QString();
        };
        if (s >= 1 && isComparison(at(s - 1)))
            return fieldBefore(s - 2);
        if (s >= 1 && isWord(at(s - 1), "between"))
            return fieldBefore(s - 2);
        if (s >= 3 && isWord(at(s - 1), "and") && at(s - 2).type == T::Text && isWord(at(s - 3), "between"))
            return fieldBefore(s - 4);
        if (s + 2 < sig_.size() && isComparison(at(s + 1)))
            return at(s + 2).type == T::Word || at(s + 2).type == T::Quoted ? unquote(at(s + 2)) : QString();
        return {};
    }

    void rewriteDates()
    {
        static const QRegularExpression dateLike(QStringLiteral("^\\d{1,2}[./]\\d{1,2}[./](\\d{2}|\\d{4})$"));
        for (int s = 0; s < sig_.size(); ++s) {
            if (at(s).type != T::Text)
                continue;
            const QString value = unquote(at(s));
            if (!dateLike.match(value).hasMatch())
                continue;
            const QString field = comparedField(s);
            if (field.isEmpty() || !dateFields_.contains(field.toLower()))
                continue;
            const QDate d = parseSuiteDate(value);
            if (!d.isValid())
                throw Error(kind::SqlError, QStringLiteral("Data inválida '%1' comparada com %2").arg(value, field));
            mut(s).text = QLatin1Char('\'') + d.toString(QString::fromLatin1(stored::DateFormat)) + QLatin1Char('\'');
        }
    }

    void dropTrailingSemicolon()
    {
        if (!sig_.isEmpty() && at(int(sig_.size()) - 1).type == T::Punct && at(int(sig_.size()) - 1).text == QLatin1String(";"))
            mut(int(sig_.size()) - 1).text.clear();
    }

    QList<Tok> toks_;
    QList<int> sig_; // indexes of the tokens that are not blanks or comments
    QSet<QString> dateFields_;
    DialectResult result_;
};

} // namespace

DialectResult SqlDialect::rewrite(const QString& sql) { return Rewriter(sql).run(); }

} // namespace qor::data
