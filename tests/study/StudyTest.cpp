// The parametric study engine: its points are the window's own single runs, the
// person's session stays as it was, and a bad request runs nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "core/NumberText.h"
#include "files/TextFile.h"
#include "forms/Script.h"
#include "study/Study.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

namespace fs = std::filesystem;

const char* const Overshot = "Roue au dessus — Calcul";

// A small calculation window for the rules no real window shows on demand: a square
// root that may come out as "nan", a question, a message with a separator in it, a
// window that closes itself, a slider as an input.
class RootWindow : public Form {
public:
    explicit RootWindow(Session& s) : Form(s, "Essairacine", "Racine") {
        label("Label", 0, "Nombre x").at(0, 0);
        textBox("Valbox", 0, "4").at(0, 1);
        label("Label", 1, "Décalage").at(1, 0);
        slider("Curseur", 0, 0, 10, 0).at(1, 1);
        label("Label", 2, "Racine").at(2, 0);
        textBox("Resubox", 0).at(2, 1).locked = true;
        button("Command1", -1, "Calcul");
        on("Command1", EventKind::Click, [this](int) {
            const float x = num("Valbox", 0) + static_cast<float>(ctl("Curseur", 0).value());
            if (x == 99) {
                session().unload(name());
                return;
            }
            if (x == 7 && !dialogs().question("Continuer ?")) return;
            if (x == 5) dialogs().message("a;b\nc");
            set("Resubox", 0, x < 0 ? "nan" : formatGeneral(std::sqrt(x)));
        });
        defaultAction = "Command1";
        resultBoxes = {"Resubox"};
    }
};

// A window whose failed calculation leaves a control changed: above 10, "Trop grand" is
// shown and the scale box, read by every calculation, is left at 1000. Its calculation
// keeps nothing beyond its controls.
class ScaleWindow : public Form {
public:
    explicit ScaleWindow(Session& s) : Form(s, "Essaiechelle", "Echelle") {
        label("Label", 0, "Nombre x").at(0, 0);
        textBox("Valbox", 0, "1").at(0, 1);
        label("Label", 1, "Echelle").at(1, 0);
        textBox("Valbox", 1, "2").at(1, 1);
        label("Label", 2, "Produit").at(2, 0);
        textBox("Resubox", 0).at(2, 1).locked = true;
        button("Command1", -1, "Calcul");
        on("Command1", EventKind::Click, [this](int) {
            const float x = num("Valbox", 0);
            if (x > 10) {
                set("Valbox", 1, "1000");
                dialogs().message("Trop grand");
                return;
            }
            set("Resubox", 0, formatGeneral(x * num("Valbox", 1)));
        });
        defaultAction = "Command1";
        resultBoxes = {"Resubox"};
    }
};

class StudyTest : public test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        catalog_.add("Essairacine", [](Session& s) { return std::make_unique<RootWindow>(s); });
        catalog_.declareStudy({.caption = "Essai — Racine",
                               .window = "Essairacine",
                               .setup = {},
                               .action = "Calcul",
                               .inputs = {{"Valbox(0)", "Nombre x"}, {"Curseur(0)", "Décalage"}},
                               .results = {{"Resubox(0)", "Racine"}},
                               .filesList = ""});
        catalog_.add("Essaiechelle", [](Session& s) { return std::make_unique<ScaleWindow>(s); });
        catalog_.declareStudy({.caption = "Essai — Echelle",
                               .window = "Essaiechelle",
                               .action = "Calcul",
                               .inputs = {{"Valbox(0)", "Nombre x"}},
                               .results = {{"Resubox(0)", "Produit"}},
                               .stateInControls = true});
    }

    StudyRequest overshot(double from, double to, int points) {
        StudyRequest r;
        r.calculation = Overshot;
        r.parameter = "Valbox(4)";
        r.from = from;
        r.to = to;
        r.points = points;
        r.followed = {"Resubox(3)", "Rendement H %"};
        r.startFile = "H0Dalmor.txt";
        return r;
    }

    StudyRequest root(double from, double to, int points) {
        StudyRequest r;
        r.calculation = "Essai — Racine";
        r.parameter = "Nombre x";
        r.from = from;
        r.to = to;
        r.points = points;
        r.followed = {"Racine"};
        return r;
    }

    // What the person's session holds: shared values, windows and their boxes, files.
    std::map<std::string, std::string> sessionState() {
        std::map<std::string, std::string> out;
        SharedValues& sv = session().shared();
        for (const auto& q : SharedValues::quantityFields())
            out[std::string("shared ") + q.name] = formatGeneral(q.value(sv)) + " " + q.unit(sv);
        for (const auto& [name, member] : SharedValues::floatFields())
            out[std::string("shared ") + name] = formatGeneral(sv.*member);
        for (const auto& [name, member] : SharedValues::textFields()) out[std::string("shared ") + name] = sv.*member;
        for (Form* f : session().forms()) {
            out["window " + f->name()] = f->visible() ? "shown" : "hidden";
            for (const auto& c : f->controls()) out[f->name() + "." + c->key()] = c->text() + "|" + c->caption;
        }
        for (const auto& e : fs::recursive_directory_iterator(folder()))
            if (e.is_regular_file()) out["file " + e.path().string()] = test::slurp(e.path());
        return out;
    }
};

TEST_F(StudyTest, PointsEqualSingleRunsOfTheOvershotWindow) {
    StudyRequest r = overshot(2.5, 4, 4);
    r.parameter = "Diamètre Roue m";  // a caption names the box as well as its key
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_EQ(study.total(), 4u);
    study.runAll();
    ASSERT_EQ(study.rows().size(), 4u);
    EXPECT_EQ(study.columnCaptions(),
              (std::vector<std::string>{"Diamètre Roue m", "Puissance prévue watts", "Rendement H %", "Message"}));

    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    for (const StudyRow& row : study.rows()) {
        step("Formrouehaut", "Valbox(4)=" + formatGeneral(row.value));
        step("Formrouehaut", "Calcul");
        EXPECT_EQ(row.results, (std::vector<std::string>{trim(text("Formrouehaut", "Resubox", 3)),
                                                         trim(text("Formrouehaut", "Resubox", 8))}))
            << "D = " << row.value;
        EXPECT_FALSE(row.results[0].empty());
        EXPECT_EQ(row.message, "");
    }
    EXPECT_DOUBLE_EQ(study.rows()[1].value, 3.0);
    EXPECT_EQ(study.rows()[3].value, 4.0);
}

// A point that stops on a message may leave the window's own state changed (the turbine
// window drops its calculation base): the points after it still equal single runs.
TEST_F(StudyTest, PointsAfterAFailedOneEqualSingleRunsOfTheTurbineWindow) {
    StudyRequest r;
    r.calculation = "Turbine — Calcul 2 (vitesse spécifique)";
    r.parameter = "boitebase(0)";
    r.from = -2;
    r.to = 10;
    r.points = 4;  // -2 fails, then 2, 6, 10
    r.followed = {"boite(8)", "boitebase(2)"};
    r.startValues = {{"boitebase(1)", "0.5"}, {"boite(11)", "100"}};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 4u);
    EXPECT_NE(study.rows()[0].message, "");
    for (std::size_t i = 1; i < 4; ++i) {
        const StudyRow& row = study.rows()[i];
        Session single(catalog_, dialogs_, platform_, folder());  // a first opening, as the study's
        const ScriptOutcome ran = runScript(single, "Formroue",
                                            {"boitebase(2)=100", "Command1", "boitebase(1)=0.5", "boite(11)=100",
                                             "boitebase(0)=" + formatGeneral(row.value), "Command2"});
        ASSERT_EQ(ran.status, 0) << ran.error;
        Form& window = *single.loaded("Formroue");
        EXPECT_EQ(row.message, "") << "H = " << row.value;
        EXPECT_FALSE(row.results[0].empty()) << "H = " << row.value;
        EXPECT_EQ(row.results,
                  (std::vector<std::string>{trim(window.txt("boite", 8)), trim(window.txt("boitebase", 2))}))
            << "H = " << row.value;
    }
}

TEST_F(StudyTest, GeometricProgressionKeepsOneRatioAndEndsOnTheBounds) {
    StudyRequest r = overshot(1, 16, 5);
    r.progression = Progression::Geometric;
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    std::vector<double> values;
    for (const auto& row : study.rows()) values.push_back(row.value);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values.front(), 1.0);
    EXPECT_NEAR(values[1], 2.0, 1e-12);
    EXPECT_NEAR(values[3], 8.0, 1e-12);
    EXPECT_EQ(values.back(), 16.0);
}

TEST_F(StudyTest, ThePersonsSessionIsAsBefore) {
    open("Formrouehaut");
    step("Formrouehaut", "List1=H18028.txt");
    step("Formrouehaut", "Valbox(4)=3,1");
    step("Formrouehaut", "Calcul");
    const auto before = sessionState();

    StudyRequest r = overshot(2.5, 4, 20);
    r.startFile.clear();
    for (const StudyDeclaration* d : studyCalculations(catalog_))  // the person's window as the start
        if (d->caption == Overshot)
            for (const auto& box : d->inputs)
                r.startValues.emplace_back(box.key, load("Formrouehaut").findKey(box.key)->text());
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    EXPECT_EQ(study.done(), 20u);
    EXPECT_EQ(sessionState(), before);
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(StudyTest, SecondParameterGivesOneSeriesPerValue) {
    StudyRequest r = overshot(2.5, 3.5, 3);
    r.second = "Hauteur eau canal m";
    r.secondValues = {"0.4", " 0,55 "};
    r.decimalSeparator = ',';
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_EQ(study.total(), 6u);
    study.runAll();
    ASSERT_EQ(study.rows().size(), 6u);
    EXPECT_EQ(study.columnCaptions()[1], "Hauteur eau canal m");
    EXPECT_EQ(study.rows()[2].secondValue, "0,4");
    EXPECT_EQ(study.rows()[3].secondValue, "0,55");
    EXPECT_EQ(study.rows()[3].value, 2.5);

    open("Formrouehaut");
    step("Formrouehaut", "List1=H0Dalmor.txt");
    step("Formrouehaut", "Valbox(1)=0.55");
    step("Formrouehaut", "Valbox(4)=3");
    step("Formrouehaut", "Calcul");
    EXPECT_EQ(study.rows()[4].results[0], trim(text("Formrouehaut", "Resubox", 3)));
    EXPECT_NE(study.rows()[4].results[0], study.rows()[1].results[0]);
}

TEST_F(StudyTest, AFailedPointIsARowWithItsMessageAndTheStudyGoesOn) {
    StudyRequest r = overshot(5, 30, 6);  // the gate opening, cm; the head race holds 0.4 m
    r.parameter = "levée  vanne CM";      // letter case and blanks aside
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 6u);
    EXPECT_EQ(study.rows()[3].message, "");
    EXPECT_FALSE(study.rows()[3].results[0].empty());
    for (std::size_t i : {4u, 5u}) {
        EXPECT_EQ(study.rows()[i].message, "levée trop grande");
        EXPECT_EQ(study.rows()[i].results, (std::vector<std::string>{"", ""}));
    }
}

TEST_F(StudyTest, NoNanReachesARowAndNoQuestionOrClosingStopsTheStudy) {
    Study study(catalog_, folder(), root(-1, 99, 101));
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    const auto& rows = study.rows();
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0].results[0], "");  // x = -1 shows "nan"
    EXPECT_EQ(rows[0].message, "Dépassement de capacité");
    EXPECT_EQ(rows[5].results[0], "2");  // x = 4
    EXPECT_EQ(rows[8].results[0], "");   // x = 7: the question answered "Non"
    EXPECT_EQ(rows[8].message, "");
    EXPECT_EQ(rows[6].message, "a;b\nc");
    EXPECT_EQ(rows[100].message, "La fenêtre du calcul s'est fermée");  // x = 99
    for (const auto& row : rows)
        for (const auto& cell : study.cells(row)) EXPECT_EQ(cell.find("nan"), std::string::npos);

    // After the window closed itself, a fresh private session runs the next points.
    StudyRequest r = root(99, 100, 2);
    r.second = "Décalage";
    r.secondValues = {"0", "1"};
    Study again(catalog_, folder(), r);
    ASSERT_TRUE(again.ok()) << again.error();
    again.runAll();
    ASSERT_EQ(again.rows().size(), 4u);
    EXPECT_EQ(again.rows()[1].results[0], "10");  // x = 100 after the close at 99
    EXPECT_EQ(again.rows()[2].message, "");       // 99 + 1, the slider moved to 1
    EXPECT_EQ(again.rows()[2].results[0], "10");
}

// A window that keeps nothing beyond its controls is put back as prepared after a point
// that stopped on a message: the scale box it left at 1000 is 2 again at the next point,
// whether points fail one after another or alternate with good ones.
TEST_F(StudyTest, AFailedPointOfAWindowWithoutOwnStateIsUndoneByItsControls) {
    StudyRequest r;
    r.calculation = "Essai — Echelle";
    r.parameter = "Nombre x";
    r.from = 8;
    r.to = 14;
    r.points = 7;  // 8, 9, 10 good; 11 .. 14 fail
    r.followed = {"Produit"};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 7u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(study.rows()[i].message, "");
        EXPECT_EQ(study.rows()[i].results[0], formatGeneral(2 * (8.0f + static_cast<float>(i))));
    }
    for (std::size_t i = 3; i < 7; ++i) {
        EXPECT_EQ(study.rows()[i].message, "Trop grand");
        EXPECT_EQ(study.rows()[i].results[0], "");
    }

    // Alternating: every good point after a failed one uses the scale as prepared.
    StudyRequest back = r;
    back.from = 12;
    back.to = 2;
    back.points = 6;  // 12, 10, 8, 6, 4, 2
    Study again(catalog_, folder(), back);
    ASSERT_TRUE(again.ok()) << again.error();
    again.runAll();
    ASSERT_EQ(again.rows().size(), 6u);
    EXPECT_EQ(again.rows()[0].message, "Trop grand");
    EXPECT_EQ(again.rows()[1].results[0], "20");
    EXPECT_EQ(again.rows()[5].results[0], "4");
}

// The same study run point by point, in slices of any size, gives the same table.
TEST_F(StudyTest, RunPointsAdvancesByTheCountAskedWhateverTheSliceSize) {
    StudyRequest r = root(-1, 99, 101);
    Study whole(catalog_, folder(), r);
    ASSERT_TRUE(whole.ok()) << whole.error();
    whole.runAll();
    Study sliced(catalog_, folder(), r);
    ASSERT_TRUE(sliced.ok()) << sliced.error();
    EXPECT_TRUE(sliced.runPoints(0));
    EXPECT_EQ(sliced.done(), 0u);
    EXPECT_TRUE(sliced.runPoints(7));
    EXPECT_EQ(sliced.done(), 7u);
    while (sliced.runPoints(13)) EXPECT_EQ(sliced.done() % 13, 7u);
    EXPECT_EQ(sliced.done(), 101u);
    EXPECT_FALSE(sliced.runPoints(5));
    EXPECT_EQ(sliced.csv(), whole.csv());
}

TEST_F(StudyTest, CancelStopsBetweenPoints) {
    Study study(catalog_, folder(), overshot(2.5, 4, 10000));
    ASSERT_TRUE(study.ok()) << study.error();
    EXPECT_TRUE(study.runSome(0));  // at least one point, then back to the caller
    const std::size_t done = study.done();
    EXPECT_GE(done, 1u);
    study.cancel();
    EXPECT_FALSE(study.runSome(10));
    EXPECT_EQ(study.done(), done);
    EXPECT_TRUE(study.cancelled());
    EXPECT_NE(study.json().find("\"cancelled\":true"), std::string::npos);
}

TEST_F(StudyTest, CsvTabAndJsonTexts) {
    StudyRequest r = root(4, 5, 2);
    r.decimalSeparator = ',';
    r.followed = {"Racine"};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    EXPECT_EQ(study.csv(),
              "Nombre x;Racine;Message\n"
              "4;2;\n"
              "5;2,236068;\"a;b c\"\n");
    EXPECT_EQ(study.tabSeparated(),
              "Nombre x\tRacine\tMessage\n"
              "4\t2\t\n"
              "5\t2,236068\ta;b c\n");
    EXPECT_EQ(study.csvFile().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(study.csvFile().find("Message\r\n4;2;\r\n"), std::string::npos);
    EXPECT_EQ(study.json(),
              "{\"calculation\":\"Essai — Racine\",\"columns\":[\"Nombre x\",\"Racine\",\"Message\"],\"rows\":["
              "{\"parameter\":4,\"results\":[\"2\"],\"message\":\"\"},"
              "{\"parameter\":5,\"results\":[\"2.236068\"],\"message\":\"a;b\\nc\"}],\"cancelled\":false}");

    StudyRequest half = root(0.5, 1.5, 2);
    half.decimalSeparator = ',';
    Study typed(catalog_, folder(), half);
    typed.runAll();
    // Typed into the box as the region writes it; the table shows every number with ".",
    // the CSV and the clipboard with the regional separator in every column.
    EXPECT_EQ(typed.valueText(0.5), "0,5");
    const auto cells = typed.cells(typed.rows()[0]);
    EXPECT_EQ(cells[0], "0.5");
    EXPECT_EQ(cells[1].find(','), std::string::npos) << cells[1];
    EXPECT_NE(typed.csv().find("\n0,5;0,"), std::string::npos) << typed.csv();
    EXPECT_NE(typed.tabSeparated().find("\n1,5\t1,"), std::string::npos) << typed.tabSeparated();
}

TEST_F(StudyTest, EveryBadRequestIsRefusedWithItsMessageAndRunsNothing) {
    struct Case {
        const char* name;
        std::function<void(StudyRequest&)> change;
        std::string message;
    };
    fs::create_symlink(folder() / "H18028.txt", folder() / "Hlien.txt");
    const std::vector<Case> cases = {
        {"unknown calculation", [](StudyRequest& r) { r.calculation = "Roue carrée"; }, "Calcul inconnu : Roue carrée"},
        {"equal bounds", [](StudyRequest& r) { r.to = r.from; }, "De et A : les deux bornes sont égales"},
        {"bound not a number", [](StudyRequest& r) { r.to = std::nan(""); }, "De et A : des nombres sont attendus"},
        {"one point", [](StudyRequest& r) { r.points = 1; }, "Nombre de points : entre 2 et 10 000"},
        {"too many points", [](StudyRequest& r) { r.points = 10001; }, "Nombre de points : entre 2 et 10 000"},
        {"geometric through zero",
         [](StudyRequest& r) {
             r.progression = Progression::Geometric;
             r.from = 0;
         },
         "Progression géométrique : De et A doivent être plus grands que zéro"},
        {"linear span beyond the largest number",
         [](StudyRequest& r) {
             r.from = -1e308;
             r.to = 1e308;
         },
         "De et A : l'écart entre les deux bornes est trop grand pour être parcouru"},
        {"geometric ratio beyond the largest number",
         [](StudyRequest& r) {
             r.progression = Progression::Geometric;
             r.from = 5e-324;
             r.to = 1;
         },
         "Progression géométrique : le rapport de A à De est trop grand pour être parcouru"},
        {"a result is no input", [](StudyRequest& r) { r.parameter = "Resubox(3)"; },
         "Paramètre varié : « Resubox(3) » n'est pas une donnée de « Roue au dessus — Calcul »"},
        {"unknown parameter", [](StudyRequest& r) { r.parameter = "Valbox(40)"; },
         "Paramètre varié : « Valbox(40) » n'est pas une donnée de « Roue au dessus — Calcul »"},
        {"text input swept", [](StudyRequest& r) { r.parameter = "Valbox(11)"; },
         "Paramètre varié : « Coursier bas  oui non » contient un texte (OUI), pas un nombre"},
        {"second not an input",
         [](StudyRequest& r) {
             r.second = "Puissance prévue watts";
             r.secondValues = {"1"};
         },
         "Second paramètre : « Puissance prévue watts » n'est pas une donnée de « Roue au dessus — Calcul »"},
        {"second is the swept one",
         [](StudyRequest& r) {
             r.second = "Diamètre Roue m";
             r.secondValues = {"1"};
         },
         "Second paramètre : c'est déjà le paramètre varié"},
        {"second without values", [](StudyRequest& r) { r.second = "Valbox(0)"; }, "Second paramètre : aucune valeur"},
        {"seven second values",
         [](StudyRequest& r) {
             r.second = "Valbox(0)";
             r.secondValues = {"1", "2", "3", "4", "5", "6", "7"};
         },
         "Second paramètre : 6 valeurs au plus"},
        {"second value not a number",
         [](StudyRequest& r) {
             r.second = "Valbox(0)";
             r.secondValues = {"1", "deux"};
         },
         "Second paramètre : « deux » n'est pas un nombre"},
        {"nothing followed", [](StudyRequest& r) { r.followed.clear(); }, "Résultats suivis : entre 1 et 6"},
        {"seven followed", [](StudyRequest& r) { r.followed.assign(7, "Resubox(3)"); },
         "Résultats suivis : entre 1 et 6"},
        {"unknown result", [](StudyRequest& r) { r.followed = {"Valbox(4)"}; },
         "Résultat suivi : « Valbox(4) » n'est pas un résultat de « Roue au dessus — Calcul »"},
        {"start value of no input",
         [](StudyRequest& r) {
             r.startValues = {{"Label(3)", "1"}};
         },
         "Point de départ : « Label(3) » n'est pas une donnée de « Roue au dessus — Calcul »"},
        {"missing start file", [](StudyRequest& r) { r.startFile = "Hnulle.txt"; },
         "Fichier de départ illisible : Hnulle.txt"},
        {"start file outside the folder", [](StudyRequest& r) { r.startFile = "../H0Dalmor.txt"; },
         "Fichier de départ illisible : ../H0Dalmor.txt"},
        {"start file through a link", [](StudyRequest& r) { r.startFile = "Hlien.txt"; },
         "Fichier de départ illisible : Hlien.txt"},
    };
    for (const Case& c : cases) {
        StudyRequest r = overshot(2.5, 4, 16);
        c.change(r);
        Study study(catalog_, folder(), r);
        EXPECT_FALSE(study.ok()) << c.name;
        EXPECT_EQ(study.error(), c.message) << c.name;
        EXPECT_FALSE(study.runSome(10)) << c.name;
        EXPECT_EQ(study.done(), 0u) << c.name;
    }
    // A design too short to fill the window: its message says why.
    test::TempFolder other;
    fs::copy(folder() / "Microfich.txt", other / "Microfich.txt");
    other.write("Hcourt.txt", "3.5\r\n0.4\r\n");
    StudyRequest r = overshot(2.5, 4, 16);
    r.startFile = "Hcourt.txt";
    Study shortFile(catalog_, other.path(), r);
    EXPECT_EQ(shortFile.error(), "Fichier de départ illisible : Hcourt.txt (L'entrée dépasse la fin de fichier)");
}

}  // namespace
}  // namespace aub
