#include "economy/RegisterEconomy.h"

#include <memory>

#include "economy/BilanEconomique.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

void registerEconomyWindows(WindowCatalog& catalog) {
    catalog.add(
        "BilanEconomique", [](Session& s) { return std::make_unique<BilanEconomique>(s); },
        [](Session& s) { s.show("BilanEconomique", true); });
    catalog.declareStudy({.caption = "Bilan économique",
                          .window = "BilanEconomique",
                          .action = "Calcul",
                          .inputs = BilanEconomique::studyInputs(),
                          .results = BilanEconomique::studyResults()});
}

}  // namespace aub
