#include "data/orderdb/Provider.h"

#include "data/base/CrashPoint.h"
#include "data/base/Error.h"
#include "data/orderdb/Decimal.h"
#include "data/orderdb/FbStatement.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlCommand.h"

namespace qor::orderdb {

namespace {

QString quoted(const QString& identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// A kept value as a marker takes it: decimals carry their scale.
QVariant boundValue(const Column& column, const QVariant& kept)
{
    if (column.kind == ColumnKind::Decimal && !isNullValue(kept))
        return QVariant::fromValue(Decimal{kept.toLongLong(), column.scale});
    return kept;
}

int columnIndex(const QList<Column>& columns, const QString& name)
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw Error(kind::FieldNotFound, QStringLiteral("A coluna chave %1 não está entre as colunas lidas").arg(name));
}

// Every change in one transaction, committed; raises as applyUpdates.
void applyInOneTransaction(fb::Session& session, const QList<Column>& columns, const QList<RowChange>& changes,
                           const QList<int>& keys)
{
    const Column& firstKey = columns.at(keys.first());
    fb::Transaction transaction(session);
    for (const RowChange& change : changes) {
        QStringList assignments;
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i) {
            if (change.original.at(i) == change.current.at(i))
                continue;
            const Column& c = columns.at(i);
            if (c.relation != firstKey.relation || c.baseName.isEmpty())
                throw Error(kind::UpdateRejected,
                            QStringLiteral("A coluna %1 não pertence à tabela %2 e não pode ser gravada")
                                .arg(c.name, firstKey.relation));
            assignments << quoted(c.baseName) + QStringLiteral(" = ?");
            values << boundValue(c, change.current.at(i));
        }
        if (assignments.isEmpty())
            continue;
        QStringList conditions;
        for (int k : keys) {
            const Column& c = columns.at(k);
            conditions << quoted(c.baseName) + QStringLiteral(" = ?");
            values << boundValue(c, change.original.at(k));
        }
        const auto context = [&] {
            QStringList key;
            for (int k : keys)
                key << columns.at(k).name + QLatin1Char('=') + change.original.at(k).toString();
            return QStringLiteral("A alteração do registro (%1) de %2 não foi aceita pelo banco de dados de pedidos")
                .arg(key.join(QStringLiteral(", ")), firstKey.relation);
        };
        const QString sql = QStringLiteral("update %1 set %2 where %3 returning 1")
                                .arg(quoted(firstKey.relation), assignments.join(QStringLiteral(", ")),
                                     conditions.join(QStringLiteral(" and ")));
        fb::Statement statement(session, transaction, sql);
        statement.bind(values);
        if (!statement.executeReturning(transaction, fb::Step::Apply, context))
            throw Error(kind::UpdateRejected,
                        context() + QStringLiteral(": o registro não foi encontrado no servidor (excluído ou com a "
                                                   "chave alterada por outra estação)"));
    }
    crashPoint("order update sent, not committed");
    transaction.commit(fb::Step::Apply);
}

} // namespace

Provider::Provider(SqlCommand& command, QStringList keyFields, QObject* parent)
    : QObject(parent), command_(command), keyFields_(std::move(keyFields))
{
}

RowData Provider::fetch() { return command_.fetchAll(); }

void Provider::applyUpdates(const QList<Column>& columns, const QList<RowChange>& changes)
{
    fb::Session& session = command_.connection().session();
    QList<int> keys;
    for (const QString& key : keyFields_)
        keys << columnIndex(columns, key);
    if (keys.isEmpty())
        throw Error(kind::UpdateRejected, QStringLiteral("O provedor %1 não tem colunas chave").arg(objectName()));
    // A row another station's transaction changed while ours waited for it
    // fails ours with an update conflict once that one commits. The row is
    // free then, and the key-only location puts our change on top of
    // theirs: a fresh transaction tries again, a few times at most.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            applyInOneTransaction(session, columns, changes, keys);
            return;
        } catch (const Error& e) {
            if (!e.is(kind::UpdateConflict) || attempt == kAttempts)
                throw;
        }
    }
}

} // namespace qor::orderdb
