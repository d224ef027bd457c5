#include "commission/FontePendente.h"

#include "commission/Progresso.h"
#include "comum/Erros.h"
#include "comum/Texto.h"
#include "db/SessaoBanco.h"

namespace {

// "Divisão por zero." reads "divisão por zero" inside the warning's list.
std::string Motivo(const ErroAritmetico& erro)
{
    std::string motivo = erro.what();
    while (!motivo.empty() && motivo.back() == '.')
        motivo.pop_back();
    return motivo.empty() ? motivo : Minusculas(motivo.substr(0, 1)) + motivo.substr(1);
}

}  // namespace

UnidadeFonte::UnidadeFonte(ContextoFase& contexto) : contexto_(contexto)
{
    contexto_.linhasDaFonte = 0;
}

UnidadeFonte::~UnidadeFonte()
{
    if (!confirmada_)
        contexto_.sessao.IBT_Gen.Desfazer();
}

void UnidadeFonte::Confirmar()
{
    contexto_.sessao.IBT_Gen.ConfirmarPorComando();
    confirmada_ = true;
    contexto_.progresso.ContarFonte(contexto_.linhasDaFonte);
}

bool ProcessarFonte(ContextoFase& contexto, std::vector<FonteDeixada>& deixadas, const std::string& grupo,
                    const std::function<std::string()>& fonte, const std::function<void()>& tratar)
{
    try {
        UnidadeFonte unidade(contexto);
        tratar();
        unidade.Confirmar();
        return true;
    } catch (const ErroAritmetico& erro) {
        deixadas.push_back({fonte(), Motivo(erro), grupo});
        return false;
    }
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
