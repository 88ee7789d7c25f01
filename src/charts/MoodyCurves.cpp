#include "charts/MoodyCurves.h"

#include <algorithm>
#include <cmath>

#include "core/Hydraulics.h"
#include "core/Messenger.h"
#include "core/NumberText.h"

namespace aub {

namespace {

// The solver's messages are for a calculation the person asked for; a point of a
// curve that fails is simply left out.
class QuietMessenger : public Messenger {
public:
    void message(const std::string&) override {}
};

constexpr int LaminarPoints = 60;
constexpr int EmphasisColor = 0xD01010;
constexpr int CurveColor = 0x3C5A80;

std::string shortNumber(double v) { return chartNumber(v); }

}  // namespace

std::vector<ChartPoint> colebrookCurve(double relativeRoughness, double reFrom, double reTo, int count) {
    std::vector<ChartPoint> points;
    if (count < 2 || !(reFrom > 0) || !(reTo > reFrom)) return points;
    QuietMessenger quiet;
    const double a = std::log10(reFrom), b = std::log10(reTo);
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double re = i == count - 1 ? reTo : std::pow(10.0, a + (b - a) * i / (count - 1));
        const double f = colebrookFriction(relativeRoughness, re, quiet);
        if (std::isfinite(f) && f > 0) points.push_back({re, f, 0});
    }
    return points;
}

std::string roughnessName(double relativeRoughness) {
    if (relativeRoughness == 0) return "ε/D = 0 (lisse)";
    return "ε/D = " + significantText(relativeRoughness, 3);
}

void buildMoodyChart(Chart& chart, const std::optional<MoodyPoint>& point) {
    chart.clear();
    chart.title = "Diagramme de Moody";
    chart.x = {"Nombre de Reynolds Re", "", true, false, MoodyReMin, MoodyReMax};
    chart.y = {"Coefficient de frottement f", "", true, false, MoodyFMin, MoodyFMax};

    const int band = chart.addSeries("Zone de transition", SeriesKind::Area, 0xC8C8C8);
    chart.addPoint(band, LaminarLimit, MoodyFMax, MoodyFMin);
    chart.addPoint(band, TurbulentStart, MoodyFMax, MoodyFMin);

    const int laminar = chart.addSeries("Laminaire f = 64/Re", SeriesKind::Line, 0x000000);
    for (int i = 0; i < LaminarPoints; ++i) {
        const double re = std::pow(10.0, std::log10(MoodyReMin) + (std::log10(LaminarLimit) - std::log10(MoodyReMin)) *
                                                                      i / (LaminarPoints - 1));
        chart.addPoint(laminar, re, 64.0 / re);
    }

    int emphasised = -1;
    for (double eps : MoodyRoughnesses) {
        // One ink for every roughness, each curve named by ε/D at its right end.
        const int s = chart.addSeries(roughnessName(eps), SeriesKind::Line, CurveColor);
        chart.at(s).width = 1;
        chart.at(s).inLegend = false;
        chart.at(s).label = eps == 0 ? "lisse" : significantText(eps, 3);
        for (const ChartPoint& p : colebrookCurve(eps, TurbulentStart, MoodyReMax, MoodyCurvePoints))
            chart.addPoint(s, p.x, p.y);
        // ε/D read from single-precision boxes matches a drawn value to about 1e-7.
        if (point && std::fabs(point->relativeRoughness - eps) <= 1e-6 * std::max(point->relativeRoughness, eps))
            emphasised = s;
    }
    if (!point) return;
    if (emphasised < 0) {
        emphasised = chart.addSeries(roughnessName(point->relativeRoughness) + " (conduite)", SeriesKind::Line);
        for (const ChartPoint& p :
             colebrookCurve(point->relativeRoughness, TurbulentStart, MoodyReMax, MoodyCurvePoints))
            chart.addPoint(emphasised, p.x, p.y);
    }
    chart.at(emphasised).color = EmphasisColor;
    chart.at(emphasised).width = 3;
    chart.at(emphasised).inLegend = true;

    const int marker = chart.addSeries("Point de fonctionnement", SeriesKind::Marker, EmphasisColor);
    chart.at(marker).label = "Re = " + shortNumber(point->re) + "  f = " + shortNumber(point->f) +
                             "  ε/D = " + significantText(point->relativeRoughness, 3);
    chart.addPoint(marker, point->re, point->f);
    chart.touch();
}

}  // namespace aub
