#include "app/RegistroRodada.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <memory>

#include <spdlog/fmt/fmt.h>
#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/rotating_file_sink.h>

#include "commission/ResumoRodada.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"

namespace {

const char* const kArquivo = "telmoraComissao2.log";
const char* const kPadraoLinha = "%Y-%m-%d %H:%M:%S %l %v";

std::string Citado(const std::string& valor)
{
    std::string citado = "\"";
    for (const char c : valor) {
        switch (c) {
        case '\\':
            citado += "\\\\";
            break;
        case '"':
            citado += "\\\"";
            break;
        case '\r':
            citado += "\\r";
            break;
        case '\n':
            citado += "\\n";
            break;
        case '\t':
            citado += "\\t";
            break;
        default:
            citado += c;
        }
    }
    return citado + '"';
}

std::string Segundos(double segundos)
{
    return fmt::format("{:.2f}", segundos);  // a decimal point whatever the locale
}

spdlog::level::level_enum Nivel(Icone nivel)
{
    return nivel == Icone::Erro    ? spdlog::level::err
           : nivel == Icone::Aviso ? spdlog::level::warn
                                   : spdlog::level::info;
}

std::unique_ptr<spdlog::formatter> Formatador(const std::string& fimDeLinha)
{
    return std::make_unique<spdlog::pattern_formatter>(kPadraoLinha, spdlog::pattern_time_type::local, fimDeLinha);
}

spdlog::details::log_msg Mensagem(const EventoRodada& evento)
{
    return {evento.momento, spdlog::source_loc{}, "", Nivel(evento.nivel), evento.texto};
}

// The data folder is shared with the workstations: whatever sits under the
// log's name and is not a plain file (a link, a folder) is left alone rather
// than followed or replaced.
void ExigirArquivoComum(const spdlog::filename_t& caminho)
{
    const auto situacao = std::filesystem::symlink_status(caminho);
    if (std::filesystem::exists(situacao) && !std::filesystem::is_regular_file(situacao))
        throw spdlog::spdlog_ex("não é um arquivo comum");
}

// The reason the summary could not be written; empty when it was.
std::string Gravar(const std::string& pasta, const std::string& caminho, const std::vector<EventoRodada>& eventos,
                   std::size_t tamanhoMaximo, std::size_t arquivosAnteriores)
{
    // The file sink would create a missing folder; the data folder is the suite's, never ours to create.
    if (!PastaExiste(pasta))
        return "a pasta não existe";
    std::string erro;
    try {
        spdlog::file_event_handlers eventosArquivo;
        eventosArquivo.before_open = ExigirArquivoComum;
        auto arquivo = std::make_shared<spdlog::sinks::rotating_file_sink_st>(
            caminho, tamanhoMaximo, arquivosAnteriores, false, eventosArquivo);
        arquivo->set_formatter(Formatador("\n"));
        spdlog::logger registro("rodada", std::move(arquivo));
        registro.set_error_handler([&erro](const std::string& mensagem) {
            if (erro.empty())
                erro = mensagem;
        });
        for (const EventoRodada& evento : eventos)
            registro.log(evento.momento, spdlog::source_loc{}, Nivel(evento.nivel), evento.texto);
        registro.flush();
    } catch (const std::exception& falha) {
        erro = falha.what();
    }
    return erro;
}

}  // namespace

EventoRodada EventoInicio(const ResumoRodada& resumo)
{
    const char* const modo = resumo.modo == ModoRodada::Simulacao ? "simulacao"
                             : resumo.modo == ModoRodada::Manual  ? "manual"
                                                                  : "residente";
    return {resumo.inicio, Icone::Informacao, std::string("inicio modo=") + modo + " banco=" + Citado(resumo.banco)};
}

EventoRodada EventoInicioFase(int numero, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Informacao, fmt::format("inicio_fase numero={}", numero)};
}

EventoRodada EventoFase(const ResumoFase& fase, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Informacao,
            fmt::format("fase numero={} fontes={} linhas={} segundos={}", fase.numero, fase.fontes, fase.linhas,
                        Segundos(fase.segundos))};
}

EventoRodada EventoDeixada(const FonteDeixada& deixada, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Aviso, "deixada fonte=" + Citado(deixada.fonte) + " motivo=" + Citado(deixada.motivo)};
}

EventoRodada EventoSeparada(const std::string& fonte, const std::string& motivo,
                            std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Aviso, "separada fonte=" + Citado(fonte) + " motivo=" + Citado(motivo)};
}

EventoRodada EventoAviso(const std::string& texto, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Aviso, "aviso texto=" + Citado(texto)};
}

EventoRodada EventoFalha(const std::string& texto, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Erro, "falha texto=" + Citado(texto)};
}

EventoRodada EventoFim(const ResumoRodada& resumo)
{
    const std::chrono::duration<double> duracao = resumo.fim - resumo.inicio;
    const char* const resultado = resumo.desfecho == DesfechoRodada::Ok      ? "ok"
                                  : resumo.desfecho == DesfechoRodada::Falha ? "falha"
                                                                             : "interrompida";
    const Icone nivel = resumo.desfecho == DesfechoRodada::Ok      ? Icone::Informacao
                        : resumo.desfecho == DesfechoRodada::Falha ? Icone::Erro
                                                                   : Icone::Aviso;
    return {resumo.fim, nivel, "fim segundos=" + Segundos(duracao.count()) + " resultado=" + resultado};
}

EventoRodada EventoInicioMonitor(const std::string& programa, const std::string& banco, const std::string& hora,
                                 std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Informacao,
            "monitor_inicio programa=" + Citado(programa) + " banco=" + Citado(banco) + " hora=" + Citado(hora)};
}

EventoRodada EventoFimMonitor(const std::string& motivo, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Informacao, "monitor_fim motivo=" + motivo};
}

EventoRodada EventoTravaRetomada(const std::string& programa, std::chrono::system_clock::time_point momento)
{
    return {momento, Icone::Aviso, "trava_retomada programa=" + Citado(programa)};
}

std::vector<EventoRodada> EventosRodada(const ResumoRodada& resumo)
{
    std::vector<EventoRodada> eventos{EventoInicio(resumo)};
    for (const ResumoFase& fase : resumo.fases)
        eventos.push_back(EventoFase(fase, resumo.fim));
    for (const FonteDeixada& deixada : resumo.deixadas)
        eventos.push_back(EventoDeixada(deixada, resumo.fim));
    for (const std::string& aviso : resumo.avisos)
        eventos.push_back(EventoAviso(aviso, resumo.fim));
    if (resumo.falha)
        eventos.push_back(EventoFalha(*resumo.falha, resumo.fim));
    eventos.push_back(EventoFim(resumo));
    return eventos;
}

std::string LinhaRegistro(const EventoRodada& evento)
{
    spdlog::memory_buf_t linha;
    Formatador("")->format(Mensagem(evento), linha);
    return {linha.data(), linha.size()};
}

std::vector<std::string> LinhasRodada(const ResumoRodada& resumo)
{
    std::vector<std::string> linhas;
    for (const EventoRodada& evento : EventosRodada(resumo))
        linhas.push_back(LinhaRegistro(evento));
    return linhas;
}

RegistroRodada::RegistroRodada(std::size_t tamanhoMaximo, std::size_t arquivosAnteriores)
    : tamanhoMaximo_(tamanhoMaximo), arquivosAnteriores_(arquivosAnteriores)
{
}

std::optional<std::string> RegistroRodada::Registrar(const std::string& pasta, const std::vector<EventoRodada>& eventos)
{
    const std::string pastaComSeparador = pasta.empty() || pasta.back() == kSeparador ? pasta : pasta + kSeparadorTexto;
    const std::string caminho = pastaComSeparador + kArquivo;
    const std::string erro = Gravar(pasta, caminho, eventos, tamanhoMaximo_, arquivosAnteriores_);
    if (erro.empty()) {
        falhaInformada_ = false;
        return std::nullopt;
    }
    if (falhaInformada_)
        return std::nullopt;
    falhaInformada_ = true;
    return "Não foi possível gravar o log da rodada " + caminho + ": " + erro;
}
