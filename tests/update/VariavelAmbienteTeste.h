#pragma once
// Sets an environment variable for the life of the object and then puts the
// previous value back (or removes it), so one test's setting never leaks
// into the next.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

class VariavelAmbienteTeste {
public:
    VariavelAmbienteTeste(std::string nome, const std::string& valor) : nome_(std::move(nome))
    {
        if (const char* atual = std::getenv(nome_.c_str()))
            anterior_ = atual;
        ::setenv(nome_.c_str(), valor.c_str(), 1);
    }
    VariavelAmbienteTeste(const VariavelAmbienteTeste&) = delete;
    VariavelAmbienteTeste& operator=(const VariavelAmbienteTeste&) = delete;
    ~VariavelAmbienteTeste()
    {
        if (anterior_)
            ::setenv(nome_.c_str(), anterior_->c_str(), 1);
        else
            ::unsetenv(nome_.c_str());
    }

private:
    std::string nome_;
    std::optional<std::string> anterior_;
};
