#pragma once
// A cached-update dataset used only to insert rows: its selection returns no
// row and is opened only to learn the columns; a row is inserted, its columns
// set (the others stay NULL), posted to the buffer, and applied by running
// the update object's insert statement once per row with named parameters.
#include <map>
#include <string>
#include <vector>

#include "db/firebird/Consulta.h"

struct ObjetoAtualizacao {
    std::string SqlInsercao;
    std::string SqlModificacao;  // carried for completeness, never executed
    std::string SqlExclusao;     // carried for completeness, never executed
};

class DatasetInsercao : public Consulta {
public:
    DatasetInsercao(std::string nome, std::string sqlSelecao, const ObjetoAtualizacao& atualizacao);

    // Its selection never returns a row: only its columns are read, without
    // running it over what may be a very large table.
    void Abrir();
    void Inserir();
    void DefinirCampo(const std::string& coluna, Valor valor);
    const Valor& CampoInserido(const std::string& coluna) const;
    void Postar();
    void AplicarAtualizacoes();

private:
    const ObjetoAtualizacao& atualizacao_;
    std::map<std::string, Valor> linhaEmEdicao_;  // upper-case column -> value
    bool editando_ = false;
    std::vector<std::map<std::string, Valor>> pendentes_;
};
