#pragma once

#include "data/local/Query.h"
#include "data/local/Table.h"

#include <QObject>

namespace qor::data {

// The main window's table objects and free queries, each on the location
// the suite gives it, each with its own name as objectName. None is open.
class CashTables : public QObject {
    Q_OBJECT
public:
    explicit CashTables(QObject* parent = nullptr);

    Table SessaoCx{QStringLiteral("QORFDADOS"), QStringLiteral("SessaoCx.db"), this};
    Table MovCaixa{QStringLiteral("QORFDADOS"), QStringLiteral("MovCaixa.db"), this};
    Table CaixaCor{QStringLiteral("QORFDADOS"), QStringLiteral("CaixaCor.db"), this};
    Table CTCaixa{QStringLiteral("c:\\quelvora\\dados"), QStringLiteral("CTCaixa.db"), this};
    Table Quitacao{QStringLiteral("QORFDADOS"), QStringLiteral("Quitacao.DB"), this};
    Table Periodo{QStringLiteral("QORFDADOS"), QStringLiteral("Periodo.db"), this};
    Table TabCaixa{QStringLiteral("QORFDADOS"), QStringLiteral("TabCaixa.DB"), this};
    Table FormaPag{QStringLiteral("QORFDADOS"), QStringLiteral("FormaPag.db"), this};
    Table FormasPG{QStringLiteral("QORFDADOS"), QStringLiteral("FormasPG.db"), this};
    Table TabLab{QStringLiteral("QORFDADOS"), QStringLiteral("TabLab.DB"), this};
    Table tudcaixa{QStringLiteral("QORFDADOS"), QStringLiteral("tudcaixa.db"), this};
    Table Destinos{QStringLiteral("QORFDADOS"), QStringLiteral("Destinos.DB"), this};
    Table TabelaDB{QStringLiteral("QORFDADOS"), QString(), this}; // pointed at a file by the export
    Table Limite{QStringLiteral("C:\\QUELVORA\\QUITACAO"), QStringLiteral("Limite.db"), this};
    Table Parlocal{QStringLiteral("QUELVORA"), QStringLiteral("Parlocal.db"), this};
    Table Parsist{QStringLiteral("QUELVORA"), QStringLiteral("Parsist.DB"), this};
    Table Estacoes{QStringLiteral("QUELVORA"), QStringLiteral("Estacoes.db"), this};
    Table Usuarios{QStringLiteral("QUELVORA"), QStringLiteral("Usuarios.DB"), this};
    Table ListMovC{QStringLiteral("c:\\quelvora\\dados"), QStringLiteral("ListMovC.db"), this};
    Query Query1{QStringLiteral("QORFDADOS"), this};
    Query qry_Utilitarios{QStringLiteral("QORFDADOS"), this};
};

} // namespace qor::data
