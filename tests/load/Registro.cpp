#include "tests/load/Registro.h"

#include <QFile>
#include <QStringList>

namespace qor::load {

QString Pagamento::linha() const
{
    return QStringList { pedido, tipo, QString::number(centavos), formaPag, QString::number(inicio),
        QString::number(fim) }
        .join(QLatin1Char(';'));
}

Pagamento Pagamento::daLinha(const QString& linha)
{
    const QStringList c = linha.split(QLatin1Char(';'));
    if (c.size() != 6)
        return {};
    return { c[0], c[1], c[2].toLongLong(), c[3], c[4].toLongLong(), c[5].toLongLong() };
}

QList<Pagamento> lePagamentos(const QString& arquivo)
{
    QList<Pagamento> lidos;
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return lidos;
    while (!f.atEnd()) {
        const QString l = QString::fromUtf8(f.readLine()).trimmed();
        if (!l.isEmpty())
            lidos << Pagamento::daLinha(l);
    }
    return lidos;
}

} // namespace qor::load
