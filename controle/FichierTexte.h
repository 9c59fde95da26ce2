#pragma once
// Text files read and written line by line, with the line rules of the exports:
// LF or CR LF ends a line, a lone CR is dropped, Ctrl-Z at a line start ends the file,
// every other byte (code 0 included) is kept raw. Every operation but Assigne checks its
// result at once and throws EInOutError with the failure's code.
//
// Sharing, by open-file-description locks: a file open for reading holds a read lock,
// a file open for writing a write lock, so a second opener that follows the same rules
// gets code 32 where it would conflict.
//
// A regular file read past its second buffer has the next ones read by a second thread
// meanwhile, through the same system call; a failure met ahead is raised only where the
// plain reading would have met it.
//
// Creating for writing never empties the file in place: lines go to a temporary file in
// the same folder, which replaces the file at its path only when closed successfully. From
// its second buffer on, a file is written by a second thread while the next buffer fills; a
// failure there is raised by the next write of a buffer, or by Ferme.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Texte.h"

namespace controle {

class EcritureDifferee;
class LectureAnticipee;
struct EchecEcriture;
struct ResultatLecture;

enum class EtatFichier { Ferme, Lecture, Ecriture };

class FichierTexte {
public:
    FichierTexte();
    ~FichierTexte();
    FichierTexte(const FichierTexte&) = delete;
    FichierTexte& operator=(const FichierTexte&) = delete;

    // Gives a closed file its path (never fails).
    void Assigne(std::string chemin);
    // Opens for reading at the first byte; an open file is closed first.
    void OuvreLecture();
    // Opens for writing; the file at the path is replaced when Ferme succeeds.
    void CreeEcriture();
    // Reads the next line into `ligne` (the empty line at the end of the file).
    void LitLigne(Texte& ligne);
    // Reads the next line as LitLigne does, without copying it when it lies whole in the
    // buffer: the view is then valid only until the next operation on the file. Otherwise
    // the line is assembled in `reserve`, which the view then shows. `reserve` is emptied
    // first either way, so a failed read leaves it as LitLigne would.
    std::string_view LitLigneVue(Texte& reserve);
    // The first of the bytes a caller looks for in `texte` from `depuis` on, or npos; LF, CR
    // and Ctrl-Z must be among them.
    using ChercheOctets = std::size_t (*)(std::string_view texte, std::size_t depuis);
    // Reads the next line as LitLigneVue does, its end found by the caller's search when it
    // can be: `sansOctets` is then true, as the line holds none of the bytes looked for.
    // When false, nothing is known of them. In a buffer marked (see MarqueOctets), the
    // marks stand for the search.
    std::string_view LitLigneVue(Texte& reserve, ChercheOctets cherche, bool& sansOctets);
    // Until the file is opened again, the buffers read from now on have the bytes that
    // `cherche` looks for marked by `marque`, ahead, on the thread that reads ahead when
    // there is one. `marque` must mark exactly the bytes the search stops on.
    void MarqueOctets(void (*marque)(const char* octets, std::size_t taille, std::uint64_t* bits));
    bool FinFichier();
    // Passes, without taking their text, the lines ahead that lie whole in the buffer and
    // that another line surely follows; returns how many. A loop that only counts lines
    // calls it before each LitLigne: the lines it passes are the ones that loop would read
    // and drop, and the last line is always left to LitLigne. In a large regular file, the
    // first call passes most of the file's lines, read by two threads at once.
    std::int64_t PasseLignesSuivies();
    // Writes to `copie`, open for writing, the lines ahead that lie whole in the buffer and
    // already stand as EcritLigne writes them, each ended by CR LF with no other CR: their
    // bytes as they are, without taking each line. A loop that copies every line calls it
    // before each LitLigne; it stops before the first line that is not so.
    void CopieLignesTellesQuelles(FichierTexte& copie);
    // Size of a file open for reading, 0 when it is not a regular file.
    std::int64_t Taille() const;
    // A file open for writing that should reach about `octets` bytes has its room set aside
    // at once, which makes the writes cheaper; what is not used is given back on closing.
    void PrevoitTaille(std::int64_t octets);
    // Writes the bytes of `ligne`, then CR LF.
    void EcritLigne(std::string_view ligne);
    // Writes out what is buffered and closes; a file being written replaces its target.
    void Ferme();
    // Closes without raising: a file being written is dropped and its target left as it was.
    void Abandonne() noexcept;

    EtatFichier Etat() const noexcept { return etat_; }
    const std::string& Chemin() const noexcept { return chemin_; }

private:
    bool RemplitTampon();
    std::int64_t PasseLignesAuLoin();
    bool LigneDansTampon(std::string_view& ligne);
    const char* ProchainCtrlZ();
    std::size_t ProchaineMarque() const;
    void AssembleLigne(Texte& ligne);
    ResultatLecture LectureSuivante();
    void AnticipeLecture();
    void VideTampon();
    void EcritOctets(const char* octets, std::size_t taille);
    void LeveEchecEcriture(const EchecEcriture& echec);
    void LibereDescripteurs() noexcept;

    std::string chemin_;
    bool aChemin_ = false;
    EtatFichier etat_ = EtatFichier::Ferme;
    int fd_ = -1;
    int fdCible_ = -1; // while writing: the existing target, locked
    std::string cheminTemporaire_;
    std::vector<char> tampon_;
    // While reading, from the second read on: the buffers that follow, read meanwhile.
    std::unique_ptr<LectureAnticipee> anticipee_;
    // While writing, from the second buffer written on: their writes, made meanwhile.
    std::unique_ptr<EcritureDifferee> differee_;
    bool dejaVide_ = false; // a buffer has been written since creating
    bool reserve_ = false;  // room was set aside beyond what is written
    std::int64_t ecrits_ = 0;
    // The marks of the buffer's bytes, when tamponMarque_, and how to make them.
    void (*marque_)(const char*, std::size_t, std::uint64_t*) = nullptr;
    std::vector<std::uint64_t> bits_;
    bool tamponMarque_ = false;
    bool ordinaire_ = false;    // a regular file, not a pipe or a device
    bool dejaRempli_ = false;   // a read has given bytes since opening
    bool loinTente_ = false;    // PasseLignesAuLoin has run since opening
    std::size_t debut_ = 0;     // next unread byte in tampon_
    std::size_t fin_ = 0;       // end of valid bytes in tampon_
    std::size_t prochainZ_ = 0; // the first Ctrl-Z from debut_ on, or fin_, once looked for
    bool zCherche_ = false;     // prochainZ_ holds for this buffer
    bool finDonnees_ = false;   // the last read returned 0
};

} // namespace controle
