#pragma once
namespace aub {
class WindowCatalog;
// Adds the windows of this module to the catalogue of the program.
void registerOvershotWindows(WindowCatalog& catalog);
}  // namespace aub
