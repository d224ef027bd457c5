#pragma once
// The commission rows and settlements as they stand, and what changed between
// two such pictures: a simulated run takes one before and one after its
// phases, in the same transaction, and tells the operator the difference.
#include <cstdint>
#include <string>
#include <vector>

#include "comum/ComandoSql.h"
#include "comum/Dinheiro.h"

class SessaoBanco;

struct LinhaFotografada {
    std::int64_t idComissao = 0;
    std::string tipo;  // TP_REGISTRO
    std::int64_t idNota = 0;
    std::int64_t idFinanceiro = 0;
    std::int64_t idAcerto = 0;
    std::int64_t idVendedor = 0;
    std::string documento;  // NO_DOCUMENTO
    Dinheiro base, percentual, comissao;
    std::string bloqueio, estorno;  // ST_BLOQUEIO_1, ST_ESTORNO_1
    bool paga = false;              // ID_COMISSAO_GERADA is set: a commission payment holds the row
};

struct AcertoFotografado {
    std::int64_t idAcerto = 0;
    std::int64_t idVendedor = 0;
    Dinheiro valor;
    std::string tipo;  // TP_ACERTO: "D" debit, "C" credit
    std::string descricao;
};

struct FotografiaComissoes {
    std::vector<LinhaFotografada> linhas;  // ordered by ID_COMISSAO
    std::vector<AcertoFotografado> acertos;
};

FotografiaComissoes Fotografar(SessaoBanco& sessao);
// The rows the condition (" where ...") selects, by identifier.
std::vector<LinhaFotografada> LerLinhas(SessaoBanco& sessao, const ComandoSql& condicao);
// The settlements the condition selects, by identifier.
std::vector<AcertoFotografado> LerAcertos(SessaoBanco& sessao, const ComandoSql& condicao);

struct TotalVendedor {
    std::int64_t idVendedor = 0;
    Dinheiro antes, depois;
};

// A row is matched with its counterpart by source and seller, not by its
// identifier: the run rebuilds a source's rows under new ones.
struct MudancaLinha {
    enum class Tipo { Incluida, Removida, Alterada };
    Tipo tipo = Tipo::Incluida;
    std::string fonte;  // "NF 123", "Duplicata 123/1", "Acerto 45"
    std::int64_t idVendedor = 0;
    std::string tipoRegistro;
    Dinheiro comissaoAntes, comissaoDepois;  // 0 on the side where the row does not exist
    Dinheiro baseAntes, baseDepois;
    std::string estadoAntes, estadoDepois;  // "bloqueada", "estornada", or empty
};

struct DiferencaComissoes {
    std::vector<TotalVendedor> vendedores;  // sellers whose total changed, by identifier
    std::vector<MudancaLinha> linhas;       // by source, then seller
    std::vector<AcertoFotografado> acertosNovos;
};

DiferencaComissoes Comparar(const FotografiaComissoes& antes, const FotografiaComissoes& depois);

// The label a row's source has in the run's warnings.
std::string FonteDaLinha(const LinhaFotografada& linha);
