#include "wind/RegisterWind.h"

#include <memory>

#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "wind/Frmeole01.h"
#include "wind/Frmpage78.h"

namespace aub {

void registerWindWindows(WindowCatalog& catalog) {
    // The simple wind turbine: the main window's "Eolienne simple" entry, modal.
    catalog.add("frméole01", [](Session& s) { return std::make_unique<Frmeole01>(s); },
                [](Session& s) { s.show("frméole01", true); });
    // The wind turbine by airfoil profile: the main window's "Eolienne" entry, modal.
    catalog.add("Frmpage78", [](Session& s) { return std::make_unique<Frmpage78>(s); },
                [](Session& s) { s.show("Frmpage78", true); });
}

}  // namespace aub
