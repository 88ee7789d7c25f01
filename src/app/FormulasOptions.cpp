// The quick formulas of the menus Options1, Options2 and Options3: each menu entry
// turns the general page into its formula's page, "CALCUL " runs its routine.
// Single precision throughout; g written as 9.81, 2g as 19.62, ρg of water as 9810,
// π as 3.141593 and 2π as 6.283186.
#include <cmath>
#include <initializer_list>
#include <string>

#include "app/Formmain.h"
#include "core/Checked.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"

namespace aub {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr int Yellow = 0xFFFF00;

// The pages that carry a notes box under a shortened explanation text.
void notesBelowHelp(Form& page) {
    page.ctl("Text1").heightTw = 5000;
    Control& notes = page.ctl("Text3");
    notes.topTw = 5100;
    notes.heightTw = 2500;
    notes.visible = true;
}

float radians(float degrees) { return degrees * 3.141593f / 180; }

// Box i of the page, also written to the program-wide value `into`.
float boxTo(Formmain& page, int i, float& into) { return into = page.num("zonetxt", i); }

// Captions of Label(0), Label(1) ... in that order.
void captions(Formmain& page, std::initializer_list<const char*> texts) {
    int i = 0;
    for (const char* text : texts) page.caption(i++, text);
}

// Default texts of zonetxt(0), zonetxt(1) ... in that order.
void defaults(Formmain& page, std::initializer_list<const char*> texts) {
    int i = 0;
    for (const char* text : texts) page.set("zonetxt", i++, text);
}

// Shows or hides the boxes and their captions.
void showBoxes(Formmain& page, std::initializer_list<int> boxes, bool visible) {
    for (int i : boxes) {
        page.ctl("Label", i).visible = visible;
        page.ctl("zonetxt", i).visible = visible;
    }
}

}  // namespace

// ================================================================ Options1

// Flow under a sluice gate of width b, head H upstream, opening a.
// Contraction Cc = 0.6 − 0.2·a/H (valid for H/a ≥ 2), jet thickness e = a·Cc,
// Q = b·Cc·a·√(2g(H − a/2)) m³/s; jet velocity √(2g(H − e/2)) m/s.
void Formmain::pageVanne() {
    beginPage(3, "111110011111001");
    captions(*this, {"Largeur du canal (m)", "Charge de l'eau (m)", "Levée de la vanne (m)",
                     "Coefficient contraction", "Vitesse de l'eau m/s"});
    caption(7, "Epaisseur du jet");
    prefill(0, shared().SharedWidth);
    prefill(1, shared().SharedHead);
    title("Vanne simple");
}

void Formmain::qVanne() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float b = boxTo(*this, 0, sv.SharedWidth);
    const float h = boxTo(*this, 1, sv.SharedHead);
    const float a = num("zonetxt", 2);
    const float r = cdiv(h, a);
    if (r < 2) {
        dialogs().message("levée trop grande");
        return;
    }
    const float cc = 0.6f - cdiv(0.2f, r);
    const float e = checkedValue(a * cc);
    const float v = csqrt(19.62f * (h - e / 2));
    sv.SharedVelocity = v;
    const float q = checkedValue(b * cc * a * csqrt(19.62f * (h - a / 2)));
    sv.SharedJetFlow = q;
    sv.SharedFlowLs = checkedValue(q * 1000);
    showResult("Débit en m3/s", formatMask(q, "##0.###"));
    set("zonetxt", 3, formatMask(cc, "##0.###"));
    set("zonetxt", 4, formatMask(v, "##0.###"));
    set("zonetxt", 7, formatMask(e, "##0.###"));

    // The jet leaving the gate as a rectangular channel of depth e.
    wettedArea = checkedValue(b * e);
    wettedPerimeter = checkedValue(2 * e + b);
    sv.SharedHydraulicRadius = cdiv(wettedArea, wettedPerimeter);
    const float area = wettedArea;
    froude = csqrt(cdiv(checkedValue(q * q * b), checkedValue(9.81f * area * area * area)));
    std::string regime = froude < 1 ? " Régime subcritique" : froude == 1 ? " Régime critique" : " Régime Supercritique";
    Control& line = ctl("Label1");
    line.caption = "Froude = " + formatMask(froude, "##0.###") + regime;
    line.visible = true;

    if (q < 0.1f) {
        showResult("Débit en litres/s", formatMask(checkedValue(q * 1000), "##0.###"));
    }
}

// Thrust of still water on a vertical wall of width b and water height H:
// F = ρg·b·H²/2, N.
void Formmain::pageHydrostatique() {
    beginPage(30, "1110000011100000");
    captions(*this, {"Largeur de paroi (m)", "Charge de l'eau (m)", "Force résultante (Newtons)"});
    ctl("Command1").visible = true;
    ctl("Labelresu").visible = false;
    // The page has no title of its own: the previous page's title must not stay over it.
    ctl("Label3").caption.clear();
}

void Formmain::hydrostat() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float b = boxTo(*this, 0, sv.SharedWidth);
    const float h = boxTo(*this, 1, sv.SharedHead);
    const float f = checkedValue(9810 * b * (h * h) / 2);
    set("zonetxt", 2, formatGeneral(f, regionalSeparator()));
    // The information line has nothing to say here; it must not repeat another page's line.
    Control& line = ctl("Label1");
    line.caption.clear();
    line.visible = true;
}

// Force of a jet of velocity V and section S on a plate moving away at u:
// Q = S·V (S in cm²), F = ρ·Q·(V − u), N.
void Formmain::pageChocJet() {
    beginPage(4, "1110000011100000");
    captions(*this, {"Vitesse de l'eau (m/s)", "Section  du jet (cm2)", "Vitesse de recul (m/s) "});
    prefill(0, shared().SharedVelocity);
    prefill(1, shared().SharedJetSection);
    title("Force d'un jet sur une plaque");
}

void Formmain::fSurPlaque() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float v = boxTo(*this, 0, sv.SharedVelocity);
    const float s = boxTo(*this, 1, sv.SharedJetSection);
    const float q = checkedValue(s * v * 0.0001f);
    sv.SharedJetFlow = q;
    const float u = num("zonetxt", 2);
    const float f = checkedValue((v - u) * 1000 * q);
    sv.SharedForce = f;
    showResult("Force exercée en Newtons", formatMask(f, "###.###"));
}

// Kinetic power of a jet of velocity V and diameter d (cm): S = π·d²/4 cm²,
// q = 1000·S·V·10⁻⁴ l/s, P = q·V²/2 W. This page leaves SharedJetFlow in l/s.
void Formmain::pagePuissanceJet() {
    beginPage(5, "1111000011110000");
    captions(*this, {"Vitesse de l'eau (m/s)", "Diamètre du jet (cm)", "Débit du jet (l/s) ",
                     "Section du jet (cm2) "});
    // Plain regional text. The diameter box is not pre-filled: the jet pages keep a
    // section (cm²), which is no diameter.
    if (shared().SharedVelocity != 0) set("zonetxt", 0, formatGeneral(shared().SharedVelocity, regionalSeparator()));
    title("Puissance totale du jet");
}

void Formmain::pourPlaque() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float v = boxTo(*this, 0, sv.SharedVelocity);
    const float d = num("zonetxt", 1);
    const float s = checkedValue(d * d * 3.141593f / 4);
    sv.SharedJetSection = s;
    const float q = checkedValue(s * v * 0.0001f);
    const float litres = checkedValue(1000 * q);
    sv.SharedJetFlow = litres;
    const float p = checkedValue(litres * (v * v) / 2);
    sv.SharedPower = p;
    showResult("Puissance mécanique watts", formatMask(p, "##0.###"));
    set("zonetxt", 2, formatMask(litres, "###.###"));
    ctl("zonetxt", 3).visible = true;
    set("zonetxt", 3, formatMask(s, "###.###"));
}

// Gross power of a fall: P = 13.3333·H·Q CV (1 CV = 736 W), H in m, Q in m³/s.
void Formmain::pagePuissanceChute() {
    beginPage(6, "1100000011000000");
    captions(*this, {"Hauteur de chute (m)", "Débit (m3/s)"});
    prefill(0, shared().SharedHead);
    prefill(1, shared().SharedJetFlow);
    title("Puissance d'une chute");
}

void Formmain::pDeChute() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float h = boxTo(*this, 0, sv.SharedHead);
    const float q = boxTo(*this, 1, sv.SharedJetFlow);
    const float p = checkedValue(13.3333f * h * q);
    sv.SharedPowerCV = p;
    sv.SharedPowerW = checkedValue(p * 736);
    sv.SharedPowerKW = sv.SharedPowerW / 1000;
    showResult("Puissance en CV", formatMask(p, "##0.###"));
}

// Shaft diameter (mm) for a power P (CV) at N t/min: the larger of the torsion rule
// d1 = 120·(P/N)^0.333 and the stiffness rule d2 = 96·(P/N)^0.25.
void Formmain::pageDiametreArbre() {
    beginPage(23, "1100000011000000");
    captions(*this, {"Puissance (CV)", "Vitesse (T/min)"});
    prefill(0, shared().SharedPowerCV);
    prefill(1, shared().SharedSpeed);
    title("Diamètre d'un arbre");
}

void Formmain::dDeArbre() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float p = boxTo(*this, 0, sv.SharedPower);
    const float n = boxTo(*this, 1, sv.SharedSpeed);
    const float ratio = cdiv(p, n);
    const float d1 = 120 * cpow(ratio, 0.333f);
    const float d2 = 96 * cpow(ratio, 0.25f);
    const float d = d1 >= d2 ? d1 : d2;
    set("zoneresu", -1, formatMask(d, "##0.###"));
    ctl("Labelresu").caption = "Diamètre recommandé (mm)";
}

// ================================================================ Options2

// Velocity of water falling from a head H: V = √(2gH), m/s.
void Formmain::pageHauteurChute() {
    beginPage(1, "1000000010000000");
    caption(0, "Hauteur de chute (m)");
    prefill(0, shared().SharedHead);
    title("Vitesse hauteur");
}

void Formmain::vHauteur() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float h = boxTo(*this, 0, sv.SharedHead);
    const float v = csqrt(19.62f * h);
    sv.SharedVelocity = v;
    showResult("Vitesse de l'eau m/s", formatMask(v, "###.00"));
}

// Rotation speed of a wheel of diameter D (m) with a peripheral speed V (m/s):
// N = 60·V/(π·D), t/min.
void Formmain::pageVitesseDiametre() {
    beginPage(2, "1100000011000000");
    captions(*this, {"Diamètre de la roue (m)", "Vitesse périphérique (m/s)"});
    prefill(0, shared().SharedDiameter);
    prefill(1, shared().SharedVelocity);
    title("Tours/minute");
}

void Formmain::vtDiam() {
    SharedValues& sv = shared();
    Control& unit = ctl("Labelresu");
    unit.visible = true;
    unit.caption = "Tours / minute";
    const float v = boxTo(*this, 1, sv.SharedVelocity);
    if (v == 0) {
        dialogs().message("vitesse de l'eau inconnue");
        return;
    }
    const float d = boxTo(*this, 0, sv.SharedDiameter);
    const float n = cdiv(60 * v, 3.141593f * d);
    sv.SharedSpeed = n;
    set("zoneresu", -1, formatMask(n, "##.000"));
}

// Specific speed ns = N·√P / H^1.25 (N t/min, P CV, H m).
void Formmain::pageVitesseSpecifique() {
    beginPage(8, "1110000011100000");
    captions(*this, {"Hauteur de chute (m)", "Puissance uitle en CV", "Vitesse de rotation t/min"});
    title("Vitesse spécifique t/min");
    prefill(0, shared().SharedHead);
    prefill(1, shared().SharedPowerCV);
    prefill(2, shared().SharedSpeed);
}

void Formmain::vSpecicik() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float n = boxTo(*this, 2, sv.SharedTurbineSpeed);
    const float p = boxTo(*this, 1, sv.SharedPower);
    const float h = boxTo(*this, 0, sv.SharedHead);
    const float ns = cdiv(checkedValue(n * csqrt(p)), cpow(h, 1.25f));
    sv.SharedSpecificSpeed = ns;
    ctl("zoneresu").visible = true;
    showResult("Vitesse spécifique t/min", formatMask(ns, "##0.###"));
}

// Sharp-crested weir (Rehbock): C = 0.6035 + 0.0813·(h + 0.0011)/p, μ = 2C/3,
// Q = b·μ·√(2gh)·h m³/s; h the head over the crest, p the crest height above the
// upstream bed (both typed in cm), b the width (m).
void Formmain::pageDeversoir() {
    beginPage(7, "1111000011110000");
    ctl("Label", 3).backColor = Yellow;  // the velocity in the nappe is a result
    captions(*this, {"Hauteur de lame déversante (cm)", "Profondeur de l'eau amont (cm)", "Largeur du déversoir (m)",
                     "Vitesse de l'eau dans la lame m/s"});
    title("Débit d'un déversoir en l/s");
}

void Formmain::minceParoi() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float h = num("zonetxt", 0) / 100;
    sv.SharedHead = h;
    const float p = num("zonetxt", 1) / 100;
    const float b = boxTo(*this, 2, sv.SharedWidth);
    const float c = 0.6035f + cdiv(0.0813f * (h + 0.0011f), p);
    const float mu = c * 2 / 3;
    const float jet = csqrt(19.62f * h);
    const float q = checkedValue(b * mu * jet * h);
    sv.SharedFlow = q;
    showResult("Débit en litres/sec ", formatMask(checkedValue(1000 * q), "##0.###"));
    ctl("Label1").caption = "Valeur du coefficient mu";
    set("Text2", -1, "mu = " + formatMask(mu, "##0.###"));
    set("zonetxt", 3, formatMask(checkedValue(mu * jet), "##0.###"));
}

// Wheel of diameter D (m) turning with a peripheral speed v (m/s): N = 60·v/(π·D)
// t/min, ω = 2π·N/60 rad/s, and with a torque C (m·N) the power ω·C (W).
void Formmain::pageVitessesMode1() {
    beginPage(17, "1110000011100000");
    captions(*this, {"Diamétre de la roue m", "Vitesse périphérique m/s", "Couple mN (facultatif) "});
    title("Vitesses diverses ");
    notesBelowHelp(*this);
}

void Formmain::dnvMod01() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float d = boxTo(*this, 0, sv.SharedDiameter);
    const float v = boxTo(*this, 1, sv.SharedPeripheralSpeed);
    const float c = boxTo(*this, 2, sv.SharedTorque);
    const float n = cdiv(60 * v, d * 3.141593f);
    sv.SharedSpeed = n;
    const float omega = checkedValue(6.283186f * n / 60);
    sv.SharedOmega = omega;
    const float p = checkedValue(omega * c);
    sv.SharedPower = p;
    showResult("Vitesse en T/min", formatMask(n, "###.00000"));
    std::string notes = "Vitesse angulaire en radians/s " + formatMask(omega, "##0.000") + CrLf;
    if (p != 0) notes += "Puissance en watts " + formatMask(p, "########0.000") + CrLf;
    set("Text3", -1, notes);
}

// Wheel of diameter D (m) at N t/min: peripheral speed π·D·N/60 m/s, angular speed
// 2π·N/60 rad/s, and with a power P (W) the torque P/ω (m·N).
void Formmain::pageVitessesMode2() {
    beginPage(13, "1111100011111000");
    captions(*this, {"Diamètre de roue (m)", "Tours/minute"});
    caption(3, "Puissance (watts)");
    title("Relations D , N, Vpériph");
}

void Formmain::dnvMode2() {
    SharedValues& sv = shared();
    ctl("Labelresu").visible = true;
    const float d = boxTo(*this, 0, sv.SharedDiameter);
    const float n = boxTo(*this, 1, sv.SharedSpeed);
    const float v = checkedValue(3.141593f * d * n / 60);
    sv.SharedPeripheralSpeed = v;
    const float p = boxTo(*this, 3, sv.SharedPower);
    showResult("Vitesse périphérique m/s", formatMask(v, "###.00000"));
    const float omega = checkedValue(6.283186f * n / 60);
    sv.SharedOmega = omega;
    set("zonetxt", 2, formatMask(omega, "###.00000"));
    caption(2, "Vitesse angulaire (rad/s)");
    if (p != 0) {
        const float torque = cdiv(p, omega);
        sv.SharedTorque = torque;
        caption(4, "Couple mN");
        set("zonetxt", 4, formatMask(torque, "###.00000"));
    } else {
        showBoxes(*this, {3, 4}, false);
    }
}

// ================================================================ Options3

// A wheel geometrically similar to a base wheel (scale λ) working under another head
// H2: D2 = λ·D, Q2 = λ²·Q·√(H2/H), N2 = N·√(H2/H)/λ, P2 = λ²·P·(H2/H)^1.5, with the
// base power P = η·g·H·Q (kW) and the specific speed ns = N·√(1.36·P)/H^1.25, the
// same for both wheels.
void Formmain::pageSimilitude() {
    beginPage(14, "1111111011111110");
    captions(*this, {"Rapport de similitude", "Diamètre roue de base (m)", "Hauteur de chute(m)", "Débit (m3/s)",
                     "Vitesse (T/min)", "Rendement", "Hauteur de l'autre chute"});
    defaults(*this, {"0.05", "5", "2", "1", "8", "0.81", "5"});
    title("Similitude de roues");
    notesBelowHelp(*this);
}

void Formmain::similitude() {
    SharedValues& sv = shared();
    const float scale = num("zonetxt", 0);
    const float d = boxTo(*this, 1, sv.SharedDiameter);
    const float h = boxTo(*this, 2, sv.SharedHead);
    const float q = boxTo(*this, 3, sv.SharedFlow);
    const float n = boxTo(*this, 4, sv.SharedSpeed);
    const float eta = boxTo(*this, 5, sv.SharedEfficiency);
    const float h2 = num("zonetxt", 6);

    const float p = checkedValue(eta * 9.81f * h * q);
    sv.SharedPower = p;
    const float ns = cdiv(checkedValue(n * csqrt(1.36f * p)), cpow(h, 1.25f));
    sv.SharedSpecificSpeed = ns;

    const float heads = cdiv(h2, h);
    const float d2 = checkedValue(scale * d);
    const float q2 = checkedValue(scale * scale * q * cpow(heads, 0.5f));
    const float n2 = cdiv(checkedValue(n * cpow(heads, 0.5f)), scale);
    const float p2 = checkedValue(scale * scale * p * cpow(heads, 1.5f));

    showResult("Puissance roue de base Kw", formatMask(p, "###.00000"));
    set("Text3", -1,
        std::string("Résultats pour Roue 2 ") + CrLf + "Diamétre  (m)  " + formatMask(d2, "##0.000") + CrLf +
            "Débit  (m3/s) " + formatMask(q2, "##0.00000") + CrLf + "Vitesse (T/min) " + formatMask(n2, "###.00") +
            CrLf + "Puissance (Kw) " + formatMask(p2, "##0.000") + CrLf + "Vitesse spécifique (T/min)  " +
            formatMask(ns, "##0.000"));
}

// Maximum flow of a pipe ending in a nozzle of diameter d when the whole fall H
// becomes velocity (pipe losses neglected): V = √(2gH), Q = V·π·d²/4 m³/s.
// The pipe's diameter and length are kept with the result in "Tempobuse" for the
// pressure-pipe window (a click on Label1 saves them).
void Formmain::pageDebitInjecteur() {
    beginPage(12, "1111000011110000");
    Control& line = ctl("Label1");
    line.visible = false;
    captions(*this, {"Dénivellation totale (m)", "Diamètre de la conduite (mm)", "Diamètre de l'injecteur (mm)",
                     "Longueur de la conduite (m)"});
    line.caption = std::string("Enregistrer temporaire") + CrLf + "vos données";
    title("Débit maximum d'une Conduite avec sortie injecteur circulaire");
    readTempobuse();
}

void Formmain::debitInjecteur() {
    SharedValues& sv = shared();
    ctl("Label1").visible = true;
    const float h = boxTo(*this, 0, sv.SharedHead);
    const float d = num("zonetxt", 2) / 1000;
    sv.SharedDiameter = d;
    if (d == 0) {
        dialogs().message("Diamètre injecteur manquant");
        return;
    }
    const float v = csqrt(19.62f * h);
    sv.SharedVelocity = v;
    const float q = checkedValue(v * 3.141593f * (d * d) / 4);
    sv.SharedFlow = q;
    showResult("Débit en m3/s", formatMask(q, "###.00000"));
}

// Pipe at full flow, Hazen-Williams: Q = 0.2785·C·D^2.63·(Hn/L)^0.54 m³/s (D in m,
// C from 100 to 140), corrected twice for the singular losses hs = K·V²/2g, the net
// head being Hn = H − hs.
void Formmain::pagePleinDebit() {
    beginPage(26, "1111100011111000");
    // Label1 is the page's save button: it says so from the start.
    Control& line = ctl("Label1");
    line.visible = true;
    line.caption = std::string("Enregistrer temporaire") + CrLf + "vos données";
    captions(*this, {"Diamètre int conduite (mm))", "coefficient de perte 100 à  140", "Charge de l'eau  (m)",
                     "Coefficient de pertes singulières", "Longueur conduite  (m)", "Débit (l/s)",
                     "Hauteur nette (m)", "Perte propre conduite  (mm)"});
    title(std::string("Débit d'une conduite ") + CrLf + "vos données");
    readTemporary();
}

void Formmain::conduitOuverte() {
    SharedValues& sv = shared();
    const float d = num("zonetxt", 0) / 1000;
    sv.SharedDiameter = d;
    const float section = checkedValue(3.141593f * (d * d) / 4);
    sv.SharedJetSection = section;
    const float h = boxTo(*this, 2, sv.SharedHead);
    const float c = num("zonetxt", 1);
    const float length = boxTo(*this, 4, sv.SharedWidth);
    const float k = num("zonetxt", 3);

    float net = h, q = 0, v = 0, singular = 0;
    for (int pass = 0; pass < 2; ++pass) {
        q = checkedValue(0.2785f * c * cpow(d, 2.63f) * cpow(cdiv(net, length), 0.54f));
        sv.SharedFlow = q;
        v = cdiv(q, section);
        sv.SharedVelocity = v;
        singular = checkedValue(k * (v * v) / 19.62f);
        net = checkedValue(h - singular);
        sv.SharedHead = net;
    }
    set("zonetxt", 5, formatMask(checkedValue(1000 * q), "##0.###"));
    showResult("Vitesse de l'eau   m/s", formatMask(v, "##0.###"));
    set("zonetxt", 6, formatMask(net, "##0.###"));
    set("zonetxt", 7, formatMask(singular, "##0.###"));
    ctl("Label1").visible = true;
    showBoxes(*this, {5, 6, 7}, true);
}

// A cylindrical blade struck by a free jet at the outer circle and left at the inner
// circle, by Euler's velocity triangles (V absolute, U blade, W relative velocities):
// V1 = √(2gH); U1 = V1·sin(β1 − α1)/sin β1, W1 = V1·sin α1/sin β1; U2 = k·U1;
// W2² = W1² + U2² − U1² + 2g·Δz; V2² = U2² + W2² − 2·W2·U2·cos β2;
// efficiency 100·(V1² − V2²)/V1² %, Euler head (U1·V1·cos α1 − V2·U2·cos α2)/g − Δz m.
// Angles typed in degrees. The results and the failures are written in Text3.
void Formmain::pageAubeCylindrique() {
    beginPage(24, "1111110011111100");
    captions(*this, {"Chute (m) ", "Angle aube cercle ext.(deg.)", "Angle aube cercle sortie (deg.)",
                     "Angle incidence entrée (deg.)", "D_int/D_externe ", "Différence hauteur sortie entrée"});
    defaults(*this, {"1", "62", "108", "25", "0.74"});
    ctl("Command2").visible = true;
    ctl("Labelresu").visible = false;
    ctl("zoneresu").visible = false;
    title("Etude d'une aube en veine libre ");
    notesBelowHelp(*this);
}

void Formmain::etudiAubpt() {
    SharedValues& sv = shared();
    try {
        const float h = boxTo(*this, 0, sv.SharedHead);
        const float v1 = csqrt(19.62f * h);
        const float beta1 = radians(num("zonetxt", 1));
        const float beta2 = radians(num("zonetxt", 2));
        const float alpha1 = radians(num("zonetxt", 3));
        const float k = num("zonetxt", 4);
        const float dz = num("zonetxt", 5);

        const float u1 = cdiv(checkedValue(v1 * std::sin(beta1 - alpha1)), std::sin(beta1));
        const float w1 = cdiv(checkedValue(v1 * std::sin(alpha1)), std::sin(beta1));
        const float u2 = checkedValue(k * u1);
        const float w2Squared = checkedValue(w1 * w1 + u2 * u2 - u1 * u1 + 2 * 9.81f * dz);
        if (w2Squared < 0) {
            // The blade cannot pass the flow: the smallest usable diameter ratio.
            const float ratio = cdiv(std::sin(alpha1), std::sin(beta1 - alpha1));
            const float kMin = csqrt(checkedValue(1 - ratio * ratio));
            set("Text3", -1,
                std::string("Calcul IMPOSSIBLE") + CrLf + "Données à modifier" + CrLf +
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
        const float euler =
            checkedValue((u1 * v1 * std::cos(alpha1) - v2 * u2 * std::cos(alpha2)) / 9.81f - dz);

        const std::string lines = "Vitesse V1 = " + formatMask(v1, "###0.###") + CrLf +
                                  "Vitesse U1 = " + formatMask(u1, "###0.###") + CrLf +
                                  "Vitesse W1 = " + formatMask(w1, "###0.###") + CrLf +
                                  "Vitesse V2 = " + formatMask(v2, "###0.###") + CrLf +
                                  "Vitesse U2 = " + formatMask(u2, "###0.###") + CrLf +
                                  "Vitesse W2 = " + formatMask(w2, "###0.###") + CrLf +
                                  "Rendement  % = " + formatMask(efficiency, "###0.###") + CrLf +
                                  "Euler métres = " + formatMask(euler, "###0.###") + CrLf +
                                  "Angle sortie eau " + formatMask(alpha2 * 180 / 3.141593f, "###0.###");
        set("Text3", -1, lines);
        // The energy the water gives up must match the work on the blade.
        if (efficiency < 0 || checkedValue(h * efficiency / 100 - euler) > 0.01f)
            set("Text3", -1, std::string("Calcul incompatible") + CrLf + "Données à modifier");
    } catch (...) {
        set("Text3", -1, std::string("Calcul incompatible") + CrLf + "Données à modifier");
        throw;
    }
}

}  // namespace aub
