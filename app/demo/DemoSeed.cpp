#include "app/demo/DemoSeed.h"

#include "data/local/Table.h"

#include <QList>
#include <QVariantMap>

namespace qor::demo {

namespace {

void seed(const QString& location, const QString& tableName, const QList<QVariantMap>& rows)
{
    data::Table table(location, tableName);
    table.open();
    if (table.isEmpty()) {
        for (const QVariantMap& row : rows) {
            table.append();
            for (auto it = row.begin(); it != row.end(); ++it)
                table.setValue(it.key(), it.value());
            table.post();
        }
    }
    table.close();
}

QList<QVariantMap> oneField(const QString& field, const QStringList& values)
{
    QList<QVariantMap> rows;
    for (const QString& v : values)
        rows << QVariantMap{{field, v}};
    return rows;
}

} // namespace

void seedDemoTables()
{
    const QString dados = QStringLiteral("QORFDADOS");
    const QString quelvora = QStringLiteral("QUELVORA");
    const QString quitacao = QStringLiteral("C:\\QUELVORA\\QUITACAO");

    seed(dados, QStringLiteral("TabCaixa"),
         oneField(QStringLiteral("Caixa"), {QStringLiteral("ANA PAULA"), QStringLiteral("CARLOS EDUARDO"),
                                            QStringLiteral("MARIA JOSÉ")}));
    seed(dados, QStringLiteral("TabLab"),
         oneField(QStringLiteral("Laboratorio"), {QStringLiteral("CENTRO"), QStringLiteral("SHOPPING"),
                                                  QStringLiteral("BAIRRO")}));
    seed(dados, QStringLiteral("FormaPag"),
         oneField(QStringLiteral("FormaPagto"),
                  {QStringLiteral("Dinheiro"), QStringLiteral("Debito"), QStringLiteral("Cheque"),
                   QStringLiteral("Cheque pré."), QStringLiteral("Credito"), QStringLiteral("Dep. conta"),
                   QStringLiteral("Vale"), QStringLiteral("Boleto")}));
    seed(dados, QStringLiteral("Servidor"),
         {{{QStringLiteral("Ativo"), QStringLiteral("S")}, {QStringLiteral("Servidor"), QStringLiteral("LOCAL")}}});
    seed(quelvora, QStringLiteral("Parsist"), oneField(QStringLiteral("Op86"), {QStringLiteral("CENTRO")}));
    seed(quelvora, QStringLiteral("Parlocal"), oneField(QStringLiteral("Serv_Est"), {QStringLiteral("SERVIDOR")}));
    seed(quelvora, QStringLiteral("Estacoes"),
         {{{QStringLiteral("Estacao"), QStringLiteral("01")}, {QStringLiteral("Tipo"), QStringLiteral("CAIXA")}}});
    seed(quitacao, QStringLiteral("Limite"), {{{QStringLiteral("QdeDiasAManter"), 30}}});
}

} // namespace qor::demo
