#include "data/orderdb/FbStatement.h"

#include "data/base/Error.h"
#include "data/orderdb/Win1252.h"

#include <QDate>
#include <QTime>

#include <cstring>
#include <limits>

namespace qor::orderdb::fb {

using namespace Firebird;

namespace {

constexpr unsigned CharSetWin1252 = 53;
// ISC_DATE counts days from 17 Nov 1858; ISC_TIME tenths of milliseconds.
constexpr qint64 JulianDayOfIscDateZero = 2400001;

template <typename T> T load(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

QString name(const char* n) { return decode1252(n, static_cast<qsizetype>(std::strlen(n))); }

template <typename T> void store(unsigned char* p, T v) { std::memcpy(p, &v, sizeof v); }

ColumnKind kindOf(unsigned type, int scale, bool* supported)
{
    *supported = true;
    switch (type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return scale == 0 ? ColumnKind::Integer : ColumnKind::Decimal;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnKind::Float;
    case SQL_TYPE_DATE:
        return ColumnKind::Date;
    case SQL_TYPE_TIME:
        return ColumnKind::Time;
    case SQL_TEXT:
    case SQL_VARYING:
        return ColumnKind::Text;
    default:
        *supported = false;
        return ColumnKind::Text;
    }
}

qint64 readScaled(unsigned type, const unsigned char* p)
{
    switch (type) {
    case SQL_SHORT:
        return load<qint16>(p);
    case SQL_LONG:
        return load<qint32>(p);
    default:
        return load<qint64>(p);
    }
}

[[noreturn]] void outOfRange(const QString& sql, int marker)
{
    throw Error(kind::InvalidValue,
                QStringLiteral("Valor fora do intervalo para o parâmetro %1 do comando: %2").arg(marker + 1).arg(sql));
}

// One value of an output message, in the form normalize() gives.
QVariant readValue(const Statement::Field& f, const unsigned char* buffer)
{
    const unsigned char* p = buffer + f.offset;
    if (load<qint16>(buffer + f.nullOffset) != 0)
        return {};
    switch (f.type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return static_cast<qlonglong>(readScaled(f.type, p));
    case SQL_FLOAT:
        return static_cast<double>(load<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return load<double>(p);
    case SQL_TYPE_DATE:
        return QDate::fromJulianDay(load<ISC_DATE>(p) + JulianDayOfIscDateZero);
    case SQL_TYPE_TIME:
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(load<ISC_TIME>(p) / 10));
    case SQL_VARYING:
        return decode1252(reinterpret_cast<const char*>(p + sizeof(quint16)), load<quint16>(p));
    default: { // SQL_TEXT: a CHAR(n) value comes padded with blanks to n
        qsizetype n = static_cast<qsizetype>(f.length);
        while (n > 0 && p[n - 1] == ' ')
            --n;
        return decode1252(reinterpret_cast<const char*>(p), n);
    }
    }
}

} // namespace

Statement::Statement(Session& session, Transaction& transaction, const QString& sql) : session_(session), sql_(sql)
{
    const QByteArray text = encode1252(sql);
    statement_ = session_.bounded([&] {
        return session_.attachment()->prepare(&session_.status(), transaction.get(),
                                              static_cast<unsigned>(text.size()), text.constData(), session_.dialect(),
                                              IStatement::PREPARE_PREFETCH_METADATA);
    });
    if (session_.failed()) {
        statement_ = nullptr;
        session_.raise(Step::Statement, QStringLiteral("O banco de dados de pedidos recusou o comando \"%1\"").arg(sql));
    }
    try {
        inMetadata_ = statement_->getInputMetadata(&session_.status());
        session_.check(Step::Statement, sql);
        outMetadata_ = statement_->getOutputMetadata(&session_.status());
        session_.check(Step::Statement, sql);
        describeOutput();
    } catch (...) {
        releaseAll();
        throw;
    }
}

Statement::~Statement() { releaseAll(); }

void Statement::releaseAll()
{
    for (IMessageMetadata** m : {&inMetadata_, &boundMetadata_, &outMetadata_}) {
        if (*m)
            (*m)->release();
        *m = nullptr;
    }
    if (statement_) {
        session_.bounded([this] { statement_->free(&session_.status()); });
        if (session_.failed())
            statement_->release();
        statement_ = nullptr;
    }
}

std::vector<Statement::Field> Statement::layout(IMessageMetadata* metadata)
{
    CheckStatusWrapper& st = session_.status();
    std::vector<Field> fields(metadata->getCount(&st));
    for (unsigned i = 0; i < fields.size(); ++i) {
        Field& f = fields[i];
        f.type = metadata->getType(&st, i);
        f.length = metadata->getLength(&st, i);
        f.offset = metadata->getOffset(&st, i);
        f.nullOffset = metadata->getNullOffset(&st, i);
        f.scale = metadata->getScale(&st, i);
    }
    session_.check(Step::Statement, sql_);
    return fields;
}

void Statement::describeOutput()
{
    CheckStatusWrapper& st = session_.status();
    outFields_ = layout(outMetadata_);
    outBuffer_.assign(outMetadata_->getMessageLength(&st), 0);
    columns_.reserve(static_cast<qsizetype>(outFields_.size()));
    for (unsigned i = 0; i < outFields_.size(); ++i) {
        const Field& f = outFields_[i];
        Column c;
        c.name = name(outMetadata_->getAlias(&st, i));
        c.baseName = name(outMetadata_->getField(&st, i));
        c.relation = name(outMetadata_->getRelation(&st, i));
        bool supported = false;
        c.kind = kindOf(f.type, f.scale, &supported);
        if (!supported)
            throw Error(kind::StatementRejected,
                        QStringLiteral("A coluna %1 do comando \"%2\" é de um tipo que o programa não lê").arg(c.name, sql_));
        c.scale = c.kind == ColumnKind::Decimal ? f.scale : 0;
        c.size = c.kind == ColumnKind::Text ? static_cast<int>(f.length) : 0;
        columns_ << c;
    }
    session_.check(Step::Statement, sql_);
}

bool Statement::returnsRows() const
{
    const unsigned type = session_.bounded([this] { return statement_->getType(&session_.status()); });
    return !session_.failed() && (type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd);
}

void Statement::bind(const QVariantList& values)
{
    CheckStatusWrapper& st = session_.status();
    const std::vector<Field> described = layout(inMetadata_);
    if (values.size() != static_cast<qsizetype>(described.size()))
        throw Error(kind::InvalidValue, QStringLiteral("O comando tem %1 parâmetro(s) e foram dados %2: %3")
                                            .arg(described.size())
                                            .arg(values.size())
                                            .arg(sql_));
    if (described.empty())
        return;

    // Each marker's value in the form its kind keeps; text (and any kind we
    // do not write ourselves) goes as VARCHAR of its own length, and the
    // server converts it.
    QVariantList normalized;
    std::vector<bool> asText(described.size());
    std::vector<QByteArray> texts(described.size());
    IMetadataBuilder* builder = nullptr;
    try {
        for (size_t i = 0; i < described.size(); ++i) {
            const Field& f = described[i];
            bool supported = false;
            Column c;
            c.name = QStringLiteral("parâmetro %1").arg(i + 1);
            c.kind = kindOf(f.type, f.scale, &supported);
            c.scale = f.scale;
            asText[i] = c.kind == ColumnKind::Text || !supported;
            if (asText[i])
                c.kind = ColumnKind::Text;
            const QVariant v = normalize(c, values.at(static_cast<qsizetype>(i)));
            normalized << v;
            if (!asText[i])
                continue;
            texts[i] = isNullValue(v) ? QByteArray() : encode1252(v.toString());
            if (!builder) {
                builder = inMetadata_->getBuilder(&st);
                session_.check(Step::Statement, sql_);
            }
            builder->setType(&st, static_cast<unsigned>(i), SQL_VARYING);
            builder->setLength(&st, static_cast<unsigned>(i), static_cast<unsigned>(std::max<qsizetype>(texts[i].size(), 1)));
            builder->setCharSet(&st, static_cast<unsigned>(i), CharSetWin1252);
            session_.check(Step::Statement, sql_);
        }
        if (boundMetadata_)
            boundMetadata_->release();
        boundMetadata_ = nullptr;
        if (builder) {
            boundMetadata_ = builder->getMetadata(&st);
            session_.check(Step::Statement, sql_);
            builder->release();
            builder = nullptr;
        } else {
            inMetadata_->addRef();
            boundMetadata_ = inMetadata_;
        }
    } catch (...) {
        if (builder)
            builder->release();
        throw;
    }

    const std::vector<Field> fields = layout(boundMetadata_);
    inBuffer_.assign(boundMetadata_->getMessageLength(&st), 0);
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        unsigned char* p = inBuffer_.data() + f.offset;
        const QVariant& v = normalized.at(static_cast<qsizetype>(i));
        const bool null = isNullValue(v);
        store<qint16>(inBuffer_.data() + f.nullOffset, null ? -1 : 0);
        if (null)
            continue;
        if (asText[i]) {
            store<quint16>(p, static_cast<quint16>(texts[i].size()));
            std::memcpy(p + sizeof(quint16), texts[i].constData(), static_cast<size_t>(texts[i].size()));
            continue;
        }
        switch (f.type) {
        case SQL_SHORT: {
            const qlonglong n = v.toLongLong();
            if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
                outOfRange(sql_, static_cast<int>(i));
            store<qint16>(p, static_cast<qint16>(n));
            break;
        }
        case SQL_LONG: {
            const qlonglong n = v.toLongLong();
            if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
                outOfRange(sql_, static_cast<int>(i));
            store<qint32>(p, static_cast<qint32>(n));
            break;
        }
        case SQL_INT64:
            store<qint64>(p, v.toLongLong());
            break;
        case SQL_FLOAT:
            store<float>(p, static_cast<float>(v.toDouble()));
            break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            store<double>(p, v.toDouble());
            break;
        case SQL_TYPE_DATE:
            store<ISC_DATE>(p, static_cast<ISC_DATE>(v.toDate().toJulianDay() - JulianDayOfIscDateZero));
            break;
        case SQL_TYPE_TIME:
            store<ISC_TIME>(p, static_cast<ISC_TIME>(v.toTime().msecsSinceStartOfDay()) * 10);
            break;
        default:
            break;
        }
    }
}

quint64 Statement::execute(Transaction& transaction, Step step, const std::function<QString()>& context)
{
    CheckStatusWrapper& st = session_.status();
    session_.bounded([&] {
        statement_->execute(&st, transaction.get(), boundMetadata_, inBuffer_.empty() ? nullptr : inBuffer_.data(),
                            nullptr, nullptr);
    });
    if (session_.failed())
        session_.raise(step, context());
    const quint64 affected = session_.bounded([&] { return statement_->getAffectedRecords(&st); });
    if (session_.failed())
        session_.raise(step, context());
    return affected;
}

bool Statement::executeReturning(Transaction& transaction, Step step, const std::function<QString()>& context)
{
    session_.bounded([&] {
        statement_->execute(&session_.status(), transaction.get(), boundMetadata_,
                            inBuffer_.empty() ? nullptr : inBuffer_.data(), outMetadata_, outBuffer_.data());
    });
    if (session_.failed())
        session_.raise(step, context());
    return !outFields_.empty() && !isNullValue(readValue(outFields_.front(), outBuffer_.data()));
}

QList<QVariantList> Statement::fetchAll(Transaction& transaction)
{
    CheckStatusWrapper& st = session_.status();
    const auto context = [this] { return QStringLiteral("Falha ao ler as linhas do comando \"%1\"").arg(sql_); };
    if (!returnsRows())
        throw Error(kind::StatementRejected, QStringLiteral("O comando não devolve linhas: \"%1\"").arg(sql_));
    IResultSet* cursor = session_.bounded([&] {
        return statement_->openCursor(&st, transaction.get(), boundMetadata_,
                                      inBuffer_.empty() ? nullptr : inBuffer_.data(), outMetadata_, 0);
    });
    if (session_.failed())
        session_.raise(Step::Statement, context());
    QList<QVariantList> rows;
    while (session_.bounded([&] { return cursor->fetchNext(&st, outBuffer_.data()); }) == IStatus::RESULT_OK) {
        QVariantList row;
        row.reserve(static_cast<qsizetype>(outFields_.size()));
        for (const Field& f : outFields_)
            row << readValue(f, outBuffer_.data());
        rows << row;
    }
    if (!session_.failed())
        session_.bounded([&] { cursor->close(&st); }); // frees the cursor on success
    if (session_.failed()) {
        cursor->release(); // leaves the status alone
        session_.raise(Step::Statement, context());
    }
    return rows;
}

} // namespace qor::orderdb::fb
