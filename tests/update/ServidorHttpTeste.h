#pragma once
// HTTP test servers on 127.0.0.1: one python3 http.server process per object,
// plain or TLS with a certificate of tests/update/AutoridadeTeste.h. The root
// "/" always answers; other paths serve the files published under the
// server's folder (the query ignored), 404 when missing, unless a request path was told to
// answer otherwise (a redirect, a status, a body cut short or stalled). Each
// request's path and headers are recorded before it is answered. The process
// is stopped and its folder removed when the object goes. Start-up failures
// throw. Also: a port that refuses connections, and one that accepts them
// and never answers.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
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
#include "tests/fixtures/ProcessosTeste.h"
#include "tests/update/AutoridadeTeste.h"

class ServidorHttpTeste {
public:
    struct Pedido {
        std::string caminho;
        std::vector<std::string> cabecalhos;  // "Name: value", as sent
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

    // Plain HTTP.
    ServidorHttpTeste() { Iniciar({"http"}); }

    // HTTPS presenting this certificate.
    explicit ServidorHttpTeste(const AutoridadeTeste::Certificado& certificado) : seguro_(true)
    {
        Iniciar({"https", certificado.certificado, certificado.chave});
    }

    std::string Host() const { return "127.0.0.1:" + std::to_string(porta_); }
    // The scheme and host followed by a request path ("/x").
    std::string Endereco(const std::string& pedido = "") const
    {
        return (seguro_ ? "https://" : "http://") + Host() + pedido;
    }

    // caminho: the request path decoded, without the leading "/".
    void Publicar(const std::string& caminho, const std::string& corpo) const
    {
        const std::filesystem::path arquivo = std::filesystem::path(Raiz()) / caminho;
        std::filesystem::create_directories(arquivo.parent_path());
        std::ofstream(arquivo, std::ios::binary) << corpo;
    }

    // How a request path, as sent ("/a%20b"), is answered from now on.
    // A 302 to destino, a full address:
    void Redirecionar(const std::string& pedido, const std::string& destino) const
    {
        Rota(pedido, "redirecionar", destino);
    }
    // This status with a short body:
    void Responder(const std::string& pedido, int status) const { Rota(pedido, "status", std::to_string(status)); }
    // The published body with twice its length announced, and the connection
    // closed after it: a transfer that breaks off half-way.
    void Cortar(const std::string& pedido) const { Rota(pedido, "cortar", ""); }
    // Half the published body, then nothing more while the server lives.
    void Parar(const std::string& pedido) const { Rota(pedido, "parar", ""); }

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

    bool Recebeu(const std::string& pedido) const
    {
        const auto pedidos = Pedidos();
        return std::any_of(pedidos.begin(), pedidos.end(), [&](const Pedido& p) { return p.caminho == pedido; });
    }

private:
    // Records every request, then answers it; "/" stands for a site that is up.
    // The TLS handshake runs in the request's own thread, so a client that
    // never completes it holds up no other.
    static constexpr const char* kScript = R"PY(
import http.server, os, ssl, sys, time, urllib.parse

pasta, protocolo = sys.argv[1], sys.argv[2]
raiz = os.path.join(pasta, "raiz")

def rota(pedido):
    try:
        with open(os.path.join(pasta, "rotas")) as rotas:
            for linha in rotas:
                partes = linha.rstrip("\n").split("\t")
                if partes[0] == pedido:
                    return partes[1], partes[2]
    except FileNotFoundError:
        pass
    return "", ""

class Tratador(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def setup(self):
        if protocolo == "https":
            self.request.do_handshake()
        super().setup()

    def log_message(self, *args):
        pass

    def responder(self, status, cabecalhos, corpo):
        self.send_response(status)
        for nome, valor in cabecalhos:
            self.send_header(nome, valor)
        self.end_headers()
        self.wfile.write(corpo)

    def do_GET(self):
        with open(os.path.join(pasta, "pedidos.log"), "a") as log:
            log.write(self.path + "\n")
            for nome, valor in self.headers.items():
                log.write(nome + ": " + valor + "\n")
            log.write("\n")
        modo, argumento = rota(self.path)
        if modo == "redirecionar":
            self.responder(302, [("Location", argumento), ("Content-Length", "0")], b"")
            return
        if modo == "status":
            self.responder(int(argumento), [("Content-Length", "4")], b"erro")
            return
        if self.path == "/":
            corpo = b"telmora"
        else:
            caminho = urllib.parse.urlsplit(self.path).path
            arquivo = os.path.join(raiz, urllib.parse.unquote(caminho).lstrip("/"))
            if not os.path.isfile(arquivo):
                self.send_error(404)
                return
            with open(arquivo, "rb") as entrada:
                corpo = entrada.read()
        anunciado = len(corpo) * (2 if modo == "cortar" else 1)
        enviado = corpo[:len(corpo) // 2] if modo == "parar" else corpo
        self.responder(200, [("Content-Type", "application/octet-stream"), ("Content-Length", str(anunciado))],
                       enviado)
        self.wfile.flush()
        if modo == "parar":
            time.sleep(3600)
        if modo == "cortar":
            self.close_connection = True

class Servidor(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass

servidor = Servidor(("127.0.0.1", 0), Tratador)
if protocolo == "https":
    contexto = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    contexto.load_cert_chain(sys.argv[3], sys.argv[4])
    servidor.socket = contexto.wrap_socket(servidor.socket, server_side=True, do_handshake_on_connect=False)
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

    void Iniciar(const std::vector<std::string>& parametros)
    {
        const std::string script = pasta_.Caminho() + "/servidor.py";
        std::ofstream(script) << kScript;
        std::filesystem::create_directory(Raiz());
        std::vector<std::string> textos = {"python3", script, pasta_.Caminho()};
        textos.insert(textos.end(), parametros.begin(), parametros.end());
        std::vector<char*> argv = Ponteiros(textos);
        // The test's open files stay its own: an inherited database file
        // would keep its lock and shut the test's own engine out of it.
        struct Acoes {
            posix_spawn_file_actions_t acoes;
            Acoes() { ::posix_spawn_file_actions_init(&acoes); }
            ~Acoes() { ::posix_spawn_file_actions_destroy(&acoes); }
        } herdados;
        ::posix_spawn_file_actions_addclosefrom_np(&herdados.acoes, 3);
        if (::posix_spawnp(&processo_.pid, "python3", &herdados.acoes, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("python3 não pôde ser iniciado");
        porta_ = AguardarPorta();
    }

    void Rota(const std::string& pedido, const std::string& modo, const std::string& argumento) const
    {
        std::ofstream(pasta_.Caminho() + "/rotas", std::ios::app)
            << pedido << '\t' << modo << '\t' << argumento << '\n';
    }

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
    bool seguro_ = false;
    int porta_ = 0;
};

// The server in servidor, made by criar on first use. Each server is a
// python process that takes a moment to start, and CTest runs every test in
// a program of its own: a test then starts only the servers it uses.
inline const ServidorHttpTeste& SobDemanda(std::unique_ptr<ServidorHttpTeste>& servidor,
                                           const std::function<std::unique_ptr<ServidorHttpTeste>()>& criar)
{
    if (!servidor)
        servidor = criar();
    return *servidor;
}

// A port of 127.0.0.1 on which nothing listens: connections are refused.
inline std::string HostRecusado()
{
    return "127.0.0.1:" + std::to_string(PortaLivre());
}

// A port of 127.0.0.1 that takes connections (the kernel completes them) and
// never reads or answers: a site that hangs.
class ServidorMudoTeste {
public:
    ServidorMudoTeste()
    {
        sockaddr_in endereco{};
        endereco.sin_family = AF_INET;
        endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t tamanho = sizeof endereco;
        const bool ouvindo = soquete_ >= 0 &&
                             ::bind(soquete_, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0 &&
                             ::listen(soquete_, 16) == 0 &&
                             ::getsockname(soquete_, reinterpret_cast<sockaddr*>(&endereco), &tamanho) == 0;
        if (!ouvindo)
            throw std::runtime_error("o servidor mudo não pôde ouvir");
        porta_ = ntohs(endereco.sin_port);
    }
    ~ServidorMudoTeste() { ::close(soquete_); }
    ServidorMudoTeste(const ServidorMudoTeste&) = delete;
    ServidorMudoTeste& operator=(const ServidorMudoTeste&) = delete;

    std::string Host() const { return "127.0.0.1:" + std::to_string(porta_); }

private:
    int soquete_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int porta_ = 0;
};
