#include "update/AtualizarEstruturaParametro.h"

#include <string>

#include "comum/Literais.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/ErroBanco.h"
#include "db/firebird/Transacao.h"

namespace {

struct IndiceIdentificador {
    const char* tabela;
    const char* coluna;
    const char* nome;
};

// ProximoId reads max() of these columns before each row it writes. Firebird
// answers max() from the first entry of a descending index; without one it
// reads the whole table, so every run would cost as much as the history.
constexpr IndiceIdentificador kIndicesIdentificador[] = {
    {"MOV_COMISSAO", "ID_COMISSAO", "IX_MOV_COMISSAO_ID_DESC"},
    {"MOV_ACERTO_COMISSAO", "ID_ACERTO_COMISSAO", "IX_MOV_ACERTO_COMISSAO_ID_DESC"},
};

void AdicionarColunasVersao(BancoDados& banco)
{
    Consulta consulta("qryEstruturaParametro", &banco);
    // The runs of blanks belong to the statement text and are sent unchanged.
    consulta.SQL =
        " sELECT r.* FROM RDB$RELATION_fields r                where"
        "                                                r.RDB$relation_name =" +
        LiteralTexto("TAB_PARAMETRO") + " and  r.RDB$field_name = " + LiteralTexto("VERSAO_ERP");
    consulta.Abrir();
    if (consulta.QuantidadeRegistros() > 0)
        return;

    const auto executar = [&consulta](const std::string& sql) {
        consulta.Fechar();
        consulta.SQL = sql;
        consulta.Executar();
    };
    Transacao& transacao = *consulta.TransacaoAtual();
    executar("alter table tab_parametro add script_rodado integer");
    executar("alter table tab_parametro add VERSAO_ERP varchar(30)");
    // The new columns can be written only once their creation is committed.
    transacao.ConfirmarMantendo();
    executar(
        " update tab_parametro a set a.script_rodado ="
        " (select max(a.no_log_atualizacao) from mov_log_atualizacao a)");
    transacao.ConfirmarMantendo();
    executar(" update tab_parametro a set a.VERSAO_ERP = " + LiteralTexto("Versao Inicial"));
    transacao.ConfirmarMantendo();
}

// Any descending index on the column alone will do, whatever its name, and
// also one an administrator has switched off: that choice is theirs.
bool TemIndiceDescendente(BancoDados& banco, const IndiceIdentificador& indice)
{
    Consulta consulta("qryIndiceIdentificador", &banco);
    consulta.SQL =
        "select count(*) as qtde from rdb$indices i inner join rdb$index_segments s"
        " on (s.rdb$index_name = i.rdb$index_name) where i.rdb$relation_name = " +
        LiteralTexto(indice.tabela) +
        " and i.rdb$index_type = 1 and i.rdb$segment_count = 1"
        " and s.rdb$field_name = " +
        LiteralTexto(indice.coluna);
    consulta.Abrir();
    return consulta.Campo("qtde").Inteiro() > 0;
}

// On a transaction of its own, so that nothing of a creation that failed is
// left in the connection's transaction to be committed with later work.
void CriarIndiceDescendente(BancoDados& banco, const IndiceIdentificador& indice)
{
    Transacao transacao("trnIndiceIdentificador");
    transacao.Parametros = {"read_committed", "rec_version", "nowait"};
    transacao.DefinirBanco(&banco);
    Consulta comando("qryCriarIndiceIdentificador", &banco);
    comando.DefinirTransacao(&transacao);
    comando.SQL = std::string("create descending index ") + indice.nome + " on " + indice.tabela + " (" +
                  indice.coluna + ")";
    try {
        comando.Executar();
        transacao.Confirmar();
    } catch (const ErroBanco& erro) {
        throw ErroBanco(std::string("Não foi possível criar o índice ") + indice.nome + " da tabela " + indice.tabela +
                        ", que o cálculo de comissões usa para numerar os registros. " +
                        "Verifique se outro programa está usando o banco de dados e inicie o monitor novamente.\r" +
                        erro.what());
    }
}

}  // namespace

void AtualizarEstruturaParametro(BancoDados& banco)
{
    AdicionarColunasVersao(banco);
    for (const IndiceIdentificador& indice : kIndicesIdentificador)
        if (!TemIndiceDescendente(banco, indice))
            CriarIndiceDescendente(banco, indice);
}
