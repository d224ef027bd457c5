// The run as the timer and the button start it: the due test, the closing
// statements, the warnings and messages, the failure handling and the guard
// against a second run started from inside a run.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "db/firebird/ErroBanco.h"
#include "tests/fixtures/Modelo.h"

namespace {

const char* const kSemRodada = "00/00/0000 00:00";

class Recalculo : public ::testing::Test {
protected:
    Recalculo() { LigarTemporizadores(); }

    void LigarTemporizadores()
    {
        janela.Timer1.Enabled = true;
        janela.Timer2.Enabled = true;
    }

    std::string Parametro(const std::string& coluna) const
    {
        return m.banco.Escalar("select " + coluna + " from tab_parametro").Texto();
    }

    ModeloTeste m;
    TfrmPrincipal& janela = m.modelo;
};

TEST_F(Recalculo, TesteDeHoraDoTemporizador)
{
    struct Caso {
        const char* nome;
        const char* hora;
        int horaRelogio, minutoRelogio;
        const char* ultimoInicio;
        bool roda;
    };
    const Caso casos[] = {
        {"sete_e_cinco", "7", 7, 5, kSemRodada, true},
        {"zero_a_esquerda", "07", 7, 5, kSemRodada, true},
        {"mesma_hora_mais_tarde", "7", 7, 55, "25/03/2013 07:05:00", true},
        {"outra_hora", "7", 8, 45, "25/03/2013 07:55:00", false},
        {"inicio_nao_anterior", "7", 7, 5, "25/03/2013 07:05:00", false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        janela.edtHoraAtualizacao.Text = caso.hora;
        janela.lblInicioAtualizacao.Caption = caso.ultimoInicio;
        m.relogio.Definir(DataHora::De(2013, 3, 25, caso.horaRelogio, caso.minutoRelogio));
        janela.Timer1Timer();
        const std::string esperado = caso.roda ? m.relogio.Agora().FormatoTela() : std::string(caso.ultimoInicio);
        EXPECT_EQ(janela.lblInicioAtualizacao.Caption, esperado);
        EXPECT_EQ(janela.Sessao.IBD_BancoDados, nullptr);
        EXPECT_TRUE(janela.Timer1.Enabled);
    }
    EXPECT_TRUE(m.tela.mensagens.empty());
}

// A failed tick is told and leaves both timers running: the disconnect
// request is still obeyed and the next tick tries again.
TEST_F(Recalculo, HoraVaziaAvisaEMantemOsTemporizadores)
{
    janela.edtHoraAtualizacao.Text = "";
    janela.Timer1Timer();
    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0].titulo, "Aviso do Sistema");
    EXPECT_EQ(m.tela.mensagens[0].icone, Icone::Erro);
    EXPECT_TRUE(janela.Timer1.Enabled);
    EXPECT_TRUE(janela.Timer2.Enabled);
    EXPECT_EQ(janela.lblInicioAtualizacao.Caption, kSemRodada);

    janela.edtHoraAtualizacao.Text = "9";
    janela.BitBtn2Click();
    EXPECT_TRUE(janela.Timer1.Enabled);
    EXPECT_TRUE(janela.Timer2.Enabled);
    EXPECT_NE(janela.lblInicioAtualizacao.Caption, kSemRodada);
}

TEST_F(Recalculo, BotaoRodaEmQualquerHoraEFechaComSeusComandos)
{
    m.relogio.Definir(DataHora::De(2013, 3, 25, 15, 30, 12));
    janela.edtHoraAtualizacao.Text = "07";
    m.banco.Executar("update tab_parametro set ST_MONITOR_COMISSAO_ATIVO = 'S', hr_atualizar_comissao = 3");
    // A zero commission row left by another program goes too; one without a
    // value stays.
    m.banco.Executar("insert into mov_comissao (id_comissao, tp_registro, vl_comissao) values (900, '1', 0)");
    m.banco.Executar("insert into mov_comissao (id_comissao, tp_registro, vl_comissao) values (901, '1', 5)");
    m.banco.Executar("insert into mov_comissao (id_comissao, tp_registro) values (902, '1')");

    janela.BitBtn2Click();

    EXPECT_EQ(Parametro("hr_atualizar_comissao"), "7");
    EXPECT_EQ(Parametro("ST_MONITOR_COMISSAO_ATIVO"), "N");
    const auto restantes = m.banco.Ler("select id_comissao from mov_comissao order by 1");
    ASSERT_EQ(restantes.size(), 2u);
    EXPECT_EQ(restantes[0].at("ID_COMISSAO").Inteiro(), 901);
    EXPECT_EQ(restantes[1].at("ID_COMISSAO").Inteiro(), 902);
    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0],
              (MensagemGravada{"Nenhum registro encontrado para atualização.", "Aviso do Sistema", Icone::Aviso}));
    EXPECT_EQ(janela.lblInicioAtualizacao.Caption, "25/03/2013 15:30:12");
    EXPECT_EQ(janela.lblUltimaAtualizacao.Caption, "25/03/2013 15:30:12");
    EXPECT_FALSE(janela.lblAguarde.Visible);
    EXPECT_FALSE(janela.Gauge1.Visible);
    EXPECT_EQ(janela.Gauge1.Progress, 0);
    EXPECT_FALSE(janela.bMensagemClickBotao);
    EXPECT_EQ(janela.Timer1.Reinicios, 1);
}

// Each phase's caption is shown while it works, and the log has its number.
// Phase 4 shows none without a movement to pay back.
TEST_F(Recalculo, CadaFaseMostraSuaLegendaERegistraSeuNumero)
{
    janela.edtHoraAtualizacao.Text = "7";
    std::vector<std::string> legendas;
    m.tela.aoProcessarPendentes = [&] {
        if (legendas.empty() || legendas.back() != janela.lblAguarde.Caption)
            legendas.push_back(janela.lblAguarde.Caption);
    };

    janela.BitBtn2Click();

    EXPECT_EQ(legendas, (std::vector<std::string>{"Fase 1/9", "Fase 2/9", "Fase 3/9", "Fase 5/9", "Fase 6/9",
                                                  "Fase 7/9", "Fase 8/9", "Fase 9/9"}));
    std::vector<std::string> registradas;
    for (const std::string& linha : m.tela.registros)
        if (const auto evento = linha.find(" inicio_fase "); evento != std::string::npos)
            registradas.push_back(linha.substr(evento + 1));
    EXPECT_EQ(registradas,
              (std::vector<std::string>{"inicio_fase numero=1", "inicio_fase numero=2", "inicio_fase numero=3",
                                        "inicio_fase numero=5", "inicio_fase numero=6", "inicio_fase numero=7",
                                        "inicio_fase numero=8", "inicio_fase numero=9"}));
}

TEST_F(Recalculo, AvisosEmOrdemEDepoisAMensagemDeSucesso)
{
    janela.edtHoraAtualizacao.Text = "7";
    // One frozen source of each kind: a paid commission row keeps it pending.
    m.banco.ExecutarScript(TELMORA_FIXTURES_DIR "/fontes-congeladas.sql");

    janela.BitBtn2Click();

    const std::vector<MensagemGravada> esperadas = {
        {"Algumas NFs de venda não tiveram a comissão atualizada pois já foram gerados pagamentos de comissão.",
         "Aviso do Sistema", Icone::Aviso},
        {"Algumas Duplicatas não tiveram a comissão atualizada pois já foram gerados pagamentos de comissão.",
         "Aviso do Sistema", Icone::Aviso},
        {"Alguns Acertos de Comissão não tiveram a comissão atualizada pois já foram gerados pagamentos de "
         "comissão.",
         "Aviso do Sistema", Icone::Aviso},
        {"Processamento concluído com sucesso!", "Aviso do Sistema", Icone::Informacao},
    };
    EXPECT_EQ(m.tela.mensagens, esperadas);
    // The log names each frozen source.
    std::vector<std::string> separadas;
    for (const std::string& linha : m.tela.registros)
        if (const auto evento = linha.find(" warning separada "); evento != std::string::npos)
            separadas.push_back(linha.substr(evento + 1));
    ASSERT_EQ(separadas.size(), 3u);
    EXPECT_EQ(separadas[0], "warning separada fonte=\"NF 10\" motivo=\"comissão já paga\"");
}

TEST_F(Recalculo, RodadaAgendadaNaoMostraMensagemDeConclusao)
{
    m.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto, "
        "tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao) "
        "values (1, '2013-03-20', 7, 10, 'A', 'N', 'ACERTO', 1, 'S')");
    janela.edtHoraAtualizacao.Text = "7";
    janela.Timer1Timer();
    EXPECT_TRUE(m.tela.mensagens.empty());
    EXPECT_EQ(m.banco.Escalar("select st_calc_comissao from mov_acerto_comissao").Texto(), "N");

    janela.BitBtn2Click();
    EXPECT_EQ(m.tela.mensagens.back().texto, "Nenhum registro encontrado para atualização.");
}

// Every failure is told. A lost connection ends the resident monitor in
// order, with code 1, once the flag is written (when the link still allows)
// and the connection released; any other error leaves it running with both
// timers on.
TEST_F(Recalculo, FalhaNoMeioDaRodada)
{
    struct Caso {
        const char* texto;
        TipoErroBanco tipo;
        bool encerra;
    };
    const Caso casos[] = {
        {"Error reading data from the connection.", TipoErroBanco::Conexao, true},
        {"lock conflict on no wait transaction", TipoErroBanco::Ocupado, false},
        {"Dynamic SQL Error", TipoErroBanco::Outro, false},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.texto);
        ModeloTeste local;
        local.banco.Executar("update tab_parametro set ST_MONITOR_COMISSAO_ATIVO = 'S'");
        local.modelo.Timer1.Enabled = local.modelo.Timer2.Enabled = true;
        local.modelo.edtHoraAtualizacao.Text = "7";
        local.tela.aoProcessarPendentes = [&] { throw ErroBanco(caso.texto, caso.tipo); };

        local.modelo.BitBtn2Click();

        EXPECT_EQ(local.modelo.Timer1.Enabled, !caso.encerra);
        EXPECT_EQ(local.modelo.Timer2.Enabled, !caso.encerra);
        EXPECT_EQ(local.modelo.Sessao.IBD_BancoDados, nullptr);
        const std::vector<MensagemGravada> esperadas = {{caso.texto, "Aviso do Sistema", Icone::Erro}};
        EXPECT_EQ(local.tela.mensagens, esperadas);
        EXPECT_TRUE(local.finalizador.nomes.empty());
        EXPECT_EQ(local.tela.pedidosEncerrar, caso.encerra ? 1 : 0);
        EXPECT_EQ(local.modelo.CodigoSaida(), caso.encerra ? 1 : 0);
        EXPECT_EQ(local.banco.Escalar("select ST_MONITOR_COMISSAO_ATIVO from tab_parametro").Texto(),
                  caso.encerra ? "N" : "S");
    }
}

TEST_F(Recalculo, NenhumaSegundaRodadaDuranteUmaRodada)
{
    janela.edtHoraAtualizacao.Text = "7";
    const BancoDados* conexaoDaRodada = nullptr;
    int ganchos = 0;
    m.tela.aoProcessarPendentes = [&] {
        if (ganchos++ == 0)
            conexaoDaRodada = janela.Sessao.IBD_BancoDados.get();
        janela.Timer1Timer();
        janela.BitBtn2Click();
        EXPECT_EQ(janela.Sessao.IBD_BancoDados.get(), conexaoDaRodada);
    };

    janela.Timer1Timer();

    EXPECT_GT(ganchos, 0);
    EXPECT_EQ(janela.Timer1.Reinicios, 0);
    EXPECT_FALSE(janela.bMensagemClickBotao);
    EXPECT_TRUE(m.tela.mensagens.empty());
}

TEST(RecalculoManual, PartidaManualRodaNaCriacaoEEncerraOMonitor)
{
    ModeloTeste m({"MANUAL"}, DataHora::De(2013, 3, 25, 7, 40));
    m.instalacao.PrepararAtualizacaoEmDia();
    m.modelo.FormCreate();

    EXPECT_EQ(m.modelo.edtHoraAtualizacao.Text, "07");
    EXPECT_EQ(m.modelo.lblInicioAtualizacao.Caption, "25/03/2013 07:40:00");
    EXPECT_EQ(m.finalizador.nomes, std::vector<std::string>{"telmoraComissao2.exe"});
    EXPECT_EQ(m.modelo.Sessao.IBD_BancoDados, nullptr);
    // The window shows the run's progress while it lasts.
    EXPECT_EQ(m.tela.janelaVisivel, std::vector<bool>{true});
    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0].texto, "Nenhum registro encontrado para atualização.");
}

}  // namespace
