// The formula pages of the menus Options1, Options2 and Options3, on their worked
// examples; the head-loss pages are in HeadLossTest.cpp.
#include <cmath>
#include <random>
#include <regex>

#include "FormulaPageTest.h"
#include "files/TextFile.h"

namespace aub::test {
namespace {

using Formulas = FormulaPageTest;

const char* const Pages[] = {"Options1/Vanne",
                             "Options1/Pression hydrostatique",
                             "Options1/Choc d'un jet",
                             "Options1/Puissance  d'un jet",
                             "Options1/Puissance d'une chute",
                             "Options1/Diamètre d'un arbre",
                             "Options2/Hauteur chute",
                             "Options2/Vitesse diamètre",
                             "Options2/Vitesse spécifique",
                             "Options2/Déversoir",
                             "Options2/Vitesses mode 1",
                             "Options2/Vitesses mode 2",
                             "Options3/Similitude",
                             "Options3/débit injecteur",
                             "Options3/Conduite  plein débit",
                             "Options3/Aube Cylindrique",
                             "Perte de charge/Canal rectangulaire",
                             "Perte de charge/Canal en trapèze",
                             "Perte de charge/Canal circulaire",
                             "Perte de charge/Débit dun canal",
                             "Perte de charge/Coude simple"};

TEST_F(Formulas, EachMenuEntrySetsItsCodeAndShowsItsExplanation) {
    const int codes[] = {3, 30, 4, 5, 6, 23, 1, 2, 8, 7, 17, 13, 14, 12, 26, 24, 10, 15, 16, 22, 25};
    for (std::size_t k = 0; k < std::size(Pages); ++k) {
        page(Pages[k]);
        EXPECT_EQ(number(sv().FormulaId), codes[k]) << Pages[k];
        EXPECT_EQ(c("Text1").text(), "Fiche " + std::to_string(codes[k])) << Pages[k];
    }
}

// Every page of the two catalogues, reached through its menu entry as a person would:
// the entry sets the page's code and shows its explanation, "CALCUL " is offered exactly
// when the page calculates, and its worked example (or its defaults with 2 typed in each
// empty input) gives a number in each box the page declares as its result.
TEST_F(Formulas, EveryPageOfTheCataloguesOpensCalculatesAndGivesItsResults) {
    const auto plain = [](std::string text) {
        std::erase(text, '&');
        return text;
    };
    int pages = 0;
    for (const auto* catalogue : {&optionsPages(), &headLossPages()})
        for (const FormulaPage& p : *catalogue) {
            const std::string path = plain(c(p.menu).caption) + "/" + plain(p.entryCaption);
            SCOPED_TRACE(path);
            page(path);
            ++pages;
            EXPECT_EQ(sv().FormulaId, p.code);
            EXPECT_EQ(c("Text1").text(), "Fiche " + std::to_string(number(p.code)));
            ASSERT_EQ(c("Command1").visible, p.routine != nullptr);
            for (const auto& [i, text] : p.example) type(i, text);
            for (int i = 0; i < 8; ++i)
                if (c("zonetxt", i).visible && !c("zonetxt", i).locked && trim(box(i)).empty()) type(i, "2");
            dialogs_.clearShown();
            calcul();
            EXPECT_TRUE(messages().empty()) << (messages().empty() ? "" : messages().front());
            ASSERT_FALSE(p.results.empty());
            for (const auto& [key, caption] : p.results) {
                const Control* result = main().findKey(key);
                ASSERT_NE(result, nullptr) << key;
                const std::string shown = trim(result->text());
                EXPECT_TRUE(!shown.empty() && std::isfinite(leadingNumber(shown))) << key << " = \"" << shown << '"';
            }
        }
    EXPECT_GT(pages, 0);
}

// Whatever is typed, no page shows "nan" or "inf" nor leaves an infinite program-wide
// value, and the hourglass always goes away.
TEST_F(Formulas, NoPageShowsNanOrInfWhateverIsTyped) {
    const char* texts[] = {"",       "0",    "1",   "-3", "2,5", "0.5",  "1e30",
                           "-1e-30", "3e38", "abc", "89", "90",  "1000", "0.01"};
    const std::regex bad("(^|[^A-Za-z])[-+]?(nan|inf)", std::regex::icase);
    std::mt19937 rng(4);
    for (const char* path : Pages) {
        page(path);
        for (int round = 0; round < 150; ++round) {
            for (int i = 0; i < 8; ++i)
                if (rng() % 3 == 0 && c("zonetxt", i).visible) type(i, texts[rng() % std::size(texts)]);
            calcul();
            for (const auto& ctl : main().controls())
                ASSERT_FALSE(std::regex_search(ctl->text() + " " + ctl->caption, bad)) << path << " " << ctl->key();
            for (const auto& [name, field] : SharedValues::floatFields())
                ASSERT_TRUE(std::isfinite(sv().*field)) << path << " " << name;
            for (const auto& q : SharedValues::quantityFields())
                ASSERT_TRUE(std::isfinite(q.value(sv()))) << path << " " << q.name;
            ASSERT_FALSE(platform_.busy()) << path;
        }
    }
    dialogs_.clearShown();
}

// An overflow leaves no infinite program-wide value behind: the next page that
// pre-fills from it opens without a failure.
TEST_F(Formulas, OverflowWritesNoInfiniteSharedValue) {
    expectMessage("Dépassement de capacité");
    run("Options3/Conduite  plein débit", {{0, "1e38"}, {1, "120"}, {2, "10"}, {4, "100"}});
    EXPECT_TRUE(std::isfinite(sv().SharedJetSection));
    page("Options1/Choc d'un jet");
    expectMessage("Dépassement de capacité");
    run("Options2/Vitesses mode 1", {{0, "0.1"}, {1, "1e36"}});  // N ≈ 1.9e38 t/min, ω beyond a float
    EXPECT_TRUE(std::isfinite(sv().SharedOmega));
}

// The pages whose result is one formula: the result's mask and unit.
TEST_F(Formulas, QuickFormulasShowTheirResultWithTheirMask) {
    struct Row {
        const char* path;
        std::vector<std::pair<int, const char*>> inputs;
        const char* result;
        const char* unit;
    };
    const Row rows[] = {
        {"Options1/Choc d'un jet", {{0, "10"}, {1, "20"}, {2, "4"}}, "120.", "Force exercée en Newtons"},
        {"Options1/Puissance d'une chute", {{0, "10"}, {1, "0.5"}}, "66.667", "Puissance en CV"},
        {"Options2/Vitesse diamètre", {{0, "2"}, {1, "3"}}, "28.648", "Tours / minute"},
        {"Options2/Vitesse spécifique", {{0, "10"}, {1, "100"}, {2, "500"}}, "281.171", "Vitesse spécifique t/min"},
        {"Options2/Vitesses mode 1", {{0, "2"}, {1, "3"}}, "28.64789", "Vitesse en T/min"},
    };
    for (const Row& r : rows) {
        run(r.path, r.inputs);
        EXPECT_EQ(result(), r.result) << r.path;
        EXPECT_EQ(label("Labelresu"), r.unit) << r.path;
    }
    EXPECT_EQ(c("Text3").text(), "Vitesse angulaire en radians/s 3.000\r\n");
    type(2, "100");  // a torque adds the power
    calcul();
    EXPECT_EQ(c("Text3").text(), "Vitesse angulaire en radians/s 3.000\r\nPuissance en watts 300.000\r\n");
}

// ------------------------------------------------------------ Options1

TEST_F(Formulas, GateOfTwoMetresUnderTwoMetresOfHead) {
    sv().SharedWidth = 2;
    sv().SharedHead.set(2, HeadUnit::Metres);
    page("Options1/Vanne");
    EXPECT_EQ(visibility(), "1111100111111001");
    EXPECT_EQ(label("Label3"), "Vanne simple");
    EXPECT_EQ(box(0) + " " + box(1), "2. 2.");  // pre-filled with FormatNumber
    type(2, "0.5");
    calcul();
    EXPECT_EQ(result(), "3.223");
    EXPECT_EQ(label("Labelresu"), "Débit en m3/s");
    EXPECT_EQ(box(3) + " " + box(4) + " " + box(7), "0.55 6.045 0.275");
    EXPECT_EQ(label("Label1"), "Froude = 3.568 Régime Supercritique");
    EXPECT_NEAR(sv().SharedFlowLs, 3222.8f, 0.1);
    EXPECT_NEAR(sv().SharedHydraulicRadius, 0.2157f, 1e-4);
}

TEST_F(Formulas, GateRefusedOrFailingWritesNothing) {
    expectMessage("levée trop grande");
    run("Options1/Vanne", {{0, "2"}, {1, "1"}, {2, "0.6"}});
    expectMessage("Division par zéro");
    type(2, "");
    calcul();
    EXPECT_EQ(result() + box(3), "");
    EXPECT_EQ(sv().SharedJetFlow, 0);
}

TEST_F(Formulas, GateFlowBelowATenthIsShownInLitres) {
    run("Options1/Vanne", {{0, "0.1"}, {1, "1"}, {2, "0.2"}});
    EXPECT_EQ(label("Labelresu"), "Débit en litres/s");
    EXPECT_EQ(result(), "47.064");  // 0.1 × 0.56 × 0.2 × √(19.62 × 0.9) m³/s
}

TEST_F(Formulas, HydrostaticThrustInTheRegionalFormat) {
    page("Options1/Vanne");
    run("Options1/Pression hydrostatique", {{0, "1.5"}, {1, "1.1"}});
    EXPECT_EQ(label("Label3"), "");  // no title of its own, and not the gate's
    EXPECT_EQ(box(2), "8902.575");   // 9810 × 1.5 × 1.1² / 2
    sv().DecimalComma = true;
    calcul();
    EXPECT_EQ(box(2), "8902,575");
}

TEST_F(Formulas, JetPowerFromItsDiameter) {
    sv().SharedVelocity = 6.045019f;
    sv().SharedJetSection = 20;
    page("Options1/Puissance  d'un jet");
    EXPECT_EQ(box(0) + "|" + box(1), "6.045019|");  // plain regional text; a section is no diameter
    type(0, "10");
    type(1, "5");
    calcul();
    EXPECT_EQ(result() + " " + box(2) + " " + box(3), "981.748 19.635 19.635");
    EXPECT_NEAR(sv().SharedJetFlow, 19.635f, 1e-3);  // left in l/s by this page
}

TEST_F(Formulas, ShaftTakesTheLargerOfTorsionAndStiffness) {
    sv().SharedPowerCV = 10;
    sv().SharedSpeed = 100;
    run("Options1/Diamètre d'un arbre", {});
    EXPECT_EQ(result(), "55.742");  // d1 = 120 × 0.1^0.333 beats d2 = 53.98
    EXPECT_EQ(label("Labelresu"), "Diamètre recommandé (mm)");
    type(0, "1");
    calcul();
    EXPECT_EQ(result(), "30.358");  // d2 = 96 × 0.01^0.25 beats d1 = 25.89
}

// ------------------------------------------------------------ Options2

TEST_F(Formulas, VelocityOfAFiveMetreHead) {
    run("Options2/Hauteur chute", {{0, "5"}});
    EXPECT_EQ(result(), "9.90");
    EXPECT_NEAR(sv().SharedVelocity, 9.9045f, 1e-4);
}

TEST_F(Formulas, SpeedFromDiameterNeedsAVelocity) {
    expectMessage("vitesse de l'eau inconnue");
    run("Options2/Vitesse diamètre", {{0, "2"}});
    EXPECT_EQ(result(), "");
}

TEST_F(Formulas, WeirOfOneMetreUnderTenCentimetres) {
    run("Options2/Déversoir", {{0, "10"}, {1, "50"}, {2, "1"}});
    EXPECT_EQ(result(), "57.89");
    EXPECT_EQ(c("Text2").text(), "mu = 0.413");
    EXPECT_EQ(box(3), "0.579");
    EXPECT_EQ(c("Label", 3).backColor, 0xFFFF00);
    page("Options1/Vanne");
    EXPECT_EQ(c("Label", 3).backColor, NoColor);
}

TEST_F(Formulas, SpeedsModeTwoHidesPowerAndTorqueWithoutPower) {
    run("Options2/Vitesses mode 2", {{0, "2"}, {1, "30"}});
    EXPECT_EQ(result() + " " + box(2), "3.14159 3.14159");
    EXPECT_EQ(visibility(), "1110000011100000");
    run("Options2/Vitesses mode 2", {{0, "2"}, {1, "30"}, {3, "1000"}});
    EXPECT_EQ(box(4), "318.30984");
    EXPECT_EQ(label("Label", 4), "Couple mN");
}

// ------------------------------------------------------------ Options3

TEST_F(Formulas, SimilarityWithItsDefaults) {
    run("Options3/Similitude", {});
    EXPECT_EQ(result(), "15.89220");
    EXPECT_EQ(c("Text3").text(),
              "Résultats pour Roue 2 \r\nDiamétre  (m)  0.250\r\nDébit  (m3/s) 0.00395\r\n"
              "Vitesse (T/min) 252.98\r\nPuissance (Kw) 0.157\r\nVitesse spécifique (T/min)  15.637");
    expectMessage("Dépassement de capacité");  // no head: ns = 0 / 0^1.25
    type(2, "");
    calcul();
}

TEST_F(Formulas, NozzleUnderTwentyMetres) {
    expectMessage("Diamètre injecteur manquant");
    run("Options3/débit injecteur", {{0, "20"}});
    type(2, "50");
    calcul();
    EXPECT_EQ(result(), ".03890");  // V = 19.809 m/s, Q = 0.038895 m³/s
    EXPECT_NEAR(sv().SharedVelocity, 19.809f, 1e-3);
    EXPECT_EQ(label("Label1"), "Enregistrer temporaire\r\nvos données");
}

// "Tempobuse" is the pressure-pipe window's file: material, diameter mm, flow l/s,
// head m, length m, sum of singular loss coefficients, one per line.
TEST_F(Formulas, NozzlePageSharesThePressurePipeFile) {
    saveLines(file("Tempobuse"), {"Fonte neuve", "250", "100", "15", "20", "1,5"});
    page("Options3/débit injecteur");
    EXPECT_EQ(box(0) + " " + box(1) + " " + box(3) + " " + box(5), "15 250 20 100");
    type(2, "50");
    calcul();
    answer("oui");
    step("Formmain", "Label1");
    EXPECT_EQ(readLines(file("Tempobuse")), (std::vector<std::string>{"Plastic", "250", "33.68", "15", "20", "1,5"}));
}

TEST_F(Formulas, FullPipeTwoPassesOfSingularLossesKeptInTemporary) {
    run("Options3/Conduite  plein débit", {{0, "200"}, {1, "130"}, {2, "10"}, {3, "2"}, {4, "100"}});
    // Pass 1: Q = 0.1515 m³/s, hs = 2.371 m; pass 2 with Hn = 7.629 m.
    EXPECT_NEAR(shown(5), 130.92f, 0.02f);
    EXPECT_EQ(result() + " " + box(6) + " " + box(7), "4.167 8.23 1.77");
    EXPECT_EQ(visibility(), "1111111111111111");
    step("Formmain", "Label1");
    page("Options1/Vanne");
    page("Options3/Conduite  plein débit");
    EXPECT_EQ(box(0) + " " + box(4) + " " + box(6), "200 100 8.23");
}

TEST_F(Formulas, BladeStudyWithItsDefaults) {
    run("Options3/Aube Cylindrique", {});
    EXPECT_FALSE(c("zoneresu").visible);
    const std::string notes = c("Text3").text();
    EXPECT_EQ(notes.rfind("Vitesse V1 = 4.429\r\nVitesse U1 = 3.019\r\nVitesse W1 = 2.12\r\nVitesse V2 = ", 0), 0u);
    EXPECT_NE(notes.find("Vitesse U2 = 2.234\r\nVitesse W2 = 0.609\r\nRendement  % = "),
              std::string::npos);  // W2² = 0.371
    EXPECT_NE(notes.find("\r\nEuler métres = "), std::string::npos);
    EXPECT_NE(notes.find("\r\nAngle sortie eau "), std::string::npos);
    page("Options1/Vanne");
    EXPECT_TRUE(c("zoneresu").visible);  // the next page shows its result again
}

TEST_F(Formulas, BladeStudyImpossibleOrIncompatible) {
    run("Options3/Aube Cylindrique", {{4, "0.6"}});
    // kmin = √(1 − (sin 25° / sin 37°)²)
    EXPECT_EQ(c("Text3").text(),
              "Calcul IMPOSSIBLE\r\nDonnées à modifier\r\nAugmenter angle incidence ou diminuer angle aube entrée\r\n"
              "Valeur minimale de Dint /Dext pour vos données 0.712\r\n");
    run("Options3/Aube Cylindrique", {{5, "2"}});  // outlet 2 m higher: more energy out than in
    EXPECT_EQ(c("Text3").text(), "Calcul incompatible\r\nDonnées à modifier");
    c("Text3").setText("  ");
    expectMessage("Argument ou appel de procédure incorrect");
    type(0, "-1");
    calcul();
    EXPECT_EQ(c("Text3").text(), "Calcul incompatible\r\nDonnées à modifier");
}

}  // namespace
}  // namespace aub::test
