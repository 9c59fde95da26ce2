#pragma once
#include <QString>
#include <string_view>

// Windows-1252 bytes as text to show. Control bytes (0 to 31 and 127) become their Unicode
// control pictures (U+2400 + code, U+2421), so that a code 0 neither truncates the line nor
// vanishes, and a reported tab stays visible. Bytes that the code page leaves undefined
// keep their code as C1 characters, as Windows converts them.
QString DepuisWindows1252(std::string_view octets);
// The same, added at the end of `texte`.
void AjouteDepuisWindows1252(QString& texte, std::string_view octets);
