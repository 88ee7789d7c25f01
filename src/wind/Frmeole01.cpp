#include "wind/Frmeole01.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {
// A failure shows its description and its number.
const FailurePolicy Numbered{.numbered = true};
}  // namespace

namespace {

constexpr int InputCount = 11;
constexpr int ResultCount = 12;
const char* const InputCaptions[InputCount] = {"Diamètre D  (m)",
                                               "Nombre de Pales",
                                               "Vitesse du vent m/s",
                                               "Angle attaque degrès",
                                               "K : Vitesse rotation per.",
                                               "Rendement sur Betz",
                                               "d moyeu % D",
                                               "Largeur ext. pale % D",
                                               "Largeur  pied pale % D",
                                               "Epais. estim pale % D",
                                               "Acier contrain admis N/mm2 "};
const char* const ResultCaptions[ResultCount] = {
    "BETZ 100 %  watts", "Puissance utile",     "Vitesse t/min",           "Section vent m2",
    "Watts/ m2",         "Force arrachement N", "Section attache min mm2", "Largeur pale ext cm",
    "Largeur pied cm",   "Masse pale kg",       "Epaisseur moyenne mm",    "Longueur pale m"};

const char* const FirstDesign = "moneole01.txt";
const char* const LoadedPrefix = "Données chargées : ";

// A quantity computed in single precision must be a finite single.

std::string twoDigits(int n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); }

}  // namespace

std::vector<StudyBox> Frmeole01::studyInputs() { return studyBoxes("Valbox", InputCaptions); }

std::vector<StudyBox> Frmeole01::studyResults() { return studyBoxes("Resubox", ResultCaptions); }

Frmeole01::Frmeole01(Session& s) : Form(s, "frméole01", "EOLIENNE SIMPLE") {
    frame("Frame1", -1, "DONNEES").at(0, 0);
    for (int i = 0; i < InputCount; ++i) {
        label("Label", i, InputCaptions[i]).in("Frame1").at(i, 0);
        textBox("Valbox", i).in("Frame1").at(i, 1);
    }
    frame("Frame2", -1, "RESULTATS").at(0, 1);
    for (int i = 0; i < ResultCount; ++i) {
        label("Labelresu", i, ResultCaptions[i]).in("Frame2").at(i, 0);
        textBox("Resubox", i).in("Frame2").at(i, 1);
    }
    label("Labelx", -1, "").at(1, 0, 1, 2);

    menu("fin", "Fin");
    menu("donnees", "Données");
    menu("Enreg", "Enregistre");
    menu("ouvrir", "Ouvre");
    menu("Profil", "Profil");
    menu("Pale", "Pale");
    menu("Calcul1", "Calcul 1");
    menu("Calcul2", "Calcul 2");
    menu("Levage", "Levage");
    menu("haubans", "haubans");
    // "Données", "Pale", "Calcul 2", "Levage" and "haubans" have no action in this version.

    on("fin", EventKind::Click, [this](int) { session().endProgramFromWindow(); });
    on("Enreg", EventKind::Click, [this](int) { trap([this] { enregistre(); }, Numbered); });
    on("ouvrir", EventKind::Click, [this](int) { trap([this] { ouvre(); }, Numbered); });
    on("Profil", EventKind::Click, [this](int) { profil(); });
    on("Calcul1", EventKind::Click, [this](int) { trap([this] { calcul1(); }, Numbered); });
    defaultAction = "Calcul1";
    tracksEdits = true;
    discardsEdits("ouvrir");
}

void Frmeole01::load() {
    caption = "EOLIENNE ELEMENTAIRE ETUDE AM";
    shared().SharedFilePath = shared().AppFolder;
    trap([this] { readDesign(session().appFolder() / pathFromUtf8(FirstDesign)); }, Numbered);
}

namespace {

// Blanks, an optional sign, then a digit, or a point or comma followed by a digit.
bool startsWithNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

}  // namespace

void Frmeole01::clarifie() {
    for (int i = 0; i <= 9; ++i) set("Resubox", i, "");
}

std::optional<int> Frmeole01::selectionne() {
    std::optional<std::string> answer = dialogs().input("Donnez un numéro à 2 chiffres à mémoriser   EX  01",
                                                        "Ajouter 2 chiffres au nom de fichier 'Moneole'", "");
    // Cancel (or an empty answer) leaves the files alone.
    if (!answer || trim(*answer).empty()) return std::nullopt;
    // The answer's numeric value, rounded to the nearest whole number (halves to even).
    // An answer that does not start with a number names no file: "abc" must not
    // stand for file 00.
    const double value = roundHalfEven(leadingNumber(*answer));
    if (!startsWithNumber(*answer) || !std::isfinite(value) || value < 0.0 || value > 255.0) {
        dialogs().message("Numéro de fichier refusé : donnez un nombre de 0 à 255");
        return std::nullopt;
    }
    return static_cast<int>(value);
}

void Frmeole01::readDesign(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    const std::string name = pathToUtf8(file.filename());
    // File names are matched without regard to case.
    const std::filesystem::path actual = findFile(folder, name).value_or(file);
    std::vector<std::string> values = readDesignValues(actual);
    clearUnsavedEdits();
    for (int i = 0; i < InputCount; ++i)
        set("Valbox", i, i < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(i)] : "");
    ctl("Labelx").caption = LoadedPrefix + shared().AppFolder + pathToUtf8(actual.filename());
}

void Frmeole01::ouvre() {
    clarifie();
    std::optional<int> number = selectionne();
    if (!number) return;
    readDesign(session().appFolder() / pathFromUtf8("Moneole" + twoDigits(*number) + ".txt"));
}

void Frmeole01::enregistre() {
    std::optional<int> number = selectionne();
    if (!number) return;
    const std::string name = "Moneole" + twoDigits(*number) + ".txt";
    // An existing file of that name (in any case) is replaced without a question.
    const std::filesystem::path file =
        findFile(session().appFolder(), name).value_or(session().appFolder() / pathFromUtf8(name));
    std::vector<std::string> lines;
    lines.reserve(InputCount);
    for (int i = 0; i < InputCount; ++i) lines.push_back(txt("Valbox", i));
    saveLines(file, lines);
    clearUnsavedEdits();
}

void Frmeole01::profil() {
    // The jet graph window; this window is modal, so the graph opens modal above it.
    session().show("frmGraph", true);
}

void Frmeole01::calcul1() {
    const float D = num("Valbox", 0);
    shared().SharedDiameter = D;
    num("Valbox", 1);  // number of blades: read and stored, enters no result
    const float Vv = num("Valbox", 2);
    num("Valbox", 3);  // angle of attack: read and stored, enters no result
    const float K = num("Valbox", 4);
    const float etaB = num("Valbox", 5);
    const float dm = checkedValue(num("Valbox", 6) * D / 100.0f);
    const float we = checkedValue(num("Valbox", 7) * D / 100.0f);
    const float wr = checkedValue(num("Valbox", 8) * D / 100.0f);
    const float t = checkedValue(num("Valbox", 9) * D / 100.0f);
    const float sigma = num("Valbox", 10);

    const float wm = checkedValue((we + wr) / 2.0f);
    const float bladeLength = checkedValue((D - dm) / 2.0f);
    const float M = checkedValue(bladeLength * (1000.0f * t) * wm);
    const float u = checkedValue(K * Vv);
    shared().SharedRimSpeed = u;
    const float N = cdiv(60.0f * u, checkedValue(Pi * D));
    shared().SharedSpeed = N;
    const float A = checkedValue(Pi * D * D / 4.0f);
    const float Pw = checkedValue(Vv * Vv * Vv * (Pi / 2.0f * ((D / 2.0f) * (D / 2.0f))) * 1.225f);
    const float Pb = checkedValue(16.0f * Pw / 27.0f);
    const float Pu = checkedValue(etaB * Pb);
    const float F = cdiv(checkedValue(u * u * M), D);

    set("Resubox", 0, formatNumber3(Pb));
    set("Resubox", 1, formatNumber3(Pu));
    set("Resubox", 2, formatNumber3(N));
    set("Resubox", 3, formatNumber3(A));
    set("Resubox", 4, formatNumber3(cdiv(Pu, A)));
    set("Resubox", 5, formatNumber3(F));
    set("Resubox", 6, formatNumber3(cdiv(F, sigma)));
    set("Resubox", 7, formatNumber3(checkedValue(100.0f * we)));
    set("Resubox", 8, formatNumber3(checkedValue(100.0f * wr)));
    set("Resubox", 9, formatNumber3(M));
    set("Resubox", 10, formatNumber3(checkedValue(1000.0f * t)));
    set("Resubox", 11, formatNumber3(bladeLength));
}

}  // namespace aub
