// The window model on a database reached through a server of its own
// (host:path): a run over the network, a server killed in the middle of a
// run, and a connection to a server that is gone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/UnPrincipal.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/Transacao.h"
#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/Dubles.h"
#include "tests/fixtures/ErroEsperado.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ServidorFirebird.h"

namespace {

// The model on a fresh database that the installation names through the
// server. Members go in reverse order: the model lets go of its connection
// first, and the database is dropped through the embedded engine only once
// the server, which may hold the file, is gone.
struct ModeloNoServidor {
    ModeloNoServidor()
        : relogio(DataHora::De(2013, 3, 25, 7, 5)),
          modelo(tela, ServicosTeste(relogio, instalacao.Programa(), finalizador), {})
    {
        instalacao.ApontarBanco(banco.Caminho(), servidor.Servidor());
        banco.Executar("update tab_parametro set ST_MONITOR_COMISSAO_ATIVO = 'S'");
        // A settlement pending recalculation: phase 7 turns it into a type "3" row.
        banco.Executar(
            "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
            " tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao)"
            " values (1, '20.03.2013', 7, 10, 'A', 'N', 'Acerto', 1, 'S')");
        modelo.Timer1.Enabled = modelo.Timer2.Enabled = true;
        modelo.edtHoraAtualizacao.Text = "9";
    }

    // Read only once the server is gone: while it runs it keeps the file to itself.
    std::string Parametro(const std::string& coluna) const
    {
        return banco.Escalar("select " + coluna + " from tab_parametro").Texto();
    }
    std::string AcertoPendente() const
    {
        return banco.Escalar("select st_calc_comissao from mov_acerto_comissao where id_acerto_comissao = 1").Texto();
    }
    std::vector<std::string> TiposDosMovimentos() const
    {
        std::vector<std::string> tipos;
        for (const auto& linha : banco.Ler("select tp_registro from mov_comissao order by id_comissao"))
            tipos.push_back(linha.at("TP_REGISTRO").Texto());
        return tipos;
    }

    BancoTeste banco;
    ServidorFirebird servidor;
    InstalacaoTeste instalacao;
    ApresentacaoGravada tela;
    RelogioFixo relogio;
    FinalizadorGravado finalizador;
    TfrmPrincipal modelo;
};

TEST(Servidor, RodadaPeloServidorGravaEConclui)
{
    ModeloNoServidor m;
    TfrmPrincipal& janela = m.modelo;

    janela.ExecutarTratado([&] { janela.BitBtn2Click(); });

    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0],
              (MensagemGravada{"Processamento concluído com sucesso!", "Aviso do Sistema", Icone::Informacao}));
    EXPECT_EQ(janela.Sessao.IBD_BancoDados, nullptr);
    EXPECT_TRUE(janela.Timer1.Enabled);
    EXPECT_TRUE(m.finalizador.nomes.empty());
    m.servidor.Matar();
    EXPECT_EQ(m.TiposDosMovimentos(), std::vector<std::string>{"3"});
    EXPECT_EQ(m.AcertoPendente(), "N");
    EXPECT_EQ(m.Parametro("ST_MONITOR_COMISSAO_ATIVO"), "N");
    EXPECT_EQ(m.Parametro("hr_atualizar_comissao"), "9");
}

// The server dies after phase 7 has committed its row. The next statement
// reads "Error reading data from the connection.", a lost link, which the
// operator is told. The resident monitor then ends in order with code 1, so
// that a service manager starts it again: the flag update that fails on the
// dead link does not keep it from ending, its lock file is gone, and what
// was committed before the server died stays.
TEST(Servidor, ServidorMortoNoMeioDaRodadaEncerraOResidente)
{
    ModeloNoServidor m;
    TfrmPrincipal& janela = m.modelo;
    m.tela.aoProcessarPendentes = [&] {
        if (janela.lblAguarde.Caption == "Fase 8/9" && m.servidor.Ativo())
            m.servidor.Matar();
    };
    const std::string trava = m.instalacao.PastaDados() + "/telmoraComissao2.lock";
    m.instalacao.Gravar("Dados/telmoraComissao2.lock", "trava deste monitor\r\n");

    janela.ExecutarTratado([&] { janela.BitBtn2Click(); });

    EXPECT_FALSE(m.servidor.Ativo());
    ASSERT_EQ(m.tela.mensagens.size(), 1u);
    EXPECT_EQ(m.tela.mensagens[0].titulo, "Aviso do Sistema");
    EXPECT_NE(m.tela.mensagens[0].texto.find("Error reading data"), std::string::npos) << m.tela.mensagens[0].texto;
    EXPECT_EQ(m.tela.pedidosEncerrar, 1);
    EXPECT_EQ(janela.CodigoSaida(), 1);
    EXPECT_FALSE(std::filesystem::exists(trava));
    EXPECT_FALSE(janela.Timer1.Enabled);
    EXPECT_FALSE(janela.Timer2.Enabled);
    EXPECT_TRUE(m.finalizador.nomes.empty());
    EXPECT_EQ(janela.Sessao.IBD_BancoDados, nullptr);
    EXPECT_EQ(janela.Sessao.IBT_BancoDados, nullptr);
    EXPECT_EQ(m.TiposDosMovimentos(), std::vector<std::string>{"3"});
    EXPECT_EQ(m.AcertoPendente(), "N");
    EXPECT_EQ(m.Parametro("ST_MONITOR_COMISSAO_ATIVO"), "S");
    EXPECT_EQ(m.Parametro("hr_atualizar_comissao"), "");
}

// Nothing listens any more: the open fails in silence, asking only for the
// end of telmoraMonitorComissao2.exe, and the next statement brings the
// network error.
TEST(Servidor, ConexaoDepoisDoServidorMorto)
{
    ModeloNoServidor m;
    TfrmPrincipal& janela = m.modelo;
    m.servidor.Matar();

    janela.ConectarBanco(janela.LerCaminhoBanco());

    EXPECT_EQ(m.finalizador.nomes, std::vector<std::string>{"telmoraMonitorComissao2.exe"});
    ASSERT_NE(janela.Sessao.IBD_BancoDados, nullptr);
    const std::string erro = TextoDoErro<std::exception>([&] { janela.Sessao.LerParametro("hr_atualizar_comissao"); });
    EXPECT_NE(erro.find("Unable to complete network request to host"), std::string::npos) << erro;
    janela.DesconectarBanco();
    EXPECT_EQ(janela.Sessao.IBD_BancoDados, nullptr);
}

// An operator edits invoice 1 at the run's hour: another connection holds
// its row. Phase 1 leaves it, named as busy, phase 5 does not take it
// either, and the run goes on with the settlement; once the other program
// lets go, the next run computes the invoice.
TEST(Servidor, NotaEmUsoPorOutroProgramaFicaParaAProximaRodada)
{
    ModeloNoServidor m;
    TfrmPrincipal& janela = m.modelo;
    m.banco.Executar(
        "insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, st_comissao_pagar) values (1, 0, 'S')");
    m.banco.Executar(
        "insert into mov_nf_comercio (id_nf_comercio, id_empresa, nr_nota_fiscal, dt_emissao, vl_total_nf,"
        " vl_produtos, vl_desconto, id_nat_operacao, id_st_nf, st_calc_comissao, id_vendedor, po_comissao,"
        " st_credito_fat, po_credito_fat) values (1, 1, '123', '01.03.2013', 1000, 1000, 0, 1, 3, 'S', 7, 5,"
        " 'S', 100)");
    m.banco.Executar(
        "insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, qt_produto, vl_unitario,"
        " vl_total, po_comissao) values (1, 1, 1, 1, 1000, 1000, 5)");
    BancoDados outroPrograma("outroPrograma");
    outroPrograma.NomeBanco = m.servidor.Servidor() + ":" + m.banco.Caminho();
    outroPrograma.Parametros = {"user_name=sysdba", "password=qzvlatren"};
    Transacao edicao("edicao");
    edicao.Parametros = {"read_committed", "rec_version", "nowait"};
    edicao.DefinirBanco(&outroPrograma);
    Consulta editar("editar", &outroPrograma);
    editar.DefinirTransacao(&edicao);
    editar.Executar(" update mov_nf_comercio set ds_serie_nf = '2' where id_nf_comercio = 1");

    janela.ExecutarTratado([&] { janela.BitBtn2Click(); });

    ASSERT_EQ(m.tela.mensagens.size(), 2u);
    EXPECT_EQ(m.tela.mensagens[0],
              (MensagemGravada{"Algumas NFs de venda não tiveram a comissão calculada: NF 123 (em uso por outro "
                               "programa).",
                               "Aviso do Sistema", Icone::Aviso}));
    EXPECT_TRUE(janela.Timer1.Enabled);

    edicao.Desfazer();
    m.tela.mensagens.clear();
    janela.ExecutarTratado([&] { janela.BitBtn2Click(); });
    EXPECT_EQ(m.tela.mensagens.size(), 1u);
    outroPrograma.Fechar();
    m.servidor.Matar();
    EXPECT_EQ(m.TiposDosMovimentos(), (std::vector<std::string>{"3", "1"}));
    EXPECT_EQ(m.banco.Escalar("select vl_comissao from mov_comissao where tp_registro = '1'").Texto(), "50");
    EXPECT_EQ(m.banco.Escalar("select st_calc_comissao from mov_nf_comercio").Texto(), "N");
}

}  // namespace
