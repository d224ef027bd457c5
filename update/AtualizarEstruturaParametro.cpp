#include "update/AtualizarEstruturaParametro.h"

#include <cctype>
#include <string>

#include "comum/Literais.h"
#include "db/firebird/Consulta.h"
#include "db/firebird/ErroBanco.h"
#include "db/firebird/Transacao.h"

namespace {

struct IndiceDoCalculo {
    const char* tabela;
    const char* coluna;  // null for an index on an expression
    const char* nome;
    bool descendente;
    const char* uso;  // what the run needs it for, as the operator reads it
    const char* expressao = nullptr;
};

// ProximoId reads max() of the identifier columns before each row it writes:
// Firebird answers max() from the first entry of a descending index, and
// without one reads the whole table. Phases 2 to 4 pick the few blocked or
// reversed movements out of all the history by the two flags, and the
// pending lists pick the few invoices, receivables and settlements marked
// for calculation or reversal; phase 8 starts from the open receivables.
// Without an index each of those statements reads every row the company ever
// wrote.
constexpr IndiceDoCalculo kIndicesDoCalculo[] = {
    {"MOV_COMISSAO", "ID_COMISSAO", "IX_MOV_COMISSAO_ID_DESC", true, "numerar os registros"},
    {"MOV_ACERTO_COMISSAO", "ID_ACERTO_COMISSAO", "IX_MOV_ACERTO_COMISSAO_ID_DESC", true, "numerar os registros"},
    {"MOV_COMISSAO", "ST_BLOQUEIO_1", "IX_MOV_COMISSAO_ST_BLOQUEIO_1", false, "achar os movimentos bloqueados"},
    {"MOV_COMISSAO", "ST_ESTORNO_1", "IX_MOV_COMISSAO_ST_ESTORNO_1", false, "achar os movimentos estornados"},
    {"MOV_NF_COMERCIO", "ST_CALC_COMISSAO", "IX_NF_COMERCIO_ST_CALC_COMISSAO", false, "achar as notas a calcular"},
    {"MOV_FINANCEIRO", "ST_CALC_COMISSAO", "IX_FINANCEIRO_ST_CALC_COMISSAO", false, "achar as duplicatas a calcular"},
    {"MOV_ACERTO_COMISSAO", "ST_CALC_COMISSAO", "IX_ACERTO_ST_CALC_COMISSAO", false, "achar os acertos a calcular"},
    {"MOV_NF_COMERCIO", "ST_CALC_ESTORNO", "IX_NF_COMERCIO_ST_CALC_ESTORNO", false, "achar as notas a estornar"},
    {"MOV_FINANCEIRO", "DT_BAIXA", "IX_FINANCEIRO_DT_BAIXA", false, "achar as duplicatas em aberto"},
    {"MOV_COMISSAO", nullptr, "IX_MOV_COMISSAO_VL_ZERO", false, "apagar os registros sem valor", kComissaoZerada},
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

// The engine keeps an expression as it was typed, within its parentheses:
// blanks, letter case and those parentheses do not make another index.
std::string ExpressaoComparavel(const std::string& expressao)
{
    std::string compacta;
    for (const char caractere : expressao)
        if (caractere != ' ' && caractere != '\r' && caractere != '\n' && caractere != '\t')
            compacta += static_cast<char>(std::tolower(static_cast<unsigned char>(caractere)));
    while (compacta.size() >= 2 && compacta.front() == '(' && compacta.back() == ')')
        compacta = compacta.substr(1, compacta.size() - 2);
    return compacta;
}

bool TemIndiceDaExpressao(BancoDados& banco, const IndiceDoCalculo& indice)
{
    Consulta consulta("qryIndiceDoCalculo", &banco);
    consulta.SQL =
        "select cast(i.rdb$expression_source as varchar(1000)) as expressao from rdb$indices i where"
        " i.rdb$relation_name = " +
        LiteralTexto(indice.tabela) + " and i.rdb$expression_source is not null";
    for (consulta.Abrir(); !consulta.Fim(); consulta.Proximo())
        if (ExpressaoComparavel(consulta.Campo("expressao").Texto()) == ExpressaoComparavel(indice.expressao))
            return true;
    return false;
}

// Any index of the same direction on the column alone will do, whatever its
// name, and also one an administrator has switched off: that choice is theirs.
// The same goes for an index on the same expression.
bool TemIndice(BancoDados& banco, const IndiceDoCalculo& indice)
{
    if (indice.expressao)
        return TemIndiceDaExpressao(banco, indice);

    Consulta consulta("qryIndiceDoCalculo", &banco);
    consulta.SQL =
        "select count(*) as qtde from rdb$indices i inner join rdb$index_segments s"
        " on (s.rdb$index_name = i.rdb$index_name) where i.rdb$relation_name = " +
        LiteralTexto(indice.tabela) +
        " and coalesce(i.rdb$index_type, 0) = " + LiteralInteiro(indice.descendente ? 1 : 0) +
        " and i.rdb$segment_count = 1"
        " and s.rdb$field_name = " +
        LiteralTexto(indice.coluna);
    consulta.Abrir();
    return consulta.Campo("qtde").Inteiro() > 0;
}

// On a transaction of its own, so that nothing of a creation that failed is
// left in the connection's transaction to be committed with later work.
void CriarIndice(BancoDados& banco, const IndiceDoCalculo& indice)
{
    Transacao transacao("trnIndiceDoCalculo");
    transacao.Parametros = {"read_committed", "rec_version", "nowait"};
    transacao.DefinirBanco(&banco);
    Consulta comando("qryCriarIndiceDoCalculo", &banco);
    comando.DefinirTransacao(&transacao);
    const std::string chave = indice.expressao ? std::string("computed by (") + indice.expressao + ")"
                                               : std::string("(") + indice.coluna + ")";
    comando.SQL = std::string(indice.descendente ? "create descending index " : "create index ") + indice.nome +
                  " on " + indice.tabela + " " + chave;
    try {
        comando.Executar();
        transacao.Confirmar();
    } catch (const ErroBanco& erro) {
        throw ErroBanco(std::string("Não foi possível criar o índice ") + indice.nome + " da tabela " + indice.tabela +
                        ", que o cálculo de comissões usa para " + indice.uso + ". " +
                        "Verifique se outro programa está usando o banco de dados e inicie o monitor novamente.\r" +
                        erro.what());
    }
}

}  // namespace

void AtualizarEstruturaParametro(BancoDados& banco)
{
    AdicionarColunasVersao(banco);
}

void GarantirIndicesDoCalculo(BancoDados& banco)
{
    for (const IndiceDoCalculo& indice : kIndicesDoCalculo)
        if (!TemIndice(banco, indice))
            CriarIndice(banco, indice);
}
