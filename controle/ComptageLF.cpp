#include "ComptageLF.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "Balayage.h"

namespace controle {
namespace {

constexpr char CtrlZ = 26;
// Each thread's buffer: it stays in the core's cache between the copy and the count.
constexpr std::size_t TailleTampon = 256 * 1024;

// One half's outcome; nothing when it must be read in order.
std::optional<LFComptes> CompteMoitie(FonctionLecturePosition lit, int fd, std::int64_t debut,
                                      std::int64_t fin) {
    std::vector<char> tampon(TailleTampon);
    LFComptes comptes;
    bool ctrlZ = false;
    while (debut < fin) {
        const auto taille = static_cast<std::size_t>(
            std::min<std::int64_t>(fin - debut, static_cast<std::int64_t>(tampon.size())));
        ssize_t lus;
        do
            lus = lit(fd, tampon.data(), taille, debut);
        while (lus < 0 && errno == EINTR);
        if (lus <= 0)
            return std::nullopt;
        const std::int64_t lf = CompteLF(tampon.data(), tampon.data() + lus, ctrlZ);
        if (ctrlZ)
            return std::nullopt;
        if (lf > 0) {
            comptes.Nombre += lf;
            const void* dernier = ::memrchr(tampon.data(), '\n', static_cast<std::size_t>(lus));
            comptes.Dernier = debut + (static_cast<const char*>(dernier) - tampon.data());
        }
        debut += lus;
    }
    return comptes;
}

#ifdef CONTROLE_AVX2
// The 32-byte way of CompteLF: `debut` is left where the 16-byte way takes over.
[[gnu::target("avx2")]] std::int64_t CompteLFAvx2(const char*& debut, const char* fin,
                                                  bool& ctrlZ) {
    std::int64_t total = 0;
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i z = _mm256_set1_epi8(CtrlZ);
    __m256i avecZ = _mm256_setzero_si256();
    while (fin - debut >= 32) {
        __m256i compteurs = _mm256_setzero_si256();
        for (int blocs = 0; blocs < 255 && fin - debut >= 32; ++blocs, debut += 32) {
            const __m256i bloc = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(debut));
            compteurs = _mm256_sub_epi8(compteurs, _mm256_cmpeq_epi8(bloc, lf));
            avecZ = _mm256_or_si256(avecZ, _mm256_cmpeq_epi8(bloc, z));
        }
        const __m256i sommes = _mm256_sad_epu8(compteurs, _mm256_setzero_si256());
        total += _mm256_extract_epi64(sommes, 0) + _mm256_extract_epi64(sommes, 1) +
                 _mm256_extract_epi64(sommes, 2) + _mm256_extract_epi64(sommes, 3);
    }
    ctrlZ = ctrlZ || !_mm256_testz_si256(avecZ, avecZ);
    return total;
}
#endif

} // namespace

// 32 or 16 bytes at a time: each byte lane counts up to 255 blocks before the lanes are
// summed.
std::int64_t CompteLF(const char* debut, const char* fin, bool& ctrlZ) {
    std::int64_t total = 0;
#ifdef CONTROLE_AVX2
    if (fin - debut >= 32 && ProcesseurAvecAvx2())
        total = CompteLFAvx2(debut, fin, ctrlZ);
#endif
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i z = _mm_set1_epi8(CtrlZ);
    __m128i avecZ = _mm_setzero_si128();
    while (fin - debut >= 16) {
        __m128i compteurs = _mm_setzero_si128();
        for (int blocs = 0; blocs < 255 && fin - debut >= 16; ++blocs, debut += 16) {
            const __m128i bloc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(debut));
            compteurs = _mm_sub_epi8(compteurs, _mm_cmpeq_epi8(bloc, lf));
            avecZ = _mm_or_si128(avecZ, _mm_cmpeq_epi8(bloc, z));
        }
        const __m128i sommes = _mm_sad_epu8(compteurs, _mm_setzero_si128());
        total += _mm_cvtsi128_si32(sommes) + _mm_cvtsi128_si32(_mm_srli_si128(sommes, 8));
    }
    ctrlZ = ctrlZ || _mm_movemask_epi8(avecZ) != 0;
#endif
    for (; debut != fin; ++debut) {
        total += *debut == '\n';
        ctrlZ = ctrlZ || *debut == CtrlZ;
    }
    return total;
}

std::optional<LFComptes> CompteLFEnParallele(FonctionLecturePosition lit, int fd,
                                             std::int64_t debut, std::int64_t fin) {
    const std::int64_t milieu = debut + (fin - debut) / 2;
    std::optional<LFComptes> seconde;
    std::thread fil;
    try {
        fil = std::thread([&] { seconde = CompteMoitie(lit, fd, milieu, fin); });
    } catch (const std::system_error&) {
        return std::nullopt; // no second thread: reading in order costs no more
    }
    const std::optional<LFComptes> premiere = CompteMoitie(lit, fd, debut, milieu);
    fil.join();
    if (!premiere || !seconde)
        return std::nullopt;
    return LFComptes{premiere->Nombre + seconde->Nombre,
                     seconde->Dernier >= 0 ? seconde->Dernier : premiere->Dernier};
}

} // namespace controle
