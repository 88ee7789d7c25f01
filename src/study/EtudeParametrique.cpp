#include "study/EtudeParametrique.h"
#include "core/NumberConvert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "core/NumberText.h"
#include "files/TextFile.h"
#include "forms/Chart.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Scripted.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

constexpr const char* NoChoice = "(aucun)";
constexpr const char* Linear = "linéaire";
constexpr const char* Geometric = "géométrique";
constexpr const char* CsvExtension = ".csv";
constexpr const char* DropTableQuestion = "Fermer l'étude paramétrique et abandonner le tableau calculé ?";

// The first slice runs inside the click on "Lancer" (a short study is done at once);
// the next ones on the timer, each short enough for the window to keep answering.
constexpr double FirstSliceSeconds = 0.1;
constexpr double TickSliceSeconds = 0.05;
constexpr int TickMs = 15;
// On a screen the chart takes the new rows at most this often while the study runs (and
// all of them when it ends): drawing its marks again costs in proportion to the points
// already shown, and a chart grown four times a second looks just as alive.
constexpr double ChartEverySeconds = 0.25;
// Without a clock to pace them (the command line, the tests), slices of a fixed number
// of points: a script's clicks on the timer give the same table on every machine.
constexpr std::size_t FirstSlicePoints = 1000;
constexpr std::size_t TickSlicePoints = 500;

// Curves of the chart, one colour each (the segments of a curve broken by failed
// points keep its colour).
constexpr int CurveColors[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b};

std::optional<double> typedNumber(const std::string& text) {
    std::string t = trim(text);
    if (t.empty()) return std::nullopt;
    std::replace(t.begin(), t.end(), ',', '.');
    if (t.front() == '+') t.erase(0, 1);
    double v = 0;
    const auto [end, ec] = readFloating(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::vector<std::string> splitValues(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t to = text.find(';', from);
        if (to == std::string::npos) to = text.size();
        std::string v = trim(text.substr(from, to - from));
        if (!v.empty()) out.push_back(std::move(v));
        from = to + 1;
    }
    return out;
}

bool endsWithCsv(const std::string& name) {
    return name.size() >= 4 && equalsNoCase(name.substr(name.size() - 4), CsvExtension);
}

}  // namespace

std::optional<double> shownNumber(const std::string& text) {
    const std::string t = trim(text);
    if (t == "." || t == ",") return 0.0;
    std::string n = t;
    if (!n.empty() && (n.front() == '.' || n.front() == ','))
        n.insert(0, "0");
    else if (n.size() > 1 && n.front() == '-' && (n[1] == '.' || n[1] == ','))
        n.insert(1, "0");
    return typedNumber(n);
}

std::vector<std::string> studyDesignFiles(Session& session, const StudyDeclaration& declaration) {
    if (declaration.filesList.empty() || !session.catalog().has(declaration.window)) return {};
    // A session of its own: the window's load lists the files, and nothing it does
    // reaches the person's windows or program-wide values.
    ScriptedDialogs dialogs;
    RecordingPlatform platform;
    platform.separator = session.platform().decimalSeparator();
    Session scratch(session.catalog(), dialogs, platform, session.appFolder());
    try {
        Form& window = scratch.load(declaration.window);
        if (const Control* list = window.findKey(declaration.filesList)) return list->items;
    } catch (const NoAnswerLeft&) {
        // A window that asks something while it opens lists nothing.
    }
    return {};
}

EtudeParametrique::EtudeParametrique(Session& s)
    : Form(s, WindowName, "ETUDE PARAMETRIQUE"), memory_(s.windowMemory<EtudeParametriqueMemory>()) {
    columns = 2;
    frame("FrameEtude", -1, "Etude").at(0, 0);
    const char* captions[] = {"Calcul étudié",
                              "Paramètre varié",
                              "De",
                              "A",
                              "Nombre de points",
                              "Progression",
                              "Second paramètre (facultatif)",
                              "Valeurs (séparées par ;)"};
    for (int i = 0; i < 8; ++i) label("Libelle", i, captions[i]).in("FrameEtude").at(i, 0);
    comboBox("Calcul").in("FrameEtude").at(0, 1, 1, 3).size(5400, 0).locked = true;
    comboBox("Parametre").in("FrameEtude").at(1, 1, 1, 3).size(5400, 0).locked = true;
    textBox("De", -1).in("FrameEtude").at(2, 1).size(1300, 0);
    textBox("A", -1).in("FrameEtude").at(3, 1).size(1300, 0);
    textBox("Points", -1, "11").in("FrameEtude").at(4, 1).size(1300, 0);
    Control& progression = comboBox("Progression").in("FrameEtude").at(5, 1).size(1800, 0);
    progression.locked = true;
    progression.addItem(Linear);
    progression.addItem(Geometric);
    progression.setListIndex(0);
    comboBox("Second").in("FrameEtude").at(6, 1, 1, 3).size(5400, 0).locked = true;
    textBox("Valeurs2", -1).in("FrameEtude").at(7, 1, 1, 3).size(5400, 0);

    frame("FrameSuivis", -1, "Résultats suivis").in("FrameEtude").at(8, 0, 1, 4);
    for (int i = 0; i < MaxFollowed; ++i)
        comboBox("Suivi", i).in("FrameSuivis").at(i / 2, i % 2).size(3600, 0).locked = true;

    label("Libelle", 8, "Point de départ").in("FrameEtude").at(9, 0);
    comboBox("Depart").in("FrameEtude").at(9, 1, 1, 3).size(5400, 0).locked = true;

    frame("FrameCommandes", -1, "").in("FrameEtude").at(10, 0, 1, 4);
    button("Lancer", -1, "Lancer").in("FrameCommandes").at(0, 0);
    button("Arreter", -1, "Arrêter").in("FrameCommandes").at(0, 1).hidden();
    button("Exporter", -1, "Exporter (CSV)").in("FrameCommandes").at(0, 2);
    button("Copier", -1, "Copier").in("FrameCommandes").at(0, 3);
    button("Fermer", -1, "Fermer").in("FrameCommandes").at(0, 4);
    Control& bar = add(ControlKind::Progress, "Avancement").in("FrameCommandes").at(1, 0, 1, 5).hidden();
    bar.min = 0;
    bar.max = 1;
    label("Etat", -1, "").in("FrameCommandes").at(2, 0, 1, 5);
    // "Arrêter" and the bar keep their places while hidden: no button moves under the
    // pointer when a long study starts.
    ctl("Arreter").place.keepsPlace = true;
    bar.place.keepsPlace = true;
    Control& timer = add(ControlKind::Timer, "Minuterie");
    timer.enabled = false;
    timer.interval = TickMs;

    frame("FrameGraphe", -1, "Graphique").at(0, 1);
    label("Libelle", 9, "Résultat tracé").in("FrameGraphe").at(0, 0);
    comboBox("Trace").in("FrameGraphe").at(0, 1).size(4200, 0).locked = true;
    add(ControlKind::Chart, "Graphe").in("FrameGraphe").at(1, 0, 1, 3).size(7800, 5700);

    add(ControlKind::Table, "Tableau").at(1, 0, 1, 2).size(16900, 2700);

    defaultAction = "Lancer";
    cancelAction = "Fermer";

    on("Calcul", EventKind::Click, [this](int) {
        if (!filling_) calculationChosen();
    });
    on("Lancer", EventKind::Click, [this](int) { start(); });
    on("Minuterie", EventKind::Click, [this](int) { tick(); });
    on("Arreter", EventKind::Click, [this](int) { stop(); });
    on("Exporter", EventKind::Click, [this](int) { exportCsv(); });
    on("Copier", EventKind::Click, [this](int) { copyTable(); });
    on("Fermer", EventKind::Click, [this](int) { session().unload(name()); });
    on("Trace", EventKind::Click, [this](int) { drawChart(); });
}

EtudeParametrique::~EtudeParametrique() = default;

void EtudeParametrique::load() {
    calculations_ = studyCalculations(session().catalog());
    filling_ = true;
    Control& list = ctl("Calcul");
    list.clearItems();
    for (const StudyDeclaration* d : calculations_) list.addItem(d->caption);
    int pick = calculations_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < calculations_.size(); ++i)
        if (calculations_[i]->caption == memory_.calculation) pick = static_cast<int>(i);
    list.setListIndex(pick);
    filling_ = false;
    calculationChosen();
}

void EtudeParametrique::activate() {
    // The calculation window may have been opened or closed in between.
    if (!running()) refreshStartPoints();
}

bool EtudeParametrique::queryUnload(CloseMode mode) {
    if (mode != CloseMode::System && study_ && !study_->rows().empty() &&
        !dialogs().question(DropTableQuestion, caption))
        return false;
    if (study_) study_->cancel();
    ctl("Minuterie").enabled = false;
    return true;
}

void EtudeParametrique::unloaded() { remember(); }

void EtudeParametrique::remember() {
    if (shownCalculation_.empty()) return;
    StudySettings& k = memory_.byCalculation[shownCalculation_];
    k.parameter = ctl("Parametre").text();
    k.from = txt("De");
    k.to = txt("A");
    k.points = txt("Points");
    k.progression = ctl("Progression").listIndex();
    k.second = ctl("Second").text();
    k.secondValues = txt("Valeurs2");
    for (int i = 0; i < MaxFollowed; ++i) k.followed[static_cast<std::size_t>(i)] = ctl("Suivi", i).text();
    k.start = ctl("Depart").text();
    memory_.calculation = shownCalculation_;
}

void EtudeParametrique::recall(const StudyDeclaration& d) {
    const auto it = memory_.byCalculation.find(d.caption);
    if (it == memory_.byCalculation.end()) return;
    const StudySettings& k = it->second;
    auto choose = [](Control& list, const std::string& text) {
        for (std::size_t i = 0; i < list.items.size(); ++i)
            if (list.items[i] == text) list.setListIndex(static_cast<int>(i));
    };
    choose(ctl("Parametre"), k.parameter);
    set("De", -1, k.from);
    set("A", -1, k.to);
    set("Points", -1, k.points);
    if (k.progression >= 0) ctl("Progression").setListIndex(k.progression);
    choose(ctl("Second"), k.second);
    set("Valeurs2", -1, k.secondValues);
    for (int i = 0; i < MaxFollowed; ++i) choose(ctl("Suivi", i), k.followed[static_cast<std::size_t>(i)]);
}

bool EtudeParametrique::running() const { return study_ && !study_->cancelled() && study_->done() < study_->total(); }

void EtudeParametrique::openOn(const std::string& window, const std::string& calculation) {
    if (window.empty() || running()) return;
    windowCalculation_ = calculation;
    int pick = -1;
    for (std::size_t i = 0; i < calculations_.size(); ++i) {
        if (!equalsNoCase(calculations_[i]->window, window)) continue;
        if (pick < 0 || calculations_[i]->caption == calculation) pick = static_cast<int>(i);
        if (calculations_[i]->caption == calculation) break;
    }
    if (pick < 0) return;
    if (ctl("Calcul").listIndex() != pick)
        ctl("Calcul").setListIndex(pick);
    else
        refreshStartPoints();
}

bool EtudeParametrique::windowHolds(const StudyDeclaration& d) const {
    if (!session().loaded(d.window)) return false;
    if (d.setup.empty()) return true;
    return d.caption == windowCalculation_;
}

const StudyDeclaration* EtudeParametrique::chosen() const {
    const int i = const_cast<EtudeParametrique*>(this)->ctl("Calcul").listIndex();
    if (i < 0 || i >= static_cast<int>(calculations_.size())) return nullptr;
    return calculations_[static_cast<std::size_t>(i)];
}

// The inputs and results of the chosen calculation fill the choice lists.
void EtudeParametrique::calculationChosen() {
    remember();  // the calculation shown until now
    const StudyDeclaration* d = chosen();
    filling_ = true;
    Control& parameter = ctl("Parametre");
    Control& second = ctl("Second");
    parameter.clearItems();
    second.clearItems();
    second.addItem(NoChoice);
    if (d)
        for (const StudyBox& in : d->inputs) {
            parameter.addItem(in.caption);
            second.addItem(in.caption);
        }
    parameter.setListIndex(parameter.items.empty() ? -1 : 0);
    second.setListIndex(0);
    for (int i = 0; i < MaxFollowed; ++i) {
        Control& followed = ctl("Suivi", i);
        followed.clearItems();
        followed.addItem(NoChoice);
        if (d)
            for (const StudyBox& out : d->results) followed.addItem(out.caption);
        // The first results are followed unless the person chooses otherwise.
        const int pick = d && i < static_cast<int>(d->results.size()) && i < 2 ? i + 1 : 0;
        followed.setListIndex(pick);
    }
    shownCalculation_ = d ? d->caption : "";
    if (d) recall(*d);
    filling_ = false;
    refreshStartPoints();
}

void EtudeParametrique::refreshStartPoints() {
    const StudyDeclaration* d = chosen();
    Control& start = ctl("Depart");
    const std::string calculation = d ? d->caption : "";
    // The choice made for this calculation: the one shown, else the one kept from an
    // earlier opening (never another calculation's).
    std::string before;
    std::vector<std::string> offered;  // what the list offered this calculation until now
    if (startsFor_ == calculation) {
        before = start.text();
        offered = start.items;
    } else if (auto kept = memory_.byCalculation.find(calculation); kept != memory_.byCalculation.end()) {
        before = kept->second.start;
    }
    std::vector<std::string> items;
    if (d && windowHolds(*d)) items.push_back(WindowValues);
    if (d)
        for (auto& f : studyDesignFiles(session(), *d)) items.push_back(std::move(f));
    items.push_back(DefaultValues);
    if (startsFor_ == calculation && items == start.items && start.listIndex() >= 0) return;
    filling_ = true;
    start.clearItems();
    for (const auto& item : items) start.addItem(item);
    // The values now in the person's window come first when they are new: the study
    // starts from the design just calculated.
    const bool windowNew =
        items.front() == WindowValues && std::find(offered.begin(), offered.end(), WindowValues) == offered.end();
    int pick = 0;
    if (!windowNew)
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == before) pick = static_cast<int>(i);
    start.setListIndex(pick);
    startsFor_ = calculation;
    filling_ = false;
}

// The request as the boxes give it; a message and nothing when a box cannot be read.
std::optional<StudyRequest> EtudeParametrique::request() {
    const StudyDeclaration* d = chosen();
    if (!d) {
        dialogs().message("Choisissez le calcul étudié");
        return std::nullopt;
    }
    StudyRequest r;
    r.calculation = d->caption;
    r.decimalSeparator = platform().decimalSeparator();
    const int p = ctl("Parametre").listIndex();
    if (p < 0 || p >= static_cast<int>(d->inputs.size())) {
        dialogs().message("Choisissez le paramètre varié");
        return std::nullopt;
    }
    r.parameter = d->inputs[static_cast<std::size_t>(p)].key;
    const auto from = typedNumber(txt("De")), to = typedNumber(txt("A"));
    if (!from || !to) {
        dialogs().message(std::string("Valeur numérique attendue pour « ") + (from ? "A" : "De") + " »");
        return std::nullopt;
    }
    r.from = *from;
    r.to = *to;
    const auto points = typedNumber(txt("Points"));
    if (!points || *points != std::floor(*points)) {
        dialogs().message("Nombre de points : un nombre entier de 2 à 10 000 est attendu");
        return std::nullopt;
    }
    // Out of range counts are refused by the study with its own message.
    r.points = static_cast<int>(std::clamp(*points, -1e6, 1e6));
    r.progression = ctl("Progression").listIndex() == 1 ? Progression::Geometric : Progression::Linear;

    const int s = ctl("Second").listIndex() - 1;
    const std::vector<std::string> values = splitValues(txt("Valeurs2"));
    if (s >= 0 && s < static_cast<int>(d->inputs.size())) {
        r.second = d->inputs[static_cast<std::size_t>(s)].key;
        r.secondValues = values;
    } else if (!values.empty()) {
        dialogs().message("Choisissez le second paramètre de ces valeurs, ou effacez-les");
        return std::nullopt;
    }
    for (int i = 0; i < MaxFollowed; ++i) {
        const int k = ctl("Suivi", i).listIndex() - 1;
        if (k < 0 || k >= static_cast<int>(d->results.size())) continue;
        const std::string& key = d->results[static_cast<std::size_t>(k)].key;
        if (std::find(r.followed.begin(), r.followed.end(), key) == r.followed.end()) r.followed.push_back(key);
    }

    const std::string& start = ctl("Depart").text();
    if (start == WindowValues) {
        Form* window = windowHolds(*d) ? session().loaded(d->window) : nullptr;
        if (!window) {
            dialogs().message("La fenêtre du calcul n'est plus ouverte : choisissez un autre point de départ");
            refreshStartPoints();
            return std::nullopt;
        }
        for (const StudyBox& in : d->inputs)
            if (const Control* box = window->findKey(in.key)) r.startValues.emplace_back(in.key, studyInputText(*box));
        if (d->captureState) r.startState = d->captureState(*window);
    } else if (start != DefaultValues) {
        r.startFile = start;
    }
    return r;
}

void EtudeParametrique::start() {
    remember();
    if (study_) study_->cancel();
    ctl("Minuterie").enabled = false;
    std::optional<StudyRequest> r = request();
    if (!r) return;
    const std::string secondKey = r->second;
    const bool geometric = r->progression == Progression::Geometric;
    auto study = std::make_unique<Study>(session().catalog(), session().appFolder(), std::move(*r));
    if (!study->ok()) {
        dialogs().message(study->error());
        return;
    }
    study_ = std::move(study);
    geometric_ = geometric;
    secondCaption_.clear();
    if (const StudyDeclaration* d = study_->declaration())
        for (const StudyBox& in : d->inputs)
            if (in.key == secondKey) secondCaption_ = trim(in.caption);

    Control& table = ctl("Tableau");
    table.columns = study_->columnCaptions();
    table.rows.clear();
    table.touch();
    // The followed results, by the captions of their columns, choose the curve drawn.
    filling_ = true;
    Control& trace = ctl("Trace");
    trace.clearItems();
    const std::size_t first = secondKey.empty() ? 1 : 2;
    for (std::size_t k = first; k + 1 < table.columns.size(); ++k) trace.addItem(table.columns[k]);
    trace.setListIndex(trace.items.empty() ? -1 : 0);
    filling_ = false;
    drawChart();  // the new study's chart, empty until its first rows
    Control& bar = ctl("Avancement");
    bar.max = static_cast<int>(std::max<std::size_t>(1, study_->total()));
    bar.setValue(0);
    started_ = std::chrono::steady_clock::now();
    slices_ = 0;
    runSlice(true);
}

void EtudeParametrique::tick() {
    if (!running()) {
        ctl("Minuterie").enabled = false;
        return;
    }
    runSlice(false);
}

void EtudeParametrique::runSlice(bool first) {
    const bool paced = platform().pacedByClock();
    const bool more = paced ? study_->runSome(first ? FirstSliceSeconds : TickSliceSeconds)
                            : study_->runPoints(first ? FirstSlicePoints : TickSlicePoints);
    ++slices_;
    const bool ending = !more || study_->cancelled();
    showRows(first || ending || !paced ||
             std::chrono::duration<double>(std::chrono::steady_clock::now() - chartedAt_).count() >= ChartEverySeconds);
    if (ending) {
        finish();
        return;
    }
    ctl("Minuterie").enabled = true;
    ctl("Avancement").setValue(static_cast<int>(study_->done()));
    // On a screen, after half a second; paced by points, from the first tick on.
    const bool longStudy = paced ? std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count() >
                                       ProgressAfterSeconds
                                 : slices_ > 1;
    if (longStudy) {
        ctl("Avancement").visible = true;
        ctl("Arreter").visible = true;
    }
    ctl("Etat").caption =
        "Calcul en cours : " + std::to_string(study_->done()) + " points sur " + std::to_string(study_->total());
}

void EtudeParametrique::stop() {
    if (!running()) return;
    study_->cancel();
    finish();
}

void EtudeParametrique::finish() {
    if (charting_ && charted_ < study_->rows().size()) extendChart();
    ctl("Minuterie").enabled = false;
    ctl("Avancement").visible = false;
    ctl("Arreter").visible = false;
    std::size_t failed = 0;
    for (const StudyRow& row : study_->rows()) {
        bool any = false;
        for (const auto& v : row.results) any = any || !trim(v).empty();
        if (!any) ++failed;
    }
    std::string state = study_->cancelled() ? "Etude arrêtée après " + std::to_string(study_->done()) + " points sur " +
                                                  std::to_string(study_->total())
                                            : std::to_string(study_->done()) + " points calculés";
    if (failed > 0) state += ", " + std::to_string(failed) + " sans résultat";
    ctl("Etat").caption = state;
    ctl("Etat").touch();
}

// New rows of the study go to the table and, when `charting`, to the chart.
void EtudeParametrique::showRows(bool charting) {
    Control& table = ctl("Tableau");
    const auto& rows = study_->rows();
    table.rows.reserve(rows.size());
    for (std::size_t i = table.rows.size(); i < rows.size(); ++i) table.rows.push_back(study_->cells(rows[i]));
    table.touch();
    if (charting) extendChart();
}

// The chosen result against the swept parameter, one curve per value of the second
// parameter. A point without a number breaks its curve: the segments on either side
// are drawn apart, in the curve's colour, and every point is marked.
void EtudeParametrique::drawChart() {
    Control& graph = ctl("Graphe");
    Chart& chart = graph.chart;
    chart.clear();
    const Control& trace = ctl("Trace");
    const Control& table = ctl("Tableau");
    if (!study_ || trace.listIndex() < 0 || table.columns.empty()) {
        charting_ = false;
        chart.title.clear();
        graph.touch();
        return;
    }
    const std::size_t result = static_cast<std::size_t>(trace.listIndex());
    // With a second parameter, the curves are named by its values under a title that names it.
    chart.title = secondCaption_.empty() ? trace.text() : trace.text() + " (courbes : " + secondCaption_ + ")";
    chart.x = ChartAxis{};
    chart.x.title = table.columns.front();
    chart.x.log = geometric_;
    chart.y = ChartAxis{};
    chart.y.title = trace.text();

    curves_.clear();
    charted_ = 0;
    tracedResult_ = result;
    charting_ = true;
    extendChart();
}

// The rows not yet on the chart: each curve goes on from where it was (a row of a new
// value of the second parameter starts a new curve, in the next colour).
void EtudeParametrique::extendChart() {
    if (!charting_ || !study_) return;
    Control& graph = ctl("Graphe");
    Chart& chart = graph.chart;
    const std::string& traced = ctl("Trace").text();
    const auto& rows = study_->rows();
    for (; charted_ < rows.size(); ++charted_) {
        const StudyRow& row = rows[charted_];
        auto it = curves_.find(row.secondValue);
        if (it == curves_.end()) {
            const int color = CurveColors[curves_.size() % std::size(CurveColors)];
            const std::string name = secondCaption_.empty() ? traced : row.secondValue;
            it = curves_.emplace(row.secondValue, Curve{chart.addSeries(name, SeriesKind::Points, color), -1, color})
                     .first;
        }
        Curve& curve = it->second;
        const std::optional<double> y =
            tracedResult_ < row.results.size() ? shownNumber(row.results[tracedResult_]) : std::nullopt;
        if (!y || !chart.accepts(row.value, *y)) {
            curve.segment = -1;  // a gap
            continue;
        }
        if (curve.segment < 0) {
            curve.segment = chart.addSeries(chart.at(curve.marks).name, SeriesKind::Line, curve.color);
            chart.at(curve.segment).inLegend = false;
        }
        chart.addPoint(curve.segment, row.value, *y);
        chart.addPoint(curve.marks, row.value, *y);
    }
    graph.touch();
    chartedAt_ = std::chrono::steady_clock::now();
}

bool EtudeParametrique::haveRows() {
    if (study_ && !study_->rows().empty()) return true;
    dialogs().message("Aucun résultat : lancez d'abord l'étude");
    return false;
}

// The table as CSV in the file the person chooses in the system's save dialog (the
// program folder, or the folder of the last export, proposed), saved whole or not at all;
// the state line gives the whole path written.
void EtudeParametrique::exportCsv() {
    if (!haveRows()) return;
    const std::filesystem::path folder =
        memory_.exportFolder.empty() ? session().appFolder() : pathFromUtf8(memory_.exportFolder);
    const auto answer = platform().chooseFileToSave("Exporter le tableau (CSV)", pathToUtf8(folder / "Etude.csv"),
                                                    "Tableaux CSV (*.csv);;Tous les fichiers (*)");
    if (!answer || trim(*answer).empty()) return;
    std::filesystem::path target = pathFromUtf8(trim(*answer));
    if (target.is_relative()) target = session().appFolder() / target;
    if (!endsWithCsv(pathToUtf8(target.filename()))) {
        // The dialog asked about the name without its extension: the file it becomes is
        // asked about here.
        target += CsvExtension;
        if (auto existing = findFile(target.parent_path(), pathToUtf8(target.filename()))) {
            if (!dialogs().question("Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?")) return;
            target = *existing;
        }
    }
    saveBytes(target, study_->csvFile());
    memory_.exportFolder = pathToUtf8(target.parent_path());
    ctl("Etat").caption = "Tableau enregistré dans " + pathToUtf8(target);
    ctl("Etat").touch();
}

void EtudeParametrique::copyTable() {
    if (!haveRows()) return;
    platform().setClipboard(study_->tabSeparated());
    ctl("Etat").caption = "Tableau copié (" + std::to_string(study_->rows().size()) + " lignes)";
    ctl("Etat").touch();
}

}  // namespace aub
