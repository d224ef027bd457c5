#include "app/UnPrincipal.h"

#include <cstdlib>

#include "app/ArquivoTrava.h"
#include "comum/Apresentacao.h"
#include "comum/Conversao.h"
#include "comum/Relogio.h"
#include "comum/Texto.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Processos.h"
#include "update/AtualizarEstruturaParametro.h"
#include "update/CaminhosAtualizacao.h"
#include "update/VerificarAtualizacao.h"

namespace {

const char* const kTituloAplicacao = "telmora Monitor Comissão";

// A monitor that died (SIGKILL, a power cut) leaves its file behind but not
// its advisory lock: the next start tells so and takes its place.
std::string TextoTravaRetomada(const std::string& programa)
{
    return "O monitor " + programa +
           " anterior terminou sem apagar seu arquivo de trava; este monitor assume o seu lugar.";
}

}  // namespace

TfrmPrincipal::TfrmPrincipal(Apresentacao& apresentacao, Servicos servicos, std::vector<std::string> argumentos)
    : tela_(apresentacao), servicos_(std::move(servicos)), argumentos_(std::move(argumentos))
{
}

TfrmPrincipal::~TfrmPrincipal() = default;

bool TfrmPrincipal::ModoManual() const
{
    if (argumentos_.empty())
        return false;
    return Minusculas(argumentos_.front()) == "manual" || ModoSimulacao() || ModoExplicacao();
}

bool TfrmPrincipal::ModoSimulacao() const
{
    return !argumentos_.empty() && Minusculas(argumentos_.front()) == "simular";
}

bool TfrmPrincipal::ModoExplicacao() const
{
    return !argumentos_.empty() && Minusculas(argumentos_.front()) == "explicar";
}

void TfrmPrincipal::FormCreate()
{
    criando_ = true;
    std::string pastaTrava;  // set once this start has created its lock
    SituacaoTrava trava = SituacaoTrava::Nova;
    const bool concluiu = ExecutarTratado([&] {
        Caption = kTituloAplicacao;
        MostrarVersao();
        if (!ModoManual()) {
            const std::string pasta = PastaDadosServidor();
            trava = TravarResidente(pasta);
            if (trava != SituacaoTrava::Duplicada)
                pastaTrava = pasta;
        }
        ConectarBanco(LerCaminhoBanco());
        if (trava == SituacaoTrava::Retomada)
            Registrar(EventoTravaRetomada(servicos_.programa, std::chrono::system_clock::now()));
        // A closing signal during the check: the event loop closes the program in order.
        const AmbienteAtualizacao ambiente{servicos_.programa, servicos_.hostSite, servicos_.encerrarProprio,
                                           servicos_.sinalFechamentoPendente};
        // Mode 1 compares and hands over; the packaged program's updates are the package manager's.
        const int modo = servicos_.executavel.empty() ? 1 : 0;
        // A simulation or an explanation writes nothing: neither an update
        // nor the run's indexes.
        if (!ModoSimulacao() && !ModoExplicacao()) {
            if (!VerificarAtualizacao(tela_, *Sessao.IBD_BancoDados, modo, CaminhosDaAtualizacao(), ambiente))
                return;
            GarantirIndicesDoCalculo(*Sessao.IBD_BancoDados);
        }
        const std::string hora = Sessao.LerParametro("hr_atualizar_comissao");
        edtHoraAtualizacao.Text = hora.empty() ? RelogioAtual().Agora().FormatoHora() : hora;
        Timer2.Enabled = true;
        Timer1.Enabled = true;
        tela_.Repintar();
        if (!ModoManual()) {
            Registrar(EventoInicioMonitor(servicos_.programa, Sessao.Banco()->NomeBanco, edtHoraAtualizacao.Text,
                                          std::chrono::system_clock::now()));
            monitorIniciado_ = true;
        }
        DesconectarBanco();
        // A start-up step that asked to end has already told why; no run follows it.
        if (ModoExplicacao() && !tela_.FimPedido())
            ExplicarFonte();
        else if (ModoManual() && !tela_.FimPedido())
            BitBtn2Click();
    });
    // A step that failed leaves the rest of the sequence undone; its
    // connection must not stay open for the life of the monitor.
    DesconectarBanco();
    criando_ = false;
    const bool duplicado = trava == SituacaoTrava::Duplicada;
    const bool naoIniciou = codigoSaida_ == 0 && (!concluiu || (tela_.FimPedido() && !duplicado));
    if (!naoIniciou)
        return;
    // The next start must not find this start's lock and refuse as a duplicate.
    if (!pastaTrava.empty())
        ApagarArquivoTrava(servicos_.programa, pastaTrava);
    posseTrava_.reset();
    EncerrarComFalha(kSaidaNaoIniciou);
}

TfrmPrincipal::SituacaoTrava TfrmPrincipal::TravarResidente(const std::string& pasta)
{
    const std::string& programa = servicos_.programa;
    const bool existia = ExisteArquivoTrava(programa, pasta);
    if (!existia)
        CriarArquivoTrava(programa, pasta);
    posseTrava_ = TomarArquivoTrava(programa, pasta);
    if (!posseTrava_) {
        tela_.MostrarAviso("O aplicativo " + programa + " já está sendo executado em outra sessão de trabalho.", false,
                           true);
        tela_.EncerrarAplicacao();
        return SituacaoTrava::Duplicada;
    }
    if (!existia)
        return SituacaoTrava::Nova;
    tela_.MostrarAviso(TextoTravaRetomada(programa), false, true);
    CriarArquivoTrava(programa, pasta);
    return SituacaoTrava::Retomada;
}

void TfrmPrincipal::EncerrarComFalha(int codigo)
{
    codigoSaida_ = codigo;
    if (!tela_.FimPedido())
        tela_.EncerrarAplicacao();
}

void TfrmPrincipal::FormClose()
{
    if (ModoManual())
        return;
    ApagarArquivoTrava(servicos_.programa, PastaDadosServidor());
    posseTrava_.reset();
    RegistrarFimMonitor("fechamento");
}

void TfrmPrincipal::ExibirErro(const std::exception& erro)
{
    Mensagem(erro.what(), kTituloAplicacao, Icone::Erro);
}

bool TfrmPrincipal::ExecutarTratado(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& erro) {
        ExibirErro(erro);
        return false;
    }
}

// A manual run happens while the window is being created; it shows the
// window so its progress can be watched.
void TfrmPrincipal::Mostrar()
{
    if (criando_ && !ModoManual())
        return;
    Visible = true;
    tela_.MostrarJanela();
}

void TfrmPrincipal::Esconder()
{
    if (criando_)
        return;
    Visible = false;
    tela_.EsconderJanela();
}

void TfrmPrincipal::ShowWindow1Click()
{
    Mostrar();
    TrayIcon1.Visible = false;
    tela_.Repintar();
}

void TfrmPrincipal::HideWindow1Click()
{
    Esconder();
}

void TfrmPrincipal::Exit1Click()
{
    FormClose();
    tela_.EncerrarAplicacao();
}

void TfrmPrincipal::BitBtn1Click()
{
    Esconder();
    TrayIcon1.Visible = true;
    TrayIcon1.PopupAutomatico = true;
    tela_.Repintar();
}

void TfrmPrincipal::SpinButton1UpClick()
{
    const auto hora = LerInteiro(edtHoraAtualizacao.Text);
    if (hora < 23)
        edtHoraAtualizacao.Text = std::to_string(hora + 1);
    tela_.Repintar();
}

void TfrmPrincipal::SpinButton1DownClick()
{
    const auto hora = LerInteiro(edtHoraAtualizacao.Text);
    if (hora > 0)
        edtHoraAtualizacao.Text = std::to_string(hora - 1);
    tela_.Repintar();
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
    const std::string& arquivo = servicos_.executavel.empty() ? servicos_.programa : servicos_.executavel;
    lblVersao.Caption = "Versão: " + DataModificacao(arquivo).FormatoTelaCurto();
    tela_.Repintar();
}

// A run's warning reaches the log before its box waits for the operator.
void TfrmPrincipal::Mensagem(const std::string& texto, const std::string& titulo, Icone icone)
{
    if (resumo_ && icone == Icone::Aviso) {
        resumo_->avisos.push_back(texto);
        Registrar(EventoAviso(texto, std::chrono::system_clock::now()));
    }
    tela_.Mensagem(texto, titulo, icone);
}

void TfrmPrincipal::ProcessarMensagens()
{
    tela_.ProcessarPendentes();
}

void TfrmPrincipal::MostrarFase(int numero)
{
    if (resumo_) {
        FecharFaseDoResumo();
        resumo_->fases.push_back({numero, 0, 0, 0});
        inicioFase_ = std::chrono::steady_clock::now();
        Registrar(EventoInicioFase(numero, std::chrono::system_clock::now()));
    }
    lblAguarde.Visible = true;
    lblAguarde.Caption = "Fase " + std::to_string(numero) + "/9";
    tela_.Repintar();
    ProcessarMensagens();
}

void TfrmPrincipal::IniciarGauge(int maximo, int posicao)
{
    Gauge1.Visible = true;
    Gauge1.MaxValue = maximo;
    Gauge1.Progress = posicao;
    tela_.Repintar();
}

void TfrmPrincipal::ContarFonte(int linhas)
{
    if (!resumo_ || resumo_->fases.empty())
        return;
    ++resumo_->fases.back().fontes;
    resumo_->fases.back().linhas += linhas;
}

void TfrmPrincipal::AvancarGauge()
{
    ++Gauge1.Progress;
    tela_.Repintar();
}
