#include "app/migrate/ComandoImportaParadox.h"

#include "app/migrate/ImportaParadox.h"
#include "data/base/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <exception>

namespace qor::migrate {

namespace {

const QString kComando = QStringLiteral("qor_caixa --importar-paradox");

void relata(const QString& pasta, const Importacao& imp, QTextStream& saida)
{
    saida << "Importação de " << QDir::toNativeSeparators(pasta) << '\n';
    for (const TabelaImportada& t : imp.tabelas) {
        saida << t.tabela << " (" << t.arquivo << "): lidas " << t.lidas << ", importadas " << t.importadas
              << ", recusadas " << t.recusadas.size() << '\n';
        for (const LinhaRecusada& l : t.recusadas)
            saida << "  linha " << l.linha << ": " << l.motivo << '\n';
        if (!t.camposDeFora.isEmpty())
            saida << "  campos não importados: " << t.camposDeFora.join(QStringLiteral(", ")) << '\n';
        if (!t.indiceNaoUsado.isEmpty())
            saida << "  índice primário não usado: " << t.indiceNaoUsado << '\n';
    }
    if (!imp.naoEncontradas.isEmpty())
        saida << "Não encontradas: " << imp.naoEncontradas.join(QStringLiteral(", ")) << '\n';
    if (!imp.naoUsadas.isEmpty())
        saida << "Deixadas de lado (o caixa não as usa): " << imp.naoUsadas.join(QStringLiteral(", ")) << '\n';
}

} // namespace

int comandoImportaParadox(const QStringList& argumentos, QTextStream& saida, QTextStream& erros)
{
    const QStringList resto = argumentos.mid(2);
    const bool substituir = resto.size() == 2 && resto.at(1) == QLatin1String("--substituir");
    if (resto.isEmpty() || resto.size() > 2 || (resto.size() == 2 && !substituir) || resto.at(0).startsWith(QLatin1String("--"))) {
        erros << "Uso: " << kComando << " PASTA [--substituir]\n";
        return 2;
    }
    const QString pasta = QFileInfo(resto.at(0)).absoluteFilePath();
    try {
        const Importacao imp = importaParadox(pasta, substituir);
        if (!imp.recusas.isEmpty()) {
            erros << kComando << ": nada foi importado.\n";
            for (const QString& r : imp.recusas)
                erros << r << '\n';
            return 1;
        }
        relata(pasta, imp, saida);
        return 0;
    } catch (const Error& e) {
        erros << kComando << ": nada foi importado: " << e.text() << '\n';
        return 1;
    } catch (const std::exception& e) {
        erros << kComando << ": nada foi importado: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
}

} // namespace qor::migrate
