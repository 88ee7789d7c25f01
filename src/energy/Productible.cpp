#include "energy/Productible.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/CalcError.h"
#include "core/Messenger.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "energy/DatedRecord.h"
#include "energy/FlowText.h"
#include "energy/RecordStatistics.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Printing.h"
#include "forms/Session.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

constexpr int SiteCount = 5;
const char* const SiteCaptions[SiteCount] = {"Hauteur de chute brute (m)", "Pertes de charge au débit d'équipement (m)",
                                             "Module (m3/s)", "Débit réservé (m3/s)", "Débit d'équipement (m3/s)"};
enum Site { Hb, Hl, Module, Qr, Qd };

constexpr int MachineBoxCount = 5;
const char* const MachineCaptions[MachineBoxCount] = {"Débit minimal (% de Qd)", "Nombre de jets",
                                                      "Coefficient de fabrication Rm",
                                                      "Rendement transmission et génératrice", "Nombre de machines"};
enum MachineBox { Qmin, Jets, Rm, Drive, Machines };

// What the plant loses in service.
constexpr int LossCount = 4;
const char* const LossCaptions[LossCount] = {"Arrêts (jours par an)", "Disponibilité (%)", "Perte de chute en crue (m)",
                                             "au débit (m3/s)"};
enum LossBox { Downtime, Availability, FloodLoss, FloodFlow };

// A site without a gauge: the flows of a gauging station carried over.
constexpr int BasinCount = 3;
const char* const BasinCaptions[BasinCount] = {"Bassin de la station (km²)", "Bassin du site (km²)",
                                               "Exposant du rapport"};
enum BasinBox { StationArea, SiteArea, Exponent };

constexpr const char* MonthlyCaption = "Débit réservé par mois (m3/s)";

constexpr int ResultCount = 15;
const char* const ResultCaptions[ResultCount] = {"Module (m3/s)",
                                                 "Débit réservé (m3/s)",
                                                 "Puissance maximale brute (kW)",
                                                 "Puissance électrique maximale (kW)",
                                                 "Puissance moyenne (kW)",
                                                 "Productible annuel (kWh/an)",
                                                 "Facteur de charge (%)",
                                                 "Heures de fonctionnement équivalentes à pleine puissance (h/an)",
                                                 "Jours de fonctionnement par an",
                                                 "Productible P50 (kWh/an)",
                                                 "Productible P90 (kWh/an)",
                                                 "QMNA5 (m3/s)",
                                                 "Part de l'hiver (%)",
                                                 "Gain sur une seule machine (kWh/an)",
                                                 "Rapport des débits site / station"};
enum RecordResult { P50Box = 9, P90Box, Qmna5Box, WinterBox, GainBox, RatioBox };

constexpr const char* Missing = "Données manquantes";

// The charts the list "Graphique" chooses between, in its order: the title each chart
// shows, its builder in drawChart (the switch there names every builder, so a record
// whose builder has no drawing fails to build), and whether it needs a dated record.
}  // namespace

enum class Productible::ChartId : int { Duration, Power, Sweep, Hydrograph, Year, MonthFlow, MonthEnergy };

namespace {

using ChartId = Productible::ChartId;
struct ChartEntry {
    const char* title;
    ChartId builder;
    bool dated;
};
constexpr ChartEntry Charts[] = {
    {"Débits classés et débit turbiné", ChartId::Duration, false},
    {"Puissance électrique", ChartId::Power, false},
    {"Productible selon le débit d'équipement", ChartId::Sweep, false},
    {"Hydrogramme", ChartId::Hydrograph, true},
    {"Productible par année", ChartId::Year, true},
    {"Débits moyens mensuels", ChartId::MonthFlow, true},
    {"Productible moyen par mois", ChartId::MonthEnergy, true},
};

// The tables the list "Tableaux" chooses between.
constexpr int TableCount = 2;
const char* const TableCaptions[TableCount] = {"Productible par année", "Débits et productible par mois"};
enum TableChoice { YearTable, MonthTable };
const char* const MonthNames[12] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                    "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};

constexpr int RiverColor = 0x1F4E9A;     // the river's flows
constexpr int TurbinedColor = 0x9CC8EE;  // the turbined band
constexpr int ReservedColor = 0xC0392B;  // the reserved flow
constexpr int DesignColor = 0x2E8B57;    // the design flow
constexpr int BestColor = 0xD35400;      // the best design flow

// A reserved flow constant through the year, and Qr + Qd above it, as two level lines.
void addConstantReservedLines(Chart& chart, const EnergyCharts& c) {
    const int qr = chart.addSeries("Débit réservé Qr", SeriesKind::HLine, ReservedColor);
    chart.at(qr).width = 1;
    chart.addPoint(qr, 0, c.reservedFlow);
    const int qd = chart.addSeries("Qr + Qd", SeriesKind::HLine, DesignColor);
    chart.at(qd).width = 1;
    chart.addPoint(qd, 0, c.reservedFlow + c.designFlow);
}

// Swallows the reading messages while the efficiency boxes follow the inputs: the
// person hears about a bad box when calculating, not at each key.
class SilentMessenger : public Messenger {
public:
    void message(const std::string&) override {}
};

// Forwards the reading messages and remembers that one was shown.
// The efficiency box i is the machine's efficiency at 10·(i + 1) % of its design flow.
std::string efficiencyCaption(int i) { return "Rendement à " + std::to_string(10 * (i + 1)) + " %"; }

bool blank(const std::string& s) { return trim(s).empty(); }

// The refusal of a record too short for an annual figure.
std::string shortRecordMessage(std::size_t days, const std::string& ignored) {
    std::string s = "La chronique ne compte que " + std::to_string(days) + (days == 1 ? " jour" : " jours") +
                    " : il en faut au moins 365 pour un productible annuel.";
    if (!ignored.empty())
        s += " " + std::string(1, static_cast<char>(std::toupper(ignored[0]))) + ignored.substr(1) + ".";
    return s;
}

std::string fixed(double v, const char* mask) { return formatMask(v, mask); }

// The top of a linear axis starting at zero: the smallest of 1, 2, 4, 5, 8 or 10 times
// a power of ten that reaches `v`, so that its four intervals fall on round values.
double roundTop(double v) {
    if (!std::isfinite(v) || v <= 0) return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    for (double step : {1.0, 2.0, 4.0, 5.0, 8.0, 10.0})
        if (step * decade >= v * (1 - 1e-12)) return step * decade;
    return 10 * decade;
}

double largestY(const std::vector<ChartPoint>& points) {
    double top = 0;
    for (const ChartPoint& p : points) top = std::max(top, p.y);
    return top;
}

constexpr const char* MostEnergySeries = "Plus grand productible";

// The design flow of the sweep that gives the most energy, named for that alone (no
// cost enters it); a best at either end of the sweep may lie beyond it, and says so.
std::string bestFlowCaption(const DesignFlowSweep& sweep) {
    if (sweep.best < 0 || sweep.points.empty()) return {};
    const SweepPoint& best = sweep.points[static_cast<std::size_t>(sweep.best)];
    std::string s = "Débit d'équipement du plus grand productible : " + fixed(best.designFlow, "0.000") + " m3/s (" +
                    fixed(best.annualEnergy, "0") + " kWh/an)";
    const bool atEnd = sweep.best == 0 || static_cast<std::size_t>(sweep.best) + 1 == sweep.points.size();
    if (atEnd)
        s += ", au bout de la plage étudiée (" + fixed(sweep.points.front().designFlow, "0.000") + " à " +
             fixed(sweep.points.back().designFlow, "0.000") + " m3/s) : le plus grand peut être au-delà";
    return s;
}

}  // namespace

std::vector<StudyBox> Productible::studyInputs() {
    std::vector<StudyBox> out = studyBoxes("Site", SiteCaptions);
    out.push_back(studyBox("Typemachine", -1, "Type de machine"));
    for (StudyBox& b : studyBoxes("Machine", MachineCaptions)) out.push_back(std::move(b));
    for (int i = 0; i < 10; ++i) out.push_back(studyBox("Rendement", i, efficiencyCaption(i)));
    for (StudyBox& b : studyBoxes("Exploitation", LossCaptions)) out.push_back(std::move(b));
    out.push_back(studyBox("Qrmois", -1, MonthlyCaption));
    for (StudyBox& b : studyBoxes("Bassin", BasinCaptions)) out.push_back(std::move(b));
    return out;
}

std::vector<StudyBox> Productible::studyResults() { return studyBoxes("Resultat", ResultCaptions); }

Productible::Productible(Session& s) : Form(s, "Productible", "PRODUCTIBLE ANNUEL D'UN SITE") {
    columns = 3;
    // Boxes as wide as their figures, so that the window keeps room for its chart.
    constexpr int Box = 1100;
    frame("FrameSite", -1, "Site").at(0, 0);
    for (int i = 0; i < SiteCount; ++i) {
        // The head loss's caption on one line, so that the column keeps its height.
        Control& lab = label("LabSite", i, SiteCaptions[i]).in("FrameSite").at(i, 0);
        if (i == Hl) lab.size(4200, 0);
        textBox("Site", i).in("FrameSite").at(i, 1).size(Box, 0);
    }
    set("Site", Hl, "0");

    frame("FrameMachine", -1, "Machine").at(1, 0);
    label("LabType", -1, "Type de machine").in("FrameMachine").at(0, 0);
    Control& type = comboBox("Typemachine").in("FrameMachine").at(0, 1, 1, 3);
    for (const MachineType& t : machineTypes()) type.addItem(t.caption);
    label("Indicatif", -1, "valeurs indicatives, modifiables").in("FrameMachine").at(1, 0, 1, 4);
    // Ten efficiencies in two columns of five.
    for (int i = 0; i < 10; ++i) {
        label("LabRendement", i, efficiencyCaption(i)).in("FrameMachine").at(2 + i % 5, 2 * (i / 5));
        textBox("Rendement", i).in("FrameMachine").at(2 + i % 5, 2 * (i / 5) + 1).size(Box, 0);
    }
    // Two boxes a row, the drive efficiency alone on the last.
    constexpr int MachineRow[MachineBoxCount] = {7, 7, 8, 9, 8}, MachineCol[MachineBoxCount] = {0, 2, 0, 0, 2};
    for (int i = 0; i < MachineBoxCount; ++i) {
        const int col = MachineCol[i], span = i == Drive ? 3 : 1;
        label("LabMachine", i, MachineCaptions[i]).in("FrameMachine").at(MachineRow[i], col, 1, span);
        textBox("Machine", i).in("FrameMachine").at(MachineRow[i], i == Drive ? 3 : col + 1).size(Box, 0);
    }
    set("Machine", Jets, "1");
    set("Machine", Rm, "4.5");
    set("Machine", Drive, "0.90");
    set("Machine", Machines, "1");

    // Downtime taken from the days that produce least; the head lost as the tail water rises.
    frame("FrameExploitation", -1, "Exploitation (arrêts pris aux plus faibles productions)").at(2, 0);
    for (int i = 0; i < LossCount; ++i) {
        label("LabExploitation", i, LossCaptions[i]).in("FrameExploitation").at(i / 2, 2 * (i % 2));
        textBox("Exploitation", i).in("FrameExploitation").at(i / 2, 2 * (i % 2) + 1).size(Box, 0);
    }
    // Twelve values, January first, separated by ";"; a blank one is the site's reserved flow.
    label("LabQrmois", -1, MonthlyCaption).in("FrameExploitation").at(2, 0);
    textBox("Qrmois", -1).in("FrameExploitation").at(2, 1, 1, 3);
    set("Exploitation", Downtime, "0");
    set("Exploitation", Availability, "100");
    set("Exploitation", FloodLoss, "0");

    frame("FrameDebits", -1, "Débits classés").at(0, 1, 3, 1);
    label("LabCourbe", -1, "fréquence de dépassement (%) ; débit (m3/s)").in("FrameDebits").at(0, 0, 1, 2);
    textBox("Courbe", -1).in("FrameDebits").at(1, 0, 1, 2).size(4000, 1600).multi();
    button("Importer", -1, "Importer une chronique…").in("FrameDebits").at(2, 0, 1, 2);
    label("Infochronique", -1, "").in("FrameDebits").at(3, 0, 1, 2).size(4000, 800);
    // Flows of a gauging station carried to the site by the ratio of the catchments.
    for (int i = 0; i < BasinCount; ++i) {
        label("LabBassin", i, BasinCaptions[i]).in("FrameDebits").at(4 + i, 0);
        textBox("Bassin", i).in("FrameDebits").at(4 + i, 1).size(Box, 0);
    }
    set("Bassin", Exponent, "1");
    // The yearly and monthly figures of a dated record, one table at a time.
    Control& tables = listBox("Tableaux").in("FrameDebits").at(8, 0, 1, 2).size(4000, 500);
    for (const char* c : TableCaptions) tables.addItem(c);
    add(ControlKind::Table, "Tableau").in("FrameDebits").at(9, 0, 1, 2).size(4000, 1600);
    // Under the table: the years kept and left out, then what the plant's machines and
    // the station's flows change; each has its room, so that a long note wraps there.
    label("Infoannees", -1, "").in("FrameDebits").at(10, 0, 1, 2).size(4000, 700);
    label("Infoexploitation", -1, "").in("FrameDebits").at(11, 0, 1, 2).size(4000, 700);

    frame("FrameResultats", -1, "Résultats").at(0, 2, 3, 1);
    // The figures in two columns (the yearly ones, then those of the running hours and
    // of a dated record); the gain of the machines beside them, the ratio of the flows
    // beside the catchments.
    constexpr int Shown = GainBox;  // the figures of the frame
    constexpr int LeftRows = 7, ResultCaptionTw = 2500;
    for (int i = 0; i < ResultCount; ++i) {
        const char* in = i == GainBox ? "FrameExploitation" : i == RatioBox ? "FrameDebits" : "FrameResultats";
        int row = i == GainBox ? 3 : i == RatioBox ? 4 + BasinCount : i % LeftRows;
        int col = i < Shown && i >= LeftRows ? 2 : 0;
        Control& lab = label("LabResultat", i, ResultCaptions[i]).in(in).at(row, col, 1, i == GainBox ? 3 : 1);
        if (i < Shown) lab.size(ResultCaptionTw, 0);
        textBox("Resultat", i).in(in).at(row, i == GainBox ? 3 : col + 1).size(Box, 0).locked = true;
    }
    // Two lines kept for the most-energy design flow, so that the chart does not move.
    label("Meilleurqd", -1, "").in("FrameResultats").at(LeftRows, 0, 1, 4).size(7450, 420);

    // One chart at a time under the figures, the list choosing which, wide enough for its
    // ticks, its axis titles with their units and its legend.
    Control& choice = comboBox("Graphique").in("FrameResultats").at(LeftRows + 1, 0, 1, 4);
    for (const ChartEntry& c : Charts) choice.addItem(c.title);
    add(ControlKind::Chart, "Graphe").in("FrameResultats").at(LeftRows + 2, 0, 1, 4).size(7450, 4450);

    // Alt-letter shortcuts as in the other windows.
    menu("Fichier", "&Fichier");
    menu("Ouvrir", "&Ouvrir", "Fichier");
    menu("Enregistrer", "&Enregistrer", "Fichier");
    menu("Enregistrersous", "Enregistrer &sous", "Fichier");
    addChartExportEntries(*this, "Graphe", "Fichier");
    menu("Fermer", "Fer&mer", "Fichier");
    menu("Calcul", "&Calcul");
    menu("Imprimer", "&Imprimer");
    menu("Aide", "&Aide locale");
    menu("Bilan", "&Bilan économique…");

    on("Bilan", EventKind::Click, [this](int) { session().open("BilanEconomique"); });
    on("Ouvrir", EventKind::Click, [this](int) { askOpen(); });
    on("Enregistrer", EventKind::Click, [this](int) { save(); });
    on("Enregistrersous", EventKind::Click, [this](int) { askSaveAs(); });
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    on("Calcul", EventKind::Click, [this](int) { calculate(); });
    on("Imprimer", EventKind::Click, [this](int) { printAfterQuestion(*this); });
    on("Aide", EventKind::Click, [this](int) { session().showHelpRecord(ProductibleHelpRecord); });
    on("Importer", EventKind::Click, [this](int) { importRecord(); });
    on("Typemachine", EventKind::Click, [this](int) { machineChosen(); });
    on("Graphique", EventKind::Click, [this](int) { drawChart(); });
    on("Tableaux", EventKind::Click, [this](int) { fillTable(); });
    // The machine's curve follows its data until the person edits it.
    auto follow = [this](int) {
        if (!filling_ && !efficiencyEdited_) refillEfficiencies(false);
    };
    on("Site", EventKind::Change, follow);
    on("Machine", EventKind::Change, follow);
    on("Rendement", EventKind::Change, [this](int) {
        if (!filling_) efficiencyEdited_ = true;
    });
    // A typed curve replaces the imported record.
    on("Courbe", EventKind::Change, [this](int) {
        if (filling_ || record_.empty()) return;
        record_.clear();
        recordDays_.clear();
        ctl("Infochronique").caption = "";
    });

    type.setListIndex(machineIndex(defaultMachineType().caption));
    // The default type's stop flow and curve are in their boxes from the start, as when the
    // type is chosen: a blank stop flow would be read as 0 % of Qd.
    machineChosen(false);
    choice.setListIndex(0);
    tables.setListIndex(YearTable);
    drawChart();  // the axes, empty until a calculation
    fillTable();

    defaultAction = "Calcul";
    tracksEdits = true;
    discardsEdits("Ouvrir");
}

void Productible::load() {
    const SharedValues& sv = shared();
    // In the window's units (m, m3/s), whatever unit the last writer used.
    const float h = sv.headM(), q = sv.flowM3s();
    if (std::isfinite(h) && h > 0) set("Site", Hb, formatGeneral(h));
    if (std::isfinite(q) && q > 0) set("Site", Qd, formatGeneral(q));
}

const MachineType& Productible::machine() const {
    const Control& list = const_cast<Productible*>(this)->ctl("Typemachine");
    const int i = list.listIndex();
    const MachineType* chosen = i < 0 ? nullptr : findMachineType(list.items[static_cast<std::size_t>(i)]);
    return chosen ? *chosen : defaultMachineType();
}

int Productible::machineIndex(std::string_view typeCaption) {
    const std::vector<std::string>& items = ctl("Typemachine").items;
    const auto at = std::find(items.begin(), items.end(), typeCaption);
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

void Productible::machineChosen(bool warn) {
    const MachineType& type = machine();
    // Jets count for the impulse turbines, Rm for the reaction turbines only.
    for (const auto& [box, on] : {std::pair{int(Jets), type.jets}, std::pair{int(Rm), type.rm}}) {
        for (const char* name : {"Machine", "LabMachine"}) {
            Control& c = ctl(name, box);
            c.enabled = on;
        }
    }
    if (filling_) return;
    efficiencyEdited_ = false;
    filling_ = true;
    set("Machine", Qmin, formatGeneral(type.minimumFlowPercent));
    filling_ = false;
    refillEfficiencies(warn);
}

void Productible::refillEfficiencies(bool warn) {
    const MachineType& type = machine();
    SilentMessenger quiet;
    const bool comma = shared().DecimalComma;
    auto read = [&](const std::string& name, int i) {
        std::string t = txt(name, i);
        return parseNumberDouble(t, comma, quiet);
    };
    MachineDesign d;
    // Each of N machines has its share of the design flow.
    const double machines = blank(txt("Machine", Machines)) ? 1 : read("Machine", Machines);
    d.designFlow = read("Site", Qd) / (machines >= 1 && machines <= 4 ? std::floor(machines) : 1);
    d.ratedHead = read("Site", Hb) - read("Site", Hl);
    d.rm = read("Machine", Rm);
    d.jets = static_cast<int>(std::lround(std::clamp(read("Machine", Jets), 1.0, 6.0)));
    // Wheels and the cross-flow turbine have a curve in fractions of Qd alone.
    if (type.shareOfDesignFlow) {
        d.designFlow = 1;
        d.ratedHead = 1;
    }
    filling_ = true;
    if (!(d.designFlow > 0) || !(d.ratedHead > 0)) {
        for (int i = 0; i < 10; ++i) set("Rendement", i, "");
    } else {
        const auto table = efficiencyTable(type, d);
        for (int i = 0; i < 10; ++i) set("Rendement", i, fixed(table[i], "0.000"));
    }
    filling_ = false;
    if (warn)
        if (const std::string outside = defaultCurveOutsideSource(type, d.ratedHead); !outside.empty())
            dialogs().message(outside);
}

std::string Productible::reportMethod() { return method_.empty() ? Form::reportMethod() : method_; }

std::vector<Chart> Productible::reportCharts() {
    if (!result_ || !charts_) return {};
    // The three charts of the calculation: the one shown is the window's own; the two
    // others are drawn the same way, then the window is left as it was.
    Control& list = ctl("Graphique");
    Control& graph = ctl("Graphe");
    const int shown = list.listIndex();
    const Chart kept = graph.chart;
    std::vector<Chart> out;
    for (int which = 0; which < static_cast<int>(std::size(Charts)); ++which) {
        if (Charts[which].dated || which == (shown < 0 ? 0 : shown)) continue;
        list.setListIndex(which);
        drawChart();
        out.push_back(graph.chart);
    }
    list.setListIndex(shown);
    graph.chart = kept;
    return out;
}

void Productible::clearResults() {
    for (int i = 0; i < ResultCount; ++i) set("Resultat", i, "");
    ctl("Meilleurqd").caption = "";
    ctl("Infoannees").caption = "";
    ctl("Infoexploitation").caption = "";
    result_.reset();
    charts_.reset();
    statistics_.reset();
    method_.clear();
    drawChart();
    fillTable();
}

void Productible::drawChart() {
    const int chosen = ctl("Graphique").listIndex();
    const ChartEntry& entry = Charts[chosen < 0 ? 0 : chosen];
    const ChartId which = entry.builder;
    Chart& chart = ctl("Graphe").chart;
    chart.clear();
    chart.title = entry.title;
    const ChartAxis percent{"Fréquence de dépassement", "%", false, false, 0, 100};
    switch (which) {
        case ChartId::Duration:
            chart.x = percent;
            chart.y = {"Débit Q", "m3/s", false, true, 0, 1};
            break;
        case ChartId::Power:
            chart.x = percent;
            chart.y = {"Puissance électrique P", "kW", false, true, 0, 1};
            break;
        case ChartId::Sweep:
            chart.x = {"Débit d'équipement Qd", "m3/s", false, true, 0, 1};
            chart.y = {"Productible annuel E", "kWh/an", false, true, 0, 1};
            break;
        case ChartId::Hydrograph:
            chart.x = {"Date", "année", false, true, 0, 1};
            chart.y = {"Débit Q", "m3/s", false, true, 0, 1};
            break;
        case ChartId::Year:
            chart.x = {"Année", "", false, true, 0, 1};
            chart.y = {"Productible E", "kWh", false, true, 0, 1};
            break;
        case ChartId::MonthFlow:
            chart.x = {"Mois", "", false, false, 0.5, 12.5};
            chart.y = {"Débit moyen Q", "m3/s", false, true, 0, 1};
            break;
        case ChartId::MonthEnergy:
            chart.x = {"Mois", "", false, false, 0.5, 12.5};
            chart.y = {"Productible moyen E", "kWh", false, true, 0, 1};
            break;
    }
    if (entry.dated) {
        drawRecordChart(chart, which);
        return;
    }
    // Before a calculation the chart keeps its title and axes and shows no series.
    if (charts_ && result_) {
        const EnergyCharts& c = *charts_;
        // Axes from zero to a round value above the data.
        auto yTo = [&](double top) { chart.y.autoRange = false, chart.y.min = 0, chart.y.max = roundTop(top); };
        if (which == ChartId::Duration)
            yTo(std::max(largestY(c.durationCurve), largestY(reservedDurationSteps(c, c.designFlow))) * 1.05);
        else if (which == ChartId::Power)
            yTo(largestY(c.powerCurve) * 1.05);
        else if (which == ChartId::Sweep && !c.sweep.points.empty()) {
            chart.x.autoRange = false;
            chart.x.min = 0;
            chart.x.max = roundTop(std::max(c.sweep.points.back().designFlow, c.designFlow));
            double top = result_->annualEnergy;
            for (const SweepPoint& p : c.sweep.points) top = std::max(top, p.annualEnergy);
            yTo(top * 1.1);  // room for the best point's label
        }
        if (which == ChartId::Duration) {
            const int band = chart.addSeries("Débit turbiné", SeriesKind::Area, TurbinedColor);
            for (std::size_t i = 0; i < c.bandHigh.size() && i < c.bandLow.size(); ++i)
                chart.addPoint(band, c.bandHigh[i].x, c.bandHigh[i].y, c.bandLow[i].y);
            const int river = chart.addSeries("Débits classés", SeriesKind::Line, RiverColor);
            for (const ChartPoint& p : c.durationCurve) chart.addPoint(river, p.x, p.y);
            // The river flow from which the machine runs at its design flow: Qr + Qd. A
            // reserved flow by month is drawn as its months ranked, a staircase.
            if (c.reservedByMonth) {
                const int qr = chart.addSeries("Débit réservé Qr (mois classés)", SeriesKind::Line, ReservedColor);
                chart.at(qr).width = 1;
                for (const ChartPoint& p : reservedDurationSteps(c, 0)) chart.addPoint(qr, p.x, p.y);
                const int qd = chart.addSeries("Qr + Qd (mois classés)", SeriesKind::Line, DesignColor);
                chart.at(qd).width = 1;
                for (const ChartPoint& p : reservedDurationSteps(c, c.designFlow)) chart.addPoint(qd, p.x, p.y);
            } else {
                addConstantReservedLines(chart, c);
            }
        } else if (which == ChartId::Power) {
            const int power = chart.addSeries("Puissance électrique", SeriesKind::Line, RiverColor);
            for (const ChartPoint& p : c.powerCurve) chart.addPoint(power, p.x, p.y);
        } else if (which == ChartId::Sweep) {
            const int energy = chart.addSeries("Productible annuel", SeriesKind::Line, RiverColor);
            for (const SweepPoint& p : c.sweep.points) chart.addPoint(energy, p.designFlow, p.annualEnergy);
            const int present = chart.addSeries("Débit d'équipement choisi", SeriesKind::Marker, DesignColor);
            chart.at(present).label = "Qd = " + fixed(c.designFlow, "0.000") + " m3/s";
            chart.addPoint(present, c.designFlow, result_->annualEnergy);
            if (c.sweep.best >= 0) {
                const SweepPoint& best = c.sweep.points[static_cast<std::size_t>(c.sweep.best)];
                const int top = chart.addSeries(MostEnergySeries, SeriesKind::Marker, BestColor);
                chart.at(top).label = "Plus grand productible : Qd = " + fixed(best.designFlow, "0.000") + " m3/s, " +
                                      fixed(best.annualEnergy, "0") + " kWh/an";
                chart.addPoint(top, best.designFlow, best.annualEnergy);
            }
        }
    }
}

namespace {

// Bars drawn as one filled area: each bar a step from 0 up to its value and back.
void addBars(Chart& chart, const std::string& name, const std::vector<ChartPoint>& bars, int color) {
    const int s = chart.addSeries(name, SeriesKind::Area, color);
    for (const ChartPoint& b : bars) {
        chart.addPoint(s, b.x - 0.4, 0, 0);
        chart.addPoint(s, b.x - 0.4, b.y, 0);
        chart.addPoint(s, b.x + 0.4, b.y, 0);
        chart.addPoint(s, b.x + 0.4, 0, 0);
    }
}

// The decimal year of a day (1976.5 ...), for the hydrograph's axis.
double decimalYear(int day) { return 1970.0 + day / 365.2425; }

}  // namespace

void Productible::drawRecordChart(Chart& chart, ChartId which) {
    if (!statistics_ || !charts_ || siteDays_.empty()) return;
    const RecordStatistics& st = *statistics_;
    auto yTo = [&](double top) { chart.y.autoRange = false, chart.y.min = 0, chart.y.max = roundTop(top); };
    if (which == ChartId::Hydrograph) {
        const EnergyCharts& c = *charts_;
        const int river = chart.addSeries("Débit journalier", SeriesKind::Line, RiverColor);
        double top = c.reservedFlow + c.designFlow;
        for (const RecordDay& d : siteDays_) {
            chart.addPoint(river, decimalYear(d.day), d.flow);
            top = std::max(top, d.flow);
        }
        if (!c.reservedByMonth) {
            yTo(top * 1.05);
            addConstantReservedLines(chart, c);
            return;
        }
        // A reserved flow by month: each calendar month of the record at its own value.
        const int first = siteDays_.front().day, last = siteDays_.back().day;
        const int qr = chart.addSeries("Débit réservé Qr (par mois)", SeriesKind::Line, ReservedColor);
        chart.at(qr).width = 1;
        for (const ChartPoint& p : reservedDateSteps(c, first, last, 0))
            chart.addPoint(qr, decimalYear(static_cast<int>(p.x)), p.y);
        const int qd = chart.addSeries("Qr + Qd (par mois)", SeriesKind::Line, DesignColor);
        chart.at(qd).width = 1;
        for (const ChartPoint& p : reservedDateSteps(c, first, last, c.designFlow)) {
            chart.addPoint(qd, decimalYear(static_cast<int>(p.x)), p.y);
            top = std::max(top, p.y);
        }
        yTo(top * 1.05);
        return;
    }
    std::vector<ChartPoint> bars;
    if (which == ChartId::Year) {
        for (const RecordYear& y : st.years)
            if (y.kept) bars.push_back({static_cast<double>(y.year), y.energy});
        if (bars.empty()) return;
        chart.x.autoRange = false;
        chart.x.min = bars.front().x - 1;
        chart.x.max = bars.back().x + 1;
        yTo(largestY(bars) * 1.1);
        addBars(chart, "Productible de l'année", bars, TurbinedColor);
        if (st.p50 && st.p90) {
            const int p50 = chart.addSeries("P50", SeriesKind::HLine, DesignColor);
            chart.at(p50).width = 1;
            chart.addPoint(p50, 0, *st.p50);
            const int p90 = chart.addSeries("P90", SeriesKind::HLine, ReservedColor);
            chart.at(p90).width = 1;
            chart.addPoint(p90, 0, *st.p90);
        }
        return;
    }
    if (which != ChartId::MonthFlow && which != ChartId::MonthEnergy) return;  // no other chart's bars
    for (std::size_t i = 0; i < 12; ++i)
        bars.push_back(
            {static_cast<double>(i + 1), which == ChartId::MonthFlow ? st.monthlyFlow[i] : st.monthlyEnergy[i]});
    yTo(largestY(bars) * 1.1);
    if (which == ChartId::MonthFlow) {
        addBars(chart, "Débit moyen du mois", bars, TurbinedColor);
        const int module = chart.addSeries("Module", SeriesKind::HLine, RiverColor);
        chart.at(module).width = 1;
        chart.addPoint(module, 0, st.module);
    } else if (which == ChartId::MonthEnergy) {
        addBars(chart, "Productible moyen du mois", bars, TurbinedColor);
    }
}

void Productible::fillTable() {
    const int chosen = ctl("Tableaux").listIndex();
    Control& table = ctl("Tableau");
    table.rows.clear();
    if (chosen == MonthTable) {
        table.columns = {"Mois", "Débit moyen (m3/s)", "Productible moyen (kWh)"};
        if (statistics_)
            for (std::size_t i = 0; i < 12; ++i)
                table.rows.push_back({MonthNames[i], fixed(statistics_->monthlyFlow[i], "0.000"),
                                      fixed(statistics_->monthlyEnergy[i], "0")});
    } else {
        table.columns = {"Année", "Jours lus", "Débit moyen (m3/s)", "Productible (kWh)"};
        if (statistics_)
            for (const RecordYear& y : statistics_->years)
                table.rows.push_back({std::to_string(y.year), std::to_string(y.daysRead), fixed(y.meanFlow, "0.000"),
                                      y.kept ? fixed(y.energy, "0") : "non retenue (moins de 90 % des jours)"});
    }
    table.touch();
}

std::string Productible::recordInfo() const {
    if (record_.empty()) return "";
    std::string s = "Chronique importée (" + recordSource_ + ") : " + std::to_string(record_.size()) + " jours lus";
    if (!recordDays_.empty()) {
        s += " du " + dayText(recordDays_.front().day) + " au " + dayText(recordDays_.back().day) + ", " +
             coverageText(recordCoverage(recordDays_));
    }
    if (recordSkipped_ > 0)
        s += " ; " + (recordIgnored_.empty() ? std::to_string(recordSkipped_) + " lignes ignorées" : recordIgnored_);
    if (recordNote_.size()) s += " ; " + recordNote_;
    return s + ".";
}

namespace {

// The method of a calculation as the dossier states it.
std::string calculationMethod(const MachineType& type, bool edited, const SiteMachine& m, std::size_t recordDays,
                              double ratio, bool reservedByRule) {
    std::string t;
    t += recordDays > 0 ? "Débits : chronique journalière importée (" + std::to_string(recordDays) +
                              " jours), chaque jour compté pour sa part de l'année."
                        : "Débits : courbe des débits classés tapée, lue linéairement entre ses points et moyennée "
                          "par la méthode des trapèzes de 0 à 100 % du temps.";
    if (ratio > 0)
        t += " Débits de la station transposés au site par le rapport des bassins versants (× " +
             fixed(ratio, "0.000") + ").";
    t += "\nDébit réservé : ";
    if (m.reservedByMonth)
        t += "une valeur par mois, retranchée jour par jour du débit de la rivière.";
    else if (reservedByRule)
        t += "un dixième du module (" + fixed(m.reservedFlow, "0.000") +
             " m3/s), le minimum de l'article L214-18 du code de l'environnement, retranché du débit de la rivière.";
    else
        t += fixed(m.reservedFlow, "0.000") + " m3/s tapés, retranchés du débit de la rivière.";
    t += "\nRendement de la machine (" + std::string(type.caption) + ") : ";
    t += edited ? "les dix valeurs tapées, de 10 à 100 % du débit d'équipement." : type.curveMethod;
    t += "\nPuissance électrique P = 9,81 × Qt × Hn × rendement de la machine × rendement de transmission (kW), avec "
         "le débit turbiné Qt = min(Q − Qr, Qd), nul sous le débit minimal (" +
         fixed(m.minimumFlowPercent, "0") + " % de Qd), et la chute nette Hn = Hb − hL × (Qt/Qd)².";
    if (m.machines > 1)
        t += " " + std::to_string(m.machines) +
             " machines identiques se partagent Qd ; à chaque débit tourne le nombre de machines qui donne le plus de "
             "puissance.";
    if (m.downtimeDays > 0 || m.availability < 1)
        t += " Arrêts (" + fixed(m.downtimeDays, "0") +
             " jours par an, pris sur les jours qui produisent le moins) et "
             "disponibilité (" +
             fixed(100 * m.availability, "0") + " %) appliqués ensuite.";
    t += " Énergie annuelle = puissance moyenne × 8760 h.";
    return t;
}

}  // namespace

bool Productible::calculate() {
    clearResults();
    CountingMessenger said(dialogs());
    const bool comma = shared().DecimalComma;
    auto read = [&](const std::string& name, int i) {
        std::string t = txt(name, i);
        return parseNumberDouble(t, comma, said);
    };
    const double hb = read("Site", Hb), hl = read("Site", Hl), qd = read("Site", Qd);
    const double moduleTyped = read("Site", Module), qrTyped = read("Site", Qr);
    std::array<double, 10> eff{};
    for (int i = 0; i < 10; ++i) eff[i] = read("Rendement", i);
    const double qmin = read("Machine", Qmin), jets = read("Machine", Jets), rm = read("Machine", Rm),
                 drive = read("Machine", Drive);
    // A blank box of the plant is its default: one machine, no downtime, no flood loss,
    // the stations' flows as read.
    auto readOr = [&](const std::string& name, int i, double otherwise) {
        return blank(txt(name, i)) ? otherwise : read(name, i);
    };
    const double machines = readOr("Machine", Machines, 1), downtime = readOr("Exploitation", Downtime, 0),
                 availability = readOr("Exploitation", Availability, 100),
                 floodLoss = readOr("Exploitation", FloodLoss, 0), floodFlow = readOr("Exploitation", FloodFlow, 0);
    const double stationArea = readOr("Bassin", StationArea, 0), siteArea = readOr("Bassin", SiteArea, 0),
                 exponent = readOr("Bassin", Exponent, 1);
    std::array<std::optional<double>, 12> monthly{};
    const bool byMonth = !blank(txt("Qrmois"));
    if (byMonth) {
        const std::string all = txt("Qrmois");
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t at = all.find(';'); at != std::string::npos; at = all.find(';', start)) {
            fields.push_back(all.substr(start, at - start));
            start = at + 1;
        }
        fields.push_back(all.substr(start));
        if (fields.size() != 12) {
            dialogs().message(
                "Le débit réservé par mois demande 12 valeurs, de janvier à décembre, séparées par "
                "« ; » (une valeur vide prend le débit réservé du site) : " +
                std::to_string(fields.size()) + " lues.");
            return false;
        }
        for (std::size_t i = 0; i < 12; ++i) {
            std::string f = trim(fields[i]);
            if (!f.empty()) monthly[i] = parseNumberDouble(f, comma, said);
        }
    }
    if (said.count > 0) return false;
    auto stop = [this](const std::string& text) {
        dialogs().message(text);
        return false;
    };

    // The river's flows: the imported record, or the typed curve.
    // A site without a gauge: the station's flows times the ratio of the catchments.
    const bool transposed = !blank(txt("Bassin", StationArea)) || !blank(txt("Bassin", SiteArea));
    if (transposed && (blank(txt("Bassin", StationArea)) || blank(txt("Bassin", SiteArea))))
        return stop("Pour transposer les débits d'une station, donnez les deux bassins versants (km²).");
    if (transposed && (stationArea <= 0 || siteArea <= 0)) return stop("Les bassins versants doivent être positifs.");
    if (!(exponent > 0) || exponent > 2)
        return stop("L'exposant du rapport des bassins doit être compris entre 0 et 2.");
    const double ratio = transposed ? transpositionRatio(stationArea, siteArea, exponent) : 1.0;
    std::optional<FlowRegime> regime;
    siteDays_.clear();
    if (!record_.empty()) {
        if (record_.size() < static_cast<std::size_t>(ShortestRecordDays))
            return stop(shortRecordMessage(record_.size(), recordIgnored_));
        std::vector<double> flows = record_;
        if (transposed)
            for (double& q : flows) q *= ratio;
        if (recordDays_.size() == record_.size()) {
            siteDays_ = recordDays_;
            if (transposed)
                for (RecordDay& d : siteDays_) d.flow *= ratio;
            regime = FlowRegime::fromDatedRecord(siteDays_);
        } else {
            regime = FlowRegime::fromRecord(std::move(flows));
        }
        if (!std::isfinite(regime->meanFlow()))
            return stop(
                "Dépassement de capacité : les débits de la chronique sont trop grands pour en faire la moyenne.");
    } else {
        CurveText curve = parseDurationCurve(txt("Courbe"));
        if (!curve.error.empty()) return stop(curve.error);
        if (transposed)
            for (DurationPoint& p : curve.points) p.flow *= ratio;
        if (!curve.points.empty()) regime = FlowRegime::fromCurve(curve.points);
        if (regime && !std::isfinite(regime->meanFlow()))
            return stop("Dépassement de capacité : les débits de la courbe sont trop grands pour en faire la moyenne.");
    }
    if (hb == 0 || qd == 0 || !regime || blank(txt("Machine", Drive))) return stop(Missing);
    const MachineType& type = machine();
    if (hb < 0) return stop("La hauteur de chute brute doit être positive.");
    if (qd < 0) return stop("Le débit d'équipement doit être positif.");
    if (hl < 0) return stop("Les pertes de charge ne peuvent pas être négatives.");
    for (int i = 0; i < 10; ++i)
        if (blank(txt("Rendement", i))) return stop(Missing);
    if (!blank(txt("Site", Module)) && moduleTyped <= 0) return stop("Le module doit être positif.");
    if (!blank(txt("Site", Qr)) && qrTyped < 0) return stop("Le débit réservé ne peut pas être négatif.");
    for (double e : eff)
        if (e < 0 || e > 1) return stop("Les rendements doivent être compris entre 0 et 1.");
    if (drive <= 0 || drive > 1) return stop("Les rendements doivent être compris entre 0 et 1.");
    if (qmin < 0 || qmin > 100) return stop("Le débit minimal doit être compris entre 0 et 100 % de Qd.");
    if (type.rm && (rm < 2.8 || rm > 6.1))
        return stop("Le coefficient de fabrication Rm doit être compris entre 2,8 et 6,1.");
    if (type.jets && (jets < 1 || jets > 6 || jets != std::floor(jets)))
        return stop("Le nombre de jets doit être un entier de 1 à 6.");
    if (machines < 1 || machines > 4 || machines != std::floor(machines))
        return stop("Le nombre de machines doit être un entier de 1 à 4.");
    if (downtime < 0 || downtime >= 365) return stop("Les arrêts doivent être compris entre 0 et 365 jours par an.");
    if (availability <= 0 || availability > 100) return stop("La disponibilité doit être comprise entre 0 et 100 %.");
    if (floodLoss < 0) return stop("La perte de chute en crue ne peut pas être négative.");
    if (floodLoss > 0 && !(floodFlow > qd))
        return stop("Le débit de crue de la perte de chute doit dépasser le débit d'équipement.");
    for (const auto& q : monthly)
        if (q && *q < 0) return stop("Le débit réservé ne peut pas être négatif.");

    const double module = blank(txt("Site", Module)) ? regime->meanFlow() : moduleTyped;
    SiteMachine m;
    m.grossHead = hb;
    m.headLoss = hl;
    m.designFlow = qd;
    m.reservedFlow = blank(txt("Site", Qr)) ? module / 10.0 : qrTyped;
    m.efficiency = eff;
    m.minimumFlowPercent = qmin;
    m.driveEfficiency = drive;
    m.machines = static_cast<int>(machines);
    m.downtimeDays = downtime;
    m.availability = availability / 100.0;
    m.floodHeadLoss = floodLoss;
    m.floodFlow = floodFlow;
    double leastReserved = m.reservedFlow;
    if (byMonth) {
        m.reservedByMonth = true;
        for (std::size_t i = 0; i < 12; ++i) m.monthlyReserved[i] = monthly[i] ? *monthly[i] : m.reservedFlow;
        leastReserved = *std::min_element(m.monthlyReserved.begin(), m.monthlyReserved.end());
    }
    if (leastReserved >= regime->largestFlow())
        return stop(
            "Le débit réservé atteint ou dépasse le plus fort débit de la rivière : aucune eau n'est turbinée.");

    // The machine's own curve out of its source's range: the result stands, with a word.
    if (!efficiencyEdited_)
        if (const std::string outside = defaultCurveOutsideSource(type, hb - hl); !outside.empty())
            dialogs().message(outside);
    platform().setBusy(true);
    const PlantSamples samples = plantSamples(*regime, m);
    const EnergyResult r = annualEnergy(*regime, m, module, samples);
    const bool edited = efficiencyEdited_;
    MachineDesign base;
    base.ratedHead = hb - hl;
    base.rm = rm;
    base.jets = type.jets ? static_cast<int>(jets) : 1;
    // The machine's curve for a machine of that design flow.
    auto unitCurve = [&](double unitFlow) {
        if (edited) return eff;
        MachineDesign d = base;
        d.designFlow = unitFlow;
        if (type.shareOfDesignFlow) {
            d.designFlow = 1;
            d.ratedHead = 1;
        }
        return efficiencyTable(type, d);
    };
    auto curveFor = [&](double designFlow) { return unitCurve(designFlow / m.machines); };
    DesignFlowSweep sweep = designFlowSweep(*regime, m, module, curveFor);
    // The same plant with one machine taking the whole design flow.
    double gain = 0;
    if (m.machines > 1) {
        SiteMachine one = m;
        one.machines = 1;
        one.efficiency = unitCurve(qd);
        gain = r.annualEnergy - annualEnergy(*regime, one, module).annualEnergy;
    }
    platform().setBusy(false);

    set("Resultat", 0, fixed(r.module, "0.000"));
    set("Resultat", 1, fixed(r.reservedFlow, "0.000"));
    set("Resultat", 2, fixed(r.grossPowerMax, "0.0"));
    set("Resultat", 3, fixed(r.electricPowerMax, "0.0"));
    set("Resultat", 4, fixed(r.meanPower, "0.0"));
    set("Resultat", 5, fixed(r.annualEnergy, "0"));
    set("Resultat", 6, fixed(r.loadFactor, "0.0"));
    set("Resultat", 7, fixed(r.fullPowerHours, "0"));
    set("Resultat", 8, fixed(r.operatingDays, "0"));
    set("Resultat", GainBox, fixed(gain, "0"));
    if (transposed) set("Resultat", RatioBox, fixed(ratio, "0.000"));
    std::string plantNote;
    if (m.machines > 1) {
        const double single = r.annualEnergy - gain;
        plantNote = std::to_string(m.machines) + " machines : " + (gain >= 0 ? "+" : "") + fixed(gain, "0") +
                    " kWh/an sur une seule machine de " + fixed(qd, "0.000") + " m3/s";
        if (single > 0)
            plantNote += " (" + std::string(gain >= 0 ? "+" : "") + fixed(100 * gain / single, "0.0") + " %)";
        plantNote += ".";
    }
    if (transposed)
        plantNote += std::string(plantNote.empty() ? "" : " ") + "Débits de la station × " + fixed(ratio, "0.000") +
                     " (bassins du site et de la station " + formatGeneral(static_cast<float>(siteArea)) + " / " +
                     formatGeneral(static_cast<float>(stationArea)) + " km², exposant " +
                     formatGeneral(static_cast<float>(exponent)) + ").";
    // The ratio of areas is usually trusted between 0.5 and 1.5 (U.S. Geological Survey,
    // 2008, Scientific Investigations Report 2008-5126, "Drainage-area ratio method").
    if (transposed && (siteArea / stationArea < 0.5 || siteArea / stationArea > 1.5))
        plantNote += " Rapport des bassins hors de 0,5 à 1,5 : transposition peu sûre.";
    if (byMonth && siteDays_.empty())
        plantNote += std::string(plantNote.empty() ? "" : " ") +
                     "Sans dates, chaque débit réservé du mois vaut pour toute la courbe, pondéré par la durée du "
                     "mois.";
    ctl("Infoexploitation").caption = plantNote;
    method_ = calculationMethod(type, edited, m, record_.empty() ? 0 : record_.size(), transposed ? ratio : 0,
                                blank(txt("Site", Qr)));
    if (!siteDays_.empty()) {
        RecordStatistics st = recordStatistics(siteDays_, samples.power);
        if (st.p50) set("Resultat", P50Box, fixed(*st.p50, "0"));
        if (st.p90) set("Resultat", P90Box, fixed(*st.p90, "0"));
        if (st.qmna5) set("Resultat", Qmna5Box, fixed(*st.qmna5, "0.000"));
        set("Resultat", WinterBox, fixed(st.winterShare, "0.0"));
        int kept = 0;
        for (const RecordYear& y : st.years) kept += y.kept ? 1 : 0;
        std::string note = "Années retenues : " + std::to_string(kept);
        if (!st.leftOutYears.empty())
            note += " ; laissées de côté (moins de 90 % de leurs jours) : " + yearList(st.leftOutYears);
        note += ".";
        if (!st.qmna5Note.empty()) note += " " + st.qmna5Note;
        ctl("Infoannees").caption = note;
        statistics_ = std::move(st);
    }
    ctl("Meilleurqd").caption = bestFlowCaption(sweep);
    result_ = r;
    charts_ = energyCharts(*regime, m, std::move(sweep));
    drawChart();
    fillTable();
    shared().SharedHead.set(static_cast<float>(hb), HeadUnit::Metres);
    shared().SharedFlow.set(static_cast<float>(qd), FlowRateUnit::CubicMetresPerSecond);
    return true;
}

void Productible::importRecord() {
    const auto chosen = platform().chooseFileToOpen("Importer une chronique de débits journaliers",
                                                    "Chroniques (*.csv *.txt);;Tous les fichiers (*)");
    if (!chosen || chosen->empty()) return;
    const std::filesystem::path path = pathFromUtf8(*chosen);
    RecordChoices choices;
    DatedRecord rec = readDatedRecordFile(path, choices);
    // The reader's questions: which column holds the flows, in which unit.
    for (int asked = 0; asked < 2 && rec.error.empty() && rec.needsAnswer(); ++asked) {
        if (!rec.flowColumnChoices.empty()) {
            std::string prompt = "Plusieurs colonnes peuvent être le débit : laquelle lire ? (";
            for (std::size_t i = 0; i < rec.flowColumnChoices.size(); ++i)
                prompt += (i ? ", " : "") + rec.flowColumnChoices[i];
            const auto answer = dialogs().input(prompt + ")", "Colonne du débit", rec.flowColumnChoices.front());
            if (!answer || trim(*answer).empty()) return;
            const std::string a = trim(*answer);
            for (std::size_t i = 0; i < rec.flowColumnChoices.size(); ++i)
                if (a == rec.flowColumnChoices[i] || a == std::to_string(rec.flowColumnIndexes[i] + 1))
                    choices.flowColumn = rec.flowColumnIndexes[i];
            if (choices.flowColumn < 0) {
                dialogs().message("Aucune colonne de ce nom : " + a);
                return;
            }
        } else {
            const auto answer =
                dialogs().input("L'en-tête ne dit pas l'unité des débits : m3/s ou l/s ?", "Unité des débits", "m3/s");
            if (!answer || trim(*answer).empty()) return;
            const std::string a = trim(*answer);
            if (a == "m3/s" || a == "m³/s")
                choices.unit = FlowUnit::CubicMetresPerSecond;
            else if (a == "l/s" || a == "L/s")
                choices.unit = FlowUnit::LitresPerSecond;
            else {
                dialogs().message("Unité inconnue : " + a + " (m3/s ou l/s).");
                return;
            }
        }
        rec = readDatedRecordFile(path, choices);
    }
    if (!rec.error.empty()) {
        dialogs().message(rec.error);
        return;
    }
    if (rec.needsAnswer()) return;
    const std::string ignored = ignoredLinesText(rec);
    if (rec.days.size() < static_cast<std::size_t>(ShortestRecordDays)) {
        dialogs().message(shortRecordMessage(rec.days.size(), ignored));
        return;
    }
    std::vector<double> flows;
    flows.reserve(rec.days.size());
    for (const RecordDay& d : rec.days) flows.push_back(d.flow);
    const FlowRegime regime = FlowRegime::fromRecord(flows);
    std::vector<DurationPoint> points;
    for (double p : standardPercents()) points.push_back({p, regime.exceededFlow(p)});
    record_ = std::move(flows);
    recordDays_ = std::move(rec.days);
    recordSkipped_ = rec.ignored;
    recordIgnored_ = ignored;
    recordNote_.clear();
    if (!rec.layout.empty()) recordNote_ = "export " + rec.layout;
    if (rec.averagedDays > 0)
        recordNote_ += std::string(recordNote_.empty() ? "" : ", ") + std::to_string(rec.averagedDays) +
                       " jours moyennés à partir de valeurs infra-journalières";
    if (rec.mergedDuplicates > 0)
        recordNote_ += std::string(recordNote_.empty() ? "" : ", ") + std::to_string(rec.mergedDuplicates) +
                       " lignes répétées fusionnées";
    recordSource_ = pathToUtf8(path.filename());
    filling_ = true;
    set("Courbe", -1, curveText(points));
    filling_ = false;
    ctl("Infochronique").caption = recordInfo();
    clearResults();
}

SiteStudy Productible::study() const {
    auto* self = const_cast<Productible*>(this);
    SiteStudy s;
    s.grossHead = self->txt("Site", Hb);
    s.headLoss = self->txt("Site", Hl);
    s.module = self->txt("Site", Module);
    s.reservedFlow = self->txt("Site", Qr);
    s.designFlow = self->txt("Site", Qd);
    s.machine = machine().caption;
    for (int i = 0; i < 10; ++i) s.efficiency[i] = self->txt("Rendement", i);
    s.efficiencyEdited = efficiencyEdited_;
    s.minimumFlow = self->txt("Machine", Qmin);
    s.jets = self->txt("Machine", Jets);
    s.rm = self->txt("Machine", Rm);
    s.driveEfficiency = self->txt("Machine", Drive);
    s.machines = self->txt("Machine", Machines);
    s.downtime = self->txt("Exploitation", Downtime);
    s.availability = self->txt("Exploitation", Availability);
    s.floodHeadLoss = self->txt("Exploitation", FloodLoss);
    s.floodFlow = self->txt("Exploitation", FloodFlow);
    s.monthlyReserved = self->txt("Qrmois");
    s.stationArea = self->txt("Bassin", StationArea);
    s.siteArea = self->txt("Bassin", SiteArea);
    s.exponent = self->txt("Bassin", Exponent);
    const std::string& curve = self->txt("Courbe");
    std::size_t start = 0;
    while (start <= curve.size() && !curve.empty()) {
        std::size_t end = curve.find('\n', start);
        if (end == std::string::npos) end = curve.size();
        std::string line = curve.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        s.curveLines.push_back(line);
        start = end + 1;
    }
    s.record = record_;
    if (recordDays_.size() == record_.size())
        for (const RecordDay& d : recordDays_) s.recordDays.push_back(d.day);
    s.recordSkipped = recordSkipped_;
    s.recordIgnored = recordIgnored_;
    s.recordNote = recordNote_;
    s.recordSource = recordSource_;
    return s;
}

void Productible::applyStudy(const SiteStudy& s) {
    const int index = machineIndex(s.machine);
    if (index < 0) throw CalcError(ErrBadFileName, "Type de machine inconnu dans l'étude : " + s.machine);
    filling_ = true;
    ctl("Typemachine").setListIndex(index);
    set("Site", Hb, s.grossHead);
    set("Site", Hl, s.headLoss);
    set("Site", Module, s.module);
    set("Site", Qr, s.reservedFlow);
    set("Site", Qd, s.designFlow);
    for (int i = 0; i < 10; ++i) set("Rendement", i, s.efficiency[i]);
    set("Machine", Qmin, s.minimumFlow);
    set("Machine", Jets, s.jets);
    set("Machine", Rm, s.rm);
    set("Machine", Drive, s.driveEfficiency);
    set("Machine", Machines, s.machines);
    set("Exploitation", Downtime, s.downtime);
    set("Exploitation", Availability, s.availability);
    set("Exploitation", FloodLoss, s.floodHeadLoss);
    set("Exploitation", FloodFlow, s.floodFlow);
    set("Qrmois", -1, s.monthlyReserved);
    set("Bassin", StationArea, s.stationArea);
    set("Bassin", SiteArea, s.siteArea);
    set("Bassin", Exponent, s.exponent);
    std::string curve;
    for (std::size_t i = 0; i < s.curveLines.size(); ++i) curve += (i ? "\n" : "") + s.curveLines[i];
    set("Courbe", -1, curve);
    machineChosen();  // the boxes the type enables; nothing refilled while filling
    filling_ = false;
    efficiencyEdited_ = s.efficiencyEdited;
    record_ = s.record;
    recordDays_.clear();
    if (s.recordDays.size() == s.record.size())
        for (std::size_t i = 0; i < s.record.size(); ++i) recordDays_.push_back({s.recordDays[i], s.record[i]});
    recordSkipped_ = s.recordSkipped;
    recordIgnored_ = s.recordIgnored;
    recordNote_ = s.recordNote;
    recordSource_ = s.recordSource;
    ctl("Infochronique").caption = recordInfo();
    clearResults();
}

void Productible::openStudy(const std::string& name) {
    const std::string fileName = studyFileName(name);
    if (auto refused = checkTypedName(fileName)) {
        dialogs().message(*refused);
        return;
    }
    const auto path = findFile(session().appFolder(), fileName);
    if (!path) {
        dialogs().message("Aucune étude de ce nom : " + name);
        return;
    }
    const SiteStudy s = readStudy(*path);
    applyStudy(s);
    // The name as the file spells it, so that "Enregistrer" writes that file again.
    const std::string onDisk = aub::studyName(pathToUtf8(path->filename()));
    studyName_ = onDisk.empty() ? name : onDisk;
    studyPath_ = *path;
    clearUnsavedEdits();
}

void Productible::saveStudyAs(const std::string& name, bool askAlways) {
    const std::string fileName = studyFileName(name);
    if (auto refused = checkTypedName(fileName)) {
        dialogs().message(*refused);
        return;
    }
    std::filesystem::path target = session().file(fileName);
    if (auto existing = findFile(session().appFolder(), fileName)) {
        const bool same = !studyPath_.empty() && existing->filename() == studyPath_.filename();
        if ((askAlways || !same) && !dialogs().question(overwriteQuestion())) return;
        target = *existing;
    }
    saveStudy(target, study());
    const std::string onDisk = aub::studyName(pathToUtf8(target.filename()));
    studyName_ = onDisk.empty() ? name : onDisk;
    studyPath_ = target;
    clearUnsavedEdits();
}

void Productible::askOpen() {
    std::vector<std::string> names;
    for (const auto& f : listFiles(session().appFolder(), StudyPattern)) names.push_back(aub::studyName(f));
    if (names.empty()) {
        dialogs().message("Aucune étude de productible enregistrée dans le dossier du programme.");
        return;
    }
    const std::string proposed = !studyName_.empty() ? studyName_ : names.front();
    const auto answer = dialogs().choose("Nom de l'étude à ouvrir", "Ouvrir une étude de productible", names, proposed);
    if (!answer || trim(*answer).empty()) return;
    openStudy(trim(*answer));
}

void Productible::save() {
    if (studyName_.empty()) {
        askSaveAs();
        return;
    }
    saveStudyAs(studyName_);
}

void Productible::askSaveAs() {
    const auto answer = dialogs().input("Nom de l'étude", "Enregistrer l'étude de productible",
                                        studyName_.empty() ? "Mon site" : studyName_);
    if (!answer || trim(*answer).empty()) return;
    const std::string name = trim(*answer);
    saveStudyAs(name, true);
}

}  // namespace aub
