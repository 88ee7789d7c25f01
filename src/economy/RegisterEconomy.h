#pragma once
namespace aub {
class WindowCatalog;
void registerEconomyWindows(WindowCatalog& catalog);
}  // namespace aub
