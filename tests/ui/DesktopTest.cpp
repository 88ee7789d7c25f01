// The program's windows as a person meets them on a desktop: lists that load only
// when chosen, the keyboard, the unsaved-edit question, the main window's strip and
// windows that fit a laptop screen.
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "app/Windows.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/FormView.h"
#include "ui/ProgramOnScreenTest.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

class DesktopTest : public test::ProgramOnScreenTest {
protected:
    // Opens a window as its menu entry does and waits until it is on screen.
    FormView* open(const char* name) {
        host_->dispatch(nullptr, [&] { session_->open(name); });
        Form* f = session_->loaded(name);
        if (!f) return nullptr;
        FormView* v = host_->view(*f);
        if (v && !QTest::qWaitForWindowExposed(v)) return nullptr;
        return v;
    }
    Form& form(const char* name) { return *session_->loaded(name); }
    template <class W>
    W* widget(const char* window, const char* name, int index = -1) {
        Form& f = form(window);
        return qobject_cast<W*>(host_->view(f)->widgetOf(f.ctl(name, index)));
    }
    std::string text(const char* window, const char* name, int index = -1) {
        return form(window).ctl(name, index).text();
    }
    std::size_t discardQuestions() const {
        std::size_t n = 0;
        for (const auto& d : dialogs_.shown()) n += d.text == DiscardEditsQuestion;
        return n;
    }
};

// The overshot window with a design opened from its list, no edit made since.
class OvershotDesk : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        main_ = open("Formmain");
        host_->dispatch(form("Formmain").isLoaded() ? &form("Formmain") : nullptr,
                        [&] { session_->open("Formrouehaut"); });
        Form* f = session_->loaded("Formrouehaut");
        ASSERT_NE(f, nullptr);
        view_ = host_->view(*f);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_));
        view_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view_));
        list_ = widget<QListWidget>("Formrouehaut", "List1");
        ASSERT_NE(list_, nullptr);
    }
    QLineEdit* box(int i) { return widget<QLineEdit>("Formrouehaut", "Valbox", i); }
    void clickEntry(int row) {
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, list_->visualItemRect(list_->item(row)).center());
    }
    void chooseFirstDesign() {
        clickEntry(0);
        ASSERT_EQ(form("Formrouehaut").ctl("List1").listIndex(), 0);
        ASSERT_FALSE(text("Formrouehaut", "Valbox", 0).empty());
    }
    QAction* action(const char* window, const char* entry) {
        return host_->view(form(window))->actionOf(form(window).ctl(entry));
    }
    FormView* main_ = nullptr;
    FormView* view_ = nullptr;
    QListWidget* list_ = nullptr;
};

TEST_F(OvershotDesk, TabAndArrowsIntoTheListLoadNothingClickAndEnterLoad) {
    box(11)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box(11), Qt::Key_Tab);
    EXPECT_EQ(view_->focusWidget(), list_);
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Down);
    QTest::keyClick(list_, Qt::Key_Up);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(text("Formrouehaut", "Valbox", i), "") << i;
    EXPECT_EQ(form("Formrouehaut").ctl("List1").listIndex(), -1);

    const int row = list_->currentRow();
    ASSERT_GE(row, 0);
    QTest::keyClick(list_, Qt::Key_Return);
    EXPECT_EQ(form("Formrouehaut").ctl("List1").listIndex(), row);
    EXPECT_FALSE(text("Formrouehaut", "Valbox", 0).empty());
    EXPECT_TRUE(text("Formrouehaut", "Resubox", 1).empty());  // Enter on the list only opened it

    const int other = 1 - row;
    clickEntry(other);
    EXPECT_EQ(form("Formrouehaut").ctl("List1").text(), list_->item(other)->text().toStdString());
    EXPECT_EQ(discardQuestions(), 0u);
}

TEST_F(OvershotDesk, EnterCalculatesAndEnterOnAButtonPressesIt) {
    chooseFirstDesign();
    ASSERT_TRUE(text("Formrouehaut", "Resubox", 1).empty());
    box(3)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box(3), Qt::Key_Return);
    EXPECT_FALSE(text("Formrouehaut", "Resubox", 1).empty());

    auto* more = widget<QPushButton>("Formrouehaut", "Command1");
    more->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(more, Qt::Key_Enter);
    Form* extra = session_->loaded("Formsurfa");
    ASSERT_NE(extra, nullptr);
    EXPECT_TRUE(extra->visible());
}

TEST_F(OvershotDesk, EscapeClosesAModalChildAndNeverEndsTheProgram) {
    chooseFirstDesign();
    host_->dispatch(&form("Formrouehaut"), [&] { session_->show("Formsurfa", true); });
    FormView* extra = host_->view(form("Formsurfa"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(extra));
    QTest::keyClick(extra, Qt::Key_Escape);
    EXPECT_FALSE(form("Formsurfa").visible());  // as its "Retour" does: hidden
    EXPECT_FALSE(extra->isVisible());

    QTest::keyClick(view_, Qt::Key_Escape);  // its "Fermer" would end the program
    EXPECT_EQ(session_->loaded("Formrouehaut"), nullptr);
    EXPECT_FALSE(session_->ended());
    QTest::keyClick(main_, Qt::Key_Escape);  // the main window is no child
    EXPECT_TRUE(form("Formmain").visible());
}

TEST_F(OvershotDesk, TypedValuesAreAskedForOnEveryDestructivePathAndNonKeepsThem) {
    chooseFirstDesign();
    box(0)->setFocus(Qt::OtherFocusReason);
    box(0)->selectAll();
    QTest::keyClicks(box(0), "9.75");
    ASSERT_EQ(text("Formrouehaut", "Valbox", 0), "9.75");
    ASSERT_TRUE(form("Formrouehaut").unsavedEdits());

    dialogs_.answer("non");
    clickEntry(1);  // another design
    dialogs_.answer("non");
    action("Formrouehaut", "cleardat")->trigger();  // "Efface données"
    dialogs_.answer("non");
    action("Formrouehaut", "ooo")->trigger();  // "Fermer"
    dialogs_.answer("non");
    EXPECT_FALSE(view_->close());  // the close box
    dialogs_.answer("non");
    action("Formmain", "Quitter")->trigger();  // the main "&Quitter"
    EXPECT_EQ(discardQuestions(), 5u);
    EXPECT_EQ(text("Formrouehaut", "Valbox", 0), "9.75");
    EXPECT_EQ(box(0)->text(), "9.75");
    EXPECT_EQ(list_->currentRow(), 0);  // the refused entry is not shown as chosen
    EXPECT_TRUE(view_->isVisible());
    EXPECT_FALSE(session_->ended());

    dialogs_.answer("oui");
    clickEntry(1);
    EXPECT_NE(text("Formrouehaut", "Valbox", 0), "9.75");
}

TEST_F(OvershotDesk, EffaceDonneesEmptiesTheBoxesOnlyForOui) {
    chooseFirstDesign();
    const std::string first = text("Formrouehaut", "Valbox", 0);
    for (const char* keep : {"", "non", "NON"}) {  // "" is Cancel or Escape
        dialogs_.answer(keep);
        action("Formrouehaut", "cleardat")->trigger();
        EXPECT_EQ(box(0)->text().toStdString(), first) << keep;
    }
    dialogs_.answer("oui");
    action("Formrouehaut", "cleardat")->trigger();
    for (int i = 0; i < 17; ++i) EXPECT_TRUE(box(i)->text().isEmpty()) << i;
    EXPECT_EQ(discardQuestions(), 0u);
}

TEST_F(DesktopTest, MainWindowStripIsItsMenuBarAlone) {
    FormView* main = open("Formmain");
    ASSERT_NE(main, nullptr);
    const int bar = main->menuBar()->sizeHint().height();
    EXPECT_LE(main->height(), bar + 2);
    host_->dispatch(&form("Formmain"), [&] {
        Form& f = form("Formmain");
        f.fire(f.ctl("Options1"), EventKind::Click);
        f.fire(f.ctl("Vanne"), EventKind::Click);
    });
    EXPECT_GT(main->height(), 300);
    host_->dispatch(&form("Formmain"),
                    [&] { form("Formmain").fire(form("Formmain").ctl("Evaluations"), EventKind::Click); });
    EXPECT_LE(main->height(), bar + 2);
}

TEST_F(DesktopTest, EnterOnAFormulaPageRunsCalcul) {
    FormView* main = open("Formmain");
    ASSERT_NE(main, nullptr);
    Form& f = form("Formmain");
    host_->dispatch(&f, [&] {
        f.fire(f.ctl("Options1"), EventKind::Click);
        f.fire(f.ctl("Puisschute"), EventKind::Click);
    });
    auto* height = qobject_cast<QLineEdit*>(main->widgetOf(f.ctl("zonetxt", 0)));
    auto* flow = qobject_cast<QLineEdit*>(main->widgetOf(f.ctl("zonetxt", 1)));
    ASSERT_TRUE(height && flow);
    QTest::keyClicks(height, "10");
    QTest::keyClicks(flow, "0.5");
    EXPECT_EQ(f.ctl("zoneresu").text(), "");
    QTest::keyClick(flow, Qt::Key_Return);
    EXPECT_EQ(f.ctl("zoneresu").text(), "66.667");
}

TEST_F(DesktopTest, StartPictureAnswersEnterSpaceAndEscape) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        TearDown();
        SetUp();
        FormView* start = open("Frmdepart");
        ASSERT_NE(start, nullptr);
        QTest::keyClick(start, key);
        EXPECT_EQ(session_->loaded("Frmdepart"), nullptr) << key;
        ASSERT_NE(session_->loaded("Formmain"), nullptr) << key;
        EXPECT_TRUE(form("Formmain").visible()) << key;
    }
}

TEST_F(DesktopTest, ChildWindowsStayAboveTheWindowThatOpenedThem) {
    FormView* main = open("Formmain");
    ASSERT_NE(main, nullptr);
    Form& f = form("Formmain");
    host_->dispatch(&f, [&] { f.fire(f.ctl("Condcirc"), EventKind::Click); });
    Form* pipe = session_->loaded("Formbuse");
    ASSERT_NE(pipe, nullptr);
    FormView* v = host_->view(*pipe);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v));
    ASSERT_NE(v->windowHandle(), nullptr);
    EXPECT_EQ(v->windowHandle()->transientParent(), main->windowHandle());
}

TEST_F(DesktopTest, ChartWindowsAreOrdinaryWindowsThatEscapeCloses) {
    open("Formmain");
    FormView* pipe = open("Formbuse");
    ASSERT_NE(pipe, nullptr);
    Form& f = form("Formbuse");
    host_->dispatch(&f, [&] { f.fire(f.ctl("Moody"), EventKind::Click); });
    ASSERT_NE(session_->loaded("Moody"), nullptr);
    FormView* chart = host_->view(form("Moody"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    // Not kept above the pipe window: clicking the pipe window brings it to the front.
    ASSERT_NE(chart->windowHandle(), nullptr);
    EXPECT_EQ(chart->windowHandle()->transientParent(), nullptr);
    EXPECT_FALSE(chart->windowFlags().testFlag(Qt::Dialog));
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_EQ(session_->loaded("Moody"), nullptr);
    EXPECT_NE(session_->loaded("Formbuse"), nullptr);
}

TEST_F(DesktopTest, ModalWindowOpensCentredOnItsOwner) {
    open("Formmain");
    FormView* owner = open("Formrouehaut");
    ASSERT_NE(owner, nullptr);
    host_->dispatch(&form("Formrouehaut"), [&] { session_->show("Formsurfa", true); });
    FormView* child = host_->view(form("Formsurfa"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(child));
    const QPoint offset = child->geometry().center() - owner->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4);
}

TEST_F(DesktopTest, EveryWindowFitsALaptopScreenAndOpensWhollyOnIt) {
    for (const auto& name : catalog_.names()) {
        Form& f = session_->load(name);
        if (!f.isLoaded()) continue;
        FormView* v = host_->ensureView(f);
        v->placeOnScreen();
        const QSize need = v->contentSize();
        EXPECT_LE(need.width(), 1366) << name;
        EXPECT_LE(need.height(), 720) << name;
        const QRect screen = v->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(v->geometry())) << name;
    }
    dialogs_.clearShown();  // what the windows say when they open is not the point here
}

// A title bar writes its title bold, 8 pixels either side, beside its icon and three
// buttons of 22 pixels: every window is at least that wide ("Roue Sagebien : résultats
// suite" was cut short in a window of 297 pixels).
TEST_F(DesktopTest, EveryWindowIsWideEnoughForItsWholeTitle) {
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (const auto& name : catalog_.names()) {
        Form& f = session_->load(name);
        if (!f.isLoaded()) continue;
        FormView* v = host_->ensureView(f);
        v->placeOnScreen();
        const int need = QFontMetrics(bold).horizontalAdvance(v->windowTitle()) + 16 + 4 * 22;
        EXPECT_GE(v->width(), need) << name;
    }
    dialogs_.clearShown();
}

TEST_F(DesktopTest, MnemonicsAreUniqueInEveryMenuBar) {
    for (const auto& name : catalog_.names()) {
        Form& f = session_->load(name);
        std::set<char32_t> used;
        for (Control* m : f.menuChildren("")) {
            const QString caption = QString::fromStdString(m->caption);
            const qsizetype at = caption.indexOf(QLatin1Char('&'));
            if (at < 0 || at + 1 >= caption.size()) continue;
            const char32_t letter = caption.at(at + 1).toLower().unicode();
            EXPECT_TRUE(used.insert(letter).second) << name << " " << m->caption;
        }
    }
    dialogs_.clearShown();
}

TEST_F(DesktopTest, PlaceAndSizeAreRememberedBetweenRuns) {
    test::TempFolder settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settings.path().string()));
    host_->setRemembersPlaces(true);
    FormView* v = open("Formhlp");
    ASSERT_NE(v, nullptr);
    v->move(140, 90);
    v->resize(v->width() + 30, v->height() + 20);
    const QRect left = v->geometry();
    host_->dispatch(nullptr, [&] { session_->unload("Formhlp"); });

    // Another run.
    TearDown();
    SetUp();
    host_->setRemembersPlaces(true);
    FormView* again = open("Formhlp");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->pos(), left.topLeft());
    EXPECT_EQ(again->size(), left.size());
    QSettings::setDefaultFormat(QSettings::NativeFormat);
}

}  // namespace
}  // namespace aub
