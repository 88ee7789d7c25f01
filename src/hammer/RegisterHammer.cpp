#include "hammer/RegisterHammer.h"

#include <memory>

#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "hammer/Frmmarteau.h"

namespace aub {

void registerHammerWindows(WindowCatalog& catalog) {
    // The trip hammer: the main window's "Marteau de forge" entry, modal.
    catalog.add(
        "Frmmarteau", [](Session& s) { return std::make_unique<Frmmarteau>(s); },
        [](Session& s) { s.show("Frmmarteau", true); });
    catalog.declareStudy({.caption = "Marteau de forge",
                          .window = "Frmmarteau",
                          .action = "Command1",
                          .inputs = Frmmarteau::studyInputs(),
                          .results = Frmmarteau::studyResults()});
}

}  // namespace aub
