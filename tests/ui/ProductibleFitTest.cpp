// The annual-energy window on a laptop screen (1366 × 720): it fits without scrolling
// before and after a calculation, and its chart keeps its room when the results and
// their notes are written. A 1366 × 720 screen leaves the window 1358 × 680 under its
// title bar and within its frame.
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "energy/DatedRecord.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "ui/FormView.h"
#include "ui/ProgramOnScreenTest.h"

namespace aub {
namespace {

class ProductibleFitTest : public test::ProgramOnScreenTest {
protected:
    Form& openWindow() {
        host_->dispatch(nullptr, [&] { session_->open("Productible"); });
        Form& f = *session_->loaded("Productible");
        EXPECT_TRUE(QTest::qWaitForWindowExposed(host_->view(f)));
        return f;
    }
    void click(Form& f, const char* name) {
        host_->dispatch(&f, [&] { f.fire(f.ctl(name), EventKind::Click); });
    }
};

TEST_F(ProductibleFitTest, TheSampleSiteFitsTheScreenBeforeAndAfterCalcul) {
    Form& f = openWindow();
    FormView* v = host_->view(f);
    dialogs_.answer("Site exemple");
    click(f, "Ouvrir");
    v->placeOnScreen();
    const QSize before = v->contentSize();
    const int chartBefore = v->widgetOf(f.ctl("Graphe"))->height();
    click(f, "Calcul");
    ASSERT_FALSE(f.ctl("Resultat", 5).text().empty());
    ASSERT_FALSE(f.ctl("Meilleurqd").caption.empty());
    v->placeOnScreen();
    const QSize after = v->contentSize();
    // The content, notes and all, fits a 1366 × 720 screen and does not grow.
    EXPECT_LE(after.width(), 1358);
    EXPECT_LE(after.height(), 680);
    EXPECT_EQ(after.height(), before.height());
    // The chart is as tall after the calculation as before it, large enough to read: its
    // ticks, its axis titles and a legend of four entries on one line.
    EXPECT_EQ(v->widgetOf(f.ctl("Graphe"))->height(), chartBefore);
    EXPECT_GE(chartBefore, 270);
    EXPECT_GE(v->widgetOf(f.ctl("Graphe"))->width(), 470);
    dialogs_.clearShown();
}

// A dated record with gaps, a year left out, three machines and a station's flows: every
// note of the window is written, and the window still fits.
TEST_F(ProductibleFitTest, ADatedRecordWithAllItsNotesStillFits) {
    std::string csv = "Date;Débit (m3/s)\r\n";
    for (int d = dayNumber(1990, 1, 1); d <= dayNumber(2009, 12, 31); ++d) {
        const CivilDay c = civilDay(d);
        if ((c.year == 1993 || c.year == 1998 || c.year == 2004) && c.month >= 6) continue;  // years left out
        csv += dayText(d) + ";" + std::to_string(1 + (d % 11) * 0.2) + "\r\n";
    }
    const auto path = folder_.path() / "chronique longue.csv";
    std::ofstream(path, std::ios::binary) << csv;
    answerFilesFrom(platform_, dialogs_);
    Form& f = openWindow();
    FormView* v = host_->view(f);
    dialogs_.answer("Site exemple");
    click(f, "Ouvrir");
    v->placeOnScreen();
    const QSize before = v->contentSize();
    dialogs_.answer(pathToUtf8(path));
    click(f, "Importer");
    f.ctl("Machine", 4).setText("3");
    f.ctl("Bassin", 0).setText("120");
    f.ctl("Bassin", 1).setText("45");
    click(f, "Calcul");
    ASSERT_FALSE(f.ctl("Infoannees").caption.empty());
    ASSERT_FALSE(f.ctl("Infoexploitation").caption.empty());
    ASSERT_FALSE(f.ctl("Infochronique").caption.empty());
    v->placeOnScreen();
    const QSize after = v->contentSize();
    EXPECT_LE(after.width(), 1358);
    EXPECT_LE(after.height(), 680);
    EXPECT_EQ(after.height(), before.height());
    EXPECT_GE(v->widgetOf(f.ctl("Graphe"))->height(), 270);
    dialogs_.clearShown();
}

}  // namespace
}  // namespace aub
