#include "Json.h"

#include <cstddef>

namespace controle_export {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `texte`, 0 when there is none
// (overlong forms, surrogates and code points above U+10FFFF are not well formed).
std::size_t LongueurSequence(std::string_view texte) {
    const auto octet = [&](std::size_t i) { return static_cast<unsigned char>(texte[i]); };
    const unsigned char premier = octet(0);
    std::size_t longueur;
    unsigned char min = 0x80, max = 0xBF; // range of the second byte
    if (premier < 0x80)
        return 1;
    if (premier >= 0xC2 && premier <= 0xDF)
        longueur = 2;
    else if (premier >= 0xE0 && premier <= 0xEF) {
        longueur = 3;
        if (premier == 0xE0)
            min = 0xA0;
        else if (premier == 0xED)
            max = 0x9F;
    } else if (premier >= 0xF0 && premier <= 0xF4) {
        longueur = 4;
        if (premier == 0xF0)
            min = 0x90;
        else if (premier == 0xF4)
            max = 0x8F;
    } else
        return 0;
    if (texte.size() < longueur || octet(1) < min || octet(1) > max)
        return 0;
    for (std::size_t i = 2; i < longueur; ++i)
        if ((octet(i) & 0xC0) != 0x80)
            return 0;
    return longueur;
}

} // namespace

void AjouteChaineJson(std::string& json, std::string_view utf8) {
    static constexpr char Hex[] = "0123456789abcdef";
    json += '"';
    while (!utf8.empty()) {
        const unsigned char c = static_cast<unsigned char>(utf8.front());
        std::size_t longueur = 1;
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        default:
            if (c < 0x20) {
                json += "\\u00";
                json += Hex[c >> 4];
                json += Hex[c & 0xF];
            } else if ((longueur = LongueurSequence(utf8)) != 0) {
                json.append(utf8.data(), longueur);
            } else {
                json += "\\ufffd";
                longueur = 1;
            }
        }
        utf8.remove_prefix(longueur);
    }
    json += '"';
}

} // namespace controle_export
