#pragma once

#include "data/local/Catalog.h"

#include <QList>
#include <QString>

namespace qor::migrate {

// A local table of the till as the program opens it: its catalog entry and
// its location (alias or suite folder).
struct TabelaDoCaixa {
    const data::TableDef* def = nullptr;
    QString local;
};

// The till's tables that an import fills, in the order of the main window's
// table objects. Left out: the tables the till declares and never opens
// (FormasPG, tudcaixa, ListMovC, Usuarios: their files are the other
// programs' business), and Servidor, which the site set-up writes.
QList<TabelaDoCaixa> tabelasImportaveis();

// The declared-and-never-opened tables, to say their files were left alone.
QStringList tabelasNaoUsadas();

// A one-row table whose row the start-up or the site set-up adds with zeros
// (CaixaCor, CTCaixa): that row alone is not data to protect.
bool temLinhaInicial(const data::TableDef& def);

} // namespace qor::migrate
