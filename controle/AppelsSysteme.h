#pragma once
// The system calls of the text-file layer, gathered so that tests can make any of them
// fail on purpose. The program never changes them.
#include <sys/stat.h>
#include <sys/types.h>

namespace controle {

struct AppelsSysteme {
    int (*Ouvre)(const char* chemin, int drapeaux, mode_t mode);
    ssize_t (*Lit)(int fd, void* tampon, size_t taille);
    // Reads at `position`, leaving the file's offset where it is.
    ssize_t (*LitA)(int fd, void* tampon, size_t taille, off_t position);
    ssize_t (*Ecrit)(int fd, const void* tampon, size_t taille);
    int (*Ferme)(int fd);
    // Takes a whole-file open-file-description lock (F_RDLCK or F_WRLCK) without waiting.
    int (*Verrouille)(int fd, short type);
    int (*EtatDescripteur)(int fd, struct stat* etat);
    int (*EtatChemin)(const char* chemin, struct stat* etat);
    int (*Renomme)(const char* ancien, const char* nouveau);
    int (*Supprime)(const char* chemin);
    int (*ChangeMode)(int fd, mode_t mode);
    // Sets aside room for `taille` bytes without changing the file's size.
    int (*Reserve)(int fd, off_t taille);
    int (*Tronque)(int fd, off_t taille);
};

// The calls in use; tests replace members and put them back (see AppelsSystemeReels).
AppelsSysteme& Systeme();
const AppelsSysteme& AppelsSystemeReels();

} // namespace controle
