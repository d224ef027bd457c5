#include "app/MonitorAtivo.h"

#include "comum/Literais.h"
#include "db/firebird/Consulta.h"

void MarcarMonitorAtivo(BancoDados* conexao)
{
    Consulta consulta("qryMonitorAtivo", conexao);
    consulta.Executar(" update tab_parametro" + std::string(" SET ST_MONITOR_COMISSAO_ATIVO = ") + LiteralTexto("N"));
    consulta.Executar("commit retain");
}
