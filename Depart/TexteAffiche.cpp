#include "TexteAffiche.h"

#include <array>

#include "Windows1252.h"

namespace {

// The code page, with control bytes (0 to 31 and 127) as their Unicode control pictures
// (U+2400 + code, U+2421).
const std::array<char16_t, 256> TableAffichage = [] {
    std::array<char16_t, 256> table{};
    for (int code = 0; code < 256; ++code)
        table[code] = controle::CaractereWindows1252(static_cast<unsigned char>(code));
    for (int code = 0; code < 32; ++code)
        table[code] = static_cast<char16_t>(0x2400 + code);
    table[127] = 0x2421;
    return table;
}();

} // namespace

QString DepuisWindows1252(std::string_view octets) {
    QString texte;
    AjouteDepuisWindows1252(texte, octets);
    return texte;
}

void AjouteDepuisWindows1252(QString& texte, std::string_view octets) {
    const qsizetype debut = texte.size();
    texte.resize(debut + static_cast<qsizetype>(octets.size()));
    QChar* sortie = texte.data() + debut;
    for (const char octet : octets)
        *sortie++ = QChar(TableAffichage[static_cast<unsigned char>(octet)]);
}
