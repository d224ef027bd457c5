#include "db/ReivindicacaoBanco.h"

#include "db/firebird/ErroBanco.h"

ReivindicacaoBanco::ReivindicacaoBanco(BancoDados& banco)
{
    transacao_.DefinirBanco(&banco);
    transacao_.Parametros = {"read_committed", "rec_version", "nowait"};
    parametros_.DefinirBanco(&banco);
    parametros_.DefinirTransacao(&transacao_);
}

ReivindicacaoBanco::~ReivindicacaoBanco()
{
    Liberar();
}

// The rows are locked as they are fetched: all of them are.
bool ReivindicacaoBanco::Tomar()
{
    try {
        parametros_.Abrir(" select id_parametro from tab_parametro with lock");
        parametros_.Ultimo();
        return true;
    } catch (const ErroBanco& erro) {
        if (erro.Tipo() != TipoErroBanco::Ocupado)
            throw;
        Liberar();
        return false;
    }
}

// Only locks were taken: rolling back gives them up and changes nothing.
void ReivindicacaoBanco::Liberar() noexcept
{
    parametros_.Fechar();
    transacao_.Desfazer();
}
