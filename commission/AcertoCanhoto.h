#pragma once
// The settlements of an undelivered receipt: a debit that reverses a
// commission row ("ESTORNO REF CANHOTO NÃO RECEBIDO ...") and a credit that
// pays it back ("PAGTO REF CANHOTO NÃO RECEBIDO ..."). A type "1" row whose
// document is not a whole number throws ErroConversao; database errors propagate.
#include <cstdint>
#include <string>

#include "comum/DataHora.h"
#include "comum/Dinheiro.h"
#include "db/firebird/Valor.h"

class Consulta;
class SessaoBanco;

struct TextosAcerto {
    const char* descricaoNota;
    const char* descricaoDuplicata;
    const char* tipoAcerto;
};
extern const TextosAcerto kTextosEstorno;
extern const TextosAcerto kTextosPagamento;

// What a settlement takes from its commission row, with the row's flags.
struct MovimentoCanhoto {
    std::int64_t idComissao = 0;
    std::string tpRegistro;
    std::int64_t idVendedor = 0;
    std::int64_t idEmpresa = 0;
    std::int64_t idNota = 0;  // the invoice of a type "1" row; the selections that carry it fill it
    Valor noDocumento;
    DataHora dtCredito;
    Dinheiro vlComissao;
    std::string stBloqueio;
    std::string stEstorno;
};

// The current row of a selection of mov_comissao columns.
MovimentoCanhoto LerMovimentoCanhoto(const Consulta& movimento);

// The settlement's description for the row: the texts' opening and the
// row's document.
std::string DescricaoAcerto(const TextosAcerto& textos, const MovimentoCanhoto& movimento);

// Inserts the settlement of valor for the row, without commit: the caller
// commits it with the row's flag update.
void InserirAcertoCanhoto(SessaoBanco& sessao, Consulta& insercao, const TextosAcerto& textos, const DataHora& agora,
                          const MovimentoCanhoto& movimento, Dinheiro valor);
