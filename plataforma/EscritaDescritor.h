#pragma once
// Writing a whole buffer to a POSIX descriptor: write() may take only part
// of it, or be interrupted by a signal before it writes anything.
#include <cstddef>

// False when the descriptor takes no more; errno then says why.
bool EscreverTudo(int descritor, const char* dados, std::size_t tamanho);
