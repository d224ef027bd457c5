// The real program started in manual mode on the console front-end: it runs
// at once against the installation's database and ends itself.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"

namespace {

namespace fs = std::filesystem;

TEST(PartidaManual, RodaNaHoraEEncerraComCodigoZero)
{
    BancoTeste banco;
    InstalacaoTeste instalacao;
    instalacao.ApontarBanco(banco.Caminho());
    instalacao.PrepararAtualizacaoEmDia();
    banco.Executar("update tab_parametro set hr_atualizar_comissao = 3, ST_MONITOR_COMISSAO_ATIVO = 'S'");
    banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto, "
        "tp_acerto, st_irrf, ds_acerto, id_empresa, st_calc_comissao) "
        "values (1, '2013-03-20', 7, 150, 'D', 'N', 'ACERTO DE MARÇO', 1, 'S')");

    ProcessoPrograma programa(instalacao.Programa(), {"Manual"}, instalacao.Raiz() + "/saida.txt");

    ASSERT_TRUE(programa.Esperar(120)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0) << programa.SaidaErro();
    EXPECT_NE(programa.SaidaErro().find("Aviso do Sistema: Processamento concluído com sucesso!"), std::string::npos)
        << programa.SaidaErro();
    const auto linhas = banco.Ler("select tp_registro, vl_comissao, nm_cliente from mov_comissao");
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].at("TP_REGISTRO").Texto(), "3");
    EXPECT_EQ(linhas[0].at("VL_COMISSAO").ComoDinheiro(), Dinheiro::DeInteiro(-150));
    EXPECT_EQ(linhas[0].at("NM_CLIENTE").Texto(), "ACERTO DE MARÇO");
    EXPECT_EQ(banco.Escalar("select ST_MONITOR_COMISSAO_ATIVO from tab_parametro").Texto(), "N");
    EXPECT_EQ(banco.Escalar("select hr_atualizar_comissao from tab_parametro").Inteiro(), 3);
    EXPECT_FALSE(fs::exists(instalacao.PastaDados() + "/telmoraComissao2.lock"));
}

}  // namespace
