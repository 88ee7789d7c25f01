#include "core/CalcError.h"

#include <utility>

namespace aub {

std::string errorDescription(int code) {
    switch (code) {
        case ErrBadCall:
            return "Argument ou appel de procédure incorrect";
        case ErrOverflow:
            return "Dépassement de capacité";
        case ErrOutOfMemory:
            return "Mémoire insuffisante";
        case ErrSubscript:
            return "L'indice n'appartient pas à la sélection";
        case ErrDivByZero:
            return "Division par zéro";
        case ErrTypeMismatch:
            return "Type incompatible";
        case ErrBadFileName:
            return "Nom ou numéro de fichier incorrect";
        case ErrFileNotFound:
            return "Fichier introuvable";
        case ErrFileExists:
            return "Fichier déjà existant";
        case ErrDiskFull:
            return "Disque plein";
        case ErrPastEnd:
            return "L'entrée dépasse la fin de fichier";
        case ErrPermission:
            return "Permission refusée";
        case ErrPathAccess:
            return "Erreur d'accès au chemin ou au fichier";
        case ErrPathNotFound:
            return "Chemin d'accès introuvable";
        case ErrBadProperty:
            return "Valeur de propriété incorrecte";
        default:
            return "Erreur définie par l'application ou par l'objet";
    }
}

CalcError::CalcError(int code) : CalcError(code, errorDescription(code)) {}

CalcError::CalcError(int code, std::string description)
    : std::runtime_error(description), code_(code), description_(std::move(description)) {}

}  // namespace aub
