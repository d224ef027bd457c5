#pragma once
// How the run comes to each commission row of one source (an invoice, a
// receivable or a settlement) and what stands in the database for it. The
// figures are the run's own: its phases run on that source alone, in a
// transaction that is rolled back, and tell their steps to an observer.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "commission/FotografiaComissoes.h"
#include "commission/SlotVendedor.h"
#include "comum/Dinheiro.h"

class Relogio;
class SessaoBanco;

struct PedidoExplicacao {
    enum class Tipo { Nota, Duplicata, Acerto };
    Tipo tipo = Tipo::Nota;
    std::string numero;  // the invoice's number as the suite shows it, or the identifier
};

// The words after "explicar": "NF 123", "duplicata 45", "acerto 6" (any case).
PedidoExplicacao LerPedidoExplicacao(const std::vector<std::string>& palavras);

struct PassoExplicado {
    std::string nome;
    std::string origem;
    long double exato = 0;
    Dinheiro valor;
    bool fator = false;  // a factor: exato holds it, valor is unused
};

// An item as the invoice holds it: what the base and the item's rate come from.
struct ItemDaNota {
    std::int64_t numero = 0;  // no_item
    std::int64_t idProduto = 0;
    Dinheiro quantidade, total, freteUnitario, percentual, reducaoUnitaria;
    bool freteIncluso = false;
};

struct ItemExplicado {
    std::int64_t idItem = 0;
    std::int64_t idProduto = 0;
    double base = 0;
    std::array<Dinheiro, kSlotsVendedor> percentuais{}, comissoes{};
};

// A seller's row and its steps, or why the seller of the slot gets none.
struct LinhaExplicada {
    std::string tipo;  // TP_REGISTRO
    int slot = 0;
    std::int64_t idVendedor = 0;
    std::vector<PassoExplicado> passos;
    std::string semComissao;  // the reason the slot writes no row; empty when it writes one
};

struct Explicacao {
    std::string fonte;                         // "NF 1001", "Duplicata 1001/1", "Acerto 4"
    std::vector<std::string> situacao;         // what the run makes of the source now
    std::vector<ItemDaNota> itensDaNota;       // the items of the source's invoice
    std::vector<PassoExplicado> passosDaNota;  // the invoice's own base, commission and percentage
    std::vector<ItemExplicado> itens;          // a mode-6 invoice's sharing
    std::vector<LinhaExplicada> linhas;        // each row's steps, as the run computes them now
    std::vector<LinhaFotografada> calculadas;  // the rows the run would write now
    std::vector<LinhaFotografada> noBanco;     // the rows that stand
    std::vector<AcertoFotografado> acertos;    // settlements standing against them
    std::vector<std::string> diferencas;       // where computed and standing differ, and why
};

// One explanation per source the request names (an invoice number may name
// several invoices); none when it names none. Nothing stays written.
std::vector<Explicacao> Explicar(SessaoBanco& sessao, const Relogio& relogio, const PedidoExplicacao& pedido);
