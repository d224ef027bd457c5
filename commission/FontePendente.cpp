#include "commission/FontePendente.h"

#include <chrono>

#include "commission/Progresso.h"
#include "comum/Erros.h"
#include "comum/Texto.h"
#include "db/SessaoBanco.h"
#include "db/firebird/ErroBanco.h"

namespace {

const char* const kMotivoOcupada = "em uso por outro programa";
const char* const kPontoFonte = "FONTE";

// "Divisão por zero." reads "divisão por zero" inside the warning's list;
// the client's lines ("...\n-Integer divide by zero...") read as one.
std::string Motivo(const std::exception& erro)
{
    std::string motivo;
    for (const char caractere : std::string(erro.what())) {
        if (caractere == '\n')
            motivo += "; ";
        else if (caractere != '-' || !motivo.ends_with("; "))
            motivo += caractere;
    }
    while (!motivo.empty() && (motivo.back() == '.' || motivo.back() == ' '))
        motivo.pop_back();
    return motivo.empty() ? motivo : Minusculas(motivo.substr(0, 1)) + motivo.substr(1);
}

// A source's own values or its rows held by another program leave that
// source alone; a lost connection or any other failure ends the run.
bool ErroDaFonte(const ErroBanco& erro)
{
    return erro.Tipo() == TipoErroBanco::Aritmetico || erro.Tipo() == TipoErroBanco::Ocupado;
}

}  // namespace

UnidadeFonte::UnidadeFonte(ContextoFase& contexto) : contexto_(contexto)
{
    contexto_.linhasDaFonte = 0;
    Transacao& transacao = contexto_.sessao.IBT_Gen;
    if (!transacao.Ativa())
        contexto_.inicioGrupo = std::chrono::steady_clock::now();
    transacao.MarcarPonto(kPontoFonte);
}

// When going back fails (a lost connection), the whole group is undone: the
// next run does its sources again, since their flags went too.
UnidadeFonte::~UnidadeFonte()
{
    Transacao& transacao = contexto_.sessao.IBT_Gen;
    if (confirmada_)
        return;
    try {
        transacao.VoltarAoPonto(kPontoFonte);
    } catch (const ErroBanco&) {
        transacao.Desfazer();
    }
}

void UnidadeFonte::Confirmar(int fontes)
{
    contexto_.sessao.IBT_Gen.LiberarPonto(kPontoFonte);
    confirmada_ = true;
    contexto_.progresso.ContarFonte(contexto_.linhasDaFonte);
    for (int fonte = 1; fonte < fontes; ++fonte)
        contexto_.progresso.ContarFonte(0);
    if (std::chrono::steady_clock::now() - contexto_.inicioGrupo >= kDuracaoGrupo)
        ConfirmarGrupo(contexto_);
}

void ConfirmarGrupo(ContextoFase& contexto)
{
    contexto.sessao.IBT_Gen.ConfirmarPorComando();
}

std::optional<std::string> MotivoParaDeixar(const std::exception& erro)
{
    if (dynamic_cast<const ErroAritmetico*>(&erro) || dynamic_cast<const ErroConversao*>(&erro))
        return Motivo(erro);
    const auto* erroBanco = dynamic_cast<const ErroBanco*>(&erro);
    if (!erroBanco || !ErroDaFonte(*erroBanco))
        return std::nullopt;
    return erroBanco->Tipo() == TipoErroBanco::Ocupado ? kMotivoOcupada : Motivo(erro);
}

bool ProcessarFonte(ContextoFase& contexto, std::vector<FonteDeixada>& deixadas, const std::string& grupo,
                    const std::function<std::string()>& fonte, const std::function<void()>& tratar)
{
    try {
        UnidadeFonte unidade(contexto);
        tratar();
        unidade.Confirmar();
        return true;
    } catch (const std::exception& erro) {
        const std::optional<std::string> motivo = MotivoParaDeixar(erro);
        if (!motivo)
            throw;
        deixadas.push_back({fonte(), *motivo, grupo});
    }
    return false;
}

ResultadoFontes PercorrerPendentes(ContextoFase& contexto, Consulta& pendentes, const std::string& sql,
                                   const std::string& grupo, const std::function<std::string()>& fonte,
                                   const std::function<bool()>& tratar)
{
    ResultadoFontes resultado;
    pendentes.Percorrer(sql);
    resultado.encontrou = pendentes.QuantidadeRegistros() > 0;
    if (resultado.encontrou)
        contexto.progresso.IniciarGauge(pendentes.QuantidadeRegistros(), 0);
    while (!pendentes.Fim()) {
        contexto.progresso.ProcessarMensagens();
        InterromperSePedido(contexto.progresso);
        contexto.progresso.AvancarGauge();
        ProcessarFonte(contexto, resultado.deixadas, grupo, fonte, [&] {
            if (!tratar())
                return;
            resultado.comissaoJaPaga = true;
            contexto.progresso.SepararFonte(fonte(), "comissão já paga");
        });
        pendentes.Proximo();
    }
    ConfirmarGrupo(contexto);
    return resultado;
}

bool ComissaoJaPaga(SessaoBanco& sessao, const ComandoSql& sqlContagem)
{
    sessao.IBQ_Pesquisa.Abrir(sqlContagem);
    return sessao.IBQ_Pesquisa.Campo("qtde").Inteiro() > 0;
}

const char* const kGrupoNotasVenda = "Algumas NFs de venda não tiveram a comissão calculada:";
const char* const kGrupoDuplicatas = "Algumas Duplicatas não tiveram a comissão calculada:";
const char* const kGrupoAcertos = "Alguns Acertos de Comissão não tiveram a comissão calculada:";
const char* const kGrupoEstornos = "Algumas NFs não tiveram a comissão antecipada estornada:";
const char* const kGrupoCanhotos = "Algumas comissões de NFs sem canhoto não tiveram o acerto gravado:";
