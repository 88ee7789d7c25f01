#include "wheels/overshot/RegisterOvershot.h"

#include "forms/WindowCatalog.h"

namespace aub {

void registerOvershotWindows(WindowCatalog& catalog) {
    (void)catalog;  // no window of this module yet
}

}  // namespace aub
