#include "wind/RegisterWind.h"

#include "forms/WindowCatalog.h"

namespace aub {

void registerWindWindows(WindowCatalog& catalog) {
    (void)catalog;  // no window of this module yet
}

}  // namespace aub
