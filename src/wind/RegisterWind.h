#pragma once
namespace aub {
class WindowCatalog;
// Adds the windows of this module to the catalogue of the program.
void registerWindWindows(WindowCatalog& catalog);
}  // namespace aub
