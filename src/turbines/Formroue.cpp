#include "turbines/Formroue.h"

#include <cmath>
#include <string>
#include <utility>

#include "charts/DomaineEmploi.h"
#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Constants.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/MainWindow.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

constexpr int Red = 0xFF0000;
constexpr int Yellow = 0xFFFF00;
constexpr int Highlight = 0xFFCEB0;  // RGB (255, 206, 176)
constexpr int Plain = 0xAAAAFF;      // RGB (170, 170, 255)

// Rows of the "Chute" frame where the two speed sliders sit; the speed box follows the active one.
constexpr int LowSpeedRow = 2;
constexpr int HighSpeedRow = 3;

// A mask value, or an empty box for exactly 0.
std::string orEmpty(float v, const char* mask) { return v == 0.0f ? std::string() : formatMask(v, mask); }
std::string orEmpty(double v, const char* mask) { return v == 0.0 ? std::string() : formatMask(v, mask); }

}  // namespace

std::vector<StudyBox> Formroue::studyInputs(bool trueSpeed) {
    std::vector<StudyBox> out = {studyBox("boitebase", 0, "Hauteur (m)"), studyBox("boitebase", 1, "Débit  m3/sec")};
    if (trueSpeed) out.push_back(studyBox("boitebase", 2, "Vitesse T/min"));
    out.push_back(studyBox("boitebase", 3, "nombre jets  (cas pelton)"));
    out.push_back(studyBox("boite", 6, "Rendement"));
    if (!trueSpeed) out.push_back(studyBox("boite", 11, "Ns vitesse spécifique"));
    return out;
}

std::vector<StudyBox> Formroue::studyResults(bool trueSpeed) {
    // The runner's boxes go by the captions a reaction runner's calculation gives them
    // (for a Pelton wheel the same boxes show the injector and the speeds).
    std::vector<StudyBox> out = {studyBox("boite", 12, "Puissance théorique (CV)"),
                                 studyBox("boite", 8, "Puissance théorique (KW)"),
                                 studyBox("boite", 10, "Puissance utile (CV)"),
                                 studyBox("boite", 9, "Puissance utile (KW)"),
                                 studyBox("boite", 3, "Couple mN"),
                                 studyBox("boite", 4, "Omega rad/s"),
                                 studyBox("boite", 7, "Type de roue"),
                                 studyBox("boite", 1, "Diamètre roue entrée m."),
                                 studyBox("boite", 5, "Diamètre roue sortie m."),
                                 studyBox("boite", 13, "Distributeur (hauteur m)"),
                                 studyBox("boite", 0, "Vitesse eau sortie turbine"),
                                 studyBox("boite", 2, "Perte provisoire sortie %")};
    if (trueSpeed)
        out.push_back(studyBox("boite", 11, "Ns vitesse spécifique"));
    else
        out.push_back(studyBox("boitebase", 2, "Vitesse T/min"));
    return out;
}

Formroue::Formroue(Session& s)
    : Form(s, "Formroue", "CARACTERISTIQUES PRINCIPALES D'UNE  TURBINE HYDRAULIQUE"),
      memory_(s.windowMemory<FormroueMemory>()) {
    // The efficiency boite(6) and the specific speed boite(11) are typed; the other boxes are results.
    resultBoxes = {"boite(12)", "boite(8)", "boite(10)", "boite(9)", "boite(3)", "boite(4)", "boite(7)",
                   "boite(1)",  "boite(5)", "boite(13)", "boite(0)", "boite(2)", "ksibox"};
    columns = 3;

    frame("Frame1", -1, "Chute").at(0, 0, 2, 1);
    label("label1", 0, "Hauteur (m)").in("Frame1").at(0, 0);
    textBox("boitebase", 0).in("Frame1").at(0, 2);
    label("label1", 2, "Débit  m3/sec").in("Frame1").at(1, 0);
    textBox("boitebase", 1).in("Frame1").at(1, 2);
    label("label1", 1, "Vitesse T/min 1 - 500").in("Frame1").at(LowSpeedRow, 0);
    slider("Vscrol1", -1, 0, 500, 1).in("Frame1").at(LowSpeedRow, 1);
    label("label1", 14, "Vitesse T/min > 500").in("Frame1").at(HighSpeedRow, 0);
    slider("vscroll2", -1, 501, 6000, 501).in("Frame1").at(HighSpeedRow, 1);
    textBox("boitebase", 2).in("Frame1").at(LowSpeedRow, 2);
    label("label1", 3, "nombre jets  (cas pelton)").in("Frame1").at(4, 0);
    textBox("boitebase", 3).in("Frame1").at(4, 2);
    label("label1", 4, "Rendement ").in("Frame1").at(5, 0);
    slider("Rendm", -1, 5, 100, 100).in("Frame1").at(5, 1);
    textBox("boite", 6).in("Frame1").at(5, 2);
    label("label1", 5, "Ns vitesse spécifique").in("Frame1").at(6, 0);
    slider("NsScrol", -1, 1, 1100, 1).in("Frame1").at(6, 1);
    textBox("boite", 11).in("Frame1").at(6, 2);
    ctl("Vscrol1").largeChange = 10;
    ctl("vscroll2").smallChange = 10;
    ctl("vscroll2").largeChange = 100;
    ctl("NsScrol").largeChange = 20;
    ctl("Rendm").largeChange = 10;

    button("Command1", -1, "CALCUL 1 Base :Vitesse vraie").at(2, 0);
    button("Command2", -1, "CALCUL 2   Base :Vitesse spécifique").at(3, 0);
    // The "calculation to do" notice comes and goes without moving the buttons above it.
    textBox("Text1", -1).at(4, 0).multi().size(3600, 700).place.keepsPlace = true;

    frame("Frame2", -1, "Puissance théorique").at(0, 1);
    label("label1", 8, " (CV)").in("Frame2").at(0, 0);
    textBox("boite", 12).in("Frame2").at(0, 1);
    label("label1", 9, "(KW)").in("Frame2").at(1, 0);
    textBox("boite", 8).in("Frame2").at(1, 1);
    frame("Frame3", -1, "Puissance utile").at(1, 1);
    label("label1", 10, " (CV)").in("Frame3").at(0, 0);
    textBox("boite", 10).in("Frame3").at(0, 1);
    label("label1", 16, "(KW)").in("Frame3").at(1, 0);
    textBox("boite", 9).in("Frame3").at(1, 1);
    frame("Frame4", -1, "Divers").at(2, 1, 2, 1);
    label("label1", 17, "Couple mN").in("Frame4").at(0, 0);
    textBox("boite", 3).in("Frame4").at(0, 1);
    label("label1", 18, "Omega rad/s").in("Frame4").at(1, 0);
    textBox("boite", 4).in("Frame4").at(1, 1);

    frame("Frame5", -1, "LA ROUE EN BREF").at(0, 2, 2, 1);
    label("label1", 7, "Type de roue").in("Frame5").at(0, 0);
    textBox("boite", 7).in("Frame5").at(0, 1);
    label("label1", 6, "Diamètre roue (entrée m)").in("Frame5").at(1, 0);
    textBox("boite", 1).in("Frame5").at(1, 1);
    label("label1", 12, "Diamètre roue (sortie m)").in("Frame5").at(2, 0);
    textBox("boite", 5).in("Frame5").at(2, 1);
    label("label1", 13, "Distributeur (hauteur m )").in("Frame5").at(3, 0);
    textBox("boite", 13).in("Frame5").at(3, 1);
    label("label1", 11, "Vitesse eau sortie turbine").in("Frame5").at(4, 0);
    textBox("boite", 0).in("Frame5").at(4, 1);
    label("label1", 15, "Perte porvisoire sortie %").in("Frame5").at(5, 0);
    textBox("boite", 2).in("Frame5").at(5, 1);

    // The runner picture and the three coefficients share one place.
    frame("Frame6", -1, "").at(2, 2, 3, 1);
    picture("Picture1").in("Frame6").at(0, 0, 3, 2).size(4800, 3600);
    const char* ksiNames[] = {"ksi0", "ksi1", "ksihdi"};
    for (int i = 0; i < 3; ++i) {
        label("ksilab", i, ksiNames[i]).in("Frame6").at(i, 0);
        textBox("ksibox", i).in("Frame6").at(i, 1);
    }

    menu("Retour", "&Retour");
    menu("impr", "Impression");
    menu("aide", "&Aide");
    menu("MaRoue", "MaRoue");
    menu("Enreg", "Enregistrer", "MaRoue");
    menu("Rappel", "Rappel", "MaRoue");
    menu("indices11", "indices11");
    menu("Domaine", "Domaine d'emploi");
    on("Domaine", EventKind::Click, [this](int) { openMachineChart(session(), name(), false); });

    auto calculate = [this](bool trueSpeed) {
        showPictureInsteadOfCoefficients(true);
        if (trueSpeed) calcBase_ = 1;
        methodBase_ = trueSpeed ? 1 : 2;
        calcule();
        setSliderChecked(ctl("NsScrol"), shared().SharedSpecificSpeed);
        ctl("Text1").visible = false;
    };
    on("Command1", EventKind::Click, [calculate](int) { calculate(true); });
    defaultAction = "Command1";
    on("Command2", EventKind::Click, [calculate](int) { calculate(false); });

    on("boitebase", EventKind::Change, [this](int) {
        clearPicture();
        avertit();
    });
    on("boite", EventKind::Change, [this](int i) {
        if (i != 11) return;
        const float ns = num("boite", 11);
        if (ns > 0) {
            calcBase_ = 2;
            shared().SharedSpecificSpeed = ns;
        }
    });
    auto speedSlider = [this](const char* name) {
        return [this, name](int) {
            clearPicture();
            set("boitebase", 2, std::to_string(ctl(name).value()));
            avertit();
        };
    };
    on("Vscrol1", EventKind::Change, speedSlider("Vscrol1"));
    on("vscroll2", EventKind::Change, speedSlider("vscroll2"));
    on("NsScrol", EventKind::Change, [this](int) {
        avertit();
        set("boite", 11, std::to_string(ctl("NsScrol").value()));
    });
    on("Rendm", EventKind::Change, [this](int) {
        for (int i : {0, 1, 5, 2, 7, 9, 10, 13}) set("boite", i, "");
        const int percent = ctl("Rendm").value();
        shared().SharedEfficiency = static_cast<float>(percent);
        set("boite", 6, plainNumber(static_cast<float>(percent) / 100.0f));
        ctl("Text1").visible = true;
        avertit();
    });
    on("label1", EventKind::Click, [this](int i) {
        showPictureInsteadOfCoefficients(!ctl("Picture1").visible);
        deplace(i);
    });

    on("Retour", EventKind::Click, [this](int) { session().hide(name()); });
    on("impr", EventKind::Click, [this](int) { platform().printForm(*this); });
    on("aide", EventKind::Click, [this](int) {
        std::string help = shared().HelpFilePath;
        if (help.empty()) help = shared().AppFolder + "Rudazuz04.chm";
        platform().showHelp(help, 1);
    });
    on("Enreg", EventKind::Click, [this](int) { saveMyRoue(); });
    on("Rappel", EventKind::Click, [this](int) { recallMyRoue(); });
    // Typed data are asked for before the window closes or "Rappel" replaces them;
    // "Enregistrer" keeps them.
    tracksEdits = true;
    discardsEdits("Rappel");
    on("indices11", EventKind::Click, [this](int) { session().show("FormDes11", false); });
}

void Formroue::load() {
    if (!memory_.created) {
        // First creation in this run.
        memory_.created = true;
        backColor = 0xAACA0F;  // RGB (170, 202, 15)
        set("boitebase", 2, "100");
        ctl("Vscrol1").setValue(100);
        ctl("vscroll2").enabled = false;
    }
    ctl("Text1").visible = false;
    ctl("Frame1").backColor = 0x46E4FF;  // RGB (70, 228, 255)
    set("boitebase", 0, "10");
    set("boitebase", 1, "3");
    set("boitebase", 3, "1");
    set("boite", 6, "0.85");
    ctl("Rendm").setValue(85);
    calcBase_ = 0;
    showPictureInsteadOfCoefficients(true);
    ctl("label1", 14).backColor = Plain;
}

void Formroue::unloaded() {
    if (MainWindow* main = mainWindow(session())) main->hideHelpBox();
}

void Formroue::avertit() {
    Control& notice = ctl("Text1");
    notice.setText("CALCUL à  FAIRE  ou à REFAIRE\nLANCEZ UN CALCUL");
    notice.backColor = Red;
    notice.visible = true;
    for (int i : {8, 9, 10, 12}) set("boite", i, "");
}

void Formroue::deplace(int k) {
    if (k != 1 && k != 14) return;
    const bool low = k == 1;
    ctl("Vscrol1").enabled = low;
    ctl("vscroll2").enabled = !low;
    ctl("label1", 1).backColor = low ? Highlight : Plain;
    ctl("label1", 14).backColor = low ? Plain : Highlight;
    Control& speed = ctl("boitebase", 2);
    speed.place.row = low ? LowSpeedRow : HighSpeedRow;
    speed.setText(std::to_string(ctl(low ? "Vscrol1" : "vscroll2").value()));
}

void Formroue::clearPicture() {
    Control& p = ctl("Picture1");
    p.picture.clear();
}

void Formroue::showPictureInsteadOfCoefficients(bool picture) {
    ctl("Picture1").visible = picture;
    for (int i = 0; i < 3; ++i) {
        ctl("ksibox", i).visible = !picture;
        ctl("ksilab", i).visible = !picture;
    }
}

void Formroue::calcule() {
    trap([this] { calculeSteps(); },
         FailurePolicy{.followUp = "Vérifiez la compatibilté de la vitesse affichée", .cleanUp = [this] {
                           calcBase_ = 0;
                           clearResultBoxes();
                       }});
}

void Formroue::calculeSteps() {
    SharedValues& sv = shared();
    clearPicture();
    float eta = num("boite", 6);
    h_ = num("boitebase", 0);
    q_ = num("boitebase", 1);
    if (num("boitebase", 2) == 0.0f) {
        stopCalculation("Réglez la vitesse à une valeur non nulle");
        calcBase_ = 0;
        return;
    }
    const int jets = toByte(num("boitebase", 3));
    pth_ = checkedValue(13.333 * q_ * h_);
    if (eta == 0.0f) eta = 0.85f;
    pu_ = checkedValue(static_cast<double>(pth_) * eta);
    sv.SharedHead.set(h_, HeadUnit::Metres);
    sv.SharedFlow.set(q_, FlowRateUnit::CubicMetresPerSecond);
    sv.SharedEfficiency = eta;
    if (calcBase_ == 0) return;

    if (calcBase_ == 1) {
        n_ = num("boitebase", 2);
        const float ns = cdiv(checkedValue(static_cast<double>(n_) * csqrt(pu_)), cpow(h_, 1.25f));
        set("boite", 11, formatMask(ns, "####.000"));
        // Ns is the value as shown, also when it is not positive (the box then keeps
        // the previous base and the classification refuses it).
        sv.SharedSpecificSpeed = num("boite", 11);
    } else {
        const float ns = num("boite", 11);
        sv.SharedSpecificSpeed = ns;
        n_ = cdiv(checkedValue(static_cast<double>(cpow(h_, 1.25f)) * ns), csqrt(pu_));
        if (n_ > 6000.0f) {
            dialogs().message("La vitesse ne peut être mise à jour sur le curseur");
        } else if (n_ >= 501.0f && n_ < 6000.0f) {
            deplace(14);
            setSliderChecked(ctl("vscroll2"), n_);
        } else if (n_ < 501.0f) {
            deplace(1);
            if (n_ != 0.0f) setSliderChecked(ctl("Vscrol1"), n_);
        }
        set("boitebase", 2, formatMask(std::floor(n_), "####.000"));
    }
    sv.SharedTurbineSpeed = n_;

    const float ns = sv.SharedSpecificSpeed;
    if (ns < 33.0f) pth_ = checkedValue(static_cast<double>(jets) * pth_);
    sv.SharedPower.set(pth_, PowerUnit::MetricHorsepower);

    // A failure of the classification shows its description; the calculation goes on.
    trap([this] { selonNsNew(); });

    waitSeconds(0.1f, [this] { platform().processEvents(); });
    const float omega = checkedValue(static_cast<double>(n_) * 6.283186 / 60.0);
    const float torque = cdiv(checkedValue(static_cast<double>(pu_) * 0.736 * 1000.0), omega);
    sv.SharedOmega = omega;
    sv.SharedTorque = torque;

    setSliderChecked(ctl("NsScrol"), sv.SharedSpecificSpeed);
    set("boite", 11, std::to_string(ctl("NsScrol").value()));

    Control& notice = ctl("Text1");
    notice.backColor = Yellow;
    notice.setText("");

    set("boite", 12, formatMask(pth_, "####.000000"));
    set("boite", 8, formatMask(pth_ * 0.736f, "####.000000"));
    set("boite", 10, formatMask(pu_, "####.0000000"));
    set("boite", 9, formatMask(pu_ * 0.736f, "####.000000"));
    set("boite", 3, formatMask(torque, "####.0000000"));
    set("boite", 4, formatMask(omega, "####.0000000"));
}

std::string Formroue::reportMethod() {
    std::string text =
        "Puissance théorique Pth = 13,333 × Q × H (CV, soit 9,81 × Q × H kW) ; puissance utile Pu = Pth × "
        "rendement (0,85 quand la case du rendement est vide).\n";
    text += methodBase_ == 2
                ? "Vitesse spécifique Ns tapée ; la vitesse de rotation en découle, N = Ns × H^1,25 / √Pu."
                : "Vitesse spécifique Ns = N × √Pu / H^1,25 (Pu en CV), de la vitesse de rotation N tapée.";
    text +=
        "\nType de roue choisi par Ns : Pelton de 2,5 à 36, Francis lente de 36 à 200, Francis moyenne de 200 à 350, "
        "Francis rapide de 350 à 500, hélice ou Kaplan de 500 à 1100.\n"
        "Dimensions par les coefficients de vitesse : D1 = 60 × ksi0 × √(2gH) / (π × N), D2 = 60 × ksi1 × √(2gH) / "
        "(π × N), hauteur du distributeur b0 = ksihdi × D2, les coefficients suivant des lois polynomiales en Ns ; "
        "roue Pelton D = 60 × 0,48 × √(2gH) / (π × N), un injecteur de diamètre 1000 × √(4Q / (π × √(2gH))) mm.\n"
        "Vitesse angulaire ω = 2π × N / 60 ; couple = Pu × 736 / ω (m·N).";
    return text;
}

void Formroue::selonNsNew() {
    SharedValues& sv = shared();
    ctl("label1", 11).caption = "Vitesse de l'eau sortie roue";
    ctl("label1", 6).caption = "Diamètre roue (entrée)";
    sv.SharedSpeed = n_;
    const float ns = sv.SharedSpecificSpeed;
    FormroueMemory& m = memory_;

    // Polynomial laws of the reaction runners between Ns 60 and 500.
    auto p0 = [](double x) { return 0.665 + 0.00039 * x; };
    auto p1 = [](double x) { return 0.32 + 203e-5 * x + 75e-8 * x * x + 8e-10 * x * x * x; };
    auto ph = [](double x) { return 0.04 + 116e-5 * x + 5e-9 * x * x - 28e-10 * x; };
    const double x = ns;

    const char* type = nullptr;
    const char* file = nullptr;
    bool pelton = false;
    if (ns >= 1.0f && ns <= 2.5f) {
        dialogs().message(
            " valeur inacceptée  \n ces données ne sont pas compatibles\n modifiez la vitesse par exemple");
        return;
    } else if (ns > 2.5f && ns <= 36.0f) {
        type = "Roue Pelton";
        file = "Pelton03.jpg";
        pelton = true;
        m.ksi0 = 0.5;
        // An impulse wheel has no outlet diameter nor distributor: both coefficients are undefined.
        m.ksi1.reset();
        m.ksihdi.reset();
    } else if (ns >= 36.0f && ns <= 60.0f) {
        type = "Francis lente";
        file = "franlent.jpg";
        m.ksi0 = (x - 60) / 3200 + 0.7;
        m.ksi1 = static_cast<float>((x - 60) / 400 + 0.4);
        m.ksihdi = (x - 30) / 650 + 0.08;
    } else if (ns >= 60.0f && ns <= 200.0f) {
        type = "Francis lente";
        file = "franlent.jpg";
        m.ksi0 = p0(x);
        m.ksi1 = static_cast<float>(p1(x));
        m.ksihdi = ph(x);
        if (ns == 200.0f) {
            m.ksi0 = 0.75;
            m.ksi1 = 0.75f;
        }
    } else if (ns >= 200.0f && ns <= 350.0f) {
        type = "Francis moyenne";
        file = "framoyen.jpg";
        m.ksi0 = p0(x);
        m.ksi1 = static_cast<float>(p1(x));
        m.ksihdi = ph(x);
    } else if (ns >= 350.0f && ns <= 500.0f) {
        type = "Francis rapide";
        file = "franvite.jpg";
        m.ksi0 = p0(x);
        m.ksi1 = static_cast<float>(p1(x));
        m.ksihdi = ph(x);
    } else if (ns >= 500.0f && ns <= 1100.0f) {
        type = "Hélice ou Kaplan";
        file = "kaplturb.jpg";
        m.ksi1 = static_cast<float>(1.3032 + 0.0016 * (x - 400));
        m.ksi0 = *m.ksi1;
        m.ksihdi = 0.32 + 0.00021 * (x - 400);
    } else {
        dialogs().message("Valeur du Ns " + plainNumber(ns) +
                          " non correcte\nReprenez votre calcul en retouchant la vitesse vraie\n"
                          "Vous pouvez aussi modifier le débit ");
        return;
    }

    // The pictures are delivered data: a missing one leaves the place empty.
    Control& picture = ctl("Picture1");
    picture.picture = fileExists(session().appFolder(), file) ? file : "";
    if (pelton) labsSerie2();
    ctl("Text1").visible = pelton;
    set("boite", 7, type);

    if (n_ == 0.0f) return;
    // Above Ns 34 the general result set replaces the Pelton one (a Pelton runner up to
    // Ns 36 included).
    if (ns > 34.0f) dimensions();
    showCoefficients();
}

void Formroue::dimensions() {
    const FormroueMemory& m = memory_;
    // A Pelton runner has no outlet diameter nor distributor coefficient: D2, b0, V2 and
    // the outlet loss are then left blank.
    const bool outlet = m.ksi1 && m.ksihdi;
    const float c1 = csqrt(TwoG * h_);
    const float piN = Pi * n_;
    d1_ = cdiv(checkedValue(60.0 * m.ksi0 * c1), piN);
    if (outlet) {
        d2_ = cdiv(checkedValue(60.0 * *m.ksi1 * c1), piN);
        b0_ = *m.ksihdi * d2_;
        shared().SharedExitDiameter = d2_;
    }
    v1_ = cdiv(4.0f * q_, checkedValue(static_cast<double>(Pi) * d1_ * d1_));
    v2_.reset();
    if (outlet) v2_ = cdiv(4.0f * q_, checkedValue(static_cast<double>(Pi) * d2_ * d2_));
    set("boite", 0, formatMask(v1_, "###0.00"));
    set("boite", 2, v2_ ? formatMask(checkedValue(100.0 * *v2_ * *v2_ / (19.62 * h_)), "###0.00") : "");
    ctl("boite", 13).visible = true;
    set("boite", 1, orEmpty(d1_, "###0.000"));
    set("boite", 5, outlet ? orEmpty(d2_, "###0.000") : "");
    set("boite", 13, outlet ? orEmpty(b0_, "###0.0000") : "");
    labelsSerie1();
}

void Formroue::labelsSerie1() {
    ctl("label1", 6).caption = "Diamètre roue entrée m.";
    ctl("label1", 13).caption = "Distributeur (hauteur m)";
    ctl("label1", 11).caption = "Vitesse eau sortie turbine";
    ctl("label1", 12).caption = "Diamètre roue sortie m.";
    ctl("label1", 15).caption = "Perte provisoire sortie %";
    ctl("boite", 13).visible = true;
    set("boite", 0, v2_ ? formatMask(*v2_, "###0.000") : "");
}

void Formroue::showCoefficients() {
    const FormroueMemory& m = memory_;
    if (m.ksi0 > 0) {
        set("ksibox", 0, formatMask(m.ksi0, "#0.0000"));
    } else {
        set("ksibox", 0, "non considéré");
        ctl("label1", 12).caption = "Diamétre unique";
    }
    set("ksibox", 1, m.ksi1 ? formatMask(*m.ksi1, "#0.0000") : "non considéré");
    set("ksibox", 2, m.ksihdi ? formatMask(*m.ksihdi, "#0.0000") : "non considéré");
}

void Formroue::labsSerie2() {
    const float c1 = csqrt(TwoG * h_);
    const float u = 0.48f * c1;
    for (int i : {0, 1, 2}) ctl("boite", i).visible = true;
    ctl("label1", 6).visible = true;
    ctl("label1", 13).caption = "Diamétre injecteur mm";
    ctl("label1", 11).caption = "Vitesse rotation T/min";
    ctl("label1", 6).caption = "Diamétre roue entrée m.";
    ctl("label1", 15).caption = "Vitesse circonférent. m/s";
    ctl("label1", 12).caption = "Vitesse sortie m/s";
    const float d = cdiv(60.0f * u, Pi * n_);
    shared().SharedDiameter = d;
    const float injector = 1000.0f * csqrt(cdiv(4.0f * q_, Pi * c1));
    set("boite", 0, formatMask(n_, "##0.000"));
    set("boite", 1, formatMask(d, "##0.000"));
    set("boite", 13, formatMask(injector, "##0.000"));
    set("boite", 2, formatMask(u, "##0.000"));
    set("boite", 5, formatMask(c1, "##0.000"));
}

void Formroue::saveMyRoue() {
    saveLines(session().file("Myroue.txt"), {txt("boitebase", 0), txt("boitebase", 1), txt("boitebase", 2)});
    clearUnsavedEdits();
}

void Formroue::recallMyRoue() {
    const auto path = findFile(session().appFolder(), "Myroue.txt");
    if (!path) throw CalcError(ErrFileNotFound);
    // One value per line, so that a value typed with a decimal comma comes back whole.
    const std::vector<std::string> values = readDesignValues(*path);
    for (int i = 0; i < 3; ++i) {
        if (static_cast<std::size_t>(i) >= values.size()) throw CalcError(ErrPastEnd);
        set("boitebase", i, values[static_cast<std::size_t>(i)]);
    }
    clearUnsavedEdits();
}

}  // namespace aub
