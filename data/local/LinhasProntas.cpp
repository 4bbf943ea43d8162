#include "data/local/LinhasProntas.h"

#include "data/base/Error.h"

namespace qor::data {

void LinhasProntas::carrega(QList<QVariantList> rows)
{
    rows_ = std::move(rows);
    if (open_)
        moveTo(0);
}

void LinhasProntas::open()
{
    open_ = true;
    moveTo(0);
    emit stateChanged();
}

void LinhasProntas::close()
{
    open_ = false;
    pos_ = -1;
    eof_ = bof_ = true;
    emit stateChanged();
}

void LinhasProntas::moveTo(int pos)
{
    if (!open_)
        throw Error(kind::DataSetClosed, QStringLiteral("Conjunto de dados fechado"));
    const int n = int(rows_.size());
    eof_ = bof_ = n == 0;
    pos_ = n == 0 ? -1 : qBound(0, pos, n - 1);
    emit rowChanged();
}

void LinhasProntas::next()
{
    if (pos_ + 1 >= rows_.size()) {
        eof_ = true;
        return;
    }
    moveTo(pos_ + 1);
}

void LinhasProntas::prior()
{
    if (pos_ <= 0) {
        bof_ = true;
        return;
    }
    moveTo(pos_ - 1);
}

QVariant LinhasProntas::value(const QString& field) const
{
    const int i = fieldIndex(field);
    if (pos_ < 0)
        return {};
    return rows_.at(pos_).value(i);
}

void LinhasProntas::setValue(const QString&, const QVariant&) { somenteLeitura(); }

void LinhasProntas::somenteLeitura() const
{
    throw Error(kind::NotEditing, QStringLiteral("Conjunto de dados somente para leitura"));
}

} // namespace qor::data
