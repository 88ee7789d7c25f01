#include "wheels/RegisterWheels.h"

#include "forms/WindowCatalog.h"

namespace aub {

void registerWheelsWindows(WindowCatalog& catalog) {
    (void)catalog;  // no window of this module yet
}

}  // namespace aub
