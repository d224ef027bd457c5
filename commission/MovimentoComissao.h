#pragma once
// The one writer of commission movements, shared by phases 5, 6 and 7.
#include <functional>

#include "commission/ContextoFase.h"

class DatasetInsercao;

// Opens IBQ_MovComissao when needed, inserts a row, lets preencher set its
// columns, posts, applies and lets pending messages run. The row is committed
// with the rest of its source.
void GravarMovimentoComissao(ContextoFase& contexto, const std::function<void(DatasetInsercao&)>& preencher);
