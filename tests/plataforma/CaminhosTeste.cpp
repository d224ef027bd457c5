#include "plataforma/Caminhos.h"

#include <gtest/gtest.h>

namespace {

TEST(Caminhos, CortaNoUltimoSeparador)
{
    const struct {
        const char* caminho;
        const char* nome;
        const char* comSeparador;
        const char* semSeparador;
    } casos[] = {
        {"/opt/telmora/telmoraComissao2.exe", "telmoraComissao2.exe", "/opt/telmora/", "/opt/telmora"},
        {"telmoraComissao2.exe", "telmoraComissao2.exe", "", ""},
        {"/raiz.exe", "raiz.exe", "/", ""},
        {"/opt/telmora/", "", "/opt/telmora/", "/opt/telmora"},
        {"", "", "", ""},
        {"C:\\Sistema\\a.exe", "C:\\Sistema\\a.exe", "", ""},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(NomeArquivo(c.caminho), c.nome) << c.caminho;
        EXPECT_EQ(PastaComSeparador(c.caminho), c.comSeparador) << c.caminho;
        EXPECT_EQ(PastaSemSeparador(c.caminho), c.semSeparador) << c.caminho;
    }
}

}  // namespace
