#pragma once
// Which characters of a record are to be corrected.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace controle {

// The 47 accepted characters outside codes 32 to 126, in their stored order (Windows-1252).
inline constexpr std::string_view CaracteresAcceptes =
    "\xE0\xE2\xE4\xE9\xE8\xEA\xEB\xEE\xEF\xF4\xF6\xF3\xF9\xFB\xFC\xFF"
    "\xC0\xC2\xC4\xC8\xCA\xCB\xC9\xCE\xCF\xD2\xD4\xD6\xD3\xD9\xDB\xDC\x9F"
    "\xE7\xC7\xBC\xBD\xBE\xAB\xBB\xA7\xB0\x86\xE6\xC6\x9C\x8C";

// True for a character to correct: control codes (0 aside), "^", "`", "|", 127, and codes
// above 127 that are not accepted.
bool CaractereACorriger(unsigned char code);

// Index of the first character to correct in `ligne` from `depuis` on, or npos.
std::size_t ProchainACorriger(std::string_view ligne, std::size_t depuis);

// Marks the characters to correct of `taille` bytes: bit i of `bits[i / 64]` is set when
// byte i is one; every word up to byte `taille` is written whole, its bits past it cleared.
void MarqueACorriger(const char* octets, std::size_t taille, std::uint64_t* bits);

// The two ways ProchainACorriger goes, each open to the tests: 16 bytes at a time on any
// x86-64, and 32 at a time, which it takes where the processor has AVX2.
std::size_t ProchainACorrigerPortable(std::string_view ligne, std::size_t depuis);
std::size_t ProchainACorrigerAvx2(std::string_view ligne, std::size_t depuis);
void MarqueACorrigerPortable(const char* octets, std::size_t taille, std::uint64_t* bits);
void MarqueACorrigerAvx2(const char* octets, std::size_t taille, std::uint64_t* bits);

} // namespace controle
