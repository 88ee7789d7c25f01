#pragma once
// What the pipe windows (one pipe, two basins) share: the walls, the friction loss, the
// boxes and their failure.
#include <span>
#include <string>
#include <vector>

#include "forms/StudyDeclaration.h"

namespace aub {

class CalcError;
class Control;
class Dialogs;
class Form;
class Messenger;
struct FailurePolicy;

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

// A pipe calculation that failed on its inputs: the result boxes of `form` are emptied,
// then " un champ de saisie a une valeur incorrecte ou nulle" and the failure's own
// description are shown.
FailurePolicy inputFailure(Form& form);

// A box of the pipe windows: Valbox(index) with its caption beside it and the value the
// window opens with.
struct PipeBox {
    int index;
    const char* caption;
    const char* text;
};

// The pipe windows' frame "Frame1": the wall list "Combo1" (its caption the label
// `wallLabel`) over the data boxes, one a row. Returns the first free row.
int addPipeData(Form& form, const char* wallLabel, std::span<const PipeBox> data);
// Their frame "Frame2": the result boxes, one a row.
void addPipeResults(Form& form, std::span<const PipeBox> results);

// The result boxes as a study follows them.
std::vector<StudyBox> pipeStudyResults(std::span<const PipeBox> results);

}  // namespace aub
