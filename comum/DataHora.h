#pragma once
// Local date and time counted in milliseconds from day zero,
// 30 December 1899 00:00 (a NULL date reads as day zero).
// Formats used by the program: statement literals 'dd.mm.yyyy' and
// 'dd.mm.yyyy hh:mm:ss', the window's "dd/mm/yyyy hh:mm:ss" (read back by
// Ler), "dd/mm/yyyy hh:mm" and the hour "HH".
#include <compare>
#include <cstdint>
#include <ctime>
#include <string>

class DataHora {
public:
    constexpr DataHora() = default;  // day zero
    static DataHora De(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0,
                       int milissegundo = 0);  // throws ErroConversao when invalid
    static DataHora DeMilissegundos(std::int64_t ms)
    {
        DataHora d;
        d.ms_ = ms;
        return d;
    }
    static DataHora DeTimeT(std::time_t t);  // local time
    static DataHora Agora();                 // the system's local clock

    std::int64_t Milissegundos() const { return ms_; }
    bool DiaZero() const { return ms_ == 0; }
    DataHora Data() const;  // midnight of the same day
    int Ano() const;
    int Mes() const;
    int Dia() const;
    int Hora() const;
    int Minuto() const;
    int Segundo() const;

    std::string FormatoSql() const;         // dd.mm.yyyy
    std::string FormatoSqlComHora() const;  // dd.mm.yyyy hh:mm:ss
    std::string FormatoTela() const;        // dd/mm/yyyy hh:mm:ss
    std::string FormatoTelaCurto() const;   // dd/mm/yyyy hh:mm
    std::string FormatoHora() const;        // HH

    // Reads "dd/mm/yyyy", "dd/mm/yyyy hh:mm" or "dd/mm/yyyy hh:mm:ss"; throws ErroConversao.
    static DataHora Ler(const std::string& texto);

    auto operator<=>(const DataHora&) const = default;

private:
    std::int64_t ms_ = 0;
};
