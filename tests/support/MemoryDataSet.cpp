#include "tests/support/MemoryDataSet.h"

#include "data/base/Error.h"

namespace qor::test {

using data::DataSetState;

MemoryDataSet::MemoryDataSet(QList<data::FieldDef> fields, QList<QVariantList> rows, QObject* parent)
    : data::DataSet(parent), fields_(std::move(fields)), rows_(std::move(rows))
{
}

void MemoryDataSet::setRows(QList<QVariantList> rows)
{
    rows_ = std::move(rows);
    if (active())
        first();
}

void MemoryDataSet::addRow(QVariantList row) { rows_ << std::move(row); }

void MemoryDataSet::requireActive() const
{
    if (!active())
        throw Error(kind::DataSetClosed, QStringLiteral("Dataset fechado: ") + objectName());
}

void MemoryDataSet::open()
{
    if (active())
        return;
    ++openCount_;
    if (!openError_.isEmpty())
        throw Error(kind::SqlError, std::exchange(openError_, QString()));
    state_ = DataSetState::Browse;
    first();
    emit stateChanged();
}

void MemoryDataSet::close()
{
    state_ = DataSetState::Inactive;
    pos_ = -1;
    eof_ = bof_ = true;
    emit stateChanged();
}

void MemoryDataSet::moveTo(int pos)
{
    pos_ = rows_.isEmpty() ? -1 : pos;
    emit rowChanged();
}

void MemoryDataSet::first()
{
    requireActive();
    moveTo(0);
    eof_ = rows_.isEmpty();
    bof_ = true;
}

void MemoryDataSet::last()
{
    requireActive();
    moveTo(int(rows_.size()) - 1);
    eof_ = true;
    bof_ = rows_.isEmpty();
}

void MemoryDataSet::next()
{
    requireActive();
    if (pos_ + 1 < rows_.size()) {
        moveTo(pos_ + 1);
        eof_ = false;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void MemoryDataSet::prior()
{
    requireActive();
    if (pos_ > 0) {
        moveTo(pos_ - 1);
        bof_ = false;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

bool MemoryDataSet::eof() const { return !active() || eof_; }
bool MemoryDataSet::bof() const { return !active() || bof_; }

int MemoryDataSet::recordCount()
{
    requireActive();
    return int(rows_.size());
}

QVariant MemoryDataSet::value(const QString& field) const
{
    requireActive();
    const int column = fieldIndex(field);
    if (pos_ < 0)
        return {};
    const QVariantList& row = rows_.at(pos_);
    return column < row.size() ? row.at(column) : QVariant();
}

void MemoryDataSet::setValue(const QString& field, const QVariant& v)
{
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw Error(kind::NotEditing, QStringLiteral("Dataset não está em edição: ") + objectName());
    const int column = fieldIndex(field);
    QVariantList& row = rows_[pos_];
    while (row.size() <= column)
        row << QVariant();
    row[column] = v;
    emit fieldChanged(field);
}

void MemoryDataSet::append()
{
    requireActive();
    rows_ << QVariantList();
    moveTo(int(rows_.size()) - 1);
    eof_ = bof_ = false;
    state_ = DataSetState::Insert;
    emit stateChanged();
}

void MemoryDataSet::edit()
{
    requireActive();
    if (pos_ < 0)
        throw Error(kind::NotEditing, QStringLiteral("Nenhuma linha para editar: ") + objectName());
    saved_ = rows_.at(pos_);
    state_ = DataSetState::Edit;
    emit stateChanged();
}

void MemoryDataSet::post()
{
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw Error(kind::NotEditing, QStringLiteral("Dataset não está em edição: ") + objectName());
    state_ = DataSetState::Browse;
    emit stateChanged();
}

void MemoryDataSet::cancel()
{
    if (state_ == DataSetState::Edit)
        rows_[pos_] = saved_;
    else if (state_ == DataSetState::Insert) {
        rows_.removeAt(pos_);
        moveTo(int(rows_.size()) - 1);
    }
    if (active())
        state_ = DataSetState::Browse;
    emit stateChanged();
}

void MemoryDataSet::remove()
{
    requireActive();
    if (pos_ < 0)
        return;
    rows_.removeAt(pos_);
    moveTo(std::min(pos_, int(rows_.size()) - 1));
    eof_ = rows_.isEmpty();
}

QVariant MemoryDataSet::bookmark() const { return pos_ < 0 ? QVariant() : QVariant(pos_); }

void MemoryDataSet::goToBookmark(const QVariant& b)
{
    requireActive();
    const int pos = b.toInt();
    if (pos < 0 || pos >= rows_.size())
        throw Error(kind::InvalidValue, QStringLiteral("Marcador inválido"));
    moveTo(pos);
    eof_ = bof_ = false;
}

} // namespace qor::test
