#pragma once

#include <QList>
#include <QString>

namespace qor::load {

// One payment a station took, as it writes it to its record file: what was
// saved, and when its save started and ended (nanoseconds of the system
// clock, the same for every process on the machine).
struct Pagamento {
    QString pedido; // "07.000123"; a withdrawal's or replenishment's number otherwise
    QString tipo; // "Sinal", "Quitação", "Sangria", "Ressuprimento"
    qint64 centavos = 0;
    QString formaPag;
    qint64 inicio = 0;
    qint64 fim = 0;

    bool venda() const { return tipo == u"Sinal" || tipo == QStringLiteral("Quitação"); }
    QString linha() const;
    static Pagamento daLinha(const QString& linha);
};

QList<Pagamento> lePagamentos(const QString& arquivo);

} // namespace qor::load
