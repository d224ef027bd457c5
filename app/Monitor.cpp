// The five-second disconnect check: the suite asks every workstation's
// monitor to end by writing the request word into "Conectado.txt" in the
// server data folder.
#include "app/ArquivoTrava.h"
#include "app/UnPrincipal.h"
#include "plataforma/Arquivos.h"

bool TfrmPrincipal::ConexaoLiberada()
{
    const std::string pasta = PastaDadosServidor();
    const std::string arquivo = pasta + "Conectado.txt";
    if (!PastaExiste(pasta) || !ArquivoExiste(arquivo))
        return true;
    try {
        return LerPrimeiraLinha(arquivo) != "DESCONECTAR";
    } catch (const std::exception&) {
        // A fault of the shared folder must not end the monitor; the operator
        // is told at every check until it is repaired.
        Mensagem("Não foi possível acessar a pasta Dados no Servidor.", kTituloAviso, Icone::Erro);
        return true;
    }
}

// Ends at once: no close handler runs, a run in progress keeps what it
// committed, and the monitor flag is left as it is.
void TfrmPrincipal::Timer2Timer()
{
    if (ConexaoLiberada())
        return;
    ApagarArquivoTrava(ServicosAtuais().programa, PastaDadosServidor());
    if (!ModoManual())
        RegistrarFimMonitor("desconexao");
    FinalizarProcessoPorNome(kPrograma);
}
