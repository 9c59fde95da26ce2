#include "Champs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>

#include "Balayage.h"

namespace controle {

std::string_view DecoupeChamps(std::string_view& reste) {
    // The first ";" or code 0, whichever comes first: a ";" after a code 0 is not seen.
    const char* debut = reste.data();
    const char* fin = debut + reste.size();
    const char* p = debut;
    while (p != fin && *p != ';' && *p != '\0')
        ++p;
    if (p == fin || *p == '\0')
        return {};
    const std::string_view champ(debut, static_cast<std::size_t>(p - debut));
    reste.remove_prefix(champ.size() + 1);
    return champ;
}

namespace {

int PlacesSeparateurs(std::string_view ligne, int separateurs, std::uint32_t* places) {
    if (ProcesseurAvecAvx2())
        return PlacesSeparateursAvx2(ligne, separateurs, places);
    return PlacesSeparateursPortable(ligne, separateurs, places);
}

// Field k (1 to nbChamps) from the places of the `decoupes` separators the step-by-step
// split cuts at: the text between two of them, empty past the last, the rest for the last.
std::string_view ChampDesPlaces(std::string_view ligne, int nbChamps, const std::uint32_t* places,
                                int decoupes, int k) {
    if (k > decoupes && k < nbChamps)
        return {};
    const int avant = std::min(k - 1, decoupes); // separators cut before the field
    const std::size_t debut = avant == 0 ? 0 : places[avant - 1] + 1;
    const std::size_t fin = k <= decoupes ? places[k - 1] : ligne.size();
    return std::string_view(ligne.data() + debut, fin - debut);
}

// The places are 32-bit: a line of 4 GiB or more, which no export holds but the reading
// rules allow, is split the step-by-step way, fields 1 to `derniers`.
bool TropLonguePourLesPlaces(std::string_view ligne) {
    return ligne.size() > std::numeric_limits<std::uint32_t>::max();
}

void DecoupePasAPas(std::string_view ligne, int nbChamps, std::string_view* champs, int derniers) {
    for (int k = 1; k < nbChamps && k <= derniers; ++k)
        champs[k] = DecoupeChamps(ligne);
    if (derniers >= nbChamps)
        champs[nbChamps] = ligne;
}

} // namespace

void DecoupeEnregistrement(std::string_view ligne, int nbChamps, std::string_view* champs) {
    if (TropLonguePourLesPlaces(ligne))
        return DecoupePasAPas(ligne, nbChamps, champs, nbChamps);
    std::uint32_t places[MaxPlaces];
    const int decoupes = PlacesSeparateurs(ligne, nbChamps - 1, places);
    for (int k = 1; k <= nbChamps; ++k)
        champs[k] = ChampDesPlaces(ligne, nbChamps, places, decoupes, k);
}

#ifdef CONTROLE_AVX2
namespace {

// Whether picking the n-th set bit of a word with PDEP pays: a few cycles where the
// processor runs it in hardware, up to hundreds on the first two AMD Zen generations.
bool SelectionRapide() {
    static const bool rapide = [] {
        __builtin_cpu_init();
        return ProcesseurAvecAvx2() && __builtin_cpu_supports("bmi2") &&
               !__builtin_cpu_is("znver1") && !__builtin_cpu_is("znver2");
    }();
    return rapide;
}

// Bit i set when byte `debut` + i of the text (of the 64 from there, fewer at its end) is a
// ";". At the end, its last 64 bytes are loaded and those before `debut` shifted out. Sets
// `nul` when one of the bytes loaded is a code 0: those before `debut` were looked at before.
[[gnu::target("avx2"), gnu::always_inline]] inline std::uint64_t
Separateurs64(const char* texte, std::size_t debut, std::size_t taille, bool& nul) {
    const std::size_t charge = debut + 64 <= taille ? debut : taille - 64;
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texte + charge));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texte + charge + 32));
    const __m256i pointVirgule = _mm256_set1_epi8(';');
    const auto bas =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, pointVirgule)));
    const auto haut =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, pointVirgule)));
    const __m256i zeros = _mm256_cmpeq_epi8(_mm256_min_epu8(a, b), _mm256_setzero_si256());
    nul = !_mm256_testz_si256(zeros, zeros);
    return (bas | std::uint64_t{haut} << 32) >> (debut - charge);
}

// The separators are picked out of the first blocks of 64 bytes at most: enough for the
// fields the check reads in any export's record, and a fixed number of steps.
constexpr int BlocsSelection = 4;

// The place in the line of the separator of rank `rang` (from 0), among those of the
// blocks' `bits`, `avant` each block.
[[gnu::target("bmi,bmi2"), gnu::always_inline]] inline std::size_t
PlaceDuRang(int rang, const std::uint64_t* bits, const int* avant) {
    int b = 0;
    for (int suivant = 1; suivant < BlocsSelection; ++suivant)
        b += rang >= avant[suivant];
    const std::uint64_t seul = _pdep_u64(std::uint64_t{1} << (rang - avant[b]), bits[b]);
    return 64 * static_cast<std::size_t>(b) + std::countr_zero(seul);
}

// The fields `voulus`, none of them the last of the record, each taken between the two
// separators around it; those are picked out of the blocks' bits, the others never listed,
// and without a branch that depends on where they lie. False when a code 0 comes in those
// blocks or they hold too few separators: the caller then splits the plain way. The line
// is 64 bytes or more.
[[gnu::target("avx2,bmi,bmi2,popcnt")]] bool
ChampsParSelection(std::string_view ligne, std::span<const int> voulus, std::string_view* champs) {
    const char* const texte = ligne.data();
    const std::size_t taille = ligne.size();
    const int nbBlocs = static_cast<int>(std::min<std::size_t>(BlocsSelection, (taille + 63) / 64));
    std::uint64_t bits[BlocsSelection] = {};
    // Separators before each block; past the last block read, more than any rank.
    int avant[BlocsSelection];
    std::fill_n(avant, BlocsSelection, INT_MAX);
    int separateurs = 0;
    for (int b = 0; b < nbBlocs; ++b) {
        bool nul;
        bits[b] = Separateurs64(texte, 64 * static_cast<std::size_t>(b), taille, nul);
        if (nul)
            return false;
        avant[b] = separateurs;
        separateurs += std::popcount(bits[b]);
    }
    if (voulus.back() > separateurs)
        return false;
    for (const int k : voulus) {
        const std::size_t debut = k > 1 ? PlaceDuRang(k - 2, bits, avant) + 1 : 0;
        champs[k] = std::string_view(texte + debut, PlaceDuRang(k - 1, bits, avant) - debut);
    }
    return true;
}

} // namespace
#endif

void ChampsVoulus(std::string_view ligne, int nbChamps, std::span<const int> voulus,
                  std::string_view* champs) {
    if (TropLonguePourLesPlaces(ligne))
        return DecoupePasAPas(ligne, nbChamps, champs, std::min(voulus.back(), nbChamps));
#ifdef CONTROLE_AVX2
    if (voulus.back() < nbChamps && ligne.size() >= 64 && SelectionRapide() &&
        ChampsParSelection(ligne, voulus, champs))
        return;
#endif
    std::uint32_t places[MaxPlaces];
    const int separateurs = std::min(voulus.back(), nbChamps - 1);
    const int decoupes = PlacesSeparateurs(ligne, separateurs, places);
    if (decoupes < separateurs || voulus.back() == nbChamps) {
        for (const int k : voulus)
            champs[k] = ChampDesPlaces(ligne, nbChamps, places, decoupes, k);
        return;
    }
    // The usual record: each field asked for ends at a separator found.
    for (const int k : voulus) {
        const std::size_t debut = k == 1 ? 0 : places[k - 2] + 1;
        champs[k] = std::string_view(ligne.data() + debut, places[k - 1] - debut);
    }
}

int PlacesSeparateursPortable(std::string_view ligne, int separateurs, std::uint32_t* places) {
    const char* const texte = ligne.data();
    const std::size_t taille = ligne.size();
    int trouves = 0;
    for (std::size_t debut = 0; trouves < separateurs && debut < taille; debut += 16) {
        for (unsigned bits = Masque16<false, ';', '\0'>(texte, debut, taille); bits != 0;
             bits &= bits - 1) {
            const std::size_t p = debut + static_cast<std::size_t>(std::countr_zero(bits));
            if (texte[p] == '\0')
                return trouves; // separators after a code 0 are not seen
            places[trouves] = static_cast<std::uint32_t>(p);
            if (++trouves == separateurs)
                return trouves;
        }
    }
    return trouves;
}

#ifdef CONTROLE_AVX2
namespace {

// Entry b: the places of the set bits of byte b, in order, then zeros up to 8; 32 bits
// each, to be added to a block's start as they are.
alignas(32) constexpr std::array<std::array<std::uint32_t, 8>, 256> PlacesDansOctet = [] {
    std::array<std::array<std::uint32_t, 8>, 256> table{};
    for (int octet = 0; octet < 256; ++octet)
        for (int bit = 0, n = 0; bit < 8; ++bit)
            if (octet & (1 << bit))
                table[octet][n++] = static_cast<std::uint32_t>(bit);
    return table;
}();

} // namespace

[[gnu::target("avx2,bmi,popcnt")]] int
PlacesSeparateursAvx2(std::string_view ligne, int separateurs, std::uint32_t* places) {
    const char* const texte = ligne.data();
    const std::size_t taille = ligne.size();
    if (taille < 32)
        return PlacesSeparateursPortable(ligne, separateurs, places);
    // Each byte of a block's bits gives its places from a table, 8 written whatever it holds:
    // no branch depends on how many separators a block has.
    int trouves = 0;
    bool nul = false;
    for (std::size_t debut = 0; trouves < separateurs && !nul && debut < taille; debut += 32) {
        unsigned bits = Masque32<';'>(texte, debut, taille);
        if (const unsigned zeros = Masque32<'\0'>(texte, debut, taille); zeros != 0) {
            bits &= (zeros & -zeros) - 1; // separators after a code 0 are not seen
            nul = true;
        }
        const __m256i debutBloc = _mm256_set1_epi32(static_cast<int>(debut));
        for (unsigned decalage = 0; decalage < 32; decalage += 8) {
            const unsigned octet = (bits >> decalage) & 0xFF;
            const __m256i rangs =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(PlacesDansOctet[octet].data()));
            const __m256i debutOctet =
                _mm256_add_epi32(debutBloc, _mm256_set1_epi32(static_cast<int>(decalage)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(places + trouves),
                                _mm256_add_epi32(rangs, debutOctet));
            trouves += std::popcount(octet);
        }
    }
    return std::min(trouves, separateurs);
}
#else
int PlacesSeparateursAvx2(std::string_view ligne, int separateurs, std::uint32_t* places) {
    return PlacesSeparateursPortable(ligne, separateurs, places);
}
#endif

const LigneTypeActe& TypeActe(std::string_view champ6) {
    static const std::array<LigneTypeActe, 4> table = {{
        {"N", "Naissances", 30, 11, 0, false},
        {"M", "Mariages", 60, 11, 29, true},
        {"D", "Décès", 38, 11, 0, false},
        {"", "Divers", 64, 13, 32, true},
    }};
    for (std::size_t i = 0; i + 1 < table.size(); ++i)
        if (champ6 == table[i].Lettre)
            return table[i];
    return table.back();
}

bool EstEntete(std::string_view premiereLigne) {
    return Position("Source", premiereLigne) != 0;
}

bool EstExport(std::string_view derniereLigne) {
    return Position("VELORANV3", derniereLigne) != 0;
}

Texte NomFichierCopie(std::string_view nomFichier) {
    const auto barre = nomFichier.find_last_of('/');
    const std::size_t debutNom = barre == std::string_view::npos ? 0 : barre + 1;
    std::size_t fin = nomFichier.size();
    // Steps back over 4 UTF-8 characters: continuation bytes belong to the one before.
    for (int caracteres = 0; caracteres < 4 && fin > debutNom; ++caracteres) {
        do
            --fin;
        while (fin > debutNom && (static_cast<unsigned char>(nomFichier[fin]) & 0xC0) == 0x80);
    }
    return Texte(nomFichier.substr(0, fin)) + "_chk.TXT";
}

} // namespace controle
