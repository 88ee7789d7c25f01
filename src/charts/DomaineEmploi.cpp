#include "charts/DomaineEmploi.h"
#include "core/NumberConvert.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Printing.h"
#include "forms/Session.h"

namespace aub {

namespace {

constexpr double QMin = 0.005, QMax = 100, HMin = 0.3, HMax = 1000;
constexpr double Efficiency = 0.8;
constexpr double Gravity = 9.81;
// Iso-power lines, kW, with their legends.
struct PowerLine {
    double kw;
    const char* name;
};
constexpr PowerLine PowerLines[] = {{1, "1 kW"}, {10, "10 kW"}, {100, "100 kW"}, {1000, "1 MW"}, {10000, "10 MW"}};
constexpr int PowerLinePoints = 41;
constexpr int PowerLineColor = 0x7F7F7F;
constexpr int SiteColor = 0xD01010;
constexpr const char* BadPoint = "Le débit Q et la hauteur H doivent être des nombres positifs.";

std::string shortNumber(double v) { return chartNumber(v); }

// Whether a zone's name and a runner type name the same kind of machine ("Francis" and
// "Francis lente", "Kaplan et hélice" and "Hélice ou Kaplan").
bool sameMachineFamily(const std::string& zone, const std::string& type) {
    auto lower = [](std::string t) {
        for (char& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return t;
    };
    const std::string z = lower(zone), t = lower(type);
    for (const char* family : {"pelton", "turgo", "banki", "francis", "kaplan", "lice"})  // "hélice", "Hélice"
        if (z.find(family) != std::string::npos && t.find(family) != std::string::npos) return true;
    return false;
}

}  // namespace

std::optional<double> positiveBoxNumber(const std::string& text) {
    std::string t = trim(text);
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.empty() || t.size() > 64) return std::nullopt;
    double v = 0;
    const char* end = t.data() + t.size();
    auto [ptr, ec] = readFloating(t.data(), end, v);
    if (ec != std::errc() || ptr != end || !std::isfinite(v) || !(v > 0)) return std::nullopt;
    return v;
}

DomaineEmploi::DomaineEmploi(Session& s) : Form(s, "DomaineEmploi", "DOMAINE D'EMPLOI DES TURBINES ET DES ROUES") {
    columns = 5;
    add(ControlKind::Chart, "Graphe").at(0, 0, 1, 5).size(10500, 6600);  // room for the sources of nine zones
    label("Label1", 0, "Débit Q (m3/s)").at(1, 0);
    textBox("Valbox", 0).at(1, 1);
    label("Label1", 1, "Hauteur H (m)").at(1, 2);
    textBox("Valbox", 1).at(1, 3);
    button("Placer", -1, "Placer").at(1, 4);
    label("Zones", -1, "").at(2, 0, 1, 5);
    label("Sources", -1, "").at(3, 0, 1, 5);
    ctl("Sources").fontSize = 7;

    menu("Fichier", "Fichier");
    addChartExportEntries(*this, "Graphe", "Fichier");
    menu("Fermer", "Fermer", "Fichier");
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    // A chart to read beside the design windows, closed by Escape like the other windows.
    staysAboveOpener = false;
    cancelAction = "Fermer";
    on("Placer", EventKind::Click, [this](int) { placeTyped(); });
}

void DomaineEmploi::load() {
    readZones();
    // The last sizing: the turbine window, else the cross-flow window, else the
    // program-wide head and flow.
    placeFromWindow("Formroue");
    if (!site_) placeFromWindow("Banki");
    if (!site_) {
        const SharedValues& sv = shared();
        // In the chart's units, whatever unit the last writer used.
        const double q = sv.flowM3s(), h = sv.headM();
        if (std::isfinite(q) && std::isfinite(h) && q > 0 && h > 0) {
            site_ = std::make_pair(q, h);
            set("Valbox", 0, shortNumber(q));
            set("Valbox", 1, shortNumber(h));
        }
    }
    drawChart();
    describePoint();
}

void DomaineEmploi::readZones() {
    zones_.clear();
    std::string sources;
    int badLine = 0;
    const auto file = findFile(session().appFolder(), MachineZonesFile);
    try {
        if (!file) throw CalcError(ErrFileNotFound);
        zones_ = readMachineZones(*file, &badLine);
    } catch (const CalcError& e) {
        // The chart still shows the power lines and the point.
        std::string text = "Domaines d'emploi non lus (" + std::string(MachineZonesFile) + ") : " + e.description();
        if (badLine > 0) text += ", ligne " + std::to_string(badLine);
        dialogs().message(text);
        zones_.clear();
    }
    for (const MachineZone& z : zones_)
        if (!z.sources.empty()) sources += (sources.empty() ? "" : "\n") + z.name + " : " + z.sources.front();
    ctl("Sources").caption = sources.empty() ? "" : "Sources :\n" + sources;
}

void DomaineEmploi::placeFromWindow(const std::string& window) {
    Form* other = session().loaded(window);
    if (!other) return;
    const bool turbine = window == "Formroue";
    Control* head = other->find(turbine ? "boitebase" : "Donnée", 0);
    Control* flow = other->find(turbine ? "boitebase" : "Donnée", 1);
    if (!head || !flow) return;
    const auto h = positiveBoxNumber(head->text());
    const auto q = positiveBoxNumber(flow->text());
    if (!h || !q) return;
    site_ = std::make_pair(*q, *h);
    // The runner the turbine window names from the specific speed, to compare with the zones.
    namedType_.clear();
    if (turbine)
        if (const Control* type = other->find("boite", 7)) namedType_ = trim(type->text());
    set("Valbox", 0, trim(flow->text()));
    set("Valbox", 1, trim(head->text()));
    if (isLoaded()) {
        drawChart();
        describePoint();
    }
}

void DomaineEmploi::placeTyped() {
    const auto q = positiveBoxNumber(txt("Valbox", 0));
    const auto h = positiveBoxNumber(txt("Valbox", 1));
    if (!q || !h) {
        dialogs().message(BadPoint);
        return;
    }
    namedType_.clear();  // a point typed here is no runner's
    placePoint(*q, *h);
}

bool DomaineEmploi::placePoint(double q, double h) {
    if (!std::isfinite(q) || !std::isfinite(h) || !(q > 0) || !(h > 0)) {
        dialogs().message(BadPoint);
        return false;
    }
    site_ = std::make_pair(q, h);
    drawChart();
    describePoint();
    return true;
}

void DomaineEmploi::drawChart() {
    Chart& chart = ctl("Graphe").chart;
    chart.clear();
    chart.title = caption;
    chart.x = {"Débit Q", "m3/s", true, false, QMin, QMax};
    chart.y = {"Hauteur H", "m", true, false, HMin, HMax};
    for (const MachineZone& z : zones_) {
        const int s = chart.addSeries(z.name, SeriesKind::Zone, z.color);
        for (const ChartPoint& p : z.polygon) chart.addPoint(s, p.x, p.y);
    }
    // P = 9.81·Q·H·η kW: a straight line of slope −1 on log–log axes, kept inside the frame.
    for (const PowerLine& line : PowerLines) {
        const int s = chart.addSeries(line.name, SeriesKind::Line, PowerLineColor);
        chart.at(s).width = 1;
        chart.at(s).label = line.name;  // written on the line rather than in the legend
        chart.at(s).inLegend = false;
        const double k = line.kw / (Gravity * Efficiency);  // Q·H
        const double qFrom = std::max(QMin, k / HMax), qTo = std::min(QMax, k / HMin);
        if (!(qTo > qFrom)) continue;
        for (int i = 0; i < PowerLinePoints; ++i) {
            const double q =
                std::pow(10.0, std::log10(qFrom) + (std::log10(qTo) - std::log10(qFrom)) * i / (PowerLinePoints - 1));
            chart.addPoint(s, q, k / q);
        }
    }
    if (site_) {
        const int s = chart.addSeries("Site", SeriesKind::Marker, SiteColor);
        chart.at(s).label =
            "Site : Q = " + shortNumber(site_->first) + " m3/s, H = " + shortNumber(site_->second) + " m";
        chart.addPoint(s, site_->first, site_->second);
    }
}

void DomaineEmploi::describePoint() {
    Control& text = ctl("Zones");
    if (!site_) {
        text.caption = "Tapez un débit et une hauteur, puis « Placer ».";
    } else {
        const auto names = zonesContaining(zones_, site_->first, site_->second);
        const double kw = Gravity * site_->first * site_->second * Efficiency;
        std::string where = "Le site (Q = " + shortNumber(site_->first) + " m3/s, H = " + shortNumber(site_->second) +
                            " m, environ " + shortNumber(kw) + " kW) ";
        if (names.empty()) {
            where += "n'est dans aucun domaine.";
        } else {
            where += names.size() == 1 ? "est dans le domaine : " : "est dans les domaines : ";
            for (std::size_t i = 0; i < names.size(); ++i) where += (i ? ", " : "") + names[i];
            where += ".";
        }
        if (!namedType_.empty() && std::none_of(names.begin(), names.end(), [&](const std::string& zone) {
                return sameMachineFamily(zone, namedType_);
            }))
            where += " " + namedType_ + " selon la vitesse spécifique ; hors des domaines publiés ci-dessus.";
        text.caption = where;
    }
}

void openMachineChart(Session& session, const std::string& from, bool modal) {
    auto* chart = dynamic_cast<DomaineEmploi*>(&session.load("DomaineEmploi"));
    if (!chart || !chart->isLoaded()) return;
    chart->placeFromWindow(from);
    session.show("DomaineEmploi", modal);
}

}  // namespace aub
