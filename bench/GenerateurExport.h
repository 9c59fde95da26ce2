#pragma once
// Generated exports of each act type, with a header line and a share of faulty records, for
// the benchmarks; a given seed always gives the same file.
#include <cstdint>
#include <string>

namespace bench {

struct ParametresExport {
    char Type = 'M'; // N, M, D, or any other letter for "Divers"
    std::uint64_t Graine = 1;
    double Taux = 0.01; // share of records with a problem
};

class GenerateurExport {
public:
    explicit GenerateurExport(const ParametresExport& parametres);

    // The header line of an Ardivenne export, without its line break.
    static std::string Entete();
    // Record `numero` (from 0), without its line break; most are clean, a share `Taux` has
    // one problem: an impossible date, a character to correct, a short surname or a
    // one-letter spouse surname.
    const std::string& Enregistrement(std::uint64_t numero);
    std::uint64_t EnregistrementsAProbleme() const { return aProbleme_; }

private:
    std::uint64_t Aleatoire();
    std::uint64_t Entre(std::uint64_t n) { return Aleatoire() % n; }
    template <std::size_t N> const char* Parmi(const char* const (&liste)[N]) {
        return liste[Entre(N)];
    }
    void Date(std::string& champ);

    ParametresExport parametres_;
    int nbChamps_, indexNom_, indexEpouse_;
    std::uint64_t etat_;
    std::uint64_t aProbleme_ = 0;
    std::string champs_[65];
    std::string ligne_;
};

} // namespace bench
