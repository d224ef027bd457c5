#include "db/firebird/DatasetInsercao.h"

#include <cctype>
#include <cstring>

#include "comum/CodigoPagina.h"
#include "comum/Texto.h"
#include "db/firebird/BancoDados.h"
#include "db/firebird/Cliente.h"
#include "db/firebird/Transacao.h"

namespace {

bool CaractereDeNome(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// ":NOME" parameters become "?" in order; quoted texts are left alone.
std::string TrocarParametros(const std::string& sql, std::vector<std::string>& nomes)
{
    std::string saida;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'') {
            const auto fim = sql.find('\'', i + 1);
            const auto ate = fim == std::string::npos ? sql.size() : fim + 1;
            saida += sql.substr(i, ate - i);
            i = ate - 1;
        } else if (c == ':' && i + 1 < sql.size() && CaractereDeNome(sql[i + 1])) {
            std::size_t j = i + 1;
            while (j < sql.size() && CaractereDeNome(sql[j]))
                ++j;
            nomes.push_back(Maiusculas(sql.substr(i + 1, j - i - 1)));
            saida += '?';
            i = j - 1;
        } else {
            saida += c;
        }
    }
    return saida;
}

// The parameter travels in the program's own type; the server converts it to
// the column's (money keeps four decimals until the column rounds it).
void DescreverParametro(Firebird::IMetadataBuilder* b, Firebird::ThrowStatusWrapper* s, unsigned i, const Valor& v,
                        unsigned conjuntoCaracteres)
{
    const auto& bruto = v.Bruto();
    if (const auto* e = std::get_if<Escalado>(&bruto)) {
        b->setType(s, i, SQL_INT64 + 1);
        b->setLength(s, i, sizeof(std::int64_t));
        b->setScale(s, i, e->escala);
    } else if (std::holds_alternative<double>(bruto)) {
        b->setType(s, i, SQL_DOUBLE + 1);
        b->setLength(s, i, sizeof(double));
        b->setScale(s, i, 0);
    } else if (const auto* t = std::get_if<std::string>(&bruto)) {
        b->setType(s, i, SQL_VARYING + 1);
        b->setLength(s, i, static_cast<unsigned>(std::max<std::size_t>(Utf8ParaWin1252(*t).size(), 1)));
        b->setCharSet(s, i, conjuntoCaracteres);
    } else if (std::holds_alternative<DataHora>(bruto)) {
        b->setType(s, i, SQL_TIMESTAMP + 1);
        b->setLength(s, i, sizeof(ISC_TIMESTAMP));
        b->setScale(s, i, 0);
    } else {
        b->setType(s, i, SQL_LONG + 1);
        b->setLength(s, i, sizeof(std::int32_t));
        b->setScale(s, i, 0);
    }
}

void GravarParametro(Firebird::IMessageMetadata* m, Firebird::ThrowStatusWrapper* s, unsigned i, const Valor& v,
                     unsigned char* buffer)
{
    const short nulo = v.Nulo() ? -1 : 0;
    std::memcpy(buffer + m->getNullOffset(s, i), &nulo, sizeof nulo);
    unsigned char* p = buffer + m->getOffset(s, i);
    const auto& bruto = v.Bruto();
    if (const auto* e = std::get_if<Escalado>(&bruto)) {
        std::memcpy(p, &e->bruto, sizeof e->bruto);
    } else if (const auto* d = std::get_if<double>(&bruto)) {
        std::memcpy(p, d, sizeof *d);
    } else if (const auto* t = std::get_if<std::string>(&bruto)) {
        const std::string bytes = Utf8ParaWin1252(*t);
        const auto tamanho = static_cast<std::uint16_t>(bytes.size());
        std::memcpy(p, &tamanho, sizeof tamanho);
        // A VARCHAR of a message is its length and its bytes, with no terminator.
        std::memcpy(p + 2, bytes.data(), bytes.size());  // NOLINT(bugprone-not-null-terminated-result)
    } else if (const auto* data = std::get_if<DataHora>(&bruto)) {
        const ISC_TIMESTAMP ts = fb::ParaTimestampFirebird(*data);
        std::memcpy(p, &ts, sizeof ts);
    }
}

}  // namespace

DatasetInsercao::DatasetInsercao(std::string nome, std::string sqlSelecao, const ObjetoAtualizacao& atualizacao)
    : Consulta(std::move(nome)), atualizacao_(atualizacao)
{
    SQL = std::move(sqlSelecao);
}

void DatasetInsercao::Abrir()
{
    DescreverColunas();
}

void DatasetInsercao::Inserir()
{
    if (!Ativa())
        throw ErroBanco(Nome() + ": Dataset not open");
    linhaEmEdicao_.clear();
    editando_ = true;
}

void DatasetInsercao::DefinirCampo(const std::string& coluna, Valor valor)
{
    if (!editando_)
        throw ErroBanco(Nome() + ": Dataset not in insert mode");
    linhaEmEdicao_[Colunas()[IndiceColuna(coluna)]] = std::move(valor);
}

const Valor& DatasetInsercao::CampoInserido(const std::string& coluna) const
{
    static const Valor nulo;
    const auto it = linhaEmEdicao_.find(Colunas()[IndiceColuna(coluna)]);
    return it == linhaEmEdicao_.end() ? nulo : it->second;
}

void DatasetInsercao::Postar()
{
    if (!editando_)
        throw ErroBanco(Nome() + ": Dataset not in insert mode");
    pendentes_.push_back(std::move(linhaEmEdicao_));
    linhaEmEdicao_.clear();
    editando_ = false;
}

void DatasetInsercao::AplicarAtualizacoes()
{
    GarantirVinculo();
    std::vector<std::string> nomes;
    const std::string sql = Utf8ParaWin1252(TrocarParametros(atualizacao_.SqlInsercao, nomes));
    Firebird::ITransaction* tra = TransacaoAtual()->Handle();
    while (!pendentes_.empty()) {
        // A row leaves the buffer before its insert: one that fails must not
        // be sent again ahead of every later row.
        const std::map<std::string, Valor> linha = std::move(pendentes_.front());
        pendentes_.erase(pendentes_.begin());
        fb::Chamar([&](Firebird::ThrowStatusWrapper* s) {
            Dono<Firebird::IStatement> guarda;
            Firebird::IStatement* comando = Banco()->Preparado(s, tra, sql, guarda);
            Dono<Firebird::IMessageMetadata> descrito(comando->getInputMetadata(s));
            Dono<Firebird::IMetadataBuilder> construtor(descrito->getBuilder(s));
            std::vector<Valor> valores;
            for (unsigned i = 0; i < nomes.size(); ++i) {
                const auto it = linha.find(nomes[i]);
                valores.push_back(it == linha.end() ? Valor() : it->second);
                DescreverParametro(construtor.get(), s, i, valores.back(), descrito->getCharSet(s, i));
            }
            Dono<Firebird::IMessageMetadata> meta(construtor->getMetadata(s));
            std::vector<unsigned char> buffer(meta->getMessageLength(s));
            for (unsigned i = 0; i < nomes.size(); ++i)
                GravarParametro(meta.get(), s, i, valores[i], buffer.data());
            comando->execute(s, tra, meta.get(), buffer.data(), nullptr, nullptr);
        });
    }
}
