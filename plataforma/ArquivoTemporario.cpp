#include "plataforma/ArquivoTemporario.h"

#include "plataforma/EscritaDescritor.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kTentativas = 100;

std::string NomeAleatorio(const std::string& destino, std::random_device& aleatorio)
{
    static constexpr char kLetras[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string nome = destino + ".";
    for (int i = 0; i < 8; ++i)
        nome += kLetras[aleatorio() % (sizeof kLetras - 1)];
    return nome;
}

// O_EXCL fails on any existing name, a dangling link too; the mode is the
// one an ordinary new file gets, the umask applied.
int CriarExclusivo(const std::string& destino, std::string& nome)
{
    std::random_device aleatorio;
    for (int tentativa = 0; tentativa < kTentativas; ++tentativa) {
        nome = NomeAleatorio(destino, aleatorio);
        const int descritor = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descritor >= 0 || errno != EEXIST)
            return descritor;
    }
    return -1;
}

}  // namespace

ArquivoTemporario::ArquivoTemporario(const std::string& destino) : destino_(destino)
{
    descritor_ = CriarExclusivo(destino_, temporario_);
    if (descritor_ < 0)
        throw std::runtime_error("Não foi possível criar o arquivo " + destino_ + ".");
}

ArquivoTemporario::~ArquivoTemporario()
{
    if (descritor_ >= 0)
        ::close(descritor_);
    if (!concluido_)
        ::unlink(temporario_.c_str());
}

bool ArquivoTemporario::Escrever(const char* dados, std::size_t tamanho)
{
    return EscreverTudo(descritor_, dados, tamanho);
}

bool ArquivoTemporario::Concluir()
{
    // On disk before the rename, so a crash never leaves an empty target.
    const bool gravado = ::fsync(descritor_) == 0;
    const bool fechado = ::close(std::exchange(descritor_, -1)) == 0;
    concluido_ = gravado && fechado && std::rename(temporario_.c_str(), destino_.c_str()) == 0;
    return concluido_;
}
