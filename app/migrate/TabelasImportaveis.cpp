#include "app/migrate/TabelasImportaveis.h"

#include "data/local/CashTables.h"

namespace qor::migrate {

QStringList tabelasNaoUsadas()
{
    return {QStringLiteral("FormasPG"), QStringLiteral("tudcaixa"), QStringLiteral("ListMovC"), QStringLiteral("Usuarios")};
}

QList<TabelaDoCaixa> tabelasImportaveis()
{
    const data::CashTables tabelas;
    const QStringList naoUsadas = tabelasNaoUsadas();
    QList<TabelaDoCaixa> out;
    for (const data::Table* t : tabelas.findChildren<const data::Table*>(Qt::FindDirectChildrenOnly)) {
        const data::TableDef* def = data::Catalog::find(t->tableName());
        if (def && !naoUsadas.contains(def->name))
            out << TabelaDoCaixa{def, t->location()};
    }
    return out;
}

bool temLinhaInicial(const data::TableDef& def)
{
    return !def.oneRow.isEmpty();
}

} // namespace qor::migrate
