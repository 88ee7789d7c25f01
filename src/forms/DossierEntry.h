#pragma once
// The dossier holds reports, not windows: each calculation window has its own entry
// "Ajouter au dossier", and the report of the calculation window used last is kept
// when that window closes, so that the main window's entry can still add it.
#include <vector>

#include "forms/Report.h"

namespace aub {

class Form;
class Session;

inline constexpr const char* DossierEntryCaption = "Ajouter au dossier";
inline constexpr const char* NoWindowText =
    "Aucune fenêtre de calcul n'est ouverte : ouvrez-en une et faites le calcul.";

// Gives a calculation window its entry: in its printing menu, else its file menu, else
// a menu "Dossier" of its own. A window that already has the entry keeps it.
void addDossierEntry(Form& window);

// The window's report and, after it, those of the windows it showed that are still
// loaded and calculate nothing of their own (its drawings, graphs and complementary data).
std::vector<WindowReport> reportsWithCompanions(Session& session, Form& window);

// The reports of the calculation window the person used last: taken from the window
// when it is loaded, else as it was when it closed; empty when there is none.
std::vector<WindowReport> lastWindowReports(Session& session);

// Adds the reports to the dossier and tells the person, through `speaker`'s dialogs,
// what the dossier now holds ("Dossier : 2 fenêtres — Roue au dessus, Conduite en charge").
// No reports: NoWindowText is said instead.
void addReportsToDossier(Form& speaker, std::vector<WindowReport> reports);

}  // namespace aub
