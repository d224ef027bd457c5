// The real program's command line: the options that only answer end at
// once with code 0 and touch nothing; an unknown option or one without its
// value says which, shows the usage and ends with the code of bad usage.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "tests/fixtures/InstalacaoTeste.h"
#include "tests/fixtures/ProcessoPrograma.h"

namespace {

constexpr int kLimiteSegundos = 60;

struct Caso {
    const char* nome;
    std::vector<std::string> argumentos;
    int codigo;
    const char* saida;  // a regular expression the whole output must match
};

void PrintTo(const Caso& caso, std::ostream* saida)
{
    *saida << caso.nome;
}

class LinhaComando : public ::testing::TestWithParam<Caso> {};

}  // namespace

// The installation has no ini files: a program that started the monitor
// would end with code 2 and its message.
TEST_P(LinhaComando, RespondeSemIniciarOMonitor)
{
    const InstalacaoTeste instalacao;
    instalacao.CopiarPrograma();
    ProcessoPrograma programa(instalacao.Programa(), GetParam().argumentos, instalacao.Raiz() + "/saida.txt");

    ASSERT_TRUE(programa.Esperar(kLimiteSegundos)) << programa.SaidaErro();
    EXPECT_EQ(programa.CodigoSaida(), GetParam().codigo);
    EXPECT_TRUE(std::regex_match(programa.SaidaErro(), std::regex(GetParam().saida))) << programa.SaidaErro();
    EXPECT_FALSE(std::filesystem::exists(instalacao.PastaDados() + "/telmoraComissao2.lock"));
}

INSTANTIATE_TEST_SUITE_P(
    LinhaComandoProcesso, LinhaComando,
    ::testing::Values(
        Caso{
            "ajuda",
            {"--help"},
            0,
            "Uso: telmoraComissao2\\.exe \\[opções\\] \\[manual \\| simular \\| explicar TIPO NÚMERO\\]\n[\\s\\S]*  64 "
            "[\\s\\S]*"},
        Caso{"ajuda_curta", {"manual", "-h"}, 0, "Uso: [\\s\\S]*--instalacao PASTA[\\s\\S]*ISC_PASSWORD[\\s\\S]*"},
        Caso{"versao", {"--version"}, 0, "telmoraComissao2 [0-9]+\\.[0-9]+\\.[0-9]+\n"},
        Caso{"opcao_desconhecida", {"--ajuda"}, 64, "Opção desconhecida: --ajuda\n\nUso: [\\s\\S]*"},
        Caso{"opcao_curta_desconhecida", {"MANUAL", "-x"}, 64, "Opção desconhecida: -x\n\nUso: [\\s\\S]*"},
        Caso{"instalacao_sem_pasta", {"--instalacao"}, 64, "Falta a pasta da opção --instalacao\\.\n\nUso: [\\s\\S]*"},
        Caso{"csv_sem_arquivo", {"simular", "--csv"}, 64, "Falta o arquivo da opção --csv\\.\n\nUso: [\\s\\S]*"},
        Caso{"csv_sem_simular",
             {"manual", "--csv", "x.csv"},
             64,
             "A opção --csv só vale com simular\\.\n\nUso: [\\s\\S]*"},
        Caso{
            "json_sem_explicar", {"simular", "--json"}, 64, "A opção --json só vale com explicar\\.\n\nUso: [\\s\\S]*"},
        Caso{"explicar_sem_tipo", {"explicar", "123"}, 64, "Use explicar NF <número>, [\\s\\S]*"},
        Caso{"explicar_identificador_invalido",
             {"EXPLICAR", "duplicata", "12a"},
             64,
             "O identificador a explicar deve ser um inteiro positivo: 12a\n\nUso: [\\s\\S]*"}),
    [](const auto& i) { return std::string(i.param.nome); });
