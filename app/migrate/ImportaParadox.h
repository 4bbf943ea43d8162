#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qor::migrate {

struct LinhaRecusada {
    int linha = 0; // 1-based, in the file's order
    QString motivo;
};

struct TabelaImportada {
    QString tabela;  // "SessaoCx"
    QString arquivo; // the file as found: "SESSAOCX.DB"
    int lidas = 0;
    int importadas = 0;
    QList<LinhaRecusada> recusadas;
    QStringList camposDeFora;  // the file's fields the till does not have
    QString indiceNaoUsado;    // why the .px was not used; "" when it was or none
};

struct Importacao {
    // Why nothing was imported, one text per table and field; when not
    // empty, the site's tables were not touched.
    QStringList recusas;
    QList<TabelaImportada> tabelas;
    QStringList naoEncontradas; // the till's tables with no file in the folder
    QStringList naoUsadas;      // files found of tables the till never opens
};

// Imports the Paradox tables the earlier till wrote in `pasta` (file names
// matched without regard to case) into the site's tables, field by field by
// name, values as stored, empty fields empty. Refuses, touching nothing,
// when a file's fields do not fit its table (confereCampos), when a table
// is missing on the site, or when a site table already holds rows and
// `substituir` is false (with it they are deleted first). A row the table
// refuses (a repeated key, a value out of range) is left out and reported.
// One unit of work per data file of the site: an error on the way undoes
// all of them and is raised.
Importacao importaParadox(const QString& pasta, bool substituir);

} // namespace qor::migrate
