#include "comum/DataHora.h"

#include "comum/Erros.h"

#include <algorithm>

namespace {

constexpr std::int64_t kMsPorDia = 86'400'000;
constexpr std::int64_t kDiasDe1970 = 25'569;  // from day zero to 1 January 1970

struct Partes {
    int ano, mes, dia, hora, minuto, segundo, milissegundo;
};

// Days from 1 January 1970 in the proleptic civil calendar.
std::int64_t DiasDesde1970(std::int64_t ano, int mes, int dia)
{
    ano -= mes <= 2;
    const std::int64_t era = (ano >= 0 ? ano : ano - 399) / 400;
    const std::int64_t anoDaEra = ano - era * 400;
    const std::int64_t diaDoAno = (153 * (mes > 2 ? mes - 3 : mes + 9) + 2) / 5 + dia - 1;
    const std::int64_t diaDaEra = anoDaEra * 365 + anoDaEra / 4 - anoDaEra / 100 + diaDoAno;
    return era * 146097 + diaDaEra - 719468;
}

void DataDeDias1970(std::int64_t dias, Partes& p)
{
    dias += 719468;
    const std::int64_t era = (dias >= 0 ? dias : dias - 146096) / 146097;
    const std::int64_t diaDaEra = dias - era * 146097;
    const std::int64_t anoDaEra = (diaDaEra - diaDaEra / 1460 + diaDaEra / 36524 - diaDaEra / 146096) / 365;
    const std::int64_t diaDoAno = diaDaEra - (365 * anoDaEra + anoDaEra / 4 - anoDaEra / 100);
    const std::int64_t mesDesdeMarco = (5 * diaDoAno + 2) / 153;
    p.dia = static_cast<int>(diaDoAno - (153 * mesDesdeMarco + 2) / 5 + 1);
    p.mes = static_cast<int>(mesDesdeMarco < 10 ? mesDesdeMarco + 3 : mesDesdeMarco - 9);
    p.ano = static_cast<int>(anoDaEra + era * 400 + (p.mes <= 2));
}

std::int64_t DivisaoPiso(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

Partes Decompor(std::int64_t ms)
{
    const std::int64_t dias = DivisaoPiso(ms, kMsPorDia);
    std::int64_t noDia = ms - dias * kMsPorDia;
    Partes p{};
    DataDeDias1970(dias - kDiasDe1970, p);
    p.milissegundo = static_cast<int>(noDia % 1000);
    noDia /= 1000;
    p.segundo = static_cast<int>(noDia % 60);
    noDia /= 60;
    p.minuto = static_cast<int>(noDia % 60);
    p.hora = static_cast<int>(noDia / 60);
    return p;
}

int DiasNoMes(int ano, int mes)
{
    static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return mes == 2 && bissexto ? 29 : kDias[mes - 1];
}

std::string Digitos(int valor, std::size_t largura)
{
    std::string texto = std::to_string(valor);
    if (texto.size() < largura)
        texto.insert(0, largura - texto.size(), '0');
    return texto;
}

std::string DataComSeparador(const Partes& p, const char* separador)
{
    return Digitos(p.dia, 2) + separador + Digitos(p.mes, 2) + separador + Digitos(p.ano, 4);
}

std::string HoraMinuto(const Partes& p)
{
    return Digitos(p.hora, 2) + ":" + Digitos(p.minuto, 2);
}

std::string HoraCompleta(const Partes& p)
{
    return HoraMinuto(p) + ":" + Digitos(p.segundo, 2);
}

// Digits where the pattern has a letter, the pattern's own character elsewhere.
bool SegueModelo(const std::string& texto, const std::string& modelo)
{
    return std::equal(texto.begin(), texto.end(), modelo.begin(),
                      [](char t, char m) { return m >= 'a' && m <= 'z' ? t >= '0' && t <= '9' : t == m; });
}

int Numero(const std::string& texto, std::size_t inicio, std::size_t tamanho)
{
    return std::stoi(texto.substr(inicio, tamanho));
}

}  // namespace

DataHora DataHora::De(int ano, int mes, int dia, int hora, int minuto, int segundo, int milissegundo)
{
    const Partes p{ano, mes, dia, hora, minuto, segundo, milissegundo};
    if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > DiasNoMes(ano, mes) || hora < 0 || hora > 23 ||
        minuto < 0 || minuto > 59 || segundo < 0 || segundo > 59 || milissegundo < 0 || milissegundo > 999)
        throw ErroConversao("Data ou hora inválida: " + DataComSeparador(p, "/") + " " + HoraCompleta(p) + ".");
    const std::int64_t dias = DiasDesde1970(ano, mes, dia) + kDiasDe1970;
    return DeMilissegundos(dias * kMsPorDia + ((hora * 60LL + minuto) * 60 + segundo) * 1000 + milissegundo);
}

DataHora DataHora::DeTimeT(std::time_t t)
{
    std::tm local{};
    if (!localtime_r(&t, &local))
        throw ErroConversao("Data e hora fora do intervalo do sistema.");
    // A leap second of a "right/" zone counts as the second before it.
    return De(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
              std::min(local.tm_sec, 59));
}

DataHora DataHora::Agora()
{
    timespec agora{};
    clock_gettime(CLOCK_REALTIME, &agora);
    return DeMilissegundos(DeTimeT(agora.tv_sec).ms_ + agora.tv_nsec / 1'000'000);
}

DataHora DataHora::Data() const
{
    return DeMilissegundos(DivisaoPiso(ms_, kMsPorDia) * kMsPorDia);
}

int DataHora::Ano() const
{
    return Decompor(ms_).ano;
}
int DataHora::Mes() const
{
    return Decompor(ms_).mes;
}
int DataHora::Dia() const
{
    return Decompor(ms_).dia;
}
int DataHora::Hora() const
{
    return Decompor(ms_).hora;
}
int DataHora::Minuto() const
{
    return Decompor(ms_).minuto;
}
int DataHora::Segundo() const
{
    return Decompor(ms_).segundo;
}

std::string DataHora::FormatoSql() const
{
    return DataComSeparador(Decompor(ms_), ".");
}

std::string DataHora::FormatoSqlComHora() const
{
    const Partes p = Decompor(ms_);
    return DataComSeparador(p, ".") + " " + HoraCompleta(p);
}

std::string DataHora::FormatoTela() const
{
    const Partes p = Decompor(ms_);
    return DataComSeparador(p, "/") + " " + HoraCompleta(p);
}

std::string DataHora::FormatoTelaCurto() const
{
    const Partes p = Decompor(ms_);
    return DataComSeparador(p, "/") + " " + HoraMinuto(p);
}

std::string DataHora::FormatoHora() const
{
    return Digitos(Hora(), 2);
}

DataHora DataHora::Ler(const std::string& texto)
{
    static const std::string kModelo = "dd/mm/aaaa hh:mm:ss";
    const std::size_t n = texto.size();
    if ((n != 10 && n != 16 && n != 19) || !SegueModelo(texto, kModelo))
        throw ErroConversao("'" + texto + "' não é uma data e hora válida.");
    try {
        return De(Numero(texto, 6, 4), Numero(texto, 3, 2), Numero(texto, 0, 2), n > 10 ? Numero(texto, 11, 2) : 0,
                  n > 10 ? Numero(texto, 14, 2) : 0, n > 16 ? Numero(texto, 17, 2) : 0);
    } catch (const ErroConversao&) {
        throw ErroConversao("'" + texto + "' não é uma data e hora válida.");
    }
}
