#include "data/local/PackedRow.h"

#include "data/local/StoredValue.h"

#include <QVarLengthArray>

#include <sqlite3.h>

#include <cstring>

namespace qor::data {

namespace {

template <typename T> void put(QByteArray& out, qsizetype at, T v) { std::memcpy(out.data() + at, &v, sizeof v); }

template <typename T> T get(const QByteArray& in, qsizetype at)
{
    T v;
    std::memcpy(&v, in.constData() + at, sizeof v);
    return v;
}

} // namespace

PackedRow PackedRow::fromStatement(sqlite3_stmt* st, int first)
{
    const int count = sqlite3_column_count(st) - first;
    QVarLengthArray<int, 64> types(count);
    QVarLengthArray<int, 64> lengths(count);
    qsizetype size = qsizetype(sizeof(quint32)) * (count + 1);
    for (int c = 0; c < count; ++c) {
        types[c] = sqlite3_column_type(st, first + c);
        switch (types[c]) {
        case SQLITE_NULL:
            size += 1;
            break;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            size += 1 + 8;
            break;
        default:
            lengths[c] = sqlite3_column_bytes(st, first + c);
            size += 1 + qsizetype(sizeof(quint32)) + lengths[c];
        }
    }
    PackedRow row;
    QByteArray& out = row.data_;
    out.resize(size);
    put<quint32>(out, 0, quint32(count));
    qsizetype at = qsizetype(sizeof(quint32)) * (count + 1);
    for (int c = 0; c < count; ++c) {
        put<quint32>(out, qsizetype(sizeof(quint32)) * (c + 1), quint32(at));
        const int type = types[c];
        out.data()[at++] = char(type);
        switch (type) {
        case SQLITE_NULL:
            break;
        case SQLITE_INTEGER:
            put<qint64>(out, at, sqlite3_column_int64(st, first + c));
            at += 8;
            break;
        case SQLITE_FLOAT:
            put<double>(out, at, sqlite3_column_double(st, first + c));
            at += 8;
            break;
        default: {
            const void* bytes = type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(st, first + c))
                                                    : sqlite3_column_blob(st, first + c);
            const int n = lengths[c];
            put<quint32>(out, at, quint32(n));
            at += sizeof(quint32);
            if (n > 0)
                std::memcpy(out.data() + at, bytes, size_t(n));
            at += n;
        }
        }
    }
    return row;
}

int PackedRow::size() const { return data_.isEmpty() ? 0 : int(get<quint32>(data_, 0)); }

QVariant PackedRow::at(int i) const
{
    qsizetype p = get<quint32>(data_, qsizetype(sizeof(quint32)) * (i + 1));
    const int type = data_.at(p++);
    switch (type) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qlonglong(get<qint64>(data_, p)));
    case SQLITE_FLOAT:
        return QVariant(get<double>(data_, p));
    default: {
        const auto n = qsizetype(get<quint32>(data_, p));
        const char* bytes = data_.constData() + p + sizeof(quint32);
        if (type == SQLITE_TEXT)
            return QVariant(QString::fromUtf8(bytes, n));
        return QVariant(QByteArray(bytes, n));
    }
    }
}

QVariant PackedRow::read(int i, FieldKind kind) const
{
    qsizetype p = get<quint32>(data_, qsizetype(sizeof(quint32)) * (i + 1));
    const int type = data_.at(p++);
    if (type == SQLITE_NULL)
        return {};
    if (type == SQLITE_TEXT) {
        const auto n = qsizetype(get<quint32>(data_, p));
        const char* bytes = data_.constData() + p + sizeof(quint32);
        if (kind == FieldKind::Text)
            return QVariant(QString::fromUtf8(bytes, n));
        if (kind == FieldKind::Date)
            if (const QDate d = stored::dateFromStored(bytes, n); d.isValid())
                return QVariant(d);
        if (kind == FieldKind::Time)
            if (const QTime t = stored::timeFromStored(bytes, n); t.isValid())
                return QVariant(t);
    } else if (type == SQLITE_INTEGER && kind == FieldKind::Integer) {
        return QVariant(int(get<qint64>(data_, p)));
    } else if (type == SQLITE_FLOAT && kind == FieldKind::Float) {
        return QVariant(get<double>(data_, p));
    }
    return stored::fromStorage(kind, at(i));
}

QVariantList PackedRow::toList() const
{
    QVariantList out;
    const int n = size();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out << at(i);
    return out;
}

} // namespace qor::data
