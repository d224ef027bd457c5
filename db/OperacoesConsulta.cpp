// The shared query operations: the first three always run on IBT_Gen and
// leave the query bound to it from then on.
#include "app/UnPrincipal.h"

void TfrmPrincipal::Abrir(Consulta& consulta, const std::string& sql)
{
    consulta.Fechar();
    consulta.SQL = sql;
    consulta.Abrir();
}

void TfrmPrincipal::Executar(Consulta& consulta, const std::string& sql)
{
    consulta.Fechar();
    consulta.SQL = sql;
    consulta.Executar();
}

void TfrmPrincipal::PassarParaGen(Consulta& consulta)
{
    consulta.Fechar();
    consulta.SQL.clear();
    consulta.DefinirTransacao(&IBT_Gen);
}

void TfrmPrincipal::AbrirConsulta(Consulta& consulta, const std::string& sql)
{
    PassarParaGen(consulta);
    Abrir(consulta, sql);
}

void TfrmPrincipal::ExecutarComando(Consulta& consulta, const std::string& sql, bool commitRetaining)
{
    PassarParaGen(consulta);
    Executar(consulta, sql);
    if (commitRetaining)
        IBT_Gen.ConfirmarMantendo();
}

void TfrmPrincipal::ExecutarComandoCommit(Consulta& consulta, const std::string& sql, bool commit)
{
    ExecutarComando(consulta, sql, false);
    if (commit)
        IBT_Gen.Confirmar();
}

std::int64_t TfrmPrincipal::ProximoId(const std::string& tabela, const std::string& coluna)
{
    Abrir(IBQ_Atualiza, " select max(" + coluna + ") as ultimo from " + tabela);
    const std::int64_t ultimo = IBQ_Atualiza.Campo("ultimo").Inteiro();
    return ultimo > 0 ? ultimo + 1 : 1;
}

std::string TfrmPrincipal::LerParametro(const std::string& coluna)
{
    Consulta consulta("qryParametro", IBD_BancoDados.get());
    AbrirConsulta(consulta, " select " + coluna + " from TAB_PARAMETRO" + " where ID_PARAMETRO = 1");
    return consulta.Campo(coluna).Texto();
}
