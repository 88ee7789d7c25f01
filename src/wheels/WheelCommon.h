#pragma once
// Small services shared by the wheel windows.
#include <string>

#include "core/Checked.h"
#include "core/Constants.h"

namespace aub {

class Form;

// Degrees to radians and back with the program's pi.
inline float radians(float degrees) { return degrees * Pi / 180.0f; }
inline float degrees(float radians) { return radians * 180.0f / Pi; }

// "Voulez vous imrimer la feuille telle qu'elle est à l'écran ?" then, on Yes, prints the
// window as shown.
inline constexpr const char* PrintQuestion = "Voulez vous imrimer la feuille telle qu'elle est à l'écran ?";
void askAndPrint(Form& form);

// Message shown by "Ouvre" / "Ouvrir" when no file of the list is selected.
inline constexpr const char* ChooseFileFirst = "Choisissez d'abord un fichier dans la liste";

}  // namespace aub
