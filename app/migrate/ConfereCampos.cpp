#include "app/migrate/ConfereCampos.h"

#include "data/paradox/ParadoxKind.h"

namespace qor::migrate {

namespace {

const paradox::ParadoxField* campo(const QList<paradox::ParadoxField>& campos, const QString& nome)
{
    for (const paradox::ParadoxField& c : campos)
        if (c.name.compare(nome, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

QStringList confereCampos(const data::TableDef& def, const QList<paradox::ParadoxField>& campos)
{
    QStringList problemas;
    for (const data::FieldDef& f : def.fields) {
        const paradox::ParadoxField* c = campo(campos, f.name);
        if (!c) {
            problemas << QStringLiteral("falta o campo %1").arg(f.name);
            continue;
        }
        if (paradox::tableKind(c->type) != f.kind) {
            problemas << QStringLiteral("o campo %1 é %2; o caixa espera %3")
                             .arg(f.name, paradox::paradoxKindName(c->type), paradox::tableKindName(f.kind));
            continue;
        }
        if (f.kind == data::FieldKind::Text && c->size > f.size)
            problemas << QStringLiteral("o campo %1 tem %2 caracteres; o caixa guarda até %3").arg(f.name).arg(c->size).arg(f.size);
    }
    return problemas;
}

QStringList camposDeFora(const data::TableDef& def, const QList<paradox::ParadoxField>& campos)
{
    QStringList fora;
    for (const paradox::ParadoxField& c : campos)
        if (def.position(c.name) < 0)
            fora << c.name;
    return fora;
}

} // namespace qor::migrate
