#pragma once
// A strict JSON reader for checking what programs write: anything RFC 8259 does not allow
// (raw control characters, bad escapes, bytes that are not UTF-8, leading zeros, trailing
// commas, text after the value) is refused with std::runtime_error.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ValeurJson {
    enum class Genre { Nul, Booleen, Nombre, Chaine, Tableau, Objet };
    Genre Sorte = Genre::Nul;
    std::string Texte; // a string's UTF-8 value, or a number's or literal's text
    std::vector<ValeurJson> Elements;
    std::vector<std::pair<std::string, ValeurJson>> Membres;

    bool Contient(std::string_view cle) const {
        for (const auto& [nom, valeur] : Membres)
            if (nom == cle)
                return true;
        return false;
    }
    const ValeurJson& operator[](std::string_view cle) const {
        for (const auto& [nom, valeur] : Membres)
            if (nom == cle)
                return valeur;
        throw std::runtime_error("membre absent : " + std::string(cle));
    }
    std::int64_t Entier() const {
        if (Sorte != Genre::Nombre)
            throw std::runtime_error("pas un nombre : " + Texte);
        return std::stoll(Texte);
    }
    const std::string& Chaine() const {
        if (Sorte != Genre::Chaine)
            throw std::runtime_error("pas une chaîne : " + Texte);
        return Texte;
    }
};

class LecteurJson {
public:
    explicit LecteurJson(std::string_view texte) : texte_(texte) {}

    ValeurJson Document() {
        ValeurJson valeur = Valeur();
        Blancs();
        if (i_ != texte_.size())
            Refuse("texte après la valeur");
        return valeur;
    }

private:
    [[noreturn]] void Refuse(const std::string& raison) const {
        throw std::runtime_error("JSON refusé à l'octet " + std::to_string(i_) + " : " + raison);
    }
    char Courant() const { return i_ < texte_.size() ? texte_[i_] : '\0'; }
    void Attend(char c) {
        if (i_ >= texte_.size() || texte_[i_] != c)
            Refuse(std::string("attendu ") + c);
        ++i_;
    }
    void Blancs() {
        while (i_ < texte_.size() && (texte_[i_] == ' ' || texte_[i_] == '\t' ||
                                      texte_[i_] == '\n' || texte_[i_] == '\r'))
            ++i_;
    }

    ValeurJson Valeur() {
        Blancs();
        ValeurJson v;
        const char c = Courant();
        if (c == '{') {
            v.Sorte = ValeurJson::Genre::Objet;
            ++i_;
            Blancs();
            if (Courant() == '}') {
                ++i_;
                return v;
            }
            for (;;) {
                Blancs();
                std::string cle = Chaine();
                Blancs();
                Attend(':');
                v.Membres.emplace_back(std::move(cle), Valeur());
                Blancs();
                if (Courant() == ',') {
                    ++i_;
                    continue;
                }
                Attend('}');
                return v;
            }
        }
        if (c == '[') {
            v.Sorte = ValeurJson::Genre::Tableau;
            ++i_;
            Blancs();
            if (Courant() == ']') {
                ++i_;
                return v;
            }
            for (;;) {
                v.Elements.push_back(Valeur());
                Blancs();
                if (Courant() == ',') {
                    ++i_;
                    continue;
                }
                Attend(']');
                return v;
            }
        }
        if (c == '"') {
            v.Sorte = ValeurJson::Genre::Chaine;
            v.Texte = Chaine();
            return v;
        }
        for (const char* mot : {"true", "false", "null"})
            if (texte_.substr(i_).starts_with(mot)) {
                v.Sorte = mot[0] == 'n' ? ValeurJson::Genre::Nul : ValeurJson::Genre::Booleen;
                v.Texte = mot;
                i_ += v.Texte.size();
                return v;
            }
        v.Sorte = ValeurJson::Genre::Nombre;
        v.Texte = Nombre();
        return v;
    }

    std::string Nombre() {
        const std::size_t debut = i_;
        const auto chiffres = [&] {
            const std::size_t avant = i_;
            while (Courant() >= '0' && Courant() <= '9')
                ++i_;
            if (i_ == avant)
                Refuse("chiffre attendu");
        };
        if (Courant() == '-')
            ++i_;
        if (Courant() == '0')
            ++i_;
        else
            chiffres();
        if (Courant() == '.') {
            ++i_;
            chiffres();
        }
        if (Courant() == 'e' || Courant() == 'E') {
            ++i_;
            if (Courant() == '+' || Courant() == '-')
                ++i_;
            chiffres();
        }
        return std::string(texte_.substr(debut, i_ - debut));
    }

    static void AjouteUtf8(std::string& s, std::uint32_t c) {
        if (c < 0x80)
            s += static_cast<char>(c);
        else if (c < 0x800) {
            s += static_cast<char>(0xC0 | (c >> 6));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            s += static_cast<char>(0xE0 | (c >> 12));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (c >> 18));
            s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    std::uint32_t Hex4() {
        if (i_ + 4 > texte_.size())
            Refuse("\\u incomplet");
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = texte_[i_++];
            v <<= 4;
            if (h >= '0' && h <= '9')
                v |= h - '0';
            else if (h >= 'a' && h <= 'f')
                v |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                v |= h - 'A' + 10;
            else
                Refuse("chiffre hexadécimal attendu");
        }
        return v;
    }

    // One UTF-8 character copied as it is, checked for being well formed.
    void CaractereUtf8(std::string& s) {
        const unsigned char p = static_cast<unsigned char>(texte_[i_]);
        std::size_t n;
        unsigned char min = 0x80, max = 0xBF;
        if (p >= 0xC2 && p <= 0xDF)
            n = 2;
        else if (p >= 0xE0 && p <= 0xEF) {
            n = 3;
            min = p == 0xE0 ? 0xA0 : 0x80;
            max = p == 0xED ? 0x9F : 0xBF;
        } else if (p >= 0xF0 && p <= 0xF4) {
            n = 4;
            min = p == 0xF0 ? 0x90 : 0x80;
            max = p == 0xF4 ? 0x8F : 0xBF;
        } else
            Refuse("octet qui n'est pas de l'UTF-8");
        if (i_ + n > texte_.size())
            Refuse("UTF-8 tronqué");
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned char o = static_cast<unsigned char>(texte_[i_ + k]);
            if (o < (k == 1 ? min : 0x80) || o > (k == 1 ? max : 0xBF))
                Refuse("UTF-8 mal formé");
        }
        s.append(texte_.substr(i_, n));
        i_ += n;
    }

    std::string Chaine() {
        Attend('"');
        std::string s;
        for (;;) {
            if (i_ >= texte_.size())
                Refuse("chaîne non terminée");
            const unsigned char c = static_cast<unsigned char>(texte_[i_]);
            if (c == '"') {
                ++i_;
                return s;
            }
            if (c < 0x20)
                Refuse("caractère de contrôle brut dans une chaîne");
            if (c >= 0x80) {
                CaractereUtf8(s);
                continue;
            }
            ++i_;
            if (c != '\\') {
                s += static_cast<char>(c);
                continue;
            }
            const char e = Courant();
            ++i_;
            switch (e) {
            case '"':
                s += '"';
                break;
            case '\\':
                s += '\\';
                break;
            case '/':
                s += '/';
                break;
            case 'b':
                s += '\b';
                break;
            case 'f':
                s += '\f';
                break;
            case 'n':
                s += '\n';
                break;
            case 'r':
                s += '\r';
                break;
            case 't':
                s += '\t';
                break;
            case 'u': {
                std::uint32_t u = Hex4();
                if (u >= 0xDC00 && u <= 0xDFFF)
                    Refuse("demi-code bas isolé");
                if (u >= 0xD800 && u <= 0xDBFF) {
                    Attend('\\');
                    Attend('u');
                    const std::uint32_t bas = Hex4();
                    if (bas < 0xDC00 || bas > 0xDFFF)
                        Refuse("demi-code haut isolé");
                    u = 0x10000 + ((u - 0xD800) << 10) + (bas - 0xDC00);
                }
                AjouteUtf8(s, u);
                break;
            }
            default:
                Refuse("échappement inconnu");
            }
        }
    }

    std::string_view texte_;
    std::size_t i_ = 0;
};

inline ValeurJson LitJson(std::string_view texte) {
    return LecteurJson(texte).Document();
}
