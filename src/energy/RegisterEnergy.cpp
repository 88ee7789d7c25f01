#include "energy/RegisterEnergy.h"

#include <memory>

#include "core/SharedValues.h"
#include "energy/Productible.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

void registerEnergyWindows(WindowCatalog& catalog) {
    catalog.add(
        "Productible", [](Session& s) { return std::make_unique<Productible>(s); },
        [](Session& s) {
            s.shared().FormulaId = FormulaCode::AnnualEnergy;
            s.show("Productible", true);
        });
    catalog.declareStudy({.caption = "Productible annuel",
                          .window = "Productible",
                          .action = "Calcul",
                          .inputs = Productible::studyInputs(),
                          .results = Productible::studyResults(),
                          // The curve and the imported record are no boxes a study sweeps.
                          .captureState = [](const Form& window) -> StudyState {
                              const auto* p = dynamic_cast<const Productible*>(&window);
                              if (!p) return {};
                              return [study = p->study()](Form& copy) {
                                  if (auto* q = dynamic_cast<Productible*>(&copy)) q->applyStudy(study);
                              };
                          }});
}

}  // namespace aub
