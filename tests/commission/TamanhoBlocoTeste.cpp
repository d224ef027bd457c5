// The size of phase 1's next block: half a group's time at the pace of the
// block before, never more than twice it, halved after a failure.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <vector>

#include "commission/TamanhoBloco.h"

namespace {

using std::chrono::milliseconds;

struct Bloco {
    bool semFalhas;
    std::size_t notas;
    std::chrono::steady_clock::duration duracao;
};

struct CasoTamanho {
    const char* nome;
    std::vector<Bloco> blocos;
    std::size_t esperado;
};

TEST(TamanhoBloco, SegueOTempoDoBlocoAnterior)
{
    const CasoTamanho casos[] = {
        {"primeiro_bloco", {}, 32},
        {"rapido_no_maximo_dobra", {{true, 32, milliseconds(1)}}, 64},
        {"lento_cabe_em_meio_grupo", {{true, 32, milliseconds(500)}}, 8},
        {"mais_lento_que_meio_grupo_por_nota", {{true, 32, milliseconds(32 * 200)}}, 1},
        {"duracao_zero_nao_divide_por_zero", {{true, 32, milliseconds(0)}}, 64},
        {"falha_divide_ao_meio", {{false, 32, milliseconds(1)}}, 16},
        {"falhas_param_em_um",
         {{false, 32, milliseconds(1)},
          {false, 16, milliseconds(1)},
          {false, 8, milliseconds(1)},
          {false, 4, milliseconds(1)},
          {false, 2, milliseconds(1)},
          {false, 1, milliseconds(1)}},
         1},
        {"depois_de_uma_falha_volta_a_crescer", {{false, 32, milliseconds(1)}, {true, 16, milliseconds(1)}}, 32},
    };
    for (const CasoTamanho& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TamanhoBloco tamanho;
        for (const Bloco& bloco : caso.blocos)
            tamanho.Ajustar(bloco.semFalhas, bloco.notas, bloco.duracao);
        EXPECT_EQ(tamanho.Atual(), caso.esperado);
    }
}

}  // namespace
