#include "data/local/FilterParser.h"

#include "data/base/Error.h"
#include "data/local/Database.h"
#include "data/local/StoredValue.h"

#include <QRegularExpression>

namespace qor::data {

QDate parseSuiteDate(const QString& text)
{
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QString t = text.trimmed();
    if (const auto m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const auto m = dayFirst.match(t);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 50 ? 2000 : 1900; // century window for two-digit years
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

namespace {

enum class Tok { End, Name, Number, Text, Op, LParen, RParen };

struct Token {
    Tok type = Tok::End;
    QString text;
};

class Parser {
public:
    Parser(const QString& text, const QList<FieldDef>& fields) : src_(text), fields_(fields) { advance(); }

    SqlCondition run()
    {
        SqlCondition out;
        if (cur_.type == Tok::End)
            return out;
        out.sql = orExpr();
        if (cur_.type != Tok::End)
            fail(QStringLiteral("texto inesperado \"%1\"").arg(cur_.text));
        out.params = params_;
        return out;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw Error(kind::BadFilter, QStringLiteral("Filtro inválido \"%1\": %2").arg(src_, why));
    }

    static bool isWord(const Token& t, const char* w)
    {
        return t.type == Tok::Name && t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }

    void advance()
    {
        while (pos_ < src_.size() && src_.at(pos_).isSpace())
            ++pos_;
        cur_ = Token{};
        if (pos_ >= src_.size())
            return;
        const QChar c = src_.at(pos_);
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            cur_ = {c == QLatin1Char('(') ? Tok::LParen : Tok::RParen, QString(c)};
            ++pos_;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString s;
            ++pos_;
            for (;;) {
                if (pos_ >= src_.size())
                    fail(QStringLiteral("texto entre aspas sem fim"));
                if (src_.at(pos_) == c) {
                    if (pos_ + 1 < src_.size() && src_.at(pos_ + 1) == c) {
                        s += c;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                s += src_.at(pos_++);
            }
            cur_ = {Tok::Text, s};
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = src_.indexOf(QLatin1Char(']'), pos_);
            if (close < 0)
                fail(QStringLiteral("colchete sem fim"));
            cur_ = {Tok::Name, src_.mid(pos_ + 1, close - pos_ - 1).trimmed()};
            pos_ = close + 1;
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('.')) && pos_ + 1 < src_.size() &&
                                   (src_.at(pos_ + 1).isDigit() || src_.at(pos_ + 1) == QLatin1Char('.')))) {
            const qsizetype start = pos_++;
            while (pos_ < src_.size() && (src_.at(pos_).isDigit() || src_.at(pos_) == QLatin1Char('.')))
                ++pos_;
            cur_ = {Tok::Number, src_.mid(start, pos_ - start)};
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = pos_++;
            while (pos_ < src_.size() && (src_.at(pos_).isLetterOrNumber() || src_.at(pos_) == QLatin1Char('_')))
                ++pos_;
            cur_ = {Tok::Name, src_.mid(start, pos_ - start)};
        } else {
            static const QStringList ops{QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<="),
                                         QStringLiteral(">="), QStringLiteral("="), QStringLiteral("<"),
                                         QStringLiteral(">")};
            for (const QString& op : ops) {
                if (QStringView(src_).mid(pos_).startsWith(op)) {
                    cur_ = {Tok::Op, op == QLatin1String("!=") ? QStringLiteral("<>") : op};
                    pos_ += op.size();
                    return;
                }
            }
            fail(QStringLiteral("caractere inesperado '%1'").arg(c));
        }
    }

    QString orExpr()
    {
        QString s = andExpr();
        while (isWord(cur_, "or")) {
            advance();
            s = QStringLiteral("%1 OR %2").arg(s, andExpr());
        }
        return s;
    }

    QString andExpr()
    {
        QString s = unary();
        while (isWord(cur_, "and")) {
            advance();
            s = QStringLiteral("%1 AND %2").arg(s, unary());
        }
        return s;
    }

    QString unary()
    {
        if (isWord(cur_, "not")) {
            advance();
            return QStringLiteral("NOT %1").arg(unary());
        }
        if (cur_.type == Tok::LParen) {
            advance();
            const QString inner = orExpr();
            if (cur_.type != Tok::RParen)
                fail(QStringLiteral("falta fechar parênteses"));
            advance();
            return QLatin1Char('(') + inner + QLatin1Char(')');
        }
        return comparison();
    }

    const FieldDef& field(const QString& name) const
    {
        for (const FieldDef& f : fields_)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return f;
        throw Error(kind::FieldNotFound, QStringLiteral("Campo %1 não encontrado (filtro \"%2\")").arg(name, src_));
    }

    QVariant literal(const FieldDef& f, const Token& t) const
    {
        if (f.kind == FieldKind::Date && t.type == Tok::Text) {
            const QDate d = parseSuiteDate(t.text);
            if (!d.isValid())
                fail(QStringLiteral("data inválida '%1'").arg(t.text));
            return d.toString(QString::fromLatin1(stored::DateFormat));
        }
        if ((f.kind == FieldKind::Integer || f.kind == FieldKind::Float) && t.type == Tok::Number) {
            bool ok = false;
            const double d = t.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("número inválido %1").arg(t.text));
            // A fractional number never equals an integer field; compare as written.
            return f.kind == FieldKind::Integer && d == qlonglong(d) ? QVariant(qlonglong(d)) : QVariant(d);
        }
        if (f.kind == FieldKind::Text) {
            // Compared with the value as it is stored (trailing blanks gone),
            // but never cut: a longer text simply matches nothing.
            return stored::normaliseText(t.text, 0);
        }
        try {
            return stored::toStorage(f, t.text);
        } catch (const Error&) {
            fail(QStringLiteral("'%1' não serve para o campo %2").arg(t.text, f.name));
        }
    }

    QString comparison()
    {
        if (cur_.type != Tok::Name)
            fail(cur_.type == Tok::End ? QStringLiteral("fim inesperado") : QStringLiteral("esperava um campo"));
        const FieldDef& f = field(cur_.text);
        const QString column = sqlnames::quoted(f.name);
        advance();
        if (isWord(cur_, "is")) {
            advance();
            bool negated = false;
            if (isWord(cur_, "not")) {
                negated = true;
                advance();
            }
            if (!isWord(cur_, "null"))
                fail(QStringLiteral("esperava null"));
            advance();
            return column + (negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
        }
        if (cur_.type != Tok::Op)
            fail(QStringLiteral("esperava um operador depois de %1").arg(f.name));
        const QString op = cur_.text;
        advance();
        const Token value = cur_;
        if (value.type != Tok::Number && value.type != Tok::Text && !isWord(value, "null"))
            fail(QStringLiteral("esperava um valor depois de %1 %2").arg(f.name, op));
        advance();
        const bool blank = isWord(value, "null") || (value.type == Tok::Text && value.text.trimmed().isEmpty());
        if (blank) {
            if (op == QLatin1String("="))
                return column + QStringLiteral(" IS NULL");
            if (op == QLatin1String("<>"))
                return column + QStringLiteral(" IS NOT NULL");
            fail(QStringLiteral("comparação com vazio só com = ou <>"));
        }
        params_ << literal(f, value);
        return QStringLiteral("%1 %2 ?").arg(column, op);
    }

    QString src_;
    const QList<FieldDef>& fields_;
    qsizetype pos_ = 0;
    Token cur_;
    QVariantList params_;
};

} // namespace

SqlCondition FilterParser::parse(const QString& text, const QList<FieldDef>& fields)
{
    return Parser(text, fields).run();
}

} // namespace qor::data
