// The phases as the run calls them: each hands the session, the model as
// progress display and the clock to the phase code, and keeps in the
// model's fields what the run and its warnings need.
#include "app/UnPrincipal.h"
#include "commission/Fases.h"

ContextoFase TfrmPrincipal::Contexto()
{
    return ContextoFase{Sessao, *this, RelogioAtual()};
}

void TfrmPrincipal::ProcessarFase1()
{
    ContextoFase contexto = Contexto();
    it_MatrizComissaoPorVendedor = ExecutarFase1(contexto, Gauge1.Progress);
}

void TfrmPrincipal::ProcessarFases2a4()
{
    ContextoFase contexto = Contexto();
    ExecutarFases2a4(contexto);
}

void TfrmPrincipal::ProcessarFase5()
{
    ContextoFase contexto = Contexto();
    const ResultadoFontes resultado = ExecutarFase5(contexto);
    bMensagemComercio = resultado.encontrou;
    sSituacao1 = resultado.comissaoJaPaga ? "S" : "N";
}

void TfrmPrincipal::ProcessarFase6()
{
    ContextoFase contexto = Contexto();
    const ResultadoFase6 resultado = ExecutarFase6(contexto);
    bMensagemFinanceiro = resultado.fontes.encontrou;
    sSituacao2 = resultado.fontes.comissaoJaPaga ? "S" : "N";
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
}

void TfrmPrincipal::ProcessarFases8e9()
{
    ContextoFase contexto = Contexto();
    ExecutarFases8e9(contexto);
}
