#pragma once
// An advisory write lock on a whole file (fcntl, on the open file
// description), held while the object lives and released by the system
// however the process ends, a SIGKILL or a power cut included. A program
// that only looks for the file sees no difference.
#include <optional>
#include <string>

class TravaConsultiva {
public:
    // Locks the existing file without waiting; nothing when another process
    // holds it, or when the file cannot be opened (gone, a link, no rights).
    static std::optional<TravaConsultiva> Tomar(const std::string& caminho);

    TravaConsultiva(TravaConsultiva&& outra) noexcept;
    TravaConsultiva& operator=(TravaConsultiva&& outra) noexcept;
    TravaConsultiva(const TravaConsultiva&) = delete;
    TravaConsultiva& operator=(const TravaConsultiva&) = delete;
    ~TravaConsultiva();

private:
    explicit TravaConsultiva(int descritor) : descritor_(descritor) {}

    int descritor_ = -1;
};
