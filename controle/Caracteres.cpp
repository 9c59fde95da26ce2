#include "Caracteres.h"

#include <algorithm>
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

#ifdef CONTROLE_AVX2
// The table in two halves of 16 columns of 8 bits, for a lookup by low then high
// half-byte: bit h of column l of half `moitie` is code 16 * (8 * moitie + h) + l. The
// columns are repeated for the two 16-byte lanes of an AVX2 register.
using ColonnesTable = std::array<std::uint8_t, 32>;

constexpr ColonnesTable Colonnes(int moitie) {
    ColonnesTable colonnes{};
    for (int l = 0; l < 32; ++l)
        for (int h = 0; h < 8; ++h)
            if (ACorriger[16 * (8 * moitie + h) + l % 16])
                colonnes[l] |= static_cast<std::uint8_t>(1u << h);
    return colonnes;
}

alignas(32) constexpr ColonnesTable ColonnesBasses = Colonnes(0);
alignas(32) constexpr ColonnesTable ColonnesHautes = Colonnes(1);
// Entry r is the bit of high half-byte r within its half of the table.
alignas(32) constexpr ColonnesTable BitsDesRangees = [] {
    ColonnesTable bits{};
    for (int r = 0; r < 32; ++r)
        bits[r] = static_cast<std::uint8_t>(1u << (r % 8));
    return bits;
}();

[[gnu::target("avx2")]] inline __m256i Charge(const ColonnesTable& table) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(table.data()));
}

// Bit i set when byte i of the 32 at `texte` is to correct: the table looked up whole, so
// that accented letters cost nothing.
[[gnu::target("avx2")]] inline unsigned Masque32ACorriger(const char* texte) {
    const __m256i bloc = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texte));
    // A shuffle gives 0 where the index has its top bit set, so each half answers only
    // for its own codes.
    const __m256i colonne =
        _mm256_or_si256(_mm256_shuffle_epi8(Charge(ColonnesBasses), bloc),
                        _mm256_shuffle_epi8(Charge(ColonnesHautes),
                                            _mm256_xor_si256(bloc, _mm256_set1_epi8(-128))));
    const __m256i rangee = _mm256_and_si256(_mm256_srli_epi16(bloc, 4), _mm256_set1_epi8(15));
    const __m256i bit = _mm256_shuffle_epi8(Charge(BitsDesRangees), rangee);
    const __m256i trouves = _mm256_cmpeq_epi8(_mm256_and_si256(colonne, bit), bit);
    return static_cast<unsigned>(_mm256_movemask_epi8(trouves));
}

#endif

} // namespace

bool CaractereACorriger(unsigned char code) {
    return ACorriger[code];
}

std::size_t ProchainACorriger(std::string_view ligne, std::size_t depuis) {
    return ProcesseurAvecAvx2() ? ProchainACorrigerAvx2(ligne, depuis)
                                : ProchainACorrigerPortable(ligne, depuis);
}

void MarqueACorriger(const char* octets, std::size_t taille, std::uint64_t* bits) {
    if (ProcesseurAvecAvx2())
        return MarqueACorrigerAvx2(octets, taille, bits);
    MarqueACorrigerPortable(octets, taille, bits);
}

void MarqueACorrigerPortable(const char* octets, std::size_t taille, std::uint64_t* bits) {
    std::fill(bits, bits + (taille + 63) / 64, 0);
    const std::string_view texte(octets, taille);
    for (std::size_t i = ProchainACorrigerPortable(texte, 0); i != std::string_view::npos;
         i = ProchainACorrigerPortable(texte, i + 1))
        bits[i / 64] |= std::uint64_t{1} << (i % 64);
}

std::size_t ProchainACorrigerPortable(std::string_view ligne, std::size_t depuis) {
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

#ifdef CONTROLE_AVX2
[[gnu::target("avx2")]] std::size_t ProchainACorrigerAvx2(std::string_view ligne,
                                                          std::size_t depuis) {
    const std::size_t taille = ligne.size();
    if (taille < 32)
        return ProchainACorrigerPortable(ligne, depuis);
    for (std::size_t debut = depuis; debut < taille; debut += 32) {
        const std::size_t charge = Charge32(debut, taille);
        const unsigned trouves = Masque32ACorriger(ligne.data() + charge) >> (debut - charge);
        if (trouves != 0)
            return debut + static_cast<std::size_t>(std::countr_zero(trouves));
    }
    return std::string_view::npos;
}

[[gnu::target("avx2")]] void MarqueACorrigerAvx2(const char* octets, std::size_t taille,
                                                 std::uint64_t* bits) {
    const std::size_t entiers = taille / 64;
    for (std::size_t w = 0; w < entiers; ++w)
        bits[w] = Masque32ACorriger(octets + 64 * w) |
                  std::uint64_t{Masque32ACorriger(octets + 64 * w + 32)} << 32;
    if (const std::size_t reste = taille % 64; reste != 0)
        MarqueACorrigerPortable(octets + 64 * entiers, reste, bits + entiers);
}
#else
void MarqueACorrigerAvx2(const char* octets, std::size_t taille, std::uint64_t* bits) {
    MarqueACorrigerPortable(octets, taille, bits);
}

std::size_t ProchainACorrigerAvx2(std::string_view ligne, std::size_t depuis) {
    return ProchainACorrigerPortable(ligne, depuis);
}
#endif

} // namespace controle
