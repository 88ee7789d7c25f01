#include "web/Bridge.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <system_error>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "app/Windows.h"
#include "files/AppFolder.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Report.h"
#include "forms/Session.h"

namespace aub {

namespace fs = std::filesystem;

struct Bridge::Run {
    ScriptedDialogs dialogs;
    RecordingPlatform platform;
    std::unique_ptr<Session> session;
};

namespace {

Json color(int rgb) { return rgb == NoColor ? Json(nullptr) : Json(fmt::format("#{:06x}", rgb & 0xFFFFFF)); }

// The letter after a single "&" of a caption ("&Fichier" -> "F"; "&&" is an ampersand).
std::string mnemonic(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        // One UTF-8 character.
        std::size_t n = 1;
        while (i + 1 + n < caption.size() && (static_cast<unsigned char>(caption[i + 1 + n]) & 0xC0) == 0x80) ++n;
        return caption.substr(i + 1, n);
    }
    return {};
}

bool hasCaption(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Button || k == ControlKind::Frame || k == ControlKind::CheckBox;
}

Json controlLayout(const Control& c) {
    Json o = Json::object();
    o["key"] = c.key();
    o["name"] = c.name();
    o["index"] = c.index();
    o["kind"] = kindName(c.kind());
    if (hasCaption(c.kind())) o["caption"] = c.caption;
    o["frame"] = c.place.frame;
    o["row"] = c.place.row;
    o["col"] = c.place.col;
    o["rowSpan"] = c.place.rowSpan;
    o["colSpan"] = c.place.colSpan;
    o["keepsPlace"] = c.place.keepsPlace;
    // Twips where the window sets them (0 / -1: free).
    o["width"] = c.widthTw;
    o["height"] = c.heightTw;
    o["left"] = c.leftTw;
    o["top"] = c.topTw;
    o["backColor"] = color(c.backColor);
    o["foreColor"] = color(c.foreColor);
    o["fontSize"] = c.fontSize;
    o["bold"] = c.bold;
    o["alignment"] = c.alignment == 1 ? "right" : c.alignment == 2 ? "centre" : "left";
    switch (c.kind()) {
        case ControlKind::TextBox:
            o["locked"] = c.locked;
            o["multiline"] = c.multiline;
            o["password"] = c.password;
            break;
        case ControlKind::Slider:
            o["min"] = c.min;
            o["max"] = c.max;
            o["smallChange"] = c.smallChange;
            o["largeChange"] = c.largeChange;
            o["vertical"] = c.vertical;
            break;
        case ControlKind::Progress:
            o["min"] = c.min;
            o["max"] = c.max;
            break;
        case ControlKind::Timer:
            o["interval"] = c.interval;
            break;
        case ControlKind::Label:
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::CheckBox:
        case ControlKind::Button:
        case ControlKind::Frame:
        case ControlKind::Menu:
        case ControlKind::Picture:
        case ControlKind::Canvas:
        case ControlKind::Chart:
        case ControlKind::Table:
            break;
    }
    return o;
}

// The menu entries under `parent` (the menu bar for ""), nested; a loop in the tree stops
// at a few levels.
Json menuTree(const Form& form, const std::string& parent, int depth) {
    Json entries = Json::array();
    if (depth > 8) return entries;
    for (Control* m : form.menuChildren(parent)) {
        Json e = Json::object();
        e["key"] = m->key();
        e["caption"] = m->caption;
        const bool separator = m->separator || m->caption == "-";
        e["separator"] = separator;
        const std::string letter = separator ? std::string() : mnemonic(m->caption);
        e["mnemonic"] = letter;
        // A menu of the bar opens with Alt and its letter; an entry of an open menu with its letter.
        e["shortcut"] = letter.empty() ? "" : depth == 0 ? "Alt+" + letter : letter;
        e["visible"] = m->visible;
        e["enabled"] = m->enabled;
        e["checked"] = m->checked;
        e["entries"] = menuTree(form, m->name(), depth + 1);
        entries.push_back(std::move(e));
    }
    return entries;
}

Json formLayout(const Form& f) {
    Json o = Json::object();
    o["name"] = f.name();
    o["title"] = f.caption;
    o["visible"] = f.visible();
    o["modal"] = f.modal();
    o["columns"] = f.columns;
    o["width"] = f.widthTw;
    o["height"] = f.heightTw;
    o["left"] = f.leftTw;
    o["top"] = f.topTw;
    o["backColor"] = color(f.backColor);
    o["default"] = f.defaultAction;
    o["cancel"] = f.cancelAction;
    Json controls = Json::array();
    // Each frame's grid (the window's client area under ""): its rows and columns as its
    // controls fill them, and its controls in creation order.
    Json frames = Json::object();
    frames[""] = {{"caption", f.caption}, {"rows", 0}, {"columns", 0}, {"controls", Json::array()}};
    for (const auto& cp : f.controls())
        if (cp->kind() == ControlKind::Frame)
            frames[cp->key()] = {{"caption", cp->caption}, {"rows", 0}, {"columns", 0}, {"controls", Json::array()}};
    Json charts = Json::array();
    Json drawn = Json::array();
    for (const auto& cp : f.controls()) {
        const Control& c = *cp;
        if (c.kind() == ControlKind::Menu) continue;
        controls.push_back(controlLayout(c));
        if (c.kind() == ControlKind::Chart) charts.push_back(c.key());
        if (c.kind() == ControlKind::Canvas || c.kind() == ControlKind::Picture) drawn.push_back(c.key());
        if (!frames.contains(c.place.frame)) continue;  // a frame the window does not hold
        Json& grid = frames[c.place.frame];
        grid["rows"] = std::max(grid["rows"].get<int>(), c.place.row + c.place.rowSpan);
        grid["columns"] = std::max(grid["columns"].get<int>(), c.place.col + c.place.colSpan);
        grid["controls"].push_back(c.key());
    }
    o["frames"] = std::move(frames);
    o["controls"] = std::move(controls);
    o["menus"] = menuTree(f, "", 0);
    o["charts"] = std::move(charts);
    o["drawings"] = std::move(drawn);
    return o;
}

// A drawing with its scale and pen, and the picture its area shows.
Json drawingJson(const Drawing& d, const std::string& picture) {
    Json scale = {{"left", shownSingle(d.left())},
                  {"top", shownSingle(d.top())},
                  {"right", shownSingle(d.right())},
                  {"bottom", shownSingle(d.bottom())}};
    return {{"scale", std::move(scale)},
            {"backColor", color(d.backColor)},
            {"picture", picture},
            {"elements", drawingValue(d, true)}};
}

Json failure(int status, const std::string& error) {
    return {{"status", status}, {"error", error}, {"pending", nullptr}};
}

// Replaces the contents of `folder` by those of `from`.
void restoreFolder(const fs::path& from, const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const auto& e : fs::directory_iterator(folder)) entries.push_back(e.path());
    for (const auto& p : entries) fs::remove_all(p);
    fs::copy(from, folder, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace

Bridge::Bridge(const fs::path& programFolder, const fs::path& programDir) {
    registerAllWindows(catalog_);
    folder_ = resolveAppFolder(programFolder, programDir);
    startRun();
}

Bridge::~Bridge() {
    run_.reset();
    std::error_code ec;
    if (!snapshot_.empty()) fs::remove_all(snapshot_, ec);
}

void Bridge::startRun() {
    run_.reset();
    history_.clear();
    answers_.clear();
    pending_.reset();
    first_.clear();
    // The folder as the run finds it, for the replays.
    std::error_code ec;
    if (!snapshot_.empty()) fs::remove_all(snapshot_, ec);
    const fs::path temp = fs::temp_directory_path();
    for (int n = 1;; ++n) {
        snapshot_ = temp / ("aubelys-pont-" + std::to_string(n));
        if (fs::create_directory(snapshot_)) break;
    }
    fs::copy(folder_, snapshot_, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    replay();
}

Json Bridge::replay() {
    run_.reset();  // the windows of the earlier session go first
    auto run = std::make_unique<Run>();
    for (const auto& a : answers_) run->dialogs.answer(a);
    answerFilesFrom(run->platform, run->dialogs);
    run->session = std::make_unique<Session>(catalog_, run->dialogs, run->platform, folder_);
    run_ = std::move(run);
    pending_.reset();
    for (const auto& action : history_) {
        Json out = perform(action);
        if (out["status"] != 0) return out;
    }
    return outcome({});
}

void Bridge::reset() {
    // The folder as it is now is the new run's starting point.
    startRun();
}

Json Bridge::perform(const Action& action) {
    Session& session = *run_->session;
    try {
        if (action.open) {
            session.open(action.text);
            session.collect();
            return outcome({});
        }
        return outcome(runStep(session, first_, action.text));
    } catch (const NoAnswerLeft& e) {
        pending_ = run_->dialogs.shown().back();
        return outcome({3, "aucune réponse pour la boîte : " + e.text});
    } catch (const std::exception& e) {
        return failure(1, std::string("erreur : ") + e.what());
    }
}

Json Bridge::outcome(const ScriptOutcome& out) const {
    Json o = {{"status", out.status}, {"error", out.error}, {"pending", nullptr}};
    if (pending_) {
        o["pending"] = dialogValue(*pending_);
        if (!pending_->items.empty()) o["pending"]["items"] = pending_->items;
    }
    return o;
}

Json Bridge::open(const std::string& window) {
    const std::string name = catalog_.canonical(window);
    if (name.empty()) return failure(2, "fenêtre inconnue : " + window);
    if (pending_) return outcome({3, "une boîte attend sa réponse : " + pending_->text});
    if (first_.empty()) first_ = name;
    Action action{true, name};
    Json out = perform(action);
    if (out["status"] == 0 || out["status"] == 3) history_.push_back(action);
    return out;
}

Json Bridge::play(const std::string& step) {
    if (first_.empty()) return failure(2, "aucune fenêtre ouverte");
    if (pending_) return outcome({3, "une boîte attend sa réponse : " + pending_->text});
    Action action{false, step};
    Json out = perform(action);
    // A step that stopped at a dialog is played again, whole, once it is answered.
    if (out["status"] == 0 || out["status"] == 3) history_.push_back(action);
    return out;
}

Json Bridge::answer(const std::string& text) {
    if (!pending_) return failure(1, "aucune boîte n'attend de réponse");
    answers_.push_back(text);
    run_.reset();
    restoreFolder(snapshot_, folder_);
    return replay();
}

void Bridge::queueAnswer(const std::string& text) {
    answers_.push_back(text);
    run_->dialogs.answer(text);
}

Json Bridge::state() const { return stateJson(*run_->session, run_->dialogs); }

Json Bridge::layout(const std::string& window) const {
    Session& session = *run_->session;
    if (window.empty()) {
        Json all = Json::object();
        for (Form* f : session.forms()) all[f->name()] = formLayout(*f);
        return {{"windows", std::move(all)}};
    }
    Form* f = session.loaded(catalog_.canonical(window));
    if (!f) return {{"error", "fenêtre non chargée : " + window}};
    return formLayout(*f);
}

Json Bridge::drawings(const std::string& window) const {
    Form* f = run_->session->loaded(catalog_.canonical(window));
    if (!f) return {{"error", "fenêtre non chargée : " + window}};
    Json o = Json::object();
    for (const auto& cp : f->controls()) {
        const Control& c = *cp;
        if (c.kind() != ControlKind::Canvas && c.kind() != ControlKind::Picture) continue;
        o[c.key()] = drawingJson(c.drawing, c.picture);
    }
    return o;
}

Json Bridge::windows() const { return catalog_.names(); }

Json Bridge::platform() const {
    const RecordingPlatform& p = run_->platform;
    return {{"calls", p.calls}, {"clipboard", p.clipboard()}};
}

namespace {

// JSON is UTF-8: a text read from a Windows-1252 file (a help record) is converted.
std::string utf8(const std::string& text) { return isValidUtf8(text) ? text : cp1252ToUtf8(text); }

Json groupsValue(const std::vector<ReportGroup>& groups) {
    Json out = Json::array();
    for (const auto& g : groups) {
        Json rows = Json::array();
        for (const auto& r : g.rows)
            rows.push_back({{"caption", utf8(r.caption)}, {"value", utf8(r.value)}, {"unit", utf8(r.unit)}});
        out.push_back({{"title", utf8(g.title)}, {"rows", std::move(rows)}});
    }
    return out;
}

Json texts(const std::vector<std::string>& lines) {
    Json out = Json::array();
    for (const auto& t : lines) out.push_back(utf8(t));
    return out;
}

// The range an axis shows and its labelled ticks, as the desktop's chart draws them: an
// automatic linear axis rounded outward to a step of 1, 2 or 5 × 10^k, a logarithmic one
// labelled at its decades; the labels grouped by thousands ("100 000").
void addTicks(Json& axis, const ChartAxis& a, std::pair<double, double> range) {
    if (!a.log && a.autoRange) range = roundedRange(range.first, range.second);
    Json ticks = Json::array();
    if (a.log) {
        for (double v : logDecades(range.first, range.second))
            ticks.push_back({{"value", v}, {"text", tickText(v, v)}});
    } else {
        const AxisTicks t = linearTicks(range.first, range.second);
        for (int i = 0; i < t.count; ++i) {
            double v = t.first + i * t.step;
            if (std::fabs(v) < t.step * 1e-9) v = 0;
            ticks.push_back({{"value", v}, {"text", tickText(v, t.step)}});
        }
    }
    axis["shown"] = {range.first, range.second};
    axis["ticks"] = std::move(ticks);
}

}  // namespace

Json chartDrawn(const Chart& chart) {
    Json o = chartValue(chart);
    addTicks(o["x"], chart.x, chart.xRange());
    addTicks(o["y"], chart.y, chart.yRange());
    Json& series = o["series"];
    for (std::size_t i = 0; i < chart.series().size() && i < series.size(); ++i) {
        const ChartSeries& s = chart.series()[i];
        series[i]["color"] = s.color < 0 ? Json(nullptr) : Json(fmt::format("#{:06x}", s.color & 0xFFFFFF));
        series[i]["width"] = s.width;
        series[i]["inLegend"] = s.inLegend;
    }
    return o;
}

namespace {}  // namespace

Json Bridge::dossier() const {
    const auto& report = run_->platform.dossier;
    if (!report) return nullptr;
    Json windows = Json::array();
    for (const auto& w : report->windows) {
        Json figures = Json::array();
        for (const auto& f : w.figures) {
            Json o = {{"caption", utf8(f.caption)}, {"width", f.widthTw}, {"height", f.heightTw}};
            switch (f.kind) {
                case ReportFigure::Kind::Drawing:
                    o["kind"] = "drawing";
                    o["drawing"] = drawingJson(f.drawing, "");
                    break;
                case ReportFigure::Kind::Picture:
                    o["kind"] = "picture";
                    o["picture"] = f.picture;
                    break;
                case ReportFigure::Kind::Chart:
                    o["kind"] = "chart";
                    o["chart"] = chartDrawn(f.chart);
                    break;
            }
            figures.push_back(std::move(o));
        }
        windows.push_back({{"window", w.window},
                           {"title", utf8(w.title)},
                           {"section", utf8(w.section.empty() ? w.title : w.section)},
                           {"calculated", w.calculated},
                           {"inputs", groupsValue(w.inputs)},
                           {"results", groupsValue(w.results)},
                           {"messages", texts(w.messages)},
                           {"observations", groupsValue(w.observations)},
                           {"figures", std::move(figures)},
                           {"method", utf8(w.method)}});
    }
    return {{"program", utf8(report->program)},
            {"study", utf8(report->study)},
            {"date", report->date},
            {"site", texts(report->site)},
            {"windows", std::move(windows)}};
}

Json Bridge::chart(const std::string& window, const std::string& chart) const {
    Form* f = run_->session->loaded(catalog_.canonical(window));
    if (!f) return {{"error", "fenêtre non chargée : " + window}};
    const Control* c = f->findKey(chart);
    if (!c || c->kind() != ControlKind::Chart) return {{"error", "graphique inconnu : " + chart}};
    return chartDrawn(c->chart);
}

Json Bridge::chartCsv(const std::string& window, const std::string& chart, char decimalSeparator) const {
    Form* f = run_->session->loaded(catalog_.canonical(window));
    if (!f) return {{"error", "fenêtre non chargée : " + window}};
    const Control* c = f->findKey(chart);
    if (!c || c->kind() != ControlKind::Chart) return {{"error", "graphique inconnu : " + chart}};
    return {{"csv", aub::chartCsv(c->chart, decimalSeparator)}};
}

Json Bridge::imported(const std::string& name) {
    const fs::path file(name);
    if (name.empty() || file.filename() != file || name == "." || name == "..")
        return failure(1, "nom de fichier incorrect : " + name);
    std::error_code ec;
    if (!fs::is_regular_file(folder_ / file, ec)) return failure(1, "fichier introuvable : " + name);
    fs::copy_file(folder_ / file, snapshot_ / file, fs::copy_options::overwrite_existing, ec);
    if (ec) return failure(1, "copie impossible : " + name);
    return outcome({});
}

}  // namespace aub
