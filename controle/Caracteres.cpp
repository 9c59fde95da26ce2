#include "Caracteres.h"

#include <array>
#include <bit>
#include <cstdint>

#include "Balayage.h"

namespace controle {
namespace {

using TableCaracteres = std::array<bool, 256>;

constexpr TableCaracteres TableACorriger() {
    TableCaracteres table{};
    for (int c = 1; c < 256; ++c)
        table[c] = c < 32 || c > 126 || c == '^' || c == '`' || c == '|';
    for (char c : CaracteresAcceptes)
        table[static_cast<unsigned char>(c)] = false;
    return table;
}

constexpr TableCaracteres ACorriger = TableACorriger();

} // namespace

bool CaractereACorriger(unsigned char code) {
    return ACorriger[code];
}

std::size_t ProchainACorriger(std::string_view ligne, std::size_t depuis) {
    // Printable ASCII but "^", "`" and "|" is never to correct: only the other bytes are
    // looked up. As signed bytes, codes 128 to 255 fall below 32 too.
    for (std::size_t debut = depuis; debut < ligne.size(); debut += 16) {
        unsigned candidats = Masque16<true, 127, '^', '`', '|'>(ligne.data(), debut, ligne.size());
        for (; candidats != 0; candidats &= candidats - 1) {
            const std::size_t i = debut + static_cast<std::size_t>(std::countr_zero(candidats));
            if (ACorriger[static_cast<unsigned char>(ligne[i])])
                return i;
        }
    }
    return std::string_view::npos;
}

} // namespace controle
