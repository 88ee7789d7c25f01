#pragma once
// Printing a window as it is shown, on white paper.
#include <vector>

namespace aub {

class Form;
class Control;

// The window and the given controls turn white, the window is printed, and every colour
// comes back afterwards — also when printing fails, whose error then goes on to the caller.
void printOnWhite(Form& form, const std::vector<Control*>& alsoWhite = {});

}  // namespace aub
