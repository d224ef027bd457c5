#include "plataforma/SaidaErro.h"

#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

bool SaidaErroNoTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

// A child that inherits the variable but not the stream (a pipe in between)
// must not prefix its lines: the device and inode must be standard error's.
bool SaidaErroNoDiario()
{
    const char* fluxo = std::getenv("JOURNAL_STREAM");
    unsigned long long dispositivo = 0;
    unsigned long long inode = 0;
    if (fluxo == nullptr || std::sscanf(fluxo, "%llu:%llu", &dispositivo, &inode) != 2)
        return false;
    struct stat situacao {};
    if (::fstat(STDERR_FILENO, &situacao) != 0)
        return false;
    return situacao.st_dev == dispositivo && situacao.st_ino == inode;
}
