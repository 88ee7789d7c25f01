#include "wheels/overshot/Frmpertecou.h"

#include <algorithm>
#include <cmath>
#include <utility>
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

namespace aub {

namespace {

const char* const InputCaptions[7] = {"Vitesse de l'eau m/s", "Débit l/s", "Dénivel. coursier m", "Longueur coursier m",
                                      "Largeur coursier m",   "Rugosité",  "Pas de calcul  m"};
const char* const ResultCaptions[8] = {
    "Vitesse eau sortie coursier", "Vitesse idéale sans coursier", "Rendement coursier %", "Perte de charge totale  m",
    "profondeur départ",           "Angle du coursier deg",        "Profondeur finale",    "Pertes  en watts"};

// The scratch file held in memory during a calculation and written back whole at the
// end (atomically). Only the first 30 bytes of a record are written; bytes of records
// that did not exist yet are blanks, each record ending with CR LF so that the file
// reads as text. Records beyond those of the last run keep their old contents.
class ScratchRecords {
public:
    explicit ScratchRecords(fs::path path) : path_(std::move(path)) {
        try {
            image_ = readFileBytes(path_, Frmpertecou::ScratchLimit);
        } catch (const CalcError& e) {
            if (e.code() != ErrFileNotFound) throw;
        }
    }

    void put(int k, const std::string& speed, const std::string& slope, const std::string& distance) {
        const std::size_t at = static_cast<std::size_t>(k - 1) * Frmpertecou::RecordLength;
        const std::size_t need = at + Frmpertecou::RecordLength;
        if (image_.size() < need) {
            std::size_t pos = image_.size();
            image_.resize(need);
            for (; pos < need; ++pos) {
                const std::size_t inRecord = pos % Frmpertecou::RecordLength;
                image_[pos] = inRecord == Frmpertecou::RecordLength - 2   ? '\r'
                              : inRecord == Frmpertecou::RecordLength - 1 ? '\n'
                                                                          : ' ';
            }
        }
        field(at, speed);
        field(at + Frmpertecou::FieldLength, slope);
        field(at + 2 * Frmpertecou::FieldLength, distance);
    }

    void reserve(std::size_t records) { image_.reserve(std::max(image_.size(), records * Frmpertecou::RecordLength)); }
    void write() const { saveBytes(path_, image_); }

private:
    // Left-aligned, padded with blanks, cut to the field's length.
    void field(std::size_t at, const std::string& text) {
        for (std::size_t i = 0; i < Frmpertecou::FieldLength; ++i) image_[at + i] = i < text.size() ? text[i] : ' ';
    }

    fs::path path_;
    std::string image_;
};

}  // namespace

std::vector<StudyBox> Frmpertecou::studyInputs() { return studyBoxes("Valbox", InputCaptions); }

std::vector<StudyBox> Frmpertecou::studyResults() { return studyBoxes("Resubox", ResultCaptions); }

Frmpertecou::Frmpertecou(Session& s) : Form(s, "Frmpertecou", "SPECIAL LONG COUSIER") {
    helpRecord = 32;
    columns = 4;
    for (int i = 0; i < 7; ++i) {
        label("Label", i, InputCaptions[i]).at(i, 0);
        textBox("Valbox", i).at(i, 1);
    }
    for (int i = 0; i < 8; ++i) {
        label("Labelresu", i, ResultCaptions[i]).at(i, 2);
        textBox("Resubox", i).at(i, 3).locked = true;
    }
    button("Command1", -1, "CALCUL Méthode MANNING").at(8, 0, 1, 2);
    listBox("List1").at(9, 0, 1, 4).size(8000, 3000);
    button("Command2", -1, "Pentes calculées").at(10, 0).size(900, 300);

    menu("fich", "Fichier");
    menu("oppn", "Ouvre", "fich");
    menu("enrg", "Enregistre", "fich");
    menu("Ahelp", "Aidelocale");
    menu("cobl", "imprime feuille");

    on("Command1", EventKind::Click, [this](int) {
        ctl("List1").clearItems();
        calcul();
    });
    on("Command2", EventKind::Click, [this](int) { listScratch(); });
    on("enrg", EventKind::Click, [this](int) { saveData(); });
    on("oppn", EventKind::Click, [this](int) { openData(); });
    on("Ahelp", EventKind::Click, [this](int) { showLocalHelp(); });
    on("cobl", EventKind::Click, [this](int) { platform().printForm(*this); });
    defaultAction = "Command1";
    tracksEdits = true;
    discardsEdits("oppn");
    onBackgroundClick([this] { ctl("List1").clearItems(); });
}

void Frmpertecou::load() {
    for (int i = 0; i < 7; ++i) ctl("Valbox", i).locked = false;
    shared().FormulaId = FormulaCode::OvershotFlume;
}

std::string Frmpertecou::shown(float value, std::string_view mask) const {
    std::string s = formatMask(value, mask);
    if (shared().DecimalComma)
        if (auto dot = s.find('.'); dot != std::string::npos) s[dot] = ',';
    return s;
}

void Frmpertecou::calcul() {
    SharedValues& sv = shared();

    // 1. Inputs.
    sv.SharedVelocity = 0;
    const float V0 = num("Valbox", 0);
    const float Q = num("Valbox", 1) / 1000;  // m³/s
    const float dz = num("Valbox", 2);
    const float L = num("Valbox", 3);
    const float b = num("Valbox", 4);
    const float n = num("Valbox", 5);
    const float s = num("Valbox", 6);
    sv.SharedVelocity = V0;
    sv.SharedFlow.set(Q, FlowRateUnit::CubicMetresPerSecond);

    // 2-3. Flume angle; a roughness is needed.
    const float theta = catan(cdiv(dz, L));
    if (n == 0) {
        dialogs().message("Rugosité des parois non définie Cliquez Sur la boite Parois ou recherchez le coefficient ");
        return;
    }
    // The stepping only ends with a positive step, and a reasonable number of them.
    if (!(s > 0)) {
        dialogs().message("Pas de calcul incorrect : donnez un pas supérieur à 0 m");
        return;
    }

    // 4. Start of the flume.
    const float h0 = cdiv(Q, checkedValue(V0 * b));
    const float Lh = L * std::cos(theta);
    if (Lh / s >= static_cast<float>(MaxSteps)) {
        dialogs().message("Pas de calcul trop petit pour cette longueur : " + std::to_string(MaxSteps) +
                          " pas au plus, augmentez le pas");
        return;
    }
    const float Vi = csqrt(checkedValue(V0 * V0 + TwoG * dz));
    const float P0 = checkedValue(V0 * (Q * 10000 * V0) / TwoG);
    const float cosT = std::cos(theta), tanT = std::tan(theta);
    const float n2 = checkedValue(n * n);

    // 5-6. Stepping.
    const auto expectedSteps = static_cast<std::size_t>(std::max(0.0f, Lh / s)) + 2;
    ScratchRecords scratch(session().file(ScratchName));
    scratch.reserve(expectedSteps);
    std::vector<std::string> lines;
    lines.reserve(expectedSteps);
    int k = 0;
    float lossSum = 0;
    float V = V0;
    platform().setBusy(true);
    auto finish = [&] {
        platform().setBusy(false);
        Control& list = ctl("List1");
        list.items.reserve(list.items.size() + lines.size());
        std::move(lines.begin(), lines.end(), std::back_inserter(list.items));
        lines.clear();
    };
    try {
        for (float x = 0; x <= Lh; x += s) {
            ++k;
            const float h = cdiv(Q, checkedValue(V * b));
            const float A = b * h;
            const float Pm = 2 * h + b;
            const float Rh = cdiv(A, Pm);
            const float J = checkedValue(cpow(Rh, -4.0f / 3.0f) * V * V * n2);
            const float loss = checkedValue(s * J * cosT);
            lossSum = checkedValue(lossSum + loss);
            const float W2 = checkedValue((s * tanT - loss) * TwoG + V * V);
            if (W2 < 0) {
                dialogs().message(formatGeneral(W2, sv.DecimalComma ? ',' : '.'));
                break;
            }
            V = std::sqrt(W2);
            sv.SharedVelocity = V;
            // The step loss is listed in millimetres, as its label says.
            const std::string speed = shown(V, "###.000");
            lines.push_back(shown(x, "###.##") + "   V= " + speed +
                            "     perte mm= " + shown(checkedValue(loss * 1000), "##0.000"));
            scratch.put(k, speed, shown(checkedValue(J * 1000), "###.##"),
                        shown(checkedValue((x + s) * 100), "###.##"));
        }
    } catch (...) {
        finish();
        scratch.write();
        throw;
    }
    finish();

    // 7. Results.
    scratch.write();
    const float P = checkedValue(Q * 10000 * V * V / TwoG);
    set("Resubox", 0, shown(V, "##0.000"));
    set("Resubox", 1, shown(Vi, "##0.000"));
    set("Resubox", 2, shown(checkedValue(100 * cdiv(V, Vi) * cdiv(V, Vi)), "##0.###"));
    set("Resubox", 3, shown(lossSum, "##0.#####"));
    set("Resubox", 4, shown(h0, "##.###"));
    set("Resubox", 5, shown(theta * 180 / Pi, "##0.#####"));
    set("Resubox", 6, shown(cdiv(Q, checkedValue(V * b)), "##.###"));
    set("Resubox", 7, shown(checkedValue(P0 - P), "##.###"));
}

void Frmpertecou::listScratch() {
    std::string bytes;
    try {
        bytes = readFileBytes(session().file(ScratchName), ScratchLimit);
    } catch (const CalcError& e) {
        if (e.code() != ErrFileNotFound) throw;
        return;  // no calculation made yet: nothing to list
    }
    Control& list = ctl("List1");
    for (std::size_t at = 0; at < bytes.size(); at += RecordLength) {
        std::string slope = bytes.substr(std::min(bytes.size(), at + FieldLength), FieldLength);
        slope.resize(FieldLength, ' ');
        list.items.push_back(cp1252ToUtf8(slope));
    }
}

void Frmpertecou::saveData() {
    std::vector<std::string> lines;
    lines.reserve(7);
    for (int i = 0; i < 7; ++i) lines.push_back("\"" + txt("Valbox", i) + "\"");
    const fs::path path = findFile(session().appFolder(), DataName).value_or(session().file(DataName));
    saveLines(path, lines);
    clearUnsavedEdits();
}

void Frmpertecou::openData() {
    const fs::path path = findFile(session().appFolder(), DataName).value_or(session().file(DataName));
    FieldReader reader = FieldReader::fromFile(path);
    clearUnsavedEdits();
    for (int i = 0; i < 7; ++i) set("Valbox", i, reader.next());
}

void Frmpertecou::showLocalHelp() {
    session().showHelpRecord(number(shared().FormulaId), Session::HelpRecordUse::Kept);
}

}  // namespace aub
