// The chart model: points refused where an axis cannot show them, ranges, polygons,
// and the CSV export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "forms/Chart.h"
#include "forms/Script.h"

namespace aub {
namespace {

Chart logLog() {
    Chart c;
    c.title = "Essai";
    c.x = {"Débit Q", "m3/s", true, true, 0, 1};
    c.y = {"Hauteur H", "m", true, true, 0, 1};
    return c;
}

TEST(ChartTest, LogAxesRefuseNonPositiveAndEveryAxisRefusesNonFinite) {
    Chart c = logLog();
    const int s = c.addSeries("s", SeriesKind::Line);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(c.addPoint(s, 1, 2));
    EXPECT_FALSE(c.addPoint(s, 0, 2));
    EXPECT_FALSE(c.addPoint(s, 1, -2));
    EXPECT_FALSE(c.addPoint(s, nan, 2));
    EXPECT_FALSE(c.addPoint(s, 1, inf));
    EXPECT_EQ(c.at(s).points.size(), 1u);

    c.y.log = false;  // a linear axis takes zero and negatives, never NaN
    EXPECT_TRUE(c.addPoint(s, 1, -2));
    EXPECT_TRUE(c.addPoint(s, 1, 0));
    EXPECT_FALSE(c.addPoint(s, 1, nan));
    // An area needs both of its bounds.
    c.y.log = true;
    const int a = c.addSeries("bande", SeriesKind::Area);
    EXPECT_FALSE(c.addPoint(a, 2, 0.1, 0));
    EXPECT_TRUE(c.addPoint(a, 2, 0.1, 0.01));
}

TEST(ChartTest, RangesAreFixedWhenAskedElseWholeDecadesOrPaddedAroundTheData) {
    Chart c = logLog();
    EXPECT_EQ(c.xRange(), std::make_pair(1.0, 10.0));  // nothing to show yet
    const int s = c.addSeries("s", SeriesKind::Line);
    c.addPoint(s, 0.03, 20);
    c.addPoint(s, 4, 700);
    EXPECT_DOUBLE_EQ(c.xRange().first, 0.01);
    EXPECT_DOUBLE_EQ(c.xRange().second, 10);
    EXPECT_DOUBLE_EQ(c.yRange().first, 10);
    EXPECT_DOUBLE_EQ(c.yRange().second, 1000);
    c.y.log = false;
    EXPECT_DOUBLE_EQ(c.yRange().first, 20 - 34);
    EXPECT_DOUBLE_EQ(c.yRange().second, 700 + 34);
    // A fixed range is kept, unless it cannot be drawn (empty, or non-positive on a log axis).
    c.x.autoRange = false;
    c.x.min = 0.005;
    c.x.max = 100;
    EXPECT_EQ(c.xRange(), std::make_pair(0.005, 100.0));
    c.x.min = 0;
    EXPECT_DOUBLE_EQ(c.xRange().first, 0.01);
}

TEST(ChartTest, PolygonSidesAreStraightOnLogAxesAndCountAsInside) {
    // A triangle whose hypotenuse is straight only on log–log axes: H = 100/Q.
    const std::vector<ChartPoint> tri = {{1, 1, 0}, {100, 1, 0}, {1, 100, 0}};
    EXPECT_TRUE(polygonContains(tri, 5, 5, true, true));
    EXPECT_FALSE(polygonContains(tri, 20, 20, true, true));
    EXPECT_TRUE(polygonContains(tri, 10, 10, true, true));  // on the hypotenuse
    // Inside the straight hypotenuse of linear axes, outside the one of log axes.
    EXPECT_TRUE(polygonContains(tri, 40, 40, false, false));
    EXPECT_FALSE(polygonContains(tri, 40, 40, true, true));
    EXPECT_TRUE(polygonContains(tri, 1, 50, true, true));   // on a side
    EXPECT_TRUE(polygonContains(tri, 100, 1, true, true));  // a vertex
    EXPECT_FALSE(polygonContains(tri, 0.99, 50, true, true));
    EXPECT_FALSE(polygonContains(tri, -1, 5, true, true));  // cannot be on a log axis
    const ChartPoint c = polygonCentre(tri, true, true);
    EXPECT_NEAR(std::log10(c.x), 2.0 / 3, 1e-12);
    EXPECT_NEAR(std::log10(c.y), 2.0 / 3, 1e-12);
}

TEST(ChartTest, CsvHasBomSemicolonsRegionalDecimalsAndOneBlockPerSeries) {
    Chart c = logLog();
    const int s = c.addSeries("Courbe; « 1 »", SeriesKind::Line);
    c.addPoint(s, 0.5, 12.25);
    c.addPoint(s, 2, 1e-7);
    c.addSeries("vide", SeriesKind::Points);
    const int a = c.addSeries("Bande", SeriesKind::Area);
    c.addPoint(a, 3, 0.1, 0.008);
    const std::string header = "Débit Q (m3/s);Hauteur H (m)\r\n";
    EXPECT_EQ(chartCsv(c, ','),
              "\xEF\xBB\xBF\"Courbe; « 1 »\"\r\n" + header + "0,5;12,25\r\n2;1E-07\r\n\r\n" +  //
                  "vide\r\n" + header + "\r\n" +                                               //
                  "Bande\r\nDébit Q (m3/s);Hauteur H (m);Hauteur H (m) bas\r\n3;0,1;0,008\r\n\r\n");
    EXPECT_NE(chartCsv(c, '.').find("0.5;12.25\r\n"), std::string::npos);
    // A unit-less axis has its title alone.
    c.x.unit.clear();
    EXPECT_NE(chartCsv(c, '.').find("\r\nDébit Q;Hauteur H (m)\r\n"), std::string::npos);
}

TEST(ChartTest, ListingAndJsonNameEachSeriesWithItsKind) {
    Chart c = logLog();
    const int s = c.addSeries("Site", SeriesKind::Marker);
    c.at(s).label = "ici";
    c.addPoint(s, 0.5, 10);
    c.addSeries("vide", SeriesKind::Line);
    EXPECT_EQ(chartListing(c, "  "),
              "graphique « Essai » : Débit Q (m3/s) (log) / Hauteur H (m) (log)\n"
              "  série « Site » (marker) : 1 point, x de 0.5 à 0.5, y de 10 à 10\n"
              "  série « vide » (line) : 0 points\n");
    const std::string json = chartJson(c);
    EXPECT_NE(json.find("{\"name\":\"Site\",\"kind\":\"marker\",\"label\":\"ici\",\"points\":[[0.5,10]]}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"name\":\"vide\",\"kind\":\"line\",\"points\":[]}"), std::string::npos);
}

// Whether v is 1, 2 or 5 × 10^k.
bool roundStep(double v) {
    const double m = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
    return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
}

// A dense series is drawn from the points its pixels need: for a line, each pixel
// column keeps its first, lowest, highest and last points, so the polyline reaches the
// same pixels; marked points keep one per pixel.
TEST(PixelPointsTest, ADenseLineKeepsEachColumnsEndsAndExtremesInOrder) {
    std::vector<ChartPoint> line;
    for (int i = 0; i < 10000; ++i) line.push_back({i * 0.001, std::sin(i * 0.05) + (i % 7) * 0.01});
    const PlotScale x{0, 10, false};
    const PlotScale y{-2, 2, false};
    constexpr int Columns = 100;
    const auto kept = pixelPoints(line, true, x, y, Columns, 80);
    ASSERT_FALSE(kept.empty());
    EXPECT_LE(kept.size(), 4u * Columns);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), line.size() - 1);
    // Column by column, the kept points span what all the points span.
    auto column = [&](double px) { return static_cast<int>(std::floor(px / 10 * Columns)); };
    for (int c = 0; c < Columns; ++c) {
        double lo = 1e9, hi = -1e9, keptLo = 1e9, keptHi = -1e9;
        for (const auto& p : line)
            if (column(p.x) == c) lo = std::min(lo, p.y), hi = std::max(hi, p.y);
        for (std::size_t i : kept)
            if (column(line[i].x) == c) keptLo = std::min(keptLo, line[i].y), keptHi = std::max(keptHi, line[i].y);
        EXPECT_EQ(keptLo, lo) << "colonne " << c;
        EXPECT_EQ(keptHi, hi) << "colonne " << c;
    }
}

TEST(PixelPointsTest, MarkedPointsKeepTheFirstInEachPixelAndSparseOrBackwardSeriesStayWhole) {
    // Four points in each of 500 pixels of a logarithmic x axis (100 columns, 5 rows).
    std::vector<ChartPoint> dots;
    for (int c = 0; c < 100; ++c)
        for (int r = 0; r < 5; ++r)
            for (int k = 0; k < 4; ++k)
                dots.push_back({std::pow(10.0, (c + 0.1 + 0.2 * k) / 100.0), r + 0.1 + 0.2 * k});
    const auto kept = pixelPoints(dots, false, PlotScale{1, 10, true}, PlotScale{0, 5, false}, 100, 5);
    ASSERT_EQ(kept.size(), 500u);
    for (std::size_t n = 0; n < kept.size(); ++n) EXPECT_EQ(kept[n], 4 * n);  // the first of each four
    // As many points as four per column, a line going back in x, or no range: all kept.
    std::vector<ChartPoint> few(dots.begin(), dots.begin() + 400);
    EXPECT_EQ(pixelPoints(few, true, PlotScale{1, 10, true}, PlotScale{0, 5, false}, 100, 5).size(), 400u);
    std::vector<ChartPoint> back = dots;
    std::swap(back[10], back[11]);
    back[10].x = back[11].x * 0.5;
    EXPECT_EQ(pixelPoints(back, true, PlotScale{1, 10, true}, PlotScale{0, 5, false}, 100, 5).size(), back.size());
    EXPECT_EQ(pixelPoints(dots, false, PlotScale{3, 3, false}, PlotScale{0, 5, false}, 100, 5).size(), dots.size());
    EXPECT_EQ(pixelPoints(dots, false, PlotScale{0, 10, true}, PlotScale{0, 5, false}, 100, 5).size(), dots.size());
}

TEST(AxisTicksTest, StepsAreOneTwoOrFiveTimesAPowerOfTenAndTicksAreItsMultiples) {
    const std::pair<double, double> ranges[] = {{0, 842.965},     {0, 1.94444}, {-3.7, 12.2}, {1e5, 1.3e6},
                                                {0.0021, 0.0089}, {95, 101},    {0, 106245},  {-1e-3, 1e-3}};
    for (const auto& [lo, hi] : ranges) {
        const AxisTicks t = linearTicks(lo, hi, 8);
        EXPECT_TRUE(roundStep(t.step)) << lo << " " << hi << " step " << t.step;
        EXPECT_LE((hi - lo) / t.step, 8 + 1e-9) << lo << " " << hi;
        EXPECT_GE((hi - lo) / t.step, 2 - 1e-9) << lo << " " << hi;  // never a lone tick
        EXPECT_GE(t.first, lo - 1e-12);
        EXPECT_LT(t.first - t.step, lo);
        const double k = t.first / t.step;
        EXPECT_NEAR(k, std::round(k), 1e-6) << lo << " " << hi;
    }
    EXPECT_DOUBLE_EQ(linearTicks(0, 842.965).step, 200);
    EXPECT_DOUBLE_EQ(linearTicks(0, 1.94444).step, 0.5);
}

TEST(AxisTicksTest, AnAutomaticRangeStartsAndEndsOnATick) {
    EXPECT_EQ(roundedRange(0, 842.965), (std::pair<double, double>{0, 1000}));
    EXPECT_EQ(roundedRange(0.12, 1.94444), (std::pair<double, double>{0, 2}));
    const auto r = roundedRange(-3.7, 12.2);
    EXPECT_DOUBLE_EQ(r.first, -4);
    EXPECT_DOUBLE_EQ(r.second, 14);
}

TEST(AxisTicksTest, TickLabelsAreRoundAndEveryDecadeIsWrittenAlike) {
    EXPECT_EQ(tickText(200, 200), "200");
    EXPECT_EQ(tickText(0.30000000000000004, 0.1), "0.3");
    EXPECT_EQ(tickText(1.5, 0.5), "1.5");
    EXPECT_EQ(tickText(-0.0, 0.5), "0");
    EXPECT_EQ(tickText(5000, 1000), "5000");
    EXPECT_EQ(tickText(100000, 100000), "100 000");
    EXPECT_EQ(tickText(1e6, 1e6), "1 000 000");
    EXPECT_EQ(tickText(-25000, 5000), "-25 000");
    EXPECT_EQ(tickText(0.001, 0.001), "0.001");
    // The decades of a log axis, each written the same way.
    std::vector<std::string> decades;
    for (double v : logDecades(1e3, 1e8)) decades.push_back(tickText(v, v));
    EXPECT_EQ(decades,
              (std::vector<std::string>{"1000", "10 000", "100 000", "1 000 000", "10 000 000", "100 000 000"}));
    EXPECT_EQ(logDecades(0.008, 0.1), (std::vector<double>{0.01, 0.1}));
}

TEST(AxisTicksTest, ZoomingOutStopsAtTheWholeRange) {
    EXPECT_EQ(boundedZoom(-50, 150, 0, 100), (std::pair<double, double>{0, 100}));  // wider: the whole
    EXPECT_EQ(boundedZoom(-10, 40, 0, 100), (std::pair<double, double>{0, 50}));    // moved back inside
    EXPECT_EQ(boundedZoom(80, 120, 0, 100), (std::pair<double, double>{60, 100}));
    EXPECT_EQ(boundedZoom(20, 30, 0, 100), (std::pair<double, double>{20, 30}));  // inside: kept
}

TEST(AxisTicksTest, SignificantDigitsAreAtMostTheOnesAsked) {
    EXPECT_EQ(significantText(0.000126582, 3), "0.000127");
    EXPECT_EQ(significantText(6e-6, 3), "0.000006");
    EXPECT_EQ(significantText(0.001, 3), "0.001");
    EXPECT_EQ(significantText(static_cast<double>(0.25f) / 250, 3), "0.001");
    EXPECT_EQ(significantText(0.0005, 3), "0.0005");
    EXPECT_EQ(significantText(123456, 3), "123000");
}

// ---------------------------------------------------------------- label placement

bool coversDisc(const LabelBox& b, PixelPoint m, double r) {
    const double nx = std::clamp(m.x, b.left, b.right()), ny = std::clamp(m.y, b.top, b.bottom());
    return std::hypot(nx - m.x, ny - m.y) < r;
}

bool inside(const LabelBox& b, const LabelBox& plot) {
    return b.left >= plot.left && b.top >= plot.top && b.right() <= plot.right() && b.bottom() <= plot.bottom();
}

TEST(LabelPlacementTest, ASegmentMeetsABoxWhenItCrossesOrEntersIt) {
    const LabelBox box{10, 10, 20, 10};
    EXPECT_TRUE(segmentMeetsBox({0, 15}, {40, 15}, box));   // straight through
    EXPECT_TRUE(segmentMeetsBox({15, 12}, {18, 14}, box));  // wholly inside
    EXPECT_TRUE(segmentMeetsBox({0, 0}, {20, 15}, box));    // ends inside
    EXPECT_FALSE(segmentMeetsBox({0, 0}, {40, 5}, box));    // passes above
    EXPECT_FALSE(segmentMeetsBox({0, 30}, {9, 0}, box));    // passes to the left
    EXPECT_FALSE(segmentMeetsBox({35, 0}, {35, 40}, box));  // parallel to a side, outside
}

// The pipe's operating point near the right end of the Moody curves: its label would
// go to the left of the point, over the roughness label "0.001".
TEST(LabelPlacementTest, AMarkedPointsLabelLeavesTheLinesLabelsAndTheMarkersFree) {
    const LabelBox plot{50, 20, 600, 400};
    std::vector<LabelRequest> labels(3);
    // The line of ε/D = 0.001, nearly flat, ending at the plot's right side.
    labels[0].anchorX = 648;
    labels[0].anchorY = 200;
    labels[0].width = 40;
    labels[0].height = 14;
    for (double x = 300; x <= 648; x += 12) labels[0].curve.push_back({x, 200 - (648 - x) * 0.02});
    // The operating point, close to the right side, between the two lines' ends.
    labels[1].anchorX = 610;
    labels[1].anchorY = 205;
    labels[1].width = 260;
    labels[1].height = 20;
    labels[1].ofMarker = true;
    // A second line ending just under the first one.
    labels[2] = labels[0];
    labels[2].anchorY = 214;
    for (PixelPoint& p : labels[2].curve) p.y += 14;
    const std::vector<PixelPoint> markers{{610, 205}, {400, 300}};
    const auto placed = placeLabels(labels, markers, 7, plot);
    ASSERT_EQ(placed.size(), 3u);
    ASSERT_TRUE(placed[0] && placed[1] && placed[2]);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (!placed[i]) continue;
        EXPECT_TRUE(inside(*placed[i], plot)) << i;
        for (const PixelPoint& m : markers) EXPECT_FALSE(coversDisc(*placed[i], m, 7)) << i;
        for (std::size_t k = 0; k < i; ++k) {
            if (placed[k]) {
                EXPECT_FALSE(placed[i]->intersects(*placed[k])) << i << " " << k;
            }
        }
        for (std::size_t k = 1; k < labels[i].curve.size(); ++k) {
            EXPECT_FALSE(segmentMeetsBox(labels[i].curve[k - 1], labels[i].curve[k], *placed[i])) << i;
        }
    }
    // The roughness label keeps its own place, above the end of its line.
    EXPECT_LT(placed[0]->bottom(), 200);
    EXPECT_GT(placed[0]->right(), 600);
}

TEST(LabelPlacementTest, ALinesLabelMovesWhenAPlaceHidesAMarkerOrItsCurveAndIsLeftOutWithoutRoom) {
    const LabelBox plot{0, 0, 500, 300};
    LabelRequest line;
    line.anchorX = 400;
    line.anchorY = 100;
    line.width = 60;
    line.height = 12;
    line.curve = {{200, 100}, {400, 100}};
    // Above is free: taken.
    auto placed = placeLabels({line}, {}, 7, plot);
    ASSERT_TRUE(placed[0]);
    EXPECT_LE(placed[0]->bottom(), 100);
    // A marker in that place: below.
    placed = placeLabels({line}, {{370, 92}}, 7, plot);
    ASSERT_TRUE(placed[0]);
    EXPECT_GE(placed[0]->top, 100);
    // A curve rising to the left through the place above: below too.
    line.curve = {{300, 40}, {400, 100}};
    placed = placeLabels({line}, {}, 7, plot);
    ASSERT_TRUE(placed[0]);
    EXPECT_GE(placed[0]->top, 100);
    // Every place hidden by a marker: the label is left out rather than hide one.
    placed = placeLabels({line}, {{370, 92}, {370, 108}, {430, 92}, {430, 108}}, 7, plot);
    EXPECT_FALSE(placed[0]);
    // Lines ending at the same point: each finds a place of its own, a fifth none.
    line.curve = {{200, 100}, {400, 100}};
    placed = placeLabels({line, line, line, line, line}, {}, 7, plot);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(placed[i]) << i;
        for (int k = 0; k < i; ++k) EXPECT_FALSE(placed[i]->intersects(*placed[k])) << i << " " << k;
    }
    EXPECT_FALSE(placed[4]);
}

TEST(LabelPlacementTest, AMarkedPointsLabelStaysInsideThePlotAndOffItsPoint) {
    const LabelBox plot{0, 0, 400, 300};
    LabelRequest point;
    point.anchorX = 395;  // at the top right corner: the label goes below
    point.anchorY = 5;
    point.width = 120;
    point.height = 18;
    point.ofMarker = true;
    const auto placed = placeLabels({point}, {{395, 5}}, 7, plot);
    ASSERT_TRUE(placed[0]);
    EXPECT_TRUE(inside(*placed[0], plot));
    EXPECT_FALSE(coversDisc(*placed[0], {395, 5}, 7));
    EXPECT_GT(placed[0]->top, 5);
}

}  // namespace
}  // namespace aub
