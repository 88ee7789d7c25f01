#pragma once
// What a calculation window offers to a parametric study: the calculation by the caption
// a person knows, the steps that prepare the window (choosing a formula page ...), the
// event that calculates, and its input and result boxes by their captions. Each module
// declares its windows' calculations next to their registration in the WindowCatalog;
// the study window lists them from there.
#include <string>
#include <vector>

namespace aub {

struct StudyBox {
    std::string key;      // the control's key, as the command line names it: "Valbox(4)"
    std::string caption;  // what the person reads beside it: "Diamètre de la roue (m)"
};

struct StudyDeclaration {
    std::string caption;               // "Roue au dessus — Calcul"
    std::string window;                // "Formrouehaut"
    std::vector<std::string> setup{};  // command-line steps run once on the loaded window first
    std::string action;                // the step that calculates: "Calcul", "CALCUL "
    std::vector<StudyBox> inputs{};
    std::vector<StudyBox> results{};
    // The list that holds the window's design files (starting point), empty: none.
    std::string filesList{};
};

}  // namespace aub
