#include "app/cli/Ajuda.h"

#include <QRegularExpression>
#include <QTextStream>

namespace qor::cli {

QString textoDeAjuda()
{
    return QStringLiteral(
        "Uso: qor_caixa [OPÇÃO...]\n"
        "Caixa gerencial QOR Caixa. Sem opções, abre a janela do caixa.\n"
        "A raiz da suíte é $QUELVORA_ROOT (sem ela, ~/quelvora).\n"
        "\n"
        "Relatórios sem janela:\n"
        "  --report NOME --pdf ARQUIVO [--session N | --from dd/mm/aaaa --to dd/mm/aaaa\n"
        "           [--store LOJA]] [--salvar-periodo]\n"
        "      grava o relatório NOME do projeto da suíte em ARQUIVO (PDF).\n"
        "      --session N      a sessão N (rpt_resumo, rpt_resumoFP, rpt_SessaoDetalhada,\n"
        "                       rpt_SessaoDetalhada_VOriginal, rpt_ParcialCaixa)\n"
        "      --from, --to     o período, os dois dias incluídos (rpt_PeriodoDetalhado,\n"
        "                       rpt_PeriodoDetalhadoLoja, rpt_ResumoVendas,\n"
        "                       rpt_ResumoVendas_Loja, rpt_ResumoSaidas, rpt_DetalhaSaidas,\n"
        "                       rpt_Conciliacao)\n"
        "      sem sessão nem período: rpt_SinaisEmAberto\n"
        "      --store LOJA     só a loja LOJA (rpt_ResumoVendas_Loja)\n"
        "      --salvar-periodo grava o período na tabela Periodo, como o painel de período\n"
        "\n"
        "Instalação e dados:\n"
        "  --configurar-site [--servidor HOST] [--estacao CÓDIGO]\n"
        "      cria as pastas da suíte, as tabelas locais, o projeto de relatórios e o\n"
        "      servidor ativo HOST do banco de pedidos; num site com dados não altera nada.\n"
        "  --importar-paradox PASTA [--substituir]\n"
        "      importa as tabelas Paradox do caixa anterior encontradas em PASTA;\n"
        "      --substituir troca as linhas de tabelas que já têm dados.\n"
        "  --backup PASTA [--manter N]\n"
        "      copia os arquivos de dados da suíte, mesmo com caixas abertos, para\n"
        "      PASTA/qor-caixa-aaaammdd-hhmmss/, confere cada cópia e mantém as N\n"
        "      cópias mais recentes (padrão 30).\n"
        "  --restaurar CÓPIA [--confirmar]\n"
        "      mostra o que a cópia CÓPIA substituiria; com --confirmar, restaura-a.\n"
        "      Recusa enquanto algum programa da suíte usa os arquivos.\n"
        "  --seed-demo\n"
        "      preenche as tabelas locais com dados de demonstração e instala o\n"
        "      projeto de relatórios.\n"
        "\n"
        "  --help           mostra esta ajuda\n"
        "  --version        mostra a versão\n"
        "\n"
        "Códigos de saída: 0 feito, 1 erro (o motivo vai para a saída de erros),\n"
        "2 opções erradas.\n"
        "Manual completo: man qor_caixa\n");
}

QString textoDeVersao() { return QStringLiteral("QOR Caixa " QOR_CAIXA_VERSION); }

QStringList opcoesDaAjuda()
{
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    QStringList found;
    for (const auto& m : option.globalMatch(textoDeAjuda())) {
        if (!found.contains(m.captured()))
            found << m.captured();
    }
    return found;
}

int ajudaOuVersao(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    const QByteArray first(argv[1]);
    if (first != "--help" && first != "--version")
        return -1;
    QTextStream out(stdout);
    out << (first == "--help" ? textoDeAjuda() : textoDeVersao() + QLatin1Char('\n'));
    return 0;
}

} // namespace qor::cli
