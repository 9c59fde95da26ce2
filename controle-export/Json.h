#pragma once
// Writing JSON strings: the one piece of JSON that the output needs beyond plain numbers.
#include <string>
#include <string_view>

namespace controle_export {

// Appends `utf8` as a JSON string, quotes included: `"` and `\` escaped, control
// characters (code 0 too) as \n, \t ... or \u00XX. Bytes that are not UTF-8 (a file name
// from another code page) each become \ufffd, so that the line stays valid JSON.
void AjouteChaineJson(std::string& json, std::string_view utf8);

} // namespace controle_export
