#include "db/firebird/Consulta.h"

#include <cstring>

#include "comum/CodigoPagina.h"
#include "comum/Texto.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Cliente.h"
#include "db/firebird/Transacao.h"

namespace {

std::string TextoComando(const std::string& sql)
{
    const std::string t = Minusculas(sql);
    const auto inicio = t.find_first_not_of(" \t\r\n");
    if (inicio == std::string::npos)
        return {};
    const auto fim = t.find_last_not_of(" \t\r\n;");
    return t.substr(inicio, fim - inicio + 1);
}

template <class T>
T Ler(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

Valor LerColuna(Firebird::IMessageMetadata* meta, Firebird::ThrowStatusWrapper* s, unsigned i,
                const unsigned char* buffer)
{
    if (Ler<short>(buffer + meta->getNullOffset(s, i)))
        return Valor();
    const unsigned char* p = buffer + meta->getOffset(s, i);
    const int escala = meta->getScale(s, i);
    switch (meta->getType(s, i)) {
    case SQL_SHORT:
        return Valor::DeEscalado(Ler<std::int16_t>(p), escala);
    case SQL_LONG:
        return Valor::DeEscalado(Ler<std::int32_t>(p), escala);
    case SQL_INT64:
        return Valor::DeEscalado(Ler<std::int64_t>(p), escala);
    case SQL_FLOAT:
        return Valor::DeReal(Ler<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return Valor::DeReal(Ler<double>(p));
    case SQL_BOOLEAN:
        return Valor::DeInteiro(*p ? 1 : 0);
    case SQL_TEXT: {
        std::string t(reinterpret_cast<const char*>(p), meta->getLength(s, i));
        t.erase(t.find_last_not_of(' ') + 1);
        return Valor::DeTexto(Win1252ParaUtf8(t));
    }
    case SQL_VARYING: {
        const auto tamanho = Ler<std::uint16_t>(p);
        return Valor::DeTexto(Win1252ParaUtf8(std::string(reinterpret_cast<const char*>(p + 2), tamanho)));
    }
    case SQL_TYPE_DATE:
        return Valor::DeData(fb::DeDataFirebird(Ler<ISC_DATE>(p), 0));
    case SQL_TIMESTAMP: {
        const auto ts = Ler<ISC_TIMESTAMP>(p);
        return Valor::DeData(fb::DeDataFirebird(ts.timestamp_date, ts.timestamp_time));
    }
    case SQL_TYPE_TIME:
        return Valor::DeData(DataHora::DeMilissegundos(Ler<ISC_TIME>(p) / 10));
    default:
        throw ErroBanco("Tipo de coluna não suportado: " + std::string(meta->getAlias(s, i)));
    }
}

// The integers of a statement as its input message, in the order of its "?".
struct MensagemEntrada {
    Dono<Firebird::IMessageMetadata> meta;
    std::vector<unsigned char> dados;
};

// Every parameter is an exact 64-bit number with its scale, as a numeric
// literal of the same digits would be.
MensagemEntrada Entrada(Firebird::ThrowStatusWrapper* s, const std::vector<ParametroSql>& parametros)
{
    MensagemEntrada mensagem;
    if (parametros.empty())
        return mensagem;
    const auto n = static_cast<unsigned>(parametros.size());
    Dono<Firebird::IMetadataBuilder> construtor(fb::Mestre()->getMetadataBuilder(s, n));
    for (unsigned i = 0; i < n; ++i) {
        construtor->setType(s, i, SQL_INT64 + 1);
        construtor->setLength(s, i, sizeof(std::int64_t));
        construtor->setScale(s, i, parametros[i].escala);
    }
    mensagem.meta = Dono<Firebird::IMessageMetadata>(construtor->getMetadata(s));
    mensagem.dados.resize(mensagem.meta->getMessageLength(s));  // zeroed: no value is NULL
    for (unsigned i = 0; i < n; ++i)
        std::memcpy(mensagem.dados.data() + mensagem.meta->getOffset(s, i), &parametros[i].valor, sizeof(std::int64_t));
    return mensagem;
}

std::vector<Valor> LerLinha(Firebird::IMessageMetadata* meta, Firebird::ThrowStatusWrapper* s,
                            const unsigned char* buffer)
{
    const unsigned n = meta->getCount(s);
    std::vector<Valor> linha;
    linha.reserve(n);
    for (unsigned i = 0; i < n; ++i)
        linha.push_back(LerColuna(meta, s, i, buffer));
    return linha;
}

}  // namespace

// The walk's own statement: one kept by the connection could be freed, or
// opened again, while this cursor is still open.
struct Consulta::Sequencial {
    Dono<Firebird::IStatement> comando;
    Dono<Firebird::IMessageMetadata> meta;
    Dono<Firebird::IResultSet> cursor;
    std::vector<unsigned char> buffer;
    int contagem = 0;
};

Consulta::Consulta(std::string nome, BancoDados* banco) : nome_(std::move(nome))
{
    DefinirBanco(banco);
}

void Consulta::Abrir(const ComandoSql& sql)
{
    Fechar();
    SQL = sql.Texto();
    AbrirComParametros(sql.Parametros());
}

void Consulta::Executar(const ComandoSql& sql)
{
    Fechar();
    SQL = sql.Texto();
    ExecutarComParametros(sql.Parametros());
}

Consulta::~Consulta()
{
    if (transacao_)
        transacao_->Desregistrar(this);
    if (banco_)
        banco_->Desregistrar(this);
}

void Consulta::DefinirBanco(BancoDados* banco)
{
    if (banco_ != banco) {
        if (banco_)
            banco_->Desregistrar(this);
        banco_ = banco;
        if (banco_)
            banco_->Registrar(this);
    }
    if (banco_ && !transacao_)
        DefinirTransacao(banco_->TransacaoPadrao());
}

void Consulta::DefinirTransacao(Transacao* transacao)
{
    if (transacao_ == transacao)
        return;
    if (transacao_)
        transacao_->Desregistrar(this);
    transacao_ = transacao;
    if (transacao_)
        transacao_->Registrar(this);
}

void Consulta::GarantirVinculo() const
{
    if (!banco_)
        throw ErroBanco(nome_ + ": Database not assigned");
    if (!transacao_)
        throw ErroBanco(nome_ + ": Transaction not assigned");
}

void Consulta::Percorrer(const ComandoSql& sql)
{
    Fechar();
    SQL = sql.Texto();
    GarantirVinculo();
    const std::string texto = Utf8ParaWin1252(SQL);
    Firebird::IAttachment* anexo = banco_->Anexo();
    Firebird::ITransaction* tra = transacao_->Handle();
    auto aberto = std::make_unique<Sequencial>();
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        aberto->comando = Dono<Firebird::IStatement>(
            anexo->prepare(s, tra, 0, texto.c_str(), fb::kDialeto, Firebird::IStatement::PREPARE_PREFETCH_METADATA));
        aberto->meta = Dono<Firebird::IMessageMetadata>(aberto->comando->getOutputMetadata(s));
        aberto->buffer.resize(aberto->meta->getMessageLength(s));
        MensagemEntrada entrada = Entrada(s, sql.Parametros());
        const auto abrirCursor = [&] {
            return Dono<Firebird::IResultSet>(
                aberto->comando->openCursor(s, tra, entrada.meta.get(), entrada.dados.data(), aberto->meta.get(), 0));
        };
        Dono<Firebird::IResultSet> contagem = abrirCursor();
        while (contagem->fetchNext(s, aberto->buffer.data()) == Firebird::IStatus::RESULT_OK)
            ++aberto->contagem;
        contagem.Encerrar([&](Firebird::IResultSet* r) { r->close(s); });
        aberto->cursor = abrirCursor();
        LerColunas(aberto->meta.get(), s);
    });
    sequencial_ = std::move(aberto);
    ativa_ = true;
    BuscarProxima();
}

// At the end the last row stays readable, as in a selection fetched whole,
// and the cursor is closed.
void Consulta::BuscarProxima()
{
    if (!sequencial_->cursor) {
        fim_ = true;
        return;
    }
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        Sequencial& aberto = *sequencial_;
        if (aberto.cursor->fetchNext(s, aberto.buffer.data()) == Firebird::IStatus::RESULT_OK) {
            linhas_.assign(1, LerLinha(aberto.meta.get(), s, aberto.buffer.data()));
            fim_ = false;
            return;
        }
        aberto.cursor.Encerrar([&](Firebird::IResultSet* r) { r->close(s); });
        fim_ = true;
    });
}

void Consulta::SoltarCursor() noexcept
{
    if (!sequencial_)
        return;
    sequencial_.reset();
    fim_ = true;
}

int Consulta::QuantidadeRegistros() const
{
    return sequencial_ ? sequencial_->contagem : static_cast<int>(linhas_.size());
}

void Consulta::LerColunas(Firebird::IMessageMetadata* meta, Firebird::ThrowStatusWrapper* s)
{
    const unsigned n = meta->getCount(s);
    colunas_.clear();
    indices_.clear();
    for (unsigned i = 0; i < n; ++i) {
        colunas_.push_back(Maiusculas(meta->getAlias(s, i)));
        indices_.emplace(colunas_.back(), i);  // a repeated name keeps its first column
    }
}

void Consulta::Abrir()
{
    AbrirComParametros({});
}

void Consulta::Executar()
{
    ExecutarComParametros({});
}

// The shared opening of a selection: the connection's prepared statement and
// its columns; `buscar` fills the rows with the statement in hand.
template <typename Buscar>
void Consulta::AbrirPreparado(Buscar buscar)
{
    if (ativa_)
        return;
    GarantirVinculo();
    const std::string sql = Utf8ParaWin1252(SQL);
    Firebird::ITransaction* tra = transacao_->Handle();
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        Dono<Firebird::IStatement> guarda;
        Firebird::IStatement* comando = banco_->Preparado(s, tra, sql, guarda);
        Dono<Firebird::IMessageMetadata> meta(comando->getOutputMetadata(s));
        linhas_ = buscar(s, tra, comando, meta.get());
        LerColunas(meta.get(), s);
    });
    ativa_ = true;
    Primeiro();
}

void Consulta::AbrirComParametros(const std::vector<ParametroSql>& parametros)
{
    AbrirPreparado([&](Firebird::ThrowStatusWrapper* s, Firebird::ITransaction* tra, Firebird::IStatement* comando,
                       Firebird::IMessageMetadata* meta) {
        std::vector<std::vector<Valor>> linhas;
        MensagemEntrada entrada = Entrada(s, parametros);
        Dono<Firebird::IResultSet> cursor(
            comando->openCursor(s, tra, entrada.meta.get(), entrada.dados.data(), meta, 0));
        std::vector<unsigned char> buffer(meta->getMessageLength(s));
        while (cursor->fetchNext(s, buffer.data()) == Firebird::IStatus::RESULT_OK)
            linhas.push_back(LerLinha(meta, s, buffer.data()));
        cursor.Encerrar([&](Firebird::IResultSet* r) { r->close(s); });
        return linhas;
    });
}

void Consulta::DescreverColunas()
{
    AbrirPreparado([](Firebird::ThrowStatusWrapper*, Firebird::ITransaction*, Firebird::IStatement*,
                      Firebird::IMessageMetadata*) { return std::vector<std::vector<Valor>>{}; });
}

void Consulta::ExecutarComParametros(const std::vector<ParametroSql>& parametros)
{
    GarantirVinculo();
    const std::string comando = TextoComando(SQL);
    if (comando == "commit") {
        transacao_->ConfirmarPorComando();
        return;
    }
    if (comando == "commit retain" || comando == "commit retaining") {
        transacao_->ConfirmarMantendo();
        return;
    }
    const std::string sql = Utf8ParaWin1252(SQL);
    Firebird::ITransaction* tra = transacao_->Handle();
    fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
        Dono<Firebird::IStatement> guarda;
        MensagemEntrada entrada = Entrada(s, parametros);
        banco_->Preparado(s, tra, sql, guarda)
            ->execute(s, tra, entrada.meta.get(), entrada.dados.data(), nullptr, nullptr);
    });
}

void Consulta::Fechar()
{
    sequencial_.reset();
    ativa_ = false;
    fim_ = true;
    atual_ = 0;
    linhas_.clear();
}

void Consulta::Primeiro()
{
    if (sequencial_)
        throw ErroBanco(nome_ + ": a walk cannot go back to the first row");
    atual_ = 0;
    fim_ = linhas_.empty();
}

void Consulta::Proximo()
{
    if (sequencial_) {
        BuscarProxima();
        return;
    }
    if (atual_ + 1 < linhas_.size())
        ++atual_;
    else
        fim_ = true;
}

void Consulta::Ultimo()
{
    if (sequencial_)
        throw ErroBanco(nome_ + ": a walk cannot skip to the last row");
    atual_ = linhas_.empty() ? 0 : linhas_.size() - 1;
    fim_ = true;
}

std::size_t Consulta::IndiceColuna(const std::string& nome) const
{
    const auto it = indices_.find(Maiusculas(nome));
    if (it == indices_.end())
        throw ErroBanco(nome_ + ": Field '" + nome + "' not found");
    return it->second;
}

const Valor& Consulta::Campo(const std::string& nome) const
{
    static const Valor nulo;
    const std::size_t i = IndiceColuna(nome);
    return linhas_.empty() ? nulo : linhas_[atual_][i];
}
