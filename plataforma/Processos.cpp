#include "plataforma/Processos.h"

#include "comum/Texto.h"
#include "plataforma/Caminhos.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <dirent.h>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The target of a symbolic link; empty when it cannot be read.
std::string Destino(const std::string& link)
{
    std::string destino(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(link.c_str(), destino.data(), destino.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < destino.size()) {
            destino.resize(static_cast<std::size_t>(n));
            return destino;
        }
        destino.resize(destino.size() * 2);
    }
}

std::vector<pid_t> ProcessosEmOrdem()
{
    std::vector<pid_t> pids;
    const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc)
        return pids;
    while (const dirent* entrada = ::readdir(proc.get())) {
        char* fim;
        const long pid = std::strtol(entrada->d_name, &fim, 10);
        if (*fim == '\0' && pid > 0)
            pids.push_back(static_cast<pid_t>(pid));
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

// File name of the executable behind a /proc/.../exe link; empty for kernel
// threads, zombies and processes of other users whose executable may not be read.
std::string NomeExecutavel(const std::string& linkExecutavel)
{
    static const std::string kApagado = " (deleted)";
    std::string executavel = Destino(linkExecutavel);
    if (executavel.size() > kApagado.size() &&
        executavel.compare(executavel.size() - kApagado.size(), kApagado.size(), kApagado) == 0)
        executavel.resize(executavel.size() - kApagado.size());
    return NomeArquivo(executavel);
}

class Tubo {
public:
    Tubo()
    {
        if (::pipe2(fds_, O_CLOEXEC) != 0)
            fds_[0] = fds_[1] = -1;
    }
    Tubo(const Tubo&) = delete;
    Tubo& operator=(const Tubo&) = delete;
    ~Tubo()
    {
        Fechar(fds_[0]);
        Fechar(fds_[1]);
    }
    bool Aberto() const { return fds_[0] >= 0; }
    int Leitura() const { return fds_[0]; }
    int Escrita() const { return fds_[1]; }
    void FecharEscrita() { Fechar(fds_[1]); }

private:
    static void Fechar(int& fd)
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int fds_[2];
};

// Runs in the grandchild, after fork: only async-signal-safe calls. Reports
// through the pipe the errno of a failed exec; a successful exec closes it.
[[noreturn]] void ExecutarDesacoplado(const char* programa, char* const argv[], int aviso)
{
    ::setsid();
    // The program gets default signal handling, not this one's ignored or blocked signals.
    sigset_t nenhum;
    sigemptyset(&nenhum);
    ::sigprocmask(SIG_SETMASK, &nenhum, nullptr);
    struct sigaction padrao {};
    padrao.sa_handler = SIG_DFL;
    for (int sinal = 1; sinal < NSIG; ++sinal)
        ::sigaction(sinal, &padrao, nullptr);
    // Descriptors the program holds (database sockets, open files) are not passed on.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execv(programa, argv);
    const int erro = errno;
    [[maybe_unused]] const ssize_t escrito = ::write(aviso, &erro, sizeof erro);
    ::_exit(127);
}

bool AguardarFim(pid_t pid)
{
    int situacao;
    while (::waitpid(pid, &situacao, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(situacao) && WEXITSTATUS(situacao) == 0;
}

bool ExecFalhou(int leitura)
{
    int erro;
    for (;;) {
        const ssize_t lidos = ::read(leitura, &erro, sizeof erro);
        if (lidos >= 0 || errno != EINTR)
            return lidos != 0;
    }
}

}  // namespace

void FinalizarProcesso(const std::string& nomeExecutavel)
{
    const std::string procurado = Minusculas(nomeExecutavel);
    // Another installation's monitor on this machine has the same file name:
    // the own name ends this process and never looks for another.
    if (procurado == Minusculas(NomeExecutavel("/proc/self/exe")))
        EncerrarProcessoImediatamente(0);
    for (const pid_t pid : ProcessosEmOrdem()) {
        // One that may not be signalled (another user's) is passed over.
        if (Minusculas(NomeExecutavel("/proc/" + std::to_string(pid) + "/exe")) == procurado &&
            ::kill(pid, SIGKILL) == 0)
            return;
    }
}

bool IniciarProgramaDesacoplado(const std::string& programa, const std::vector<std::string>& argumentos)
{
    // Everything the children need is built before fork: after it only
    // async-signal-safe calls are allowed.
    std::vector<std::string> textos{programa};
    textos.insert(textos.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    argv.reserve(textos.size() + 1);
    for (std::string& texto : textos)
        argv.push_back(texto.data());
    argv.push_back(nullptr);

    Tubo aviso;
    if (!aviso.Aberto())
        return false;
    const pid_t filho = ::fork();
    if (filho < 0)
        return false;
    if (filho == 0) {
        // The intermediate child ends at once, so the program is nobody's child here.
        const pid_t neto = ::fork();
        if (neto == 0)
            ExecutarDesacoplado(programa.c_str(), argv.data(), aviso.Escrita());
        ::_exit(neto < 0 ? 1 : 0);
    }
    aviso.FecharEscrita();
    const bool netoCriado = AguardarFim(filho);
    return netoCriado && !ExecFalhou(aviso.Leitura());
}

void EncerrarProcessoImediatamente(int codigo)
{
    std::fflush(nullptr);
    std::_Exit(codigo);
}

namespace {

}  // namespace

std::string NomeCompletoPrograma()
{
    const std::string programa = Destino("/proc/self/exe");
    if (programa.empty())
        throw std::runtime_error("Não foi possível obter o nome do programa em execução.");
    return programa;
}
