#pragma once
// The dossier of the main window's "Impression" menu, and of the command line: the
// report of one or several calculation windows under the program's name and version.
#include <string>
#include <vector>

#include "forms/Report.h"

namespace aub {

class Session;
class Form;
class WindowCatalog;

// "Aubelys  version 13.7".
std::string programVersionText();

// The windows a command line reports: the window named first, then each other window
// its steps act on ("AUTRE:ETAPE"), in the order they first appear, each once.
std::vector<std::string> reportedWindows(const WindowCatalog& catalog, const std::string& window,
                                         const std::vector<std::string>& steps);

// A report of the loaded windows among `windows` (the others are left out).
Report makeReport(Session& session, const std::vector<std::string>& windows, std::string study);

// "Ajouter la fenêtre au dossier": the calculation window used last, as it is now.
void addWindowToDossier(Form& main);
// "Dossier PDF…": the windows added, else the calculation window used last, under a
// study name the person types, written through the platform.
void writeDossierPdf(Form& main);

}  // namespace aub
