#include "Texte.h"

#include <cstring>

namespace controle {

std::size_t Position(std::string_view cherche, std::string_view texte) {
    if (cherche.empty() || texte.empty())
        return 0;
    const void* zero = std::memchr(texte.data(), '\0', texte.size());
    if (zero != nullptr)
        texte = texte.substr(0, static_cast<const char*>(zero) - texte.data());
    const std::size_t trouve = texte.find(cherche);
    return trouve == std::string_view::npos ? 0 : trouve + 1;
}

std::string_view Partie(std::string_view texte, std::int64_t debut, std::int64_t nombre) {
    if (debut < 1)
        debut = 1;
    const auto taille = static_cast<std::int64_t>(texte.size());
    if (debut > taille || nombre <= 0)
        return {};
    const std::int64_t reste = taille - (debut - 1);
    return texte.substr(static_cast<std::size_t>(debut - 1),
                        static_cast<std::size_t>(nombre < reste ? nombre : reste));
}

} // namespace controle
