#pragma once
// Services shared by the turbine and pipe windows.
#include <string>

namespace aub {

class Control;
class Form;
class Session;

// Shows record `record` of the help-text file in the local help window (Formhlp), modal.
void showLocalHelp(Session& session, int record);

// Hides the main window's help box `Text1` (a design window closing does it).
void hideMainHelpBox(Session& session);

// Sets a slider as a program assignment does: the value is rounded half to even;
// beyond the 16-bit range -> CalcError(6), outside the slider's range -> CalcError(380).
// The slider's Change runs when the value changes.
void setSliderChecked(Control& slider, double value);

// "Voulez vous imprimer la feuille telle qu'elle est à l'écran ?" — on Yes the window is
// printed on a white background, then its colour comes back (also when printing fails).
void printAfterQuestion(Form& form);

}  // namespace aub
