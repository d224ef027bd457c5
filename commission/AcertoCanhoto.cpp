#include "commission/AcertoCanhoto.h"

#include "comum/Erros.h"
#include "comum/Literais.h"
#include "db/SessaoBanco.h"

const TextosAcerto kTextosEstorno{
    "ESTORNO REF CANHOTO NÃO RECEBIDO NF ",
    "ESTORNO REF CANHOTO NÃO RECEBIDO DUP ",
    "D",
};

const TextosAcerto kTextosPagamento{
    "PAGTO REF CANHOTO NÃO RECEBIDO NF ",
    "PAGTO REF CANHOTO NÃO RECEBIDO DUP ",
    "A",
};

namespace {

// A credit date still ahead dates the settlement; otherwise it is today.
DataHora DataAcerto(const DataHora& agora, const MovimentoCanhoto& movimento)
{
    return (agora >= movimento.dtCredito ? agora : movimento.dtCredito).Data();
}

}  // namespace

// A type "1" movement carries the invoice number, which the description
// shows grouped; a number with letters ("12345-A") goes as it stands.
std::string DescricaoAcerto(const TextosAcerto& textos, const MovimentoCanhoto& movimento)
{
    if (movimento.tpRegistro != "1")
        return textos.descricaoDuplicata + movimento.noDocumento.Texto();
    try {
        return textos.descricaoNota + NumeroAgrupado(movimento.noDocumento.Inteiro());
    } catch (const ErroConversao&) {
        return textos.descricaoNota + movimento.noDocumento.Texto();
    }
}

MovimentoCanhoto LerMovimentoCanhoto(const Consulta& movimento)
{
    MovimentoCanhoto lido;
    lido.idComissao = movimento.Campo("id_comissao").Inteiro();
    lido.tpRegistro = movimento.Campo("tp_registro").Texto();
    lido.idVendedor = movimento.Campo("id_vendedor").Inteiro();
    lido.idEmpresa = movimento.Campo("id_empresa").Inteiro();
    lido.noDocumento = movimento.Campo("no_documento");
    lido.dtCredito = movimento.Campo("dt_credito").Data();
    lido.vlComissao = movimento.Campo("vl_comissao").ComoDinheiro();
    lido.stBloqueio = movimento.Campo("st_bloqueio_1").Texto();
    lido.stEstorno = movimento.Campo("st_estorno_1").Texto();
    return lido;
}

void InserirAcertoCanhoto(SessaoBanco& sessao, Consulta& insercao, const TextosAcerto& textos, const DataHora& agora,
                          const MovimentoCanhoto& movimento, Dinheiro valor)
{
    const std::string descricao = DescricaoAcerto(textos, movimento);
    sessao.ExecutarComandoCommit(
        insercao,
        " insert into mov_acerto_comissao (ID_ACERTO_COMISSAO, DT_PAGAMENTO, ID_VENDEDOR, VL_ACERTO, TP_ACERTO, "
        "ST_IRRF, DS_ACERTO, ID_EMPRESA, ID_COMISSAO_GERADA, ST_CALC_COMISSAO, ID_COMISSAO_ESTORNADA) "
        "values((select Coalesce(max(id_acerto_comissao), 0) + 1 from mov_acerto_comissao), " +
            LiteralData(DataAcerto(agora, movimento)) + "," + ParametroInteiro(movimento.idVendedor) + "," +
            ParametroDoLiteral(LiteralDuasCasas(valor.Extended())) + "," + LiteralTexto(textos.tipoAcerto) + "," +
            "'N'" + "," + LiteralTexto(descricao) + "," + ParametroInteiro(movimento.idEmpresa) + "," + "null," +
            "'S'" + "," + "null)",
        false);
}
