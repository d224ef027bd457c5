#pragma once
// The notice window: a short text without a question, compact or with the
// agreement box that must be ticked before OK can be pressed.
#include <functional>
#include <string>

// Creates and shows the window, draws it fully, and with the automatic close
// waits (esperar(5000): nothing of the program runs meanwhile) and closes it.
void MostrarAvisoQt(const std::string& texto, bool concordo, bool fechamentoAutomatico,
                    const std::function<void(int)>& esperar);
