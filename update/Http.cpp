#include "update/Http.h"

#include <memory>

#include <curl/curl.h>

#include "plataforma/ArquivoTemporario.h"

namespace {

// Receives the body piece by piece; false stops the transfer as failed.
using Receptor = std::function<bool(const char* dados, std::size_t tamanho)>;

using Cliente = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using ListaCabecalhos = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// The site's service expects these on every request, the probe included.
const char* const kCabecalhos[] = {"Content-Type: application/json", "Content-Encoding: utf-8",
                                   "Accept: text/javascript"};

constexpr long kRedirecionamentos = 5;
constexpr long kConexaoSegundos = 15;
constexpr long kSemProgressoSegundos = 30;

// What a kind of request may reach, and the most it may take in all: the
// start-up waits for it.
struct TipoPedido {
    const char* protocolos;
    long limiteSegundos;
};
const TipoPedido kSonda{"http,https", 60};
const TipoPedido kDownload{"https", 600};

// What the callbacks of one transfer reach.
struct Transferencia {
    const Receptor& receptor;
    const std::function<bool()>& interromper;
    curl_off_t recebidos = 0;
    bool interrompida = false;
};

void IniciarBiblioteca()
{
    static const struct Biblioteca {
        Biblioteca() { curl_global_init(CURL_GLOBAL_DEFAULT); }
        ~Biblioteca() { curl_global_cleanup(); }
    } biblioteca;
}

// No exception may cross libcurl: a throwing receiver fails the transfer.
std::size_t Receber(char* dados, std::size_t tamanho, std::size_t quantidade, void* contexto)
{
    Transferencia& transferencia = *static_cast<Transferencia*>(contexto);
    const std::size_t total = tamanho * quantidade;
    try {
        if (!transferencia.receptor(dados, total))
            return CURL_WRITEFUNC_ERROR;
    } catch (...) {
        return CURL_WRITEFUNC_ERROR;
    }
    transferencia.recebidos += static_cast<curl_off_t>(total);
    return total;
}

// Called about once a second even while nothing arrives, connecting included.
int Progredir(void* contexto, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    Transferencia& transferencia = *static_cast<Transferencia*>(contexto);
    try {
        transferencia.interrompida = transferencia.interromper();
    } catch (...) {
        return 1;
    }
    return transferencia.interrompida ? 1 : 0;
}

ListaCabecalhos MontarCabecalhos()
{
    ListaCabecalhos lista(nullptr, curl_slist_free_all);
    for (const char* cabecalho : kCabecalhos) {
        curl_slist* cabeca = curl_slist_append(lista.get(), cabecalho);
        if (!cabeca)
            return ListaCabecalhos(nullptr, curl_slist_free_all);
        // Appending returns the head, which stays the first item's from then on.
        if (!lista)
            lista.reset(cabeca);
    }
    return lista;
}

// The named file replaces the system's trust store, the folder of
// certificates that this build of libcurl also reads included.
bool ConfiarSoNoArquivo(CURL* cliente, const std::string& arquivoCA)
{
    return curl_easy_setopt(cliente, CURLOPT_CAINFO, arquivoCA.c_str()) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_CAPATH, static_cast<const char*>(nullptr)) == CURLE_OK;
}

bool ConfigurarSeguranca(CURL* cliente, const TipoPedido& tipo, const std::string& arquivoCA)
{
    return curl_easy_setopt(cliente, CURLOPT_PROTOCOLS_STR, tipo.protocolos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_MAXREDIRS, kRedirecionamentos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_REDIR_PROTOCOLS_STR, "https") == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_DEFAULT)) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK &&
           (arquivoCA.empty() || ConfiarSoNoArquivo(cliente, arquivoCA));
}

// No signals of libcurl's own: the program blocks its closing signals and
// polls them through the progress callback instead.
bool ConfigurarTempos(CURL* cliente, const TipoPedido& tipo, Transferencia& transferencia)
{
    return curl_easy_setopt(cliente, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_CONNECTTIMEOUT, kConexaoSegundos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_LOW_SPEED_LIMIT, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_LOW_SPEED_TIME, kSemProgressoSegundos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_TIMEOUT, tipo.limiteSegundos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_NOPROGRESS, 0L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_XFERINFOFUNCTION, Progredir) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_XFERINFODATA, &transferencia) == CURLE_OK;
}

bool Configurar(CURL* cliente, const std::string& endereco, curl_slist* cabecalhos, const TipoPedido& tipo,
                const std::string& arquivoCA, Transferencia& transferencia)
{
    return curl_easy_setopt(cliente, CURLOPT_URL, endereco.c_str()) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_HTTPHEADER, cabecalhos) == CURLE_OK &&
           ConfigurarSeguranca(cliente, tipo, arquivoCA) && ConfigurarTempos(cliente, tipo, transferencia) &&
           curl_easy_setopt(cliente, CURLOPT_FAILONERROR, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_WRITEFUNCTION, Receber) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_WRITEDATA, &transferencia) == CURLE_OK;
}

// A 2xx final status, and the whole body when its length was announced.
bool RespostaCompleta(CURL* cliente, const Transferencia& transferencia)
{
    long status = 0;
    curl_off_t anunciado = -1;
    return curl_easy_getinfo(cliente, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status < 300 &&
           curl_easy_getinfo(cliente, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &anunciado) == CURLE_OK &&
           (anunciado < 0 || anunciado == transferencia.recebidos);
}

// One GET with a client of its own, freed before returning.
bool Obter(const std::string& endereco, const TipoPedido& tipo, const ConfiguracaoHttp& configuracao,
           const Receptor& receptor)
{
    IniciarBiblioteca();
    Transferencia transferencia{receptor, configuracao.interromper};
    const Cliente cliente(curl_easy_init(), curl_easy_cleanup);
    const ListaCabecalhos cabecalhos = MontarCabecalhos();
    const bool completa = cliente && cabecalhos &&
                          Configurar(cliente.get(), endereco, cabecalhos.get(), tipo, configuracao.arquivoCA,
                                     transferencia) &&
                          curl_easy_perform(cliente.get()) == CURLE_OK &&
                          RespostaCompleta(cliente.get(), transferencia);
    if (transferencia.interrompida)
        throw TransferenciaInterrompida();
    return completa;
}

}  // namespace

TransferenciaInterrompida::TransferenciaInterrompida()
    : std::runtime_error("A transferência foi interrompida pelo encerramento do programa.")
{
}

std::string EnderecoBaseSite(const std::string& host, const ConfiguracaoHttp& configuracao)
{
    const std::string seguro = "https://" + host;
    return SiteAcessivel(seguro, configuracao) ? seguro : "http://" + host;
}

bool SiteAcessivel(const std::string& endereco, const ConfiguracaoHttp& configuracao)
{
    return Obter(endereco, kSonda, configuracao, [](const char*, std::size_t) { return true; });
}

bool BaixarArquivo(const std::string& endereco, const std::string& destino, const ConfiguracaoHttp& configuracao)
{
    ArquivoTemporario arquivo(destino);
    const bool recebido = Obter(endereco, kDownload, configuracao, [&arquivo](const char* dados, std::size_t tamanho) {
        return arquivo.Escrever(dados, tamanho);
    });
    return recebido && arquivo.Concluir();
}
