// Buttons stay where the pointer left them: a calculation that fills the result boxes,
// shows a caption or a slider moves no button of its window, nor changes its size.
#include <QApplication>
#include <QLayout>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Windows.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/FormView.h"
#include "ui/ProgramOnScreenTest.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

struct Scenario {
    std::string window;
    std::vector<std::string> setup;  // command-line steps before the calculation
    std::string answer{};            // to the question a step asks, if any
};

// Each calculation window with data its calculation accepts, and formula pages of the
// main window (one that shows the " enregistre" caption after the result).
const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = {
        {"Formmain", {"Options1/Puissance d'une chute", "zonetxt(0)=10", "zonetxt(1)=0.5"}},
        {"Formmain",
         {"Options3/Conduite  plein débit", "zonetxt(0)=200", "zonetxt(1)=120", "zonetxt(2)=10", "zonetxt(3)=2",
          "zonetxt(4)=100"}},
        {"Formrouehaut", {"List1=H0Dalmor.txt"}},
        // Calculated by choosing its gate, then again by Enter with new data.
        {"Frmdessous",
         {"valubox(0)=2", "valubox(1)=0.2", "valubox(2)=3", "valubox(3)=0.8", "valubox(4)=0.5", "valubox(5)=0.35",
          "valubox(6)=24", "valubox(7)=30", "Combo1=Bois", "Combo2=INCLINEE", "valubox(0)=4"}},
        {"Frmrouedecoté", {"List1=Cmoulin01.txt"}},
        {"FrmSagebi", {"List1=Sageb01.txt"}},
        {"FrmPoncel", {"List1=Pmoulin01.txt"}},
        {"Frmpertecou",
         {"Valbox(0)=1", "Valbox(1)=100", "Valbox(2)=0.5", "Valbox(3)=10", "Valbox(4)=0.5", "Valbox(5)=0.014",
          "Valbox(6)=1"}},
        {"Banki",
         {"Donnée(0)=10", "Donnée(1)=0.1", "Donnée(2)=80", "Donnée(3)=24", "Donnée(4)=16", "Donnée(5)=120",
          "Donnée(6)=0.5"}},
        {"Formroue", {}},
        {"Formbuse", {"Combo1=Fonte neuve"}},
        {"Form12", {"Combo1=Fonte neuve"}},
        {"frmarcy", {}},
        {"frméole01", {}},
        {"Frmmarteau", {}},
        {"Productible", {"Fichier/Ouvrir"}, "Site exemple"},
    };
    return all;
}

class StableLayoutTest : public test::ProgramOnScreenTest {
protected:
    // Every shown button by its control's key, in window coordinates, once the layouts
    // have settled.
    static std::map<std::string, QRect> buttons(FormView& view) {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QApplication::processEvents();
        }
        std::map<std::string, QRect> out;
        for (QPushButton* b : view.findChildren<QPushButton*>())
            if (b->isVisibleTo(&view) && !b->objectName().isEmpty())
                out[b->objectName().toStdString()] = QRect(b->mapTo(&view, QPoint(0, 0)), b->size());
        return out;
    }

    static std::string text(const QRect& r) {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height());
    }
};

TEST_F(StableLayoutTest, NoButtonMovesWhenAWindowCalculates) {
    host_->dispatch(nullptr, [&] { session_->open("Formmain"); });
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.window + (s.setup.empty() ? std::string() : " " + s.setup.front()));
        host_->dispatch(nullptr, [&] { session_->open(s.window); });
        Form* form = session_->loaded(s.window);
        ASSERT_NE(form, nullptr);
        if (!s.answer.empty()) dialogs_.answer(s.answer);
        for (const std::string& step : s.setup) {
            ScriptOutcome out;
            host_->dispatch(form, [&] { out = runStep(*session_, s.window, step); });
            ASSERT_EQ(out.status, 0) << step << ": " << out.error;
        }
        FormView* view = host_->view(*form);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        const auto before = buttons(*view);
        const std::size_t messages = dialogs_.messages().size();
        bool ran = false;
        host_->dispatch(form, [&] { ran = form->runDefaultAction(); });
        ASSERT_TRUE(ran);
        // A calculation that stopped on a message would prove nothing here.
        const auto said = dialogs_.messages();
        EXPECT_EQ(said.size(), messages) << said.back();
        const auto after = buttons(*view);
        for (const auto& [key, rect] : before) {
            auto it = after.find(key);
            if (it == after.end()) continue;  // a button the calculation hides
            EXPECT_EQ(text(it->second), text(rect)) << key;
        }
        dialogs_.clearShown();
    }
}

}  // namespace
}  // namespace aub
