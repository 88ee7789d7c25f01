#pragma once
// Small services shared by the wheel windows.
#include <string>

namespace aub {

class Form;

// pi, 2 pi, 2g and g as the wheel calculations use them.
inline constexpr float Pi = 3.141593f;
inline constexpr float TwoPi = 6.283186f;
inline constexpr float TwoG = 19.62f;
inline constexpr float G = 9.81f;

// A single-precision result that must be a finite number: an overflow on the way
// (infinity) or an undefined operation (NaN) throws CalcError(6) "Dépassement de capacité".
float finite(float x);

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
