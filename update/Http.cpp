#include "update/Http.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>

#include <curl/curl.h>

namespace {

// Receives the body piece by piece; false stops the transfer as failed.
using Receptor = std::function<bool(const char* dados, std::size_t tamanho)>;

using Cliente = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using ListaCabecalhos = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;
using Arquivo = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

// The site's service expects these on every request, the probe included.
const char* const kCabecalhos[] = {"Content-Type: application/json", "Content-Encoding: utf-8",
                                   "Accept: text/javascript"};

void IniciarBiblioteca()
{
    static const struct Biblioteca {
        Biblioteca() { curl_global_init(CURL_GLOBAL_DEFAULT); }
        ~Biblioteca() { curl_global_cleanup(); }
    } biblioteca;
}

std::string HostSite()
{
    const char* host = std::getenv("TELMORA_SITE_HOST");
    return host && *host ? host : TELMORA_SITE_HOST_PADRAO;
}

// No exception may cross libcurl: a throwing receiver fails the transfer.
std::size_t Receber(char* dados, std::size_t tamanho, std::size_t quantidade, void* contexto)
{
    const std::size_t total = tamanho * quantidade;
    try {
        return (*static_cast<const Receptor*>(contexto))(dados, total) ? total : CURL_WRITEFUNC_ERROR;
    } catch (...) {
        return CURL_WRITEFUNC_ERROR;
    }
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

// The site may present any certificate: nothing is verified, any TLS version
// both sides support is accepted. An HTTP error status fails the transfer.
bool Configurar(CURL* cliente, const std::string& endereco, curl_slist* cabecalhos, const Receptor& receptor)
{
    return curl_easy_setopt(cliente, CURLOPT_URL, endereco.c_str()) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_HTTPHEADER, cabecalhos) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_DEFAULT)) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSL_VERIFYPEER, 0L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_SSL_VERIFYHOST, 0L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_FAILONERROR, 1L) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_WRITEFUNCTION, Receber) == CURLE_OK &&
           curl_easy_setopt(cliente, CURLOPT_WRITEDATA, &receptor) == CURLE_OK;
}

// One GET with a client of its own, freed before returning.
bool Obter(const std::string& endereco, const Receptor& receptor) noexcept
{
    try {
        IniciarBiblioteca();
        const Cliente cliente(curl_easy_init(), curl_easy_cleanup);
        const ListaCabecalhos cabecalhos = MontarCabecalhos();
        return cliente && cabecalhos && Configurar(cliente.get(), endereco, cabecalhos.get(), receptor) &&
               curl_easy_perform(cliente.get()) == CURLE_OK;
    } catch (...) {
        return false;
    }
}

}  // namespace

std::string EnderecoBaseSite()
{
    const std::string seguro = "https://" + HostSite();
    return SiteAcessivel(seguro) ? seguro : "http://" + HostSite();
}

bool SiteAcessivel(const std::string& endereco)
{
    return Obter(endereco, [](const char*, std::size_t) { return true; });
}

bool BaixarArquivo(const std::string& endereco, const std::string& destino)
{
    Arquivo arquivo(std::fopen(destino.c_str(), "wb"), std::fclose);
    if (!arquivo)
        throw std::runtime_error("Não foi possível criar o arquivo " + destino + ".");
    const bool recebido = Obter(endereco, [&arquivo](const char* dados, std::size_t tamanho) {
        return std::fwrite(dados, 1, tamanho, arquivo.get()) == tamanho;
    });
    // Closing writes what is still buffered: a failure there loses part of the body.
    const bool gravado = std::fclose(arquivo.release()) == 0;
    return recebido && gravado;
}
