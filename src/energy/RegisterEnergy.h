#pragma once
namespace aub {
class WindowCatalog;
// The annual-energy window, opened modally from "&Evaluations".
void registerEnergyWindows(WindowCatalog& catalog);
}  // namespace aub
