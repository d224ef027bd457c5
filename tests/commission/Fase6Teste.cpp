// Commissions on receipt: frozen receivables, invoices gone or returned, the
// share left for receipts, the installment and discount factors with freight,
// the bases by nature and the rounding, on a real database.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "commission/Fases.h"
#include "comum/Erros.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Fase.h"

// Everything of this file stays in the unnamed namespace. Fase5Teste has a
// CasoModo of its own: while both were global, the program held two classes
// of one name, the linker kept one inline destructor for both, and this
// file's case array was destroyed with the other's layout (an invalid free
// in Debug builds). The fault was ours, not the compiler's.
namespace {

using Linhas = std::vector<std::string>;

std::string Pendente(const BancoTeste& banco, int duplicata)
{
    return Mostrar(banco.Escalar("select st_calc_comissao from mov_financeiro where id_financeiro = " +
                                 std::to_string(duplicata)));
}

Linhas TipoDoisDaDuplicata(const BancoTeste& banco, int duplicata)
{
    return Movimentos(banco, "where tp_registro = '2' and id_financeiro = " + std::to_string(duplicata));
}

const SlotTeste kSlotNoRecebimento{"7", "5", "'N'", "0"};

// Base 1000, 5 %, 40 % credited on invoicing, installment 250 of 1000:
// K1 50, K2 30, factor 0.25, K3 = K4 = K5 = 7.5.
TEST(Fase6, ExemploTrabalhadoReconstroiAsLinhasDaDuplicata)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .base = "1000.00", .slots = {{"7", "5", "'S'", "40"}}});
    InserirDuplicata(f.banco, {.id = 1, .documento = "'NF1/1'"});
    InserirDuplicata(f.banco, {.id = 2, .documento = "'NF1/2'", .baixa = "'15.04.2013'"});
    InserirMovimento(f.banco, 39, "'2'", "1", "1");
    InserirMovimento(f.banco, 40, "'1'", "1");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    ColunasEsperadas comuns = ColunasDaNotaDoVendedor7();
    comuns.insert({
        {"TP_REGISTRO", "2"},
        {"DS_SERIE", "null"},
        {"VL_OPERACAO", "250"},
        {"VL_BASE_COMISSAO", "250"},
        {"PO_COMISSAO", "3"},
        {"VL_COMISSAO", "7.5"},
    });
    const std::map<int, ColunasEsperadas> proprios = {
        {1,
         {{"ID_FINANCEIRO", "1"},
          {"NO_DOCUMENTO", "NF1/1"},
          {"DT_CREDITO", "10/04/2013 00:00:00"},
          {"ST_RECEBIMENTO", "N"}}},
        {2,
         {{"ID_FINANCEIRO", "2"},
          {"NO_DOCUMENTO", "NF1/2"},
          {"DT_CREDITO", "15/04/2013 00:00:00"},
          {"ST_RECEBIMENTO", "S"}}},
    };
    for (const auto& [duplicata, colunas] : proprios) {
        SCOPED_TRACE(duplicata);
        const auto linhas = f.banco.Ler("select * from mov_comissao where tp_registro = '2' and id_financeiro = " +
                                        std::to_string(duplicata));
        ASSERT_EQ(linhas.size(), 1u);
        ConferirColunas(linhas[0], comuns);
        ConferirColunas(linhas[0], colunas);
        EXPECT_EQ(Pendente(f.banco, duplicata), "N");
    }
    EXPECT_EQ(Identificadores(f.banco, ""), (std::vector<int>{40, 41, 42}));
    EXPECT_FALSE(resultado.comissaoJaPaga);
    EXPECT_TRUE(resultado.encontrou);
    EXPECT_EQ(f.progresso.fases, std::vector<int>{6});
    EXPECT_EQ(f.progresso.maximoGauge, 2);
    EXPECT_EQ(f.progresso.posicaoGauge, 2);
    // Before each receivable and after each row.
    EXPECT_EQ(f.tela.pendentesProcessados, 4);
}

TEST(Fase6, DuplicataComComissaoPagaFicaCongelada)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .base = "1000.00", .slots = {kSlotNoRecebimento}});
    InserirDuplicata(f.banco, {.id = 1});
    InserirDuplicata(f.banco, {.id = 2});
    InserirMovimento(f.banco, 20, "'2'", "1", "1", "3");
    InserirMovimento(f.banco, 21, "'2'", "1", "1");

    const ResultadoFontes resultado = f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, "where id_financeiro = 1"), (std::vector<int>{20, 21}));
    EXPECT_EQ(Pendente(f.banco, 1), "S");
    EXPECT_TRUE(resultado.comissaoJaPaga);
    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 2), Linhas{"7 250 5 12.5"});
    EXPECT_EQ(Pendente(f.banco, 2), "N");
}

// Receivables 1 to 4 lose their old row, get none and are done; 5 to 8 are
// not selected and keep row and flag.
TEST(Fase6, NotaDevolvidaOuForaDaConsultaNaoGeraComissao)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNatureza(f.banco, 2, "0", "'N'");
    InserirNota(f.banco, {.id = 1, .devolvido = "'S'", .slots = {kSlotNoRecebimento}});
    InserirNota(f.banco, {.id = 2, .total = "0", .slots = {kSlotNoRecebimento}});
    InserirNota(f.banco, {.id = 3, .natureza = "2", .slots = {kSlotNoRecebimento}});
    InserirNota(f.banco, {.id = 4, .slots = {{"0", "5", "'N'", "0"}}});
    InserirNota(f.banco, {.id = 5, .situacao = "4", .slots = {kSlotNoRecebimento}});
    InserirNota(f.banco, {.id = 6, .slots = {kSlotNoRecebimento}});
    for (int id = 1; id <= 4; ++id)
        InserirDuplicata(f.banco, {.id = id, .nota = std::to_string(id)});
    InserirDuplicata(f.banco, {.id = 5, .nota = "5"});
    InserirDuplicata(f.banco, {.id = 6, .nota = "6", .calcular = "'N'"});
    InserirDuplicata(f.banco, {.id = 7, .nota = "6", .valor = "0"});
    InserirDuplicata(f.banco, {.id = 8, .nota = "null"});
    for (int id = 1; id <= 8; ++id)
        InserirMovimento(f.banco, 30 + id, "'2'", "null", std::to_string(id));

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, ""), (std::vector<int>{35, 36, 37, 38}));
    const char* const flags[] = {"N", "N", "N", "N", "S", "N", "S", "S"};
    for (int id = 1; id <= 8; ++id)
        EXPECT_EQ(Pendente(f.banco, id), flags[id - 1]) << id;
}

TEST(Fase6, SemDuplicataPendenteNadaMuda)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .slots = {kSlotNoRecebimento}});
    InserirDuplicata(f.banco, {.id = 1, .calcular = "null"});

    const ResultadoFontes resultado = f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(Identificadores(f.banco, ""), std::vector<int>{});
    EXPECT_FALSE(resultado.encontrou);
    EXPECT_FALSE(f.progresso.gaugeIniciado);
}

// Base 1000, 5 %, installment 250: receipts carry what invoicing did not.
TEST(Fase6, ParteDoRecebimentoPorVendedor)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1,
                          .base = "1000.00",
                          .slots = {{"11", "5", "'N'", "100"},
                                    {"12", "5", "'S'", "100"},
                                    {"13", "5", "'S'", "40"},
                                    {"14", "5", "'S'", "0"},
                                    {"15", "5", "null", "40"}}});
    InserirDuplicata(f.banco, {.id = 1});

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 1),
              (Linhas{"11 250 5 12.5", "13 250 3 7.5", "14 250 5 12.5", "15 250 5 12.5"}));
}

// Slots 2 to 5 take the invoice's commission as base with "C"; each row
// takes the next identifier.
TEST(Fase6, CincoVendedoresComBaseNaComissaoDaNota)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirMovimento(f.banco, 41, "'3'", "null");
    InserirNota(f.banco, {.id = 1,
                          .baseOutros = "'C'",
                          .slots = {{"21", "1", "'N'", "0"},
                                    {"22", "2", "'N'", "0"},
                                    {"23", "3", "'N'", "0"},
                                    {"24", "4", "'N'", "0"},
                                    {"25", "5", "'N'", "0"}}});
    InserirDuplicata(f.banco, {.id = 1, .valor = "1000.00"});

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 1),
              (Linhas{"21 900 1 9", "22 45 2 0.9", "23 45 3 1.35", "24 45 4 1.8", "25 45 5 2.25"}));
    EXPECT_EQ(Identificadores(f.banco, "where id_financeiro = 1"), (std::vector<int>{42, 43, 44, 45, 46}));
}

struct CasoParcela {
    const char* nome;
    int nota;
    const char* documento;
    const char* valor;
    const char* linha;
};

// Base 1000, 5 %: K2 50. Invoices of 1100 with freight 100, in the
// installments for invoice 1 only.
TEST(Fase6, FreteNasParcelas)
{
    const CasoParcela casos[] = {
        {"parcela_do_frete", 1, "'NF1/A'", "300.00", "7 200 5 10"},
        {"outra_parcela", 1, "'NF1/B'", "400.00", "7 400 5 20"},
        {"frete_fora_das_parcelas", 2, "'NF2/A'", "400.00", "7 363.64 5 18.18"},
    };
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    for (int nota = 1; nota <= 2; ++nota)
        InserirNota(f.banco, {.id = nota,
                              .total = "1100.00",
                              .frete = "100.00",
                              .freteNasParcelas = nota == 1 ? "'S'" : "'N'",
                              .base = "1000.00",
                              .slots = {kSlotNoRecebimento}});
    int id = 0;
    for (const CasoParcela& caso : casos) {
        ++id;
        InserirDuplicata(
            f.banco, {.id = id, .nota = std::to_string(caso.nota), .documento = caso.documento, .valor = caso.valor});
    }

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    id = 0;
    for (const CasoParcela& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(TipoDoisDaDuplicata(f.banco, ++id), Linhas{caso.linha});
    }
}

struct CasoDesconto {
    const char* nome;
    const char* produtos;
    const char* descontoNota;
    DuplicataTeste duplicata;
    const char* linha;
};

// Base 1000, 5 %, installment 250 of 1000: K3 12.5 before the discounts.
TEST(Fase6, FatorDeDesconto)
{
    const CasoDesconto casos[] = {
        {"reducoes_da_duplicata",
         "1000.00",
         "0",
         {.desconto = "10.00", .abatimento = "5.00", .outras = "10.00"},
         "7 225 5 11.25"},
        {"desconto_da_nota", "1000.00", "200.00", {.desconto = "20.00"}, "7 225 5 11.25"},
        {"sem_produtos", "0", "0", {.desconto = "10.00"}, "7 0 0 0"},
    };
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    int id = 0;
    for (const CasoDesconto& caso : casos) {
        ++id;
        InserirNota(f.banco, {.id = id,
                              .produtos = caso.produtos,
                              .desconto = caso.descontoNota,
                              .base = "1000.00",
                              .slots = {kSlotNoRecebimento}});
        DuplicataTeste duplicata = caso.duplicata;
        duplicata.id = id;
        duplicata.nota = std::to_string(id);
        InserirDuplicata(f.banco, duplicata);
    }

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    id = 0;
    for (const CasoDesconto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(TipoDoisDaDuplicata(f.banco, ++id), Linhas{caso.linha});
    }
}

struct CasoModo {
    const char* nome;
    const char* sugerir;
    Linhas linhas;
};

// Invoice base 900, commission 45, result 300, "C" for the other sellers;
// mode 6 items 2 × 120.00 less discount 10 plus services 5. Both slots earn
// 20 %, installment 250 of 1000.
TEST(Fase6, BasePelaNaturezaDaNota)
{
    const CasoModo casos[] = {
        {"nulo_conta_como_zero", "null", {"7 225 20 45", "8 11.25 20 2.25"}},
        {"modo_5_resultado", "5", {"7 75 20 15", "8 75 20 15"}},
        {"modo_6_itens", "6", {"7 58.75 20 11.75", "8 58.75 20 11.75"}},
        {"modo_7_sem_base", "7", {"7 0 0 0", "8 0 0 0"}},
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
                              .baseOutros = "'C'",
                              .slots = {{"7", "20", "'N'", "0"}, {"8", "20", "'N'", "0"}}});
        InserirItem(f.banco, {.id = id, .nota = id, .quantidade = "2", .unitario = "120.00", .total = "240.00"});
        InserirDuplicata(f.banco, {.id = id, .nota = std::to_string(id)});
    }

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    id = 0;
    for (const CasoModo& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(TipoDoisDaDuplicata(f.banco, ++id), caso.linhas);
    }
}

// Base 1000, 5 %, installment 250: 12.5 before the reduction, of which each
// installment carries its quarter.
TEST(Fase6, ReducaoNuncaDeixaComissaoNegativa)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .base = "1000.00", .slots = {kSlotNoRecebimento}});
    InserirItem(f.banco, {.id = 1, .nota = 1, .reducao = "50.00"});
    InserirNota(f.banco, {.id = 2, .base = "1000.00", .slots = {kSlotNoRecebimento}});
    InserirItem(f.banco, {.id = 2, .nota = 2, .quantidade = "2", .reducao = "-1.50"});
    InserirDuplicata(f.banco, {.id = 1, .nota = "1"});
    InserirDuplicata(f.banco, {.id = 2, .nota = "2"});
    InserirDuplicata(f.banco, {.id = 3, .nota = "2"});

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 1), Linhas{"7 250 0 0"});
    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 2), Linhas{"7 250 5.3 13.25"});
    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 3), Linhas{"7 250 5.3 13.25"});
}

// 0.50 × 6.25 % = 0.03125 and 0.50 × 18.75 % = 0.09375, exact halves: the
// commission keeps the even fourth decimal, which the percentage shows.
TEST(Fase6, MeioNaQuintaCasaArredondaParaOPar)
{
    FaseTeste f;
    InserirCadastros(f.banco);
    InserirNatureza(f.banco, 1, "0");
    InserirNota(f.banco, {.id = 1, .base = "0.50", .slots = {{"7", "6.25", "'N'", "0"}}});
    InserirNota(f.banco, {.id = 2, .base = "0.50", .slots = {{"7", "18.75", "'N'", "0"}}});
    InserirDuplicata(f.banco, {.id = 1, .nota = "1", .valor = "1000.00"});
    InserirDuplicata(f.banco, {.id = 2, .nota = "2", .valor = "1000.00"});

    f.Rodar(ExecutarFase6, kNenhumaNotaDeixada);

    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 1), Linhas{"7 0.5 6.24 0.03"});
    EXPECT_EQ(TipoDoisDaDuplicata(f.banco, 2), Linhas{"7 0.5 18.76 0.09"});
}

struct CasoDivisorZero {
    const char* nome;
    NotaTeste nota;
    DuplicataTeste duplicata;
};

// The receivable whose figures cannot be computed is left as it was: its old
// rows stay, it stays pending, and the phase goes on.
TEST(Fase6, DivisorZeroDeixaADuplicataComoEstava)
{
    const CasoDivisorZero casos[] = {
        {"total_igual_ao_frete",
         {.total = "100.00", .frete = "100.00", .freteNasParcelas = "'S'", .slots = {kSlotNoRecebimento}},
         {.documento = "'NF1/B'", .valor = "50.00"}},
        {"produtos_iguais_ao_desconto",
         {.produtos = "500.00", .desconto = "500.00", .slots = {kSlotNoRecebimento}},
         {}},
        {"parcela_do_frete_so_com_frete",
         {.total = "1100.00", .frete = "100.00", .freteNasParcelas = "'S'", .slots = {kSlotNoRecebimento}},
         {.documento = "'NF1/A'", .valor = "100.00"}},
    };
    for (const CasoDivisorZero& caso : casos) {
        SCOPED_TRACE(caso.nome);
        FaseTeste f;
        InserirCadastros(f.banco);
        InserirNatureza(f.banco, 1, "0");
        InserirNota(f.banco, caso.nota);
        InserirDuplicata(f.banco, caso.duplicata);
        InserirMovimento(f.banco, 1, "'2'", "1", "1");

        EXPECT_NO_THROW(f.Rodar(ExecutarFase6, kNenhumaNotaDeixada));

        EXPECT_EQ(Identificadores(f.banco, ""), std::vector<int>{1});
        EXPECT_EQ(Pendente(f.banco, 1), "S");
    }
}

}  // namespace
