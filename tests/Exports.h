#pragma once
// Realistic export lines for tests: one record of an act type with chosen fields.
#include <map>
#include <string>

#include "Champs.h"

// A record of `type` ("N", "M", "D", other) with the given fields; the others get
// plausible values, field 6 the type and the last field the export marker.
inline std::string Enregistrement(const std::string& type, std::map<int, std::string> champs = {}) {
    const int n = controle::TypeActe(type).NbChamps;
    std::map<int, std::string> valeurs = {
        {1, "1"},      {2, "01234"},      {3, "Ardivenne"}, {4, "01"},     {5, "BMS"},
        {6, type},     {7, "12/03/1750"}, {11, "MARTIN"},   {12, "Jean"},  {13, "DUPONT"},
        {14, "Marie"}, {29, "BERNARD"},   {30, "Anne"},     {32, "LEROY"}, {33, "Louise"},
    };
    valeurs[n] = "VELORANV3";
    for (auto& [k, v] : champs)
        valeurs[k] = v;
    std::string ligne;
    for (int i = 1; i <= n; ++i) {
        if (i > 1)
            ligne += ';';
        if (auto it = valeurs.find(i); it != valeurs.end())
            ligne += it->second;
    }
    return ligne;
}

inline const std::string Entete = "Nom;Source;Commune;Date;Type";

// `nombre` good records of `type`, each line ended by CR LF, after an optional header.
inline std::string Export(const std::string& type, int nombre, bool avecEntete) {
    std::string octets = avecEntete ? Entete + "\r\n" : "";
    for (int i = 0; i < nombre; ++i)
        octets += Enregistrement(type, {{1, std::to_string(i)}}) + "\r\n";
    return octets;
}
