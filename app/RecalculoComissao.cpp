// The recalculation run: the button, the 50-minute tick with its due test,
// the phases in their order, the closing statements, the warnings and the
// run's failure handling.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/ArquivoTrava.h"
#include "app/MonitorAtivo.h"
#include "app/UnPrincipal.h"
#include "comum/Apresentacao.h"
#include "comum/Conversao.h"
#include "comum/Literais.h"
#include "comum/Relogio.h"
#include "db/firebird/ErroBanco.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "update/AtualizarEstruturaParametro.h"

namespace {

const char* const kSemRodada = "00/00/0000 00:00";

// A tick or press that arrives through the event loop of a running run must
// not start a second one on the same fields and connection.
class MarcaRodada {
public:
    explicit MarcaRodada(bool& emAndamento) : emAndamento_(emAndamento) { emAndamento_ = true; }
    ~MarcaRodada() { emAndamento_ = false; }
    MarcaRodada(const MarcaRodada&) = delete;
    MarcaRodada& operator=(const MarcaRodada&) = delete;

private:
    bool& emAndamento_;
};

// One sentence per kind of source, each listing its sources with the reason:
// "Algumas NFs de venda não tiveram a comissão calculada: NF 123 (divisão por zero)."
std::string TextoFontesDeixadas(const std::vector<FonteDeixada>& deixadas)
{
    std::vector<std::string> grupos;
    for (const FonteDeixada& deixada : deixadas)
        if (std::find(grupos.begin(), grupos.end(), deixada.grupo) == grupos.end())
            grupos.push_back(deixada.grupo);
    std::string texto;
    for (const std::string& grupo : grupos) {
        std::string lista;
        for (const FonteDeixada& deixada : deixadas)
            if (deixada.grupo == grupo)
                lista += (lista.empty() ? " " : ", ") + deixada.fonte + " (" + deixada.motivo + ")";
        texto += (texto.empty() ? "" : " ") + grupo + lista + ".";
    }
    return texto;
}

}  // namespace

void TfrmPrincipal::BitBtn2Click()
{
    if (rodadaEmAndamento_)
        return;
    bMensagemClickBotao = true;
    Timer1.Reiniciar();
    Tela().Repintar();
    Timer1Timer();
}

void TfrmPrincipal::Timer1Timer()
{
    if (rodadaEmAndamento_)
        return;
    MarcaRodada marca(rodadaEmAndamento_);
    struct Liberacao {
        TfrmPrincipal& janela;
        ~Liberacao() { janela.DesconectarBanco(); }
    } liberacao{*this};

    try {
        ConectarBanco(LerCaminhoBanco());
        const DataHora ultimoInicio = lblInicioAtualizacao.Caption == kSemRodada
                                          ? DataHora()
                                          : DataHora::Ler(lblInicioAtualizacao.Caption);
        if (ModoManual()) {
            Mostrar();
            TrayIcon1.Visible = false;
            Tela().Repintar();
        }
        const DataHora agora = RelogioAtual().Agora();
        const bool devida = bMensagemClickBotao ||
                            (LerInteiro(edtHoraAtualizacao.Text) == LerInteiro(agora.FormatoHora()) &&
                             agora > ultimoInicio);
        if (devida && ReivindicarBanco()) {
            if (ModoSimulacao())
                simulacao_.emplace(Sessao);
            IniciarResumo();
            RecalculoComissao();
        }
    } catch (const RodadaInterrompida&) {
        TratarInterrupcao();
    } catch (const std::exception& erro) {
        TratarFalhaRodada(erro);
    }
    simulacao_.reset();
}

// The source that failed has gone back to its savepoint, so the release
// commits none of it; what earlier sources did stays. The operator is told; a lost
// connection ends the monitor, any other failure leaves both timers running,
// so the disconnect request is still obeyed and the next due hour tries again.
void TfrmPrincipal::TratarFalhaRodada(const std::exception& erro)
{
    // The claim holds the parameter rows the flag update writes.
    reivindicacao_.reset();
    Sessao.ConfirmarConcluido();
    ConcluirResumo(DesfechoRodada::Falha, erro.what());
    Mensagem(erro.what(), kTituloAviso, Icone::Erro);
    if (ErroDeConexao(erro)) {
        EncerrarPorConexaoPerdida();
        return;
    }
    if (ModoManual()) {
        DesconectarBanco();
        EncerrarComFalha(kSaidaRodadaFalhou);
    }
}

// A resident monitor without its database would wait for hours: it ends in
// order with a code a service manager restarts it on. Nothing on the way out
// may fail on the dead link and keep the program from ending.
void TfrmPrincipal::EncerrarPorConexaoPerdida()
{
    Timer1.Enabled = false;
    Timer2.Enabled = false;
    Tela().Repintar();
    try {
        MarcarMonitorAtivo(Sessao.Banco());
    } catch (const std::exception&) {
        // The link is gone: the flag stays as it was, as after a crash.
    }
    DesconectarBanco();
    if (!ModoManual()) {
        ApagarArquivoTrava(ServicosAtuais().programa, PastaDadosServidor());
        posseTrava_.reset();
        RegistrarFimMonitor("conexao");
    }
    EncerrarComFalha(kSaidaRodadaFalhou);
}

// The sources before the stop have committed; the run is logged as
// interrupted and the close that asked for the stop ends the program.
void TfrmPrincipal::TratarInterrupcao()
{
    reivindicacao_.reset();
    Sessao.ConfirmarConcluido();
    ConcluirResumo(DesfechoRodada::Interrompida, std::nullopt);
    if (ModoManual())
        codigoSaida_ = kSaidaInterrompida;
}

// Another installation's monitor running on the same database: this one
// touches nothing; a manual run ends, a resident one waits for its next tick.
bool TfrmPrincipal::ReivindicarBanco()
{
    reivindicacao_.emplace(*Sessao.IBD_BancoDados);
    if (reivindicacao_->Tomar())
        return true;
    reivindicacao_.reset();
    const std::string texto =
        "Outro monitor está processando as comissões deste banco de dados; esta rodada não "
        "foi feita.";
    Registrar(EventoAviso(texto, std::chrono::system_clock::now()));
    Mensagem(texto, kTituloAviso, Icone::Aviso);
    if (ModoManual()) {
        DesconectarBanco();
        EncerrarComFalha(kSaidaBancoOcupado);
    }
    return false;
}

// The report is shown and, when asked, written for a spreadsheet; the
// database is back as it was before either.
void TfrmPrincipal::ConcluirSimulacao()
{
    const RelatorioSimulacao relatorio = simulacao_->Concluir(rodada_.Deixadas());
    simulacao_.reset();
    Tela().MostrarRelatorio("Simulação da rodada", TextoSimulacao(relatorio));
    if (!ArquivoCsvSimulacao.empty())
        GravarArquivo(ArquivoCsvSimulacao, CsvSimulacao(relatorio));
}

void TfrmPrincipal::IniciarResumo()
{
    resumo_ = ResumoRodada{};
    resumo_->inicio = std::chrono::system_clock::now();
    resumo_->modo = ModoSimulacao() ? ModoRodada::Simulacao : ModoManual() ? ModoRodada::Manual : ModoRodada::Residente;
    resumo_->banco = Sessao.Banco()->NomeBanco;
    Registrar(EventoInicio(*resumo_));
}

void TfrmPrincipal::FecharFaseDoResumo()
{
    if (resumo_->fases.empty())
        return;
    const std::chrono::duration<double> decorrido = std::chrono::steady_clock::now() - inicioFase_;
    resumo_->fases.back().segundos = decorrido.count();
    Registrar(EventoFase(resumo_->fases.back(), std::chrono::system_clock::now()));
}

void TfrmPrincipal::ConcluirResumo(DesfechoRodada desfecho, const std::optional<std::string>& falha)
{
    if (!resumo_)
        return;
    FecharFaseDoResumo();
    ResumoRodada resumo = std::move(*resumo_);
    resumo_.reset();
    resumo.fim = std::chrono::system_clock::now();
    resumo.deixadas = rodada_.Deixadas();
    resumo.falha = falha;
    resumo.desfecho = desfecho;
    if (falha)
        Registrar(EventoFalha(*falha, resumo.fim));
    Registrar(EventoFim(resumo));
}

// The log sits in the server data folder, beside the lock file: the folder
// of the server ini this tick read. A log that cannot be written is told,
// once, and the run goes on.
void TfrmPrincipal::Registrar(const EventoRodada& evento)
{
    if (const auto erro = registro_.Registrar(PastaComSeparador(it_sLocaIniServidor), {evento}))
        Tela().Mensagem(*erro, kTituloAviso, Icone::Aviso);
    Tela().MostrarRegistro(LinhaRegistro(evento), evento.nivel);
}

// Only a monitor whose start the log has gets its end there.
void TfrmPrincipal::RegistrarFimMonitor(const std::string& motivo)
{
    if (!monitorIniciado_)
        return;
    monitorIniciado_ = false;
    Registrar(EventoFimMonitor(motivo, std::chrono::system_clock::now()));
}

void TfrmPrincipal::MostrarAvisos()
{
    const std::pair<TipoFonte, const char*> avisos[] = {
        {TipoFonte::NotaVenda,
         "Algumas NFs de venda não tiveram a comissão atualizada pois já foram gerados pagamentos de "
         "comissão."},
        {TipoFonte::Duplicata,
         "Algumas Duplicatas não tiveram a comissão atualizada pois já foram gerados pagamentos de "
         "comissão."},
        {TipoFonte::Acerto,
         "Alguns Acertos de Comissão não tiveram a comissão atualizada pois já foram gerados "
         "pagamentos de comissão."},
    };
    for (const auto& [tipo, texto] : avisos)
        if (rodada_.ComissaoJaPaga(tipo))
            Mensagem(texto, kTituloAviso, Icone::Aviso);
    if (!rodada_.Deixadas().empty())
        Mensagem(TextoFontesDeixadas(rodada_.Deixadas()), kTituloAviso, Icone::Aviso);
}

void TfrmPrincipal::RecalculoComissao()
{
    lblInicioAtualizacao.Caption = RelogioAtual().Agora().FormatoTela();
    rodada_ = ResultadoRodada{};
    lblAguarde.Visible = true;
    Gauge1.Visible = true;
    Gauge1.Progress = 1;
    Tela().Repintar();

    ProcessarFase1();
    ProcessarFases2a4();
    ProcessarFase5();
    ProcessarFase6();
    ProcessarFase7();
    ProcessarFases8e9();
    reivindicacao_.reset();

    // The hour typed in the window reaches the statement as a number: a text
    // that is not one fails here instead of becoming part of the statement.
    Sessao.IBQ_Gen.Executar(" update tab_parametro set hr_atualizar_comissao = " +
                            LiteralInteiro(LerInteiro(edtHoraAtualizacao.Text)));
    Sessao.IBQ_Gen.Executar(" commit");
    // Equivalent to " delete from mov_comissao where vl_comissao = 0", the same
    // rows (a null value stays with both): that text reads every row the
    // company ever wrote, while the run's index on this expression holds the
    // rows worth nothing apart from all others.
    Sessao.IBQ_Gen.Executar(std::string(" delete from mov_comissao where ") + kComissaoZerada + " = 0");
    Sessao.IBQ_Gen.Executar(" commit");

    MostrarAvisos();

    lblAguarde.Visible = false;
    Gauge1.Visible = false;
    Gauge1.Progress = 0;
    lblUltimaAtualizacao.Caption = RelogioAtual().Agora().FormatoTela();
    Tela().Repintar();

    if (bMensagemClickBotao) {
        if (rodada_.Encontrou())
            Mensagem("Processamento concluído com sucesso!", kTituloAviso, Icone::Informacao);
        else
            Mensagem("Nenhum registro encontrado para atualização.", kTituloAviso, Icone::Aviso);
    }
    bMensagemClickBotao = false;
    MarcarMonitorAtivo(Sessao.Banco());
    ConcluirResumo(DesfechoRodada::Ok, std::nullopt);
    if (simulacao_)
        ConcluirSimulacao();

    if (ModoManual())
        EncerrarManual();
}

// A manual run's program ends here, with code 0.
void TfrmPrincipal::EncerrarManual()
{
    DesconectarBanco();
    FinalizarProcessoPorNome(kPrograma);
}
