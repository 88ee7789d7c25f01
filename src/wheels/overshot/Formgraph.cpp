#include "wheels/overshot/Formgraph.h"

#include <algorithm>
#include <cmath>

#include "core/Constants.h"
#include "forms/Drawing.h"
#include "forms/Session.h"

namespace aub {

namespace {

constexpr int Black = 0x000000;
constexpr int Water = 0x1E64DC;
constexpr int Wood = 0x8B5A2B;
constexpr int Grey = 0x808080;

void dashed(Drawing& d, float x1, float y1, float x2, float y2) {
    const float len = std::hypot(x2 - x1, y2 - y1);
    const int parts = std::max(1, static_cast<int>(len / 0.25f));
    for (int i = 0; i < parts; i += 2) {
        const float a = static_cast<float>(i) / static_cast<float>(parts);
        const float b = static_cast<float>(std::min(i + 1, parts)) / static_cast<float>(parts);
        d.line(x1 + a * (x2 - x1), y1 + a * (y2 - y1), x1 + b * (x2 - x1), y1 + b * (y2 - y1));
    }
}

// A named point.
void mark(Drawing& d, float x, float y) { d.circle(x, y, 0.06f, true); }

}  // namespace

void drawOvershotSketch(Drawing& d) {
    d.clear();
    d.scale(0, 0, 16, 12);
    d.backColor = 0xFFFFFF;
    d.fontSize = 10;

    // Head race and gate V; the jet leaves under the gate at E.
    d.penColor = Black;
    d.penWidth = 2;
    d.line(0.2f, 2.2f, 2.0f, 2.2f);
    d.penWidth = 4;
    d.line(2.0f, 0.5f, 2.0f, 1.8f);
    d.penColor = Water;
    d.penWidth = 1;
    d.line(0.2f, 0.7f, 1.95f, 0.7f);
    d.penColor = Black;
    d.text(2.2f, 0.45f, "V");
    mark(d, 2.05f, 1.85f);
    d.text(2.2f, 1.2f, "E");

    // Flume from the gate down to its end F'.
    const float fx = 8.2f, fBed = 2.8f, fWater = 2.55f;
    d.penWidth = 2;
    d.line(2.0f, 2.2f, fx, fBed);
    d.penColor = Water;
    d.line(2.05f, 1.85f, fx, fWater);
    d.penColor = Black;
    mark(d, fx, fWater);
    d.text(fx - 0.3f, fWater - 0.75f, "F'");

    // Wheel: outer circle Dext, inner circle Dint, shaft, vertical axis Y through the centre.
    const float cx = 10.2f, cy = 7.4f, R = 4.0f, r = 2.9f;
    d.penWidth = 2;
    d.circle(cx, cy, R);
    d.penWidth = 1;
    d.circle(cx, cy, r);
    d.circle(cx, cy, 0.15f, true);
    d.penColor = Grey;
    dashed(d, cx, 2.9f, cx, 11.8f);
    d.penColor = Black;
    d.text(cx + 0.15f, 11.3f, "Y");
    d.text(cx + 0.75f * R + 0.3f, cy + 0.72f * R, "Dext");
    d.text(cx + 0.2f, cy + 0.45f * r, "Dint");

    // Free jet from F' onto the wheel top at F, just past the summit S.
    const float sy = cy - R;
    const float fAngle = 12 * Pi / 180;
    const float tx = cx + R * std::sin(fAngle), ty = cy - R * std::cos(fAngle);
    const float y0 = (fBed + fWater) / 2, slope = (fBed - 2.2f) / (fx - 2.0f);
    const float span = tx - fx;
    const float curve = (ty - y0 - slope * span) / (span * span);
    d.penColor = Water;
    d.penWidth = 3;
    float px = fx, py = y0;
    for (int i = 1; i <= 12; ++i) {
        const float x = fx + span * static_cast<float>(i) / 12;
        const float y = y0 + slope * (x - fx) + curve * (x - fx) * (x - fx);
        d.line(px, py, x, y);
        px = x;
        py = y;
    }
    d.penColor = Black;
    d.penWidth = 1;
    mark(d, tx, ty);
    mark(d, cx, sy);
    d.text(tx + 0.15f, ty - 0.55f, "F");
    d.text(cx - 0.45f, sy - 0.5f, "S");

    // Clearance "jeu" between the flume end and the level of the wheel top.
    d.penColor = Grey;
    dashed(d, fx - 0.4f, sy, cx, sy);
    d.penColor = Black;
    d.line(fx - 0.2f, fBed, fx - 0.2f, sy);
    d.line(fx - 0.35f, fBed, fx - 0.05f, fBed);
    d.line(fx - 0.35f, sy, fx - 0.05f, sy);
    d.text(fx - 1.35f, fBed, "jeu");

    // Bucket plates: A on the outer circle, bend C, D on the inner circle behind A.
    constexpr int Buckets = 18;
    constexpr float Lag = 0.28f;             // angle between A and D, rad
    const float bend = r + 0.45f * (R - r);  // radius of the bend C
    d.penColor = Wood;
    d.penWidth = 2;
    for (int i = 0; i < Buckets; ++i) {
        const float a = static_cast<float>(i) * 6.283186f / Buckets;
        d.line(cx + R * std::cos(a), cy + R * std::sin(a), cx + bend * std::cos(a - Lag),
               cy + bend * std::sin(a - Lag));
        d.line(cx + bend * std::cos(a - Lag), cy + bend * std::sin(a - Lag), cx + r * std::cos(a - Lag),
               cy + r * std::sin(a - Lag));
    }

    // One bucket named: A, C, D, the chord AD and the angle delta at A.
    const float a = -2 * 6.283186f / Buckets;  // upper right, one of the plates
    const float ax = cx + R * std::cos(a), ay = cy + R * std::sin(a);
    const float bx = cx + bend * std::cos(a - Lag), by = cy + bend * std::sin(a - Lag);
    const float dx = cx + r * std::cos(a - Lag), dy = cy + r * std::sin(a - Lag);
    d.penColor = Black;
    d.penWidth = 1;
    dashed(d, ax, ay, dx, dy);
    mark(d, ax, ay);
    mark(d, bx, by);
    mark(d, dx, dy);
    d.text(ax + 0.15f, ay - 0.25f, "A");
    d.text(bx - 0.15f, by - 0.45f, "C");
    d.text(dx - 0.5f, dy + 0.05f, "D");
    const float toC = std::atan2(by - ay, bx - ax);
    float turn = std::atan2(dy - ay, dx - ax) - toC;  // the shorter way from AC to AD
    if (turn > Pi) turn -= 6.283186f;
    if (turn < -Pi) turn += 6.283186f;
    constexpr float ArcRadius = 0.45f;
    float qx = ax + ArcRadius * std::cos(toC), qy = ay + ArcRadius * std::sin(toC);
    for (int i = 1; i <= 6; ++i) {
        const float t = toC + turn * static_cast<float>(i) / 6;
        const float x = ax + ArcRadius * std::cos(t), y = ay + ArcRadius * std::sin(t);
        d.line(qx, qy, x, y);
        qx = x;
        qy = y;
    }
    d.text(ax + 0.2f, ay + 0.25f, "delta");
}

Formgraph::Formgraph(Session& s) : Form(s, "Formgraph", "GRAPHIQUE ROUE HAUT") {
    columns = 2;
    canvas("Picture1").at(0, 0).size(7200, 5400);
    drawOvershotSketch(ctl("Picture1").drawing);

    frame("Frame1", -1, "").at(0, 1);
    // Box 11 is the width of the jet on the rim, in metres; box 5 the plate angle at A.
    static constexpr const char* Captions[14] = {
        "Diamètre externe",   "Diamétre intérieur", "AC   m",    "CD    m",      "AD   m",     "delta   degrés",
        "EF'     m",          "F'F     m",          "jeu     m", "Corde aube m", "Arc aube m", "epsi  m",
        "Pente coursier   %", "Déverement à (degr)"};
    for (int i = 0; i < 14; ++i) {
        label("Label", i, Captions[i]).in("Frame1").at(i, 0);
        textBox("Valbox", i).in("Frame1").at(i, 1).locked = true;
    }

    menu("fermm", "Fermer");
    menu("reto2", "Retour");
    on("fermm", EventKind::Click, [this](int) { session().unload(name()); });
    on("reto2", EventKind::Click, [this](int) { session().hide(name()); });
}

}  // namespace aub
