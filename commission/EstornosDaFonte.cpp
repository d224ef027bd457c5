#include "commission/EstornosDaFonte.h"

#include <algorithm>
#include <optional>

#include "commission/AdiantamentoEstornado.h"
#include "comum/ComandoSql.h"
#include "comum/Literais.h"
#include "comum/Relogio.h"
#include "db/SessaoBanco.h"

namespace {

const char* const kMovimentosDaFonte =
    " select com.id_comissao, com.tp_registro, com.id_vendedor, com.id_empresa, com.no_documento, com.dt_credito,"
    " com.vl_comissao, com.st_bloqueio_1, com.st_estorno_1 from mov_comissao com where ";

bool Ligado(const std::string& flag)
{
    return flag == "S";
}

bool Marcado(const MovimentoCanhoto& movimento)
{
    return Ligado(movimento.stBloqueio) || Ligado(movimento.stEstorno);
}

std::string LiteralFlag(const std::string& flag)
{
    return LiteralTexto(Ligado(flag) ? "S" : "N");
}

Dinheiro Reversivel(ContextoFase& contexto, const MovimentoCanhoto& movimento)
{
    return ParteReversivel(contexto.sessao, movimento.tpRegistro, movimento.idNota, movimento.idVendedor,
                           movimento.vlComissao);
}

// The amounts are the columns' own two-decimal values, so the settlement
// makes the reversal equal to what phase 4 will pay back for the new row.
void AcertarDiferenca(ContextoFase& contexto, Consulta& comando, const MovimentoCanhoto& antigo,
                      const MovimentoCanhoto& novo)
{
    if (!Ligado(antigo.stEstorno) || novo.vlComissao == antigo.vlComissao)
        return;
    const Dinheiro valorNovo = Reversivel(contexto, novo);
    const Dinheiro valorAntigo = Reversivel(contexto, antigo);
    const bool cresceu = valorNovo > valorAntigo;
    InserirAcertoCanhoto(contexto.sessao, comando, cresceu ? kTextosEstorno : kTextosPagamento,
                         contexto.relogio.Agora(), novo, cresceu ? valorNovo - valorAntigo : valorAntigo - valorNovo);
}

std::optional<std::size_t> PrimeiroDoVendedor(const std::vector<MovimentoCanhoto>& substituidos,
                                              const std::vector<bool>& tomado, std::int64_t idVendedor)
{
    for (std::size_t i = 0; i < substituidos.size(); ++i)
        if (!tomado[i] && substituidos[i].idVendedor == idVendedor)
            return i;
    return std::nullopt;
}

// The settlement, if any, is committed with the new row's flags and the rest
// of the source.
void Transferir(ContextoFase& contexto, Consulta& comando, const MovimentoCanhoto& antigo, const MovimentoCanhoto& novo)
{
    if (!Marcado(antigo))
        return;
    AcertarDiferenca(contexto, comando, antigo, novo);
    contexto.sessao.ExecutarComando(comando,
                                    " update mov_comissao set st_bloqueio_1 = " + LiteralFlag(antigo.stBloqueio) +
                                        ", st_estorno_1 = " + LiteralFlag(antigo.stEstorno) +
                                        " where id_comissao = " + ParametroInteiro(novo.idComissao),
                                    false);
}

void Devolver(ContextoFase& contexto, Consulta& comando, const MovimentoCanhoto& antigo)
{
    if (!Ligado(antigo.stEstorno))
        return;
    InserirAcertoCanhoto(contexto.sessao, comando, kTextosPagamento, contexto.relogio.Agora(), antigo,
                         Reversivel(contexto, antigo));
}

}  // namespace

EstornosDaFonte::EstornosDaFonte(SessaoBanco& sessao, const std::string& tipoRegistro, const std::string& coluna,
                                 std::int64_t idFonte)
    : condicao_("com.tp_registro = " + LiteralTexto(tipoRegistro) + " and com." + coluna + " = " +
                ParametroInteiro(idFonte)),
      idNota_(tipoRegistro == "1" ? idFonte : 0),
      substituidos_(Ler(sessao))
{
}

std::vector<MovimentoCanhoto> EstornosDaFonte::Ler(SessaoBanco& sessao) const
{
    Consulta movimentos("qryMovimentosDaFonte", sessao.Banco());
    sessao.AbrirConsulta(movimentos, kMovimentosDaFonte + condicao_);
    std::vector<MovimentoCanhoto> lidos;
    for (; !movimentos.Fim(); movimentos.Proximo()) {
        lidos.push_back(LerMovimentoCanhoto(movimentos));
        lidos.back().idNota = idNota_;
    }
    // Sorted here, not by the statement: ordering by id there makes the
    // engine walk the whole table's primary key for a source's few rows.
    std::sort(lidos.begin(), lidos.end(),
              [](const MovimentoCanhoto& a, const MovimentoCanhoto& b) { return a.idComissao < b.idComissao; });
    return lidos;
}

void EstornosDaFonte::PassarAosNovos(ContextoFase& contexto) const
{
    if (std::none_of(substituidos_.begin(), substituidos_.end(), Marcado))
        return;
    Consulta comando("qryEstornosDaFonte", contexto.sessao.Banco());
    std::vector<bool> tomado(substituidos_.size(), false);
    for (const MovimentoCanhoto& novo : Ler(contexto.sessao)) {
        if (const auto antigo = PrimeiroDoVendedor(substituidos_, tomado, novo.idVendedor)) {
            tomado[*antigo] = true;
            Transferir(contexto, comando, substituidos_[*antigo], novo);
        }
    }
    for (std::size_t i = 0; i < substituidos_.size(); ++i)
        if (!tomado[i])
            Devolver(contexto, comando, substituidos_[i]);
}
