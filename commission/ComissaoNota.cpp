#include "commission/ComissaoNota.h"

#include "commission/SlotVendedor.h"
#include "commission/TotaisNota.h"
#include "comum/ComandoSql.h"
#include "db/SessaoBanco.h"

const Valor& LeiturasDaNota::NomeCliente()
{
    if (!nomeCliente_) {
        sessao_.IBQ_Gen.Abrir(" select nm_pesquisa from cad_pessoa where id_pessoa = " +
                              ParametroInteiro(nota_.Campo("id_destinatario_remetente").Inteiro()));
        nomeCliente_ = sessao_.IBQ_Gen.Campo("nm_pesquisa");
    }
    return *nomeCliente_;
}

const std::string& LeiturasDaNota::ComissaoAPagar()
{
    if (!comissaoAPagar_) {
        sessao_.IBQ_Gen.Abrir(
            " select ST_COMISSAO_PAGAR, ST_VERIFICA_FASE from tab_nat_operacao where id_nat_operacao = " +
            ParametroInteiro(nota_.Campo("id_nat_operacao").Inteiro()));
        const bool pagar = sessao_.IBQ_Gen.Campo("ST_COMISSAO_PAGAR").Texto() == "S";
        comissaoAPagar_.emplace(1, pagar ? 'S' : 'N');
    }
    return *comissaoAPagar_;
}

Dinheiro LeiturasDaNota::Reducao()
{
    if (!reducao_)
        reducao_ = CalcularReducaoComissao(sessao_, nota_.Campo("id_nf_comercio").Inteiro());
    return *reducao_;
}

Dinheiro LeiturasDaNota::BaseDosItens()
{
    if (!baseDosItens_)
        baseDosItens_ = CalcularComissaoItens(sessao_, nota_.Campo("id_nf_comercio").Inteiro(), observador_);
    return *baseDosItens_;
}

namespace {

const char* MotivoSemComissao(const Consulta& nota, const SlotVendedor& slot, bool creditoEmOutraFase,
                              const char* outraFase)
{
    const std::int64_t situacao = nota.Campo("id_st_nf").Inteiro();
    if (situacao != 3 && situacao != 5)
        return "a NF não está na situação 3 nem 5";
    if (nota.Campo("st_devolvido").Texto() == "S")
        return "a NF foi devolvida";
    if (slot.idVendedor < 1)
        return "sem vendedor";
    if (creditoEmOutraFase)
        return outraFase;
    if (nota.Campo("ST_COMISSAO_PAGAR").Texto() != "S")
        return "a natureza não paga comissão (ST_COMISSAO_PAGAR)";
    return nullptr;
}

}  // namespace

bool SlotSemComissao(LeiturasDaNota& leituras, const SlotVendedor& slot, bool creditoEmOutraFase, const char* outraFase)
{
    const char* const motivo = MotivoSemComissao(leituras.Nota(), slot, creditoEmOutraFase, outraFase);
    if (motivo != nullptr && slot.idVendedor >= 1)
        leituras.Observador().SemComissao(slot.numero, slot.idVendedor, motivo);
    return motivo != nullptr;
}

namespace {

std::optional<Dinheiro> BaseInformada(LeiturasDaNota& leituras, const char* coluna, const char* origem)
{
    const Dinheiro base = leituras.Nota().Campo(coluna).ComoDinheiro();
    Figura(leituras.Observador(), "base B", origem, base);
    return base;
}

}  // namespace

std::optional<Dinheiro> BaseComissao(LeiturasDaNota& leituras, int slot)
{
    const Consulta& nota = leituras.Nota();
    switch (nota.Campo("id_sugerir_comissao").Inteiro()) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        if (slot > 1 && nota.Campo("tp_base_comissao_outros").Texto() == "C")
            return BaseInformada(leituras, "vl_comissao",
                                 "VL_COMISSAO da NF: natureza de modo 0 a 4, vendedor de 2 a 5 e base dos outros C");
        return BaseInformada(leituras, "vl_base_comissao", "VL_BASE_COMISSAO da NF: natureza de modo 0 a 4");
    case 5:
        return BaseInformada(leituras, "vl_resultado_venda", "VL_RESULTADO_VENDA da NF: natureza de modo 5");
    case 6: {
        const Dinheiro base = leituras.BaseDosItens();
        Figura(leituras.Observador(), "base B", "itens da NF: natureza de modo 6", base);
        return base;
    }
    default:
        Figura(leituras.Observador(), "base B", "nenhuma: a natureza não dá base (modo acima de 6)", Dinheiro());
        return std::nullopt;
    }
}

Dinheiro ArmazenarBase(DatasetInsercao& linha, const std::optional<Dinheiro>& base)
{
    if (base)
        linha.DefinirCampo("VL_BASE_COMISSAO", Valor::DeDinheiro(*base));
    return linha.CampoInserido("VL_BASE_COMISSAO").ComoDinheiro();
}

long double ProdutoPercentual(Dinheiro valor, Dinheiro percentual)
{
    return Dividir(valor.Extended() * percentual.Extended(), 100);
}

Dinheiro DescontarReducao(Dinheiro comissao, Dinheiro parteDaReducao)
{
    const Dinheiro reduzida = comissao - parteDaReducao;
    return reduzida < Dinheiro() ? Dinheiro() : reduzida;
}

Dinheiro PercentualEfetivo(const DatasetInsercao& linha, ObservadorCalculo& observador)
{
    const char* const nome = "percentual efetivo";
    const Dinheiro base = linha.CampoInserido("VL_BASE_COMISSAO").ComoDinheiro();
    if (base.Zero()) {
        Figura(observador, nome, "0: VL_BASE_COMISSAO é 0", Dinheiro());
        return {};
    }
    const Dinheiro comissao = linha.CampoInserido("VL_COMISSAO").ComoDinheiro();
    return Arredondado(observador, nome, "VL_COMISSAO / VL_BASE_COMISSAO × 100",
                       Dividir(comissao.Extended(), base.Extended()) * 100);
}

void PreencherColunasNota(LeiturasDaNota& leituras, DatasetInsercao& linha, const std::string& tipo,
                          std::int64_t idVendedor)
{
    SessaoBanco& sessao = leituras.Sessao();
    const Consulta& nota = leituras.Nota();
    linha.DefinirCampo("ID_COMISSAO", Valor::DeInteiro(sessao.ProximoId("MOV_COMISSAO", "ID_COMISSAO")));
    linha.DefinirCampo("TP_REGISTRO", Valor::DeTexto(tipo));
    linha.DefinirCampo("ID_NF_COMERCIO", nota.Campo("id_nf_comercio"));
    linha.DefinirCampo("ID_EMPRESA", nota.Campo("id_empresa"));
    linha.DefinirCampo("ID_VENDEDOR", Valor::DeInteiro(idVendedor));
    linha.DefinirCampo("DT_EMISSAO", nota.Campo("dt_emissao"));
    linha.DefinirCampo("ID_CLIENTE", nota.Campo("id_destinatario_remetente"));
    linha.DefinirCampo("NM_CLIENTE", leituras.NomeCliente());
    linha.DefinirCampo("ST_IRRF", Valor::DeTexto("S"));
    linha.DefinirCampo("ST_ENTREGA", Valor::DeTexto("S"));
    linha.DefinirCampo("ST_CANCELADA", Valor::DeTexto("N"));
    linha.DefinirCampo("ST_PAGAR", Valor::DeTexto(leituras.ComissaoAPagar()));
    linha.DefinirCampo("ST_BLOQUEIO_1", Valor::DeTexto("N"));
    linha.DefinirCampo("ST_ESTORNO_1", Valor::DeTexto("N"));
}
