#pragma once
// Errors of the program: what() is the text the operator would read.
// Arithmetic faults (zero divisor, overflow) and failed conversions of text
// to numbers or dates are distinct so callers and tests can tell them apart.
#include <stdexcept>
#include <string>

class ErroAritmetico : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ErroConversao : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
