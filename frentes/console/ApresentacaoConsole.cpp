#include "frentes/console/ApresentacaoConsole.h"

#include <iostream>
#include <ostream>

#include <QCoreApplication>

#include "app/UnPrincipal.h"

namespace {

const char* const kTituloAviso = "Aviso do Sistema";
constexpr int kFechamentoAutomaticoMs = 5000;

// A message box breaks its text at a carriage return, with or without the
// line feed; on a terminal a bare one would overwrite the line it ends.
std::string QuebrasDeLinha(const std::string& texto)
{
    std::string saida;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '\r')
            saida += texto[i];
        else if (i + 1 == texto.size() || texto[i + 1] != '\n')
            saida += '\n';
    }
    return saida;
}

// The sd-daemon priorities: error, warning, information.
std::string Prioridade(Icone nivel)
{
    return nivel == Icone::Erro ? "<3>" : nivel == Icone::Aviso ? "<4>" : "<6>";
}

}  // namespace

ApresentacaoConsole::ApresentacaoConsole(std::ostream& saida, Esperar esperar, DestinoConsole destino)
    : saida_(saida),
      esperar_(std::move(esperar)),
      diario_(destino.diario),
      situacao_(saida, destino.terminal, destino.diario ? Prioridade(Icone::Informacao) : std::string()),
      laco_(*this),
      sinais_([this] { laco_.Fechar(); })
{
}

void ApresentacaoConsole::Observar(TfrmPrincipal& modelo)
{
    modelo_ = &modelo;
    laco_.Observar(modelo);
}

// Every line of a text with more than one goes to the journal with the
// priority of the first.
void ApresentacaoConsole::Escrever(const std::string& texto, Icone nivel)
{
    situacao_.Limpar();
    if (!diario_) {
        saida_ << texto << std::endl;
        return;
    }
    const std::string prioridade = Prioridade(nivel);
    std::string linhas = prioridade;
    for (const char c : texto)
        linhas += c == '\n' ? "\n" + prioridade : std::string(1, c);
    saida_ << linhas << std::endl;
}

void ApresentacaoConsole::Mensagem(const std::string& texto, const std::string& titulo, Icone icone)
{
    Escrever(titulo + ": " + QuebrasDeLinha(texto), icone);
}

void ApresentacaoConsole::ProcessarPendentes()
{
    QCoreApplication::processEvents();
}

// No window to paint: the timers follow the model, and the status line its
// progress display.
void ApresentacaoConsole::Repintar()
{
    laco_.SincronizarTemporizadores();
    if (modelo_ == nullptr)
        return;
    const bool emRodada = modelo_->lblAguarde.Visible && modelo_->Gauge1.Visible;
    situacao_.Atualizar(emRodada ? modelo_->lblAguarde.Caption : std::string(), modelo_->Gauge1.Progress,
                        modelo_->Gauge1.MaxValue, LinhaSituacao::Relogio::now());
}

// There is no window to show or hide.
void ApresentacaoConsole::MostrarJanela()
{
}

void ApresentacaoConsole::EsconderJanela()
{
}

void ApresentacaoConsole::EncerrarAplicacao()
{
    laco_.PedirFim();
}

// The agreement box counts as ticked and OK as pressed; only the automatic
// close keeps its wait, during which the program stands still as it would
// behind the window.
void ApresentacaoConsole::MostrarAviso(const std::string& texto, bool, bool fechamentoAutomatico)
{
    Escrever(kTituloAviso + std::string(": ") + QuebrasDeLinha(texto), Icone::Aviso);
    if (fechamentoAutomatico)
        esperar_(kFechamentoAutomaticoMs);
}

// The report is the command's answer: on the standard output, where it can
// be redirected apart from the messages and the log lines.
void ApresentacaoConsole::MostrarRelatorio(const std::string&, const std::string& texto)
{
    situacao_.Limpar();
    std::cout << texto << std::flush;
}

void ApresentacaoConsole::MostrarRegistro(const std::string& linha, Icone nivel)
{
    Escrever(linha, nivel);
}
