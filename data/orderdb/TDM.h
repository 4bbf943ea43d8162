#pragma once

#include "data/local/LinhasProntas.h"
#include "data/local/Query.h"
#include "data/local/Table.h"
#include "data/orderdb/CachedRowSet.h"
#include "data/orderdb/Provider.h"
#include "data/orderdb/SQLConnection.h"
#include "data/orderdb/SqlCommand.h"

#include <QObject>

namespace qor::orderdb {

// The data module DM: the one connection to the order database with the
// chains over PEDIDOS, USUARIOS and ESTACOES, the table Servidor that picks
// the server, and the report queries on the local cash tables.
//
// Start-up creates it, then calls DataModuleCreate(), which connects. That
// catches nothing: on failure it raises and DM stays in place, not
// connected, and every later use of a chain raises NotConnected.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr); // builds everything; connects nothing

    // The client library from the client-library file, the server from the
    // last active row of Servidor, then Database = that address + ":" + the
    // database path (the path alone for an active row without an IP: the
    // file is opened in-process), and connect.
    void DataModuleCreate();

    // The report engine's display format of a query's column ("##,##0.00",
    // "dd/mm/yy"...), "" when it has none. Names without regard to case.
    static QString displayFormat(const QString& query, const QString& column);

    SQLConnection SQLConnection1{this};

    SqlCommand SQLDS_Pedidos{SQLConnection1, this};
    Provider DSetP_Pedidos{SQLDS_Pedidos, {QStringLiteral("ESTACAO"), QStringLiteral("NPEDIDO")}, this};
    CachedRowSet PEDIDOS{DSetP_Pedidos, this};

    SqlCommand SQLDS_Usuarios{SQLConnection1, this};
    Provider DSP_Usuarios{SQLDS_Usuarios, {QStringLiteral("USUARIO")}, this};
    CachedRowSet Usuarios{DSP_Usuarios, this};

    SqlCommand SQLDS_Estacoes{SQLConnection1, this};
    Provider DSP_Estacoes{SQLDS_Estacoes, {QStringLiteral("ESTACAO")}, this};
    CachedRowSet Estacoes{DSP_Estacoes, this};

    data::Table Servidor{QStringLiteral("QORFDADOS"), QStringLiteral("Servidor.db"), this};

    data::Query qryClose{QStringLiteral("QORFDADOS"), this};
    data::Query qrySessaoCX{QStringLiteral("QORFDADOS"), this};
    data::Query qryMovCaixa{QStringLiteral("QORFDADOS"), this};
    data::Query qryDetalhaMovCaixa{QStringLiteral("QORFDADOS"), this};
    data::Query qryDetalhaPeriodo{QStringLiteral("QORFDADOS"), this};
    data::Query qryDetalhaPeriodoGrupo{QStringLiteral("QORFDADOS"), this};
    data::Query qryDetalhaPeriodoGrupoL{QStringLiteral("QORFDADOS"), this};
    data::Query qryTotalizaDetalha{QStringLiteral("QORFDADOS"), this};
    data::Query qryResumoFP{QStringLiteral("QORFDADOS"), this};
    data::Query qry_ResumoSaidas{QStringLiteral("QORFDADOS"), this};
    data::Query qry_DetalhaSaidas{QStringLiteral("QORFDADOS"), this};
    // A session's blind count (ConferenciaCx), shown on its summary.
    data::Query qryConferenciaCx{QStringLiteral("QORFDADOS"), this};
    // The cash-control reports over the order server, filled by their
    // commands: the till's payments next to their orders, the deposits
    // left open.
    data::LinhasProntas qryConciliacao{this};
    data::LinhasProntas qrySinaisEmAberto{this};
    // The heading every report shows: the default store of Parsist (read
    // when the report opens it) and, for a period report, the period and the
    // store filter its command binds (:DataInicial, :DataFinal, :FiltroLoja).
    data::Query qryCabecalho{QStringLiteral("QUELVORA"), this};

private:
    void setUpReportQueries();
};

} // namespace qor::orderdb
