#include "turbines/RegisterTurbines.h"

#include "forms/WindowCatalog.h"

namespace aub {

void registerTurbinesWindows(WindowCatalog& catalog) {
    (void)catalog;  // no window of this module yet
}

}  // namespace aub
