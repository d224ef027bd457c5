#include "commission/ResultadoRodada.h"

#include <algorithm>

std::vector<FonteDeixada> ResultadoRodada::Somar(const ResultadoFase1& fase1)
{
    notasDeixadasFase1_.insert(fase1.notasDeixadas.begin(), fase1.notasDeixadas.end());
    return Somar(fase1.deixadas);
}

std::vector<FonteDeixada> ResultadoRodada::Somar(TipoFonte tipo, const ResultadoFontes& fontes)
{
    encontrou_ = encontrou_ || fontes.encontrou;
    if (fontes.comissaoJaPaga)
        jaPagas_.insert(tipo);
    return Somar(fontes.deixadas);
}

std::vector<FonteDeixada> ResultadoRodada::Somar(const std::vector<FonteDeixada>& deixadas)
{
    std::vector<FonteDeixada> novas;
    for (const FonteDeixada& deixada : deixadas)
        if (std::find(deixadas_.begin(), deixadas_.end(), deixada) == deixadas_.end()) {
            deixadas_.push_back(deixada);
            novas.push_back(deixada);
        }
    return novas;
}
