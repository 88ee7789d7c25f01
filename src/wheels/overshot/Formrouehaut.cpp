#include "wheels/overshot/Formrouehaut.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "core/Today.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"

namespace aub {

namespace {

// Input captions, by box index.
const char* const InputCaptions[Formrouehaut::InputCount] = {
    "Hauteur de chute m",  "Hauteur eau canal m",   "Levée vanne cm",      "Largeur roue m",    "Diamètre Roue m",
    "Largeur coursier m",  "Jeu V sous coursier m", "Longueur coursier m", "Jeu H coursier  m", "Pente coursier %",
    "Coefficient Manning", "Coursier bas  oui non", "Vpériph / Vgh",       "Epais. aubes  mm",  "Nombre d'augets",
    "H Couronne % D",      "Remplissage auget %"};

struct ResultRow {
    int index;
    const char* caption;
};

// The four volumes (inner frame), then the bucket geometry, then the powers and speeds.
const ResultRow VolumeRows[] = {{0, "Volume Couronne (l.)"},
                                {12, "Volume max auget l."},
                                {13, "Vol.  autorisé litres"},
                                {19, "Volume utilisé litres"}};
// Box 17 holds the angle δ at A of the bucket triangle, in degrees.
const ResultRow GeometryRows[] = {
    {16, "Espacement péri m."}, {17, "interception jet degrés"}, {21, "Alpha  degrés"},        {14, "Beta degrés"},
    {25, "Angle aube deg"},     {18, "Hauteur couronne"},        {24, "Epaisseur du jet cm"},  {22, "Longueur aube 1"},
    {28, "Longueur aube 2"},    {20, "Diamétre intérieur"},      {27, "Jeu calculé sous roue"}};
const ResultRow PowerRows[] = {
    {1, "Puissance théori watts "}, {2, "Puissance théori  CV"}, {3, "Puissance prévue watts"},
    {6, "Puissance prévue (CV)"},   {5, "Vitesse de l'eau m/s"}, {7, "Vitesse relative m/s"},
    {26, "Vitesse tangentielle"},   {8, "Rendement H %"},        {9, "Omega rad/sec"},
    {10, "Vitesse T/min"},          {15, "Débit en l/s"},        {11, "Pertes cinétiques watts"}};

}  // namespace

std::vector<StudyBox> Formrouehaut::studyInputs() {
    std::vector<StudyBox> out;
    out.reserve(InputCount);
    for (int i = 0; i < InputCount; ++i) out.push_back({"Valbox(" + std::to_string(i) + ")", InputCaptions[i]});
    return out;
}

std::vector<StudyBox> Formrouehaut::studyResults() {
    std::vector<StudyBox> out;
    auto add = [&out](const auto& rows) {
        for (const auto& r : rows) out.push_back({"Resubox(" + std::to_string(r.index) + ")", r.caption});
    };
    add(VolumeRows);
    add(GeometryRows);
    add(PowerRows);
    return out;
}

Formrouehaut::Formrouehaut(Session& s) : Form(s, "Formrouehaut", "ertes cinétiques") {
    helpRecord = 18;
    columns = 3;

    // Inputs: rows in the order 0..10, 12..16, then the flume answer 11 last.
    frame("Frame1", -1, "          DONNEES").at(0, 0);
    static constexpr int RowOrder[InputCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 11};
    for (int row = 0; row < InputCount; ++row) {
        const int i = RowOrder[row];
        label("Label", i, InputCaptions[i]).in("Frame1").at(row, 0);
        textBox("Valbox", i).in("Frame1").at(row, 1);
    }
    listBox("List1").in("Frame1").at(InputCount, 0, 1, 2).size(3000, 1500);

    frame("Frame2", -1, "AUGET  ET  COURONNE").at(0, 1);
    frame("Frame4", -1, "").in("Frame2").at(0, 0, 1, 2);
    int row = 0;
    for (const auto& r : VolumeRows) {
        label("Labelresu", r.index, r.caption).in("Frame4").at(row, 0);
        textBox("Resubox", r.index).in("Frame4").at(row++, 1).locked = true;
    }
    row = 1;
    for (const auto& r : GeometryRows) {
        label("Labelresu", r.index, r.caption).in("Frame2").at(row, 0);
        textBox("Resubox", r.index).in("Frame2").at(row++, 1).locked = true;
    }

    frame("Frame3", -1, "PUISSANCES VITESSES").at(0, 2);
    row = 0;
    for (const auto& r : PowerRows) {
        label("Labelresu", r.index, r.caption).in("Frame3").at(row, 0);
        textBox("Resubox", r.index).in("Frame3").at(row++, 1).locked = true;
    }
    // Box 4 belongs to the array but receives nothing.
    textBox("Resubox", 4).hidden().locked = true;

    button("Command1", -1, "plus d'infos").at(1, 2);

    menu("fich", "Fichier");
    menu("ooo", "Fermer", "fich");
    menu("Engg", "Enregistre", "fich");
    menu("ouvrir", "Ouvre", "fich");
    menu("cleardat", "Efface données", "fich");
    menu("départ", "Calcul");
    menu("gr01", "graphique");
    menu("grjet", "jet d'eau");
    menu("aideur", "aide locale");
    menu("impre", "Imprimfeuille");

    on("Valbox", EventKind::Change, [this](int) { effaceTout(); });
    on("départ", EventKind::Click, [this](int) { calculHaut(); });
    on("List1", EventKind::Click, [this](int) { openDesign(); });
    on("Engg", EventKind::Click, [this](int) { save(); });
    on("cleardat", EventKind::Click, [this](int) { clearData(); });
    on("impre", EventKind::Click, [this](int) { printSheet(); });
    on("aideur", EventKind::Click, [this](int) { showLocalHelp(); });
    on("gr01", EventKind::Click, [this](int) { session().show("Formgraph", true); });
    // The jet graph of the last calculation (the window the wind study opens too).
    on("grjet", EventKind::Click, [this](int) { session().show("frmGraph", true); });
    on("Command1", EventKind::Click, [this](int) { session().show("Formsurfa", true); });
    on("ooo", EventKind::Click, [this](int) {
        if (session().unload(name())) session().endProgramFromWindow();
    });
    // "Ouvre" does nothing: a design opens with a click on its name in the list.

    defaultAction = "départ";
    resultBoxes = {"Resubox"};
    tracksEdits = true;
    discardsEdits("List1");
    discardsEdits("cleardat");
}

void Formrouehaut::load() {
    shared().AppFolder = withSeparator(session().appFolder());
    shared().TodayText = todayText(' ');
    Control& list = ctl("List1");
    list.clearItems();
    for (auto& n : listFiles(session().appFolder(), "H*.txt")) list.addItem(std::move(n));
}

void Formrouehaut::effaceTout() {
    for (int i = 0; i <= 22; ++i)
        if (i != 11) set("Resubox", i, "");
    for (int i : {24, 25, 27, 28}) set("Resubox", i, "");
}

void Formrouehaut::save() {
    const auto& folder = session().appFolder();
    std::string fileName;
    if (listFiles(folder, "H*.txt").empty()) {
        fileName = "Hmaroue00";
    } else {
        std::string selected = trim(ctl("List1").text());
        std::string proposal = selected.size() < 5 ? "Hsansnom" : selected.substr(0, selected.size() - 4);
        auto answer = dialogs().input("Enregistrez un nouveau  fichier",
                                      "Acceptez le nom de fichier proposé ou Annulez", proposal);
        if (!answer || answer->empty()) return;
        if (auto refused = checkTypedName(*answer + ".txt")) {  // the name it will be saved under
            dialogs().message(*refused);
            return;
        }
        fileName = *answer;
        if (fileName.rfind('H', 0) != 0)
            dialogs().message(
                "Votre fichier sera enregistré mais  \nsera ignoré ensuite dans le logiciel car \n"
                " son nom ne commence pas par la lettre H");
    }
    fileName += ".txt";
    if (auto refused = checkTypedName(fileName)) {  // the added extension may make it too long
        dialogs().message(*refused);
        return;
    }

    fs::path target = folder / pathFromUtf8(fileName);
    if (auto existing = findFile(folder, fileName)) {
        if (!dialogs().question("Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?")) return;
        target = *existing;
    }
    std::vector<std::string> lines;
    lines.reserve(InputCount);
    for (int i = 0; i < InputCount; ++i) lines.push_back(txt("Valbox", i));
    saveLines(target, lines);
    clearUnsavedEdits();
    if (fileName.rfind('H', 0) == 0) ctl("List1").addItem(fileName);
}

void Formrouehaut::openDesign() {
    const std::string entry = ctl("List1").text();
    if (entry.empty()) return;
    shared().SharedFilePath = shared().AppFolder + entry;
    const fs::path path = findFile(session().appFolder(), entry).value_or(session().appFolder() / pathFromUtf8(entry));
    // One value per line; a value typed with a decimal comma comes back whole.
    const std::vector<std::string> values = readDesignValues(path);
    clearUnsavedEdits();
    for (int i = 0; i < InputCount; ++i) {
        if (static_cast<std::size_t>(i) >= values.size()) throw CalcError(ErrPastEnd);
        set("Valbox", i, values[static_cast<std::size_t>(i)]);
    }
}

void Formrouehaut::clearData() {
    // Only a clear "oui" (in any letter case) empties the boxes; anything else keeps them.
    auto answer = dialogs().input("Vous allez perdre toutes vos données", "répondre OUI  si...", "NON");
    if (!answer || !equalsNoCase(trim(*answer), "OUI")) return;
    for (int i = 0; i < InputCount; ++i) set("Valbox", i, "");
    clearUnsavedEdits();
}

void Formrouehaut::printSheet() { printOnWhite(*this, {&ctl("Frame1"), &ctl("Frame2"), &ctl("Frame3")}); }

void Formrouehaut::showLocalHelp() {
    constexpr int OvershotHelpRecord = 18;
    session().showHelpRecord(OvershotHelpRecord, Session::HelpRecordUse::Kept);
}

}  // namespace aub
