#include "app/Windows.h"

#include "app/Formhlp.h"
#include "app/Formmain.h"
#include "app/Frmdepart.h"
#include "charts/RegisterCharts.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "economy/RegisterEconomy.h"
#include "energy/RegisterEnergy.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "hammer/RegisterHammer.h"
#include "study/EtudeParametrique.h"
#include "turbines/RegisterTurbines.h"
#include "wheels/RegisterWheels.h"
#include "wheels/overshot/RegisterOvershot.h"
#include "wind/RegisterWind.h"

namespace aub {

void registerAllWindows(WindowCatalog& catalog) {
    catalog.add(
        "Frmdepart", [](Session& s) { return std::make_unique<Frmdepart>(s); },
        [](Session& s) { s.show("Frmdepart", false); });
    catalog.declareNoStudy("Frmdepart");
    catalog.add(
        "Formmain", [](Session& s) { return std::make_unique<Formmain>(s); },
        [](Session& s) { s.show("Formmain", false); });
    // Each formula page of the general page is a calculation, declared from its record.
    for (const FormulaPage& page : Formmain::formulaPages()) catalog.declareStudy(Formmain::studyDeclaration(page));
    // They share one action: the page shown is the one studied.
    catalog.declareShownCalculation("Formmain", [](Session& s) {
        const FormulaPage* p = s.loaded("Formmain") ? Formmain::formulaPage(s.shared().FormulaId) : nullptr;
        return p ? Formmain::studyDeclaration(*p).caption : std::string();
    });
    catalog.add("Formhlp", [](Session& s) { return std::make_unique<Formhlp>(s); });
    catalog.declareNoStudy("Formhlp");
    // The parametric study, not modal, on the calculation window active last.
    catalog.add(
        EtudeParametrique::WindowName, [](Session& s) { return std::make_unique<EtudeParametrique>(s); },
        [](Session& s) {
            const std::string last = s.lastCalculationWindow();
            // The general page shows one formula page at a time: the study opens on it.
            const std::string page = s.catalog().shownCalculation(last, s);
            s.show(EtudeParametrique::WindowName, false);
            if (auto* study = dynamic_cast<EtudeParametrique*>(s.loaded(EtudeParametrique::WindowName)))
                study->openOn(last, page);
        });
    catalog.declareNoStudy(EtudeParametrique::WindowName);
    registerOvershotWindows(catalog);
    registerWheelsWindows(catalog);
    registerTurbinesWindows(catalog);
    registerWindWindows(catalog);
    registerHammerWindows(catalog);
    registerChartWindows(catalog);
    registerEnergyWindows(catalog);
    registerEconomyWindows(catalog);
}

}  // namespace aub
