// The phases as the run calls them: each hands the session, the model as
// progress display and the clock to the phase code, and adds what it found
// to the run's result.

#include "app/UnPrincipal.h"

ContextoFase TfrmPrincipal::Contexto()
{
    return ContextoFase{Sessao, *this, RelogioAtual()};
}

// Only the sources no earlier phase of the run left reach the log.
void TfrmPrincipal::RegistrarDeixadas(const std::vector<FonteDeixada>& novas)
{
    for (const FonteDeixada& deixada : novas)
        Registrar(EventoDeixada(deixada, std::chrono::system_clock::now()));
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
    RegistrarDeixadas(rodada_.Somar(ExecutarFase1(contexto, Gauge1.Progress)));
}

void TfrmPrincipal::ProcessarFases2a4()
{
    ContextoFase contexto = Contexto();
    RegistrarDeixadas(rodada_.Somar(ExecutarFases2a4(contexto)));
}

void TfrmPrincipal::ProcessarFase5()
{
    ContextoFase contexto = Contexto();
    const ResultadoFontes resultado = ExecutarFase5(contexto, rodada_.NotasDeixadasFase1());
    RegistrarDeixadas(rodada_.Somar(TipoFonte::NotaVenda, resultado));
}

void TfrmPrincipal::ProcessarFase6()
{
    ContextoFase contexto = Contexto();
    const ResultadoFontes resultado = ExecutarFase6(contexto, rodada_.NotasDeixadasFase1());
    RegistrarDeixadas(rodada_.Somar(TipoFonte::Duplicata, resultado));
}

void TfrmPrincipal::ProcessarFase7()
{
    ContextoFase contexto = Contexto();
    RegistrarDeixadas(rodada_.Somar(TipoFonte::Acerto, ExecutarFase7(contexto)));
}

void TfrmPrincipal::ProcessarFases8e9()
{
    ContextoFase contexto = Contexto();
    RegistrarDeixadas(rodada_.Somar(ExecutarFases8e9(contexto)));
}
