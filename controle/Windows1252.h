#pragma once
// The Windows-1252 code page of the exports, for front ends that show their texts.
#include <string>
#include <string_view>

namespace controle {

// The character of a byte. The five bytes that the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) and the control bytes, code 0 included, keep their own code, as
// Windows' own conversion does: nothing is lost.
char16_t CaractereWindows1252(unsigned char octet);

// Appends `cp1252` to `utf8`, each byte as its character.
void AjouteUtf8(std::string& utf8, std::string_view cp1252);

} // namespace controle
