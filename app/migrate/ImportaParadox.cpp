#include "app/migrate/ImportaParadox.h"

#include "app/migrate/ConfereCampos.h"
#include "app/migrate/TabelasImportaveis.h"
#include "data/base/Error.h"
#include "data/local/Database.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "data/local/Transaction.h"
#include "data/paradox/ParadoxFolder.h"

#include <QDir>
#include <QFileInfo>

#include <map>
#include <memory>

namespace qor::migrate {

namespace {

// A file found for one of the till's tables, checked and ready to import.
struct Fonte {
    TabelaDoCaixa tabela;
    QString arquivo;
    std::unique_ptr<paradox::ParadoxTable> px;
    QList<int> destino;   // per Paradox field, its position in the table; -1: left behind
    bool esvaziar = false; // the site's rows go first (replacing, or the start-up row)
};

bool tabelaNoSite(const TabelaDoCaixa& t)
{
    const QString pasta = data::Database::folderOf(t.local);
    // Asked before anything is opened: opening would create what is missing.
    if (!QFileInfo::exists(pasta + QLatin1Char('/') + QLatin1String(data::Database::FileName)))
        return false;
    return data::Database::forFolder(pasta)->tableExists(t.def->name);
}

bool soLinhaInicial(const data::TableDef& def, data::Table& t)
{
    if (!temLinhaInicial(def) || t.recordCount() != 1)
        return false;
    t.first();
    for (const data::FieldDef& f : t.fields())
        if (!t.isNull(f.name) && t.value(f.name).toDouble() != 0)
            return false;
    return true;
}

// The rows the site's table holds now: a refusal text, or whether to empty it.
QString confereDestino(Fonte& f, bool substituir)
{
    if (!tabelaNoSite(f.tabela))
        return QStringLiteral("%1: a tabela não existe no site (qor_caixa --configurar-site cria as tabelas)")
            .arg(f.tabela.def->name);
    data::Table t(f.tabela.local, f.tabela.def->name);
    t.open();
    const int linhas = t.recordCount();
    if (linhas == 0)
        return {};
    f.esvaziar = true;
    if (substituir || soLinhaInicial(*f.tabela.def, t))
        return {};
    return QStringLiteral("%1: a tabela do site já tem %2 linha(s); --substituir as troca pelas importadas")
        .arg(f.tabela.def->name)
        .arg(linhas);
}

QString chaveDaLinha(const data::TableDef& def, const data::Table& t)
{
    QStringList campos = def.primaryKey;
    for (const data::IndexDef& i : def.indexes)
        if (campos.isEmpty() && i.unique)
            campos = i.fields;
    QStringList partes;
    for (const QString& c : campos)
        partes << c + QLatin1Char(' ') + t.asString(c);
    return partes.isEmpty() ? QStringLiteral("repete a chave de outra linha")
                            : QStringLiteral("repete a chave de outra linha (%1)").arg(partes.join(QStringLiteral(", ")));
}

void importaTabela(Fonte& f, TabelaImportada& r)
{
    const data::TableDef& def = *f.tabela.def;
    if (f.esvaziar) {
        data::Query apaga(f.tabela.local);
        apaga.setSql(QStringLiteral("DELETE FROM ") + def.name);
        apaga.execSql();
    }
    data::Table t(f.tabela.local, def.name);
    t.open();
    r.lidas = f.px->rowCount();
    for (int linha = 0; linha < r.lidas; ++linha) {
        QString motivo;
        QList<std::pair<QString, QVariant>> valores;
        try {
            f.px->readRow(linha);
            for (int i = 0; i < f.destino.size(); ++i)
                if (f.destino.at(i) >= 0)
                    valores.append({def.fields.at(f.destino.at(i)).name, f.px->value(i)});
        } catch (const Error& e) {
            motivo = e.text(); // this row of the file cannot be read
        }
        if (motivo.isEmpty()) {
            t.append();
            try {
                for (const auto& [campo, valor] : valores)
                    if (!valor.isNull())
                        t.setValue(campo, valor);
                t.post();
                ++r.importadas;
                continue;
            } catch (const Error& e) {
                if (!e.is(kind::KeyViolation) && !e.is(kind::InvalidValue))
                    throw;
                motivo = e.is(kind::KeyViolation) ? chaveDaLinha(def, t) : e.text();
                t.cancel();
            }
        }
        r.recusadas << LinhaRecusada{linha + 1, motivo};
    }
    t.close();
}

} // namespace

Importacao importaParadox(const QString& pasta, bool substituir)
{
    Importacao out;
    if (!QFileInfo(pasta).isDir()) {
        out.recusas << QStringLiteral("a pasta %1 não existe").arg(QDir::toNativeSeparators(pasta));
        return out;
    }
    std::vector<Fonte> fontes;
    for (const TabelaDoCaixa& t : tabelasImportaveis()) {
        const QString arquivo = paradox::findFile(pasta, t.def->name + QStringLiteral(".db"));
        if (arquivo.isEmpty()) {
            out.naoEncontradas << t.def->name;
            continue;
        }
        Fonte f{t, arquivo, nullptr, {}, false};
        try {
            f.px = std::make_unique<paradox::ParadoxTable>(arquivo, paradox::findFile(pasta, t.def->name + QStringLiteral(".px")));
        } catch (const Error& e) {
            out.recusas << e.text();
            continue;
        }
        const QString nomeDoArquivo = QFileInfo(arquivo).fileName();
        for (const QString& p : confereCampos(*t.def, f.px->fields()))
            out.recusas << nomeDoArquivo + QStringLiteral(": ") + p;
        for (const paradox::ParadoxField& c : f.px->fields())
            f.destino << t.def->position(c.name);
        const QString destino = confereDestino(f, substituir);
        if (!destino.isEmpty())
            out.recusas << destino;
        fontes.push_back(std::move(f));
    }
    for (const QString& nome : tabelasNaoUsadas())
        if (!paradox::findFile(pasta, nome + QStringLiteral(".db")).isEmpty())
            out.naoUsadas << nome;
    if (fontes.empty() && out.recusas.isEmpty())
        out.recusas << QStringLiteral("nenhuma tabela do caixa em %1").arg(QDir::toNativeSeparators(pasta));
    if (!out.recusas.isEmpty())
        return out;

    // One unit per data file, all kept only when every table went in.
    std::map<QString, std::unique_ptr<data::Transaction>> unidades;
    for (Fonte& f : fontes) {
        const QString arquivoDeDados = data::Database::folderOf(f.tabela.local);
        if (!unidades.count(arquivoDeDados))
            unidades[arquivoDeDados] = std::make_unique<data::Transaction>(f.tabela.local);
        TabelaImportada r;
        r.tabela = f.tabela.def->name;
        r.arquivo = QFileInfo(f.arquivo).fileName();
        r.camposDeFora = camposDeFora(*f.tabela.def, f.px->fields());
        r.indiceNaoUsado = f.px->indexProblem();
        importaTabela(f, r);
        out.tabelas << r;
    }
    for (auto& [arquivo, unidade] : unidades)
        unidade->commit();
    return out;
}

} // namespace qor::migrate
