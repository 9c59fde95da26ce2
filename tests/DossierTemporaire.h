#pragma once
// A fresh folder per test, removed with what it holds.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

class DossierTemporaire {
public:
    DossierTemporaire() {
        std::string modele = (std::filesystem::temp_directory_path() / "controle-XXXXXX").string();
        chemin_ = ::mkdtemp(modele.data());
    }
    ~DossierTemporaire() {
        std::error_code ignore;
        std::filesystem::permissions(chemin_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignore);
        std::filesystem::remove_all(chemin_, ignore);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    std::string Chemin(const std::string& nom) const { return (chemin_ / nom).string(); }
    const std::filesystem::path& Racine() const { return chemin_; }

    std::string Ecrit(const std::string& nom, const std::string& octets) const {
        const std::string chemin = Chemin(nom);
        std::ofstream(chemin, std::ios::binary) << octets;
        return chemin;
    }

    static std::string Lit(const std::string& chemin) {
        std::ifstream flux(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(flux), {}};
    }

private:
    std::filesystem::path chemin_;
};
