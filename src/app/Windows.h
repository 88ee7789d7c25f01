#pragma once
namespace aub {
class WindowCatalog;
// Every window of the program, with the way its menu entry opens it.
void registerAllWindows(WindowCatalog& catalog);
}  // namespace aub
