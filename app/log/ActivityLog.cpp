#include "app/log/ActivityLog.h"

#include "data/base/SuitePaths.h"
#include "data/base/Text.h"

namespace qor::app {

// A line break inside a text (a name typed with CR or LF) would split one
// event over several lines; the log keeps one line per event.
static QString asOneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString ActivityLog::fileNameFor(const QDateTime& at)
{
    return QStringLiteral("LOG") + at.toString(QStringLiteral("yyMMdd_hhmm")) + QStringLiteral(".txt");
}

static QString stamp(const QDateTime& at)
{
    return at.toString(QStringLiteral("dd/MM/yy")) + QStringLiteral(" as ") + at.toString(QStringLiteral("hh:mm"));
}

void ActivityLog::RegistraEntrada(const QString& nameBoxText)
{
    const QDateTime at = clock_.now();
    state_.ArquivoLog = SuitePaths::file(fileNameFor(at));
    text::writeLines(state_.ArquivoLog, {asOneLine(nameBoxText + QStringLiteral(" entrou no caixa em ") + stamp(at))});
}

void ActivityLog::GravaLog(const QString& text)
{
    // Lines are asked for only once an operator is identified; before that
    // there is no file to write to, and nothing later would read the line.
    if (state_.ArquivoLog.isEmpty())
        return;
    text::appendLine(state_.ArquivoLog, asOneLine(text));
}

void ActivityLog::RegistraSaida(const QString& nameBoxText)
{
    // Closing the program from the identification panel: no log was started
    // in this run, so the exit line is skipped.
    if (state_.ArquivoLog.isEmpty())
        return;
    text::appendLine(state_.ArquivoLog, asOneLine(nameBoxText + QStringLiteral(" saiu do caixa em ") + stamp(clock_.now())));
}

} // namespace qor::app
