#include "commission/MovimentoComissao.h"

#include "commission/Progresso.h"
#include "db/SessaoBanco.h"

void GravarMovimentoComissao(ContextoFase& contexto, const std::function<void(DatasetInsercao&)>& preencher)
{
    DatasetInsercao& movimento = contexto.sessao.IBQ_MovComissao;
    if (!movimento.Ativa())
        movimento.Abrir();
    movimento.Inserir();
    preencher(movimento);
    movimento.Postar();
    movimento.AplicarAtualizacoes();
    ++contexto.linhasDaFonte;
    contexto.progresso.ProcessarMensagens();
}
