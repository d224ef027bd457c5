#include "commission/FontePendente.h"

#include "commission/Progresso.h"
#include "db/SessaoBanco.h"

bool PercorrerPendentes(ContextoFase& contexto, Consulta& pendentes, const std::string& sql,
                        const std::function<void()>& tratar)
{
    pendentes.Abrir(sql);
    pendentes.Ultimo();
    pendentes.Primeiro();
    const bool encontrou = pendentes.QuantidadeRegistros() > 0;
    if (encontrou)
        contexto.progresso.IniciarGauge(pendentes.QuantidadeRegistros(), 0);
    while (!pendentes.Fim()) {
        contexto.progresso.ProcessarMensagens();
        contexto.progresso.AvancarGauge();
        tratar();
        pendentes.Proximo();
    }
    return encontrou;
}

bool ComissaoJaPaga(SessaoBanco& sessao, const std::string& sqlContagem)
{
    sessao.IBQ_Pesquisa.Abrir(sqlContagem);
    return sessao.IBQ_Pesquisa.Campo("qtde").Inteiro() > 0;
}

void ExecutarEConfirmar(SessaoBanco& sessao, const std::string& sql)
{
    sessao.IBQ_Gen.Executar(sql);
    sessao.IBQ_Gen.Executar(" commit");
}
