// Settlements flagged for recalculation become one type "3" commission row
// each, signed by the settlement's type, unless their row was already paid.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "tests/fixtures/Fase.h"

namespace {

void InserirAcerto(const BancoTeste& banco, int id, const std::string& tipo, const std::string& valor,
                   const std::string& calcular = "'S'")
{
    banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao) values (" +
        std::to_string(id) + ", '15.02.2013', " + std::to_string(id + 100) + ", " + valor + ", " + tipo +
        ", 'S', 'Acerto nº " + std::to_string(id) + "', 3, " + calcular + ")");
}

void InserirMovimentoAcerto(const BancoTeste& banco, int idComissao, int idAcerto, const std::string& paga)
{
    banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro, id_acerto_comissao, vl_comissao,"
        " id_comissao_gerada) values (" +
        std::to_string(idComissao) + ", '3', " + std::to_string(idAcerto) + ", 1.00, " + paga + ")");
}

std::vector<std::map<std::string, Valor>> MovimentosDoAcerto(const BancoTeste& banco, int idAcerto)
{
    return banco.Ler("select * from mov_comissao where id_acerto_comissao = " + std::to_string(idAcerto));
}

std::string CalcularComissao(const BancoTeste& banco, int idAcerto)
{
    return banco
        .Escalar("select st_calc_comissao from mov_acerto_comissao where id_acerto_comissao = " +
                 std::to_string(idAcerto))
        .Texto();
}

struct CasoSinal {
    const char* nome;
    const char* tipo;
    const char* valor;
    const char* valorGravado;
    const char* comissao;
};

TEST(Fase7, SoOCreditoMantemOSinalEOValorFicaComoGravado)
{
    const CasoSinal casos[] = {
        {"credito", "'A'", "150.00", "150.0000", "150.0000"},
        {"debito", "'D'", "150.00", "150.0000", "-150.0000"},
        {"outra_letra", "'X'", "150.00", "150.0000", "-150.0000"},
        {"vazio", "''", "150.00", "150.0000", "-150.0000"},
        {"credito_negativo", "'A'", "-20.00", "-20.0000", "-20.0000"},
        {"debito_negativo", "'D'", "-20.00", "-20.0000", "20.0000"},
    };
    FaseTeste f;
    int id = 0;
    for (const CasoSinal& caso : casos)
        InserirAcerto(f.banco, ++id, caso.tipo, caso.valor);
    InserirAcerto(f.banco, 50, "'A'", "1.00", "'N'");
    InserirAcerto(f.banco, 51, "'A'", "1.00", "null");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase7);

    id = 0;
    for (const CasoSinal& caso : casos) {
        SCOPED_TRACE(caso.nome);
        ++id;
        const auto linhas = MovimentosDoAcerto(f.banco, id);
        ASSERT_EQ(linhas.size(), 1u);
        const auto& l = linhas[0];
        EXPECT_EQ(l.at("TP_REGISTRO").Texto(), "3");
        EXPECT_EQ(l.at("VL_OPERACAO").ComoDinheiro().Texto(), caso.valorGravado);
        EXPECT_EQ(l.at("VL_BASE_COMISSAO").ComoDinheiro().Texto(), caso.valorGravado);
        EXPECT_EQ(l.at("VL_COMISSAO").ComoDinheiro().Texto(), caso.comissao);
        EXPECT_TRUE(l.at("PO_COMISSAO").ComoDinheiro().Zero());
        EXPECT_EQ(l.at("ID_EMPRESA").Inteiro(), 3);
        EXPECT_EQ(l.at("ID_CLIENTE").Inteiro(), 3);
        EXPECT_EQ(l.at("ID_VENDEDOR").Inteiro(), id + 100);
        EXPECT_EQ(l.at("NM_CLIENTE").Texto(), "Acerto nº " + std::to_string(id));
        EXPECT_EQ(l.at("DT_EMISSAO").Data(), DataHora::De(2013, 2, 15));
        EXPECT_EQ(l.at("DT_CREDITO").Data(), DataHora::De(2013, 2, 15));
        EXPECT_EQ(l.at("ST_IRRF").Texto(), "S");
        for (const char* coluna : {"ID_NF_COMERCIO", "ID_FINANCEIRO", "DS_SERIE", "NO_DOCUMENTO", "ID_COMISSAO_GERADA"})
            EXPECT_TRUE(l.at(coluna).Nulo()) << coluna;
        const std::string flags = l.at("ST_RECEBIMENTO").Texto() + l.at("ST_ENTREGA").Texto() +
                                  l.at("ST_PAGAR").Texto() + l.at("ST_CANCELADA").Texto() +
                                  l.at("ST_BLOQUEIO_1").Texto() + l.at("ST_ESTORNO_1").Texto();
        EXPECT_EQ(flags, "SSSNNN");
        EXPECT_EQ(CalcularComissao(f.banco, id), "N");
    }
    EXPECT_TRUE(MovimentosDoAcerto(f.banco, 50).empty());
    EXPECT_TRUE(MovimentosDoAcerto(f.banco, 51).empty());
    EXPECT_TRUE(resultado.encontrou);
    EXPECT_FALSE(resultado.comissaoJaPaga);
}

TEST(Fase7, SemAcertoPendenteNadaEGravado)
{
    FaseTeste f;
    InserirAcerto(f.banco, 1, "'A'", "150.00", "'N'");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase7);

    EXPECT_FALSE(resultado.encontrou);
    EXPECT_FALSE(resultado.comissaoJaPaga);
    EXPECT_EQ(f.progresso.fases, std::vector<int>{7});
    EXPECT_EQ(f.banco.Escalar("select count(*) from mov_comissao").Inteiro(), 0);
}

// The old row goes before the new one is written, so a settlement
// recalculated on every run keeps exactly one row, with its current values.
// IBQ_Gen is bound to IBT_Gen, as phase 5 leaves it in a full run.
TEST(Fase7, AcertoRecalculadoFicaComUmaSoLinha)
{
    FaseTeste f;
    InserirAcerto(f.banco, 1, "'A'", "150.00");
    InserirMovimentoAcerto(f.banco, 5, 1, "null");

    const auto rodadaCompleta = [&] {
        f.Conectado([&] {
            f.sessao.ExecutarComando(f.sessao.IBQ_Gen, " update tab_parametro set hr_atualizar_comissao = 7", true);
            ContextoFase contexto = f.Contexto();
            ExecutarFase7(contexto);
        });
    };
    rodadaCompleta();
    auto linhas = MovimentosDoAcerto(f.banco, 1);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].at("VL_COMISSAO").ComoDinheiro().Texto(), "150.0000");

    f.banco.Executar("update mov_acerto_comissao set st_calc_comissao = 'S', tp_acerto = 'D', vl_acerto = 90");
    rodadaCompleta();
    linhas = MovimentosDoAcerto(f.banco, 1);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].at("VL_COMISSAO").ComoDinheiro().Texto(), "-90.0000");
    EXPECT_EQ(CalcularComissao(f.banco, 1), "N");
}

// A paid row freezes its settlement; the others of the run go on.
TEST(Fase7, AcertoComLinhaPagaFicaPendenteEIntacto)
{
    FaseTeste f;
    InserirAcerto(f.banco, 1, "'A'", "150.00");
    InserirMovimentoAcerto(f.banco, 5, 1, "99");
    InserirAcerto(f.banco, 2, "'D'", "30.00");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase7);

    const auto pagas = MovimentosDoAcerto(f.banco, 1);
    ASSERT_EQ(pagas.size(), 1u);
    EXPECT_EQ(pagas[0].at("ID_COMISSAO").Inteiro(), 5);
    EXPECT_EQ(pagas[0].at("VL_COMISSAO").ComoDinheiro().Texto(), "1.0000");
    EXPECT_EQ(CalcularComissao(f.banco, 1), "S");
    const auto novas = MovimentosDoAcerto(f.banco, 2);
    ASSERT_EQ(novas.size(), 1u);
    EXPECT_EQ(novas[0].at("ID_COMISSAO").Inteiro(), 6);
    EXPECT_EQ(novas[0].at("VL_COMISSAO").ComoDinheiro().Texto(), "-30.0000");
    EXPECT_EQ(CalcularComissao(f.banco, 2), "N");
    EXPECT_TRUE(resultado.comissaoJaPaga);
    EXPECT_TRUE(resultado.encontrou);
}

}  // namespace
