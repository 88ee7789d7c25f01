#pragma once
// Printing a window as it is shown, on white paper.
#include <string>
#include <vector>

namespace aub {

class Form;
class Control;

// The window and the given controls turn white, the window is printed, and every colour
// comes back afterwards — also when printing fails, whose error then goes on to the caller.
void printOnWhite(Form& form, const std::vector<Control*>& alsoWhite = {});

// "Voulez vous imprimer la feuille telle qu'elle est à l'écran ?" — on Yes the window is
// printed on a white background, then its colour comes back (also when printing fails).
void printAfterQuestion(Form& form);

// The chart's two exports as entries of a menu of the window, beside its right-click
// menu: "Enregistrer l'image…" and "Exporter les données (CSV)…".
void addChartExportEntries(Form& form, const std::string& chartKey, const std::string& parentMenu);

}  // namespace aub
