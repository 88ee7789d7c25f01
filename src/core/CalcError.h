#pragma once
// Run-time failures that the user's inputs can cause. Every event handler catches
// CalcError and shows its French description (plus the fixed text the window adds).
#include <stdexcept>
#include <string>

namespace aub {

// Error numbers shown by the program, with their French descriptions.
enum ErrorCode : int {
    ErrOverflow = 6,       // "Dépassement de capacité"
    ErrBadCall = 5,        // "Argument ou appel de procédure incorrect"
    ErrOutOfMemory = 7,    // "Mémoire insuffisante"
    ErrSubscript = 9,      // "L'indice n'appartient pas à la sélection"
    ErrDivByZero = 11,     // "Division par zéro"
    ErrTypeMismatch = 13,  // "Type incompatible"
    ErrBadFileName = 52,   // "Nom ou numéro de fichier incorrect"
    ErrFileNotFound = 53,  // "Fichier introuvable"
    ErrFileExists = 58,    // "Fichier déjà existant"
    ErrDiskFull = 61,      // "Disque plein"
    ErrPastEnd = 62,       // "L'entrée dépasse la fin de fichier"
    ErrPermission = 70,    // "Permission refusée"
    ErrPathAccess = 75,    // "Erreur d'accès au chemin ou au fichier"
    ErrPathNotFound = 76,  // "Chemin d'accès introuvable"
    ErrBadProperty = 380,  // "Valeur de propriété incorrecte"
};

// French description of an error number; unknown numbers give
// "Erreur définie par l'application ou par l'objet".
std::string errorDescription(int code);

class CalcError : public std::runtime_error {
public:
    // The description is the table's text for the code.
    explicit CalcError(int code);
    // A description of our own (the code is still reported where a window shows it).
    CalcError(int code, std::string description);
    int code() const noexcept { return code_; }
    const std::string& description() const noexcept { return description_; }

private:
    int code_;
    std::string description_;
};

}  // namespace aub
