#include "comum/Texto.h"

#include <gtest/gtest.h>

namespace {

TEST(Texto, MinusculasSoMudaAsLetrasAscii)
{
    EXPECT_EQ(Minusculas("telmoraComissao2.EXE"), "telmoracomissao2.exe");
    EXPECT_EQ(Minusculas("AÇÃO [Z]@"), "aÇÃo [z]@");
}

TEST(Texto, AparadoTiraBrancosEControlesDasPontas)
{
    EXPECT_EQ(Aparado("  srvdados \t\r\n"), "srvdados");
    EXPECT_EQ(Aparado(" a  b "), "a  b");
    EXPECT_EQ(Aparado(" \t "), "");
    EXPECT_EQ(Aparado(""), "");
    EXPECT_EQ(Aparado("\xC3\x83 "), "\xC3\x83");
}

}  // namespace
