// Commissions on invoicing: the consistency check with its log row, frozen
// invoices, the slots' skip rules, the bases by nature and the rounding of
// the commission, on a real database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commission/Fases.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

namespace {

using Linhas = std::vector<std::string>;

std::string Coluna(const BancoTeste& banco, const std::string& coluna, int nota)
{
    return Mostrar(
        banco.Escalar("select " + coluna + " from mov_nf_comercio where id_nf_comercio = " + std::to_string(nota)));
}

Linhas TipoUmDaNota(const BancoTeste& banco, int nota)
{
    return Movimentos(banco, "where tp_registro = '1' and id_nf_comercio = " + std::to_string(nota));
}

const SlotTeste kSlotIntegral{"7", "5", "'S'", "100"};

// Base 900, 5 %, 40 % credited, reduction 2: K1 45, K2 18, less the credited
// 40 % of the reduction: 17.20.
TEST(Fase5, ExemploTrabalhadoReconstroiAsLinhasDaNota)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .slots = {{"7", "5", "'S'", "40"}, {"9", "1", "'N'", "0"}}});
    InserirItem(f.banco, {.id = 1, .nota = 1, .unitario = "1000.00", .total = "1000.00", .reducao = "2.00"});
    InserirMovimento(f.banco, 40, "'2'", "1", "5");
    InserirMovimento(f.banco, 41, "'1'", "1");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    const auto linhas = f.banco.Ler("select * from mov_comissao where id_comissao <> 40");
    ASSERT_EQ(linhas.size(), 1u);
    ColunasEsperadas esperado = ColunasDaNotaDoVendedor7();
    esperado.insert({
        {"ID_COMISSAO", "41"},
        {"TP_REGISTRO", "1"},
        {"ID_FINANCEIRO", "null"},
        {"DS_SERIE", "1"},
        {"NO_DOCUMENTO", "NF1"},
        {"VL_OPERACAO", "1000"},
        {"VL_BASE_COMISSAO", "900"},
        {"PO_COMISSAO", "1.91"},
        {"VL_COMISSAO", "17.2"},
        {"DT_CREDITO", "01/03/2013 00:00:00"},
        {"ST_RECEBIMENTO", "S"},
    });
    ASSERT_EQ(linhas[0].size(), esperado.size());
    ConferirColunas(linhas[0], esperado);

    EXPECT_EQ(Movimentos(f.banco, "where id_comissao = 40"), Linhas{"99 null null 1"});
    EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", 1), "N");
    EXPECT_FALSE(resultado.comissaoJaPaga);
    EXPECT_TRUE(resultado.encontrou);
    EXPECT_EQ(f.progresso.fases, std::vector<int>{5});
    EXPECT_EQ(f.progresso.maximoGauge, 1);
    EXPECT_EQ(f.progresso.posicaoGauge, 1);
    // Before the invoice and after its row.
    EXPECT_EQ(f.tela.pendentesProcessados, 2);
}

TEST(Fase5, SemNotaPendenteNadaMuda)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .calcular = "'N'", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 2, .calcular = "null", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 3, .total = "0", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 4, .situacao = "4", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 5, .situacao = "6", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 6, .natureza = "99", .slots = {kSlotIntegral}});
    for (int nota = 1; nota <= 6; ++nota)
        InserirMovimento(f.banco, nota, "'1'", std::to_string(nota));

    const ResultadoFontes resultado = f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, ""), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    for (int nota = 2; nota <= 6; ++nota)
        EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", nota), nota == 2 ? "null" : "S") << nota;
    EXPECT_FALSE(resultado.encontrou);
    EXPECT_FALSE(f.progresso.gaugeIniciado);
}

struct CasoConsistencia {
    const char* nome;
    int nota;
    const char* estado;
    int logs;
    Linhas tipoUm;
};

// Inconsistent invoices keep their old rows; a NULL sum on either side passes.
TEST(Fase5, VerificacaoDeConsistenciaRetiraNotaERegistraLog)
{
    FaseTeste f(DataHora::De(2013, 3, 25, 14, 5, 9));
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .slots = {kSlotIntegral}});
    InserirItem(f.banco, {.id = 1, .nota = 1, .total = "999.99"});
    InserirMovimento(f.banco, 10, "'1'", "1");

    InserirNota(f.banco, {.id = 2, .financeiro = "1000.00", .slots = {kSlotIntegral}});
    InserirItem(f.banco, {.id = 2, .nota = 2, .total = "1000.00"});
    InserirDuplicata(f.banco, {.id = 1, .nota = "2", .valor = "600.00", .calcular = "'N'"});
    InserirDuplicata(f.banco, {.id = 2, .nota = "2", .valor = "300.00", .calcular = "'N'"});

    InserirNota(f.banco, {.id = 3, .financeiro = "1000.00", .slots = {kSlotIntegral}});

    InserirNota(f.banco, {.id = 4, .produtos = "null", .slots = {kSlotIntegral}});
    InserirItem(f.banco, {.id = 3, .nota = 4, .total = "500.00"});
    InserirDuplicata(f.banco, {.id = 3, .nota = "4", .valor = "100.00", .calcular = "'N'"});

    InserirNota(f.banco, {.id = 5, .slots = {kSlotIntegral}});
    InserirItem(f.banco, {.id = 4, .nota = 5, .total = "999.99"});
    InserirMovimento(f.banco, 11, "'1'", "5", "null", "7");

    InserirNota(f.banco, {.id = 6, .financeiro = "1000.00", .situacao = "5", .slots = {kSlotIntegral}});
    InserirItem(f.banco, {.id = 5, .nota = 6, .total = "600.00"});
    InserirItem(f.banco, {.id = 6, .nota = 6, .total = "400.00"});
    InserirDuplicata(f.banco, {.id = 4, .nota = "6", .valor = "500.00", .calcular = "'N'"});
    InserirDuplicata(f.banco, {.id = 5, .nota = "6", .valor = "500.00", .calcular = "'N'"});

    const ResultadoFontes resultado = f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    const CasoConsistencia casos[] = {
        {"produtos_diferem_dos_itens", 1, "6", 1, {"99 null null 1"}},
        {"financeiro_difere_das_duplicatas", 2, "6", 1, {}},
        {"sem_itens_nem_duplicatas", 3, "3", 0, {"7 900 5 45"}},
        {"total_de_produtos_nulo", 4, "3", 0, {"7 900 5 45"}},
        {"inconsistente_mesmo_ja_paga", 5, "6", 1, {"99 null null 1"}},
        {"somas_iguais", 6, "5", 0, {"7 900 5 45"}},
    };
    for (const CasoConsistencia& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(Coluna(f.banco, "id_st_nf", caso.nota), caso.estado);
        EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", caso.nota), "N");
        EXPECT_EQ(f.banco
                      .Escalar("select count(*) from mov_log_controle where id_log_evento = 18 and dh_log_evento ="
                               " '25.03.2013 14:05:09' and id_log_usuario = -1 and ds_log_observacao ="
                               " 'Cálculo de Comissão' and id_log_registro = " +
                               std::to_string(caso.nota))
                      .Inteiro(),
                  caso.logs);
        EXPECT_EQ(TipoUmDaNota(f.banco, caso.nota), caso.tipoUm);
    }
    EXPECT_EQ(f.banco.Escalar("select count(*) from mov_log_controle").Inteiro(), 3);
    EXPECT_FALSE(resultado.comissaoJaPaga);
}

TEST(Fase5, NotaComComissaoPagaFicaCongelada)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .slots = {kSlotIntegral}});
    InserirMovimento(f.banco, 20, "'1'", "1", "null", "3");
    InserirMovimento(f.banco, 21, "'1'", "1");
    InserirNota(f.banco, {.id = 2, .slots = {kSlotIntegral}});

    const ResultadoFontes resultado = f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, "where id_nf_comercio = 1"), (std::vector<int>{20, 21}));
    EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", 1), "S");
    EXPECT_TRUE(resultado.comissaoJaPaga);
    EXPECT_EQ(TipoUmDaNota(f.banco, 2), Linhas{"7 900 5 45"});
    EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", 2), "N");
}

// Every one of these loses its old type "1" row, gets none and is done.
TEST(Fase5, NotaSemVendedorAptoPerdeAsLinhas)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNatureza(f.banco, 2, "0", "'N'");
    InserirNatureza(f.banco, 3, "0", "null");
    InserirNota(f.banco, {.id = 1, .devolvido = "'S'", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 2, .natureza = "2", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 3, .natureza = "3", .slots = {kSlotIntegral}});
    InserirNota(f.banco, {.id = 4, .slots = {{"0", "5", "'S'", "100"}, {"null", "5", "'S'", "100"}}});
    InserirNota(f.banco, {.id = 5, .slots = {{"7", "5", "'N'", "100"}}});
    for (int nota = 1; nota <= 5; ++nota)
        InserirMovimento(f.banco, nota, "'1'", std::to_string(nota));

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, ""), std::vector<int>{});
    for (int nota = 1; nota <= 5; ++nota)
        EXPECT_EQ(Coluna(f.banco, "st_calc_comissao", nota), "N") << nota;
}

// Base 900, 5 %: credited on invoicing only with "S", in the credited share.
TEST(Fase5, CreditoNoFaturamentoPorVendedor)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1,
                          .slots = {{"11", "5", "'N'", "100"},
                                    {"12", "5", "'S'", "100"},
                                    {"13", "5", "'S'", "40"},
                                    {"14", "5", "'S'", "0"},
                                    {"15", "5", "null", "100"}}});

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoUmDaNota(f.banco, 1), (Linhas{"12 900 5 45", "13 900 2 18", "14 900 0 0"}));
}

// Slots 2 to 5 take the invoice's commission as base with "C"; each row
// takes the next identifier.
TEST(Fase5, CincoVendedoresComBaseNaComissaoDaNota)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirMovimento(f.banco, 41, "'3'", "null");
    InserirNota(f.banco, {.id = 1,
                          .baseOutros = "'C'",
                          .slots = {{"21", "1", "'S'", "100"},
                                    {"22", "2", "'S'", "100"},
                                    {"23", "3", "'S'", "100"},
                                    {"24", "4", "'S'", "100"},
                                    {"25", "5", "'S'", "100"}}});

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoUmDaNota(f.banco, 1),
              (Linhas{"21 900 1 9", "22 45 2 0.9", "23 45 3 1.35", "24 45 4 1.8", "25 45 5 2.25"}));
    EXPECT_EQ(Identificadores(f.banco, "where id_nf_comercio = 1"), (std::vector<int>{42, 43, 44, 45, 46}));
}

struct CasoModo {
    const char* nome;
    const char* sugerir;
    const char* baseOutros;
    Linhas linhas;
};

// Invoice base 900, commission 45, result 300; mode 6 items 2 × 120.00 less
// discount 10 plus services 5. Both slots earn 10 %.
TEST(Fase5, BasePelaNaturezaDaNota)
{
    const CasoModo casos[] = {
        {"nulo_conta_como_zero", "null", "'C'", {"7 900 10 90", "8 45 10 4.5"}},
        {"modo_4_base_propria", "4", "'P'", {"7 900 10 90", "8 900 10 90"}},
        {"modo_5_resultado", "5", "'C'", {"7 300 10 30", "8 300 10 30"}},
        {"modo_6_itens", "6", "'C'", {"7 235 10 23.5", "8 235 10 23.5"}},
        {"modo_7_sem_base", "7", "'P'", {"7 null 0 0", "8 null 0 0"}},
        {"modo_negativo_sem_base", "-1", "'P'", {"7 null 0 0", "8 null 0 0"}},
    };
    FaseTeste f;
    InserirCadastros(f.banco);
    int id = 0;
    for (const CasoModo& caso : casos) {
        ++id;
        InserirNatureza(f.banco, id, caso.sugerir);
        InserirNota(f.banco, {.id = id,
                              .produtos = "240.00",
                              .desconto = "10.00",
                              .servico = "5.00",
                              .natureza = std::to_string(id),
                              .baseOutros = caso.baseOutros,
                              .slots = {{"7", "10", "'S'", "100"}, {"8", "10", "'S'", "100"}}});
        InserirItem(f.banco, {.id = id, .nota = id, .quantidade = "2", .unitario = "120.00", .total = "240.00"});
    }

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    id = 0;
    for (const CasoModo& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(TipoUmDaNota(f.banco, ++id), caso.linhas);
    }
}

struct CasoReducao {
    const char* nome;
    const char* sugerir;
    const char* quantidade;
    const char* reducaoUnitaria;
    const char* linha;
};

// Base 900, 5 %, all credited: 45 before the reduction.
TEST(Fase5, ReducaoNuncaDeixaComissaoNegativa)
{
    const CasoReducao casos[] = {
        {"maior_que_a_comissao", "0", "1", "50.00", "7 900 0 0"},
        {"igual_a_comissao", "0", "3", "15.00", "7 900 0 0"},
        {"negativa_aumenta", "0", "2", "-1.50", "7 900 5.33 48"},
        {"negativa_sem_base", "7", "2", "-1.50", "7 null 0 3"},
    };
    FaseTeste f;
    InserirCadastros(f.banco);
    int id = 0;
    for (const CasoReducao& caso : casos) {
        ++id;
        InserirNatureza(f.banco, id, caso.sugerir);
        InserirNota(f.banco, {.id = id, .natureza = std::to_string(id), .slots = {kSlotIntegral}});
        InserirItem(
            f.banco,
            {.id = id, .nota = id, .quantidade = caso.quantidade, .total = "1000.00", .reducao = caso.reducaoUnitaria});
    }

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    id = 0;
    for (const CasoReducao& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(TipoUmDaNota(f.banco, ++id), Linhas{caso.linha});
    }
}

// 0.50 × 6.25 % = 0.03125 and 0.50 × 18.75 % = 0.09375, exact halves: the
// commission keeps the even fourth decimal, which the percentage shows.
TEST(Fase5, MeioNaQuintaCasaArredondaParaOPar)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .base = "0.50", .slots = {{"7", "6.25", "'S'", "100"}}});
    InserirNota(f.banco, {.id = 2, .base = "0.50", .slots = {{"7", "18.75", "'S'", "100"}}});

    f.Rodar(ExecutarFase5, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoUmDaNota(f.banco, 1), Linhas{"7 0.5 6.24 0.03"});
    EXPECT_EQ(TipoUmDaNota(f.banco, 2), Linhas{"7 0.5 18.76 0.09"});
}

}  // namespace
