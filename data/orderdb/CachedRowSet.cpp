#include "data/orderdb/CachedRowSet.h"

#include "data/base/Error.h"
#include "data/orderdb/Provider.h"

#include <limits>

namespace qor::orderdb {

CachedRowSet::CachedRowSet(Provider& provider, QObject* parent) : QObject(parent), provider_(provider) {}

void CachedRowSet::load(RowData data)
{
    columns_ = std::move(data.columns);
    rows_ = std::move(data.rows);
    originals_ = QList<std::optional<QVariantList>>(rows_.size());
    editBuffer_.clear();
}

void CachedRowSet::open()
{
    if (active())
        return;
    load(provider_.fetch());
    state_ = State::Browse;
    first();
}

void CachedRowSet::close()
{
    if (!active())
        return;
    load({});
    row_ = -1;
    eof_ = bof_ = true;
    state_ = State::Inactive;
}

void CachedRowSet::requireActive() const
{
    if (!active())
        throw Error(kind::DataSetClosed, QStringLiteral("O conjunto de dados %1 está fechado").arg(objectName()));
}

void CachedRowSet::requireRow() const
{
    requireActive();
    if (row_ < 0)
        throw Error(kind::InvalidValue, QStringLiteral("O conjunto de dados %1 não tem registros").arg(objectName()));
}

int CachedRowSet::recordCount() const
{
    requireActive();
    return static_cast<int>(rows_.size());
}

void CachedRowSet::first()
{
    requireActive();
    postIfEditing();
    row_ = rows_.isEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.isEmpty();
}

void CachedRowSet::next()
{
    requireActive();
    postIfEditing();
    if (row_ + 1 < rows_.size()) {
        ++row_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

bool CachedRowSet::eof() const
{
    requireActive();
    return eof_;
}

bool CachedRowSet::bof() const
{
    requireActive();
    return bof_;
}

bool CachedRowSet::locate(const QString& field, const QVariant& value)
{
    requireActive();
    postIfEditing();
    const int i = fieldIndex(field);
    const QVariant wanted = normalize(columns_.at(i), value);
    for (int r = 0; r < rows_.size(); ++r) {
        if (rows_.at(r).at(i) == wanted) {
            row_ = r;
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

bool CachedRowSet::hasField(const QString& name) const
{
    for (const Column& c : columns_)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int CachedRowSet::fieldIndex(const QString& name) const
{
    requireActive();
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw Error(kind::FieldNotFound, QStringLiteral("%1: campo %2 não encontrado").arg(objectName(), name));
}

const QVariantList& CachedRowSet::currentRow() const
{
    requireRow();
    return state_ == State::Edit ? editBuffer_ : rows_.at(row_);
}

QVariant CachedRowSet::value(const QString& field) const
{
    const int i = fieldIndex(field);
    const QVariant& v = currentRow().at(i);
    if (columns_.at(i).kind == ColumnKind::Decimal && !isNullValue(v))
        return asDecimal(field).toDouble();
    return v;
}

bool CachedRowSet::isNull(const QString& field) const { return isNullValue(currentRow().at(fieldIndex(field))); }

QString CachedRowSet::asString(const QString& field) const
{
    const int i = fieldIndex(field);
    const QVariant& v = currentRow().at(i);
    if (isNullValue(v))
        return {};
    switch (columns_.at(i).kind) {
    case ColumnKind::Decimal:
        return asDecimal(field).toString();
    case ColumnKind::Float:
        return QString::number(v.toDouble(), 'g', 17);
    case ColumnKind::Date:
        return v.toDate().toString(Qt::ISODate);
    case ColumnKind::Time:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    default:
        return v.toString();
    }
}

int CachedRowSet::asInteger(const QString& field) const
{
    const int i = fieldIndex(field);
    const QVariant& v = currentRow().at(i);
    if (isNullValue(v))
        return 0;
    Column asInt = columns_.at(i);
    asInt.kind = ColumnKind::Integer;
    const QVariant source = columns_.at(i).kind == ColumnKind::Decimal ? QVariant::fromValue(asDecimal(field)) : v;
    const qlonglong n = normalize(asInt, source).toLongLong();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw Error(kind::InvalidValue, QStringLiteral("%1: o valor %2 não cabe num inteiro").arg(field).arg(n));
    return static_cast<int>(n);
}

double CachedRowSet::asFloat(const QString& field) const
{
    const int i = fieldIndex(field);
    const QVariant& v = currentRow().at(i);
    if (isNullValue(v))
        return 0.0;
    switch (columns_.at(i).kind) {
    case ColumnKind::Decimal:
        return asDecimal(field).toDouble();
    case ColumnKind::Integer:
    case ColumnKind::Float:
        return v.toDouble();
    default: {
        Column asFloat = columns_.at(i);
        asFloat.kind = ColumnKind::Float;
        return normalize(asFloat, v).toDouble();
    }
    }
}

Decimal CachedRowSet::asDecimal(const QString& field) const
{
    const int i = fieldIndex(field);
    const Column& c = columns_.at(i);
    const QVariant& v = currentRow().at(i);
    switch (c.kind) {
    case ColumnKind::Decimal:
        return Decimal{isNullValue(v) ? 0 : v.toLongLong(), c.scale};
    case ColumnKind::Integer:
        return Decimal{isNullValue(v) ? 0 : v.toLongLong(), 0};
    default:
        throw Error(kind::InvalidValue, QStringLiteral("%1: o campo %2 não é numérico exato").arg(objectName(), field));
    }
}

QDate CachedRowSet::asDate(const QString& field) const { return currentRow().at(fieldIndex(field)).toDate(); }

QTime CachedRowSet::asTime(const QString& field) const { return currentRow().at(fieldIndex(field)).toTime(); }

void CachedRowSet::edit()
{
    requireRow();
    if (state_ == State::Edit)
        return;
    editBuffer_ = rows_.at(row_);
    state_ = State::Edit;
}

void CachedRowSet::setValue(const QString& field, const QVariant& v)
{
    const int i = fieldIndex(field);
    if (state_ != State::Edit)
        throw Error(kind::NotEditing, QStringLiteral("%1 não está em edição").arg(objectName()));
    const bool emptyText = v.metaType().id() == QMetaType::QString && v.toString().isEmpty();
    editBuffer_[i] = emptyText ? QVariant() : normalize(columns_.at(i), v);
}

void CachedRowSet::post()
{
    if (state_ != State::Edit)
        return;
    QVariantList& row = rows_[row_];
    if (editBuffer_ != row) {
        std::optional<QVariantList>& original = originals_[row_];
        if (!original)
            original = row;
        row = editBuffer_;
        if (row == *original)
            original.reset();
    }
    editBuffer_.clear();
    state_ = State::Browse;
}

void CachedRowSet::cancel()
{
    if (state_ != State::Edit)
        return;
    editBuffer_.clear();
    state_ = State::Browse;
}

void CachedRowSet::postIfEditing()
{
    if (state_ == State::Edit)
        post();
}

int CachedRowSet::changeCount() const
{
    int n = 0;
    for (const auto& original : originals_)
        n += original ? 1 : 0;
    return n;
}

void CachedRowSet::applyUpdates()
{
    requireActive();
    postIfEditing();
    QList<RowChange> changes;
    for (int r = 0; r < rows_.size(); ++r)
        if (originals_.at(r))
            changes << RowChange{*originals_.at(r), rows_.at(r)};
    if (changes.isEmpty())
        return;
    provider_.applyUpdates(columns_, changes);
    for (auto& original : originals_)
        original.reset();
}

void CachedRowSet::cancelUpdates()
{
    requireActive();
    cancel();
    for (int r = 0; r < rows_.size(); ++r) {
        if (originals_.at(r))
            rows_[r] = *originals_.at(r);
        originals_[r].reset();
    }
}

void CachedRowSet::refresh()
{
    requireActive();
    postIfEditing();
    if (changeCount() > 0)
        throw Error(kind::InvalidValue,
                    QStringLiteral("%1 tem alterações não aplicadas; aplique-as antes de atualizar").arg(objectName()));
    QVariantList key;
    QList<int> keyColumns;
    for (const QString& k : provider_.keyFields()) {
        if (row_ < 0 || !hasField(k))
            break;
        keyColumns << fieldIndex(k);
        key << rows_.at(row_).at(keyColumns.last());
    }
    load(provider_.fetch());
    first();
    for (int r = 0; r < rows_.size() && !keyColumns.isEmpty(); ++r) {
        QVariantList candidate;
        for (int c : keyColumns)
            candidate << rows_.at(r).at(c);
        if (candidate == key) {
            row_ = r;
            bof_ = eof_ = false;
            break;
        }
    }
}

} // namespace qor::orderdb
