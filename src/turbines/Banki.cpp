#include "turbines/Banki.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "charts/DomaineEmploi.h"
#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

constexpr int DataCount = 7;
constexpr int ResultCount = 18;
constexpr int ReportResults = 16;  // results 0 to 15 go into the report
constexpr int BankiHelpRecord = 28;

const char* const DataCaptions[DataCount] = {"Hauteur m",        "Débit m3/s",      "Rendement %", "Nombre d'aubes",
                                             "Incidence degrés", "Angle admission", "Speed ratio"};
const char* const ReportDataCaptions[DataCount] = {"Hauteur de chute m ",
                                                   "Débit m3/s ",
                                                   "Rendement ",
                                                   "Nombre d'aubes ",
                                                   "Angle Incidence jet/cercle (degrés) ",
                                                   "Angle d'admission (deg)  ",
                                                   "Coefficient de vitesse "};
const char* const ResultCaptions[ResultCount] = {"Diamètre ext  m",
                                                 "Diamétre inté m",
                                                 "Largeur roue m",
                                                 "Vitesse T/min",
                                                 "Puissance(Kw)",
                                                 "Ns  T/min",
                                                 "Rayon aube cm",
                                                 "Pas aubes cm",
                                                 "Vitesse périphérique m/s",
                                                 "Vitesse du jet m/s",
                                                 "Vitesse relative W1 m/s",
                                                 "beta1 aube degrés",
                                                 "Epaisseur jet cm",
                                                 "Section du jet  cm2",
                                                 "Angle aube centre",
                                                 "Largeur injecteur m",
                                                 "Pour information produit DL",
                                                 "Largeur jet dans roue"};

constexpr const char* LockedCaption = "Cliquez pour débloquer Diamètre ";
constexpr const char* UnlockedCaption = "Changer le diamètre";

// Number of characters of a UTF-8 text.
std::size_t charCount(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// "caption", then the text from column 20 on (1-based), on the next line at column 20
// when the caption reaches the column before it (a value never touches its caption).
void tabbedLine(std::vector<std::string>& lines, const std::string& caption, const std::string& text) {
    constexpr std::size_t Column = 20;
    const std::size_t next = charCount(caption) + 1;  // column of the next character
    if (next < Column) {
        lines.push_back(caption + std::string(Column - next, ' ') + text);
    } else {
        lines.push_back(caption);
        lines.push_back(std::string(Column - 1, ' ') + text);
    }
}

}  // namespace

std::vector<StudyBox> Banki::studyInputs() { return studyBoxes("Donnée", DataCaptions); }

std::vector<StudyBox> Banki::studyResults() { return studyBoxes("Résultat", ResultCaptions); }

Banki::Banki(Session& s) : Form(s, "Banki", "Evaluation d'une roue banki") {
    helpRecord = 28;
    columns = 3;
    frame("Frame1", -1, "DONNEES").at(0, 0);
    for (int i = 0; i < DataCount; ++i) {
        label("Labdonnée", i, DataCaptions[i]).in("Frame1").at(i, 0);
        textBox("Donnée", i).in("Frame1").at(i, 1);
    }
    button("Command1", -1, "Efface données").at(1, 0);
    listBox("List1").at(2, 0).size(2400, 1800);
    frame("Frame2", -1, "RESULTATS").at(0, 1, 3, 1);
    for (int i = 0; i < ResultCount; ++i) {
        label("Labrésultat", i, ResultCaptions[i]).in("Frame2").at(i, 0);
        textBox("Résultat", i).in("Frame2").at(i, 1);
    }
    Control& lock = label("Label6", -1, LockedCaption).at(0, 2);
    lock.backColor = 0xFF0000;
    lock.visible = false;
    Control& scroll = slider("HScroll1", -1, 0, 100, 0).at(1, 2);
    scroll.visible = false;
    scroll.enabled = false;
    // The diameter slider and its caption come with the results: their column is kept
    // from the start, so that nothing else narrows then.
    lock.place.keepsPlace = true;
    scroll.place.keepsPlace = true;

    menu("Fichier", "Fichier");
    menu("Ouvrir", "Ouvrir", "Fichier");
    menu("Enregistrer", "Enregistrer", "Fichier");
    menu("Fermer", "Fermer", "Fichier");
    menu("Supprimer", "Supprimer", "Fichier");
    menu("Calcul", "Calcul");
    menu("Resultats", "Résultats");
    menu("Aide", "Aide locale");
    menu("Imprimer", "Imprimer");
    menu("Feuille", "Feuille en cours", "Imprimer");
    menu("Domaine", "Domaine d'emploi");
    on("Domaine", EventKind::Click, [this](int) { openMachineChart(session(), name(), true); });

    on("Ouvrir", EventKind::Click, [this](int) { readDataFile("oregon.txt"); });
    on("Enregistrer", EventKind::Click, [this](int) { saveDataSet(); });
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    on("Supprimer", EventKind::Click, [this](int) { deleteSelected(); });
    on("Calcul", EventKind::Click, [this](int) {
        resultsReady_ = false;
        bool done = false;
        trap([&] { done = precalcuOld(); }, FailurePolicy{.cleanUp = [this] { effaceTout(); }});
        if (done) calculsResu();
    });
    on("Resultats", EventKind::Click, [this](int) { writeReport(); });
    on("Aide", EventKind::Click, [this](int) { session().showHelpRecord(BankiHelpRecord); });
    on("Feuille", EventKind::Click, [this](int) { printAfterQuestion(*this); });
    on("Command1", EventKind::Click, [this](int) {
        effaceTout();
        for (int i = 0; i <= 3; ++i) set("Donnée", i, "");
        clearUnsavedEdits();
    });
    on("List1", EventKind::Click, [this](int) {
        const std::string chosen = ctl("List1").text();
        if (!chosen.empty()) readDataFile(chosen);
    });
    on("Label6", EventKind::Click, [this](int) { toggleDiameterLock(); });
    defaultAction = "Calcul";
    tracksEdits = true;
    for (const char* discarding : {"List1", "Ouvrir", "Command1"}) discardsEdits(discarding);
    on("HScroll1", EventKind::Change, [this](int) {
        if (!resultsReady_ || !diameterUnlocked_) return;
        d_ = static_cast<float>(ctl("HScroll1").value()) / 100.0f;
        calculsResu();
    });
}

void Banki::load() {
    Control& list = ctl("List1");
    list.clearItems();
    for (const auto& name : listFiles(session().appFolder(), "K*.txt")) list.addItem(name);
}

void Banki::effaceTout() {
    for (int i = 0; i < ResultCount; ++i) set("Résultat", i, "");
}

bool Banki::precalcuOld() {
    effaceTout();
    SharedValues& sv = shared();
    alpha_ = num("Donnée", 4) * Pi / 180.0f;
    // The blade count: the text's leading number, whatever the separator setting.
    z_ = toByte(leadingNumber(txt("Donnée", 3)));
    eta_ = num("Donnée", 2) / 100.0f;
    h_ = num("Donnée", 0);
    q_ = num("Donnée", 1);
    delta_ = num("Donnée", 5);
    k_ = num("Donnée", 6);
    if (alpha_ == 0.0f || h_ == 0.0f || q_ == 0.0f || z_ == 0) {
        effaceTout();
        dialogs().message("Erreur de saisie : données manquantes");
        return false;
    }
    c1_ = csqrt(TwoG * h_);
    u1_ = k_ * c1_;
    const float sinA = std::sin(alpha_), cosA = std::cos(alpha_);
    beta1_ = catan(cdiv(k_ * sinA, 1.0f - k_ * cosA)) + alpha_;
    w1_ = cdiv(c1_ * sinA, std::sin(beta1_));
    jetWidth_ = cdiv(q_, w1_);
    const float deltaRad = delta_ * Pi / 180.0f;
    db_ = cdiv(2.0f * q_, checkedValue(static_cast<double>(deltaRad) * sinA * c1_));
    p_ = checkedValue(10.0 * h_ * q_ * eta_);
    sv.SharedHead.set(h_, HeadUnit::Metres);
    sv.SharedFlow.set(q_, FlowRateUnit::CubicMetresPerSecond);
    sv.SharedPower.set(p_, PowerUnit::Kilowatts);
    d_ = csqrt(db_);

    // The diameter slider, in centimetres, around the first diameter.
    Control& scroll = ctl("HScroll1");
    const int lo = toInteger(20.0 * d_), hi = toInteger(200.0 * d_);
    const int small = toInteger(std::floor(2.0 * d_) + 1.0), large = toInteger(std::floor(10.0 * d_) + 1.0);
    const int value = toInteger(100.0 * d_);
    scroll.min = lo;
    scroll.max = hi;
    scroll.smallChange = small;
    scroll.largeChange = large;
    scroll.setValue(value);
    return true;
}

void Banki::calculsResu() {
    if (d_ / 3.0f < jetWidth_) {
        dialogs().message(" Diamètre insuffisant pour le débit");
        return;
    }
    const float b = cdiv(db_, d_);
    const float di = 0.6f * d_;
    const float n = cdiv(60.0f * u1_, Pi * d_);
    shared().SharedSpeed = n;
    const float ns = cdiv(checkedValue(static_cast<double>(n) * csqrt(1.36f * p_)), cpow(h_, 1.25f));
    const float section = cdiv(q_, c1_);
    const float pitch = cdiv(Pi * d_ * 100.0f, static_cast<float>(z_));
    const float radius = 0.163f * d_;
    const float thickness = cdiv(q_, checkedValue(0.9 * b * c1_));
    const float centreAngle = cdiv(100.0f * thickness, pitch * std::sin(alpha_));

    set("Résultat", 0, formatMask(d_, "###0.####"));
    set("Résultat", 1, formatMask(di, "###0.####"));
    set("Résultat", 2, formatMask(b, "###0.####"));
    set("Résultat", 3, formatMask(n, "###.####"));
    set("Résultat", 4, formatMask(p_, "###0.####"));
    set("Résultat", 5, formatMask(ns, "###.####"));
    set("Résultat", 6, formatMask(radius * 100.0f, "###0.####"));
    set("Résultat", 7, formatMask(pitch, "###0.####"));
    set("Résultat", 8, formatMask(u1_, "###.####"));
    set("Résultat", 9, plainNumber(c1_));
    set("Résultat", 10, formatMask(w1_, "###.####"));
    set("Résultat", 11, formatMask(beta1_ * 180.0f / Pi, "###.####"));
    set("Résultat", 12, formatMask(thickness * 100.0f, "###0.######"));
    set("Résultat", 13, formatMask(section * 10000.0f, "###0.######"));
    set("Résultat", 14, formatMask(centreAngle, "###0.######"));
    set("Résultat", 15, formatMask(0.9f * b, "##0.####"));
    set("Résultat", 16, formatMask(db_, "##0.####"));
    set("Résultat", 17, formatMask(jetWidth_, "##0.####"));

    ctl("Label6").visible = true;
    ctl("HScroll1").visible = true;
    resultsReady_ = true;
}

void Banki::toggleDiameterLock() {
    Control& lock = ctl("Label6");
    Control& scroll = ctl("HScroll1");
    diameterUnlocked_ = !diameterUnlocked_;
    lock.backColor = diameterUnlocked_ ? 0x00FF00 : 0xFF0000;
    lock.caption = diameterUnlocked_ ? UnlockedCaption : LockedCaption;
    scroll.enabled = diameterUnlocked_;
}

void Banki::readDataFile(const std::string& fileName) {
    const auto path = findFile(session().appFolder(), fileName);
    if (!path) throw CalcError(ErrFileNotFound);
    // One value per line, so that a value typed with a decimal comma comes back whole.
    const std::vector<std::string> values = readDesignValues(*path);
    clearUnsavedEdits();
    for (int i = 0; i < DataCount; ++i) {
        if (static_cast<std::size_t>(i) >= values.size()) throw CalcError(ErrPastEnd);
        set("Donnée", i, values[static_cast<std::size_t>(i)]);
    }
}

void Banki::saveDataSet() {
    const Control& list = ctl("List1");
    std::string suggestion = "Kansnom";
    if (list.listIndex() >= 0) {
        const std::string& chosen = list.text();
        suggestion = chosen.size() > 4 ? chosen.substr(0, chosen.size() - 4) : std::string();
    }
    const auto answer = dialogs().input("Enregistrez un nouveau  fichier", "", suggestion);
    if (!answer) return;
    // A blank answer saves nothing; blanks around a name are dropped, as in the wheel windows.
    std::string fileName = trim(*answer);
    if (fileName.empty()) return;
    if (fileName.size() < 3 || fileName.compare(fileName.size() - 3, 3, "txt") != 0) fileName += ".txt";
    if (auto refused = checkTypedName(fileName)) {
        dialogs().message(*refused);
        return;
    }
    std::filesystem::path target = session().file(fileName);
    if (auto existing = findFile(session().appFolder(), fileName)) {
        if (!dialogs().question("Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?")) return;
        target = *existing;  // the file found, whatever the case of its name
    }
    std::vector<std::string> lines;
    lines.reserve(DataCount);
    for (int i = 0; i < DataCount; ++i) lines.push_back(txt("Donnée", i));
    saveLines(target, lines);
    clearUnsavedEdits();
    ctl("List1").addItem(fileName);
}

void Banki::deleteSelected() {
    Control& list = ctl("List1");
    const int selected = list.listIndex();
    if (selected < 0) return;
    const std::string chosen = list.text();
    if (isProgramFile(chosen)) {
        dialogs().message(*checkTypedName(chosen));
        return;
    }
    if (!dialogs().question(chosen + "Etes vous sur de supprimer ")) return;
    // The file is deleted where the list found it: the program folder.
    const auto path = findFile(session().appFolder(), chosen);
    if (!path) throw CalcError(ErrFileNotFound);
    std::error_code ec;
    if (!std::filesystem::remove(*path, ec) || ec) throw CalcError(ec ? fileErrorCode(ec) : ErrFileNotFound);
    // Only a deleted file leaves the list.
    std::vector<std::string> items = list.items;
    items.erase(items.begin() + selected);
    list.clearItems();
    for (auto& item : items) list.addItem(std::move(item));
}

std::string Banki::reportPath() const {
    // In the user's own folder of the temporary folder: another user cannot plant a
    // link at that name to have one of this user's files replaced.
    return pathToUtf8(privateFolder(pathFromUtf8(platform().tempFolder())) / pathFromUtf8("Résultats.txt"));
}

void Banki::writeReport() {
    std::vector<std::string> lines = {"Résultats pour Roue Crossflow type Banki origine", "", "DONNEES", ""};
    for (int i = 0; i < DataCount; ++i) lines.push_back(std::string(ReportDataCaptions[i]) + txt("Donnée", i));
    lines.push_back("");
    lines.push_back("RESULTATS DU CALCUL");
    for (int i = 0; i < ReportResults; ++i) tabbedLine(lines, ctl("Labrésultat", i).caption, txt("Résultat", i));
    const std::string path = reportPath();
    saveLines(pathFromUtf8(path), lines);
    dialogs().message("Résultats enregistrés dans le fichier :\n" + path);
}

}  // namespace aub
