#include "charts/RegisterCharts.h"

#include <memory>

#include "charts/DomaineEmploi.h"
#include "charts/Moody.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

void registerChartWindows(WindowCatalog& catalog) {
    // Both are consultations beside the design windows: not modal.
    catalog.add(
        "DomaineEmploi", [](Session& s) { return std::make_unique<DomaineEmploi>(s); },
        [](Session& s) { s.show("DomaineEmploi", false); });
    catalog.add(
        "Moody", [](Session& s) { return std::make_unique<Moody>(s); }, [](Session& s) { s.show("Moody", false); });
    // Charts to read, nothing to calculate.
    catalog.declareNoStudy("DomaineEmploi");
    catalog.declareNoStudy("Moody");
}

}  // namespace aub
