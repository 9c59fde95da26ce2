#include "CodesES.h"

#include <cerrno>
#include <sys/stat.h>

#include "AppelsSysteme.h"
#include "Erreurs.h"

namespace controle {
namespace {

bool DossierExiste(const std::string& chemin) {
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos)
        return true; // the current folder
    const std::string dossier = barre == 0 ? "/" : chemin.substr(0, barre);
    struct stat etat;
    return Systeme().EtatChemin(dossier.c_str(), &etat) == 0 && S_ISDIR(etat.st_mode);
}

} // namespace

int CodeES(int erreur, OperationES operation, const std::string& chemin) {
    switch (erreur) {
    case ENOENT:
        return DossierExiste(chemin) ? ES_FICHIER_INTROUVABLE : ES_DOSSIER_INTROUVABLE;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ES_DOSSIER_INTROUVABLE;
    case EMFILE:
    case ENFILE:
        return ES_TROP_DE_FICHIERS;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return ES_ACCES_REFUSE;
    case EAGAIN:
        return ES_PARTAGE;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ES_DISQUE_PLEIN;
    default:
        switch (operation) {
        case OperationES::Lecture:
            return ES_LECTURE_IMPOSSIBLE;
        case OperationES::Ecriture:
            return ES_ECRITURE_IMPOSSIBLE;
        default:
            return ES_PANNE;
        }
    }
}

void LeveErreurSysteme(int erreur, OperationES operation, const std::string& chemin) {
    throw EInOutError(CodeES(erreur, operation, chemin));
}

} // namespace controle
