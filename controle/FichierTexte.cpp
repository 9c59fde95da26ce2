#include "FichierTexte.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "AppelsSysteme.h"
#include "Balayage.h"
#include "CodesES.h"
#include "ComptageLF.h"
#include "EcritureDifferee.h"
#include "Erreurs.h"
#include "LectureAnticipee.h"

namespace controle {
namespace {

constexpr std::size_t TailleTampon = 256 * 1024;
constexpr char CtrlZ = 26;
// A count has the lines of a regular file's middle counted by two threads when the middle
// is at least this long: below, starting the thread would cost more than it saves.
constexpr std::int64_t SeuilComptageLoin = 4 << 20;

void Echoue(int code) {
    throw EInOutError(code);
}

// Takes the lock without waiting; a lock held by someone else is the sharing code 32.
// File systems that know no such locks are used without them rather than refused.
void PoseVerrou(int fd, short type, const std::string& chemin) {
    if (Systeme().Verrouille(fd, type) == 0)
        return;
    const int erreur = errno;
    if (erreur == EAGAIN || erreur == EACCES)
        Echoue(ES_PARTAGE);
    if (erreur == ENOLCK || erreur == EINVAL || erreur == EOPNOTSUPP)
        return;
    LeveErreurSysteme(erreur, OperationES::Ouverture, chemin);
}

int OuvreSansInterruption(const char* chemin, int drapeaux, mode_t mode) {
    int fd;
    do
        fd = Systeme().Ouvre(chemin, drapeaux, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Appends [debut, fin) to the line without its CRs (a lone CR is dropped, and one before
// LF belongs to the line break). Returns true when a Ctrl-Z ended the line's text.
bool AjouteSegment(Texte& ligne, const char* debut, const char* fin) {
    const char* z = static_cast<const char*>(std::memchr(debut, CtrlZ, fin - debut));
    const char* finTexte = z != nullptr ? z : fin;
    while (debut < finTexte) {
        const char* cr = static_cast<const char*>(std::memchr(debut, '\r', finTexte - debut));
        const char* finMorceau = cr != nullptr ? cr : finTexte;
        ligne.append(debut, finMorceau);
        debut = cr != nullptr ? cr + 1 : finTexte;
    }
    return z != nullptr;
}

#ifdef CONTROLE_AVX2
[[gnu::target("avx2")]] const char* ProchaineFinDeLigneAvx2(const char* debut, const char* fin) {
    const auto taille = static_cast<std::size_t>(fin - debut);
    for (std::size_t bloc = 0; bloc < taille; bloc += 32)
        if (const unsigned bits = Masque32<'\n', '\r'>(debut, bloc, taille))
            return debut + bloc + std::countr_zero(bits);
    return fin;
}
#endif

// The first LF or CR in [debut, fin), or fin: in most lines, the line break.
const char* ProchaineFinDeLigne(const char* debut, const char* fin) {
    const auto taille = static_cast<std::size_t>(fin - debut);
#ifdef CONTROLE_AVX2
    if (taille >= 32 && ProcesseurAvecAvx2())
        return ProchaineFinDeLigneAvx2(debut, fin);
#endif
    for (std::size_t bloc = 0; bloc < taille; bloc += 16)
        if (const unsigned bits = Masque16<false, '\n', '\r'>(debut, bloc, taille))
            return debut + bloc + std::countr_zero(bits);
    return fin;
}

// The first byte in [debut, fin) that keeps the lines from being copied as they stand:
// a CR not followed by LF, an LF not after a CR, or a Ctrl-Z; fin when there is none.
// `retenue` is 1 when the byte before `debut`, within the caller's range, is a CR.
const char* PremierHorsCRLFPortable(const char* debut, const char* fin, unsigned retenue) {
    const auto taille = static_cast<std::size_t>(fin - debut);
    for (std::size_t bloc = 0; bloc < taille; bloc += 16) {
        const unsigned cr = Masque16<false, '\r'>(debut, bloc, taille);
        const unsigned lf = Masque16<false, '\n'>(debut, bloc, taille);
        const unsigned z = Masque16<false, CtrlZ>(debut, bloc, taille);
        const unsigned lfAttendus = ((cr << 1) | retenue) & 0xFFFF;
        if (const unsigned ecarts = (lf ^ lfAttendus) | z; ecarts != 0) {
            // A pair broken at bit i is bytes i - 1 and i: its first byte is the culprit.
            const unsigned i = static_cast<unsigned>(std::countr_zero(ecarts));
            return debut + bloc + i - ((lfAttendus >> i) & 1);
        }
        retenue = cr >> 15;
    }
    return retenue != 0 ? fin - 1 : fin;
}

#ifdef CONTROLE_AVX2
[[gnu::target("avx2,bmi")]] const char* PremierHorsCRLFAvx2(const char* debut, const char* fin) {
    const auto taille = static_cast<std::size_t>(fin - debut);
    std::uint64_t retenue = 0;
    std::size_t bloc = 0;
    for (; bloc + 32 <= taille; bloc += 32) {
        const std::uint64_t cr = Masque32<'\r'>(debut, bloc, taille);
        const std::uint64_t lf = Masque32<'\n'>(debut, bloc, taille);
        const std::uint64_t z = Masque32<CtrlZ>(debut, bloc, taille);
        const std::uint64_t lfAttendus = (cr << 1 | retenue) & 0xFFFFFFFF;
        if (const std::uint64_t ecarts = (lf ^ lfAttendus) | z; ecarts != 0) {
            const int i = std::countr_zero(ecarts);
            return debut + bloc + i - ((lfAttendus >> i) & 1);
        }
        retenue = cr >> 31;
    }
    return PremierHorsCRLFPortable(debut + bloc, fin, static_cast<unsigned>(retenue));
}
#endif

const char* PremierHorsCRLF(const char* debut, const char* fin) {
#ifdef CONTROLE_AVX2
    if (ProcesseurAvecAvx2())
        return PremierHorsCRLFAvx2(debut, fin);
#endif
    return PremierHorsCRLFPortable(debut, fin, 0);
}

std::string CheminTemporaire(const std::string& chemin) {
    static std::atomic<unsigned> compteur{0};
    return chemin + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(compteur++);
}

} // namespace

FichierTexte::FichierTexte() = default;

FichierTexte::~FichierTexte() {
    Abandonne();
}

void FichierTexte::Assigne(std::string chemin) {
    chemin_ = std::move(chemin);
    aChemin_ = true;
    etat_ = EtatFichier::Ferme;
}

void FichierTexte::OuvreLecture() {
    if (etat_ != EtatFichier::Ferme)
        Ferme();
    if (!aChemin_)
        Echoue(ES_SANS_CHEMIN);
    const int fd = OuvreSansInterruption(chemin_.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        LeveErreurSysteme(errno, OperationES::Ouverture, chemin_);
    fd_ = fd;
    try {
        struct stat etat;
        if (Systeme().EtatDescripteur(fd_, &etat) != 0)
            LeveErreurSysteme(errno, OperationES::Ouverture, chemin_);
        if (S_ISDIR(etat.st_mode))
            Echoue(ES_ACCES_REFUSE);
        ordinaire_ = S_ISREG(etat.st_mode);
        PoseVerrou(fd_, F_RDLCK, chemin_);
    } catch (...) {
        LibereDescripteurs();
        throw;
    }
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    tampon_.resize(TailleTampon);
    debut_ = fin_ = 0;
    zCherche_ = false;
    marque_ = nullptr;
    tamponMarque_ = false;
    finDonnees_ = false;
    dejaRempli_ = false;
    loinTente_ = false;
    etat_ = EtatFichier::Lecture;
}

void FichierTexte::CreeEcriture() {
    if (etat_ != EtatFichier::Ferme)
        Ferme();
    if (!aChemin_)
        Echoue(ES_SANS_CHEMIN);
    // The file in place is locked, not emptied: it is replaced only by a complete copy.
    const int cible = OuvreSansInterruption(chemin_.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (cible < 0 && errno != ENOENT)
        LeveErreurSysteme(errno, OperationES::Ouverture, chemin_);
    fdCible_ = cible;
    try {
        mode_t mode = 0666;
        if (fdCible_ >= 0) {
            struct stat etat;
            if (Systeme().EtatDescripteur(fdCible_, &etat) != 0)
                LeveErreurSysteme(errno, OperationES::Ouverture, chemin_);
            if (!S_ISREG(etat.st_mode))
                Echoue(ES_ACCES_REFUSE);
            mode = etat.st_mode & 07777;
            PoseVerrou(fdCible_, F_WRLCK, chemin_);
        }
        const std::string temporaire = CheminTemporaire(chemin_);
        const int fd = OuvreSansInterruption(temporaire.c_str(),
                                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            LeveErreurSysteme(errno, OperationES::Ouverture, chemin_);
        fd_ = fd;
        cheminTemporaire_ = temporaire;
        PoseVerrou(fd_, F_WRLCK, chemin_);
        if (fdCible_ >= 0)
            Systeme().ChangeMode(fd_, mode); // keep the rights the user gave the old copy
    } catch (...) {
        Abandonne();
        throw;
    }
    tampon_.resize(TailleTampon);
    debut_ = fin_ = 0;
    dejaVide_ = false;
    reserve_ = false;
    ecrits_ = 0;
    etat_ = EtatFichier::Ecriture;
}

bool FichierTexte::RemplitTampon() {
    if (finDonnees_)
        return false;
    const ResultatLecture lecture = LectureSuivante();
    if (lecture.Lus < 0)
        LeveErreurSysteme(lecture.Erreur, OperationES::Lecture, chemin_);
    debut_ = 0;
    fin_ = static_cast<std::size_t>(lecture.Lus);
    zCherche_ = false;
    finDonnees_ = lecture.Lus == 0;
    tamponMarque_ = lecture.Marque;
    if (!tamponMarque_ && marque_ != nullptr && lecture.Lus > 0) {
        bits_.resize((tampon_.size() + 63) / 64);
        marque_(tampon_.data(), fin_, bits_.data());
        tamponMarque_ = true;
    }
    // A file left after its first buffer (the header line) is never read further; from the
    // second on, the next read overlaps the work on this buffer. A pipe or a device is read
    // only when asked: a read ahead there could wait for bytes nobody sends.
    if (lecture.Lus > 0 && std::exchange(dejaRempli_, true) && ordinaire_)
        AnticipeLecture();
    return lecture.Lus > 0;
}

// The read the plain loop would make now: the one made ahead when there is one, its failure
// raised only here, where it would have happened.
ResultatLecture FichierTexte::LectureSuivante() {
    if (anticipee_ == nullptr || !anticipee_->EnCours())
        return LitSansInterruption(Systeme().Lit, fd_, tampon_.data(), tampon_.size());
    return anticipee_->Prend(tampon_, bits_);
}

// The thread is handed the read call in place now, and never looks at the seam itself,
// which tests put back while a file may still be open.
void FichierTexte::AnticipeLecture() {
    if (anticipee_ == nullptr)
        anticipee_ = std::make_unique<LectureAnticipee>(fd_, TailleTampon);
    anticipee_->Demarre(Systeme().Lit, marque_);
}

void FichierTexte::LitLigne(Texte& ligne) {
    const std::string_view vue = LitLigneVue(ligne);
    if (vue.data() != ligne.data())
        ligne.assign(vue);
}

std::string_view FichierTexte::LitLigneVue(Texte& reserve) {
    if (etat_ != EtatFichier::Lecture)
        Echoue(ES_NON_OUVERT_EN_LECTURE);
    reserve.clear();
    if (debut_ == fin_ && !RemplitTampon())
        return reserve;
    if (std::string_view ligne; LigneDansTampon(ligne))
        return ligne;
    AssembleLigne(reserve);
    return reserve;
}

// A search that stops first on the line break, LF or CR LF, finds the line's end and tells
// that its text holds none of the bytes looked for, in one pass.
std::string_view FichierTexte::LitLigneVue(Texte& reserve, ChercheOctets cherche,
                                           bool& sansOctets) {
    sansOctets = false;
    if (etat_ == EtatFichier::Lecture && debut_ != fin_) {
        const std::string_view reste(tampon_.data() + debut_, fin_ - debut_);
        const std::size_t arret =
            tamponMarque_ ? ProchaineMarque() - debut_ : std::min(cherche(reste, 0), reste.size());
        const std::size_t lf = arret < reste.size() && reste[arret] == '\r' ? arret + 1 : arret;
        if (lf < reste.size() && reste[lf] == '\n') {
            reserve.clear();
            debut_ += lf + 1;
            sansOctets = true;
            return reste.substr(0, arret);
        }
    }
    return LitLigneVue(reserve);
}

// Most lines: a line break, LF or CR LF, in the buffer before any Ctrl-Z, so nothing to take
// out of the text. Such a line is consumed and `ligne` shows it in the buffer.
bool FichierTexte::LigneDansTampon(std::string_view& ligne) {
    const char* debut = tampon_.data() + debut_;
    const char* fin = tampon_.data() + fin_;
    const char* fdl = ProchaineFinDeLigne(debut, fin);
    const char* lf = fdl != fin && *fdl == '\r' && fdl + 1 != fin && fdl[1] == '\n' ? fdl + 1 : fdl;
    if (lf == fin || *lf != '\n' || fdl >= ProchainCtrlZ())
        return false;
    ligne = std::string_view(debut, static_cast<std::size_t>(fdl - debut));
    debut_ = static_cast<std::size_t>(lf + 1 - tampon_.data());
    return true;
}

void FichierTexte::MarqueOctets(void (*marque)(const char*, std::size_t, std::uint64_t*)) {
    marque_ = marque;
}

// The first byte marked from where reading stands, or the end of the valid bytes; the
// bits past them are clear.
std::size_t FichierTexte::ProchaineMarque() const {
    const std::size_t nbMots = (fin_ + 63) / 64;
    std::size_t w = debut_ / 64;
    std::uint64_t mot = bits_[w] & (~std::uint64_t{0} << (debut_ % 64));
    while (mot == 0) {
        if (++w == nbMots)
            return fin_;
        mot = bits_[w];
    }
    return 64 * w + static_cast<std::size_t>(std::countr_zero(mot));
}

// The first Ctrl-Z of the buffer from where reading stands, or its end: looked for once per
// buffer, and again only once reading has passed it.
const char* FichierTexte::ProchainCtrlZ() {
    if (!zCherche_ || prochainZ_ < debut_) {
        const void* z = std::memchr(tampon_.data() + debut_, CtrlZ, fin_ - debut_);
        prochainZ_ = z != nullptr
                         ? static_cast<std::size_t>(static_cast<const char*>(z) - tampon_.data())
                         : fin_;
        zCherche_ = true;
    }
    return tampon_.data() + prochainZ_;
}

// The other lines, from a buffer that is not empty, segment by segment up to their LF,
// across buffers when they must.
void FichierTexte::AssembleLigne(Texte& ligne) {
    if (tampon_[debut_] == CtrlZ)
        return;                // end of the file: the position stays on the Ctrl-Z
    bool texteTermine = false; // a Ctrl-Z inside the line: the rest up to LF is skipped
    for (;;) {
        const char* debut = tampon_.data() + debut_;
        const char* fin = tampon_.data() + fin_;
        const char* lf = static_cast<const char*>(std::memchr(debut, '\n', fin - debut));
        const char* finSegment = lf != nullptr ? lf : fin;
        if (!texteTermine)
            texteTermine = AjouteSegment(ligne, debut, finSegment);
        const char* suite = lf != nullptr ? lf + 1 : fin;
        debut_ = static_cast<std::size_t>(suite - tampon_.data());
        if (lf != nullptr || !RemplitTampon())
            return;
    }
}

bool FichierTexte::FinFichier() {
    if (etat_ != EtatFichier::Lecture)
        Echoue(ES_NON_OUVERT_EN_LECTURE);
    if (debut_ == fin_ && !RemplitTampon())
        return true;
    return tampon_[debut_] == CtrlZ;
}

std::int64_t FichierTexte::PasseLignesSuivies() {
    if (etat_ != EtatFichier::Lecture)
        Echoue(ES_NON_OUVERT_EN_LECTURE);
    std::int64_t passees = 0;
    const char* const debut = tampon_.data() + debut_;
    // Up to the first Ctrl-Z, which may end the file; a line is followed by another when a
    // byte before that bound comes after its LF.
    const char* const borne = ProchainCtrlZ();
    const void* lf = borne - debut < 2
                         ? nullptr
                         : ::memrchr(debut, '\n', static_cast<std::size_t>(borne - 1 - debut));
    if (lf != nullptr) {
        const char* const suite = static_cast<const char*>(lf) + 1;
        debut_ = static_cast<std::size_t>(suite - tampon_.data());
        bool ctrlZ = false;
        passees = CompteLF(debut, suite, ctrlZ);
    }
    return passees + PasseLignesAuLoin();
}

// Once per opening, while nothing is read ahead: the lines from the buffer's end to near the
// file's end, counted by two threads, the reading then going on from the last LF counted.
// The last buffer's worth is left to the reading in order, so the last line is still read
// by LitLigne, and a Ctrl-Z or a failure anywhere leaves it all to that reading.
std::int64_t FichierTexte::PasseLignesAuLoin() {
    if (std::exchange(loinTente_, true) || !ordinaire_ || finDonnees_ ||
        (anticipee_ != nullptr && anticipee_->EnCours()) ||
        ProchainCtrlZ() != tampon_.data() + fin_)
        return 0;
    struct stat etat;
    const off_t position = ::lseek(fd_, 0, SEEK_CUR);
    if (position < 0 || Systeme().EtatDescripteur(fd_, &etat) != 0)
        return 0;
    const std::int64_t fin = etat.st_size - static_cast<std::int64_t>(TailleTampon);
    if (fin - position < SeuilComptageLoin)
        return 0;
    const std::optional<LFComptes> loin = CompteLFEnParallele(Systeme().LitA, fd_, position, fin);
    if (!loin || loin->Dernier < 0 || ::lseek(fd_, loin->Dernier + 1, SEEK_SET) < 0)
        return 0;
    // The line the buffer ends in has its LF at the latest at the last one counted.
    bool ctrlZ = false;
    const std::int64_t reste = CompteLF(tampon_.data() + debut_, tampon_.data() + fin_, ctrlZ);
    debut_ = fin_ = 0;
    zCherche_ = false;
    tamponMarque_ = false;
    return reste + loin->Nombre;
}

void FichierTexte::CopieLignesTellesQuelles(FichierTexte& copie) {
    if (etat_ != EtatFichier::Lecture)
        Echoue(ES_NON_OUVERT_EN_LECTURE);
    if (copie.etat_ != EtatFichier::Ecriture)
        Echoue(ES_NON_OUVERT_EN_ECRITURE);
    const char* const debut = tampon_.data() + debut_;
    const char* const borne = PremierHorsCRLF(debut, tampon_.data() + fin_);
    const void* lf = ::memrchr(debut, '\n', static_cast<std::size_t>(borne - debut));
    if (lf == nullptr)
        return;
    const char* const suite = static_cast<const char*>(lf) + 1;
    copie.EcritOctets(debut, static_cast<std::size_t>(suite - debut));
    debut_ = static_cast<std::size_t>(suite - tampon_.data());
}

std::int64_t FichierTexte::Taille() const {
    struct stat etat;
    if (etat_ != EtatFichier::Lecture || Systeme().EtatDescripteur(fd_, &etat) != 0 ||
        !S_ISREG(etat.st_mode))
        return 0;
    return etat.st_size;
}

void FichierTexte::PrevoitTaille(std::int64_t octets) {
    if (etat_ == EtatFichier::Ecriture && octets > 0)
        reserve_ = Systeme().Reserve(fd_, static_cast<off_t>(octets)) == 0;
}

void FichierTexte::EcritLigne(std::string_view ligne) {
    if (etat_ != EtatFichier::Ecriture)
        Echoue(ES_NON_OUVERT_EN_ECRITURE);
    EcritOctets(ligne.data(), ligne.size());
    EcritOctets("\r\n", 2);
}

// Through the buffer, a buffer at a time for bytes longer than it: its size never changes.
void FichierTexte::EcritOctets(const char* octets, std::size_t taille) {
    while (taille > 0) {
        if (fin_ == tampon_.size())
            VideTampon();
        const std::size_t morceau = std::min(taille, tampon_.size() - fin_);
        std::memcpy(tampon_.data() + fin_, octets, morceau);
        fin_ += morceau;
        octets += morceau;
        taille -= morceau;
    }
}

// The first buffer is written at once, so a small file never starts a thread; the next ones
// are handed to the thread that writes them.
void FichierTexte::VideTampon() {
    if (fin_ == 0)
        return;
    if (differee_ == nullptr && std::exchange(dejaVide_, true)) {
        auto differee = std::make_unique<EcritureDifferee>(fd_, TailleTampon);
        if (differee->Demarre())
            differee_ = std::move(differee);
    }
    ecrits_ += static_cast<std::int64_t>(fin_);
    if (differee_ != nullptr)
        LeveEchecEcriture(differee_->Confie(tampon_, fin_, Systeme().Ecrit));
    else
        LeveEchecEcriture(EcritSansInterruption(Systeme().Ecrit, fd_, tampon_.data(), fin_));
    fin_ = 0;
}

void FichierTexte::LeveEchecEcriture(const EchecEcriture& echec) {
    if (!echec.Echec)
        return;
    if (echec.DisquePlein)
        Echoue(ES_DISQUE_PLEIN);
    LeveErreurSysteme(echec.Erreur, OperationES::Ecriture, chemin_);
}

void FichierTexte::Ferme() {
    if (etat_ == EtatFichier::Ferme)
        Echoue(ES_NON_OUVERT);
    if (etat_ == EtatFichier::Ecriture) {
        try {
            VideTampon();
            if (differee_ != nullptr) {
                LeveEchecEcriture(differee_->Termine());
                differee_.reset();
            }
            // Room set aside and not used would stay taken past the end; the content is
            // whole either way, so a failure here costs only that room.
            if (reserve_)
                Systeme().Tronque(fd_, ecrits_);
            const int fd = fd_;
            fd_ = -1;
            if (Systeme().Ferme(fd) != 0)
                LeveErreurSysteme(errno, OperationES::Ecriture, chemin_);
            if (Systeme().Renomme(cheminTemporaire_.c_str(), chemin_.c_str()) != 0)
                LeveErreurSysteme(errno, OperationES::Fermeture, chemin_);
            cheminTemporaire_.clear();
        } catch (...) {
            Abandonne();
            throw;
        }
    }
    LibereDescripteurs();
    etat_ = EtatFichier::Ferme;
}

void FichierTexte::Abandonne() noexcept {
    if (!cheminTemporaire_.empty()) {
        Systeme().Supprime(cheminTemporaire_.c_str());
        cheminTemporaire_.clear();
    }
    LibereDescripteurs();
    etat_ = EtatFichier::Ferme;
}

void FichierTexte::LibereDescripteurs() noexcept {
    anticipee_.reset(); // no read or write in flight on a descriptor about to be closed
    differee_.reset();
    if (fd_ >= 0)
        Systeme().Ferme(fd_);
    if (fdCible_ >= 0)
        Systeme().Ferme(fdCible_);
    fd_ = fdCible_ = -1;
    // Keeps memory flat between files: a closed file holds no buffer.
    std::vector<char>().swap(tampon_);
    std::vector<std::uint64_t>().swap(bits_);
    tamponMarque_ = false;
    debut_ = fin_ = 0;
    zCherche_ = false;
}

} // namespace controle
