#pragma once
// The main window model: the controls' state, the run's database session and
// the run's result as its phases add it up. The phases' work is
// done by commission/; the model hands them its session, itself as their
// progress display and plain values. It reaches a front-end only through
// Apresentacao and its surroundings only through Servicos.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Controles.h"
#include "app/ExplicacaoFonte.h"
#include "app/RegistroRodada.h"
#include "app/Servicos.h"
#include "app/SimulacaoRodada.h"
#include "app/TelaObservada.h"
#include "commission/ContextoFase.h"
#include "commission/Fases.h"
#include "commission/Progresso.h"
#include "commission/ResultadoRodada.h"
#include "comum/Apresentacao.h"
#include "db/ReivindicacaoBanco.h"
#include "db/SessaoBanco.h"
#include "plataforma/TravaConsultiva.h"

struct CaminhosAtualizacao;

class TfrmPrincipal : public Progresso {
public:
    // argumentos: the command line without the program name.
    TfrmPrincipal(Apresentacao& apresentacao, Servicos servicos, std::vector<std::string> argumentos);
    ~TfrmPrincipal() override;
    TfrmPrincipal(const TfrmPrincipal&) = delete;
    TfrmPrincipal& operator=(const TfrmPrincipal&) = delete;

    // ---- window and controls -------------------------------------------
    std::string Caption = "telmora Monitor Comissão";
    bool Visible = false;
    Rotulo GroupBox1{"Programação Diária"};
    Rotulo Label2{"Hora para Atualização:"};
    CaixaTexto edtHoraAtualizacao;
    Rotulo GroupBox2{"Última Atualização"};
    Rotulo Label3{"Início:"};
    Rotulo lblInicioAtualizacao{"00/00/0000 00:00"};
    Rotulo Label1{"Final:"};
    Rotulo lblUltimaAtualizacao{"00/00/0000 00:00"};
    Rotulo lblVersao{"lblVersao"};
    Rotulo lblAguarde{"Aguarde...", false};
    Medidor Gauge1;
    Rotulo BitBtn2{"Atualizar as Comissões"};
    Rotulo BitBtn1{"Minimizar"};
    Rotulo btnExplicarNF{"Explicar NF..."};
    IconeBandeja TrayIcon1{"telmora Monitor Comissão"};
    ItemMenu ShowWindow1{"&Abrir Monitor Comissão"};
    ItemMenu HideWindow1{"&Minimizar Monitor de Comissão 2", false};
    ItemMenu ExplicarNF1{"E&xplicar NF..."};
    ItemMenu N1{"-"};
    ItemMenu Exit1{"&Sair"};
    Temporizador Timer1{3'000'000};
    Temporizador Timer2{5'000};

    // ---- handlers (app/UnPrincipal.cpp unless noted) -------------------
    void FormCreate();
    void FormClose();
    void ShowWindow1Click();
    void HideWindow1Click();
    void Exit1Click();
    void BitBtn1Click();
    void BitBtn2Click();  // app/RecalculoComissao.cpp
    // The operator typed an invoice number to be explained (app/ExplicarFonte.cpp).
    void ExplicarNotaClick(const std::string& numero);
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    bool edtHoraAtualizacaoExit();  // false: the focus stays in the edit
    void Timer1Timer();             // app/RecalculoComissao.cpp
    void Timer2Timer();             // app/Monitor.cpp
    void MostrarVersao();

    // An error that escapes a handler: its text in a message box captioned
    // with the application title, error icon; the program goes on.
    void ExibirErro(const std::exception& erro);
    // Runs a handler behind the generic error display; false when it failed.
    bool ExecutarTratado(const std::function<void()>& handler);

    // ---- mode and front-end helpers --------------------------------------
    // The first argument, lower-cased, is "manual", "simular" or
    // "explicar": a simulation is a manual run whose writes are all rolled
    // back; an explanation shows one source's computation instead of a run.
    bool ModoManual() const;
    bool ModoSimulacao() const;
    bool ModoExplicacao() const;
    // Where a simulation also writes its per-source lines; none when empty.
    std::string ArquivoCsvSimulacao;
    // An explanation for a program to read instead of a person.
    bool ExplicacaoEmJson = false;
    void Mostrar();
    void Esconder();
    void FinalizarProcessoPorNome(const std::string& nome) { servicos_.finalizarProcesso(nome); }
    // The monitor's own file name, the one an end by name looks for.
    static constexpr const char* kPrograma = "telmoraComissao2.exe";
    // The caption of the program's warnings and error boxes.
    static constexpr const char* kTituloAviso = "Aviso do Sistema";
    Apresentacao& Tela() { return tela_; }
    const Relogio& RelogioAtual() const { return servicos_.relogio; }
    const Servicos& ServicosAtuais() const { return servicos_; }

    // ---- progress of a run (Progresso) -------------------------------------
    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone) override;
    void ProcessarMensagens() override;
    void MostrarFase(int numero) override;                // lblAguarde visible with the caption, repaint, messages
    void IniciarGauge(int maximo, int posicao) override;  // Gauge1 visible
    void AvancarGauge() override;
    void ContarFonte(int linhas) override;
    void SepararFonte(const std::string& fonte, const std::string& motivo) override;
    bool ParadaPedida() const override;
    // A close asked while a run is in progress: the run stops before its
    // next source.
    void PedirParada() { paradaPedida_ = rodadaEmAndamento_; }

    // ---- the run's database objects and query operations -------------------
    SessaoBanco Sessao;

    // ---- fields of the run ------------------------------------------------
    bool bMensagemClickBotao = false;  // the run the button started ends with a message
    std::string it_sLocaIniServidor;

    // ---- connection configuration (app/ConfiguracaoConexao.cpp) ----------
    std::string PastaDadosServidor();
    std::string LerCaminhoBanco();
    void ConectarBanco(const std::string& local);
    // From the server ini that LerCaminhoBanco found last.
    CaminhosAtualizacao CaminhosDaAtualizacao() const;
    void DesconectarBanco();

    // ---- single instance and liveness (app/Monitor.cpp) -------------------
    bool ConexaoLiberada();

    // ---- the run (app/RecalculoComissao.cpp) -------------------------------
    void RecalculoComissao();

    // ---- phases (app/Fases.cpp; the work is in commission/) ----------------
    void ProcessarFase1();
    void ProcessarFases2a4();
    void ProcessarFase5();
    void ProcessarFase6();
    void ProcessarFase7();
    void ProcessarFases8e9();

    // The exit code of an end the model asked for: 0; 1 for a manual run
    // that failed or a lost connection; 2 for a start-up that could not
    // complete; 3 for a manual run stopped by a close; 4 for a manual run
    // that found another monitor running on its database.
    int CodigoSaida() const { return codigoSaida_; }
    static constexpr int kSaidaRodadaFalhou = 1;
    static constexpr int kSaidaNaoIniciou = 2;
    static constexpr int kSaidaInterrompida = 3;
    static constexpr int kSaidaBancoOcupado = 4;

private:
    // A resident start's lock file: created, taken over from a monitor that
    // died, or held by a live one (the duplicate start, which is told and
    // asks the program to end).
    enum class SituacaoTrava { Nova, Retomada, Duplicada };
    SituacaoTrava TravarResidente(const std::string& pasta);

    ContextoFase Contexto();
    void RegistrarDeixadas(const std::vector<FonteDeixada>& novas);
    void MostrarAvisos();
    void IniciarResumo();
    void FecharFaseDoResumo();
    void ConcluirResumo(DesfechoRodada desfecho, const std::optional<std::string>& falha);
    // Writes the event to the log in the data folder and shows its line.
    void Registrar(const EventoRodada& evento);
    void RegistrarFimMonitor(const std::string& motivo);
    void TratarFalhaRodada(const std::exception& erro);
    void TratarInterrupcao();
    bool ReivindicarBanco();
    void EncerrarPorConexaoPerdida();
    void EncerrarComFalha(int codigo);
    void ConcluirSimulacao();
    void EncerrarManual();
    void ExplicarFonte();
    bool MostrarExplicacao(const PedidoExplicacao& pedido);

    TelaObservada tela_;
    Servicos servicos_;
    std::vector<std::string> argumentos_;
    bool criando_ = false;
    bool rodadaEmAndamento_ = false;
    bool paradaPedida_ = false;
    bool monitorIniciado_ = false;  // a resident monitor past its start-up, as the log has it
    int codigoSaida_ = 0;
    ResultadoRodada rodada_;              // of the run in progress
    RegistroRodada registro_;             // one per program, so a broken log is told once
    std::optional<ResumoRodada> resumo_;  // of the run in progress
    std::chrono::steady_clock::time_point inicioFase_;
    std::optional<TravaConsultiva> posseTrava_;
    std::optional<SimulacaoRodada> simulacao_;         // of the simulated run in progress
    std::optional<ReivindicacaoBanco> reivindicacao_;  // of the run in progress, up to its closing statements  // a
                                                       // resident monitor's, for its whole life
};
