#include "hammer/RegisterHammer.h"

#include "forms/WindowCatalog.h"

namespace aub {

void registerHammerWindows(WindowCatalog& catalog) {
    (void)catalog;  // no window of this module yet
}

}  // namespace aub
