#pragma once
// What a calculation window offers to a parametric study: the calculation by the caption
// a person knows, the steps that prepare the window (choosing a formula page ...), the
// event that calculates, and its input and result boxes by their captions. Each module
// declares its windows' calculations next to their registration in the WindowCatalog;
// the study window lists them from there.
#include <functional>
#include <string>
#include <vector>

namespace aub {

class Form;

// What a window holds beyond its boxes (a curve, an imported record), taken from the
// person's window when a study starts: given to the private window at every point.
using StudyState = std::function<void(Form&)>;

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
    // Takes what the boxes do not carry from the person's window; empty: the boxes say all.
    std::function<StudyState(const Form&)> captureState{};
    // The calculation reads all it needs from the window's controls (and the program-wide
    // values) and keeps nothing of its own from one calculation to the next: after a point
    // that stopped on a message, putting the controls back as they were prepared is
    // enough. Otherwise the window is prepared anew.
    bool stateInControls = false;
};

}  // namespace aub
