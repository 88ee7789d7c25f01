// The generic renderer on a small window of its own: edits and clicks reach the
// model, and what the model changes comes back on screen.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/DrawingWidget.h"
#include "ui/FormView.h"
#include "ui/ShownWindowTest.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

class ProbeForm : public Form {
public:
    explicit ProbeForm(Session& s) : Form(s, "Probe", "Fenêtre d'essai") {
        label("Label1", -1, "avant").at(0, 0, 1, 2);
        textBox("Valbox", 0).at(1, 0);
        textBox("Valbox", 1).at(1, 1);
        button("Calcul", -1, "&Calcul").at(2, 0);
        listBox("Liste").at(3, 0).size(1500, 1200);
        frame("Cadre", -1, "Options").at(4, 0, 1, 2);
        checkBox("Case", -1, "Vanne").in("Cadre").at(0, 0);
        slider("Barre", -1, 0, 100, 10).in("Cadre").at(0, 1);
        comboBox("Choix").at(5, 0);
        textBox("Notes", -1).at(6, 0, 1, 2).multi();
        canvas("Dessin").at(7, 0, 1, 2).size(3000, 1500);
        menu("Fichier", "&Fichier");
        menu("Ouvrir", "&Ouvrir", "Fichier");
        menu("Trait", "-", "Fichier").separator = true;
        menu("Fin", "&Fin");

        on("Valbox", EventKind::Change, [this](int i) {
            ++changes;
            ctl("Label1").caption = "case " + std::to_string(i) + " : " + txt("Valbox", i);
        });
        on("Calcul", EventKind::Click, [this](int) {
            ctl("Label1").caption = "calculé";
            ctl("Valbox", 1).visible = false;
        });
        on("Liste", EventKind::Click, [this](int) { ++listClicks; });
        on("Case", EventKind::Click, [this](int) { ++checkClicks; });
        on("Fichier", EventKind::Click, [this](int) {
            ++fileMenuOpened;
            ctl("Ouvrir").enabled = false;
        });
        on("Fin", EventKind::Click, [this](int) { ++endClicks; });
        for (const char* item : {"acier", "fonte", "béton"}) ctl("Liste").addItem(item);
        for (const char* item : {"Kaplan", "Francis", "Pelton"}) ctl("Choix").addItem(item);
    }
    bool queryUnload(CloseMode) override { return !refuseClose; }
    void activate() override { ++activations; }

    int activations = 0;
    int changes = 0, listClicks = 0, checkClicks = 0, fileMenuOpened = 0, endClicks = 0;
    bool refuseClose = false;
};

class FormViewTest : public test::ShownWindowTest<ProbeForm> {
protected:
    void SetUp() override { showWindow("Probe"); }
    void TearDown() override {
        EXPECT_TRUE(dialogs_.messages().empty());
        ShownWindowTest::TearDown();
    }
};

TEST_F(FormViewTest, BuildsOneWidgetPerControlInItsFrame) {
    EXPECT_EQ(view_->windowTitle(), QString::fromUtf8("Fenêtre d'essai"));
    auto* frame = widget<QGroupBox>("Cadre");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Options");
    EXPECT_TRUE(frame->isAncestorOf(widget<QCheckBox>("Case")));
    EXPECT_TRUE(frame->isAncestorOf(widget<QScrollBar>("Barre")));
    EXPECT_FALSE(frame->isAncestorOf(widget<QLineEdit>("Valbox", 0)));
    EXPECT_GE(widget<QListWidget>("Liste")->minimumWidth(), 100);  // 1500 twips
    EXPECT_EQ(widget<QListWidget>("Liste")->count(), 3);
}

// A window that declares a box's width gets a box of that width (a column of short
// figures), not Qt's of some seventeen characters; a box without one keeps Qt's.
TEST_F(FormViewTest, AOneLineBoxTakesTheWidthItsWindowDeclares) {
    host_->dispatch(form_, [this] { form_->ctl("Valbox", 0).size(1100, 0); });
    auto* narrow = widget<QLineEdit>("Valbox", 0);
    auto* plain = widget<QLineEdit>("Valbox", 1);
    ASSERT_TRUE(narrow && plain);
    EXPECT_EQ(narrow->sizeHint().width(), 73);  // 1100 twips
    EXPECT_EQ(narrow->minimumWidth(), 73);
    EXPECT_GT(plain->sizeHint().width(), 100);
}

TEST_F(FormViewTest, BecomingTheActiveWindowAgainRunsActivate) {
    const int before = form_->activations;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_));
    EXPECT_GT(form_->activations, before);
}

TEST_F(FormViewTest, TypedTextReachesTheModelAndRunsChangeOnEveryKey) {
    auto* box = widget<QLineEdit>("Valbox", 1);
    QTest::keyClicks(box, "2,5");
    EXPECT_EQ(form_->txt("Valbox", 1), "2,5");
    EXPECT_EQ(form_->changes, 3);
    // The caption the handler wrote is on screen.
    EXPECT_EQ(widget<QLabel>("Label1")->text(), "case 1 : 2,5");
}

TEST_F(FormViewTest, ModelTextComesBackWithoutRunningChangeAgain) {
    host_->dispatch(form_, [this] { form_->ctl("Valbox", 0).setText("12.5"); });
    EXPECT_EQ(widget<QLineEdit>("Valbox", 0)->text(), "12.5");
    EXPECT_EQ(form_->changes, 1);  // the model's own change only; the view echoes nothing
}

TEST_F(FormViewTest, ButtonClickRunsItsHandlerAndTheViewFollows) {
    QTest::mouseClick(widget<QPushButton>("Calcul"), Qt::LeftButton);
    EXPECT_EQ(widget<QLabel>("Label1")->text(), QString::fromUtf8("calculé"));
    // Visibility follows the model.
    EXPECT_TRUE(widget<QLineEdit>("Valbox", 1)->isHidden());
    EXPECT_FALSE(widget<QLineEdit>("Valbox", 0)->isHidden());
}

TEST_F(FormViewTest, WindowVisibilityFollowsTheSession) {
    host_->dispatch(form_, [this] { session_->hide("Probe"); });
    EXPECT_FALSE(view_->isVisible());
    host_->dispatch(form_, [this] { session_->show("Probe", true); });
    EXPECT_TRUE(view_->isVisible());
    EXPECT_EQ(view_->windowModality(), Qt::ApplicationModal);
}

TEST_F(FormViewTest, ListClickSelectsAndAClickOnTheSelectedEntryClicksAgain) {
    auto* list = widget<QListWidget>("Liste");
    auto clickRow = [&](int row) {
        QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    };
    clickRow(1);
    EXPECT_EQ(form_->ctl("Liste").listIndex(), 1);
    EXPECT_EQ(form_->ctl("Liste").text(), "fonte");
    EXPECT_EQ(form_->listClicks, 1);
    clickRow(1);
    EXPECT_EQ(form_->listClicks, 2);
    clickRow(2);
    EXPECT_EQ(form_->ctl("Liste").listIndex(), 2);
    EXPECT_EQ(form_->listClicks, 3);
    // The model's own choice shows as the current row; new entries appear.
    host_->dispatch(form_, [this] {
        form_->ctl("Liste").addItem("PVC");
        form_->ctl("Liste").setListIndex(3);
    });
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 3);
}

TEST_F(FormViewTest, CheckBoxSliderAndComboWriteTheModel) {
    QTest::mouseClick(widget<QCheckBox>("Case"), Qt::LeftButton);
    EXPECT_EQ(form_->ctl("Case").value(), 1);
    EXPECT_EQ(form_->checkClicks, 1);

    widget<QScrollBar>("Barre")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form_->ctl("Barre").value(), 11);

    auto* combo = widget<QComboBox>("Choix");
    emit combo->activated(2);
    EXPECT_EQ(form_->ctl("Choix").listIndex(), 2);
    EXPECT_EQ(form_->ctl("Choix").text(), "Pelton");
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Banki");
    EXPECT_EQ(form_->ctl("Choix").text(), "Banki");
    EXPECT_EQ(combo->count(), 3);  // typing never adds an entry
}

TEST_F(FormViewTest, MultiLineBoxGivesItsLinesWithCrLf) {
    auto* notes = widget<QPlainTextEdit>("Notes");
    QTest::keyClicks(notes, "a");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "b");
    EXPECT_EQ(form_->txt("Notes"), "a\r\nb");
    host_->dispatch(form_, [this] { form_->set("Notes", -1, "x\r\ny\r\nz"); });
    EXPECT_EQ(notes->toPlainText(), "x\ny\nz");
}

TEST_F(FormViewTest, MenuEntriesRunTheirHandlersAndAMenuClicksWhenItOpens) {
    Control& fichier = form_->ctl("Fichier");
    QMenu* menu = view_->menuOf(fichier);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Fichier");
    emit menu->aboutToShow();
    EXPECT_EQ(form_->fileMenuOpened, 1);
    // What the menu's Click changed shows before the entries do.
    EXPECT_FALSE(view_->actionOf(form_->ctl("Ouvrir"))->isEnabled());
    EXPECT_TRUE(view_->actionOf(form_->ctl("Trait"))->isSeparator());

    QAction* fin = view_->actionOf(form_->ctl("Fin"));
    ASSERT_NE(fin, nullptr);
    fin->trigger();
    EXPECT_EQ(form_->endClicks, 1);
    host_->dispatch(form_, [this] { form_->ctl("Fin").visible = false; });
    EXPECT_FALSE(fin->isVisible());
}

TEST_F(FormViewTest, CanvasPaintsItsDrawing) {
    auto* canvas = qobject_cast<DrawingWidget*>(view_->widgetOf(form_->ctl("Dessin")));
    ASSERT_NE(canvas, nullptr);
    host_->dispatch(form_, [this] {
        Drawing& d = form_->ctl("Dessin").drawing;
        d.scale(0, 0, 100, 100);
        d.penColor = 0xFF0000;
        d.box(0, 0, 50, 50, true);
        d.penColor = 0x0000FF;
        d.circle(75, 75, 10, true);
        d.text(60, 5, "H = 2.5 m");
        d.line(0, 0, std::numeric_limits<float>::quiet_NaN(), 3);  // skipped, never a crash
        d.line(0, 0, 1e30f, 1e30f);
    });
    QImage image = canvas->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    EXPECT_EQ(QColor(image.pixel(w / 4, h / 4)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(w * 3 / 4, h * 3 / 4)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(image.pixel(w - 2, h / 2)), QColor(255, 255, 255));
}

// A label placed near the right or bottom edge (an axis end) shows whole, not cut off.
TEST_F(FormViewTest, TextNearTheEdgeOfADrawingShowsWhole) {
    auto* canvas = qobject_cast<DrawingWidget*>(view_->widgetOf(form_->ctl("Dessin")));
    ASSERT_NE(canvas, nullptr);
    auto inkOf = [&](float x, float y) {
        host_->dispatch(form_, [&] {
            Drawing& d = form_->ctl("Dessin").drawing;
            d.clear();
            d.scale(0, 0, 10, 10);
            d.text(x, y, "9      dm ");
        });
        const QImage image = canvas->grab().toImage();
        int ink = 0;
        for (int j = 0; j < image.height(); ++j)
            for (int i = 0; i < image.width(); ++i) ink += qGray(image.pixel(i, j)) < 128;
        return ink;
    };
    const int whole = inkOf(0, 0);
    ASSERT_GT(whole, 20);
    EXPECT_GE(inkOf(9.5f, 0), whole * 9 / 10);
    EXPECT_GE(inkOf(0, 9.8f), whole * 9 / 10);
}

TEST_F(FormViewTest, ClosingIsRefusedWhenTheWindowSaysNo) {
    form_->refuseClose = true;
    EXPECT_FALSE(view_->close());
    EXPECT_TRUE(view_->isVisible());
    EXPECT_TRUE(form_->isLoaded());
    EXPECT_EQ(host_->view(*form_), view_);

    form_->refuseClose = false;
    EXPECT_TRUE(view_->close());
    EXPECT_EQ(session_->loaded("Probe"), nullptr);
}

}  // namespace
}  // namespace aub
