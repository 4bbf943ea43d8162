#include "data/base/Text.h"

#include "data/base/Error.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

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

bool parseAmount(const QString& text, double* out)
{
    QString t = text.trimmed();
    if (t.startsWith(QStringLiteral("R$")))
        t = t.mid(2).trimmed();
    if (t.isEmpty())
        return false;
    t.remove(QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (ok && out)
        *out = v;
    return ok;
}

} // namespace qor::text
