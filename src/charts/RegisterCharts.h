#pragma once
// The chart windows: DomaineEmploi (fields of use of the machines) and Moody.
namespace aub {

class WindowCatalog;
void registerChartWindows(WindowCatalog& catalog);

}  // namespace aub
