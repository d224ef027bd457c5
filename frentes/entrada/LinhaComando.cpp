#include "frentes/entrada/LinhaComando.h"

#include <QCommandLineParser>
#include <QStringList>

namespace {

const char* const kUso =
    "Uso: telmoraComissao2.exe [opções] [manual]\n"
    "\n"
    "Mantém em dia as comissões de vendedores do banco de dados do sistema.\n"
    "Sem argumento, é o monitor residente da instalação: roda uma vez por dia,\n"
    "na hora gravada no banco. Com \"manual\" (maiúsculas ou minúsculas), roda\n"
    "uma vez, em seguida, e termina.\n"
    "\n"
    "Opções:\n"
    "  -h, --help             mostra este texto e termina\n"
    "  -v, --version          mostra a versão do programa e termina\n"
    "  --instalacao PASTA     age como o programa PASTA/Bin/telmoraComissao2.exe\n"
    "\n"
    "Variáveis de ambiente:\n"
    "  ISC_USER, ISC_PASSWORD usuário e senha da conexão com o banco, quando\n"
    "                         diferem dos do sistema\n"
    "\n"
    "Códigos de saída:\n"
    "  0   a rodada terminou, ou o programa terminou em ordem\n"
    "  1   a rodada falhou, ou o monitor residente perdeu a conexão com o banco\n"
    "  2   o programa não pôde iniciar\n"
    "  3   a rodada foi interrompida por um pedido de término\n"
    "  4   outro monitor está rodando neste banco; nada foi feito\n"
    "  64  opção desconhecida ou sem valor\n";

std::vector<std::string> Textos(const QStringList& lista)
{
    std::vector<std::string> textos;
    for (const QString& texto : lista)
        textos.push_back(texto.toStdString());
    return textos;
}

// Qt's own error text is in English; the only option with a value is --instalacao.
std::string MotivoUsoInvalido(const QCommandLineParser& leitor)
{
    const QStringList desconhecidas = leitor.unknownOptionNames();
    if (desconhecidas.isEmpty())
        return "Falta a pasta da opção --instalacao.";
    const QString& nome = desconhecidas.front();
    return "Opção desconhecida: " + std::string(nome.size() == 1 ? "-" : "--") + nome.toStdString();
}

}  // namespace

LinhaComando LerLinhaComando(const std::vector<std::string>& linha)
{
    QCommandLineParser leitor;
    const QCommandLineOption ajuda({"h", "help"}, "");
    const QCommandLineOption versao({"v", "version"}, "");
    const QCommandLineOption instalacao("instalacao", "", "PASTA");
    leitor.addOptions({ajuda, versao, instalacao});

    QStringList argumentos;
    for (const std::string& argumento : linha)
        argumentos << QString::fromStdString(argumento);
    LinhaComando lida;
    if (!leitor.parse(argumentos)) {
        lida.acao = LinhaComando::Acao::UsoInvalido;
        lida.erro = MotivoUsoInvalido(leitor);
        return lida;
    }
    if (leitor.isSet(ajuda))
        lida.acao = LinhaComando::Acao::MostrarAjuda;
    else if (leitor.isSet(versao))
        lida.acao = LinhaComando::Acao::MostrarVersao;
    if (leitor.isSet(instalacao))
        lida.instalacao = leitor.value(instalacao).toStdString();
    lida.argumentos = Textos(leitor.positionalArguments());
    return lida;
}

std::string TextoUso()
{
    return kUso;
}

std::string TextoVersao()
{
    return std::string("telmoraComissao2 ") + TELMORA_VERSAO + "\n";
}
