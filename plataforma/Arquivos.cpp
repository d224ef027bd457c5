#include "plataforma/Arquivos.h"

#include "comum/DataHora.h"
#include "plataforma/Caminhos.h"
#include "plataforma/EscritaDescritor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descritor {
public:
    explicit Descritor(int fd) : fd_(fd) {}
    Descritor(const Descritor&) = delete;
    Descritor& operator=(const Descritor&) = delete;
    ~Descritor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int fd() const { return fd_; }
    bool Aberto() const { return fd_ >= 0; }
    bool Fechar() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

bool TipoDoCaminho(const std::string& caminho, mode_t tipo)
{
    struct stat info {};
    return ::stat(caminho.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == tipo;
}

// Reads the descriptor to its end, handing each block to usar (false stops).
template <class Usar>
bool LerAteOFim(int fd, Usar usar)
{
    char bloco[65536];
    for (;;) {
        const ssize_t lidos = ::read(fd, bloco, sizeof bloco);
        if (lidos < 0 && errno == EINTR)
            continue;
        if (lidos <= 0)
            return lidos == 0;
        if (!usar(bloco, static_cast<std::size_t>(lidos)))
            return false;
    }
}

std::runtime_error ErroDeLeitura(const std::string& caminho)
{
    return std::runtime_error("Não foi possível ler o arquivo " + caminho + ".");
}

const char* const kNaoEArquivoComum = "o caminho não é um arquivo comum";

// Why a file could not be written, in the operator's words.
std::string MotivoDaFalha(int erro)
{
    switch (erro) {
    case EISDIR:
        return "o caminho é uma pasta";
    case ELOOP:
        return "o caminho é um link simbólico";
    case ENXIO:
        return kNaoEArquivoComum;
    case EACCES:
    case EPERM:
        return "sem permissão de gravação";
    case ENOENT:
    case ENOTDIR:
        return "a pasta não existe";
    case ENOSPC:
    case EDQUOT:
        return "não há espaço no disco";
    case EROFS:
        return "o disco é somente leitura";
    default:
        return std::strerror(erro);
    }
}

std::runtime_error ErroDeGravacao(const std::string& caminho, const std::string& motivo)
{
    return std::runtime_error("Não foi possível gravar o arquivo " + caminho + ": " + motivo + ".");
}

// Creates the file, or opens the one there for replacing its bytes; criado
// tells which. A link in the file's place is never followed: it could name
// any file of the machine. A FIFO there does not block the open.
int AbrirParaGravar(const std::string& caminho, bool& criado)
{
    constexpr int kModo = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    const int novo = ::open(caminho.c_str(), kModo | O_CREAT | O_EXCL, 0666);
    criado = novo >= 0;
    if (novo >= 0 || errno != EEXIST)
        return novo;
    return ::open(caminho.c_str(), kModo | O_TRUNC);
}

}  // namespace

bool ArquivoExiste(const std::string& caminho)
{
    return TipoDoCaminho(caminho, S_IFREG);
}

bool PastaExiste(const std::string& caminho)
{
    return TipoDoCaminho(caminho, S_IFDIR);
}

bool CriarPasta(const std::string& caminho)
{
    return ::mkdir(caminho.c_str(), 0777) == 0;
}

bool ApagarArquivo(const std::string& caminho)
{
    return ::unlink(caminho.c_str()) == 0 || errno == ENOENT;
}

bool RenomearArquivo(const std::string& de, const std::string& para)
{
    return ::renameat2(AT_FDCWD, de.c_str(), AT_FDCWD, para.c_str(), RENAME_NOREPLACE) == 0;
}

bool CopiarArquivoSemSobrescrever(const std::string& de, const std::string& para)
{
    Descritor origem(::open(de.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!origem.Aberto() || ::fstat(origem.fd(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    Descritor destino(::open(para.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!destino.Aberto())
        return false;
    // The copy keeps the modification time: the update check compares it.
    const timespec tempos[2] = {info.st_atim, info.st_mtim};
    const auto escrever = [&](const char* bloco, std::size_t n) { return EscreverTudo(destino.fd(), bloco, n); };
    const bool copiado = LerAteOFim(origem.fd(), escrever) && ::fchmod(destino.fd(), info.st_mode & 0777) == 0 &&
                         ::futimens(destino.fd(), tempos) == 0 && destino.Fechar();
    if (!copiado)
        ::unlink(para.c_str());
    return copiado;
}

std::vector<std::string> ListarArquivos(const std::string& padrao)
{
    const std::string pasta = PastaComSeparador(padrao);
    const std::string mascara = NomeArquivo(padrao);
    std::vector<std::string> nomes;
    const std::unique_ptr<DIR, int (*)(DIR*)> leitura(::opendir(pasta.empty() ? "." : pasta.c_str()), ::closedir);
    if (!leitura)
        return nomes;
    while (const dirent* entrada = ::readdir(leitura.get())) {
        const std::string nome = entrada->d_name;
        if (::fnmatch(mascara.c_str(), nome.c_str(), FNM_NOESCAPE) == 0 && ArquivoExiste(pasta + nome))
            nomes.push_back(nome);
    }
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

DataHora DataModificacao(const std::string& caminho)
{
    struct stat info {};
    if (::stat(caminho.c_str(), &info) != 0)
        return DataHora();
    // File times of the suite's platform have a two-second step; times
    // compared across machines must agree at that step.
    const std::int64_t ms = DataHora::DeTimeT(info.st_mtim.tv_sec).Milissegundos();
    const std::int64_t resto = ((ms % 2000) + 2000) % 2000;
    return DataHora::DeMilissegundos(ms - resto);
}

std::string LerArquivo(const std::string& caminho)
{
    Descritor arquivo(::open(caminho.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!arquivo.Aberto() || ::fstat(arquivo.fd(), &info) != 0 || !S_ISREG(info.st_mode))
        throw ErroDeLeitura(caminho);
    std::string bytes;
    const auto juntar = [&](const char* bloco, std::size_t n) {
        bytes.append(bloco, n);
        return true;
    };
    if (!LerAteOFim(arquivo.fd(), juntar))
        throw ErroDeLeitura(caminho);
    return bytes;
}

std::string LerPrimeiraLinha(const std::string& caminho)
{
    const std::string texto = LerArquivo(caminho);
    // A text line ends at CR, LF or CR-LF.
    return texto.substr(0, texto.find_first_of("\r\n"));
}

void GravarArquivo(const std::string& caminho, const std::string& bytes)
{
    bool criado = false;
    Descritor arquivo(AbrirParaGravar(caminho, criado));
    if (!arquivo.Aberto())
        throw ErroDeGravacao(caminho, MotivoDaFalha(errno));
    struct stat info {};
    if (::fstat(arquivo.fd(), &info) != 0 || !S_ISREG(info.st_mode))
        throw ErroDeGravacao(caminho, kNaoEArquivoComum);
    if (!EscreverTudo(arquivo.fd(), bytes.data(), bytes.size()) || !arquivo.Fechar()) {
        const int erro = errno;
        // Half a file of ours would pass for a whole one (a lock file counts by its existence).
        if (criado)
            ::unlink(caminho.c_str());
        throw ErroDeGravacao(caminho, MotivoDaFalha(erro));
    }
}
