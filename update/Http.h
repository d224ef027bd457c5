#pragma once
// The maker's web site: the choice of its base address, a reachability probe
// and the download of one address into a file. Each call has a client of its
// own that sends the site's request headers and verifies the site's
// certificate and host name (against the CA file of the configuration, else
// the system's trust store). It follows at most five redirects, and only to
// HTTPS; any final status other than 2xx, a body shorter than its announced
// length, a connection not made within 15 s and 30 s without progress are
// failures. Network and protocol errors become the result false; only the
// failure to create a download's file and an interruption throw.
#include <functional>
#include <stdexcept>
#include <string>

struct ConfiguracaoHttp {
    std::string arquivoCA;              // PEM file of the only authorities trusted; empty: the system's
    std::function<bool()> interromper;  // polled about once a second; true gives the transfer up
};

// A transfer given up because interromper asked for it: the program is
// closing, which is not a failure of the site.
class TransferenciaInterrompida : public std::runtime_error {
public:
    TransferenciaInterrompida();
};

// "https://" + host when the site answers over verified TLS, else "http://" + host.
std::string EnderecoBaseSite(const std::string& host, const ConfiguracaoHttp& configuracao);

// Whether a GET of the address (HTTP or HTTPS) completes with a 2xx status.
bool SiteAcessivel(const std::string& endereco, const ConfiguracaoHttp& configuracao);

// The body of a GET of the address into destino. Only HTTPS is fetched: a
// plain address is a failed download without any request. The body goes to
// a new file beside destino, which replaces destino only when the whole body
// was received and written; after a failure destino is as it was and no
// other file is left. Throws std::runtime_error when that file cannot be
// created, before any request.
bool BaixarArquivo(const std::string& endereco, const std::string& destino, const ConfiguracaoHttp& configuracao);
