// The real program's manual run started in surroundings that a scheduled
// task or a service may give it: no locale at all, with the database in a
// folder named "Comissões"; a DISPLAY that leads to no X server. The run
// happens on the console either way and the program ends with code 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/fixtures/BancoTeste.h"
#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"

namespace {

const char* const kFimDaRodada = "Aviso do Sistema: Nenhum registro encontrado para atualização.\n";

struct PartidaManual {
    PartidaManual()
    {
        instalacao.CopiarPrograma();
        instalacao.ApontarBanco(banco.Caminho());
        instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    }

    // Runs "env VARIAVEL=valor... program manual"; what it printed.
    std::string Rodar(std::vector<std::string> ambiente) const
    {
        ambiente.insert(ambiente.end(), {instalacao.Programa(), "manual"});
        ProcessoPrograma programa("/usr/bin/env", ambiente, instalacao.Raiz() + "/saida.txt");
        EXPECT_TRUE(programa.Esperar(90));
        EXPECT_EQ(programa.CodigoSaida(), 0);
        return programa.SaidaErro();
    }

    BancoTeste banco;
    InstalacaoTeste instalacao;
};

}  // namespace

TEST(AmbienteDaPartida, SemLocaleAbreOBancoNaPastaComissoes)
{
    const PartidaManual partida;
    const std::string pasta = partida.banco.Pasta() + "/Comissões";
    std::filesystem::create_directory(pasta);
    // A second name of the same database file.
    std::filesystem::create_hard_link(partida.banco.Caminho(), pasta + "/TELMORA.FDB");
    partida.instalacao.ApontarBanco(pasta + "/TELMORA.FDB");

    const std::string saida = partida.Rodar({"LC_ALL=C", "LANG=C"});
    EXPECT_NE(saida.find(kFimDaRodada), std::string::npos) << saida;
}

TEST(AmbienteDaPartida, DisplaySemServidorXDaOConsoleComUmaLinha)
{
    const PartidaManual partida;
    const std::string saida = partida.Rodar({"DISPLAY=:4711"});
    EXPECT_EQ(saida.find("Não foi possível abrir a tela \":4711\"; o monitor segue no console.\n"), 0u) << saida;
    EXPECT_NE(saida.find(kFimDaRodada), std::string::npos) << saida;
}
