#include "update/AtualizarEstruturaParametro.h"

#include <string>

#include "comum/Literais.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/Transacao.h"

void AtualizarEstruturaParametro(BancoDados& banco)
{
    Consulta consulta("qryEstruturaParametro", &banco);
    // The runs of blanks belong to the statement text and are sent unchanged.
    consulta.SQL = " sELECT r.* FROM RDB$RELATION_fields r                where"
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
    executar(" update tab_parametro a set a.script_rodado ="
             " (select max(a.no_log_atualizacao) from mov_log_atualizacao a)");
    transacao.ConfirmarMantendo();
    executar(" update tab_parametro a set a.VERSAO_ERP = " + LiteralTexto("Versao Inicial"));
    transacao.ConfirmarMantendo();
}
