#pragma once
// A window for the actions to drive in tests: it keeps what they show and answers the
// dialog as told.
#include <cstdint>
#include <string>
#include <vector>

#include "OperationsFenetre.h"

struct BoiteVue {
    std::string Texte, Titre;
    int Drapeaux;
    bool operator==(const BoiteVue&) const = default;
};

class FenetreSubstitut : public controle::OperationsFenetre {
public:
    // The dialog's answer: false is a cancelled dialog.
    bool DialogueAccepte = true;
    std::string FichierChoisi;

    bool EntreeVisible = false;
    int EntreeHauteur = 25, EntreeLargeur = 33;
    std::vector<std::string> Entree;
    std::string ChampType, ChampNombre;
    bool ProgressionVisible = false;
    std::int64_t ProgressionMax = 100, ProgressionPosition = 1;
    std::vector<std::int64_t> Repeints; // the position at each forced repaint
    std::vector<BoiteVue> Boites;
    // What the bar and the list looked like while each box was shown.
    std::vector<bool> ProgressionVisibleSousBoite, EntreeVisibleSousBoite;
    bool FinDemandee = false;

    bool ExecuteDialogueOuverture() override { return DialogueAccepte; }
    std::string NomFichierDialogue() override { return FichierChoisi; }
    void VisibleEntree(bool visible) override { EntreeVisible = visible; }
    void TailleEntree(int hauteur, int largeur) override {
        EntreeHauteur = hauteur;
        EntreeLargeur = largeur;
    }
    void VideEntree() override { Entree.clear(); }
    void AjouteLigneEntree(std::string_view ligne) override { Entree.emplace_back(ligne); }
    void TexteChampType(const std::string& texte) override { ChampType = texte; }
    void TexteChampNombre(const std::string& texte) override { ChampNombre = texte; }
    void VisibleProgression(bool visible) override { ProgressionVisible = visible; }
    void MaxProgression(std::int64_t maximum) override {
        controle::VerifieMaxProgression(maximum);
        ProgressionMax = maximum;
    }
    void PositionProgression(std::int64_t position) override { ProgressionPosition = position; }
    void RepeintProgression() override { Repeints.push_back(ProgressionPosition); }
    int BoiteMessage(const std::string& texte, const std::string& titre, int drapeaux) override {
        Boites.push_back({texte, titre, drapeaux});
        ProgressionVisibleSousBoite.push_back(ProgressionVisible);
        EntreeVisibleSousBoite.push_back(EntreeVisible);
        return 1;
    }
    void DemandeFin() override { FinDemandee = true; }
};
