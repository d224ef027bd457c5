// The phases as the run calls them: each hands the session, the model as
// progress display and the clock to the phase code, and keeps in the
// model's fields what the run and its warnings need.
#include <algorithm>
#include <utility>

#include "app/UnPrincipal.h"

ContextoFase TfrmPrincipal::Contexto()
{
    return ContextoFase{Sessao, *this, RelogioAtual()};
}

// A source left by one phase and again by a later one is named once.
void TfrmPrincipal::GuardarDeixadas(const std::vector<FonteDeixada>& deixadas)
{
    for (const FonteDeixada& deixada : deixadas)
        if (std::find(fontesDeixadas_.begin(), fontesDeixadas_.end(), deixada) == fontesDeixadas_.end()) {
            fontesDeixadas_.push_back(deixada);
            Registrar(EventoDeixada(deixada, std::chrono::system_clock::now()));
        }
}

void TfrmPrincipal::SepararFonte(const std::string& fonte, const std::string& motivo)
{
    Registrar(EventoSeparada(fonte, motivo, std::chrono::system_clock::now()));
    if (simulacao_)
        simulacao_->Separar(fonte, motivo);
}

// A closing signal not yet read counts too: phase 1 lets no events run
// between its invoices, and a long one would outlast a service's stop.
bool TfrmPrincipal::ParadaPedida() const
{
    return paradaPedida_ || (rodadaEmAndamento_ && servicos_.sinalFechamentoPendente());
}

void TfrmPrincipal::ProcessarFase1()
{
    ContextoFase contexto = Contexto();
    ResultadoFase1 resultado = ExecutarFase1(contexto, Gauge1.Progress);
    GuardarDeixadas(resultado.deixadas);
    notasDeixadasFase1_ = std::move(resultado.notasDeixadas);
}

void TfrmPrincipal::ProcessarFases2a4()
{
    ContextoFase contexto = Contexto();
    GuardarDeixadas(ExecutarFases2a4(contexto));
}

void TfrmPrincipal::ProcessarFase5()
{
    ContextoFase contexto = Contexto();
    const ResultadoFontes resultado = ExecutarFase5(contexto, notasDeixadasFase1_);
    bMensagemComercio = resultado.encontrou;
    sSituacao1 = resultado.comissaoJaPaga ? "S" : "N";
    GuardarDeixadas(resultado.deixadas);
}

void TfrmPrincipal::ProcessarFase6()
{
    ContextoFase contexto = Contexto();
    const ResultadoFase6 resultado = ExecutarFase6(contexto, notasDeixadasFase1_);
    bMensagemFinanceiro = resultado.fontes.encontrou;
    sSituacao2 = resultado.fontes.comissaoJaPaga ? "S" : "N";
    GuardarDeixadas(resultado.fontes.deixadas);
    if (resultado.ultimaParcela) {
        fFatorParcela = resultado.ultimaParcela->fFatorParcela;
        fFatorDesconto = resultado.ultimaParcela->fFatorDesconto;
    }
    if (resultado.ultimoFrete)
        cFreteComissao = *resultado.ultimoFrete;
}

void TfrmPrincipal::ProcessarFase7()
{
    ContextoFase contexto = Contexto();
    const ResultadoFontes resultado = ExecutarFase7(contexto);
    bMensagemAcerto = resultado.encontrou;
    sSituacao3 = resultado.comissaoJaPaga ? "S" : "N";
    GuardarDeixadas(resultado.deixadas);
}

void TfrmPrincipal::ProcessarFases8e9()
{
    ContextoFase contexto = Contexto();
    GuardarDeixadas(ExecutarFases8e9(contexto));
}
