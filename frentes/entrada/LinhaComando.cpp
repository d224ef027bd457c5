#include "frentes/entrada/LinhaComando.h"

#include <algorithm>
#include <cctype>

#include <QCommandLineParser>
#include <QStringList>

namespace {

const char* const kUso =
    "Uso: telmoraComissao2.exe [opções] [manual | simular | explicar TIPO NÚMERO]\n"
    "\n"
    "Mantém em dia as comissões de vendedores do banco de dados do sistema.\n"
    "Sem argumento, é o monitor residente da instalação: roda uma vez por dia,\n"
    "na hora gravada no banco. Com \"manual\" (maiúsculas ou minúsculas), roda\n"
    "uma vez, em seguida, e termina.\n"
    "Com \"simular\", faz a rodada inteira sem deixar nada gravado e mostra o que\n"
    "ela mudaria. Com \"explicar NF <número>\", \"explicar duplicata <id>\" ou\n"
    "\"explicar acerto <id>\", mostra como a rodada chega a cada comissão dessa\n"
    "fonte e o que está no banco, também sem deixar nada gravado.\n"
    "\n"
    "Opções:\n"
    "  -h, --help             mostra este texto e termina\n"
    "  -v, --version          mostra a versão do programa e termina\n"
    "  --instalacao PASTA     age como o programa PASTA/Bin/telmoraComissao2.exe\n"
    "  --csv ARQUIVO          com simular: grava também as linhas por fonte em\n"
    "                         ARQUIVO, para uma planilha\n"
    "  --json                 com explicar: a explicação em JSON\n"
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

// Qt's own error text is in English. An option without its value can only
// be the last word.
std::string MotivoUsoInvalido(const QCommandLineParser& leitor, const std::vector<std::string>& linha)
{
    const QStringList desconhecidas = leitor.unknownOptionNames();
    if (desconhecidas.isEmpty())
        return linha.back() == "--csv" ? "Falta o arquivo da opção --csv." : "Falta a pasta da opção --instalacao.";
    const QString& nome = desconhecidas.front();
    return "Opção desconhecida: " + std::string(nome.size() == 1 ? "-" : "--") + nome.toStdString();
}

std::string Minusculo(std::string texto)
{
    for (char& c : texto)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return texto;
}

bool Numero(const std::string& texto)
{
    return !texto.empty() && texto.size() <= 18 &&
           std::all_of(texto.begin(), texto.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The commands' words and options that belong to one command only.
std::string MotivoComandoInvalido(const LinhaComando& lida)
{
    const std::vector<std::string>& palavras = lida.argumentos;
    const std::string comando = palavras.empty() ? "" : Minusculo(palavras.front());
    if (!lida.csv.empty() && comando != "simular")
        return "A opção --csv só vale com simular.";
    if (lida.json && comando != "explicar")
        return "A opção --json só vale com explicar.";
    if (comando != "explicar")
        return "";
    const std::string tipo = palavras.size() > 1 ? Minusculo(palavras[1]) : "";
    if (palavras.size() != 3 || (tipo != "nf" && tipo != "duplicata" && tipo != "acerto"))
        return "Use explicar NF <número>, explicar duplicata <id> ou explicar acerto <id>.";
    // An invoice number is the suite's text ("12345-A"); the others are identifiers.
    if (tipo != "nf" && !Numero(palavras[2]))
        return "O identificador a explicar deve ser um inteiro positivo: " + palavras[2];
    return "";
}

}  // namespace

LinhaComando LerLinhaComando(const std::vector<std::string>& linha)
{
    QCommandLineParser leitor;
    const QCommandLineOption ajuda({"h", "help"}, "");
    const QCommandLineOption versao({"v", "version"}, "");
    const QCommandLineOption instalacao("instalacao", "", "PASTA");
    const QCommandLineOption csv("csv", "", "ARQUIVO");
    const QCommandLineOption json("json", "");
    leitor.addOptions({ajuda, versao, instalacao, csv, json});

    QStringList argumentos;
    for (const std::string& argumento : linha)
        argumentos << QString::fromStdString(argumento);
    LinhaComando lida;
    if (!leitor.parse(argumentos)) {
        lida.acao = LinhaComando::Acao::UsoInvalido;
        lida.erro = MotivoUsoInvalido(leitor, linha);
        return lida;
    }
    if (leitor.isSet(ajuda))
        lida.acao = LinhaComando::Acao::MostrarAjuda;
    else if (leitor.isSet(versao))
        lida.acao = LinhaComando::Acao::MostrarVersao;
    if (leitor.isSet(instalacao))
        lida.instalacao = leitor.value(instalacao).toStdString();
    lida.argumentos = Textos(leitor.positionalArguments());
    lida.csv = leitor.value(csv).toStdString();
    lida.json = leitor.isSet(json);
    if (lida.acao == LinhaComando::Acao::Monitorar) {
        lida.erro = MotivoComandoInvalido(lida);
        if (!lida.erro.empty())
            lida.acao = LinhaComando::Acao::UsoInvalido;
    }
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
