// The one writer of commission movements, shared by phases 5, 6 and 7.
#include "app/UnPrincipal.h"

void TfrmPrincipal::GravarMovimentoComissao(const std::function<void(DatasetInsercao&)>& preencher)
{
    if (!IBQ_MovComissao.Ativa())
        IBQ_MovComissao.Abrir();
    IBQ_MovComissao.Inserir();
    preencher(IBQ_MovComissao);
    IBQ_MovComissao.Postar();
    IBQ_MovComissao.AplicarAtualizacoes();
    IBQ_MovComissao.TransacaoAtual()->ConfirmarMantendo();
    ProcessarMensagens();
}
