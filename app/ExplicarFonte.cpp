// An explanation of one source: asked on the command line (the program then
// ends, as after a manual run) or for an invoice number typed in the window.
#include <string>
#include <vector>

#include "app/TextoExplicacao.h"
#include "app/UnPrincipal.h"
#include "comum/Apresentacao.h"

namespace {

std::string TextoNaoEncontrada(const PedidoExplicacao& pedido)
{
    switch (pedido.tipo) {
    case PedidoExplicacao::Tipo::Nota:
        return "Nenhuma NF de número " + pedido.numero + " foi encontrada.";
    case PedidoExplicacao::Tipo::Duplicata:
        return "Nenhuma duplicata de identificador " + pedido.numero + " foi encontrada.";
    case PedidoExplicacao::Tipo::Acerto:
        return "Nenhum acerto de identificador " + pedido.numero + " foi encontrado.";
    }
    return "";
}

}  // namespace

// A failure is told and ends the program with the code of a failed run.
void TfrmPrincipal::ExplicarFonte()
{
    bool explicada = false;
    try {
        explicada = MostrarExplicacao(LerPedidoExplicacao(argumentos_));
    } catch (const std::exception& erro) {
        DesconectarBanco();
        Mensagem(erro.what(), kTituloAviso, Icone::Erro);
    }
    if (explicada)
        EncerrarManual();
    else
        EncerrarComFalha(kSaidaRodadaFalhou);
}

void TfrmPrincipal::ExplicarNotaClick(const std::string& numero)
{
    if (rodadaEmAndamento_) {
        Mensagem("Aguarde o fim da atualização das comissões para pedir uma explicação.", kTituloAviso, Icone::Aviso);
        return;
    }
    ExecutarTratado([&] { MostrarExplicacao({PedidoExplicacao::Tipo::Nota, numero}); });
    DesconectarBanco();
}

bool TfrmPrincipal::MostrarExplicacao(const PedidoExplicacao& pedido)
{
    ConectarBanco(LerCaminhoBanco());
    const std::vector<Explicacao> explicacoes = Explicar(Sessao, RelogioAtual(), pedido);
    DesconectarBanco();
    if (explicacoes.empty()) {
        Mensagem(TextoNaoEncontrada(pedido), kTituloAviso, Icone::Aviso);
        return false;
    }
    Tela().MostrarRelatorio("Explicação: " + explicacoes.front().fonte,
                            ExplicacaoEmJson ? JsonExplicacoes(explicacoes) : TextoExplicacoes(explicacoes));
    return true;
}
