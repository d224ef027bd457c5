// ProximoId while the suite's other programs write the same tables: the
// next identifier is the largest at that moment plus one, so a row another
// connection commits between two of the monitor's inserts moves it on, with
// or without the descending index the schema upkeep creates.
#include <gtest/gtest.h>

#include "commission/FontePendente.h"
#include "commission/MovimentoComissao.h"
#include "tests/fixtures/Modelo.h"
#include "update/AtualizarEstruturaParametro.h"

namespace {

class ProximoIdConcorrente : public ::testing::TestWithParam<bool> {
protected:
    ProximoIdConcorrente()
    {
        janela.ConectarBanco(janela.LerCaminhoBanco());
        if (GetParam())
            GarantirIndicesDoCalculo(*janela.Sessao.IBD_BancoDados);
    }
    ~ProximoIdConcorrente() override { janela.DesconectarBanco(); }

    // The monitor's own row writer, with the identifier ProximoId gives, as
    // one source committed as a group of its own.
    std::int64_t GravarDoMonitor()
    {
        ContextoFase contexto{janela.Sessao, janela, m.relogio};
        UnidadeFonte unidade(contexto);
        const std::int64_t id = janela.Sessao.ProximoId("MOV_COMISSAO", "ID_COMISSAO");
        GravarMovimentoComissao(contexto, [id](DatasetInsercao& d) {
            d.DefinirCampo("ID_COMISSAO", Valor::DeInteiro(id));
            d.DefinirCampo("TP_REGISTRO", Valor::DeTexto("3"));
        });
        unidade.Confirmar();
        ConfirmarGrupo(contexto);
        return id;
    }

    ModeloTeste m;
    TfrmPrincipal& janela = m.modelo;
};

TEST_P(ProximoIdConcorrente, LinhasDeOutraConexaoEntreDuasInsercoes)
{
    m.banco.Executar("insert into mov_comissao (id_comissao) values (10)");
    EXPECT_EQ(GravarDoMonitor(), 11);

    // Another program numbers its rows by the same rule, on its own connection.
    m.banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro)"
        " select max(id_comissao) + 1, '1' from mov_comissao");
    EXPECT_EQ(GravarDoMonitor(), 13);

    // One that jumps ahead moves the monitor past it.
    m.banco.Executar("insert into mov_comissao (id_comissao) values (40)");
    EXPECT_EQ(GravarDoMonitor(), 41);

    const auto ids = m.banco.Ler("select id_comissao from mov_comissao order by id_comissao");
    std::vector<std::int64_t> gravados;
    gravados.reserve(ids.size());
    for (const auto& linha : ids)
        gravados.push_back(linha.at("ID_COMISSAO").Inteiro());
    EXPECT_EQ(gravados, (std::vector<std::int64_t>{10, 11, 12, 13, 40, 41}));
}

TEST_P(ProximoIdConcorrente, AcertosDeOutraConexao)
{
    EXPECT_EQ(janela.Sessao.ProximoId("mov_acerto_comissao", "id_acerto_comissao"), 1);
    m.banco.Executar(
        "insert into mov_acerto_comissao (id_acerto_comissao, dt_pagamento, id_vendedor, vl_acerto,"
        " tp_acerto, st_irrf, ds_acerto, id_empresa) values (7, '2013-03-25', 1, 10, 'A', 'N', 'A', 1)");
    EXPECT_EQ(janela.Sessao.ProximoId("mov_acerto_comissao", "id_acerto_comissao"), 8);
}

INSTANTIATE_TEST_SUITE_P(Indice, ProximoIdConcorrente, ::testing::Bool(),
                         [](const auto& caso) { return caso.param ? "comIndiceDescendente" : "semIndice"; });

}  // namespace
