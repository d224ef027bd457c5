#pragma once
// The main window model: the controls' state, the database objects and the
// fields through which the phases report to the run. Its operations are
// defined beside the subsystem they belong to (db/, commission/, update/,
// app/); it reaches a front-end only through Apresentacao.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comum/Apresentacao.h"
#include "app/Controles.h"
#include "commission/RateioComissao.h"
#include "comum/Dinheiro.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/DatasetInsercao.h"
#include "db/firebird/Transacao.h"

class Relogio;

class TfrmPrincipal {
public:
    using Finalizador = std::function<void(const std::string&)>;

    // argumentos: the command line without the program name. finalizar ends a
    // process by executable name (the platform's FinalizarProcesso unless a
    // test records the request instead).
    TfrmPrincipal(Apresentacao& apresentacao, const Relogio& relogio, std::vector<std::string> argumentos,
                  Finalizador finalizar);
    ~TfrmPrincipal();
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
    IconeBandeja TrayIcon1{"telmora Monitor Comissão"};
    ItemMenu ShowWindow1{"&Abrir Monitor Comissão"};
    ItemMenu HideWindow1{"&Minimizar Monitor de Comissão 2", false};
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
    void BitBtn2Click();                   // commission/RecalculoComissao.cpp
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    bool edtHoraAtualizacaoExit();         // false: the focus stays in the edit
    void Timer1Timer();                    // commission/RecalculoComissao.cpp
    void Timer2Timer();                    // app/Monitor.cpp
    void MostrarVersao();

    // An error that escapes a handler: its text in a message box captioned
    // with the application title, error icon; the program goes on.
    void ExibirErro(const std::exception& erro);
    // Runs a handler behind the generic error display.
    void ExecutarTratado(const std::function<void()>& handler);

    // ---- mode and front-end helpers --------------------------------------
    bool ModoManual() const;               // the first argument, lower-cased, is "manual"
    void Mostrar();
    void Esconder();
    void Mensagem(const std::string& texto, const std::string& titulo, Icone icone);
    void ProcessarMensagens();
    void MostrarFase(const std::string& caption);   // lblAguarde visible with the caption, repaint, messages
    void IniciarGauge(int maximo, int posicao);     // Gauge1 visible
    void AvancarGauge();
    void FinalizarProcessoPorNome(const std::string& nome) { finalizar_(nome); }
    Apresentacao& Tela() { return apresentacao_; }
    const Relogio& RelogioAtual() const { return relogio_; }

    // ---- database objects ------------------------------------------------
    std::unique_ptr<BancoDados> IBD_BancoDados;
    std::unique_ptr<Transacao> IBT_BancoDados;
    Transacao IBT_Gen{"IBT_Gen"};
    Consulta IBQ_Gen{"IBQ_Gen"};
    Consulta IBQ_Atualiza{"IBQ_Atualiza"};
    Consulta IBQ_Login{"IBQ_Login"};
    Consulta IBQ_Comercio{"IBQ_Comercio"};
    Consulta IBQ_Pesquisa{"IBQ_Pesquisa"};
    Consulta IBQ_Financeiro{"IBQ_Financeiro"};
    Consulta IBQ_AcertoComissao{"IBQ_AcertoComissao"};
    const ObjetoAtualizacao IBU_MovComissao;
    DatasetInsercao IBQ_MovComissao;
    const ObjetoAtualizacao IBD_AcertoComissaoAtualizacao;
    DatasetInsercao IBD_AcertoComissao;

    // ---- fields shared by the phases and the run -------------------------
    std::string sSituacao1, sSituacao2, sSituacao3;
    std::string it_sSql;
    bool bMensagemComercio = false;
    bool bMensagemFinanceiro = false;
    bool bMensagemAcerto = false;
    bool bMesnagemClickBotao = false;
    Dinheiro cFreteComissao;
    double fFatorParcela = 0;
    double fFatorDesconto = 0;
    TDynamicDoubleArray it_MatrizComissaoPorVendedor;
    std::string it_sLocaIniServidor;

    // ---- connection configuration (db/ConfiguracaoConexao.cpp) -----------
    std::string PastaDadosServidor();
    std::string LerCaminhoBanco();
    void ConectarBanco(const std::string& local);
    void DesconectarBanco();

    // ---- shared query operations (db/OperacoesConsulta.cpp) --------------
    void AbrirConsulta(Consulta& consulta, const std::string& sql);
    void ExecutarComando(Consulta& consulta, const std::string& sql, bool commitRetaining);
    void ExecutarComandoCommit(Consulta& consulta, const std::string& sql, bool commit);
    std::int64_t ProximoId(const std::string& tabela, const std::string& coluna);
    std::string LerParametro(const std::string& coluna);
    // Closes the query, sets the statement and executes or opens it, on
    // whatever transaction the query is bound to.
    void Executar(Consulta& consulta, const std::string& sql);
    void Abrir(Consulta& consulta, const std::string& sql);

    // ---- single instance and liveness (app/Monitor.cpp) -------------------
    bool ConexaoLiberada();

    // ---- the run (commission/RecalculoComissao.cpp) ----------------------
    void RecalculoComissao();

    // ---- phases (commission/) ---------------------------------------------
    void ProcessarFase1();
    void AtualizarCampoNota(std::int64_t idNota, const std::string& coluna, Dinheiro valor);
    // Fills the matrix from the invoice's item list, opened on itens, and
    // returns the product of each row.
    std::vector<std::int64_t> MontarMatrizComissao(std::int64_t idNota, Consulta& itens);
    std::int64_t LerFabricaProduto(std::int64_t idProduto);
    Dinheiro LerComissaoVendedor(std::int64_t empresa, std::int64_t vendedor, std::int64_t fabricante);
    void ProcessarFases2a4();
    void ProcessarFase5();
    bool VerificarDocumento(std::int64_t idNota);
    void ProcessarFase6();
    void ProcessarFase7();
    void ProcessarFases8e9();
    Dinheiro CalcularComissaoItens(std::int64_t idNota);
    Dinheiro CalcularReducaoComissao(std::int64_t idNota);
    // The one row writer of phases 5, 6 and 7: opens IBQ_MovComissao when
    // needed, inserts a row, lets preencher set its columns, posts, applies,
    // commit-retains and lets pending messages run.
    void GravarMovimentoComissao(const std::function<void(DatasetInsercao&)>& preencher);

private:
    void PassarParaGen(Consulta& consulta);
    void TratarFalhaRodada(const std::exception& erro);

    Apresentacao& apresentacao_;
    const Relogio& relogio_;
    std::vector<std::string> argumentos_;
    Finalizador finalizar_;
    bool criando_ = false;
    bool rodadaEmAndamento_ = false;
};
