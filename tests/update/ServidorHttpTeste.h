#pragma once
// HTTP test servers on 127.0.0.1: one python3 http.server process per object,
// plain or TLS (a self-signed certificate made by openssl when it starts).
// The root "/" always answers; other paths serve the files published under
// the server's folder, 404 when missing. Each request's path and headers are
// recorded before it is answered. A cut server announces twice each body's
// length and closes the connection after the body: a transfer that breaks
// off half-way. The process is stopped and its folder removed when the
// object goes. Start-up failures throw.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/fixtures/PastaTemporaria.h"

extern char** environ;

class ServidorHttpTeste {
public:
    enum class Protocolo { Http, Https };
    enum class Resposta { Completa, Cortada };

    struct Pedido {
        std::string caminho;
        std::vector<std::string> cabecalhos;   // "Name: value", as sent
        bool Tem(const std::string& cabecalho) const
        {
            return std::find(cabecalhos.begin(), cabecalhos.end(), cabecalho) != cabecalhos.end();
        }
        bool TemNome(const std::string& nome) const
        {
            return std::any_of(cabecalhos.begin(), cabecalhos.end(),
                               [&](const std::string& c) { return c.compare(0, nome.size() + 1, nome + ":") == 0; });
        }
    };

    explicit ServidorHttpTeste(Protocolo protocolo, Resposta resposta = Resposta::Completa)
    {
        const std::string script = pasta_.Caminho() + "/servidor.py";
        std::ofstream(script) << kScript;
        std::filesystem::create_directory(Raiz());
        const std::vector<std::string> textos = {"python3", script, pasta_.Caminho(),
                                                 protocolo == Protocolo::Https ? "https" : "http",
                                                 resposta == Resposta::Cortada ? "cortada" : "completa"};
        std::vector<char*> argv;
        argv.reserve(textos.size() + 1);
        for (const std::string& texto : textos)
            argv.push_back(const_cast<char*>(texto.c_str()));
        argv.push_back(nullptr);
        if (::posix_spawnp(&processo_.pid, "python3", nullptr, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("python3 não pôde ser iniciado");
        porta_ = AguardarPorta();
    }

    std::string Host() const { return "127.0.0.1:" + std::to_string(porta_); }

    // caminho: the request path decoded, without the leading "/".
    void Publicar(const std::string& caminho, const std::string& corpo) const
    {
        const std::filesystem::path arquivo = std::filesystem::path(Raiz()) / caminho;
        std::filesystem::create_directories(arquivo.parent_path());
        std::ofstream(arquivo, std::ios::binary) << corpo;
    }

    std::vector<Pedido> Pedidos() const
    {
        std::vector<Pedido> pedidos;
        std::ifstream log(pasta_.Caminho() + "/pedidos.log");
        std::string linha;
        bool novo = true;
        while (std::getline(log, linha)) {
            if (linha.empty()) {
                novo = true;
            } else if (novo) {
                pedidos.push_back({linha, {}});
                novo = false;
            } else {
                pedidos.back().cabecalhos.push_back(linha);
            }
        }
        return pedidos;
    }

private:
    // Records every request, then answers it; "/" stands for a site that is up.
    static constexpr const char* kScript = R"PY(
import http.server, os, ssl, subprocess, sys, urllib.parse

pasta, protocolo, resposta = sys.argv[1], sys.argv[2], sys.argv[3]
raiz = os.path.join(pasta, "raiz")

class Tratador(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(os.path.join(pasta, "pedidos.log"), "a") as log:
            log.write(self.path + "\n")
            for nome, valor in self.headers.items():
                log.write(nome + ": " + valor + "\n")
            log.write("\n")
        if self.path == "/":
            corpo = b"telmora"
        else:
            arquivo = os.path.join(raiz, urllib.parse.unquote(self.path).lstrip("/"))
            if not os.path.isfile(arquivo):
                self.send_error(404)
                return
            with open(arquivo, "rb") as entrada:
                corpo = entrada.read()
        cortar = resposta == "cortada"
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(corpo) * (2 if cortar else 1)))
        self.end_headers()
        self.wfile.write(corpo)
        if cortar:
            self.close_connection = True

servidor = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Tratador)
servidor.daemon_threads = True
if protocolo == "https":
    chave, certificado = os.path.join(pasta, "chave.pem"), os.path.join(pasta, "certificado.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                    "-nodes", "-days", "1",
                    "-subj", "/CN=localhost", "-keyout", chave, "-out", certificado],
                   check=True, capture_output=True)
    contexto = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    contexto.load_cert_chain(certificado, chave)
    servidor.socket = contexto.wrap_socket(servidor.socket, server_side=True)
with open(os.path.join(pasta, "porta.tmp"), "w") as saida:
    saida.write(str(servidor.server_address[1]))
os.rename(os.path.join(pasta, "porta.tmp"), os.path.join(pasta, "porta"))
servidor.serve_forever()
)PY";

    // Stops the server before its folder goes.
    struct Processo {
        pid_t pid = -1;
        Processo() = default;
        Processo(const Processo&) = delete;
        Processo& operator=(const Processo&) = delete;
        ~Processo()
        {
            if (pid <= 0)
                return;
            ::kill(pid, SIGTERM);
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    };

    std::string Raiz() const { return pasta_.Caminho() + "/raiz"; }

    // The server writes its port once it listens; a generous limit only
    // keeps a broken start from hanging the tests.
    int AguardarPorta()
    {
        const std::string arquivo = pasta_.Caminho() + "/porta";
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!std::filesystem::exists(arquivo)) {
            if (::waitpid(processo_.pid, nullptr, WNOHANG) == processo_.pid) {
                processo_.pid = -1;
                throw std::runtime_error("o servidor de teste terminou ao iniciar");
            }
            if (std::chrono::steady_clock::now() > limite)
                throw std::runtime_error("o servidor de teste não informou sua porta");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        int porta = 0;
        std::ifstream(arquivo) >> porta;
        return porta;
    }

    PastaTemporaria pasta_;
    Processo processo_;
    int porta_ = 0;
};

// A port of 127.0.0.1 on which nothing listens: connections are refused.
inline std::string HostRecusado()
{
    const int soquete = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    const bool livre = soquete >= 0 && ::bind(soquete, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0 &&
                       ::getsockname(soquete, reinterpret_cast<sockaddr*>(&endereco), &tamanho) == 0;
    if (soquete >= 0)
        ::close(soquete);
    if (!livre)
        throw std::runtime_error("nenhuma porta livre");
    return "127.0.0.1:" + std::to_string(ntohs(endereco.sin_port));
}
