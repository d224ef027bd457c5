#include "frentes/console/LinhaSituacao.h"

#include <ostream>

#include <spdlog/fmt/fmt.h>

namespace {

using namespace std::chrono_literals;

constexpr auto kIntervaloTerminal = 250ms;  // fast enough to look live, few enough writes
constexpr auto kIntervaloLinhas = 5s;       // a journal line every few seconds of a long phase
const char* const kApagarLinha = "\r\033[K";

std::string Duracao(std::chrono::seconds segundos)
{
    const auto minutos = std::chrono::duration_cast<std::chrono::minutes>(segundos);
    if (minutos.count() == 0)
        return fmt::format("{} s", segundos.count());
    return fmt::format("{} min {} s", minutos.count(), (segundos - minutos).count());
}

}  // namespace

LinhaSituacao::LinhaSituacao(std::ostream& saida, bool terminal, std::string prefixo)
    : saida_(saida), terminal_(terminal), prefixo_(std::move(prefixo))
{
}

std::string LinhaSituacao::Texto(int feitas, int total, Relogio::time_point agora) const
{
    if (!medidorProprio_ || total <= 0)
        return fase_;
    const int percentual = static_cast<int>(100LL * feitas / total);
    std::string texto = fmt::format("{}: {} de {} ({}%)", fase_, feitas, total, percentual);
    if (feitas > 0 && feitas < total) {
        const auto decorrido = agora - inicio_;
        const auto restante = std::chrono::duration_cast<std::chrono::seconds>(decorrido * (total - feitas) / feitas);
        texto += ", faltam cerca de " + Duracao(restante);
    }
    return texto;
}

void LinhaSituacao::Atualizar(const std::string& fase, int feitas, int total, Relogio::time_point agora)
{
    if (fase.empty()) {
        Limpar();
        fase_.clear();
        return;
    }
    const bool novaFase = fase != fase_;
    if (novaFase) {
        fase_ = fase;
        totalHerdado_ = total;
        feitasHerdadas_ = feitas;
        medidorProprio_ = false;
        inicio_ = agora;
        ultimaLinha_ = agora;
    }
    if (!medidorProprio_ && (total != totalHerdado_ || feitas < feitasHerdadas_)) {
        medidorProprio_ = true;
        inicio_ = agora;
    }
    if (terminal_) {
        if (novaFase || agora - ultimaLinha_ >= kIntervaloTerminal)
            Escrever(Texto(feitas, total, agora), agora);
    } else if (agora - ultimaLinha_ >= kIntervaloLinhas) {
        Escrever(Texto(feitas, total, agora), agora);
    }
}

void LinhaSituacao::Escrever(const std::string& texto, Relogio::time_point agora)
{
    ultimaLinha_ = agora;
    if (terminal_) {
        saida_ << kApagarLinha << texto << std::flush;
        desenhada_ = true;
    } else {
        saida_ << prefixo_ << texto << std::endl;
    }
}

void LinhaSituacao::Limpar()
{
    if (!desenhada_)
        return;
    saida_ << kApagarLinha << std::flush;
    desenhada_ = false;
}
