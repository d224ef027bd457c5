#include "update/IniExec.h"

#include <algorithm>

#include "plataforma/AreaTrabalho.h"
#include "plataforma/ArquivoIni.h"
#include "plataforma/Arquivos.h"
#include "plataforma/Caminhos.h"
#include "update/CaminhosAtualizacao.h"

namespace {

std::string Substituir(std::string texto, const std::string& de, const std::string& para)
{
    for (auto pos = texto.find(de); pos != std::string::npos; pos = texto.find(de, pos + para.size()))
        texto.replace(pos, de.size(), para);
    return texto;
}

std::string NaPastaPrograma(const std::string& programa, const std::string& nome)
{
    return PastaSemSeparador(programa) + kSeparadorTexto + nome;
}

// Only ".exe" in lower case is replaced: "X.EXE" looks for "Exec-X.EXE".
std::string IniExec(const std::string& programa, const std::string& nomeExe)
{
    return NaPastaPrograma(programa, "Exec-" + Substituir(nomeExe, ".exe", ".ini"));
}

std::string CopiaExecutavel(const std::string& programa, const std::string& nomeExe)
{
    return NaPastaPrograma(programa, "Exec-" + nomeExe);
}

bool ProgramaPrincipal(const std::string& nomeExe)
{
    return nomeExe == "telmoraEmpresa.exe" || nomeExe == "telmoraEmpresa4.exe";
}

// The program's file name without its last four characters (".exe").
std::string NomeCurto(const std::string& nomeExe)
{
    return nomeExe.substr(0, nomeExe.size() - std::min<std::size_t>(4, nomeExe.size()));
}

std::string TrocarExtensao(const std::string& nome, const std::string& extensao)
{
    return nome.substr(0, nome.rfind('.')) + extensao;
}

}  // namespace

void TratarIniExec(const std::string& programa, const CaminhosAtualizacao& caminhos)
{
    const std::string ini = IniExec(programa, caminhos.nomeExe);
    const std::string copia = CopiaExecutavel(programa, caminhos.nomeExe);
    if (ArquivoExiste(ini)) {
        CriarAtalhoNovo(programa, caminhos);
        ApagarArquivo(copia);
        if (ProgramaPrincipal(caminhos.nomeExe))
            CopiarExecutaveisPastaMestre(programa, caminhos);
        ApagarArquivo(ini);
    }
    // A leftover copy goes also when there is no launcher ini.
    ApagarArquivo(copia);
}

void CriarAtalhoNovo(const std::string& programa, const CaminhosAtualizacao& caminhos)
{
    const std::string nome = NomeCurto(caminhos.nomeExe);
    CriarAtalho(PastaAreaTrabalho() + TrocarExtensao("Novo " + nome, ".desktop"), nome, programa);
}

std::string PastaAreaTrabalho()
{
    return PastaAreaTrabalhoUsuario();
}

void CopiarExecutaveisPastaMestre(const std::string& programa, const CaminhosAtualizacao& caminhos)
{
    const std::string mestre = ArquivoIni(IniExec(programa, caminhos.nomeExe)).LerTexto("configuracao", "pastamestre");
    const std::string pastaUpdate = Substituir(caminhos.pastaUpdateParam, "§", " ");
    for (const std::string& nome : ListarArquivos(mestre + kSeparadorTexto + "*.exe")) {
        const std::string destino = pastaUpdate + kSeparadorTexto + nome;
        if (!ArquivoExiste(destino))
            CopiarArquivoSemSobrescrever(mestre + kSeparadorTexto + nome, destino);
    }
}
