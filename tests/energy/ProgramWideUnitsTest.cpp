// The program-wide head, flow and power carry their writer's unit: after each window
// that writes them, the selection chart and the annual-energy window read them in
// their own units (m, m3/s, kW), while the value as stored stays what it always was.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Chart.h"
#include "support/WindowTest.h"

namespace aub::test {
namespace {

struct WriterCase {
    const char* name;
    const char* window;
    std::vector<std::string> steps;
    FlowRateUnit flowUnit;
    float flowM3s;                 // the flow the new readers must show, m3/s
    std::optional<float> headM;    // the head they must show, m (none: the window writes no head)
    std::optional<float> powerKW;  // the power in kW, when the writer leaves one
};

// Each row: a window's own calculation, the unit of its program-wide flow, and the
// figures a window reading the flow in m3/s must see. The stored values are the
// windows' own results (the overshot wheel's "Débit en l/s 78.223" is 0.078223 m3/s).
const std::vector<WriterCase>& writerCases() {
    static const std::vector<WriterCase> cases = {
        {"overshot wheel (l/s, W)",
         "Formrouehaut",
         {"List1=H0Dalmor.txt", "Calcul"},
         FlowRateUnit::LitresPerSecond,
         0.07822327f,
         3.5f,
         2.685796f},
        {"undershot wheel (m3/s, W)",
         "Frmdessous",
         {"List1=Bmoulin01.txt", "Combo1=Bois", "Combo2=INCLINEE"},
         FlowRateUnit::CubicMetresPerSecond,
         0.3946436f,
         1.2f,
         4.645745f},
        {"breastshot wheel (m3/s, kW)",
         "Frmrouedecoté",
         {"List1=Cmoulin01.txt", "cacus"},
         FlowRateUnit::CubicMetresPerSecond,
         0.3024848f,
         2.0f,
         5.934752f},
        {"Poncelet wheel (l/s, W)",
         "FrmPoncel",
         {"List1=Pmoulin01.txt", "Command1"},
         FlowRateUnit::LitresPerSecond,
         0.5f,
         1.5f,
         7.3575f},
        {"Sagebien wheel (m3/s per channel, kW)",
         "FrmSagebi",
         {"List1=Sageb01.txt", "Calcul"},
         FlowRateUnit::CubicMetresPerSecond,
         0.4312474f,
         1.8f,
         15.22993f},
        {"turbine by specific speed (m3/s, CV)",
         "Formroue",
         {"Command1"},
         FlowRateUnit::CubicMetresPerSecond,
         3.0f,
         10.0f,
         294.3926f},
        {"cross-flow turbine (m3/s, kW)",
         "Banki",
         {"Donnée(0)=10", "Donnée(1)=0.1", "Donnée(2)=80", "Donnée(3)=24", "Donnée(4)=16", "Donnée(5)=120",
          "Donnée(6)=0.5", "Calcul"},
         FlowRateUnit::CubicMetresPerSecond,
         0.1f,
         10.0f,
         8.0f},
        {"pressure pipe (l/s)",
         "Formbuse",
         {"Combo1=Fonte neuve", "Colebrook"},
         FlowRateUnit::LitresPerSecond,
         0.1f,
         15.0f,
         std::nullopt},
        {"pipe calculator (l/s)",
         "Form12",
         {"Combo1=Fonte neuve", "Command1"},
         FlowRateUnit::LitresPerSecond,
         0.1f,
         15.0f,
         std::nullopt},
        {"general page, weir (m3/s)",
         "Formmain",
         {"Options2/Déversoir", "zonetxt(0)=20", "zonetxt(1)=50", "zonetxt(2)=2", "CALCUL "},
         FlowRateUnit::CubicMetresPerSecond,
         0.3360672f,
         0.2f,
         std::nullopt},
        {"general page, injector flow (m3/s)",
         "Formmain",
         {"Options3/débit injecteur", "zonetxt(0)=50", "zonetxt(2)=100", "CALCUL "},
         FlowRateUnit::CubicMetresPerSecond,
         0.245994f,
         50.0f,
         std::nullopt},
        {"general page, injector flow saved for the pipe (l/s)",
         "Formmain",
         {"Options3/débit injecteur", "zonetxt(0)=50", "zonetxt(2)=100", "CALCUL ", "Label1"},
         FlowRateUnit::LitresPerSecond,
         0.24599f,
         50.0f,
         std::nullopt},
        {"general page, full-flow pipe (m3/s)",
         "Formmain",
         {"Options3/Conduite  plein débit", "zonetxt(0)=200", "zonetxt(1)=120", "zonetxt(2)=10", "zonetxt(3)=2",
          "zonetxt(4)=100", "CALCUL "},
         FlowRateUnit::CubicMetresPerSecond,
         0.1238174f,
         8.416586f,
         std::nullopt},
        {"general page, similar wheels (m3/s, kW)",
         "Formmain",
         {"Options3/Similitude", "zonetxt(0)=2", "zonetxt(1)=1", "zonetxt(2)=5", "zonetxt(3)=0.3", "zonetxt(4)=100",
          "zonetxt(5)=0.8", "zonetxt(6)=10", "CALCUL "},
         FlowRateUnit::CubicMetresPerSecond,
         0.3f,
         5.0f,
         11.772f},
        {"Archimedes screw (m3/s, kW)",
         "Frmvis",
         {"List1=Vismoulin01.txt", "Calcul"},
         FlowRateUnit::CubicMetresPerSecond,
         2.0f,
         3.0f,
         45.83441f},
        {"general page, rectangular channel (m3/s)",
         "Formmain",
         {"Perte de charge/Canal rectangulaire", "zonetxt(0)=1", "zonetxt(2)=2", "zonetxt(3)=0.5", "Combo1=Lisse",
          "CALCUL "},
         FlowRateUnit::CubicMetresPerSecond,
         1.0f,
         std::nullopt,
         std::nullopt},
        {"general page, bend (l/s, head loss in mm)",
         "Formmain",
         {"Perte de charge/Coude simple", "zonetxt(0)=200", "zonetxt(1)=500", "zonetxt(2)=2", "CALCUL "},
         FlowRateUnit::LitresPerSecond,
         0.06283186f,
         0.04281346f,
         std::nullopt},
    };
    return cases;
}

class ProgramWideUnits : public WindowTest {};

TEST_F(ProgramWideUnits, EachWriterStatesItsUnitAndTheNewReadersConvert) {
    for (const WriterCase& c : writerCases()) {
        SCOPED_TRACE(c.name);
        try {
            open(c.window);
            for (const std::string& s : c.steps) step(c.window, s);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            continue;
        } catch (const NoAnswerLeft& q) {
            ADD_FAILURE() << "question : " << q.text;
            continue;
        }
        SharedValues& sv = session().shared();
        EXPECT_EQ(sv.SharedFlow.unit(), c.flowUnit);
        EXPECT_NEAR(sv.flowM3s(), c.flowM3s, 1e-6 * c.flowM3s);
        if (c.headM) {
            EXPECT_NEAR(sv.headM(), *c.headM, 1e-6 * *c.headM);
        }
        if (c.powerKW) {
            ASSERT_TRUE(sv.powerKW().has_value());
            EXPECT_NEAR(*sv.powerKW(), *c.powerKW, 1e-3 + 1e-5 * *c.powerKW);
        } else {
            EXPECT_FALSE(sv.powerKW().has_value() && sv.SharedPower.value() != 0);
        }
        // The chart reads the program-wide values when no turbine window is open.
        try {
            if (std::string(c.window) != "Formmain") {
                if (Form* w = session().loaded(c.window); w && w->unsavedEdits()) answer("oui");
                session().unload(c.window);
            }
            session().unload("Formroue");
            session().unload("Banki");
            session().unload("DomaineEmploi");
            session().unload("Productible");
            Form& chart = load("DomaineEmploi");
            auto near = [](const std::string& text, float expected) {
                EXPECT_NEAR(std::stod(text), expected, 1e-6 * expected) << text;
            };
            near(chart.txt("Valbox", 0), c.flowM3s);
            Form& energy = load("Productible");
            near(energy.txt("Site", 4), c.flowM3s);
            if (c.headM) {
                near(chart.txt("Valbox", 1), *c.headM);
                near(energy.txt("Site", 0), *c.headM);
            }
            session().unload("DomaineEmploi");
            session().unload("Productible");
        } catch (const NoAnswerLeft& q) {
            ADD_FAILURE() << "question after: " << q.text;
        }
    }
}

// The windows that have always read the program-wide values read them as stored: the
// pipe's l/s stays l/s in the listing, with its unit beside it.
TEST_F(ProgramWideUnits, TheValueAsStoredIsKeptAndListedWithItsUnit) {
    SharedValues sv;
    sv.SharedFlow.set(78.223f, FlowRateUnit::LitresPerSecond);
    sv.SharedHead.set(120, HeadUnit::Millimetres);
    sv.SharedPower.set(10, PowerUnit::MetricHorsepower);
    EXPECT_EQ(static_cast<float>(sv.SharedFlow), 78.223f);
    EXPECT_FLOAT_EQ(sv.flowM3s(), 0.078223f);
    EXPECT_FLOAT_EQ(sv.headM(), 0.12f);
    EXPECT_FLOAT_EQ(*sv.powerKW(), 7.36f);  // 1 CV = 736 W
    sv.SharedPower.set(0.5f, PowerUnit::NotAPower);
    EXPECT_FALSE(sv.powerKW().has_value());
    std::vector<std::string> listed;
    for (const auto& q : SharedValues::quantityFields())
        listed.push_back(std::string(q.name) + " " + formatGeneral(q.value(sv)) + " " + q.unit(sv));
    EXPECT_EQ(listed, (std::vector<std::string>{"SharedHead 120 mm", "SharedFlow 78.223 l/s", "SharedPower 0.5 "}));
}

}  // namespace
}  // namespace aub::test
