#pragma once
// A query object: statement text, connection, transaction, and the rows of
// its last selection, fetched completely when it opens. Columns are read by
// name (case-insensitive); an unknown name throws, a NULL or a missing row
// reads as 0, day zero or empty text. Texts are UTF-8 here and Windows-1252
// in the database; the conversion happens in this class only.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "comum/ComandoSql.h"
#include "db/firebird/Valor.h"

namespace Firebird {
class IMessageMetadata;
class ThrowStatusWrapper;
}  // namespace Firebird
class BancoDados;
class Transacao;

class Consulta {
public:
    explicit Consulta(std::string nome, BancoDados* banco = nullptr);
    virtual ~Consulta();
    Consulta(const Consulta&) = delete;
    Consulta& operator=(const Consulta&) = delete;

    const std::string& Nome() const { return nome_; }
    std::string SQL;

    // Binding to a connection: without a transaction of its own the query
    // takes the connection's default one.
    void DefinirBanco(BancoDados* banco);
    BancoDados* Banco() const { return banco_; }
    void DefinirTransacao(Transacao* transacao);
    Transacao* TransacaoAtual() const { return transacao_; }

    void Abrir();
    void Executar();
    void Fechar();
    // Closes the query, takes the statement and opens or executes it with its
    // parameters, on whatever transaction the query is bound to.
    void Abrir(const ComandoSql& sql);
    void Executar(const ComandoSql& sql);
    // Opens a selection to walk it once, first row to last, holding only the
    // current row however many there are: the statement runs once to count
    // its rows and again to deliver them. Primeiro and Ultimo do not apply.
    void Percorrer(const ComandoSql& sql);
    bool Ativa() const { return ativa_; }

    void Primeiro();
    void Proximo();
    void Ultimo();
    bool Fim() const { return fim_; }
    int QuantidadeRegistros() const;

    const Valor& Campo(const std::string& nome) const;

protected:
    // Opens the statement without running it: the columns are known, there
    // is no row.
    void DescreverColunas();
    std::size_t IndiceColuna(const std::string& nome) const;  // throws on an unknown name
    const std::vector<std::string>& Colunas() const { return colunas_; }
    void GarantirVinculo() const;  // throws when no connection or transaction is bound

private:
    friend class Transacao;
    struct Sequencial;

    template <typename Buscar>
    void AbrirPreparado(Buscar buscar);
    void AbrirComParametros(const std::vector<ParametroSql>& parametros);
    void ExecutarComParametros(const std::vector<ParametroSql>& parametros);
    void LerColunas(Firebird::IMessageMetadata* meta, Firebird::ThrowStatusWrapper* s);
    void BuscarProxima();
    void SoltarCursor() noexcept;  // before the connection goes

    friend class BancoDados;

    std::string nome_;
    BancoDados* banco_ = nullptr;
    Transacao* transacao_ = nullptr;
    bool ativa_ = false;
    bool fim_ = true;
    std::size_t atual_ = 0;
    std::vector<std::string> colunas_;
    std::map<std::string, std::size_t> indices_;
    std::vector<std::vector<Valor>> linhas_;
    std::unique_ptr<Sequencial> sequencial_;  // the open walk of Percorrer
};
