#include "app/console/EscolhaFrente.h"

#include <string_view>

namespace {

bool Vazio(const char* valor)
{
    return valor == nullptr || *valor == '\0';
}

}  // namespace

bool UsarConsole(const char* plataformaQt, const char* display, const char* displayWayland)
{
    if (!Vazio(plataformaQt)) {
        // "offscreen:fontengine=freetype": the platform name ends at the colon.
        const std::string_view valor(plataformaQt);
        const std::string_view plataforma = valor.substr(0, valor.find(':'));
        return plataforma == "offscreen" || plataforma == "minimal";
    }
    return Vazio(display) && Vazio(displayWayland);
}
