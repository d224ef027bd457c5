#include "commission/SlotVendedor.h"

#include "db/firebird/Consulta.h"

std::string ColunaSlot(const std::string& base, int slot)
{
    return slot == 1 ? base : base + std::to_string(slot);
}

SlotVendedor LerSlotVendedor(const Consulta& nota, int slot)
{
    SlotVendedor s;
    s.numero = slot;
    s.idVendedor = nota.Campo(ColunaSlot("ID_VENDEDOR", slot)).Inteiro();
    s.stCreditoFat = nota.Campo(ColunaSlot("ST_CREDITO_FAT", slot)).Texto();
    s.poComissao = nota.Campo(ColunaSlot("PO_COMISSAO", slot)).ComoDinheiro();
    s.poCreditoFat = nota.Campo(ColunaSlot("PO_CREDITO_FAT", slot)).ComoDinheiro();
    return s;
}

void ParaCadaSlot(const Consulta& nota, const std::function<void(const SlotVendedor&)>& acao)
{
    for (int slot = 1; slot <= kSlotsVendedor; ++slot)
        acao(LerSlotVendedor(nota, slot));
}
