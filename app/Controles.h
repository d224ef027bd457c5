#pragma once
// The state of the main window's controls, kept by the model and copied into
// the real widgets by a front-end.
#include <string>

struct Rotulo {
    std::string Caption;
    bool Visible = true;
};

struct CaixaTexto {
    std::string Text;
    int MaxLength = 2;
};

struct Medidor {
    int MaxValue = 100;
    int Progress = 0;
    bool Visible = false;
};

struct Temporizador {
    int Interval = 0;
    bool Enabled = false;
    int Reinicios = 0;  // counts off-and-on switches, so a front-end restarts its interval

    void Reiniciar()
    {
        Enabled = true;
        ++Reinicios;
    }
};

struct ItemMenu {
    std::string Caption;
    bool Visible = true;
};

struct IconeBandeja {
    std::string Hint;
    bool Visible = false;
    bool PopupAutomatico = false;
};
