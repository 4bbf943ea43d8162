#include "app/log/RetencaoQuitacao.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/base/Text.h"

#include <QFile>

#include <optional>

namespace qor::app {

namespace {

constexpr qsizetype kNameChars = 20;

// One line of a text file, ended by CR LF, LF or a lone CR; nothing at the
// end of the file or on a read error.
std::optional<QByteArray> readLine(QFile& f)
{
    if (f.atEnd())
        return std::nullopt;
    QByteArray line;
    char c = 0;
    while (f.getChar(&c)) {
        if (c == '\n')
            return line;
        if (c == '\r') {
            char after = 0;
            if (f.peek(&after, 1) == 1 && after == '\n')
                f.getChar(&after);
            return line;
        }
        line += c;
    }
    if (f.error() != QFile::NoError)
        return std::nullopt;
    return line;
}

// The names are table values from outside this program: only a plain file
// name may lead to a deletion, never a path that leaves the folder.
bool namesFileInFolder(const QByteArray& name)
{
    return !name.trimmed().isEmpty() && !name.contains('/') && !name.contains('\\') && !name.contains("..");
}

void deleteListedFile(const QByteArray& name)
{
    if (!namesFileInFolder(name))
        return;
    QFile::remove(SuitePaths::map(QStringLiteral("C:\\QUELVORA\\QUITACAO\\") + text::fromWin1252(name)));
}

bool writeName(QFile& f, const QByteArray& name)
{
    const QByteArray line = name + "\r\n";
    return f.write(line) == line.size() && f.flush();
}

} // namespace

int diasAManter(data::Table& limite)
{
    limite.open();
    limite.first();
    const int days = limite.asInteger(QStringLiteral("QdeDiasAManter"));
    limite.close();
    return days;
}

void RetencaoArquivosQuitacao(data::Table& limite, const Clock& clock)
{
    purgeSettlementFiles(diasAManter(limite), clock.today());
}

QByteArray settlementCutOff(int daysToKeep, const QDate& today)
{
    return today.addDays(-daysToKeep).toString(QStringLiteral("yyMMdd")).toLatin1() + "000000.txt";
}

void purgeSettlementFiles(int daysToKeep, const QDate& today)
{
    const QString listPath = SuitePaths::map(QStringLiteral("c:\\quelvora\\quitacao\\listarq.txt"));
    const QString workPath = SuitePaths::map(QStringLiteral("c:\\quelvora\\quitacao\\listarqN.txt"));
    const QByteArray cutOff = settlementCutOff(daysToKeep, today);

    QFile work(workPath);
    if (!work.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(kind::IoError,
            QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(workPath, work.errorString()));

    QFile list(listPath);
    if (list.exists() && list.open(QIODevice::ReadOnly)) {
        // Names compare as Windows-1252 bytes, i.e. by character code.
        while (const auto line = readLine(list)) {
            const QByteArray name = line->left(kNameChars);
            if (name < cutOff)
                deleteListedFile(name);
            else if (!writeName(work, name))
                break;
        }
        list.close();
    }
    work.close();

    QFile::remove(listPath);
    if (!work.rename(listPath))
        throw Error(kind::IoError,
            QStringLiteral("Não foi possível renomear %1 para %2: %3").arg(workPath, listPath, work.errorString()));
}

} // namespace qor::app
