// The renderer's table, progress bar and timer: cells and headings follow the model,
// the bar its value, and the timer ticks the model's Click only while it is enabled.
#include <QElapsedTimer>
#include <QHeaderView>
#include <QProgressBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/TempFolder.h"
#include "ui/FormView.h"
#include "ui/ShownWindowTest.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

class Ticking : public Form {
public:
    explicit Ticking(Session& s) : Form(s, "Ticking", "Minuterie") {
        Control& table = add(ControlKind::Table, "Tableau").at(0, 0).size(4500, 2000);
        table.columns = {"x", "y"};
        table.rows = {{"1", "2"}, {"3", "4"}};
        Control& bar = add(ControlKind::Progress, "Avancement").at(1, 0);
        bar.max = 10;
        Control& timer = add(ControlKind::Timer, "Minuterie");
        timer.interval = 5;
        timer.enabled = false;
        on("Minuterie", EventKind::Click, [this](int) {
            ++ticks;
            Control& t = ctl("Tableau");
            t.rows.push_back({std::to_string(ticks), "tic"});
            t.touch();
            ctl("Avancement").setValue(ticks);
            if (ticks == 3) ctl("Minuterie").enabled = false;
        });
    }
    int ticks = 0;
};

class TableTimerViewTest : public test::ShownWindowTest<Ticking> {
protected:
    void SetUp() override { showWindow("Ticking"); }
};

TEST_F(TableTimerViewTest, TableAndBarFollowTheModelAndTheTimerTicksUntilDisabled) {
    auto* view = widget<QTableView>("Tableau");
    ASSERT_NE(view, nullptr);
    QAbstractItemModel* table = view->model();
    auto cell = [table](int r, int k) { return table->index(r, k).data().toString(); };
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->headerData(1, Qt::Horizontal).toString(), "y");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "3");
    EXPECT_EQ(widget<QProgressBar>("Avancement")->value(), 0);
    EXPECT_EQ(form_->ticks, 0);  // disabled timers do not tick

    host_->dispatch(form_, [this] { form_->ctl("Minuterie").enabled = true; });
    QElapsedTimer clock;
    clock.start();
    while (form_->ticks < 3 && clock.elapsed() < 5000) QTest::qWait(10);
    ASSERT_EQ(form_->ticks, 3);
    QTest::qWait(60);
    EXPECT_EQ(form_->ticks, 3);  // stopped once the model disabled it
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(cell(4, 0), "3");
    EXPECT_EQ(cell(4, 1), "tic");
    EXPECT_EQ(widget<QProgressBar>("Avancement")->value(), 3);
    EXPECT_EQ(widget<QProgressBar>("Avancement")->maximum(), 10);

    // A table emptied and refilled shows only the new rows.
    host_->dispatch(form_, [this] {
        Control& t = form_->ctl("Tableau");
        t.columns = {"a"};
        t.rows = {{"z"}};
        t.touch();
    });
    EXPECT_EQ(table->columnCount(), 1);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "z");
    EXPECT_EQ(table->headerData(0, Qt::Horizontal).toString(), "a");

    // A row changed in place is shown changed, the rows around it kept.
    host_->dispatch(form_, [this] {
        Control& t = form_->ctl("Tableau");
        t.rows = {{"z"}, {"w"}};
        t.touch();
    });
    host_->dispatch(form_, [this] {
        Control& t = form_->ctl("Tableau");
        t.rows[0] = {"y"};
        t.rows.push_back({"v"});
        t.touch();
    });
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "y");
    EXPECT_EQ(cell(1, 0), "w");
    EXPECT_EQ(cell(2, 0), "v");
}

}  // namespace
}  // namespace aub
