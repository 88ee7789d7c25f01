// The quick formulas of the menus Options1, Options2 and Options3: each menu entry
// turns the general page into its formula's page, "CALCUL " runs its routine.
// Single precision throughout; g written as 9.81, 2g as 19.62, ρg of water as 9810,
// π as 3.141593 and 2π as 6.283186.
#include <cmath>
#include <initializer_list>
#include <string>

#include "app/FormulaPage.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Control.h"

namespace aub {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr int Yellow = 0xFFFF00;

// The pages that carry a notes box under a shortened explanation text.
void notesBelowHelp(PageContext& page) {
    page.control("Text1").heightTw = 5000;
    Control& notes = page.control("Text3");
    notes.topTw = 5100;
    notes.heightTw = 2500;
    notes.visible = true;
}

float radians(float degrees) { return degrees * Pi / 180; }

// ================================================================ Options1

// Flow under a sluice gate of width b, head H upstream, opening a.
// Contraction Cc = 0.6 − 0.2·a/H (valid for H/a ≥ 2), jet thickness e = a·Cc,
// Q = b·Cc·a·√(2g(H − a/2)) m³/s; jet velocity √(2g(H − e/2)) m/s.

void qVanne(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float b = page.boxTo(0, sv.SharedWidth);
    const float h = page.boxTo(1, sv.SharedHead, HeadUnit::Metres);
    const float a = page.num(2);
    const float r = cdiv(h, a);
    if (r < 2) {
        page.message("levée trop grande");
        return;
    }
    const float cc = 0.6f - cdiv(0.2f, r);
    const float e = checkedValue(a * cc);
    const float v = csqrt(TwoG * (h - e / 2));
    sv.SharedVelocity = v;
    const float q = checkedValue(b * cc * a * csqrt(TwoG * (h - a / 2)));
    sv.SharedJetFlow = q;
    sv.SharedFlowLs = checkedValue(q * 1000);
    page.showResult("Débit en m3/s", formatMask(q, "##0.###"));
    page.set(3, formatMask(cc, "##0.###"));
    page.set(4, formatMask(v, "##0.###"));
    page.set(7, formatMask(e, "##0.###"));

    // The jet leaving the gate as a rectangular channel of depth e.
    page.wettedArea() = checkedValue(b * e);
    page.wettedPerimeter() = checkedValue(2 * e + b);
    sv.SharedHydraulicRadius = cdiv(page.wettedArea(), page.wettedPerimeter());
    const float area = page.wettedArea();
    page.froude() = csqrt(cdiv(checkedValue(q * q * b), checkedValue(9.81f * area * area * area)));
    std::string regime = page.froude() < 1    ? " Régime subcritique"
                         : page.froude() == 1 ? " Régime critique"
                                              : " Régime Supercritique";
    Control& line = page.control("Label1");
    line.caption = "Froude = " + formatMask(page.froude(), "##0.###") + regime;
    line.visible = true;

    if (q < 0.1f) {
        page.showResult("Débit en litres/s", formatMask(checkedValue(q * 1000), "##0.###"));
    }
}

// Thrust of still water on a vertical wall of width b and water height H:
// F = ρg·b·H²/2, N.
void hydrostatiqueSetup(PageContext& page) {
    page.control("Labelresu").visible = false;
    // The page has no title of its own: the previous page's title must not stay over it.
    page.control("Label3").caption.clear();
}

void hydrostat(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float b = page.boxTo(0, sv.SharedWidth);
    const float h = page.boxTo(1, sv.SharedHead, HeadUnit::Metres);
    const float f = checkedValue(9810 * b * (h * h) / 2);
    page.set(2, formatGeneral(f, page.regionalSeparator()));
    // The information line has nothing to say here; it must not repeat another page's line.
    Control& line = page.control("Label1");
    line.caption.clear();
    line.visible = true;
}

// Force of a jet of velocity V and section S on a plate moving away at u:
// Q = S·V (S in cm²), F = ρ·Q·(V − u), N.

void fSurPlaque(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float v = page.boxTo(0, sv.SharedVelocity);
    const float s = page.boxTo(1, sv.SharedJetSection);
    const float q = checkedValue(s * v * 0.0001f);
    sv.SharedJetFlow = q;
    const float u = page.num(2);
    const float f = checkedValue((v - u) * 1000 * q);
    sv.SharedForce = f;
    page.showResult("Force exercée en Newtons", formatMask(f, "###.###"));
}

// Kinetic power of a jet of velocity V and diameter d (cm): S = π·d²/4 cm²,
// q = 1000·S·V·10⁻⁴ l/s, P = q·V²/2 W. This page leaves SharedJetFlow in l/s.
void puissanceJetSetup(PageContext& page) {
    // Plain regional text. The diameter box is not pre-filled: the jet pages keep a
    // section (cm²), which is no diameter.
    const float v = page.shared().SharedVelocity;
    if (v != 0) page.set(0, formatGeneral(v, page.regionalSeparator()));
}

void pourPlaque(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float v = page.boxTo(0, sv.SharedVelocity);
    const float d = page.num(1);
    const float s = checkedValue(d * d * Pi / 4);
    sv.SharedJetSection = s;
    const float q = checkedValue(s * v * 0.0001f);
    const float litres = checkedValue(1000 * q);
    sv.SharedJetFlow = litres;
    const float p = checkedValue(litres * (v * v) / 2);
    sv.SharedPower.set(p, PowerUnit::Watts);
    page.showResult("Puissance mécanique watts", formatMask(p, "##0.###"));
    page.set(2, formatMask(litres, "###.###"));
    page.control("zonetxt", 3).visible = true;
    page.set(3, formatMask(s, "###.###"));
}

// Gross power of a fall: P = 13.3333·H·Q CV (1 CV = 736 W), H in m, Q in m³/s.

void pDeChute(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float h = page.boxTo(0, sv.SharedHead, HeadUnit::Metres);
    const float q = page.boxTo(1, sv.SharedJetFlow);
    const float p = checkedValue(13.3333f * h * q);
    sv.SharedPowerCV = p;
    sv.SharedPowerW = checkedValue(p * 736);
    sv.SharedPowerKW = sv.SharedPowerW / 1000;
    page.showResult("Puissance en CV", formatMask(p, "##0.###"));
}

// Shaft diameter (mm) for a power P (CV) at N t/min: the larger of the torsion rule
// d1 = 120·(P/N)^0.333 and the stiffness rule d2 = 96·(P/N)^0.25.

void dDeArbre(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float p = page.boxTo(0, sv.SharedPower, PowerUnit::MetricHorsepower);
    const float n = page.boxTo(1, sv.SharedSpeed);
    const float ratio = cdiv(p, n);
    const float d1 = 120 * cpow(ratio, 0.333f);
    const float d2 = 96 * cpow(ratio, 0.25f);
    const float d = d1 >= d2 ? d1 : d2;
    page.control("zoneresu").setText(formatMask(d, "##0.###"));
    page.control("Labelresu").caption = "Diamètre recommandé (mm)";
}

// ================================================================ Options2

// Velocity of water falling from a head H: V = √(2gH), m/s.

void vHauteur(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float h = page.boxTo(0, sv.SharedHead, HeadUnit::Metres);
    const float v = csqrt(TwoG * h);
    sv.SharedVelocity = v;
    page.showResult("Vitesse de l'eau m/s", formatMask(v, "###.00"));
}

// Rotation speed of a wheel of diameter D (m) with a peripheral speed V (m/s):
// N = 60·V/(π·D), t/min.

void vtDiam(PageContext& page) {
    SharedValues& sv = page.shared();
    Control& unit = page.control("Labelresu");
    unit.visible = true;
    unit.caption = "Tours / minute";
    const float v = page.boxTo(1, sv.SharedVelocity);
    if (v == 0) {
        page.message("vitesse de l'eau inconnue");
        return;
    }
    const float d = page.boxTo(0, sv.SharedDiameter);
    const float n = cdiv(60 * v, Pi * d);
    sv.SharedSpeed = n;
    page.control("zoneresu").setText(formatMask(n, "##.000"));
}

// Specific speed ns = N·√P / H^1.25 (N t/min, P CV, H m).

void vSpecicik(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float n = page.boxTo(2, sv.SharedTurbineSpeed);
    const float p = page.boxTo(1, sv.SharedPower, PowerUnit::MetricHorsepower);
    const float h = page.boxTo(0, sv.SharedHead, HeadUnit::Metres);
    const float ns = cdiv(checkedValue(n * csqrt(p)), cpow(h, 1.25f));
    sv.SharedSpecificSpeed = ns;
    page.control("zoneresu").visible = true;
    page.showResult("Vitesse spécifique t/min", formatMask(ns, "##0.###"));
}

// Sharp-crested weir (Rehbock): C = 0.6035 + 0.0813·(h + 0.0011)/p, μ = 2C/3,
// Q = b·μ·√(2gh)·h m³/s; h the head over the crest, p the crest height above the
// upstream bed (both typed in cm), b the width (m).
void deversoirSetup(PageContext& page) {
    page.control("Label", 3).backColor = Yellow;  // the velocity in the nappe is a result
}

void minceParoi(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float h = page.num(0) / 100;
    sv.SharedHead.set(h, HeadUnit::Metres);
    const float p = page.num(1) / 100;
    const float b = page.boxTo(2, sv.SharedWidth);
    const float c = 0.6035f + cdiv(0.0813f * (h + 0.0011f), p);
    const float mu = c * 2 / 3;
    const float jet = csqrt(TwoG * h);
    const float q = checkedValue(b * mu * jet * h);
    sv.SharedFlow.set(q, FlowRateUnit::CubicMetresPerSecond);
    page.showResult("Débit en litres/sec ", formatMask(checkedValue(1000 * q), "##0.###"));
    page.control("Label1").caption = "Valeur du coefficient mu";
    page.zoom("mu = " + formatMask(mu, "##0.###"));
    page.set(3, formatMask(checkedValue(mu * jet), "##0.###"));
}

// Wheel of diameter D (m) turning with a peripheral speed v (m/s): N = 60·v/(π·D)
// t/min, ω = 2π·N/60 rad/s, and with a torque C (m·N) the power ω·C (W).

void dnvMod01(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float d = page.boxTo(0, sv.SharedDiameter);
    const float v = page.boxTo(1, sv.SharedPeripheralSpeed);
    const float c = page.boxTo(2, sv.SharedTorque);
    const float n = cdiv(60 * v, d * Pi);
    sv.SharedSpeed = n;
    const float omega = checkedValue(6.283186f * n / 60);
    sv.SharedOmega = omega;
    const float p = checkedValue(omega * c);
    sv.SharedPower.set(p, PowerUnit::Watts);
    page.showResult("Vitesse en T/min", formatMask(n, "###.00000"));
    std::string notes = "Vitesse angulaire en radians/s " + formatMask(omega, "##0.000") + CrLf;
    if (p != 0) notes += "Puissance en watts " + formatMask(p, "########0.000") + CrLf;
    page.notes(notes);
}

// Wheel of diameter D (m) at N t/min: peripheral speed π·D·N/60 m/s, angular speed
// 2π·N/60 rad/s, and with a power P (W) the torque P/ω (m·N).

void dnvMode2(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Labelresu").visible = true;
    const float d = page.boxTo(0, sv.SharedDiameter);
    const float n = page.boxTo(1, sv.SharedSpeed);
    const float v = checkedValue(Pi * d * n / 60);
    sv.SharedPeripheralSpeed = v;
    const float p = page.boxTo(3, sv.SharedPower, PowerUnit::Watts);
    page.showResult("Vitesse périphérique m/s", formatMask(v, "###.00000"));
    const float omega = checkedValue(6.283186f * n / 60);
    sv.SharedOmega = omega;
    page.set(2, formatMask(omega, "###.00000"));
    page.caption(2, "Vitesse angulaire (rad/s)");
    if (p != 0) {
        const float torque = cdiv(p, omega);
        sv.SharedTorque = torque;
        page.caption(4, "Couple mN");
        page.set(4, formatMask(torque, "###.00000"));
    } else {
        page.showBoxes({3, 4}, false);
    }
}

// ================================================================ Options3

// A wheel geometrically similar to a base wheel (scale λ) working under another head
// H2: D2 = λ·D, Q2 = λ²·Q·√(H2/H), N2 = N·√(H2/H)/λ, P2 = λ²·P·(H2/H)^1.5, with the
// base power P = η·g·H·Q (kW) and the specific speed ns = N·√(1.36·P)/H^1.25, the
// same for both wheels.

void similitude(PageContext& page) {
    SharedValues& sv = page.shared();
    const float scale = page.num(0);
    const float d = page.boxTo(1, sv.SharedDiameter);
    const float h = page.boxTo(2, sv.SharedHead, HeadUnit::Metres);
    const float q = page.boxTo(3, sv.SharedFlow, FlowRateUnit::CubicMetresPerSecond);
    const float n = page.boxTo(4, sv.SharedSpeed);
    const float eta = page.boxTo(5, sv.SharedEfficiency);
    const float h2 = page.num(6);

    const float p = checkedValue(eta * 9.81f * h * q);
    sv.SharedPower.set(p, PowerUnit::Kilowatts);
    const float ns = cdiv(checkedValue(n * csqrt(1.36f * p)), cpow(h, 1.25f));
    sv.SharedSpecificSpeed = ns;

    const float heads = cdiv(h2, h);
    const float d2 = checkedValue(scale * d);
    const float q2 = checkedValue(scale * scale * q * cpow(heads, 0.5f));
    const float n2 = cdiv(checkedValue(n * cpow(heads, 0.5f)), scale);
    const float p2 = checkedValue(scale * scale * p * cpow(heads, 1.5f));

    page.showResult("Puissance roue de base Kw", formatMask(p, "###.00000"));
    page.notes(std::string("Résultats pour Roue 2 ") + CrLf + "Diamétre  (m)  " + formatMask(d2, "##0.000") + CrLf +
               "Débit  (m3/s) " + formatMask(q2, "##0.00000") + CrLf + "Vitesse (T/min) " + formatMask(n2, "###.00") +
               CrLf + "Puissance (Kw) " + formatMask(p2, "##0.000") + CrLf + "Vitesse spécifique (T/min)  " +
               formatMask(ns, "##0.000"));
}

// Maximum flow of a pipe ending in a nozzle of diameter d when the whole fall H
// becomes velocity (pipe losses neglected): V = √(2gH), Q = V·π·d²/4 m³/s.
// The pipe's diameter and length are kept with the result in "Tempobuse" for the
// pressure-pipe window (a click on Label1 saves them).
void debitInjecteurSetup(PageContext& page) {
    page.line(std::string("Enregistrer temporaire") + CrLf + "vos données", false);
    page.readTempobuse();
}

void debitInjecteur(PageContext& page) {
    SharedValues& sv = page.shared();
    page.control("Label1").visible = true;
    const float h = page.boxTo(0, sv.SharedHead, HeadUnit::Metres);
    const float d = page.num(2) / 1000;
    sv.SharedDiameter = d;
    if (d == 0) {
        page.message("Diamètre injecteur manquant");
        return;
    }
    const float v = csqrt(TwoG * h);
    sv.SharedVelocity = v;
    const float q = checkedValue(v * Pi * (d * d) / 4);
    sv.SharedFlow.set(q, FlowRateUnit::CubicMetresPerSecond);
    page.showResult("Débit en m3/s", formatMask(q, "###.00000"));
}

// Pipe at full flow, Hazen-Williams: Q = 0.2785·C·D^2.63·(Hn/L)^0.54 m³/s (D in m,
// C from 100 to 140), corrected twice for the singular losses hs = K·V²/2g, the net
// head being Hn = H − hs.
void pleinDebitSetup(PageContext& page) {
    // Label1 is the page's save button: it says so from the start.
    page.line(std::string("Enregistrer temporaire") + CrLf + "vos données", true);
    page.readTemporary();
}

void conduitOuverte(PageContext& page) {
    SharedValues& sv = page.shared();
    const float d = page.num(0) / 1000;
    sv.SharedDiameter = d;
    const float section = checkedValue(Pi * (d * d) / 4);
    sv.SharedJetSection = section;
    const float h = page.boxTo(2, sv.SharedHead, HeadUnit::Metres);
    const float c = page.num(1);
    const float length = page.boxTo(4, sv.SharedWidth);
    const float k = page.num(3);

    float net = h, q = 0, v = 0, singular = 0;
    for (int pass = 0; pass < 2; ++pass) {
        q = checkedValue(0.2785f * c * cpow(d, 2.63f) * cpow(cdiv(net, length), 0.54f));
        sv.SharedFlow.set(q, FlowRateUnit::CubicMetresPerSecond);
        v = cdiv(q, section);
        sv.SharedVelocity = v;
        singular = checkedValue(k * (v * v) / TwoG);
        net = checkedValue(h - singular);
        sv.SharedHead.set(net, HeadUnit::Metres);
    }
    page.set(5, formatMask(checkedValue(1000 * q), "##0.###"));
    page.showResult("Vitesse de l'eau   m/s", formatMask(v, "##0.###"));
    page.set(6, formatMask(net, "##0.###"));
    page.set(7, formatMask(singular, "##0.###"));
    page.control("Label1").visible = true;
    page.showBoxes({5, 6, 7}, true);
}

// A cylindrical blade struck by a free jet at the outer circle and left at the inner
// circle, by Euler's velocity triangles (V absolute, U blade, W relative velocities):
// V1 = √(2gH); U1 = V1·sin(β1 − α1)/sin β1, W1 = V1·sin α1/sin β1; U2 = k·U1;
// W2² = W1² + U2² − U1² + 2g·Δz; V2² = U2² + W2² − 2·W2·U2·cos β2;
// efficiency 100·(V1² − V2²)/V1² %, Euler head (U1·V1·cos α1 − V2·U2·cos α2)/g − Δz m.
// Angles typed in degrees. The results and the failures are written in Text3.
void aubeCylindriqueSetup(PageContext& page) {
    page.control("Command2").visible = true;
    page.control("Labelresu").visible = false;
    page.control("zoneresu").visible = false;
    notesBelowHelp(page);
}

// A failure of the blade study says so in the notes box, under its message.
void aubeCylindriqueFailure(PageContext& page) {
    page.notes(std::string("Calcul incompatible") + CrLf + "Données à modifier");
}

void etudiAubpt(PageContext& page) {
    SharedValues& sv = page.shared();
    const float h = page.boxTo(0, sv.SharedHead, HeadUnit::Metres);
    const float v1 = csqrt(TwoG * h);
    const float beta1 = radians(page.num(1));
    const float beta2 = radians(page.num(2));
    const float alpha1 = radians(page.num(3));
    const float k = page.num(4);
    const float dz = page.num(5);

    const float u1 = cdiv(checkedValue(v1 * std::sin(beta1 - alpha1)), std::sin(beta1));
    const float w1 = cdiv(checkedValue(v1 * std::sin(alpha1)), std::sin(beta1));
    const float u2 = checkedValue(k * u1);
    const float w2Squared = checkedValue(w1 * w1 + u2 * u2 - u1 * u1 + 2 * 9.81f * dz);
    if (w2Squared < 0) {
        // The blade cannot pass the flow: the smallest usable diameter ratio.
        const float ratio = cdiv(std::sin(alpha1), std::sin(beta1 - alpha1));
        const float kMin = csqrt(checkedValue(1 - ratio * ratio));
        page.notes(std::string("Calcul IMPOSSIBLE") + CrLf + "Données à modifier" + CrLf +
                   "Augmenter angle incidence ou diminuer angle aube entrée" + CrLf +
                   "Valeur minimale de Dint /Dext pour vos données " + formatMask(kMin, "###0.###") + CrLf);
        return;
    }
    const float w2 = csqrt(w2Squared);
    const float v2 = csqrt(checkedValue(u2 * u2 + w2 * w2 - 2 * w2 * u2 * std::cos(beta2)));
    float sine = cdiv(checkedValue(w2 * std::sin(beta2)), v2);
    const float alpha2 = arcSin(sine);
    const float v1Squared = v1 * v1;
    const float efficiency = cdiv(checkedValue(100 * (v1Squared - v2 * v2)), v1Squared);
    const float euler = checkedValue((u1 * v1 * std::cos(alpha1) - v2 * u2 * std::cos(alpha2)) / 9.81f - dz);

    const std::string lines =
        "Vitesse V1 = " + formatMask(v1, "###0.###") + CrLf + "Vitesse U1 = " + formatMask(u1, "###0.###") + CrLf +
        "Vitesse W1 = " + formatMask(w1, "###0.###") + CrLf + "Vitesse V2 = " + formatMask(v2, "###0.###") + CrLf +
        "Vitesse U2 = " + formatMask(u2, "###0.###") + CrLf + "Vitesse W2 = " + formatMask(w2, "###0.###") + CrLf +
        "Rendement  % = " + formatMask(efficiency, "###0.###") + CrLf +
        "Euler métres = " + formatMask(euler, "###0.###") + CrLf + "Angle sortie eau " +
        formatMask(alpha2 * 180 / Pi, "###0.###");
    page.notes(lines);
    // The energy the water gives up must match the work on the blade.
    if (efficiency < 0 || checkedValue(h * efficiency / 100 - euler) > 0.01f)
        page.notes(std::string("Calcul incompatible") + CrLf + "Données à modifier");
}

}  // namespace

const std::vector<FormulaPage>& optionsPages() {
    using SV = SharedValues;
    static const std::vector<FormulaPage> pages = {
        // ---------------------------------------------------------------- Options1
        {.code = FormulaCode::SluiceGate,
         .menu = "Options1",
         .entry = "Vanne",
         .entryCaption = "&Vanne",
         .routineName = "Qvanne",
         .mask = "111110011111001",
         .captions = {{0, "Largeur du canal (m)"},
                      {1, "Charge de l'eau (m)"},
                      {2, "Levée de la vanne (m)"},
                      {3, "Coefficient contraction"},
                      {4, "Vitesse de l'eau m/s"},
                      {7, "Epaisseur du jet"}},
         .prefills = {{0, &SV::SharedWidth}, {1, &SV::SharedHead}},
         .title = "Vanne simple",
         .routine = qVanne,
         .results =
             {{"zoneresu", "Débit en m3/s"}, {"zonetxt(3)", nullptr}, {"zonetxt(4)", nullptr}, {"zonetxt(7)", nullptr}},
         // A 2 m wide gate under 2 m of head, raised 0.5 m: 3.223 m3/s.
         .example = {{0, "2"}, {1, "2"}, {2, "0.5"}}},
        {.code = FormulaCode::HydrostaticThrust,
         .menu = "Options1",
         .entry = "Hydrostatique",
         .entryCaption = "Pression hydrostatique",
         .routineName = "Hydrostat",
         .mask = "1110000011100000",
         .captions = {{0, "Largeur de paroi (m)"}, {1, "Charge de l'eau (m)"}, {2, "Force résultante (Newtons)"}},
         .setup = hydrostatiqueSetup,
         .routine = hydrostat,
         .results = {{"zonetxt(2)", nullptr}}},
        {.code = FormulaCode::JetImpact,
         .menu = "Options1",
         .entry = "Chocjet",
         .entryCaption = "&Choc d'un jet",
         .routineName = "Fsurplaque",
         .mask = "1110000011100000",
         .captions = {{0, "Vitesse de l'eau (m/s)"}, {1, "Section  du jet (cm2)"}, {2, "Vitesse de recul (m/s) "}},
         .prefills = {{0, &SV::SharedVelocity}, {1, &SV::SharedJetSection}},
         .title = "Force d'un jet sur une plaque",
         .routine = fSurPlaque,
         .results = {{"zoneresu", "Force exercée en Newtons"}}},
        {.code = FormulaCode::JetPower,
         .menu = "Options1",
         .entry = "Puissjet",
         .entryCaption = "&Puissance  d'un jet",
         .routineName = "Pourplaque",
         .mask = "1111000011110000",
         .captions = {{0, "Vitesse de l'eau (m/s)"},
                      {1, "Diamètre du jet (cm)"},
                      {2, "Débit du jet (l/s) "},
                      {3, "Section du jet (cm2) "}},
         .title = "Puissance totale du jet",
         .setup = puissanceJetSetup,
         .routine = pourPlaque,
         .results = {{"zoneresu", "Puissance mécanique watts"}, {"zonetxt(2)", nullptr}, {"zonetxt(3)", nullptr}}},
        {.code = FormulaCode::FallPower,
         .menu = "Options1",
         .entry = "Puisschute",
         .entryCaption = "Puissance d'une chute",
         .routineName = "Pdechute",
         .mask = "1100000011000000",
         .captions = {{0, "Hauteur de chute (m)"}, {1, "Débit (m3/s)"}},
         .prefills = {{0, &SV::SharedHead}, {1, &SV::SharedJetFlow}},
         .title = "Puissance d'une chute",
         .routine = pDeChute,
         .results = {{"zoneresu", "Puissance en CV"}}},
        {.code = FormulaCode::ShaftDiameter,
         .menu = "Options1",
         .entry = "Diamarbre",
         .entryCaption = "Diamètre d'un arbre",
         .routineName = "DdeArbre",
         .mask = "1100000011000000",
         .captions = {{0, "Puissance (CV)"}, {1, "Vitesse (T/min)"}},
         .prefills = {{0, &SV::SharedPowerCV}, {1, &SV::SharedSpeed}},
         .title = "Diamètre d'un arbre",
         .routine = dDeArbre,
         .results = {{"zoneresu", "Diamètre recommandé (mm)"}}},
        // ---------------------------------------------------------------- Options2
        {.code = FormulaCode::HeadVelocity,
         .menu = "Options2",
         .entry = "Hautchute",
         .entryCaption = "Hauteur chute",
         .routineName = "Vhauteur",
         .mask = "1000000010000000",
         .captions = {{0, "Hauteur de chute (m)"}},
         .prefills = {{0, &SV::SharedHead}},
         .title = "Vitesse hauteur",
         .routine = vHauteur,
         .results = {{"zoneresu", "Vitesse de l'eau m/s"}}},
        {.code = FormulaCode::DiameterSpeed,
         .menu = "Options2",
         .entry = "Vitdiam",
         .entryCaption = "Vitesse diamètre",
         .routineName = "Vtdiam",
         .mask = "1100000011000000",
         .captions = {{0, "Diamètre de la roue (m)"}, {1, "Vitesse périphérique (m/s)"}},
         .prefills = {{0, &SV::SharedDiameter}, {1, &SV::SharedVelocity}},
         .title = "Tours/minute",
         .routine = vtDiam,
         .results = {{"zoneresu", "Tours / minute"}}},
        {.code = FormulaCode::SpecificSpeed,
         .menu = "Options2",
         .entry = "Vitspec",
         .entryCaption = "&Vitesse spécifique",
         .routineName = "Vspécicik",
         .mask = "1110000011100000",
         .captions = {{0, "Hauteur de chute (m)"}, {1, "Puissance uitle en CV"}, {2, "Vitesse de rotation t/min"}},
         .prefills = {{0, &SV::SharedHead}, {1, &SV::SharedPowerCV}, {2, &SV::SharedSpeed}},
         .title = "Vitesse spécifique t/min",
         .routine = vSpecicik,
         .results = {{"zoneresu", "Vitesse spécifique t/min"}}},
        {.code = FormulaCode::Weir,
         .menu = "Options2",
         .entry = "Deversoir",
         .entryCaption = "&Déversoir",
         .routineName = "Minceparoi",
         .mask = "1111000011110000",
         .captions = {{0, "Hauteur de lame déversante (cm)"},
                      {1, "Profondeur de l'eau amont (cm)"},
                      {2, "Largeur du déversoir (m)"},
                      {3, "Vitesse de l'eau dans la lame m/s"}},
         .title = "Débit d'un déversoir en l/s",
         .setup = deversoirSetup,
         .routine = minceParoi,
         .results = {{"zoneresu", "Débit en litres/sec"}, {"zonetxt(3)", nullptr}}},
        {.code = FormulaCode::SpeedsMode1,
         .menu = "Options2",
         .entry = "Vitmode1",
         .entryCaption = "Vitesses mode 1",
         .routineName = "Dnvmod01",
         .mask = "1110000011100000",
         .captions = {{0, "Diamétre de la roue m"}, {1, "Vitesse périphérique m/s"}, {2, "Couple mN (facultatif) "}},
         .title = "Vitesses diverses ",
         .setup = notesBelowHelp,
         .routine = dnvMod01,
         .results = {{"zoneresu", "Vitesse en T/min"}, {"Text3", "Vitesse angulaire et puissance"}}},
        {.code = FormulaCode::SpeedsMode2,
         .menu = "Options2",
         .entry = "Vitmode2",
         .entryCaption = "Vitesses mode 2",
         .routineName = "Dnvmode2",
         .mask = "1111100011111000",
         .captions = {{0, "Diamètre de roue (m)"}, {1, "Tours/minute"}, {3, "Puissance (watts)"}},
         .title = "Relations D , N, Vpériph",
         .routine = dnvMode2,
         .results = {{"zoneresu", "Vitesse périphérique m/s"},
                     {"zonetxt(2)", "Vitesse angulaire (rad/s)"},
                     {"zonetxt(4)", "Couple mN"}}},
        // ---------------------------------------------------------------- Options3
        {.code = FormulaCode::Similarity,
         .menu = "Options3",
         .entry = "Similitude",
         .entryCaption = "Similitude",
         .routineName = "Similitude",
         .mask = "1111111011111110",
         .captions = {{0, "Rapport de similitude"},
                      {1, "Diamètre roue de base (m)"},
                      {2, "Hauteur de chute(m)"},
                      {3, "Débit (m3/s)"},
                      {4, "Vitesse (T/min)"},
                      {5, "Rendement"},
                      {6, "Hauteur de l'autre chute"}},
         .defaults = {"0.05", "5", "2", "1", "8", "0.81", "5"},
         .title = "Similitude de roues",
         .setup = notesBelowHelp,
         .routine = similitude,
         .results = {{"zoneresu", "Puissance roue de base Kw"}, {"Text3", "Résultats pour Roue 2"}}},
        {.code = FormulaCode::InjectorFlow,
         .menu = "Options3",
         .entry = "Debinjecteur",
         .entryCaption = "débit injecteur",
         .routineName = "Débitinjecteur",
         .mask = "1111000011110000",
         .captions = {{0, "Dénivellation totale (m)"},
                      {1, "Diamètre de la conduite (mm)"},
                      {2, "Diamètre de l'injecteur (mm)"},
                      {3, "Longueur de la conduite (m)"}},
         .title = "Débit maximum d'une Conduite avec sortie injecteur circulaire",
         .setup = debitInjecteurSetup,
         .routine = debitInjecteur,
         .showsLabel1First = true,
         .results = {{"zoneresu", "Débit en m3/s"}}},
        {.code = FormulaCode::FullFlowPipe,
         .menu = "Options3",
         .entry = "Pleindebit",
         .entryCaption = "Conduite  plein débit",
         .routineName = "Conduitouverte",
         .mask = "1111100011111000",
         .captions = {{0, "Diamètre int conduite (mm))"},
                      {1, "coefficient de perte 100 à  140"},
                      {2, "Charge de l'eau  (m)"},
                      {3, "Coefficient de pertes singulières"},
                      {4, "Longueur conduite  (m)"},
                      {5, "Débit (l/s)"},
                      {6, "Hauteur nette (m)"},
                      {7, "Perte propre conduite  (mm)"}},
         .title = "Débit d'une conduite \r\nvos données",
         .setup = pleinDebitSetup,
         .routine = conduitOuverte,
         .showsLabel1First = true,
         .results = {{"zoneresu", "Vitesse de l'eau   m/s"},
                     {"zonetxt(5)", nullptr},
                     {"zonetxt(6)", nullptr},
                     {"zonetxt(7)", nullptr}}},
        {.code = FormulaCode::CylindricalBlade,
         .menu = "Options3",
         .entry = "Aubecyl",
         .entryCaption = "Aube Cylindrique",
         .routineName = "etudiaubpt",
         .mask = "1111110011111100",
         .captions = {{0, "Chute (m) "},
                      {1, "Angle aube cercle ext.(deg.)"},
                      {2, "Angle aube cercle sortie (deg.)"},
                      {3, "Angle incidence entrée (deg.)"},
                      {4, "D_int/D_externe "},
                      {5, "Différence hauteur sortie entrée"}},
         .defaults = {"1", "62", "108", "25", "0.74"},
         .title = "Etude d'une aube en veine libre ",
         .setup = aubeCylindriqueSetup,
         .routine = etudiAubpt,
         .onFailure = aubeCylindriqueFailure,
         .results = {{"Text3", "Vitesses, rendement et angle de sortie"}}},
    };
    return pages;
}

}  // namespace aub
