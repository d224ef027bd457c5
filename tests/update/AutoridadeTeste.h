#pragma once
// A certificate authority of the tests' own, made by openssl in a temporary
// folder when the object is built: it signs server certificates, whose
// authority a test installation names as its CA file, and it makes
// self-signed ones. Everything is removed when the object goes; a failing
// openssl throws.
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "tests/fixtures/PastaTemporaria.h"

extern char** environ;

class AutoridadeTeste {
public:
    struct Certificado {
        std::string certificado;  // PEM
        std::string chave;        // PEM, unencrypted
    };

    // The names the test servers answer by.
    static constexpr const char* kLocal = "IP:127.0.0.1,DNS:localhost";

    AutoridadeTeste()
    {
        Openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2",
                 "-subj", "/CN=Autoridade de teste", "-keyout", NaPasta("autoridade.key"), "-out", Arquivo()});
    }

    // The authority's own certificate: the CA file that makes its servers valid.
    std::string Arquivo() const { return NaPasta("autoridade.pem"); }

    // A server certificate signed by this authority for the names given.
    Certificado Emitir(const std::string& nomes = kLocal)
    {
        const Certificado emitido = Novo();
        const std::string pedido = emitido.certificado + ".csr";
        const std::string extensoes = emitido.certificado + ".ext";
        std::ofstream(extensoes) << "subjectAltName=" << nomes << "\nbasicConstraints=CA:FALSE\n"
                                 << "extendedKeyUsage=serverAuth\n";
        Openssl({"req", "-new", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-subj",
                 "/CN=servidor de teste", "-keyout", emitido.chave, "-out", pedido});
        Openssl({"x509", "-req", "-in", pedido, "-CA", Arquivo(), "-CAkey", NaPasta("autoridade.key"), "-set_serial",
                 std::to_string(emitidos_), "-days", "2", "-extfile", extensoes, "-out", emitido.certificado});
        return emitido;
    }

    // A self-signed certificate for 127.0.0.1: valid only where it is itself the CA file.
    Certificado AutoAssinado()
    {
        const Certificado emitido = Novo();
        Openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2",
                 "-subj", "/CN=127.0.0.1", "-addext", std::string("subjectAltName=") + kLocal, "-keyout", emitido.chave,
                 "-out", emitido.certificado});
        return emitido;
    }

private:
    std::string NaPasta(const std::string& nome) const { return pasta_.Caminho() + "/" + nome; }

    Certificado Novo()
    {
        const std::string base = NaPasta("servidor" + std::to_string(++emitidos_));
        return {base + ".pem", base + ".key"};
    }

    // Runs openssl with its output discarded; throws unless it succeeds.
    static void Openssl(std::vector<std::string> argumentos)
    {
        argumentos.insert(argumentos.begin(), "openssl");
        std::vector<char*> argv;
        argv.reserve(argumentos.size() + 1);
        for (std::string& argumento : argumentos)
            argv.push_back(argumento.data());
        argv.push_back(nullptr);
        struct Acoes {
            posix_spawn_file_actions_t acoes;
            Acoes() { ::posix_spawn_file_actions_init(&acoes); }
            ~Acoes() { ::posix_spawn_file_actions_destroy(&acoes); }
        } silencio;
        ::posix_spawn_file_actions_addopen(&silencio.acoes, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&silencio.acoes, 2, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addclosefrom_np(&silencio.acoes, 3);
        pid_t pid;
        if (::posix_spawnp(&pid, "openssl", &silencio.acoes, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("openssl não pôde ser iniciado");
        int situacao = 0;
        while (::waitpid(pid, &situacao, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(situacao) || WEXITSTATUS(situacao) != 0)
            throw std::runtime_error("openssl falhou: " + argumentos[1]);
    }

    PastaTemporaria pasta_;
    int emitidos_ = 0;
};
