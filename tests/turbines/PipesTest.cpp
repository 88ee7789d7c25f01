// Pressure pipe (Colebrook, Scimemi, full flow, warnings, "Tempobuse"), the two-basin
// pipe and the open channel by Darcy–Weisbach.
#include <gtest/gtest.h>

#include <fstream>

#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Session.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

class FormbuseTest : public WindowTest {
protected:
    std::string box(int i) { return text("Formbuse", "Valbox", i); }
    Control& label(const char* name) { return session().load("Formbuse").ctl(name); }
};

TEST_F(FormbuseTest, OpensNotModalAtTop1500WithItsCode) {
    open("Formbuse");
    Form& pipe = session().load("Formbuse");
    EXPECT_TRUE(pipe.visible());
    EXPECT_FALSE(pipe.modal());
    EXPECT_EQ(pipe.topTw, 1500);
    EXPECT_EQ(number(session().shared().FormulaId), 9);
    EXPECT_EQ(box(1), "250");
    EXPECT_TRUE(label("Label2").visible);
    EXPECT_EQ(label("Label2").caption, "Initiez votre choix sur la barre des menus");
}

TEST_F(FormbuseTest, ColebrookWithNewCastIron) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    EXPECT_EQ(box(0), "Fonte neuve");
    step("Formbuse", "Colebrook");
    EXPECT_EQ(box(6), "17.1148");
    EXPECT_EQ(box(7), "342.295");
    EXPECT_EQ(box(8), "14.658");
    EXPECT_EQ(box(9), "2.037");
    EXPECT_EQ(box(11), "0.212");
    EXPECT_FALSE(label("Label2").visible);
    EXPECT_FALSE(label("Label3").visible);
    // A new material empties the results but keeps the velocity head.
    step("Formbuse", "Combo1=Cuivre");
    EXPECT_EQ(box(6), "");
    EXPECT_EQ(box(7), "");
    EXPECT_EQ(box(11), "0.212");
}

TEST_F(FormbuseTest, ScimemiPerMaterial) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Scimemi");
    EXPECT_EQ(box(6), "12.2072");
    step("Formbuse", "Combo1=Cuivre");
    step("Formbuse", "Scimemi");
    EXPECT_EQ(box(6), "8.6031");
    step("Formbuse", "Combo1=Plastic");
    step("Formbuse", "Scimemi");
    EXPECT_EQ(box(6), "8.6031");
    step("Formbuse", "Combo1=Bois poncé");
    expectMessage("Matériau non reconnu");
    step("Formbuse", "Scimemi");
    EXPECT_EQ(box(6), "");
}

TEST_F(FormbuseTest, ScimemiArithmeticFailureNamesTheInput) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Valbox(2)=-100");
    expectMessage(" un champ de saisie a une valeur incorrecte ou nulle");
    expectMessage("Argument ou appel de procédure incorrect");
    step("Formbuse", "Scimemi");
}

TEST_F(FormbuseTest, FullFlowStepsPastFourPointEight) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "PLein débit");
    EXPECT_EQ(box(9), "4.837");  // 2.037 + 14 steps of 0.2
    EXPECT_EQ(box(1), "250");
    EXPECT_EQ(box(2), "100");  // the flow box is not changed
    expectMessage("Il manque au moins une donnée");
    step("Formbuse", "Valbox(1)=0");
    step("Formbuse", "PLein débit");
    expectMessage("Il manque au moins une donnée H , Q ou L");
    step("Formbuse", "Valbox(4)=0");
    step("Formbuse", "PLein débit");
}

TEST_F(FormbuseTest, MissingDataStopsColebrook) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Valbox(1)=0");
    expectMessage("Il manque au moins une donnée");
    step("Formbuse", "Colebrook");
    EXPECT_EQ(box(6), "");
}

TEST_F(FormbuseTest, WarningsAfterACalculation) {
    open("Formbuse");
    step("Formbuse", "Combo1=Fonte neuve");
    step("Formbuse", "Valbox(1)=100");
    step("Formbuse", "Valbox(2)=50");  // V ≈ 6.37 m/s
    step("Formbuse", "Colebrook");
    EXPECT_TRUE(label("Label2").visible);
    EXPECT_EQ(label("Label2").caption, "AVERTISSEMENT \n Vitesse de l'eau supérieure à 5 m/s");
    EXPECT_FALSE(label("Label3").visible);
    step("Formbuse", "Valbox(4)=100");  // the losses exceed the head
    step("Formbuse", "Colebrook");
    EXPECT_EQ(label("Label2").caption, "AVERTISSEMENT \n Pression négative en sortie , données non concordantes");
    step("Formbuse", "Valbox(3)=1");  // velocity head above the upstream head
    step("Formbuse", "Colebrook");
    EXPECT_TRUE(label("Label3").visible);
    EXPECT_EQ(label("Label3").caption, "AVERTISSEMENT \n Pression trop faible , écoulement impossible");
}

TEST_F(FormbuseTest, TempobuseIsSharedWithTheGeneralPage) {
    // As the general page's "débit injecteur" writes it: the sixth line may be empty.
    std::ofstream(folder() / "Tempobuse", std::ios::binary) << "Plastic\r\n200\r\n100.\r\n15\r\n30\r\n\r\n";
    open("Formbuse");
    EXPECT_EQ(box(0), "Plastic");
    EXPECT_EQ(box(1), "200");
    EXPECT_EQ(box(2), "100.");
    EXPECT_EQ(box(4), "30");
    EXPECT_EQ(box(5), "");
    EXPECT_EQ(text("Formbuse", "Combo1"), "Plastic");
    EXPECT_FALSE(label("Label2").visible);
    step("Formbuse", "Valbox(5)=1,5");
    step("Formbuse", "Fichier/Enregistrer");
    std::ifstream in(folder() / "Tempobuse", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, "Plastic\r\n200\r\n100.\r\n15\r\n30\r\n1,5\r\n");
    session().unload("Formbuse");
    session().collect();
    open("Formbuse");
    EXPECT_EQ(box(5), "1,5");
}

TEST_F(FormbuseTest, ClosingClearsPipeWindowOpen) {
    open("Formbuse");
    session().shared().PipeWindowOpen = true;
    step("Formbuse", "Fichier/Fermer");
    EXPECT_EQ(session().loaded("Formbuse"), nullptr);
    EXPECT_FALSE(session().shared().PipeWindowOpen);
}

TEST_F(FormbuseTest, ClosingAsksForTypedDataUntilTheyAreSaved) {
    open("Formbuse");
    step("Formbuse", "Valbox(1)=300");
    answer("non");
    step("Formbuse", "Fichier/Fermer");
    ASSERT_NE(session().loaded("Formbuse"), nullptr);
    EXPECT_EQ(box(1), "300");
    step("Formbuse", "Fichier/Enregistrer");
    step("Formbuse", "Fichier/Fermer");  // nothing asked
    EXPECT_EQ(session().loaded("Formbuse"), nullptr);
    std::size_t asked = 0;
    for (const auto& d : dialogs_.shown()) asked += d.text == DiscardEditsQuestion;
    EXPECT_EQ(asked, 1u);
    open("Formbuse");
    EXPECT_EQ(box(1), "300");
}

class PipeCalculatorsTest : public WindowTest {};

TEST_F(PipeCalculatorsTest, TwoBasinsDefaultsWithNewCastIron) {
    open("Form12");
    EXPECT_TRUE(session().load("Form12").modal());
    EXPECT_EQ(number(session().shared().FormulaId), 33);
    step("Form12", "Combo1=Fonte neuve");
    step("Form12", "Command1");
    EXPECT_EQ(text("Form12", "Valbox", 6), "17.1148");
    EXPECT_EQ(text("Form12", "Valbox", 10), "423.049");
    EXPECT_EQ(text("Form12", "Valbox", 7), "765.345");
    EXPECT_EQ(text("Form12", "Valbox", 8), "14.235");
    EXPECT_EQ(text("Form12", "Valbox", 13), "0.765");
    EXPECT_FLOAT_EQ(session().shared().SharedPower, 0.0f);
}

TEST_F(PipeCalculatorsTest, TwoBasinsNeedAKnownWall) {
    open("Form12");
    step("Form12", "Combo1=Bois brut");  // 0.9 mm is still in the table
    step("Form12", "Command1");
    EXPECT_NE(text("Form12", "Valbox", 7), "");
    step("Form12", "Combo1=Béton");  // typed, outside the table: 1 mm
    expectMessage(" spécifiez  par un click la nature de paroi");
    step("Form12", "Command1");
}

TEST_F(PipeCalculatorsTest, ChannelDefaults) {
    open("frmarcy");
    EXPECT_TRUE(session().load("frmarcy").modal());
    step("frmarcy", "Command1");
    EXPECT_EQ(text("frmarcy", "Resubox", 0), "0.01402");
    EXPECT_EQ(text("frmarcy", "Resubox", 1), "25.27543");
    EXPECT_EQ(text("frmarcy", "Resubox", 2), "0.21818");
    EXPECT_EQ(text("frmarcy", "Resubox", 3), "2.77778");
    EXPECT_EQ(text("frmarcy", "Resubox", 4), "603045");
    EXPECT_EQ(text("frmarcy", "Resubox", 5), "0.00009");
}

TEST_F(PipeCalculatorsTest, ChannelOnlyRaisesTheDecimalCommaFlag) {
    // A point as separator leaves the flag as the main window set it.
    session().shared().DecimalComma = true;
    open("frmarcy");
    EXPECT_TRUE(session().shared().DecimalComma);
    session().unload("frmarcy");
    session().collect();
    platform_.separator = ',';
    session().shared().DecimalComma = false;
    open("frmarcy");
    EXPECT_TRUE(session().shared().DecimalComma);
}

TEST_F(PipeCalculatorsTest, ChannelWithoutFlowOrDepth) {
    open("frmarcy");
    step("frmarcy", "Valbox(2)=0");
    step("frmarcy", "Command1");
    EXPECT_EQ(text("frmarcy", "Resubox", 0), "0.0");
    EXPECT_EQ(text("frmarcy", "Resubox", 1), "0.0");
    step("frmarcy", "Valbox(2)=0.2");
    step("frmarcy", "Valbox(1)=0");
    expectMessage("Il manque au moins une donnée");
    step("frmarcy", "Command1");
    step("frmarcy", "Valbox(1)=0.06");
    step("frmarcy", "Valbox(0)=0");
    expectMessage("Il manque au moins une donnée");
    step("frmarcy", "Command1");
}

}  // namespace
}  // namespace aub::test
