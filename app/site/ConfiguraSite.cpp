#include "app/site/ConfiguraSite.h"

#include "data/base/Error.h"
#include "data/base/SuitePaths.h"
#include "data/local/SetUpTables.h"
#include "data/local/Table.h"
#include "reports/project/ReportProjectInstall.h"

#include <QDir>
#include <QFileInfo>

namespace qor::app {

namespace {

const QString kUso = QStringLiteral("Uso: qor_caixa --configurar-site [--servidor HOST] [--estacao CODIGO]");

// The suite's folders the program reads and writes; the data folders come
// with their tables.
const QStringList kPastas{QStringLiteral("c:\\quelvora\\dados"), QStringLiteral("C:\\QUELVORA\\QUITACAO"),
                          QStringLiteral("C:\\QUELVORA\\rpt"), QStringLiteral("C:\\Quelvora\\Envia")};

void criaPasta(const QString& path, QStringList& feito)
{
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path))
        throw Error(kind::IoError, QStringLiteral("Não foi possível criar a pasta %1").arg(path));
    feito << QStringLiteral("Pasta criada: %1").arg(path);
}

void projetoDeRelatorios(QStringList& feito)
{
    const QString pasta = SuitePaths::map(QStringLiteral("C:\\QUELVORA\\rpt"));
    if (QFileInfo::exists(pasta + QStringLiteral("/rptCaixa.rav")))
        return;
    feito << QStringLiteral("Projeto de relatórios instalado: %1").arg(reports::installReportProject(pasta));
}

// The server in use is the last active row; an active row already there is
// the site's own choice and stays.
void servidor(const QString& host, QStringList& feito)
{
    data::Table t(QStringLiteral("QORFDADOS"), QStringLiteral("Servidor.db"));
    t.open();
    QString ativo;
    bool temAtivo = false;
    for (t.first(); !t.eof(); t.next())
        if (t.asString(QStringLiteral("Ativo")).toUpper() == QLatin1String("S")) {
            temAtivo = true;
            ativo = t.asString(QStringLiteral("IP"));
        }
    if (temAtivo) {
        if (ativo != host)
            feito << QStringLiteral("Servidor não alterado: a tabela Servidor já tem uma linha ativa (IP \"%1\"); "
                                    "para trocá-lo, edite essa linha").arg(ativo);
        t.close();
        return;
    }
    t.append();
    t.setValue(QStringLiteral("Ativo"), QStringLiteral("S"));
    t.setValue(QStringLiteral("IP"), host);
    t.setValue(QStringLiteral("Servidor"), host);
    t.post();
    t.close();
    feito << QStringLiteral("Servidor do banco de pedidos: %1 (linha ativa da tabela Servidor)").arg(host);
}

void estacao(const QString& codigo, QStringList& feito)
{
    data::Table t(QStringLiteral("QUELVORA"), QStringLiteral("Estacoes.db"));
    t.open();
    bool existe = false;
    for (t.first(); !t.eof() && !existe; t.next())
        existe = t.asString(QStringLiteral("Estacao")).compare(codigo, Qt::CaseInsensitive) == 0;
    if (!existe) {
        t.append();
        t.setValue(QStringLiteral("Estacao"), codigo);
        t.setValue(QStringLiteral("Tipo"), QStringLiteral("CAIXA"));
        t.post();
        feito << QStringLiteral("Estação %1 incluída na tabela Estacoes").arg(codigo);
    }
    t.close();
    // The workstation's own work folder, as the identification asks for.
    criaPasta(SuitePaths::map(QStringLiteral("C:\\Quelvora\\Interfac") + codigo), feito);
}

} // namespace

QStringList configuraSite(const OpcoesDoSite& opcoes)
{
    QStringList feito;
    criaPasta(SuitePaths::root(), feito);
    for (const QString& pasta : kPastas)
        criaPasta(SuitePaths::map(pasta), feito);
    feito << data::setUpTables();
    projetoDeRelatorios(feito);
    if (!opcoes.servidor.isEmpty())
        servidor(opcoes.servidor, feito);
    if (!opcoes.estacao.isEmpty())
        estacao(opcoes.estacao.toUpper(), feito);
    return feito;
}

int comandoConfiguraSite(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    OpcoesDoSite opcoes;
    bool comServidor = false, comEstacao = false;
    for (int i = 2; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        const bool temValor = i + 1 < arguments.size();
        if (a == QLatin1String("--servidor") && temValor) {
            opcoes.servidor = arguments.at(++i).trimmed();
            comServidor = true;
        } else if (a == QLatin1String("--estacao") && temValor) {
            opcoes.estacao = arguments.at(++i).trimmed();
            comEstacao = true;
        } else {
            err << QStringLiteral("Opção inválida: %1\n").arg(a) << kUso << '\n';
            return 2;
        }
    }
    // The server's address is read up to 30 characters; a station code is
    // the two characters of an order reference and names a folder.
    if (comServidor && (opcoes.servidor.isEmpty() || opcoes.servidor.size() > 30)) {
        err << QStringLiteral("Servidor inválido: informe o endereço ou o nome do servidor (até 30 caracteres)\n")
            << kUso << '\n';
        return 2;
    }
    if (comEstacao && (opcoes.estacao.size() != 2 || !SuitePaths::isSafeCode(opcoes.estacao))) {
        err << QStringLiteral("Estação inválida: o código tem dois caracteres, letras ou algarismos\n") << kUso << '\n';
        return 2;
    }
    try {
        const QStringList feito = configuraSite(opcoes);
        out << QStringLiteral("Local da farmácia: %1\n").arg(SuitePaths::root());
        if (feito.isEmpty())
            out << QStringLiteral("O local já estava configurado: nada foi alterado.\n");
        for (const QString& linha : feito)
            out << linha << '\n';
    } catch (const std::exception& e) {
        err << QStringLiteral("qor_caixa --configurar-site: %1\n").arg(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}

} // namespace qor::app
