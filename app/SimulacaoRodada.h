#pragma once
// A run that changes nothing: its session works in one transaction whose
// commits become savepoints, a picture of the commissions is taken before the
// phases and another after the closing statements, and the end rolls it all
// back. What the run would have done is the difference, with the sources it
// left or set aside.
#include <string>
#include <vector>

#include "commission/FotografiaComissoes.h"
#include "commission/ResumoRodada.h"
#include "db/SessaoBanco.h"

struct RelatorioSimulacao {
    DiferencaComissoes diferenca;
    std::vector<FonteDeixada> deixadas;   // left as they were: their figures could not be computed
    std::vector<FonteDeixada> separadas;  // set aside: commission already paid, inconsistent invoice
};

class SimulacaoRodada {
public:
    // Whatever the run does from here is undone when this object goes,
    // whether or not it was concluded.
    explicit SimulacaoRodada(SessaoBanco& sessao);

    void Separar(const std::string& fonte, const std::string& motivo);
    // The picture after the run, then the rollback.
    RelatorioSimulacao Concluir(std::vector<FonteDeixada> deixadas);

private:
    SessaoBanco& sessao_;
    SimulacaoBanco simulacao_;
    FotografiaComissoes antes_;
    std::vector<FonteDeixada> separadas_;
};

// For a person: per seller the commission before, after and the difference;
// per source the rows added, removed or changed; the settlements written; the
// sources left or set aside and why.
std::string TextoSimulacao(const RelatorioSimulacao& relatorio);
// One line per changed row, settlement written and source left or set aside,
// semicolon-separated with a decimal comma, as a spreadsheet here opens it.
std::string CsvSimulacao(const RelatorioSimulacao& relatorio);
