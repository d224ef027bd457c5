#include "commission/ObservadorCalculo.h"

ObservadorCalculo& SemObservador()
{
    static ObservadorCalculo nenhum;
    return nenhum;
}

Dinheiro Arredondado(ObservadorCalculo& observador, const char* nome, const char* origem, long double exato)
{
    const Dinheiro valor = Dinheiro::DeExtended(exato);
    observador.Passo(nome, origem, exato, valor);
    return valor;
}
