#include "data/base/Text.h"

#include "data/base/Error.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace qor::text {

QString upperAZ(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(char16_t(u - 32));
    }
    return out;
}

QByteArray toWin1252(const QString& s)
{
    QStringEncoder enc("windows-1252", QStringConverter::Flag::Stateless);
    QByteArray out = enc.encode(s);
    if (enc.hasError())
        throw Error(kind::Encoding, QStringLiteral("Texto com caractere fora do código 1252: %1").arg(s));
    return out;
}

QString fromWin1252(const QByteArray& bytes)
{
    QStringDecoder dec("windows-1252", QStringConverter::Flag::Stateless);
    return dec.decode(bytes);
}

static void writeTo(const QString& path, QIODevice::OpenMode mode, const QStringList& lines)
{
    QFile f(path);
    if (!f.open(mode))
        throw Error(kind::IoError, QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(path, f.errorString()));
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toWin1252(line) + "\r\n";
    if (f.write(bytes) != bytes.size() || !f.flush())
        throw Error(kind::IoError, QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(path, f.errorString()));
    f.close();
}

void writeLines(const QString& path, const QStringList& lines)
{
    writeTo(path, QIODevice::WriteOnly | QIODevice::Truncate, lines);
}

void appendLine(const QString& path, const QString& line)
{
    writeTo(path, QIODevice::WriteOnly | QIODevice::Append, {line});
}

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(kind::IoError, QStringLiteral("Não foi possível ler o arquivo %1: %2").arg(path, f.errorString()));
    QStringList out;
    while (!f.atEnd()) {
        QByteArray line = f.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        out << fromWin1252(line);
    }
    return out;
}

QString formatAmount(double v)
{
    static const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    return br.toString(v, 'f', 2);
}

static bool allDigits(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Whole reais: plain digits, or digits grouped by thousands ("1.234.567").
static bool readWhole(QStringView whole, QString* digits)
{
    if (!whole.contains(u'.')) {
        *digits = whole.toString();
        return allDigits(whole);
    }
    const QList<QStringView> groups = whole.split(u'.');
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QStringView g = groups.at(i);
        const bool sized = i == 0 ? !g.isEmpty() && g.size() <= 3 : g.size() == 3;
        if (!sized || !allDigits(g))
            return false;
        *digits += g;
    }
    return true;
}

AmountReading readAmount(const QString& text)
{
    using Kind = AmountReading::Kind;
    AmountReading r;
    if (text.isEmpty()) {
        r.kind = Kind::Blank;
        return r;
    }
    QStringView t(text);
    const bool prefixed = t.startsWith(u"R$");
    if (prefixed) {
        t = t.mid(2);
        while (t.startsWith(u' '))
            t = t.mid(1);
    }
    const bool negative = t.startsWith(u'-');
    if (negative)
        t = t.mid(1);

    // The decimal separator: the comma, else a lone point.
    qsizetype separator = t.indexOf(u',');
    if (separator < 0 && t.count(u'.') == 1)
        separator = t.indexOf(u'.');
    const QStringView whole = separator < 0 ? t : t.left(separator);
    const QStringView decimals = separator < 0 ? QStringView() : t.mid(separator + 1);

    QString digits;
    if (!readWhole(whole, &digits) || digits.size() > 13 || !allDigits(decimals) || decimals.size() > 2)
        return r;
    if (digits.isEmpty() && decimals.isEmpty()) {
        if (prefixed)
            return r; // a shown amount always has digits
        r.kind = Kind::Unfinished;
    } else {
        r.kind = Kind::Amount;
        const qint64 cents = digits.toLongLong() * 100 + decimals.toString().leftJustified(2, u'0').toLongLong();
        r.cents = negative ? -cents : cents;
    }
    r.editText = (negative ? QStringLiteral("-") : QString()) + digits;
    if (separator >= 0) {
        r.editText += QLatin1Char(',');
        r.editText += decimals;
    }
    return r;
}

bool parseAmount(const QString& text, double* out)
{
    const AmountReading r = readAmount(text);
    if (r.isAmount() && out)
        *out = r.value();
    return r.isAmount();
}

} // namespace qor::text
