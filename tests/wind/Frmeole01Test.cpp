// The simple wind turbine window: sizing, numbered design files, the jet graph entry.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

const std::string W = "frméole01";

class Frmeole01Test : public test::WindowTest {
protected:
    // Types a whole design: D, blades, Vv, angle, K, ηB, hub %, outer %, root %, thickness %, σ.
    void type(const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) step(W, "Valbox(" + std::to_string(i) + ")=" + values[i]);
    }
};

TEST_F(Frmeole01Test, OpeningReadsTheFirstDesign) {
    Form& f = open(W);
    EXPECT_EQ(f.caption, "EOLIENNE ELEMENTAIRE ETUDE AM");
    EXPECT_TRUE(f.visible());
    EXPECT_TRUE(f.modal());
    EXPECT_EQ(text(W, "Valbox", 0), "2");
    EXPECT_EQ(text(W, "Valbox", 10), "100");
    EXPECT_EQ(text(W, "Labelx"), "Données chargées : " + session().shared().AppFolder + "moneole01.txt");
    EXPECT_EQ(session().shared().SharedFilePath, session().shared().AppFolder);
}

TEST_F(Frmeole01Test, MissingFirstDesignIsReportedAndLeavesTheInputsEmpty) {
    std::filesystem::remove(folder() / "moneole01.txt");
    expectMessage("Fichier introuvable\n Numéro 53");
    open(W);
    EXPECT_EQ(text(W, "Valbox", 0), "");
    EXPECT_EQ(text(W, "Labelx"), "");
}

// D = 2 m, Vv = 10 m/s: A = π, Pw = 1000 · π/2 · 1.225 = 1924.2 W, Pb = 16/27 Pw = 1140.3 W.
TEST_F(Frmeole01Test, TwoMetreRotorInTenMetreWind) {
    open(W);
    type({"2", "3", "10", "5", "6", "0.7", "10", "8", "12", "1.5", "100"});
    step(W, "Calcul 1");
    EXPECT_EQ(text(W, "Resubox", 0), "1140.282");
    EXPECT_EQ(text(W, "Resubox", 1), "798.197");  // 0.7 · Pb
    EXPECT_EQ(text(W, "Resubox", 2), "572.958");  // 60 · 6 · 10 / (π · 2)
    EXPECT_EQ(text(W, "Resubox", 3), "3.142");
    EXPECT_EQ(text(W, "Resubox", 4), "254.074");
    EXPECT_EQ(text(W, "Resubox", 7), "16.000");
    EXPECT_EQ(text(W, "Resubox", 8), "24.000");
    EXPECT_EQ(text(W, "Resubox", 9), "5.400");  // 0.9 m · 30 mm · 0.2 m
    EXPECT_EQ(text(W, "Resubox", 10), "30.000");
    EXPECT_EQ(text(W, "Resubox", 11), "0.900");
    EXPECT_NEAR(std::stof(text(W, "Resubox", 5)), 9720.0f, 0.01f);  // 60² · 5.4 / 2
    EXPECT_NEAR(std::stof(text(W, "Resubox", 6)), 97.2f, 0.001f);
    EXPECT_FLOAT_EQ(session().shared().SharedDiameter, 2.0f);
    EXPECT_FLOAT_EQ(session().shared().SharedRimSpeed, 60.0f);
}

TEST_F(Frmeole01Test, NoTipSpeedMeansNoRotationAndNoPull) {
    open(W);
    type({"2", "3", "10", "5", "0", "0.7", "10", "8", "12", "1.5", "100"});
    step(W, "Calcul 1");
    EXPECT_EQ(text(W, "Resubox", 2), "0.000");
    EXPECT_EQ(text(W, "Resubox", 5), "0.000");
    EXPECT_EQ(text(W, "Resubox", 6), "0.000");
}

TEST_F(Frmeole01Test, ZeroSteelStressIsReportedAfterTheFirstSixResults) {
    open(W);
    type({"2", "3", "10", "5", "6", "0.7", "10", "8", "12", "1.5", "0"});
    expectMessage("Division par zéro\n Numéro 11");
    step(W, "Calcul 1");
    EXPECT_EQ(text(W, "Resubox", 5).substr(0, 4), "9719");
    EXPECT_EQ(text(W, "Resubox", 6), "");
    EXPECT_EQ(text(W, "Resubox", 7), "");
    EXPECT_TRUE(session().loaded(W));
}

TEST_F(Frmeole01Test, SaveThenOpenANumberedDesign) {
    open(W);
    type({"3", "2", "8", "4", "5", "0,6", "12", "7", "11", "2", "80"});
    answer("7");
    step(W, "Enregistre");
    const auto lines = readFileBytes(folder() / "Moneole07.txt");
    EXPECT_EQ(lines, "3\r\n2\r\n8\r\n4\r\n5\r\n0,6\r\n12\r\n7\r\n11\r\n2\r\n80\r\n");

    step(W, "Calcul 1");
    step(W, "Valbox(0)=9");
    answer("oui");  // the typed 9 may go
    answer("07");
    step(W, "Ouvre");
    EXPECT_EQ(text(W, "Valbox", 0), "3");
    EXPECT_EQ(text(W, "Valbox", 5), "0,6");  // a decimal comma comes back whole
    EXPECT_EQ(text(W, "Resubox", 0), "");    // results 0..9 cleared
    EXPECT_NE(text(W, "Resubox", 11), "");   // 10 and 11 are kept
    EXPECT_EQ(text(W, "Labelx"), "Données chargées : " + session().shared().AppFolder + "Moneole07.txt");
}

TEST_F(Frmeole01Test, FileNumberAbove255OrCancelWritesNothing) {
    open(W);
    answer("256");
    expectMessage("Numéro de fichier refusé : donnez un nombre de 0 à 255");
    step(W, "Enregistre");
    answer("");
    step(W, "Enregistre");
    EXPECT_EQ(listFiles(folder(), "Moneole*.txt"), std::vector<std::string>{"moneole01.txt"});
    answer("255");
    step(W, "Enregistre");
    EXPECT_TRUE(fileExists(folder(), "Moneole255.txt"));
}

TEST_F(Frmeole01Test, ProfilOpensTheJetGraph) {
    open(W);
    step(W, "Profil");
    Form* graph = session().loaded("frmGraph");
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(graph->visible());
}

TEST_F(Frmeole01Test, InertEntriesStayVisibleAndFinEndsTheProgram) {
    Form& f = open(W);
    for (const char* entry : {"Données", "Pale", "Calcul 2", "Levage", "haubans"}) {
        step(W, entry);
    }
    std::vector<std::string> bar;
    for (Control* m : f.menuChildren("")) {
        EXPECT_TRUE(m->visible) << m->caption;
        bar.push_back(m->caption);
    }
    // The window's ten entries in their order, then the dossier's menu.
    const std::vector<std::string> expected{"Fin",  "Données",  "Enregistre", "Ouvre",  "Profil",
                                            "Pale", "Calcul 1", "Calcul 2",   "Levage", "haubans"};
    ASSERT_EQ(bar.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(bar.begin(), bar.end() - 1), expected);
    EXPECT_EQ(bar.back(), "&Dossier");
    EXPECT_EQ(text(W, "Resubox", 0), "");
    answer("oui");  // "Quitter Aubelys ?"
    step(W, "Fin");
    EXPECT_TRUE(session().ended());
}

}  // namespace
}  // namespace aub
