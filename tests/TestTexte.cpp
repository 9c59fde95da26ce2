#include <gtest/gtest.h>

#include "Texte.h"

using namespace controle;
using namespace std::string_literals;

TEST(Position, RechercheExacteJusquAuPremierZero) {
    struct Cas {
        std::string cherche, texte;
        std::size_t attendu;
    };
    const Cas cas[] = {
        {"Source", "xx Source yy", 4},
        {"Source", "source", 0},
        {"", "abc", 0},
        {"a", "", 0},
        {";", "a;b\0c;d"s, 2},
        {"c", "ab\0c"s, 0},
        {"VELORANV3", "1;VELORANV3", 3},
        {"b\0"s, "ab\0"s, 0}, // a match may not run past the first code 0
    };
    for (const auto& c : cas)
        EXPECT_EQ(Position(c.cherche, c.texte), c.attendu) << c.texte;
}

TEST(Partie, BornesDuDebutEtDuNombre) {
    struct Cas {
        std::int64_t debut, nombre;
        std::string attendu;
    };
    const Cas cas[] = {{1, 3, "abc"}, {-5, 2, "ab"}, {4, 10, "def"}, {7, 1, ""},
                       {2, -1, ""},   {2, 0, ""},    {6, 1, "f"}};
    for (const auto& c : cas)
        EXPECT_EQ(Partie("abcdef", c.debut, c.nombre), c.attendu) << c.debut << "," << c.nombre;
}
