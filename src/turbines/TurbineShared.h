#pragma once
// Services shared by the turbine and pipe windows.
#include <string>

namespace aub {

class CalcError;
class Control;
class Dialogs;
class Form;
class Messenger;
class Session;
struct FailurePolicy;

// Sets a slider as a program assignment does: the value is rounded half to even;
// beyond the 16-bit range -> CalcError(6), outside the slider's range -> CalcError(380).
// The slider's Change runs when the value changes.
void setSliderChecked(Control& slider, double value);

// printAfterQuestion (the question before printing a window) is in forms/Printing.h.

// The wall materials of the pipe windows' list "Paroi", in list order (an empty entry first).
extern const char* const PipeWalls[9];

// Friction loss of a full circular pipe by Darcy–Weisbach, in mm per m of pipe:
//   Re = V·D / 0.001005 (water, 1.005e-6 m²/s; D in mm, V in m/s),
//   f = colebrookFriction(relativeRoughness, Re), J = f·V²·1000 / (D·19.62/1000).
float colebrookGradient(double relativeRoughness, float v, float d, Messenger& messenger);
// The same, also giving the Reynolds number and the friction factor it used.
float colebrookGradient(double relativeRoughness, float v, float d, Messenger& messenger, double& re, double& f);

// What a friction loss J (mm/m) over a length L (m) adds up to with the singular losses:
// velocity head hv = V²/19.62 (m), K = Σξ·hv (m), total = J·L + 1000·K (mm).
struct PipeLosses {
    float hv = 0, singular = 0, total = 0;
};
PipeLosses pipeLosses(float j, float v, float l, float sigma);

// Opens the machine selection chart with the site point taken from the window `from`
// (its head and flow boxes); modal when the caller is modal itself.
void openMachineChart(Session& session, const std::string& from, bool modal);

// A pipe calculation that failed on its inputs: the result boxes of `form` are emptied,
// then " un champ de saisie a une valeur incorrecte ou nulle" and the failure's own
// description are shown.
FailurePolicy inputFailure(Form& form);

}  // namespace aub
