// The explanation of one source on the worked examples: every intermediate
// figure the run computes, with the value before each rounding, the rows it
// would write, and what stands in the database and why it differs; nothing
// of it stays written.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/ExplicacaoFonte.h"
#include "app/TextoExplicacao.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Modelo.h"

namespace {

// Name, the exact value with eight decimals, and the value kept.
using Figuras = std::vector<std::pair<std::string, std::pair<std::string, std::string>>>;

std::string Oito(long double valor)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.8Lf", valor);
    return texto;
}

Figuras FigurasDe(const std::vector<PassoExplicado>& passos)
{
    Figuras figuras;
    for (const PassoExplicado& passo : passos)
        figuras.push_back({passo.nome, {Oito(passo.exato), passo.fator ? "" : passo.valor.Texto()}});
    return figuras;
}

std::vector<Explicacao> ExplicarNoModelo(ModeloTeste& m, PedidoExplicacao::Tipo tipo, const std::string& numero)
{
    std::vector<Explicacao> explicacoes;
    m.Conectado([&] { explicacoes = Explicar(m.modelo.Sessao, m.relogio, {tipo, numero}); });
    return explicacoes;
}

std::vector<std::string> Tudo(const BancoTeste& banco)
{
    std::vector<std::string> linhas;
    for (const char* tabela : {"mov_comissao", "mov_acerto_comissao", "mov_nf_comercio", "mov_financeiro"})
        for (const auto& linha : banco.Ler(std::string("select * from ") + tabela)) {
            std::string texto = tabela;
            for (const auto& [coluna, valor] : linha)
                texto += "|" + coluna + "=" + Mostrar(valor);
            linhas.push_back(texto);
        }
    return linhas;
}

// Base 900 after a discount of 100, 5 %, 40 % credited, reduction 2: K1 45,
// K2 18, the credited 40 % of the reduction 0.80, K3 17.20.
void NotaDoExemplo(const BancoTeste& banco)
{
    InserirCadastros(banco);
    InserirNatureza(banco, 1, "0");
    InserirNota(banco, {.id = 1,
                        .desconto = "100.00",
                        .slots = {{"7", "5", "'S'", "40"}, {"9", "1", "'N'", "0"}},
                        .ajuste = "st_comissao_ad2 = 'S'"});
    InserirItem(banco,
                {.id = 1, .nota = 1, .unitario = "1000.00", .total = "1000.00", .reducao = "2.00", .percentual = "5"});
}

}  // namespace

TEST(Explicacao, NotaDoExemploMostraCadaPassoENadaFicaGravado)
{
    ModeloTeste m;
    NotaDoExemplo(m.banco);
    const std::vector<std::string> antes = Tudo(m.banco);

    const auto explicacoes = ExplicarNoModelo(m, PedidoExplicacao::Tipo::Nota, "NF1");

    ASSERT_EQ(explicacoes.size(), 1u);
    const Explicacao& e = explicacoes[0];
    EXPECT_EQ(e.fonte, "NF NF1");
    EXPECT_EQ(FigurasDe(e.passosDaNota), (Figuras{{"VL_BASE_COMISSAO", {"900.00000000", "900.0000"}},
                                                  {"VL_COMISSAO", {"45.00000000", "45.0000"}},
                                                  {"PO_COMISSAO", {"5.00000000", "5.0000"}}}));
    ASSERT_EQ(e.linhas.size(), 2u);
    EXPECT_EQ(e.linhas[0].idVendedor, 7);
    EXPECT_EQ(FigurasDe(e.linhas[0].passos),
              (Figuras{{"base B", {"900.00000000", "900.0000"}},
                       {"percentual do vendedor", {"5.00000000", "5.0000"}},
                       {"K1", {"45.00000000", "45.0000"}},
                       {"percentual creditado no faturamento", {"40.00000000", "40.0000"}},
                       {"K2", {"18.00000000", "18.0000"}},
                       {"redução da NF", {"2.00000000", "2.0000"}},
                       {"parte da redução", {"0.80000000", "0.8000"}},
                       {"K3", {"17.20000000", "17.2000"}},
                       {"percentual efetivo", {"1.91111111", "1.9111"}}}));
    EXPECT_EQ(e.linhas[1].idVendedor, 9);
    EXPECT_TRUE(e.linhas[1].passos.empty());
    EXPECT_EQ(e.linhas[1].semComissao, "comissão só no recebimento (ST_CREDITO_FAT não é S)");
    ASSERT_EQ(e.calculadas.size(), 1u);
    EXPECT_EQ(e.calculadas[0].comissao.Texto(), "17.2000");
    EXPECT_EQ(e.calculadas[0].percentual.Texto(), "1.9100");
    EXPECT_TRUE(e.noBanco.empty());
    EXPECT_EQ(Tudo(m.banco), antes);

    const std::string texto = TextoExplicacoes(explicacoes);
    EXPECT_NE(texto.find("1,91111111 -> 1,9111"), std::string::npos) << texto;
    EXPECT_NE(texto.find("a fonte está pendente"), std::string::npos) << texto;
    const std::string json = JsonExplicacoes(explicacoes);
    EXPECT_NE(
        json.find(
            R"({"nome":"K3","origem":"K2 − parte da redução, nunca abaixo de 0","exato":17.2000,"valor":17.2000})"),
        std::string::npos)
        << json;
}

// Base 1000, 5 %, 40 % credited, installment 250 of 1000: K1 50, K2 30, the
// installment's factor 0.25, K3 7.50, the discount's factor 1, K4 = K5 7.50.
TEST(Explicacao, DuplicataDoExemploMostraOsFatores)
{
    ModeloTeste m;
    InserirCadastros(m.banco);
    InserirNatureza(m.banco, 1, "0");
    InserirNota(m.banco, {.id = 1, .base = "1000.00", .calcular = "'N'", .slots = {{"7", "5", "'S'", "40"}}});
    InserirDuplicata(m.banco, {.id = 1});

    const auto explicacoes = ExplicarNoModelo(m, PedidoExplicacao::Tipo::Duplicata, "1");

    ASSERT_EQ(explicacoes.size(), 1u);
    const Explicacao& e = explicacoes[0];
    EXPECT_TRUE(e.passosDaNota.empty());
    ASSERT_EQ(e.linhas.size(), 1u);
    EXPECT_EQ(FigurasDe(e.linhas[0].passos),
              (Figuras{{"base B", {"1000.00000000", "1000.0000"}},
                       {"percentual do vendedor", {"5.00000000", "5.0000"}},
                       {"percentual creditado no faturamento", {"40.00000000", "40.0000"}},
                       {"fator da parcela", {"0.25000000", ""}},
                       {"fator de desconto", {"1.00000000", ""}},
                       {"K1", {"50.00000000", "50.0000"}},
                       {"K2", {"30.00000000", "30.0000"}},
                       {"K3", {"7.50000000", "7.5000"}},
                       {"K4", {"7.50000000", "7.5000"}},
                       {"redução da NF", {"0.00000000", "0.0000"}},
                       {"redução no recebimento", {"0.00000000", "0.0000"}},
                       {"redução na parcela", {"0.00000000", "0.0000"}},
                       {"parte da redução", {"0.00000000", "0.0000"}},
                       {"K5", {"7.50000000", "7.5000"}},
                       {"base da parcela", {"250.00000000", "250.0000"}},
                       {"percentual efetivo", {"3.00000000", "3.0000"}}}));
    ASSERT_EQ(e.calculadas.size(), 1u);
    EXPECT_EQ(e.calculadas[0].comissao.Texto(), "7.5000");
    EXPECT_EQ(e.calculadas[0].base.Texto(), "250.0000");
}

// A paid row freezes the invoice: the run leaves it, and the explanation says so.
TEST(Explicacao, NotaCongeladaDizQueARodadaADeixa)
{
    ModeloTeste m;
    NotaDoExemplo(m.banco);
    InserirMovimento(m.banco, 20, "'1'", "1", "null", "3");

    const auto explicacoes = ExplicarNoModelo(m, PedidoExplicacao::Tipo::Nota, "NF1");

    ASSERT_EQ(explicacoes.size(), 1u);
    const Explicacao& e = explicacoes[0];
    EXPECT_TRUE(e.linhas.empty());
    ASSERT_EQ(e.noBanco.size(), 1u);
    EXPECT_TRUE(e.noBanco[0].paga);
    ASSERT_FALSE(e.diferencas.empty());
    EXPECT_EQ(e.diferencas[0],
              "a rodada separa a fonte (comissão já paga): as linhas que estão no banco ficam como "
              "estão");
}

// A reversal of an undelivered receipt stands on the seller's row: the rebuilt
// row takes it over, the settlement stays, and the explanation names both.
TEST(Explicacao, EstornoEmPeEhDito)
{
    ModeloTeste m;
    NotaDoExemplo(m.banco);
    m.banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio, id_vendedor, no_documento,"
        " vl_base_comissao, po_comissao, vl_comissao, st_bloqueio_1, st_estorno_1) values"
        " (30, '1', 1, 7, 'NF1', 900, 1.91, 17.20, 'S', 'S')");
    m.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao) values (5, '20.03.2013', 7,"
        " 17.20, 'D', 'N', 'ESTORNO REF CANHOTO NÃO RECEBIDO NF NF1', 1, 'N')");

    const auto explicacoes = ExplicarNoModelo(m, PedidoExplicacao::Tipo::Nota, "NF1");

    ASSERT_EQ(explicacoes.size(), 1u);
    const Explicacao& e = explicacoes[0];
    ASSERT_EQ(e.acertos.size(), 1u);
    EXPECT_EQ(e.acertos[0].idAcerto, 5);
    ASSERT_EQ(e.calculadas.size(), 1u);
    EXPECT_EQ(e.calculadas[0].estorno, "S");
    EXPECT_EQ(e.diferencas, (std::vector<std::string>{
                                "o estorno por canhoto não recebido do vendedor 7 está em pé: a linha refeita herda o "
                                "bloqueio e o estorno, e o acerto fica",
                                "nenhuma: o banco tem o que a rodada calcula agora"}));
}

// A database error that is no source's own ends the explanation; what the
// phases had written in its transaction is rolled back all the same.
TEST(Explicacao, FalhaNoMeioNaoDeixaNadaGravado)
{
    ModeloTeste m;
    NotaDoExemplo(m.banco);
    // Phase 1 rewrites this base and phase 5 deletes this row before the insert fails.
    m.banco.Executar("update mov_nf_comercio set vl_base_comissao = 800 where id_nf_comercio = 1");
    InserirMovimento(m.banco, 41, "'1'", "1");
    m.banco.Executar("create exception recusada 'linha recusada'");
    m.banco.Executar("create trigger recusa_comissao for mov_comissao before insert as begin exception recusada; end");
    const std::vector<std::string> antes = Tudo(m.banco);

    EXPECT_ANY_THROW(ExplicarNoModelo(m, PedidoExplicacao::Tipo::Nota, "NF1"));

    EXPECT_EQ(Tudo(m.banco), antes);
}

// The window asks the number and shows the report; a number that names no
// invoice is told.
TEST(Explicacao, JanelaMostraOQueOOperadorPediu)
{
    ModeloTeste m;
    NotaDoExemplo(m.banco);

    m.modelo.ExplicarNotaClick("NF1");
    m.modelo.ExplicarNotaClick("NF9");

    ASSERT_EQ(m.tela.relatorios.size(), 1u);
    EXPECT_EQ(m.tela.relatorios[0].rfind("NF NF1\n", 0), 0u) << m.tela.relatorios[0];
    ASSERT_FALSE(m.tela.mensagens.empty());
    EXPECT_EQ(m.tela.mensagens.back().texto, "Nenhuma NF de número NF9 foi encontrada.");
}
