// A run that meets a record it cannot compute or a statement that fails:
// the sources done stay done, the one that failed is left as it was, the
// operator is told, and the next run finds everything where it should be.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ArquivoTrava.h"
#include "tests/commission/CenarioNota.h"
#include "tests/fixtures/Modelo.h"

namespace {

const SlotTeste kSlotNoRecebimento{"7", "5", "'N'", "0"};

// A failure that the database raises from a trigger while falha_injetada
// holds 'S', and no more once the test switches it off.
void InjetarFalha(const BancoTeste& banco, const std::string& tabela, const std::string& evento,
                  const std::string& condicao)
{
    banco.Executar("create table falha_injetada (ativa char(1))");
    banco.Executar("insert into falha_injetada values ('S')");
    banco.Executar("create exception e_falha_injetada 'falha injetada'");
    banco.Executar("create trigger t_falha_injetada for " + tabela + " " + evento +
                   " as begin if ((select ativa from falha_injetada) = 'S' and " + condicao +
                   ") then exception e_falha_injetada; end");
}

void DesligarFalha(const BancoTeste& banco)
{
    banco.Executar("update falha_injetada set ativa = 'N'");
}

void Rodar(ModeloTeste& m)
{
    m.tela.mensagens.clear();
    m.modelo.edtHoraAtualizacao.Text = "7";
    m.modelo.BitBtn2Click();
}

std::int64_t Contar(const BancoTeste& banco, const std::string& sql)
{
    return banco.Escalar("select count(*) from " + sql).Inteiro();
}

bool Mostrou(const ModeloTeste& m, const MensagemGravada& esperada)
{
    for (const MensagemGravada& mensagem : m.tela.mensagens)
        if (mensagem == esperada)
            return true;
    return false;
}

}  // namespace

// Products equal to the discount make the receivable's share 0/0. The two
// receivables around it get their rows; it keeps its old row, stays pending,
// is named in the run's one warning, and the next run tries it again.
TEST(FalhasRodada, FonteQueNaoSeCalculaFicaComoEstavaEEAvisada)
{
    ModeloTeste m;
    InserirCadastros(m.banco);
    InserirNatureza(m.banco, 1, "0");
    for (int nota = 1; nota <= 3; ++nota) {
        // Already computed: phases 1 and 5 leave the invoices as they are.
        NotaTeste dados{.id = nota, .calcular = "'N'", .slots = {kSlotNoRecebimento}};
        if (nota == 2)
            dados.produtos = dados.desconto = "500.00";
        InserirNota(m.banco, dados);
        InserirDuplicata(m.banco,
                         {.id = nota, .nota = std::to_string(nota), .documento = "'NF" + std::to_string(nota) + "/1'"});
    }
    InserirMovimento(m.banco, 50, "'2'", "2", "2");
    m.modelo.Timer1.Enabled = m.modelo.Timer2.Enabled = true;
    const MensagemGravada aviso{
        "Algumas Duplicatas não tiveram a comissão calculada: Duplicata NF2/1 (divisão por zero).", "Aviso do Sistema",
        Icone::Aviso};

    for (int rodada = 1; rodada <= 2; ++rodada) {
        SCOPED_TRACE(rodada);
        Rodar(m);
        EXPECT_TRUE(Mostrou(m, aviso));
        EXPECT_EQ(Identificadores(m.banco, "where id_financeiro = 2"), std::vector<int>{50});
        EXPECT_EQ(Contar(m.banco, "mov_financeiro where st_calc_comissao = 'S'"), 1);
        EXPECT_EQ(Contar(m.banco, "mov_comissao where tp_registro = '2' and id_financeiro in (1, 3)"), 2);
        EXPECT_TRUE(m.modelo.Timer1.Enabled);
        EXPECT_TRUE(m.modelo.Timer2.Enabled);
    }
}

// Four pending invoices: 1 and 4 ordinary (mode 0, one item of 1000.00);
// 2 of mode 6 without items, which phase 1 cannot share, with an old 3.00
// and an old row; 3 whose items are all worth 0, so that phase 1's value
// statement divides by zero in the database. Phase 1 leaves 2 and 3, and
// phase 5 must not take them either: they keep their flag and old rows and
// are named on every run, while 1 and 4 get their rows.
TEST(FalhasRodada, NotaQueAFase1DeixaFicaPendenteEmTodaRodada)
{
    ModeloTeste m;
    InserirCadastros(m.banco);
    InserirNatureza(m.banco, 1, "0");
    InserirNatureza(m.banco, 6, "6");
    const SlotTeste faturamento{"7", "5", "'S'", "100"};
    for (int nota = 1; nota <= 4; ++nota) {
        NotaTeste dados{.id = nota, .base = "null", .comissao = "null", .slots = {faturamento}};
        if (nota == 2) {
            dados.natureza = "6";
            dados.slots[0].percentual = "3";
        }
        InserirNota(m.banco, dados);
        if (nota != 2)
            InserirItem(m.banco, {.id = nota,
                                  .nota = nota,
                                  .unitario = nota == 3 ? "0" : "1000",
                                  .total = nota == 3 ? "0" : "1000",
                                  .percentual = "5"});
    }
    InserirMovimento(m.banco, 50, "'1'", "2");

    for (int rodada = 1; rodada <= 2; ++rodada) {
        SCOPED_TRACE(rodada);
        Rodar(m);
        ASSERT_FALSE(m.tela.mensagens.empty());
        const std::string& aviso = m.tela.mensagens.front().texto;
        EXPECT_EQ(aviso.rfind("Algumas NFs de venda não tiveram a comissão calculada: NF NF2 (", 0), 0u) << aviso;
        EXPECT_NE(aviso.find(", NF NF3 (arithmetic exception"), std::string::npos) << aviso;
        EXPECT_EQ(Contar(m.banco, "mov_nf_comercio where st_calc_comissao = 'S'"), 2);
        EXPECT_EQ(Contar(m.banco, "mov_nf_comercio where st_calc_comissao = 'S' and id_nf_comercio in (2, 3)"), 2);
        EXPECT_EQ(Movimentos(m.banco, "where id_nf_comercio = 2"), std::vector<std::string>{"99 null null 1"});
        EXPECT_EQ(Contar(m.banco, "mov_comissao where id_nf_comercio = 3"), 0);
        // Its base statement had run: the source went back to its savepoint.
        EXPECT_TRUE(m.banco.Escalar("select vl_base_comissao from mov_nf_comercio where id_nf_comercio = 3").Nulo());
        EXPECT_EQ(Movimentos(m.banco, "where id_nf_comercio in (1, 4)"),
                  (std::vector<std::string>{"7 1000 5 50", "7 1000 5 50"}));
        EXPECT_TRUE(m.modelo.Timer1.Enabled);
    }
}

// Phase 3 writes a reversal and then flags its movement. The flag of the
// second movement fails: its settlement goes with it, the first stays, the
// error is told, and after a clean run every movement has one reversal.
TEST(FalhasRodada, AcertoEMarcaDoMovimentoSaoGravadosJuntos)
{
    ModeloTeste m;
    m.banco.Executar("insert into tab_nat_operacao (id_nat_operacao, st_verifica_fase) values (1, 'S')");
    m.banco.Executar(
        "insert into mov_nf_comercio (id_nf_comercio, dt_emissao, id_nat_operacao)"
        " values (1, current_date - 60, 1)");
    for (const char* id : {"1", "2"})
        m.banco.Executar(std::string("insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio,"
                                     " id_empresa, id_vendedor, no_documento, vl_comissao, dt_credito,"
                                     " st_bloqueio_1, st_estorno_1) values (") +
                         id + ", '1', 1, 1, 7, '123', 16.00, '10.03.2013', 'N', 'N')");
    InjetarFalha(m.banco, "mov_comissao", "before update",
                 "new.id_comissao = 2 and new.st_estorno_1 = 'S' and old.st_estorno_1 = 'N'");

    Rodar(m);
    ASSERT_FALSE(m.tela.mensagens.empty());
    EXPECT_NE(m.tela.mensagens[0].texto.find("falha injetada"), std::string::npos) << m.tela.mensagens[0].texto;
    EXPECT_EQ(m.tela.mensagens[0].icone, Icone::Erro);
    EXPECT_EQ(Contar(m.banco, "mov_acerto_comissao"), 1);
    EXPECT_EQ(Contar(m.banco, "mov_comissao where st_estorno_1 = 'S'"), 1);

    DesligarFalha(m.banco);
    Rodar(m);
    Rodar(m);
    EXPECT_EQ(Contar(m.banco, "mov_acerto_comissao where tp_acerto = 'D'"), 2);
    EXPECT_EQ(Contar(m.banco, "mov_comissao where st_estorno_1 = 'S'"), 2);
}

// A commission row whose insert failed must not stay buffered: the resident
// monitor's next run writes the settlement's row once, with no stale row
// failing ahead of it.
TEST(FalhasRodada, MonitorQueFalhouUmaVezRodaLimpoEmSeguida)
{
    ModeloTeste m;
    m.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao)"
        " values (1, '20.03.2013', 7, 10, 'A', 'N', 'Acerto', 1, 'S')");
    InjetarFalha(m.banco, "mov_comissao", "before insert", "1 = 1");

    Rodar(m);
    EXPECT_EQ(Contar(m.banco, "mov_comissao"), 0);
    EXPECT_EQ(Contar(m.banco, "mov_acerto_comissao where st_calc_comissao = 'S'"), 1);
    EXPECT_TRUE(m.modelo.Timer1.Enabled);

    DesligarFalha(m.banco);
    Rodar(m);
    ASSERT_FALSE(m.tela.mensagens.empty());
    EXPECT_EQ(m.tela.mensagens.back().texto, "Processamento concluído com sucesso!");
    EXPECT_EQ(Contar(m.banco, "mov_comissao where tp_registro = '3' and id_acerto_comissao = 1"), 1);
    EXPECT_EQ(Contar(m.banco, "mov_acerto_comissao where st_calc_comissao = 'S'"), 0);
}

// A resident start that fails after writing its lock removes it, so the next
// start is not refused as a duplicate, and ends with the code of a start
// that could not complete.
TEST(FalhasRodada, PartidaQueFalhaApagaATravaQueCriou)
{
    ModeloTeste m;
    m.instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    m.instalacao.ApontarBanco(m.instalacao.Raiz() + "/nao-existe.fdb");
    const std::string dados = m.instalacao.PastaDados() + "/";

    m.modelo.FormCreate();

    EXPECT_FALSE(ExisteArquivoTrava(m.instalacao.Programa(), dados));
    EXPECT_EQ(m.modelo.CodigoSaida(), 2);
    EXPECT_EQ(m.tela.pedidosEncerrar, 1);
    ASSERT_FALSE(m.tela.mensagens.empty());
    EXPECT_EQ(m.tela.mensagens.back().icone, Icone::Erro);
}
