// Phases 2 to 4: the commission of an invoice whose signed delivery receipt
// has not come back 46 days after its issue is blocked and reversed with a
// debit settlement, and paid back with a credit once the invoice is cleared.
#include <string>
#include <vector>

#include "commission/AcertoCanhoto.h"
#include "commission/AdiantamentoEstornado.h"
#include "commission/Fases.h"
#include "commission/FontePendente.h"
#include "commission/Progresso.h"
#include "comum/ComandoSql.h"
#include "comum/Relogio.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kBloqueioNulo = " update mov_comissao set st_bloqueio_1 = 'N' where st_bloqueio_1 is null";
const char* const kEstornoNulo = " update mov_comissao set st_estorno_1 = 'N' where st_estorno_1 is null";
// Unblocking runs before blocking, so a movement changes its flag at most
// once per run.
const char* const kDesbloquear =
    " update mov_comissao ms set ms.st_bloqueio_1 = 'N' where NOT EXISTS ( select 1 from mov_nf_comercio mc "
    "inner join tab_nat_operacao tno on (tno.id_nat_operacao = mc.id_nat_operacao) left join "
    "fix_situacao_orcamento fso on (fso.id_situacao_orcamento = mc.id_situacao_orcamento) where mc.dt_emissao >= "
    "'02.08.2012' and mc.dt_emissao < (current_date - 45) and tno.st_verifica_fase = 'S' and ( "
    "(mc.id_situacao_orcamento is null) or (fso.st_pagar_comissao <> 'S') )  and mc.id_nf_comercio = "
    "ms.id_nf_comercio) and ms.st_bloqueio_1 = 'S'";
// Equivalent to " update mov_comissao ms set ms.st_bloqueio_1 = 'S' where
// exists ( select 1 from mov_nf_comercio mc ... and mc.id_nf_comercio =
// ms.id_nf_comercio) and ms.st_bloqueio_1 = 'N'", the same invoices by the
// same conditions: that text looks up the invoice of every unblocked
// movement ever written. This one takes each nature that checks the receipt
// and, in turn, the invoices of that nature without a situation and those
// with each situation that pays no commission, which the suite's indexes on
// the two columns find together, so that the invoices whose receipt came back
// long ago are never read; it reaches each invoice's movements by their index.
const char* const kBloquear =
    "execute block as declare id_nf_comercio integer; declare id_nat_operacao integer; declare "
    "id_situacao_orcamento integer; begin for select tno.id_nat_operacao from tab_nat_operacao tno where "
    "tno.st_verifica_fase = 'S' into :id_nat_operacao do begin for select mc.id_nf_comercio from mov_nf_comercio mc "
    "where mc.id_nat_operacao = :id_nat_operacao and mc.id_situacao_orcamento is null and mc.dt_emissao >= "
    "'02.08.2012' and mc.dt_emissao < (current_date - 45) into :id_nf_comercio do update mov_comissao ms set "
    "ms.st_bloqueio_1 = 'S' where ms.id_nf_comercio = :id_nf_comercio and ms.st_bloqueio_1 = 'N'; for select "
    "fso.id_situacao_orcamento from fix_situacao_orcamento fso where fso.st_pagar_comissao <> 'S' into "
    ":id_situacao_orcamento do for select mc.id_nf_comercio from mov_nf_comercio mc where mc.id_nat_operacao = "
    ":id_nat_operacao and mc.id_situacao_orcamento = :id_situacao_orcamento and mc.dt_emissao >= '02.08.2012' and "
    "mc.dt_emissao < (current_date - 45) into :id_nf_comercio do update mov_comissao ms set ms.st_bloqueio_1 = 'S' "
    "where ms.id_nf_comercio = :id_nf_comercio and ms.st_bloqueio_1 = 'N'; end end";

// Phase 3 reverses the newly blocked movements, phase 4 pays back the
// reversed ones that are no longer blocked; they differ only in these.
struct Reversao {
    int fase;
    const char* selecao;
    const TextosAcerto& textos;
    const char* marcarMovimento;
    bool legendaSemMovimentos;
};

// The two selections are equivalent to " select com.* from mov_comissao com
// where com.st_bloqueio_1 = 'S' and com.st_estorno_1 = 'N'" and its mirror,
// the same rows in the same order: given both flags, the engine also reads the
// whole index range of the value nearly every movement ever written has; the
// concatenation leaves it the index of the flag few movements have.
const Reversao kEstorno{
    3,
    " select com.* from mov_comissao com where com.st_bloqueio_1 = 'S' and com.st_estorno_1 || '' = 'N'",
    kTextosEstorno,
    " update mov_comissao set st_estorno_1 = 'S' where id_comissao = ",
    true,
};

const Reversao kPagamento{
    4,
    " select com.* from mov_comissao com where com.st_bloqueio_1 || '' = 'N' and com.st_estorno_1 = 'S'",
    kTextosPagamento,
    " update mov_comissao set st_estorno_1 = 'N' where id_comissao = ",
    false,
};

struct ConsultasCanhoto {
    Consulta qryUpdate;
    Consulta qryInsert;
    Consulta qryPesquisa;

    explicit ConsultasCanhoto(BancoDados* banco)
        : qryUpdate("qryUpdate", banco), qryInsert("qryInsert", banco), qryPesquisa("qryPesquisa", banco)
    {
    }
};

void AtualizarBloqueios(ContextoFase& contexto, Consulta& qryUpdate)
{
    contexto.progresso.MostrarFase(2);
    contexto.progresso.IniciarGauge(4, 1);
    for (const char* sql : {kBloqueioNulo, kEstornoNulo, kDesbloquear, kBloquear}) {
        contexto.sessao.ExecutarComando(qryUpdate, sql, true);
        contexto.progresso.AvancarGauge();
    }
}

// A movement is named by its document: the invoice's number for a type "1"
// row, the receivable's for a type "2", the settlement's row otherwise.
std::string NomeMovimento(const MovimentoCanhoto& movimento)
{
    if (movimento.tpRegistro == "1")
        return "NF " + movimento.noDocumento.Texto();
    if (movimento.tpRegistro == "2")
        return "Duplicata " + movimento.noDocumento.Texto();
    return "Comissão " + std::to_string(movimento.idComissao);
}

// The settlement and its movement's flag form one unit: a settlement never
// exists without the flag, nor the flag without the settlement.
void GravarAcerto(ContextoFase& contexto, const Reversao& reversao, ConsultasCanhoto& consultas,
                  const MovimentoCanhoto& movimento)
{
    const Dinheiro valor = ParteReversivel(contexto.sessao, movimento.tpRegistro, movimento.idNota,
                                           movimento.idVendedor, movimento.vlComissao);
    InserirAcertoCanhoto(contexto.sessao, consultas.qryInsert, reversao.textos, contexto.relogio.Agora(), movimento,
                         valor);
    contexto.sessao.ExecutarComando(consultas.qryUpdate,
                                    reversao.marcarMovimento + ParametroInteiro(movimento.idComissao), false);
    ++contexto.linhasDaFonte;
}

void GravarAcertos(ContextoFase& contexto, const Reversao& reversao, ConsultasCanhoto& consultas,
                   std::vector<FonteDeixada>& deixadas)
{
    Consulta& movimentos = consultas.qryPesquisa;
    contexto.sessao.AbrirConsulta(movimentos, reversao.selecao);
    const int quantidade = movimentos.QuantidadeRegistros();
    if (quantidade > 0 || reversao.legendaSemMovimentos) {
        contexto.progresso.MostrarFase(reversao.fase);
        contexto.progresso.IniciarGauge(quantidade, 0);
    }
    for (; !movimentos.Fim(); movimentos.Proximo()) {
        contexto.progresso.ProcessarMensagens();
        InterromperSePedido(contexto.progresso);
        contexto.progresso.AvancarGauge();
        MovimentoCanhoto movimento = LerMovimentoCanhoto(movimentos);
        movimento.idNota = movimentos.Campo("id_nf_comercio").Inteiro();
        ProcessarFonte(
            contexto, deixadas, kGrupoCanhotos, [&] { return NomeMovimento(movimento); },
            [&] { GravarAcerto(contexto, reversao, consultas, movimento); });
    }
    ConfirmarGrupo(contexto);
}

}  // namespace

std::vector<FonteDeixada> ExecutarFases2a4(ContextoFase& contexto)
{
    ConsultasCanhoto consultas(contexto.sessao.Banco());
    std::vector<FonteDeixada> deixadas;
    AtualizarBloqueios(contexto, consultas.qryUpdate);
    GravarAcertos(contexto, kEstorno, consultas, deixadas);
    GravarAcertos(contexto, kPagamento, consultas, deixadas);
    return deixadas;
}
