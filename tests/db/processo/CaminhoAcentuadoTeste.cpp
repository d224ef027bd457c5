// The real program on a database whose folder name has a letter outside
// ASCII, as a suite installed in "Comissões" has: the location reaches the
// embedded engine as the file system names it, whatever locale the program
// was started with.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"

TEST(CaminhoAcentuado, RodadaManualAbreOBancoNaPastaComissoes)
{
    const BancoTeste banco;
    const InstalacaoTeste instalacao;
    const std::string pasta = banco.Pasta() + "/Comissões";
    std::filesystem::create_directory(pasta);
    // A second name of the same file: the test reads it through the first.
    std::filesystem::create_hard_link(banco.Caminho(), pasta + "/TELMORA.FDB");
    instalacao.CopiarPrograma();
    instalacao.ApontarBanco(pasta + "/TELMORA.FDB");
    instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    banco.Executar("update tab_parametro set hr_atualizar_comissao = 7");

    // Without a locale, as a scheduled task may start it.
    ProcessoPrograma programa("/usr/bin/env", {"LC_ALL=C", "LANG=C", instalacao.Programa(), "manual"},
                              instalacao.Raiz() + "/saida.txt");

    ASSERT_TRUE(programa.Esperar(90)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), 0) << programa.SaidaErro();
    EXPECT_NE(programa.SaidaErro().find("Aviso do Sistema: Nenhum registro encontrado para atualização.\n"),
              std::string::npos)
        << programa.SaidaErro();
}
