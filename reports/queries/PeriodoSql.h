#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace qor::reports {

// A period report: the type its command puts in PainelPeriodo's Tag, the
// named report it runs and the data module query that receives its SQL.
struct TipoDePeriodo {
    int tipo;
    QString relatorio;
    QString consulta;
};

const QList<TipoDePeriodo>& tiposDePeriodo();
const TipoDePeriodo* tipoDePeriodo(int tipo); // nullptr for no such type
const TipoDePeriodo* tipoDoRelatorioDePeriodo(const QString& relatorio); // by report name

// A period date as the report SQL writes it: "dd.mm.yy" (05/03/2010 -> "05.03.10").
QString dataSql(const QDate& data);

// The store filter: the store list's text cut to the width of MovCaixa.Laboratorio.
QString filtroDeLoja(const QString& textoDaLista);

// The SQL lines of a period report type over [inicio, fim]; the store
// filter is used by type 5 only ("" = every store). Empty for an unknown type.
QStringList sqlDoPeriodo(int tipo, const QDate& inicio, const QDate& fim, const QString& loja);

} // namespace qor::reports
