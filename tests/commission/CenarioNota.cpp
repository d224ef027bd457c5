#include "tests/commission/CenarioNota.h"

#include <gtest/gtest.h>

#include "tests/fixtures/BancoTeste.h"

namespace {

std::string Sufixo(std::size_t slot)
{
    return slot == 0 ? "" : std::to_string(slot + 1);
}

}  // namespace

void InserirCadastros(const BancoTeste& banco)
{
    banco.Executar("insert into cad_pessoa (id_pessoa, nm_pesquisa) values (50, 'CLIENTE SÃO JOÃO')");
    InserirProduto(banco, 1, "1");
}

void InserirProduto(const BancoTeste& banco, int id, const std::string& fabrica)
{
    banco.Executar("insert into cad_produto (id_produto, id_fabrica) values (" + std::to_string(id) + ", " + fabrica +
                   ")");
}

void InserirNatureza(const BancoTeste& banco, int id, const std::string& sugerir, const std::string& pagar)
{
    banco.Executar("insert into tab_nat_operacao (id_nat_operacao, id_sugerir_comissao, ST_COMISSAO_PAGAR) values (" +
                   std::to_string(id) + ", " + sugerir + ", " + pagar + ")");
}

void InserirNota(const BancoTeste& banco, const NotaTeste& n)
{
    const std::string id = std::to_string(n.id);
    std::string colunas =
        "id_nf_comercio, id_empresa, ds_serie_nf, nr_nota_fiscal, dt_emissao, id_destinatario_remetente,"
        " vl_total_nf, vl_produtos, vl_desconto, vl_servico, vl_financeiro, vl_frete, st_incluir_frete_parc,"
        " vl_base_comissao, vl_comissao, vl_resultado_venda, id_nat_operacao, id_st_nf, st_devolvido,"
        " tp_base_comissao_outros, st_calc_comissao, id_situacao_orcamento, id_plano_pagto, st_estornar_comissao,"
        " id_comissao_estornada";
    std::string valores = id + ", 1, '1', 'NF" + id + "', " + n.emissao + ", " + n.cliente + ", " + n.total + ", " +
                          n.produtos + ", " + n.desconto + ", " + n.servico + ", " + n.financeiro + ", " + n.frete +
                          ", " + n.freteNasParcelas + ", " + n.base + ", " + n.comissao + ", " + n.resultado + ", " +
                          n.natureza + ", " + n.situacao + ", " + n.devolvido + ", " + n.baseOutros + ", " +
                          n.calcular + ", " + n.orcamento + ", " + n.plano + ", " + n.estornar + ", " + n.estornada;
    for (std::size_t i = 0; i < n.slots.size(); ++i) {
        const std::string s = Sufixo(i);
        colunas += ", id_vendedor" + s + ", po_comissao" + s + ", st_credito_fat" + s + ", PO_CREDITO_FAT" + s;
        valores += ", " + n.slots[i].vendedor + ", " + n.slots[i].percentual + ", " + n.slots[i].credito + ", " +
                   n.slots[i].creditado;
    }
    banco.Executar("insert into mov_nf_comercio (" + colunas + ") values (" + valores + ")");
    if (!n.ajuste.empty())
        banco.Executar("update mov_nf_comercio set " + n.ajuste + " where id_nf_comercio = " + id);
}

void InserirItem(const BancoTeste& banco, const ItemTeste& i)
{
    banco.Executar(
        "insert into mov_nf_comercio_item (id_nf_comercio_item, id_nf_comercio, no_item, id_produto,"
        " qt_produto, vl_unitario, vl_total, st_frete_incluso, vl_frete_unit, vl_outras_ajustado,"
        " vl_frete_ajustado, vl_seguro_ajustado, vl_ipi, vl_icms_subst, vl_unit_reducao_comissao,"
        " po_comissao) values (" +
        std::to_string(i.id) + ", " + std::to_string(i.nota) + ", " + i.numero + ", " + i.produto + ", " +
        i.quantidade + ", " + i.unitario + ", " + i.total + ", " + i.freteIncluso + ", " + i.freteUnitario + ", " +
        i.outras + ", " + i.frete + ", " + i.seguro + ", " + i.ipi + ", " + i.icmsSubst + ", " + i.reducao + ", " +
        i.percentual + ")");
}

void InserirDuplicata(const BancoTeste& banco, const DuplicataTeste& d)
{
    banco.Executar(
        "insert into mov_financeiro (id_financeiro, id_nf_comercio, no_documento, vl_documento, dt_vencto,"
        " dt_baixa, vl_desconto, vl_abatimento, vl_outras_reducoes, st_calc_comissao) values (" +
        std::to_string(d.id) + ", " + d.nota + ", " + d.documento + ", " + d.valor + ", '10.04.2013', " + d.baixa +
        ", " + d.desconto + ", " + d.abatimento + ", " + d.outras + ", " + d.calcular + ")");
}

void InserirMovimento(const BancoTeste& banco, int id, const std::string& tipo, const std::string& nota,
                      const std::string& financeiro, const std::string& gerada)
{
    banco.Executar(
        "insert into mov_comissao (id_comissao, tp_registro, id_nf_comercio, id_financeiro, id_vendedor,"
        " vl_comissao, id_comissao_gerada) values (" +
        std::to_string(id) + ", " + tipo + ", " + nota + ", " + financeiro + ", 99, 1.00, " + gerada + ")");
}

std::vector<std::string> Movimentos(const BancoTeste& banco, const std::string& condicao)
{
    std::vector<std::string> resumo;
    for (const auto& linha : banco.Ler("select id_vendedor, vl_base_comissao, po_comissao, vl_comissao"
                                       " from mov_comissao " +
                                       condicao + " order by id_comissao"))
        resumo.push_back(Mostrar(linha.at("ID_VENDEDOR")) + " " + Mostrar(linha.at("VL_BASE_COMISSAO")) + " " +
                         Mostrar(linha.at("PO_COMISSAO")) + " " + Mostrar(linha.at("VL_COMISSAO")));
    return resumo;
}

std::vector<int> Identificadores(const BancoTeste& banco, const std::string& condicao)
{
    std::vector<int> ids;
    for (const auto& linha : banco.Ler("select id_comissao from mov_comissao " + condicao + " order by id_comissao"))
        ids.push_back(static_cast<int>(linha.at("ID_COMISSAO").Inteiro()));
    return ids;
}

std::string Mostrar(const Valor& valor)
{
    return valor.Nulo() ? "null" : valor.Texto();
}

ColunasEsperadas ColunasDaNotaDoVendedor7()
{
    return {
        {"ID_NF_COMERCIO", "1"},
        {"ID_ACERTO_COMISSAO", "null"},
        {"ID_EMPRESA", "1"},
        {"ID_VENDEDOR", "7"},
        {"DT_EMISSAO", "01/03/2013 00:00:00"},
        {"ID_CLIENTE", "50"},
        {"NM_CLIENTE", "CLIENTE SÃO JOÃO"},
        {"ST_IRRF", "S"},
        {"ST_ENTREGA", "S"},
        {"ID_COMISSAO_GERADA", "null"},
        {"ST_CANCELADA", "N"},
        {"ST_PAGAR", "S"},
        {"ST_BLOQUEIO_1", "N"},
        {"ST_ESTORNO_1", "N"},
    };
}

void ConferirColunas(const std::map<std::string, Valor>& linha, const ColunasEsperadas& esperadas)
{
    for (const auto& [coluna, valor] : esperadas)
        EXPECT_EQ(Mostrar(linha.at(coluna)), valor) << coluna;
}
