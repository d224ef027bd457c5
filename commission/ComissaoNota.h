#pragma once
// What the commissions on invoicing (type "1") and on receipt (type "2")
// share: the skip rules of a seller slot, the base and its percentages, and the columns both row
// types fill alike. Database errors and zero divisors throw.
#include <cstdint>
#include <optional>
#include <string>

#include "commission/ObservadorCalculo.h"
#include "comum/Dinheiro.h"
#include "db/firebird/Valor.h"

class Consulta;
class DatasetInsercao;
class SessaoBanco;
struct SlotVendedor;

// What every row of one source reads alike from the database, read by the
// same statements the first time a row asks and kept for the source's other
// rows: nota's current row stays the same while the source is rebuilt.
class LeiturasDaNota {
public:
    LeiturasDaNota(SessaoBanco& sessao, const Consulta& nota, ObservadorCalculo& observador = SemObservador())
        : sessao_(sessao), nota_(nota), observador_(observador)
    {
    }

    SessaoBanco& Sessao() const { return sessao_; }
    ObservadorCalculo& Observador() const { return observador_; }
    const Consulta& Nota() const { return nota_; }
    const Valor& NomeCliente();           // NULL when the person is not registered
    const std::string& ComissaoAPagar();  // "S" or "N", from the nature
    Dinheiro Reducao();                   // CalcularReducaoComissao
    Dinheiro BaseDosItens();              // CalcularComissaoItens

private:
    SessaoBanco& sessao_;
    const Consulta& nota_;
    ObservadorCalculo& observador_;
    std::optional<Valor> nomeCliente_;
    std::optional<std::string> comissaoAPagar_;
    std::optional<Dinheiro> reducao_;
    std::optional<Dinheiro> baseDosItens_;
};

// The slot earns nothing from this source: invoice not in state 3 or 5,
// returned, no seller, creditoEmOutraFase (the phase's own rule on credit on
// invoicing, which outraFase names), or a nature whose commission is not
// payable. The observer is told why a slot with a seller earns nothing.
bool SlotSemComissao(LeiturasDaNota& leituras, const SlotVendedor& slot, bool creditoEmOutraFase,
                     const char* outraFase);

// Base B by the nature's id_sugerir_comissao; empty when the nature gives none.
std::optional<Dinheiro> BaseComissao(LeiturasDaNota& leituras, int slot);

// Stores B in the row's VL_BASE_COMISSAO (left NULL when empty) and returns
// what the row holds, NULL reading 0.
Dinheiro ArmazenarBase(DatasetInsercao& linha, const std::optional<Dinheiro>& base);

// valor × percentual / 100, before rounding.
long double ProdutoPercentual(Dinheiro valor, Dinheiro percentual);

// The row's commission less the row's share of the invoice's reduction,
// never below 0.
Dinheiro DescontarReducao(Dinheiro comissao, Dinheiro parteDaReducao);

// VL_COMISSAO / VL_BASE_COMISSAO × 100 of the row being inserted, rounded;
// 0 on a zero base.
Dinheiro PercentualEfetivo(const DatasetInsercao& linha, ObservadorCalculo& observador);

// Identifier, type, invoice, company, seller, issue date, client and its
// name, and the flags both row types write alike (ST_PAGAR from the nature
// as the source's first row read it).
void PreencherColunasNota(LeiturasDaNota& leituras, DatasetInsercao& linha, const std::string& tipo,
                          std::int64_t idVendedor);
