#include "AppelsSysteme.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace controle {
namespace {

int OuvreReel(const char* chemin, int drapeaux, mode_t mode) {
    return ::open(chemin, drapeaux, mode);
}

int VerrouilleReel(int fd, short type) {
    struct flock verrou = {};
    verrou.l_type = type;
    verrou.l_whence = SEEK_SET; // start 0, length 0: the whole file, however it grows
    return ::fcntl(fd, F_OFD_SETLK, &verrou);
}

int ReserveReel(int fd, off_t taille) {
    return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, taille);
}

const AppelsSysteme reels = {OuvreReel,      ::read,      ::pread,    ::write,  ::close,
                             VerrouilleReel, ::fstat,     ::stat,     ::rename, ::unlink,
                             ::fchmod,       ReserveReel, ::ftruncate};

} // namespace

const AppelsSysteme& AppelsSystemeReels() {
    return reels;
}

AppelsSysteme& Systeme() {
    static AppelsSysteme enCours = reels;
    return enCours;
}

} // namespace controle
