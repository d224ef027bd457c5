#pragma once
// The statements of the two cached-update datasets that write whole rows.
#include "db/firebird/DatasetInsercao.h"

extern const char* const kSelecaoMovComissao;
extern const char* const kSelecaoAcertoComissao;
ObjetoAtualizacao AtualizacaoMovComissao();
ObjetoAtualizacao AtualizacaoAcertoComissao();
