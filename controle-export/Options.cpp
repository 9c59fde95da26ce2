#include "Options.h"

#include <getopt.h>

namespace controle_export {
namespace {

enum : int { OptBrut = 256, OptJson, OptSansCopie, OptFormatDate, OptSeparateurDate, OptVersion };

const option OptionsLongues[] = {
    {"brut", no_argument, nullptr, OptBrut},
    {"json", no_argument, nullptr, OptJson},
    {"sans-copie", no_argument, nullptr, OptSansCopie},
    {"format-date", required_argument, nullptr, OptFormatDate},
    {"separateur-date", required_argument, nullptr, OptSeparateurDate},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, OptVersion},
    {nullptr, 0, nullptr, 0},
};

void ChoisitFormat(Options& options, Format format) {
    if (options.Sortie != Format::Utf8 && options.Sortie != format)
        throw ErreurOptions("--brut et --json ne vont pas ensemble");
    options.Sortie = format;
}

} // namespace

Options LitOptions(int argc, char** argv) {
    Options options;
    ::opterr = 0; // the messages below are French
    ::optind = 0; // full reset of getopt's state
    for (;;) {
        const int option = ::getopt_long(argc, argv, ":h", OptionsLongues, nullptr);
        if (option == -1)
            break;
        switch (option) {
        case OptBrut:
            ChoisitFormat(options, Format::Brut);
            break;
        case OptJson:
            ChoisitFormat(options, Format::Json);
            break;
        case OptSansCopie:
            options.SansCopie = true;
            break;
        case OptFormatDate:
            options.FormatDate = ::optarg;
            break;
        case OptSeparateurDate:
            if (std::string(::optarg).size() != 1)
                throw ErreurOptions("le séparateur de date doit être un seul octet : « " +
                                    std::string(::optarg) + " »");
            options.SeparateurDate = ::optarg[0];
            break;
        case 'h':
            options.Aide = true;
            break;
        case OptVersion:
            options.Version = true;
            break;
        case ':':
            throw ErreurOptions("l'option " + std::string(argv[::optind - 1]) +
                                " demande une valeur");
        default:
            throw ErreurOptions("option inconnue : " + std::string(argv[::optind - 1]));
        }
    }
    options.Fichiers.assign(argv + ::optind, argv + argc);
    if (options.Fichiers.empty() && !options.Aide && !options.Version)
        throw ErreurOptions("aucun fichier à contrôler");
    return options;
}

const char* TexteAide() {
    return R"(Utilisation : controle-export [OPTION]... FICHIER...
Contrôle les fichiers export de Veloran 3 comme le bouton « Traite » de la fenêtre :
dates invalides, caractères à corriger, noms trop courts, noms d'épouse d'une lettre.

Pour chaque FICHIER, écrit sur la sortie standard les messages de contrôle puis la ligne
« Au total : N erreurs trouvées », une ligne par message, en UTF-8. Pour un export
Ardivenne (première ligne contenant « Source »), écrit aussi la copie sans entête :
le chemin du fichier moins ses 4 derniers caractères, suivi de « _chk.TXT ».

Options :
      --brut               écrit les lignes en Windows-1252, octet pour octet, comme la
                           fenêtre les affiche (chacune suivie d'un LF)
      --json               écrit un objet JSON par problème (JSON Lines, UTF-8) :
                           "fichier", "enregistrement" (à partir de 0), "test" ("date",
                           "caractere", "nom" ou "epouse"), "position" et "code" (test
                           "caractere"), "champs" (les champs cités par le message, par
                           numéro), "message" ; puis un objet de résumé par fichier :
                           "fichier", "erreurs", "enregistrements", "type"
      --sans-copie         n'écrit pas la copie sans entête
      --format-date FMT    format de date court à utiliser au lieu de celui des réglages
                           régionaux, par exemple dd/MM/yyyy ou yyyy-MM-dd ; le séparateur
                           de date devient le premier signe du format qui n'est ni une
                           lettre, ni une espace, ni une apostrophe
      --separateur-date C  séparateur de date (un octet) à utiliser au lieu de celui des
                           réglages régionaux ou du format
  -h, --help               affiche cette aide et quitte
      --version            affiche la version et quitte

Avec plusieurs fichiers, les lignes de chacun sont précédées de la ligne
« ==> FICHIER <== », et une ligne vide sépare deux fichiers (sauf avec --json, où chaque
objet porte le nom de son fichier). Un fichier refusé ou en erreur n'écrit rien sur la
sortie standard ; son message va sur la sortie d'erreur.

Sur un terminal, une barre de progression s'affiche sur la sortie d'erreur.

Code de retour :
  0  aucun problème trouvé
  1  des problèmes trouvés
  2  un fichier refusé, une erreur d'entrée/sortie ou une ligne de commande incorrecte
     (2 l'emporte sur 1)
)";
}

} // namespace controle_export
