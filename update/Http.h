#pragma once
// The maker's web site: the choice of its base address, a reachability probe
// and the download of one address into a file. Each call has a client of its
// own (no certificate verification, the site's request headers, libcurl's
// own time-outs). Network and protocol errors become the result false; only
// the failure to create a download's target file throws.
#include <string>

// "https://" + host when the site answers over TLS, else "http://" + host.
// The host is TELMORA_SITE_HOST from the environment when set, else the
// build's default.
std::string EnderecoBaseSite();

// Whether a GET of the address completes; an HTTP error status counts as failure.
bool SiteAcessivel(const std::string& endereco);

// Creates or replaces destino, then writes the body of a GET of the address
// into it. True only when the whole body was received and written; after a
// failure the file may hold part of it, and the caller deletes it.
// Throws std::runtime_error when destino cannot be created.
bool BaixarArquivo(const std::string& endereco, const std::string& destino);
