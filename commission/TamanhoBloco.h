#pragma once
// How many pending invoices phase 1 takes in its next block. A block's rows
// stay locked until its group commits, so a block is sized to last half a
// group; after a block in which an invoice failed, the next one is half as
// large; and a block is at most twice the one before it.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "commission/FontePendente.h"

class TamanhoBloco {
public:
    std::size_t Atual() const { return atual_; }

    // The block just done held notas invoices and took duracao.
    void Ajustar(bool semFalhas, std::size_t notas, std::chrono::steady_clock::duration duracao)
    {
        if (!semFalhas) {
            atual_ = std::max<std::size_t>(1, atual_ / 2);
            return;
        }
        const auto porNota = std::max<std::chrono::nanoseconds>(duracao / static_cast<std::int64_t>(notas),
                                                                std::chrono::nanoseconds{1});
        atual_ = std::clamp<std::size_t>(static_cast<std::size_t>((kDuracaoGrupo / 2) / porNota), 1, 2 * atual_);
    }

private:
    std::size_t atual_ = 32;
};
