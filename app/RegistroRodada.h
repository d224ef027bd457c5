#pragma once
// The run log: every run appends its summary, one line per event, to
// telmoraComissao2.log in the suite's data folder, beside the lock file. The
// file rotates by size and only a few older files are kept beside it.
//   2024-05-07 07:05:12 info inicio modo=manual banco="/srv/telmora/Dados/BANCO.FDB"
//   2024-05-07 07:05:24 info fase numero=5 fontes=120 linhas=340 segundos=2.31
//   2024-05-07 07:05:24 warning deixada fonte="NF 123" motivo="base de comissão zero"
//   2024-05-07 07:05:24 warning aviso texto="Algumas NFs de venda não ..."
//   2024-05-07 07:05:24 error falha texto="..."
//   2024-05-07 07:05:24 error fim segundos=12.40 resultado=falha
// The first line carries the start of the run, the others its end. Text
// values are quoted; inside them \ " CR LF and tab are written \\ \" \r \n \t.
// Writing the log never throws into the run: a failure comes back as a text.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ResumoRodada;

// The lines the log gets for this summary, without line ends: what the
// console prints on standard error at the end of a run.
std::vector<std::string> LinhasRodada(const ResumoRodada& resumo);

class RegistroRodada {
public:
    // tamanhoMaximo: bytes per file; arquivosAnteriores: older files kept
    // beside the current one (telmoraComissao2.1.log is the newest of them).
    explicit RegistroRodada(std::size_t tamanhoMaximo = std::size_t{1024} * 1024, std::size_t arquivosAnteriores = 4);

    // Appends the summary to the log in pasta (trailing separator optional).
    // When it cannot be written, returns the text to show the operator; a
    // failure is reported once: further ones return nothing until a summary
    // has been written again.
    std::optional<std::string> Registrar(const std::string& pasta, const ResumoRodada& resumo);

private:
    std::size_t tamanhoMaximo_;
    std::size_t arquivosAnteriores_;
    bool falhaInformada_ = false;
};
