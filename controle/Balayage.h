#pragma once
// A line looked at 16 bytes at a time, one bit per byte, so that the few bytes that matter
// (separators, characters to correct) are found without a test per byte.
#include <cstddef>
#include <cstdint>
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
// The 32-byte ways exist on x86 only; elsewhere their names lead to the portable ones.
#define CONTROLE_AVX2 1
#endif

namespace controle {

// Whether the processor runs AVX2, for the searches that have a 32-byte way besides the
// portable one; BMI and POPCNT, which those ways also use, come with it on every such
// processor, but a virtual machine may hide them.
inline bool ProcesseurAvecAvx2() {
#ifndef CONTROLE_AVX2
    return false;
#else
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
               __builtin_cpu_supports("popcnt");
    }();
    return avx2;
#endif
}

// Bit i set when byte `debut` + i (of the 16 from `debut` on, fewer at the end) is one of
// `egaux`, or, with `sousEspace`, below 32 as a signed byte (codes 0 to 31 and 128 to 255).
// Inlined, as it runs once per 16 bytes of every line.
template <bool sousEspace, char... egaux>
[[gnu::always_inline]] inline unsigned Masque16(const char* texte, std::size_t debut,
                                                std::size_t taille) {
#ifdef __SSE2__
    if (taille >= 16) {
        // At the end of the text, its last 16 bytes, those before `debut` shifted out.
        const std::size_t charge = debut + 16 <= taille ? debut : taille - 16;
        const __m128i bloc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texte + charge));
        __m128i trouves = _mm_setzero_si128();
        if constexpr (sousEspace)
            trouves = _mm_cmplt_epi8(bloc, _mm_set1_epi8(32));
        ((trouves = _mm_or_si128(trouves, _mm_cmpeq_epi8(bloc, _mm_set1_epi8(egaux)))), ...);
        return static_cast<unsigned>(_mm_movemask_epi8(trouves)) >> (debut - charge);
    }
#endif
    unsigned bits = 0;
    for (std::size_t i = debut; i < taille && i < debut + 16; ++i) {
        const auto octet = static_cast<signed char>(texte[i]);
        if ((sousEspace && octet < 32) || ((octet == egaux) || ...))
            bits |= 1u << (i - debut);
    }
    return bits;
}

#ifdef CONTROLE_AVX2
// Where to load the 32 bytes from `debut` on in a text of 32 bytes or more: at its end, its
// last 32 bytes, those before `debut` to be shifted out.
inline std::size_t Charge32(std::size_t debut, std::size_t taille) {
    return debut + 32 <= taille ? debut : taille - 32;
}

// Bit i set when byte `debut` + i (of the 32 from `debut` on, fewer at the end) is one of
// `octets`, with AVX2, in a text of 32 bytes or more.
template <char... octets>
[[gnu::target("avx2"), gnu::always_inline]] inline unsigned
Masque32(const char* texte, std::size_t debut, std::size_t taille) {
    const std::size_t charge = Charge32(debut, taille);
    const __m256i bloc = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texte + charge));
    __m256i trouves = _mm256_setzero_si256();
    ((trouves = _mm256_or_si256(trouves, _mm256_cmpeq_epi8(bloc, _mm256_set1_epi8(octets)))), ...);
    return static_cast<unsigned>(_mm256_movemask_epi8(trouves)) >> (debut - charge);
}
#endif

} // namespace controle
