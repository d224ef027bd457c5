#include "plataforma/ArquivoIni.h"
#include "plataforma/Arquivos.h"

#include "tests/fixtures/Casos.h"
#include "tests/fixtures/PastaTemporaria.h"

#include <gtest/gtest.h>

namespace {

struct CasoIni {
    const char* nome;
    std::string conteudo;
    std::string secao;
    std::string chave;
    std::string esperado;
};

void PrintTo(const CasoIni& c, std::ostream* os)
{
    *os << c.nome;
}

class LerIni : public ::testing::TestWithParam<CasoIni> {
protected:
    PastaTemporaria pasta_;
};

TEST_P(LerIni, ComoAsFuncoesDePerfilDoWindows)
{
    const CasoIni& caso = GetParam();
    GravarArquivo(pasta_.Caminho() + "/teste.ini", caso.conteudo);
    EXPECT_EQ(ArquivoIni(pasta_.Caminho() + "/teste.ini").LerTexto(caso.secao, caso.chave, "padrao"), caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    ArquivoIni, LerIni,
    ::testing::Values(
        CasoIni{"secao_e_chave_sem_caixa", "[IniServidor]\nNomeArquivo=/srv/Servidor.ini\n", "iniservidor",
                "NOMEARQUIVO", "/srv/Servidor.ini"},
        CasoIni{"brancos_aparados", "[ Database ]\n Servidor =  srvdados  \t\n", "Database", "Servidor", "srvdados"},
        CasoIni{"linha_recuada_e_chave_propria", "[Database]\npath=/dados/\n   name=BANCO.FDB\n", "Database", "name",
                "BANCO.FDB"},
        CasoIni{"linha_recuada_nao_continua_a_anterior", "[Database]\npath=/dados/\n   name=BANCO.FDB\n", "Database",
                "path", "/dados/"},
        CasoIni{"crlf", "[Database]\r\npath=/dados/\r\nname=BANCO.FDB\r\n", "Database", "name", "BANCO.FDB"},
        CasoIni{"bom_utf8", "\xEF\xBB\xBF[Database]\r\nname=Ação.fdb\r\n", "Database", "name", "Ação.fdb"},
        CasoIni{"utf8_sem_bom", "[Database]\npath=/São Paulo/\n", "Database", "path", "/São Paulo/"},
        CasoIni{"windows_1252", "[Database]\npath=/Dados/JO\xC3O/\n", "Database", "path", "/Dados/JOÃO/"},
        CasoIni{"comentarios", "; topo\n[Database]\n;name=ponto_e_virgula\n#name=cerquilha\nname=certo\n", "Database",
                "name", "certo"},
        CasoIni{"primeira_ocorrencia_da_chave", "[Database]\nname=primeiro\nNAME=segundo\n", "Database", "name",
                "primeiro"},
        CasoIni{"so_a_primeira_secao_do_nome", "[Database]\nname=a\n[Outra]\nx=1\n[DATABASE]\nname=b\npath=/p/\n",
                "Database", "path", "padrao"},
        CasoIni{"primeira_secao_do_nome_vazia", "[Database]\n[Outra]\nx=1\n[Database]\nname=b\n", "Database", "name",
                "padrao"},
        CasoIni{"secao_repetida_em_seguida", "[Database]\nname=a\n[Database]\npath=/p/\n", "Database", "path",
                "padrao"},
        CasoIni{"aspas_retiradas", "[Database]\nname=\"BANCO.FDB\"\n", "Database", "name", "BANCO.FDB"},
        CasoIni{"aspas_simples_retiradas", "[Database]\nname=' x '\n", "Database", "name", " x "},
        CasoIni{"aspas_sem_par_ficam", "[Database]\nname=\"BANCO.FDB\n", "Database", "name", "\"BANCO.FDB"},
        CasoIni{"valor_vazio_nao_e_padrao", "[Database]\nServidor=\n", "Database", "Servidor", ""},
        CasoIni{"igual_no_valor", "[Database]\nname=a=b\n", "Database", "name", "a=b"},
        CasoIni{"dois_pontos_no_valor", "[Database]\npath=C:\\Dados\\\n", "Database", "path", "C:\\Dados\\"},
        CasoIni{"dois_pontos_nao_separam", "[Database]\nServidor: srv\n", "Database", "Servidor", "padrao"},
        CasoIni{"ponto_e_virgula_colado_fica", "[Database]\npath=/a;b\n", "Database", "path", "/a;b"},
        CasoIni{"chave_ausente", "[Database]\nname=x\n", "Database", "path", "padrao"},
        CasoIni{"secao_ausente", "[Database]\nname=x\n", "IniServidor", "name", "padrao"},
        CasoIni{"chave_fora_de_secao", "name=x\n[Database]\n", "Database", "name", "padrao"},
        CasoIni{"arquivo_vazio", "", "Database", "name", "padrao"},
        CasoIni{"comentario_longo", "[Database]\n;" + std::string(500, '-') + "\nname=x\n", "Database", "name", "x"},
        CasoIni{"valor_longo", "[Database]\npath=/" + std::string(400, 'x') + "/  \r\nname=x\n", "Database", "path",
                "/" + std::string(400, 'x') + "/"},
        CasoIni{"valor_enorme_com_brancos", "[Database]\nname= " + std::string(100000, 'a') + " b \n", "Database",
                "name", std::string(100000, 'a') + " b"},
        CasoIni{"linha_longa_noutra_secao", "[Outra]\nx=" + std::string(5000, 'x') + "\n[Database]\nname=certo\n",
                "Database", "name", "certo"},
        CasoIni{"chave_longa", "[Database]\n" + std::string(300, 'k') + "=v\n", "Database", std::string(300, 'K'), "v"},
        CasoIni{"nome_de_secao_longo", "[" + std::string(300, 's') + "]\nname=x\n", std::string(300, 'S'), "name",
                "x"}),
    [](const auto& i) { return std::string(i.param.nome); });

TEST(ArquivoIni, ArquivoAusenteDaOPadrao)
{
    const PastaTemporaria pasta;
    const ArquivoIni ini(pasta.Caminho() + "/nao-existe.ini");
    EXPECT_EQ(ini.LerTexto("Database", "name", "padrao"), "padrao");
    EXPECT_EQ(ini.LerTexto("Database", "name"), "");
}

}  // namespace
