#include "EcritureDifferee.h"

#include <cerrno>
#include <system_error>

namespace controle {

EchecEcriture EcritSansInterruption(FonctionEcriture ecrit, int fd, const char* octets,
                                    std::size_t taille) {
    std::size_t ecrits = 0;
    while (ecrits < taille) {
        const ssize_t n = ecrit(fd, octets + ecrits, taille - ecrits);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {true, false, errno};
        if (n == 0)
            return {true, true, 0};
        ecrits += static_cast<std::size_t>(n);
    }
    return {};
}

EcritureDifferee::EcritureDifferee(int fd, std::size_t taille) : fd_(fd) {
    for (Case& c : cases_)
        c.Tampon.resize(taille);
}

EcritureDifferee::~EcritureDifferee() {
    if (!fil_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> garde(verrou_);
        arret_ = true;
    }
    reveilEcrivain_.notify_one();
    fil_.join();
}

bool EcritureDifferee::Demarre() {
    if (fil_.joinable())
        return true;
    try {
        fil_ = std::thread(&EcritureDifferee::Boucle, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

EchecEcriture EcritureDifferee::Confie(std::vector<char>& tampon, std::size_t taille,
                                       FonctionEcriture ecrit) {
    std::unique_lock<std::mutex> garde(verrou_);
    reveilDonneur_.wait(garde, [this] { return confiees_ - traitees_ < NbTampons; });
    Case& c = cases_[confiees_++ % NbTampons];
    c.Tampon.swap(tampon);
    c.Taille = taille;
    c.Ecrit = ecrit;
    const EchecEcriture echec = echec_;
    garde.unlock();
    reveilEcrivain_.notify_one();
    return echec;
}

EchecEcriture EcritureDifferee::Termine() {
    std::unique_lock<std::mutex> garde(verrou_);
    reveilDonneur_.wait(garde, [this] { return traitees_ == confiees_; });
    return echec_;
}

void EcritureDifferee::Boucle() {
    std::unique_lock<std::mutex> garde(verrou_);
    for (;;) {
        reveilEcrivain_.wait(garde, [this] { return arret_ || traitees_ != confiees_; });
        if (arret_)
            return;
        // Only this thread touches the cases handed over and not yet written.
        Case& c = cases_[traitees_ % NbTampons];
        if (!echec_.Echec) {
            garde.unlock();
            const EchecEcriture echec =
                EcritSansInterruption(c.Ecrit, fd_, c.Tampon.data(), c.Taille);
            garde.lock();
            if (echec.Echec)
                echec_ = echec; // the buffers after it are dropped
        }
        ++traitees_;
        reveilDonneur_.notify_one();
    }
}

} // namespace controle
