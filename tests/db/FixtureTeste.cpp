// The test database itself: schema, character set, reading helpers, and
// that it leaves no attachment and no file behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fixtures/BancoTeste.h"

namespace {

std::int64_t ColunasVersao(const BancoTeste& banco)
{
    return banco
        .Escalar(
            "select count(*) from rdb$relation_fields where rdb$relation_name = 'TAB_PARAMETRO'"
            " and rdb$field_name in ('SCRIPT_RODADO', 'VERSAO_ERP')")
        .Inteiro();
}

}  // namespace

TEST(BancoTeste, EsquemaAntigoTemUmaLinhaDeParametroSemColunasDeVersao)
{
    const BancoTeste banco;
    const auto linhas = banco.Ler("select * from tab_parametro");
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].at("ID_PARAMETRO").Inteiro(), 1);
    EXPECT_TRUE(linhas[0].at("HR_ATUALIZAR_COMISSAO").Nulo());
    EXPECT_EQ(ColunasVersao(banco), 0);
}

TEST(BancoTeste, CriadoEmDialeto3ComWin1252)
{
    const BancoTeste banco;
    EXPECT_EQ(banco.Escalar("select mon$sql_dialect from mon$database").Inteiro(), 3);
    EXPECT_EQ(banco.Escalar("select rdb$character_set_name from rdb$database").Texto(), "WIN1252");
}

TEST(BancoTeste, ComVersaoTemAsDuasColunas)
{
    const BancoTeste banco(true);
    EXPECT_EQ(ColunasVersao(banco), 2);
}

TEST(BancoTeste, TextoAcentuadoVoltaIgualEGravadoEmWin1252)
{
    const BancoTeste banco;
    banco.Executar("insert into cad_pessoa (id_pessoa, nm_pesquisa) values (1, 'ÃÇÕ')");
    EXPECT_EQ(banco.Escalar("select nm_pesquisa from cad_pessoa where id_pessoa = 1").Texto(), "ÃÇÕ");
    EXPECT_EQ(banco.Escalar("select octet_length(nm_pesquisa) from cad_pessoa where id_pessoa = 1").Inteiro(), 3);
}

TEST(BancoTeste, EscalarSemLinhaFalha)
{
    const BancoTeste banco;
    EXPECT_THROW(banco.Escalar("select id_pessoa from cad_pessoa"), std::runtime_error);
}

// Another process can open the file only while no attachment of this one
// stays; the query's own attachment is the only user attachment it sees.
TEST(BancoTeste, NaoMantemConexaoEntreChamadas)
{
    const BancoTeste banco;
    banco.Executar("insert into cad_pessoa (id_pessoa, nm_pesquisa) values (1, 'A')");
    banco.Ler("select * from cad_pessoa");
    EXPECT_EQ(banco.Escalar("select count(*) from mon$attachments where mon$system_flag = 0").Inteiro(), 1);
}

TEST(BancoTeste, DestrutorApagaBancoEPasta)
{
    std::string pasta;
    {
        const BancoTeste banco;
        pasta = banco.Pasta();
        ASSERT_TRUE(std::filesystem::exists(banco.Caminho()));
    }
    EXPECT_FALSE(std::filesystem::exists(pasta));
}
