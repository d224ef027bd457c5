#include "commission/FontePendente.h"

#include "app/UnPrincipal.h"

void PercorrerPendentes(TfrmPrincipal& janela, Consulta& pendentes, const std::string& sql, bool& encontrou,
                        const std::function<void()>& tratar)
{
    janela.Abrir(pendentes, sql);
    pendentes.Ultimo();
    pendentes.Primeiro();
    if (pendentes.QuantidadeRegistros() > 0) {
        janela.IniciarGauge(pendentes.QuantidadeRegistros(), 0);
        encontrou = true;
    }
    while (!pendentes.Fim()) {
        janela.ProcessarMensagens();
        janela.AvancarGauge();
        tratar();
        pendentes.Proximo();
    }
}

bool ComissaoJaPaga(TfrmPrincipal& janela, const std::string& sqlContagem)
{
    janela.Abrir(janela.IBQ_Pesquisa, sqlContagem);
    return janela.IBQ_Pesquisa.Campo("qtde").Inteiro() > 0;
}

void ExecutarEConfirmar(TfrmPrincipal& janela, const std::string& sql)
{
    janela.Executar(janela.IBQ_Gen, sql);
    janela.Executar(janela.IBQ_Gen, " commit");
}
