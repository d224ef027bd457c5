#include "frentes/console/EscolhaFrente.h"

#include <ostream>
#include <string_view>

#include <xcb/xcb.h>

namespace {

bool Vazio(const char* valor)
{
    return valor == nullptr || *valor == '\0';
}

// "offscreen:fontengine=freetype": the platform name ends at the colon.
std::string_view NomePlataforma(const char* plataformaQt)
{
    const std::string_view valor(Vazio(plataformaQt) ? "" : plataformaQt);
    return valor.substr(0, valor.find(':'));
}

bool AbreTelaX(const char* plataformaQt, const char* displayWayland)
{
    const std::string_view plataforma = NomePlataforma(plataformaQt);
    return plataforma == "xcb" || (plataforma.empty() && Vazio(displayWayland));
}

// The connection Qt's xcb platform would make, opened and closed again.
bool TelaXAlcancavel(const char* display)
{
    xcb_connection_t* conexao = xcb_connect(Vazio(display) ? nullptr : display, nullptr);
    const bool alcancavel = xcb_connection_has_error(conexao) == 0;
    xcb_disconnect(conexao);
    return alcancavel;
}

}  // namespace

bool UsarConsole(const char* plataformaQt, const char* display, const char* displayWayland)
{
    if (!Vazio(plataformaQt)) {
        const std::string_view plataforma = NomePlataforma(plataformaQt);
        return plataforma == "offscreen" || plataforma == "minimal";
    }
    return Vazio(display) && Vazio(displayWayland);
}

bool EscolherConsole(const char* plataformaQt, const char* display, const char* displayWayland, std::ostream& erro)
{
    if (UsarConsole(plataformaQt, display, displayWayland))
        return true;
    if (!AbreTelaX(plataformaQt, displayWayland) || TelaXAlcancavel(display))
        return false;
    erro << "Não foi possível abrir a tela \"" << (Vazio(display) ? "" : display)
         << "\"; o monitor segue no console.\n";
    return true;
}
