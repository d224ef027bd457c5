#pragma once
// What the window model takes from its surroundings and a test replaces:
// main fills it with the real clock, file name, process control, site and
// wait; a test with recording doubles.
#include <functional>
#include <string>

class Relogio;

struct Servicos {
    const Relogio& relogio;
    std::string programa;                                       // the running program's full file name
    std::function<void(const std::string&)> finalizarProcesso;  // ends a process by executable file name
    std::function<void(int)> encerrarProprio;                   // ends the own process with this exit code
    std::string hostSite;                                       // the maker's web site
    std::function<void(int)> esperarAviso;                      // the notice's wait, in milliseconds
    std::function<bool()> sinalFechamentoPendente;              // a closing signal waits to be handled
    // The file that runs, when it is not `programa`: the packaged program serving
    // an installation (--instalacao). The package manager updates it, so the
    // start-up check neither compares it with the update folder nor hands over.
    std::string executavel{};
};
