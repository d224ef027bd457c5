#pragma once
// The five seller slots of an invoice: slot 1 reads ID_VENDEDOR, ST_CREDITO_FAT,
// PO_COMISSAO and PO_CREDITO_FAT; slots 2 to 5 the same names with the digit.
#include <cstdint>
#include <functional>
#include <string>

#include "comum/Dinheiro.h"

class Consulta;

constexpr int kSlotsVendedor = 5;

struct SlotVendedor {
    int numero = 1;
    std::int64_t idVendedor = 0;
    std::string stCreditoFat;
    Dinheiro poComissao;
    Dinheiro poCreditoFat;
};

std::string ColunaSlot(const std::string& base, int slot);
SlotVendedor LerSlotVendedor(const Consulta& nota, int slot);
// Calls acao for slots 1 to 5 of the invoice's current row, in order.
void ParaCadaSlot(const Consulta& nota, const std::function<void(const SlotVendedor&)>& acao);
