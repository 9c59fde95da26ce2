#pragma once
// Texts of the exports: single-byte Windows-1252, any byte allowed, code 0 included.
#include <cstdint>
#include <string>
#include <string_view>

namespace controle {

using Texte = std::string;

// 1-based place of `cherche` in `texte`, 0 when absent or when either is empty.
// Like the search of the original platform, it looks only up to the first code-0 byte
// of `texte`, so a match that starts or ends after it does not count.
std::size_t Position(std::string_view cherche, std::string_view texte);

// `nombre` bytes from the 1-based `debut`; a start below 1 counts as 1, a start past the
// end or a negative count gives the empty text, a count past the end stops at the end.
std::string_view Partie(std::string_view texte, std::int64_t debut, std::int64_t nombre);

} // namespace controle
