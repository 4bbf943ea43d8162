#include "data/orderdb/SqlCommand.h"

#include "data/base/Error.h"
#include "data/base/Text.h"
#include "data/orderdb/FbStatement.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlMarkers.h"

namespace qor::orderdb {

SqlCommand::SqlCommand(SQLConnection& connection, QObject* parent) : QObject(parent), connection_(connection) {}

void SqlCommand::setCommandText(const QString& sql)
{
    commandText_ = sql;
    clearBindValues();
}

void SqlCommand::bindValue(const QString& name, const QVariant& value) { named_.insert(text::upperAZ(name), value); }

void SqlCommand::addBindValue(const QVariant& value) { positional_ << value; }

void SqlCommand::clearBindValues()
{
    named_.clear();
    positional_.clear();
}

QVariantList SqlCommand::valuesFor(const QStringList& names) const
{
    if (!SqlMarkers{QString(), names}.named())
        return positional_;
    QVariantList values;
    for (const QString& name : names) {
        const auto it = named_.constFind(name);
        if (it == named_.constEnd())
            throw Error(kind::InvalidValue,
                        QStringLiteral("O parâmetro :%1 do comando não recebeu valor: %2").arg(name, commandText_));
        values << *it;
    }
    return values;
}

quint64 SqlCommand::execute()
{
    fb::Session& session = connection_.session();
    const SqlMarkers markers = SqlMarkers::parse(commandText_);
    fb::Transaction transaction(session);
    fb::Statement statement(session, transaction, markers.sql);
    statement.bind(valuesFor(markers.names));
    const quint64 affected = statement.execute(transaction, fb::Step::Statement, [this] {
        return QStringLiteral("O banco de dados de pedidos recusou o comando \"%1\"").arg(commandText_);
    });
    transaction.commit(fb::Step::Statement);
    return affected;
}

RowData SqlCommand::fetchAll()
{
    fb::Session& session = connection_.session();
    const SqlMarkers markers = SqlMarkers::parse(commandText_);
    fb::Transaction transaction(session);
    fb::Statement statement(session, transaction, markers.sql);
    statement.bind(valuesFor(markers.names));
    RowData data;
    data.rows = statement.fetchAll(transaction);
    data.columns = statement.columns();
    transaction.commit(fb::Step::Statement);
    return data;
}

} // namespace qor::orderdb
