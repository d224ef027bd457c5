#include "db/SessaoBanco.h"

#include <initializer_list>
#include <vector>

#include "comum/Texto.h"
#include "db/Credenciais.h"
#include "db/SqlDatasets.h"

SessaoBanco::SessaoBanco()
    : IBU_MovComissao(AtualizacaoMovComissao()),
      IBQ_MovComissao("IBQ_MovComissao", kSelecaoMovComissao, IBU_MovComissao),
      IBD_AcertoComissaoAtualizacao(AtualizacaoAcertoComissao()),
      IBD_AcertoComissao("IBD_AcertoComissao", kSelecaoAcertoComissao, IBD_AcertoComissaoAtualizacao)
{
}

SessaoBanco::~SessaoBanco()
{
    Desconectar();
}

void SessaoBanco::Preparar(const std::string& local)
{
    IBD_BancoDados = std::make_unique<BancoDados>("IBD_BancoDados");
    IBT_BancoDados = std::make_unique<Transacao>("IBT_BancoDados");

    BancoDados& banco = *IBD_BancoDados;
    const Credenciais credenciais = CredenciaisConexao();
    banco.Parametros = {"user_name=" + credenciais.usuario, "password=" + credenciais.senha};
    banco.PedirLogin = false;
    banco.NomeBanco = Aparado(local);

    const std::vector<std::string> parametrosTransacao = {"read_committed", "rec_version", "nowait"};
    IBT_BancoDados->DefinirBanco(&banco);
    IBT_BancoDados->Parametros = parametrosTransacao;
    banco.DefinirTransacaoPadrao(IBT_BancoDados.get());

    IBT_Gen.DefinirBanco(&banco);
    IBT_Gen.Parametros = parametrosTransacao;

    for (Consulta* consulta :
         std::initializer_list<Consulta*>{&IBQ_Gen, &IBQ_Login, &IBQ_Comercio, &IBQ_Pesquisa, &IBQ_MovComissao,
                                          &IBD_AcertoComissao, &IBQ_Financeiro, &IBQ_AcertoComissao, &IBQ_Atualiza})
        consulta->DefinirBanco(&banco);
    for (Consulta* escrita :
         std::initializer_list<Consulta*>{&IBQ_Gen, &IBQ_Atualiza, &IBQ_MovComissao, &IBD_AcertoComissao})
        escrita->DefinirTransacao(&IBT_Gen);
}

void SessaoBanco::Desconectar()
{
    if (!IBD_BancoDados)
        return;
    IBD_BancoDados->Fechar();
    IBT_BancoDados.reset();
    IBD_BancoDados.reset();
}

void SessaoBanco::ConfirmarConcluido() noexcept
{
    if (!IBD_BancoDados)
        return;
    try {
        IBT_Gen.ConfirmarPorComando();
    } catch (const ErroBanco&) {
        IBT_Gen.Desfazer();
    }
    IBT_BancoDados->Desfazer();
}

void SessaoBanco::IniciarSimulacao()
{
    IBD_BancoDados->DefinirTransacaoPadrao(&IBT_Gen);
    for (Consulta* leitura : std::initializer_list<Consulta*>{&IBQ_Login, &IBQ_Comercio, &IBQ_Pesquisa, &IBQ_Financeiro,
                                                              &IBQ_AcertoComissao})
        leitura->DefinirTransacao(&IBT_Gen);
    IBT_BancoDados->Simular();
    IBT_Gen.Simular();
    IBT_Gen.Iniciar();
}

void SessaoBanco::EncerrarSimulacao() noexcept
{
    if (!IBD_BancoDados)
        return;
    IBT_Gen.EncerrarSimulacao();
    IBT_BancoDados->EncerrarSimulacao();
}

void SessaoBanco::PassarParaGen(Consulta& consulta)
{
    consulta.Fechar();
    consulta.SQL.clear();
    consulta.DefinirTransacao(&IBT_Gen);
}

void SessaoBanco::AbrirConsulta(Consulta& consulta, const ComandoSql& sql)
{
    PassarParaGen(consulta);
    consulta.Abrir(sql);
}

void SessaoBanco::ExecutarComando(Consulta& consulta, const ComandoSql& sql, bool commitRetaining)
{
    PassarParaGen(consulta);
    consulta.Executar(sql);
    if (commitRetaining)
        IBT_Gen.ConfirmarMantendo();
}

void SessaoBanco::ExecutarComandoCommit(Consulta& consulta, const ComandoSql& sql, bool commit)
{
    ExecutarComando(consulta, sql, false);
    if (commit)
        IBT_Gen.Confirmar();
}

std::int64_t SessaoBanco::ProximoId(const std::string& tabela, const std::string& coluna)
{
    IBQ_Atualiza.Abrir(" select max(" + coluna + ") as ultimo from " + tabela);
    const std::int64_t ultimo = IBQ_Atualiza.Campo("ultimo").Inteiro();
    return ultimo > 0 ? ultimo + 1 : 1;
}

std::string SessaoBanco::LerParametro(const std::string& coluna)
{
    Consulta consulta("qryParametro", IBD_BancoDados.get());
    AbrirConsulta(consulta, " select " + coluna + " from TAB_PARAMETRO" + " where ID_PARAMETRO = 1");
    return consulta.Campo(coluna).Texto();
}
