#include "wind/RegisterWind.h"

#include <memory>

#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "wind/Frmeole01.h"
#include "wind/Frmpage78.h"

namespace aub {

void registerWindWindows(WindowCatalog& catalog) {
    // The simple wind turbine: the main window's "Eolienne simple" entry, modal.
    catalog.add(
        "frméole01", [](Session& s) { return std::make_unique<Frmeole01>(s); },
        [](Session& s) { s.show("frméole01", true); });
    catalog.declareStudy({.caption = "Eolienne simple",
                          .window = "frméole01",
                          .action = "Calcul1",
                          .inputs = Frmeole01::studyInputs(),
                          .results = Frmeole01::studyResults()});
    // The wind turbine by airfoil profile: the main window's "Eolienne" entry, modal.
    catalog.add(
        "Frmpage78", [](Session& s) { return std::make_unique<Frmpage78>(s); },
        [](Session& s) { s.show("Frmpage78", true); });
    // Choosing a profile calculates; the study clicks the profile chosen, the first
    // one in a window where none is.
    catalog.declareStudy({.caption = "Eolienne à profils",
                          .window = "Frmpage78",
                          .setup = {"Combo1=" + Frmpage78::profiles().front()},
                          .action = "Combo1",
                          .inputs = Frmpage78::studyInputs(),
                          .results = Frmpage78::studyResults()});
}

}  // namespace aub
