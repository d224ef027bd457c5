#pragma once
// A file written under a name of its own beside its target and put in the
// target's place only once it is complete. The temporary file is created
// exclusively, so an existing name, a symbolic link included, is never
// opened; Concluir renames it over the target, which replaces a link there
// instead of writing through it. A temporary file that was not concluded is
// deleted when the object goes: a failure leaves the target as it was.
#include <cstddef>
#include <string>

class ArquivoTemporario {
public:
    // Throws std::runtime_error "Não foi possível criar o arquivo <destino>."
    // when the temporary file cannot be created beside destino.
    explicit ArquivoTemporario(const std::string& destino);
    ~ArquivoTemporario();
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;

    bool Escrever(const char* dados, std::size_t tamanho);
    // Writes the file to disk, closes it and renames it over the target.
    // False when any of that fails; the temporary file is then deleted.
    bool Concluir();

private:
    std::string destino_;
    std::string temporario_;
    int descritor_ = -1;
    bool concluido_ = false;
};
