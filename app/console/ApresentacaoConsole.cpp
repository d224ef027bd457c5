#include "app/console/ApresentacaoConsole.h"

#include <ostream>

#include <QCoreApplication>

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

}  // namespace

ApresentacaoConsole::ApresentacaoConsole(std::ostream& saida, Esperar esperar)
    : saida_(saida), esperar_(std::move(esperar)), laco_(*this), sinais_([this] { laco_.Fechar(); })
{
}

void ApresentacaoConsole::Observar(TfrmPrincipal& modelo)
{
    laco_.Observar(modelo);
}

void ApresentacaoConsole::Escrever(const std::string& titulo, const std::string& texto)
{
    saida_ << titulo << ": " << QuebrasDeLinha(texto) << std::endl;
}

void ApresentacaoConsole::Mensagem(const std::string& texto, const std::string& titulo, Icone)
{
    Escrever(titulo, texto);
}

void ApresentacaoConsole::ProcessarPendentes()
{
    QCoreApplication::processEvents();
}

// No window to paint: only the timers follow the model.
void ApresentacaoConsole::Repintar()
{
    laco_.SincronizarTemporizadores();
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
    Escrever(kTituloAviso, texto);
    if (fechamentoAutomatico)
        esperar_(kFechamentoAutomaticoMs);
}

void ApresentacaoConsole::MostrarResumo(const std::vector<std::string>& linhas)
{
    for (const std::string& linha : linhas)
        saida_ << linha << '\n';
    saida_.flush();
}
