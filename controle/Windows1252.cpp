#include "Windows1252.h"

#include <array>
#include <cstdint>

namespace controle {
namespace {

// The characters of 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> Plage80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t Caractere(unsigned octet) {
    return octet >= 0x80 && octet < 0xA0 ? Plage80[octet - 0x80] : static_cast<char16_t>(octet);
}

struct Sequence {
    std::uint8_t Taille;
    char Octets[3];
};

// Each byte's UTF-8 bytes, worked out once.
constexpr std::array<Sequence, 256> TableUtf8() {
    std::array<Sequence, 256> table{};
    for (unsigned octet = 0; octet < 256; ++octet) {
        const char16_t c = Caractere(octet);
        Sequence& s = table[octet];
        if (c < 0x80) {
            s = {1, {static_cast<char>(c), 0, 0}};
        } else if (c < 0x800) {
            s = {2, {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0}};
        } else {
            s = {3,
                 {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))}};
        }
    }
    return table;
}

constexpr std::array<Sequence, 256> VersUtf8 = TableUtf8();

} // namespace

char16_t CaractereWindows1252(unsigned char octet) {
    return Caractere(octet);
}

void AjouteUtf8(std::string& utf8, std::string_view cp1252) {
    for (const char octet : cp1252) {
        const Sequence& s = VersUtf8[static_cast<unsigned char>(octet)];
        utf8.append(s.Octets, s.Taille);
    }
}

} // namespace controle
