// A server that does not answer: the open fails silently, terminates only the
// process named telmoraMonitorComissao2.exe, the next statement reports the
// client library's text, and the manual start ends with the code of a start
// that could not complete. Run with the real program in a process name
// space of its own, beside two throw-away processes.
#include <gtest/gtest.h>

#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"
#include "tests/fixtures/ProcessosTeste.h"

namespace {

TEST(ConexaoRecusada, FinalizaSoOProcessoDeNomeCertoEOErroTrazOTextoDaRede)
{
    InstalacaoTeste instalacao;
    instalacao.CopiarPrograma();
    instalacao.ApontarBanco("/dados/BANCO.FDB", "127.0.0.1/" + std::to_string(PortaLivre()));
    instalacao.Gravar("Bin/DebugarZorvel.tmp", "");
    const std::string& pasta = instalacao.Raiz();
    const std::string roteiro = "cp /bin/sleep '" + pasta + "/telmoraMonitorComissao2.exe'; cp /bin/sleep '" + pasta +
                                "/outro.bin'; '" + pasta + "/outro.bin' 600 & O=$!; '" + pasta +
                                "/telmoraMonitorComissao2.exe' 600 & S=$!; '" + instalacao.Programa() +
                                "' manual & P=$!; wait $S; echo \"alvo:$?\"; kill -TERM $P; wait $P; " +
                                "echo \"programa:$?\"; kill -0 $O && echo outro-vivo; kill $O";

    ProcessoPrograma processo("/bin/sh", {"-c", roteiro}, pasta + "/saida.txt");

    ASSERT_TRUE(processo.Esperar(120)) << processo.SaidaErro();
    const std::string saida = processo.SaidaErro();
    EXPECT_NE(saida.find("alvo:137"), std::string::npos) << saida;
    EXPECT_NE(saida.find("programa:2"), std::string::npos) << saida;
    EXPECT_NE(saida.find("outro-vivo"), std::string::npos) << saida;
    EXPECT_NE(saida.find("telmora Monitor Comissão: "), std::string::npos) << saida;
    EXPECT_NE(saida.find("Unable to complete network request to host"), std::string::npos) << saida;
}

}  // namespace
