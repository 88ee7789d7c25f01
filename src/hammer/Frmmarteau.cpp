#include "hammer/Frmmarteau.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"
#include "hammer/UndershotValues.h"

namespace aub {

namespace {

constexpr const char* ResultMask = "####0.0####";
constexpr const char* DataFolder = "Roueparbas";
constexpr const char* DataFile = "marteau.txt";
constexpr int SavedBoxes = 9;  // Valbox(0..8)

struct Caption {
    int index;
    const char* text;
};
const Caption Inputs[] = {{0, "Masse marteau kg"},   {1, "Manche  L  total m"},    {2, "L  coté  marteau %"},
                          {3, "Rayon ext  cames"},   {4, "H  sabot / rayon %"},    {5, "Rapport réducteur"},
                          {6, "Nombre de sabots"},   {7, "Haut axe  manche m +-"}, {8, " Intersection h"},
                          {9, "Rappel inertie roue"}};
// In the order the result column shows them.
const Caption Results[] = {{13, "Bras coté marteau"},      {14, "Bras coté came"},
                           {12, "Couplé sur roue Nm"},     {18, "Couple hydraulique Nm"},
                           {15, "Couple coté marteau Nm"}, {17, "Force sur came N"},
                           {16, "Nombre max de sabots"},   {10, "Alpha"},
                           {11, "Levée marteau m"},        {19, "Energie par coup J"},
                           {20, "intervalle coups sec"},   {21, "Durée action (s)"},
                           {22, "Durée repos (s)"}};
const Caption Shock[] = {
    {23, "V arbre cames rad/s"}, {24, "V manche rad/s"}, {25, "V marteau m/s"}, {26, "Energie transférée J"}};
const char* const NoWheelSpeed = "La roue en dessous n'est pas calculée : sa vitesse est inconnue";
// Ticked, the reduction ratio typed in Valbox(5) counts; otherwise it is 1.
const char* const RatioTyped = "Rapport réducteur saisi";
const char* const IndexNumbers[] = {"13", "14", "12", "18", "15", "17", "16", "10", "11"};

// A sub-folder of `dir` whose name equals `name` without regard to case.
std::optional<std::filesystem::path> findFolder(const std::filesystem::path& dir, std::string_view name) {
    std::error_code ec;
    const std::filesystem::path exact = dir / pathFromUtf8(name);
    if (std::filesystem::is_directory(exact, ec)) return exact;
    std::filesystem::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (it->is_directory(sec) && sameFileName(pathToUtf8(it->path().filename()), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

std::vector<StudyBox> Frmmarteau::studyInputs() {
    std::vector<StudyBox> out = studyRows("Valbox", Inputs);
    out.push_back(studyBox("Check1", -1, RatioTyped));
    return out;
}

std::vector<StudyBox> Frmmarteau::studyResults() { return studyRows("Valbox", Results, Shock); }

Frmmarteau::Frmmarteau(Session& s) : Form(s, "Frmmarteau", "MARTEAU DE FORGE") {
    resultBoxes = {"Frame2", "Frame4"};
    columns = 3;
    frame("Frame1", -1, "").at(0, 0, 2, 1);
    int row = 0;
    for (const Caption& c : Inputs) {
        label("Label", c.index, c.text).in("Frame1").at(row, 0);
        textBox("Valbox", c.index).in("Frame1").at(row, 1);
        ++row;
    }
    checkBox("Check1", -1, RatioTyped).in("Frame1").at(row, 0);
    button("Command1", -1, "Calcul").in("Frame1").at(row, 1);

    frame("Frame3", -1, "").at(0, 1);
    for (int i = 0; i < 9; ++i) label("Labelnum", i, IndexNumbers[i]).in("Frame3").at(i, 0);

    frame("Frame2", -1, "").at(0, 2);
    row = 0;
    for (const Caption& c : Results) {
        label("Label", c.index, c.text).in("Frame2").at(row, 0);
        textBox("Valbox", c.index).in("Frame2").at(row, 1);
        ++row;
    }
    frame("Frame4", -1, "Effet du choc").at(1, 2);
    row = 0;
    for (const Caption& c : Shock) {
        label("Label", c.index, c.text).in("Frame4").at(row, 0);
        textBox("Valbox", c.index).in("Frame4").at(row, 1);
        ++row;
    }

    menu("Fichier", "Fichier");
    menu("Enregistrer", "Enregistrer", "Fichier");
    menu("Fermer", "Fermer", "Fichier");  // no action in this version
    menu("Imprimer", "Imprimer", "Fichier");
    menu("Quittertout", "Quitter tout", "Fichier");

    on("Command1", EventKind::Click, [this](int) { calculate(); });
    on("Enregistrer", EventKind::Click, [this](int) { save(); });
    on("Imprimer", EventKind::Click, [this](int) { platform().printForm(*this); });
    on("Quittertout", EventKind::Click, [this](int) { session().endProgramFromWindow(); });
    defaultAction = "Command1";
    tracksEdits = true;
}

std::filesystem::path Frmmarteau::dataFileToRead() const {
    const std::filesystem::path& app = session().appFolder();
    if (auto folder = findFolder(app, DataFolder))
        if (auto file = findFile(*folder, DataFile)) return *file;
    if (auto file = findFile(app, DataFile)) return *file;
    return dataFileToWrite();  // neither exists: reading it reports the missing file
}

std::filesystem::path Frmmarteau::dataFileToWrite() const {
    const std::filesystem::path& app = session().appFolder();
    if (auto folder = findFolder(app, DataFolder)) return findFile(*folder, DataFile).value_or(*folder / DataFile);
    return findFile(app, DataFile).value_or(app / DataFile);
}

void Frmmarteau::load() {
    trap([this] {
        std::vector<std::string> values = readDesignValues(dataFileToRead());
        for (int i = 0; i < SavedBoxes && i < static_cast<int>(values.size()); ++i)
            set("Valbox", i, values[static_cast<std::size_t>(i)]);
        if (values.size() < SavedBoxes) throw CalcError(ErrPastEnd);
    });
    // The wheel's moment of inertia, as the undershot window shows it.
    trap([this] { set("Valbox", 9, readUndershotValues(session()).inertia); });
}

void Frmmarteau::showResult(int box, float value) { set("Valbox", box, formatMask(value, ResultMask)); }

Frmmarteau::Point Frmmarteau::interceptCercles(float a, float b, float c, float d) {
    const float end = checkedValue(a + c);
    if (end > MaxSearch) throw CalcError(ErrOverflow, "Dépassement de capacité : came ou manche trop grands");
    float y1 = 0.0f, y2 = 0.0f;
    for (float x = 0.0f; x <= end; x += 0.01f) {
        const float r1 = c * c - (x - a) * (x - a);
        y1 = r1 > 0.0f ? std::sqrt(r1) : r1;
        const float r2 = d * d - x * x;
        y2 = r2 > 0.0f ? b + std::sqrt(r2) : r2;
        if (std::fabs(y1 - y2) < 0.1f) return {x, checkedValue((y1 + y2) / 2.0f)};
    }
    return {0.0f, checkedValue((y1 + y2) / 2.0f)};
}

void Frmmarteau::calculate() {
    const float m = num("Valbox", 0);
    const float L = num("Valbox", 1);
    const float Lm = checkedValue(num("Valbox", 2) * L / 100.0f);
    const float Rc = num("Valbox", 3);
    const float hs = checkedValue(num("Valbox", 4) * Rc / 100.0f);
    float kr = 1.0f;
    if (ctl("Check1").value() == 1)
        kr = num("Valbox", 5);
    else
        set("Valbox", 5, "1");
    const float ns = num("Valbox", 6);
    const float b = num("Valbox", 7);

    const float Lc = checkedValue(L - Lm);
    const float F = cdiv(checkedValue(m * G * Lm), Lc);
    showResult(13, Lm);
    showResult(14, Lc);
    showResult(15, checkedValue(m * G * Lm));
    showResult(12, cdiv(checkedValue(Rc * F), kr));
    showResult(17, F);

    const float h = interceptCercles(checkedValue(Rc + Lc), b, checkedValue(Rc + hs), Lc).y;
    showResult(8, h);
    // The undershot wheel's torque: the hydraulic torque the hammer shaft receives.
    const UndershotValues wheel = readUndershotValues(session());
    set("Valbox", 18, wheel.torque);
    showResult(16, cdiv(Pi * Rc, h));
    const float alpha = catan(cdiv(h, Lc));
    showResult(10, checkedValue(alpha * 180.0f / Pi));
    const float lift = checkedValue(Lm * ctan(alpha));
    showResult(11, lift);
    showResult(19, checkedValue(m * G * lift));

    // An undershot window never calculated shows no speed: the blow interval cannot be
    // found, and the person is told why rather than only "Division par zéro".
    if (trim(wheel.speed).empty()) throw CalcError(ErrDivByZero, errorDescription(ErrDivByZero) + "\n" + NoWheelSpeed);
    std::string speedText = wheel.speed;
    const float N = parseNumber(speedText, shared().DecimalComma, dialogs());
    const float turnsPerSecond = cdiv(N, checkedValue(kr * 60.0f));
    const float ti = cdiv(1.0f, checkedValue(ns * turnsPerSecond));
    showResult(20, ti);
    std::string omegaText = wheel.omega;
    const float omega = parseNumber(omegaText, shared().DecimalComma, dialogs());
    const float v = checkedValue(cdiv(omega, kr) * Rc);
    const float ta = cdiv(h, v);
    showResult(21, ta);
    showResult(22, checkedValue(ti - ta));

    effetChoc(m, Lm);
}

void Frmmarteau::effetChoc(float m, float Lm) {
    const float Im = checkedValue(Lm * Lm * m);
    const float Iw = num("Valbox", 9);
    const float omega = shared().SharedOmega;
    const float sum = checkedValue(Iw + Im);
    const float omega1 = cdiv(checkedValue((Iw - Im) * omega), sum);
    showResult(23, omega1);
    const float omega2 = cdiv(checkedValue(2.0f * Iw * omega), sum);
    showResult(24, omega2);
    const float vh = checkedValue(omega2 * Lm);
    showResult(25, vh);
    const double energy = 0.5 * static_cast<double>(m) * static_cast<double>(vh) * static_cast<double>(vh);
    set("Valbox", 26, formatMask(energy, ResultMask));
}

void Frmmarteau::save() {
    std::vector<std::string> lines;
    lines.reserve(SavedBoxes);
    for (int i = 0; i < SavedBoxes; ++i) lines.push_back(txt("Valbox", i));
    saveLines(dataFileToWrite(), lines);
    clearUnsavedEdits();
}

}  // namespace aub
