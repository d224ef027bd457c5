#include "app/UnPrincipal.h"

#include <cstdlib>

#include "comum/Apresentacao.h"
#include "app/ArquivoTrava.h"
#include "comum/Relogio.h"
#include "comum/Conversao.h"
#include "comum/Texto.h"
#include "db/SqlDatasets.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Processos.h"
#include "plataforma/SinaisFechamento.h"
#include "update/VerificarAtualizacao.h"

namespace {

const char* const kTituloAplicacao = "telmora Monitor Comissão";

// The update check's surroundings; the site host may be overridden by TELMORA_SITE_HOST.
AmbienteAtualizacao AmbienteDoPrograma()
{
    const char* host = std::getenv("TELMORA_SITE_HOST");
    return {NomeCompletoPrograma(), host && *host ? host : TELMORA_SITE_HOST_PADRAO, EncerrarProcessoImediatamente,
            SinalFechamentoPendente};
}

}  // namespace

TfrmPrincipal::TfrmPrincipal(Apresentacao& apresentacao, const Relogio& relogio, std::vector<std::string> argumentos,
                             Finalizador finalizar)
    : IBU_MovComissao(AtualizacaoMovComissao()),
      IBQ_MovComissao("IBQ_MovComissao", kSelecaoMovComissao, IBU_MovComissao),
      IBD_AcertoComissaoAtualizacao(AtualizacaoAcertoComissao()),
      IBD_AcertoComissao("IBD_AcertoComissao", kSelecaoAcertoComissao, IBD_AcertoComissaoAtualizacao),
      apresentacao_(apresentacao),
      relogio_(relogio),
      argumentos_(std::move(argumentos)),
      finalizar_(std::move(finalizar))
{
}

// Releasing the connection commits whatever is still open on it.
TfrmPrincipal::~TfrmPrincipal()
{
    DesconectarBanco();
}

bool TfrmPrincipal::ModoManual() const
{
    if (argumentos_.empty())
        return false;
    return Minusculas(argumentos_.front()) == "manual";
}

void TfrmPrincipal::FormCreate()
{
    criando_ = true;
    ExecutarTratado([this] {
        Caption = kTituloAplicacao;
        MostrarVersao();
        if (!ModoManual()) {
            const std::string pasta = PastaDadosServidor();
            const std::string programa = NomeCompletoPrograma();
            if (ExisteArquivoTrava(programa, pasta)) {
                apresentacao_.MostrarAviso(
                    "O aplicativo " + programa + " já está sendo executado em outra sessão de trabalho.", false, true);
                apresentacao_.EncerrarAplicacao();
            } else {
                CriarArquivoTrava(programa, pasta);
            }
        }
        ConectarBanco(LerCaminhoBanco());
        // A closing signal during the check: the event loop closes the program in order.
        if (!VerificarAtualizacao(apresentacao_, *IBD_BancoDados, 1, AmbienteDoPrograma()))
            return;
        const std::string hora = LerParametro("hr_atualizar_comissao");
        edtHoraAtualizacao.Text = hora.empty() ? relogio_.Agora().FormatoHora() : hora;
        DesconectarBanco();
        Timer2.Enabled = true;
        Timer1.Enabled = true;
        apresentacao_.Repintar();
        if (ModoManual())
            BitBtn2Click();
    });
    // A step that failed leaves the rest of the sequence undone; its
    // connection must not stay open for the life of the monitor.
    DesconectarBanco();
    criando_ = false;
}

void TfrmPrincipal::FormClose()
{
    if (!ModoManual())
        ApagarArquivoTrava(NomeCompletoPrograma(), PastaDadosServidor());
}

void TfrmPrincipal::ExibirErro(const std::exception& erro)
{
    Mensagem(erro.what(), kTituloAplicacao, Icone::Erro);
}

void TfrmPrincipal::ExecutarTratado(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& erro) {
        ExibirErro(erro);
    }
}

void TfrmPrincipal::Mostrar()
{
    if (criando_)
        return;
    Visible = true;
    apresentacao_.MostrarJanela();
}

void TfrmPrincipal::Esconder()
{
    if (criando_)
        return;
    Visible = false;
    apresentacao_.EsconderJanela();
}

void TfrmPrincipal::ShowWindow1Click()
{
    Mostrar();
    TrayIcon1.Visible = false;
    apresentacao_.Repintar();
}

void TfrmPrincipal::HideWindow1Click()
{
    Esconder();
}

void TfrmPrincipal::Exit1Click()
{
    FormClose();
    apresentacao_.EncerrarAplicacao();
}

void TfrmPrincipal::BitBtn1Click()
{
    Esconder();
    TrayIcon1.Visible = true;
    TrayIcon1.PopupAutomatico = true;
    apresentacao_.Repintar();
}

void TfrmPrincipal::SpinButton1UpClick()
{
    const auto hora = LerInteiro(edtHoraAtualizacao.Text);
    if (hora < 23)
        edtHoraAtualizacao.Text = std::to_string(hora + 1);
    apresentacao_.Repintar();
}

void TfrmPrincipal::SpinButton1DownClick()
{
    const auto hora = LerInteiro(edtHoraAtualizacao.Text);
    if (hora > 0)
        edtHoraAtualizacao.Text = std::to_string(hora - 1);
    apresentacao_.Repintar();
}

bool TfrmPrincipal::edtHoraAtualizacaoExit()
{
    const auto hora = LerInteiro(edtHoraAtualizacao.Text);
    if (hora >= 0 && hora <= 23)
        return true;
    Mensagem("A hora para atualização deve estar entre 0 e 23h", "Aviso Do Sistema", Icone::Aviso);
    return false;
}

void TfrmPrincipal::MostrarVersao()
{
    lblVersao.Caption = "Versão: " + DataModificacao(NomeCompletoPrograma()).FormatoTelaCurto();
    apresentacao_.Repintar();
}

void TfrmPrincipal::Mensagem(const std::string& texto, const std::string& titulo, Icone icone)
{
    apresentacao_.Mensagem(texto, titulo, icone);
}

void TfrmPrincipal::ProcessarMensagens()
{
    apresentacao_.ProcessarPendentes();
}

void TfrmPrincipal::MostrarFase(const std::string& caption)
{
    lblAguarde.Visible = true;
    lblAguarde.Caption = caption;
    apresentacao_.Repintar();
    ProcessarMensagens();
}

void TfrmPrincipal::IniciarGauge(int maximo, int posicao)
{
    Gauge1.Visible = true;
    Gauge1.MaxValue = maximo;
    Gauge1.Progress = posicao;
    apresentacao_.Repintar();
}

void TfrmPrincipal::AvancarGauge()
{
    ++Gauge1.Progress;
    apresentacao_.Repintar();
}
