#include "app/backup/ComandoCopia.h"

#include "app/backup/CopiaDeSeguranca.h"
#include "app/backup/Restauracao.h"
#include "data/base/Error.h"
#include "data/base/SuitePaths.h"

#include <QDir>
#include <QTextStream>

#include <exception>

namespace qor::backup {

namespace {

const QString kBackup = QStringLiteral("--backup");
const QString kRestaurar = QStringLiteral("--restaurar");

int usoErrado(const QString& comando, const QString& motivo, QTextStream& erros)
{
    erros << "qor_caixa " << comando << ": " << motivo << '\n';
    if (comando == kBackup)
        erros << "Uso: qor_caixa --backup PASTA [--manter N]\n";
    else
        erros << "Uso: qor_caixa --restaurar CÓPIA [--confirmar]\n";
    return 2;
}

int backup(const QStringList& opcoes, QTextStream& saida, const Clock& relogio)
{
    const QString destino = QDir::cleanPath(QDir::current().absoluteFilePath(opcoes.at(0)));
    int manter = CopiasMantidasPadrao;
    if (opcoes.size() == 3)
        manter = opcoes.at(2).toInt();
    const CopiaFeita feita = fazCopiaDeSeguranca(destino, manter, relogio);
    saida << "Cópia de segurança de " << SuitePaths::root() << " em " << feita.pasta << ":\n";
    for (const ArquivoCopiado& arquivo : feita.arquivos)
        saida << "  " << arquivo.relativo << " (" << arquivo.bytes << " bytes, íntegro)\n";
    for (const QString& removida : feita.removidas)
        saida << "Cópia antiga removida: " << removida << '\n';
    return 0;
}

int restaurar(const QStringList& opcoes, QTextStream& saida)
{
    const bool confirmado = opcoes.size() == 2;
    const QList<ArquivoRestaurado> plano = restauraCopia(opcoes.at(0), confirmado);
    saida << (confirmado ? "Restaurado de " : "A cópia ") << opcoes.at(0)
          << (confirmado ? ":\n" : " substituiria:\n");
    for (const ArquivoRestaurado& item : plano)
        saida << "  " << item.caminho << (item.substitui ? "" : " (novo)") << '\n';
    if (confirmado)
        return 0;
    saida << "Nada foi alterado. Para restaurar, repita o comando com --confirmar.\n";
    return 1;
}

} // namespace

int comandoDeCopia(const QStringList& argumentos, QTextStream& saida, QTextStream& erros, const Clock& relogio)
{
    if (argumentos.size() < 2 || (argumentos.at(1) != kBackup && argumentos.at(1) != kRestaurar))
        return -1;
    const QString comando = argumentos.at(1);
    const QStringList opcoes = argumentos.mid(2);
    if (opcoes.isEmpty() || opcoes.at(0).startsWith(QLatin1String("--")))
        return usoErrado(comando, comando == kBackup ? QStringLiteral("falta a pasta de destino")
                                                     : QStringLiteral("falta a pasta da cópia"),
                         erros);
    if (comando == kBackup) {
        bool numero = false;
        const bool valido = opcoes.size() == 1
                            || (opcoes.size() == 3 && opcoes.at(1) == QLatin1String("--manter")
                                && opcoes.at(2).toInt(&numero) >= 1 && numero);
        if (!valido)
            return usoErrado(comando, QStringLiteral("opções inválidas (--manter pede um número a partir de 1)"), erros);
    } else if (opcoes.size() > 2 || (opcoes.size() == 2 && opcoes.at(1) != QLatin1String("--confirmar"))) {
        return usoErrado(comando, QStringLiteral("opção desconhecida: ") + opcoes.last(), erros);
    }
    try {
        return comando == kBackup ? backup(opcoes, saida, relogio) : restaurar(opcoes, saida);
    } catch (const Error& e) {
        erros << "qor_caixa " << comando << ": " << e.text() << '\n';
    } catch (const std::exception& e) {
        erros << "qor_caixa " << comando << ": " << QString::fromUtf8(e.what()) << '\n';
    }
    return 1;
}

} // namespace qor::backup
