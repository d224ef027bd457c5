#pragma once
// Invoices, items, products, receivables and commission rows for the tests
// of the commission engine. Values are SQL text, so a case can put NULL
// anywhere; the defaults are those most cases share.
#include <map>
#include <string>
#include <vector>

class BancoTeste;
class Valor;

// Client 50 'CLIENTE SÃO JOÃO' and product 1 of manufacturer 1.
void InserirCadastros(const BancoTeste& banco);
void InserirProduto(const BancoTeste& banco, int id, const std::string& fabrica);
void InserirNatureza(const BancoTeste& banco, int id, const std::string& sugerir, const std::string& pagar = "'S'");

struct SlotTeste {
    std::string vendedor;
    std::string percentual;
    std::string credito;
    std::string creditado;
};

// Issued by company 1 to client 50, series '1', number 'NF' + id; pending
// for phases 1, 5 and 6, and with plan 1 eligible for the reversal of phases
// 8 and 9.
struct NotaTeste {
    int id = 1;
    std::string emissao = "'01.03.2013'";
    std::string total = "1000.00";
    std::string produtos = "1000.00";
    std::string desconto = "0";
    std::string servico = "0";
    std::string financeiro = "null";
    std::string frete = "0";
    std::string freteNasParcelas = "'N'";
    std::string base = "900.00";
    std::string comissao = "45.00";
    std::string resultado = "300.00";
    std::string natureza = "1";
    std::string situacao = "3";
    std::string devolvido = "'N'";
    std::string baseOutros = "'P'";
    std::string calcular = "'S'";
    std::string cliente = "50";
    std::string orcamento = "null";  // id_situacao_orcamento
    std::string plano = "1";
    std::string estornar = "'S'";
    std::string estornada = "null";
    std::vector<SlotTeste> slots = {};
    std::string ajuste = "";  // a set clause applied after the insert, for columns not named above
};
void InserirNota(const BancoTeste& banco, const NotaTeste& nota);

struct ItemTeste {
    int id = 1;
    int nota = 1;
    std::string numero = "1";
    std::string produto = "1";
    std::string quantidade = "1";
    std::string unitario = "0";
    std::string total = "0";
    std::string freteIncluso = "'N'";
    std::string freteUnitario = "0";
    std::string outras = "0";
    std::string frete = "0";
    std::string seguro = "0";
    std::string ipi = "0";
    std::string icmsSubst = "0";
    std::string reducao = "0";
    std::string percentual = "0";
};
void InserirItem(const BancoTeste& banco, const ItemTeste& item);

// Due 10.04.2013, open unless baixa is given.
struct DuplicataTeste {
    int id = 1;
    std::string nota = "1";
    std::string documento = "'NF1/1'";
    std::string valor = "250.00";
    std::string baixa = "null";
    std::string desconto = "0";
    std::string abatimento = "0";
    std::string outras = "0";
    std::string calcular = "'S'";
};
void InserirDuplicata(const BancoTeste& banco, const DuplicataTeste& duplicata);

// A commission row standing for earlier work: commission 1.00, seller 99.
void InserirMovimento(const BancoTeste& banco, int id, const std::string& tipo, const std::string& nota,
                      const std::string& financeiro = "null", const std::string& gerada = "null");

// "seller base percentage commission" of each row that condicao selects, in
// identifier order; NULL shows as "null", money without trailing zeros.
std::vector<std::string> Movimentos(const BancoTeste& banco, const std::string& condicao);
std::vector<int> Identificadores(const BancoTeste& banco, const std::string& condicao);

std::string Mostrar(const Valor& valor);

// Expected columns of a row, by name, as Mostrar shows them.
using ColunasEsperadas = std::map<std::string, std::string>;
// What a commission row of seller 7 on invoice 1 takes from the invoice and
// its client, whatever phase writes it.
ColunasEsperadas ColunasDaNotaDoVendedor7();
// Each expected column of the row; a column that differs is named.
void ConferirColunas(const std::map<std::string, Valor>& linha, const ColunasEsperadas& esperadas);
