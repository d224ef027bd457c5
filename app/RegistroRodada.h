#pragma once
// The run log: every run appends one line per event, when it happens, to
// telmoraComissao2.log in the suite's data folder, beside the lock file, so
// a run that is stopped or killed leaves its trace. The file rotates by size
// and only a few older files are kept beside it.
//   2024-05-07 07:05:12 info inicio modo=manual banco="/srv/telmora/Dados/BANCO.FDB"
//   2024-05-07 07:05:24 info fase numero=5 fontes=120 linhas=340 segundos=2.31
//   2024-05-07 07:05:24 warning deixada fonte="NF 123" motivo="base de comissão zero"
//   2024-05-07 07:05:24 warning separada fonte="NF 124" motivo="comissão já paga"
//   2024-05-07 07:05:24 warning aviso texto="Algumas NFs de venda não ..."
//   2024-05-07 07:05:24 error falha texto="..."
//   2024-05-07 07:05:24 error fim segundos=12.40 resultado=falha
// Text values are quoted; inside them \ " CR LF and tab are written
// \\ \" \r \n \t. Writing the log never throws into the run: a failure
// comes back as a text.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "comum/Apresentacao.h"

struct FonteDeixada;
struct ResumoFase;
struct ResumoRodada;

struct EventoRodada {
    std::chrono::system_clock::time_point momento;
    Icone nivel;  // Informacao, Aviso or Erro: info, warning, error
    std::string texto;
};

// Each event when it happens.
EventoRodada EventoInicio(const ResumoRodada& resumo);
EventoRodada EventoInicioFase(int numero, std::chrono::system_clock::time_point momento);
EventoRodada EventoFase(const ResumoFase& fase, std::chrono::system_clock::time_point momento);
EventoRodada EventoDeixada(const FonteDeixada& deixada, std::chrono::system_clock::time_point momento);
EventoRodada EventoSeparada(const std::string& fonte, const std::string& motivo,
                            std::chrono::system_clock::time_point momento);
EventoRodada EventoAviso(const std::string& texto, std::chrono::system_clock::time_point momento);
EventoRodada EventoFalha(const std::string& texto, std::chrono::system_clock::time_point momento);
EventoRodada EventoFim(const ResumoRodada& resumo);
// The resident monitor's own start (its program, database and hour of the
// daily run) and its end, outside its runs.
EventoRodada EventoInicioMonitor(const std::string& programa, const std::string& banco, const std::string& hora,
                                 std::chrono::system_clock::time_point momento);
EventoRodada EventoFimMonitor(const std::string& motivo, std::chrono::system_clock::time_point momento);
// A resident start that found the lock file of a monitor that died and took its place.
EventoRodada EventoTravaRetomada(const std::string& programa, std::chrono::system_clock::time_point momento);

// A whole run's events, in the order a run writes them.
std::vector<EventoRodada> EventosRodada(const ResumoRodada& resumo);
// The event as the log has it, without the line end.
std::string LinhaRegistro(const EventoRodada& evento);
std::vector<std::string> LinhasRodada(const ResumoRodada& resumo);

class RegistroRodada {
public:
    // tamanhoMaximo: bytes per file; arquivosAnteriores: older files kept
    // beside the current one (telmoraComissao2.1.log is the newest of them).
    explicit RegistroRodada(std::size_t tamanhoMaximo = std::size_t{1024} * 1024, std::size_t arquivosAnteriores = 4);

    // Appends the events to the log in pasta (trailing separator optional).
    // When it cannot be written, returns the text to show the operator; a
    // failure is reported once: further ones return nothing until the log
    // has been written again.
    std::optional<std::string> Registrar(const std::string& pasta, const std::vector<EventoRodada>& eventos);

private:
    std::size_t tamanhoMaximo_;
    std::size_t arquivosAnteriores_;
    bool falhaInformada_ = false;
};
