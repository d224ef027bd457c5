#include "comum/CodigoPagina.h"

#include <gtest/gtest.h>

namespace {

TEST(CodigoPagina, TodoByteFazIdaEVolta)
{
    std::string todos;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Win1252ParaUtf8(byte);
        EXPECT_TRUE(Utf8Valido(utf8)) << b;
        EXPECT_EQ(Utf8ParaWin1252(utf8), byte) << b;
        todos += byte;
    }
    EXPECT_EQ(Utf8ParaWin1252(Win1252ParaUtf8(todos)), todos);
}

TEST(CodigoPagina, CaracteresDaFaixa80UsamOsCodigosDoWindows1252)
{
    const struct {
        const char* win1252;
        const char* utf8;
    } casos[] = {
        {"\xC3\xC7\xD5", "ÃÇÕ"},
        {"a\xE7\xE3o", "ação"},
        {"\x80", "€"},
        {"\x93x\x94", "“x”"},
        {"\x96\x97", "–—"},
        {"\x9F", "Ÿ"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\xA0\xFF", "\xC2\xA0ÿ"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Win1252ParaUtf8(c.win1252), c.utf8) << c.utf8;
        EXPECT_EQ(Utf8ParaWin1252(c.utf8), c.win1252) << c.utf8;
    }
}

TEST(CodigoPagina, SemFormaNoWindows1252ViraInterrogacao)
{
    const struct {
        const char* nome;
        std::string utf8;
        std::string win1252;
    } casos[] = {
        {"fora_da_pagina", "ā", "?"},
        {"quatro_bytes", "a😀b", "a?b"},
        {"c1_sem_lugar_na_pagina", "\xC2\x80", "?"},
        {"sequencia_cortada", "a\xC3", "a?"},
        {"byte_de_continuacao_solto", "\x80z", "?z"},
        {"forma_longa_demais", "\xC0\xAF", "??"},
        {"texto_do_windows_1252", "S\xE3o", "S?o"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Utf8ParaWin1252(c.utf8), c.win1252) << c.nome;
}

TEST(CodigoPagina, Utf8Valido)
{
    const struct {
        std::string texto;
        bool valido;
    } casos[] = {
        {"", true},
        {"ascii", true},
        {"São Paulo – Ação", true},
        {"😀", true},
        {"\xEF\xBB\xBF", true},
        {"S\xE3o", false},
        {"\xC3", false},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Utf8Valido(c.texto), c.valido) << c.texto;
}

}  // namespace
