// A chart control on screen: the series and axes Qt Charts draws, the hover text,
// and the picture and CSV saves (atomic, with a message on failure).
#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"
#include "ui/ChartWidget.h"
#include "ui/FormView.h"
#include "ui/ShownWindowTest.h"
#include "ui/UiHost.h"

namespace aub {
namespace {

class ChartForm : public Form {
public:
    explicit ChartForm(Session& s) : Form(s, "Courbes", "Courbes d'essai") {
        Control& c = add(ControlKind::Chart, "Graphe").at(0, 0).size(6000, 4500);
        Chart& chart = c.chart;
        chart.title = "Essai";
        chart.x = {"Débit Q", "m3/s", true, false, 0.01, 100};
        chart.y = {"Hauteur H", "m", true, false, 1, 1000};
        const int zone = chart.addSeries("Zone A", SeriesKind::Zone, 0x2CA02C);
        for (auto [q, h] : {std::pair{0.1, 10.0}, {0.1, 100.0}, {1.0, 100.0}, {1.0, 10.0}}) chart.addPoint(zone, q, h);
        const int line = chart.addSeries("1 kW", SeriesKind::Line);
        chart.addPoint(line, 0.1, 500);
        chart.addPoint(line, 50, 1);
        const int band = chart.addSeries("Bande", SeriesKind::Area);
        chart.addPoint(band, 2, 800, 2);
        chart.addPoint(band, 4, 800, 2);
        const int site = chart.addSeries("Site", SeriesKind::Marker, 0xD01010);
        chart.addPoint(site, 0.5, 20);
        chart.addSeries("vide", SeriesKind::Points);
    }
};

class ChartWidgetTest : public test::ShownWindowTest<ChartForm> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(showWindow("Courbes"));
        widget_ = widget<ChartWidget>("Graphe");
        ASSERT_NE(widget_, nullptr);
    }
    ChartWidget* widget_ = nullptr;
};

TEST_F(ChartWidgetTest, EverySeriesIsDrawnOnFixedLogarithmicAxes) {
    QChart* chart = widget_->chart();
    EXPECT_EQ(chart->title(), "Essai");
    const auto series = chart->series();
    ASSERT_EQ(series.size(), 5);
    EXPECT_NE(qobject_cast<QLineSeries*>(series[0]), nullptr);     // the zone's outline
    EXPECT_EQ(qobject_cast<QLineSeries*>(series[0])->count(), 5);  // closed on its first vertex
    EXPECT_NE(qobject_cast<QAreaSeries*>(series[2]), nullptr);
    EXPECT_NE(qobject_cast<QScatterSeries*>(series[3]), nullptr);
    // Marked points: a series without line, each point painted from one image.
    auto* dots = qobject_cast<QLineSeries*>(series[4]);
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(dots->count(), 0);  // an empty series draws nothing
    EXPECT_EQ(dots->pen().style(), Qt::NoPen);
    EXPECT_FALSE(dots->lightMarker().isNull());
    auto* x = qobject_cast<QLogValueAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QLogValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    EXPECT_DOUBLE_EQ(x->min(), 0.01);
    EXPECT_DOUBLE_EQ(x->max(), 100);
    EXPECT_DOUBLE_EQ(y->base(), 10);
    EXPECT_EQ(x->titleText(), QString::fromUtf8("Débit Q (m3/s)"));
    EXPECT_EQ(widget_->pointText(1, QPointF(2, 12.5)), QString::fromUtf8("1 kW\nDébit Q = 2 m3/s\nHauteur H = 12.5 m"));

    // A change of the model reaches the screen after the next event.
    host_->dispatch(form_, [this] {
        Chart& c = form_->ctl("Graphe").chart;
        c.addPoint(c.addSeries("encore", SeriesKind::Line), 1, 1);
    });
    EXPECT_EQ(widget_->chart()->series().size(), 6);
}

TEST_F(ChartWidgetTest, PicturesAreSavedAsPngOrSvg) {
    const auto png = folder_.path() / "courbes.png";
    const auto svg = folder_.path() / "courbes.svg";
    ASSERT_TRUE(widget_->savePicture(QString::fromStdString(png.string())));
    ASSERT_TRUE(widget_->savePicture(QString::fromStdString(svg.string())));
    QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    // At a report's size, whatever the screen's, in the window's proportions.
    EXPECT_GE(image.width(), ChartWidget::ReportPictureWidth);
    const double scale = double(image.width()) / widget_->width();
    EXPECT_NEAR(image.height(), widget_->height() * scale, 2);
    // The zone is filled: a green tint inside it, white beside it.
    auto pixelAt = [&](double q, double h) {
        QChart* chart = widget_->chart();
        const QPointF inChart = chart->mapToPosition(QPointF(q, h), chart->series().value(0));
        const QPoint at = widget_->mapFromScene(chart->mapToScene(inChart));
        return image.pixelColor(QPoint(qRound(at.x() * scale), qRound(at.y() * scale)));
    };
    const QColor inside = pixelAt(0.3, 30), outside = pixelAt(0.045, 4.5);  // between grid lines
    EXPECT_GT(inside.green(), inside.red() + 20);
    EXPECT_GT(inside.green(), inside.blue() + 20);
    EXPECT_EQ(outside, QColor(Qt::white));
    const std::string svgText = readTextFile(svg);
    EXPECT_NE(svgText.find("<svg"), std::string::npos);
    EXPECT_NE(svgText.find("Essai"), std::string::npos);
    // The decades are written out, never with an exponent (the grouped writing of wider
    // decades is read in the dossier's Moody diagram).
    EXPECT_EQ(svgText.find("e+"), std::string::npos);
    EXPECT_EQ(svgText.find("e-0"), std::string::npos);
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(ChartWidgetTest, CsvExportIsTheModelsTextAndAFolderThatCannotTakeItWritesNothing) {
    const auto file = folder_.path() / "courbes.csv";
    ASSERT_TRUE(widget_->exportCsv(QString::fromStdString(file.string())));
    EXPECT_EQ(readFileBytes(file), chartCsv(form_->ctl("Graphe").chart, '.'));

    const auto missing = folder_.path() / "absent" / "courbes.csv";
    EXPECT_FALSE(widget_->exportCsv(QString::fromStdString(missing.string())));
    EXPECT_FALSE(widget_->savePicture(QString::fromStdString((folder_.path() / "absent" / "c.png").string())));
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[0], "Données non exportées : Chemin d'accès introuvable");
    EXPECT_EQ(dialogs_.messages()[1], "Image non enregistrée : Chemin d'accès introuvable");
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "absent"));
}

TEST_F(ChartWidgetTest, ZoomingOutWithTheWheelStopsAtTheWholeChart) {
    auto wheel = [this](int steps) {
        const QPointF at = widget_->viewport()->rect().center();
        QWheelEvent event(at, widget_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget_->viewport(), &event);
    };
    auto* x = qobject_cast<QLogValueAxis*>(widget_->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    wheel(2);  // in
    EXPECT_GT(x->min(), 0.01 * 1.01);
    EXPECT_LT(x->max(), 100 / 1.01);
    wheel(-6);  // far out: no further than the whole range
    EXPECT_NEAR(std::log10(x->min()), -2, 1e-6);
    EXPECT_NEAR(std::log10(x->max()), 2, 1e-6);
}

TEST_F(ChartWidgetTest, ALongAxisTitleIsShownWholeInASmallerFont) {
    auto* y = widget_->chart()->axes(Qt::Vertical).value(0);
    const double before = y->titleFont().pointSizeF();
    host_->dispatch(form_, [this] {
        Chart& c = form_->ctl("Graphe").chart;
        c.y.title = "Puissance électrique moyenne au point de livraison";
        c.touch();
    });
    y = widget_->chart()->axes(Qt::Vertical).value(0);
    EXPECT_LT(y->titleFont().pointSizeF(), before);
    EXPECT_TRUE(y->titleText().endsWith(QString::fromUtf8("livraison (m)")));
    const double width = QFontMetricsF(y->titleFont()).horizontalAdvance(y->titleText());
    EXPECT_LE(width, widget_->height());
}

// A chart whose lines and marked points only grow, as a study's does.
class GrowingChartForm : public Form {
public:
    explicit GrowingChartForm(Session& s) : Form(s, "Croissance", "Courbe qui croît") {
        Control& c = add(ControlKind::Chart, "Graphe").at(0, 0).size(6000, 4500);
        c.chart.addSeries("marques", SeriesKind::Points, 0x1F77B4);
        c.chart.addSeries("trait", SeriesKind::Line, 0x1F77B4);
    }
    void grow(int from, int to) {
        Chart& chart = ctl("Graphe").chart;
        for (int k = from; k < to; ++k) {
            chart.addPoint(0, k, k * k);
            chart.addPoint(1, k, k * k);
        }
        ctl("Graphe").touch();
    }
};

class GrowingChartTest : public test::ShownWindowTest<GrowingChartForm> {};

TEST_F(GrowingChartTest, PointsAddedAtTheEndExtendTheSameSeriesWithEveryPointInOrder) {
    ASSERT_NO_FATAL_FAILURE(showWindow("Croissance"));
    auto* widget = this->widget<ChartWidget>("Graphe");
    ASSERT_NE(widget, nullptr);
    host_->dispatch(form_, [this] { form_->grow(0, 3); });
    const auto before = widget->chart()->series();
    ASSERT_EQ(before.size(), 2);
    for (int step = 1; step <= 3; ++step) host_->dispatch(form_, [this, step] { form_->grow(3 * step, 3 * step + 3); });
    const auto after = widget->chart()->series();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0], before[0]);  // grown in place, not built again
    EXPECT_EQ(after[1], before[1]);
    for (QAbstractSeries* s : after) {
        const QList<QPointF> points = qobject_cast<QXYSeries*>(s)->points();
        ASSERT_EQ(points.size(), 12);
        for (int k = 0; k < 12; ++k) EXPECT_EQ(points[k], QPointF(k, k * k));
    }
    // The axes take in the new points.
    auto* x = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    EXPECT_GE(x->max(), 11);
}

// Ten thousand points go to Qt as the pixels need them, and a zoom takes them again at
// the new scale: every point in the zoomed range is there.
TEST_F(GrowingChartTest, ADenseSeriesIsThinnedToItsPixelsAndTakenAgainWhenZoomed) {
    ASSERT_NO_FATAL_FAILURE(showWindow("Croissance"));
    auto* widget = this->widget<ChartWidget>("Graphe");
    ASSERT_NE(widget, nullptr);
    host_->dispatch(form_, [this] { form_->grow(0, 10000); });
    QCoreApplication::processEvents();
    const auto series = widget->chart()->series();
    ASSERT_EQ(series.size(), 2);
    for (QAbstractSeries* s : series) {
        const QList<QPointF> points = qobject_cast<QXYSeries*>(s)->points();
        EXPECT_LT(points.size(), 5000);
        ASSERT_FALSE(points.isEmpty());
        EXPECT_EQ(points.front(), QPointF(0, 0));
    }
    // The line ends where its last point is (marked points keep the first of each pixel).
    EXPECT_EQ(qobject_cast<QXYSeries*>(series[1])->points().back(), QPointF(9999, 9999.0 * 9999.0));
    auto* x = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    x->setRange(0, 100);  // as the wheel zooms
    QCoreApplication::processEvents();
    for (QAbstractSeries* s : widget->chart()->series()) {
        const QList<QPointF> points = qobject_cast<QXYSeries*>(s)->points();
        const auto inside = std::count_if(points.begin(), points.end(), [](const QPointF& p) { return p.x() <= 100; });
        EXPECT_EQ(inside, 101);
    }
}

// An axis is left alone when the new points keep its range, but a chart zoomed by the
// person shows its whole range again as soon as it grows, as it always has.
TEST_F(GrowingChartTest, GrowingShowsTheWholeRangeAgainAfterAZoom) {
    ASSERT_NO_FATAL_FAILURE(showWindow("Croissance"));
    auto* widget = this->widget<ChartWidget>("Graphe");
    ASSERT_NE(widget, nullptr);
    host_->dispatch(form_, [this] { form_->grow(0, 10); });
    auto* x = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Vertical).value(0));
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    const QPointF whole(x->min(), x->max());
    const QPointF wholeY(y->min(), y->max());
    x->setRange(2, 4);  // as the wheel zooms
    y->setRange(10, 20);
    // A point inside the rounded ranges: the ranges stay, the zoom goes.
    host_->dispatch(form_, [this] { form_->grow(0, 1); });
    EXPECT_EQ(QPointF(x->min(), x->max()), whole);
    EXPECT_EQ(QPointF(y->min(), y->max()), wholeY);
    // Points beyond them widen both axes.
    host_->dispatch(form_, [this] { form_->grow(20, 21); });
    EXPECT_GE(x->max(), 20);
    EXPECT_GE(y->max(), 400);
}

// Linear ticks of a million are written grouped ("1 000 000", never "1e+06") on screen
// and in the exported picture; small ones stay Qt's own labels.
TEST_F(GrowingChartTest, LinearTicksFromTenThousandUpAreGroupedByThousands) {
    ASSERT_NO_FATAL_FAILURE(showWindow("Croissance"));
    auto* widget = this->widget<ChartWidget>("Graphe");
    ASSERT_NE(widget, nullptr);
    host_->dispatch(form_, [this] { form_->grow(0, 1100); });  // y up to 1 098 601
    auto* x = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QValueAxis*>(widget->chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->labelFormat(), "%g");  // 0 to 1200: Qt writes them as they read
    EXPECT_NE(x->labelsColor().alpha(), 0);
    EXPECT_EQ(y->labelsColor().alpha(), 0);  // written by the chart itself, in Qt's room
    const QString svg = QString::fromUtf8(widget->pictureBytes(true));
    EXPECT_TRUE(svg.contains(QStringLiteral(">1 000 000<"))) << "no grouped tick label";
    EXPECT_TRUE(svg.contains(QStringLiteral(">200 000<")));
    EXPECT_FALSE(svg.contains(QStringLiteral("1e+06")));
    // Zoomed into the first thousands, Qt writes the labels again.
    y->setRange(0, 5000);
    EXPECT_NE(y->labelsColor().alpha(), 0);
    EXPECT_EQ(y->labelFormat(), "%g");
}

// A chart of a window short of room (480 × 200 pixels), a legend of long names.
class SmallChartForm : public Form {
public:
    explicit SmallChartForm(Session& s) : Form(s, "Petite", "Petit graphe") {
        Control& c = add(ControlKind::Chart, "Graphe").at(0, 0).size(7200, 3000);
        Chart& chart = c.chart;
        chart.title = "Débits classés";
        chart.x = {"Fréquence de dépassement", "%", false, false, 0, 100};
        chart.y = {"Débit Q", "m3/s", false, false, 0, 8};
        for (const char* name :
             {"Débit turbiné", "Débits classés", "Débit réservé Qr (mois classés)", "Qr + Qd (mois classés)"}) {
            const int line = chart.addSeries(name, SeriesKind::Line);
            chart.addPoint(line, 0, 6.5);
            chart.addPoint(line, 100, 0.1);
        }
    }
};

class SmallChartTest : public test::ShownWindowTest<SmallChartForm> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(showWindow("Petite"));
        widget_ = widget<ChartWidget>("Graphe");
        ASSERT_NE(widget_, nullptr);
        QCoreApplication::processEvents();
    }
    ChartWidget* widget_ = nullptr;
};

// Eight intervals of 1 m3/s on a plot some eighty pixels high would leave each label less
// than its own height, and Qt writes "…" instead: a short axis takes a longer step.
TEST_F(SmallChartTest, TicksOfAShortAxisEachHaveRoomForTheirLabel) {
    const QRectF plot = widget_->chart()->plotArea();
    for (QAbstractAxis* axis : widget_->chart()->axes()) {
        auto* a = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(a, nullptr);
        const bool horizontal = a->orientation() == Qt::Horizontal;
        const double pixelsPerStep =
            (horizontal ? plot.width() : plot.height()) * a->tickInterval() / (a->max() - a->min());
        const QFontMetricsF m(a->labelsFont());
        const double need = horizontal ? m.horizontalAdvance(QStringLiteral("100")) : m.height();
        EXPECT_GT(pixelsPerStep, need) << (horizontal ? "x" : "y");
        EXPECT_GE((a->max() - a->min()) / a->tickInterval(), 1) << "a scale without a second tick";
    }
}

// Four long names do not go on one line of 480 pixels: the legend takes two lines under
// the plot, inside the picture, rather than cut the names short.
TEST_F(SmallChartTest, ALegendTooLongForOneLineTakesTwoUnderThePlot) {
    QChart* chart = widget_->chart();
    const QRectF legend = chart->legend()->geometry();
    const QRectF plot = chart->plotArea();
    EXPECT_GE(legend.height(), 2 * QFontMetricsF(chart->legend()->font()).height());
    EXPECT_GE(legend.top(), plot.bottom());
    EXPECT_LE(legend.bottom(), chart->size().height());
    // With room for one line again (a wider window), the legend goes back to one line.
    widget_->setMinimumWidth(1100);
    widget_->resize(1100, widget_->height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(chart->legend()->isAttachedToChart());
    EXPECT_LT(chart->legend()->geometry().height(), legend.height());
    EXPECT_GE(chart->legend()->geometry().top(), chart->plotArea().bottom());
}

}  // namespace
}  // namespace aub
