// genere-export: writes a large realistic export for measurements, the same bytes for the
// same arguments.
#include <cstdio>
#include <cstdlib>
#include <getopt.h>
#include <string>

#include "GenerateurExport.h"

namespace {

const char* const Aide =
    "Utilisation : genere-export [OPTION]... FICHIER\n"
    "Écrit dans FICHIER un export de Veloran 3 réaliste, toujours le même pour les mêmes\n"
    "options (lignes terminées par CR LF, en Windows-1252).\n"
    "\n"
    "  --type T             N, M (par défaut), D, ou une autre lettre pour « Divers »\n"
    "  --taille T           taille visée en octets, suffixes K, M, G en puissances de 1000\n"
    "                       (par défaut 500M) ; l'export s'arrête au premier enregistrement\n"
    "                       qui l'atteint\n"
    "  --enregistrements N  nombre d'enregistrements, au lieu de --taille\n"
    "  --graine G           graine du générateur (par défaut 1)\n"
    "  --taux P             pourcentage d'enregistrements à problème (par défaut 1)\n"
    "  --sans-entete        pas de ligne d'entête Ardivenne\n";

[[noreturn]] void Refuse(const std::string& message) {
    std::fprintf(stderr, "genere-export: %s\n%s", message.c_str(), Aide);
    std::exit(2);
}

std::uint64_t Nombre(const char* texte, bool suffixe) {
    char* fin = nullptr;
    std::uint64_t valeur = std::strtoull(texte, &fin, 10);
    if (fin == texte)
        Refuse(std::string("nombre attendu : ") + texte);
    const std::string reste = fin;
    if (suffixe && (reste == "K" || reste == "k"))
        valeur *= 1000;
    else if (suffixe && reste == "M")
        valeur *= 1000 * 1000;
    else if (suffixe && reste == "G")
        valeur *= 1000 * 1000 * 1000;
    else if (!reste.empty())
        Refuse(std::string("nombre incorrect : ") + texte);
    return valeur;
}

} // namespace

int main(int argc, char** argv) {
    static const option options[] = {
        {"type", required_argument, nullptr, 't'},
        {"taille", required_argument, nullptr, 's'},
        {"enregistrements", required_argument, nullptr, 'n'},
        {"graine", required_argument, nullptr, 'g'},
        {"taux", required_argument, nullptr, 'p'},
        {"sans-entete", no_argument, nullptr, 'e'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    bench::ParametresExport parametres;
    std::uint64_t taille = 500'000'000, enregistrements = 0;
    bool entete = true;
    for (int o; (o = ::getopt_long(argc, argv, "h", options, nullptr)) != -1;) {
        switch (o) {
        case 't':
            if (std::string(::optarg).size() != 1)
                Refuse("le type est une lettre");
            parametres.Type = ::optarg[0];
            break;
        case 's':
            taille = Nombre(::optarg, true);
            break;
        case 'n':
            enregistrements = Nombre(::optarg, false);
            break;
        case 'g':
            parametres.Graine = Nombre(::optarg, false);
            break;
        case 'p':
            parametres.Taux = std::atof(::optarg) / 100;
            break;
        case 'e':
            entete = false;
            break;
        case 'h':
            std::fputs(Aide, stdout);
            return 0;
        default:
            Refuse("option incorrecte");
        }
    }
    if (::optind + 1 != argc)
        Refuse("un seul FICHIER attendu");

    std::FILE* fichier = std::fopen(argv[::optind], "wb");
    if (fichier == nullptr) {
        std::perror(argv[::optind]);
        return 1;
    }
    static char tampon[1 << 20];
    std::setvbuf(fichier, tampon, _IOFBF, sizeof tampon);
    std::uint64_t octets = 0, numero = 0;
    const auto ecrit = [&](const std::string& ligne) {
        std::fwrite(ligne.data(), 1, ligne.size(), fichier);
        std::fwrite("\r\n", 1, 2, fichier);
        octets += ligne.size() + 2;
    };
    if (entete)
        ecrit(bench::GenerateurExport::Entete());
    bench::GenerateurExport generateur(parametres);
    while (enregistrements != 0 ? numero < enregistrements : octets < taille)
        ecrit(generateur.Enregistrement(numero++));
    if (std::fclose(fichier) != 0) {
        std::perror(argv[::optind]);
        return 1;
    }
    std::printf("%llu enregistrements, %llu octets, %llu enregistrements à problème\n",
                static_cast<unsigned long long>(numero), static_cast<unsigned long long>(octets),
                static_cast<unsigned long long>(generateur.EnregistrementsAProbleme()));
    return 0;
}
