#include "tests/load/OutrosProgramas.h"

#include "data/local/Query.h"
#include "reports/queries/PeriodoSql.h"
#include "tests/support/RawDatabase.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <exception>

namespace qor::load {

int rodaOutrosProgramas(const QString& parada, int limiteSegundos, QTextStream& out)
{
    test::RawDatabase outro(QStringLiteral("QORFDADOS"));
    QElapsedTimer relogio;
    relogio.start();
    int voltas = 0, escritas = 0, relatorios = 0;
    QStringList falhas;
    const QDate hoje = QDate::currentDate();
    while (!QFile::exists(parada) && relogio.elapsed() < limiteSegundos * 1000LL && falhas.size() < 20) {
        ++voltas;
        // Another program's own rows (no session of the till's), then its purge.
        const bool escreveu
            = outro.exec(QStringLiteral("insert into MovCaixa (NumSessao, Valor, TipoMov) values (0, 1.5, 'Outro')"))
            && outro.exec(QStringLiteral("update MovCaixa set Valor = 2.5 where NumSessao = 0"))
            && outro.exec(QStringLiteral("delete from MovCaixa where NumSessao = 0 and NPedido is null"));
        if (escreveu)
            ++escritas;
        else
            falhas << QStringLiteral("MovCaixa: ") + outro.error();
        for (const reports::TipoDePeriodo& tipo : reports::tiposDePeriodo()) {
            try {
                data::Query q(QStringLiteral("QORFDADOS"));
                q.setSql(reports::sqlDoPeriodo(tipo.tipo, hoje.addDays(-30), hoje, QString()).join(QLatin1Char('\n')));
                q.open();
                for (q.first(); !q.eof(); q.next()) { }
                q.close();
                ++relatorios;
            } catch (const std::exception& e) {
                falhas << tipo.relatorio + QStringLiteral(": ") + QString::fromUtf8(e.what());
            }
        }
        QThread::msleep(20);
    }
    out << QStringLiteral("other programs: %1 rounds, %2 writes to MovCaixa, %3 report queries\n")
               .arg(voltas)
               .arg(escritas)
               .arg(relatorios);
    out << (falhas.isEmpty() ? "ok: " : "FAIL: ") << "the other programs worked without an error"
        << (falhas.isEmpty() ? QString() : QStringLiteral(": ") + falhas.join(QStringLiteral(" | "))) << '\n';
    return 0;
}

} // namespace qor::load
