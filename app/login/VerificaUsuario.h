#pragma once

#include "data/orderdb/CachedRowSet.h"

#include <QString>

namespace qor::app {

enum class CampoLogin { Nome, Senha };

// What the identification panel does after the checks: on refusal show
// `message` and focus `focus`; on acceptance go on with `typedName`.
struct ResultadoLogin {
    bool accepted = false;
    QString message;
    CampoLogin focus = CampoLogin::Nome;
    QString typedName; // the name box's text upper-cased (a-z only)

    static ResultadoLogin refused(QString message, CampoLogin focus) { return {false, std::move(message), focus, {}}; }
};

// The checks of the identification, over the users row set (columns
// USUARIO, SENHA, ACESSO): name given, user found by the encoded upper-cased
// name, password matching, cash right on ACESSO. The row set is opened here
// and closed before returning. Database errors propagate.
ResultadoLogin verificaUsuario(orderdb::CachedRowSet& usuarios, const QString& nameBoxText, const QString& passwordBoxText);

} // namespace qor::app
