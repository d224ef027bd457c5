#pragma once
// Every "current time" of the program comes from here, so a test can stand
// at 7:05 or 7:55.
#include "comum/DataHora.h"

class Relogio {
public:
    virtual ~Relogio() = default;
    virtual DataHora Agora() const = 0;
};

class RelogioSistema : public Relogio {
public:
    DataHora Agora() const override { return DataHora::Agora(); }
};
