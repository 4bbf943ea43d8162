#include "app/login/VerificaUsuario.h"

#include "app/login/AcessoCaixa.h"
#include "app/login/CodificaSenha.h"
#include "data/base/Text.h"

namespace qor::app {

namespace {

QString naoAutorizado(const QString& nameBoxText)
{
    return QStringLiteral("Usuário ") + nameBoxText + QStringLiteral(" não autorizado");
}

// Closes the row set whatever way the checks end.
struct ClosesOnExit {
    orderdb::CachedRowSet& set;
    ~ClosesOnExit() { set.close(); }
};

} // namespace

ResultadoLogin verificaUsuario(orderdb::CachedRowSet& usuarios, const QString& nameBoxText, const QString& passwordBoxText)
{
    if (nameBoxText.isEmpty())
        return ResultadoLogin::refused(QStringLiteral("Não foi informado o Nome do Usuário."), CampoLogin::Nome);

    usuarios.open();
    const ClosesOnExit closer{usuarios};
    const QString typedName = text::upperAZ(nameBoxText);

    // A name too long for the stored column, or with a character the code
    // page lacks, matches nobody.
    const auto encodedName = encodeForComparison(typedName, kMaxNomeUsuario);
    if (!encodedName || !usuarios.locate(QStringLiteral("USUARIO"), *encodedName))
        return ResultadoLogin::refused(naoAutorizado(nameBoxText), CampoLogin::Nome);

    const auto encodedPassword = encodeForComparison(text::upperAZ(passwordBoxText), kMaxSenha);
    if (!encodedPassword || *encodedPassword != usuarios.asString(QStringLiteral("SENHA")))
        return ResultadoLogin::refused(QStringLiteral("Senha incorreta. Tente novamente."), CampoLogin::Senha);

    const QString acesso = usuarios.asString(QStringLiteral("ACESSO")).left(100);
    if (!temAcessoAoCaixa(acesso, typedName))
        return ResultadoLogin::refused(naoAutorizado(nameBoxText), CampoLogin::Nome);

    return {true, {}, CampoLogin::Nome, typedName};
}

} // namespace qor::app
