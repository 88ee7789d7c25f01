#include "forms/Script.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <system_error>

#include <fast_float/fast_float.h>
#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "core/NumberText.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

std::string withoutAmpersand(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return trim(out);
}

// "Valbox(3)" -> ("Valbox", 3); "Command1" -> ("Command1", -1).
bool splitKey(const std::string& key, std::string& name, int& index) {
    index = -1;
    auto open = key.find('(');
    if (open == std::string::npos || key.back() != ')') {
        name = key;
        return !key.empty();
    }
    name = key.substr(0, open);
    std::string digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.empty() || digits.size() > 6) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    index = std::stoi(digits);
    return !name.empty();
}

Control* findControl(Form& form, const std::string& key) {
    std::string name;
    int index = -1;
    if (!splitKey(key, name, index)) return nullptr;
    if (Control* c = form.find(name, index)) return c;
    // Names are compared without regard to case as a last resort.
    for (const auto& c : form.controls())
        if (equalsNoCase(c->name(), name) && c->index() == index) return c.get();
    return nullptr;
}

// A menu path of captions "Options1/Vanne", or a menu control's name.
std::vector<Control*> findMenuPath(Form& form, const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        auto slash = path.find('/', start);
        parts.push_back(
            withoutAmpersand(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start)));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    std::vector<Control*> chain;
    std::string parent;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        Control* hit = nullptr;
        for (Control* m : form.menuChildren(parent))
            if (withoutAmpersand(m->caption) == parts[i]) {
                hit = m;
                break;
            }
        if (!hit && i == 0 && parts.size() == 1) {
            // A single caption may name an entry at any depth.
            for (const auto& c : form.controls())
                if (c->kind() == ControlKind::Menu && withoutAmpersand(c->caption) == parts[0]) {
                    hit = c.get();
                    break;
                }
            if (hit) {
                std::vector<Control*> up{hit};
                while (!up.back()->menuParent.empty()) {
                    Control* p = form.find(up.back()->menuParent);
                    if (!p) break;
                    up.push_back(p);
                }
                return {up.rbegin(), up.rend()};
            }
        }
        if (!hit) return {};
        chain.push_back(hit);
        parent = hit->name();
    }
    return chain;
}

void clickMenuChain(Form& form, const std::vector<Control*>& chain) {
    for (Control* m : chain) {
        if (!m->enabled || !m->visible) return;  // a greyed entry does nothing
        form.fire(*m, EventKind::Click);
        // An entry that unloads its own window ends the chain; the window object lives
        // until the caller collects it, so nothing here may collect before returning.
        if (!form.isLoaded()) return;
    }
}

ScriptOutcome fail(int status, std::string error) { return {status, std::move(error)}; }

// A control is on screen when it and every frame around it are visible.
bool onScreen(Form& form, const Control& c) {
    const Control* at = &c;
    for (int depth = 0; at && depth < 32; ++depth) {
        if (!at->visible) return false;
        if (at->place.frame.empty()) return true;
        at = form.findKey(at->place.frame);
    }
    return true;
}

// A step acts as a person would: what is hidden (itself or its frame) or greyed cannot be
// typed into or clicked. Timers are never shown; a step naming one is a tick.
std::optional<ScriptOutcome> outOfReach(Form& form, const Control& c) {
    if (c.kind() == ControlKind::Timer) return std::nullopt;
    if (c.kind() == ControlKind::Menu) {
        if (!c.visible) return fail(2, "l'entrée de menu « " + withoutAmpersand(c.caption) + " » est cachée");
        if (!c.enabled) return fail(2, "l'entrée de menu « " + withoutAmpersand(c.caption) + " » est grisée");
        return std::nullopt;
    }
    if (!onScreen(form, c)) return fail(2, "le contrôle " + c.key() + " est caché");
    if (!c.enabled) return fail(2, "le contrôle " + c.key() + " est grisé");
    return std::nullopt;
}

ScriptOutcome reachMenuChain(Form& form, const std::vector<Control*>& chain) {
    for (Control* m : chain)
        if (auto refused = outOfReach(form, *m)) return *refused;
    return {};
}

ScriptOutcome typeInto(Control& c, const std::string& text) {
    Form& form = c.form();
    switch (c.kind()) {
        case ControlKind::TextBox:
            if (c.text() != text) form.personChanged(c);
            c.setText(text);
            break;
        case ControlKind::ListBox:
        case ControlKind::ComboBox: {
            int found = -1;
            for (std::size_t i = 0; i < c.items.size(); ++i)
                if (c.items[i] == text || trim(c.items[i]) == trim(text)) {
                    found = static_cast<int>(i);
                    break;
                }
            if (found < 0 && c.kind() == ControlKind::ListBox)
                return fail(2, "l'entrée « " + text + " » n'est pas dans la liste " + c.key());
            if (found < 0) {
                if (c.text() != text) form.personChanged(c);
                c.setText(text);
                break;
            }
            if (c.listIndex() == found)
                form.fire(c, EventKind::Click);
            else
                c.setListIndex(found);
            break;
        }
        case ControlKind::CheckBox: {
            const int v = text == "1" || text == "oui" ? 1 : 0;
            if (v != c.value()) form.personChanged(c);
            c.setValue(v);
            break;
        }
        case ControlKind::Slider: {
            double v = leadingNumber(text);
            if (!std::isfinite(v)) v = 0;
            if (v > 1e9) v = 1e9;
            if (v < -1e9) v = -1e9;
            form.personChanged(c);
            c.setValue(static_cast<int>(std::lround(v)));
            break;
        }
        case ControlKind::Label:
        case ControlKind::Button:
        case ControlKind::Frame:
        case ControlKind::Menu:
        case ControlKind::Picture:
        case ControlKind::Canvas:
        case ControlKind::Chart:
        case ControlKind::Table:
        case ControlKind::Progress:
        case ControlKind::Timer:
            return fail(2, "le contrôle " + c.key() + " ne se saisit pas");
    }
    return {};
}

}  // namespace

ScriptOutcome runStep(Session& session, const std::string& window, const std::string& stepIn) {
    if (session.ended()) return {};
    std::string step = stepIn;
    std::string target = window;
    // AUTRE:ETAPE — only before any "=" and when AUTRE names a window.
    auto colon = step.find(':');
    auto equal = step.find('=');
    if (colon != std::string::npos && (equal == std::string::npos || colon < equal)) {
        std::string other = step.substr(0, colon);
        if (session.catalog().has(other)) {
            target = session.catalog().canonical(other);
            step = step.substr(colon + 1);
            equal = step.find('=');
        }
    }
    Form* form = session.loaded(target);
    if (!form) form = &session.load(target);
    if (!form->isLoaded()) return {};

    if (equal != std::string::npos) {
        std::string key = trim(step.substr(0, equal));
        Control* c = findControl(*form, key);
        if (!c) return fail(2, "contrôle inconnu : " + target + "." + key);
        if (auto refused = outOfReach(*form, *c)) return *refused;
        ScriptOutcome out = typeInto(*c, step.substr(equal + 1));
        session.collect();
        return out;
    }
    if (step == "Form" || step == "Fond") {
        form->fireBackgroundClick();
        session.collect();
        return {};
    }
    if (Control* c = findControl(*form, trim(step))) {
        if (c->kind() == ControlKind::Menu) {
            std::vector<Control*> chain{c};
            while (!chain.back()->menuParent.empty()) {
                Control* p = form->find(chain.back()->menuParent);
                if (!p) break;
                chain.push_back(p);
            }
            std::reverse(chain.begin(), chain.end());
            if (ScriptOutcome refused = reachMenuChain(*form, chain); refused.status != 0) return refused;
            clickMenuChain(*form, chain);
        } else {
            if (auto refused = outOfReach(*form, *c)) return *refused;
            form->fire(*c, EventKind::Click);
        }
        session.collect();
        return {};
    }
    std::vector<Control*> chain = findMenuPath(*form, step);
    if (chain.empty()) {
        // A button named by its caption ("CALCUL "): the one on screen, else the refusal
        // of the first one named so.
        std::optional<ScriptOutcome> refused;
        for (const auto& c : form->controls()) {
            if (c->kind() != ControlKind::Button || withoutAmpersand(c->caption) != withoutAmpersand(step)) continue;
            if (auto out = outOfReach(*form, *c)) {
                if (!refused) refused = out;
                continue;
            }
            form->fire(*c, EventKind::Click);
            session.collect();
            return {};
        }
        if (refused) return *refused;
        return fail(2, "contrôle ou menu inconnu : " + target + "." + step);
    }
    if (ScriptOutcome refused = reachMenuChain(*form, chain); refused.status != 0) return refused;
    clickMenuChain(*form, chain);
    session.collect();
    return {};
}

ScriptOutcome runScript(Session& session, const std::string& window, const std::vector<std::string>& steps) {
    std::string name = session.catalog().canonical(window);
    if (name.empty()) return fail(2, "fenêtre inconnue : " + window);
    try {
        session.open(name);
        session.collect();
        for (const auto& step : steps) {
            ScriptOutcome out = runStep(session, name, step);
            if (out.status != 0) return out;
        }
    } catch (const NoAnswerLeft& e) {
        return fail(3, "aucune réponse pour la boîte : " + e.text);
    }
    return {};
}

// ---------------------------------------------------------------- listings

namespace {

// JSON is UTF-8: a text holding other bytes (a name typed or found in Windows-1252)
// is read as Windows-1252.
std::string utf8Text(std::string_view text) { return isValidUtf8(text) ? std::string(text) : cp1252ToUtf8(text); }

Json text(std::string_view s) { return Json(utf8Text(s)); }

Json shown(float v) { return shownSingle(v); }
Json shown(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }

void write(const Json& value, std::string& out) {
    switch (value.type()) {
        case Json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [key, element] : value.items()) {
                if (!first) out += ',';
                first = false;
                write(Json(key), out);
                out += ':';
                write(element, out);
            }
            out += '}';
            break;
        }
        case Json::value_t::array: {
            out += '[';
            bool first = true;
            for (const auto& element : value) {
                if (!first) out += ',';
                first = false;
                write(element, out);
            }
            out += ']';
            break;
        }
        case Json::value_t::number_float:
            // The general format's digits (fifteen at most, "1.5E-07" outside its fixed range):
            // the library's own printer may give seventeen digits where fifteen say the same value.
            out += formatGeneral(value.get<double>(), '.');
            break;
        case Json::value_t::null:
        case Json::value_t::string:
        case Json::value_t::boolean:
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::binary:
        case Json::value_t::discarded:
            // Compact, UTF-8 as it is; a byte sequence that is not UTF-8 becomes U+FFFD.
            out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

bool hasText(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::ComboBox || k == ControlKind::ListBox;
}
bool hasCaption(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Button || k == ControlKind::Frame || k == ControlKind::Menu ||
           k == ControlKind::CheckBox;
}

Json texts(const std::vector<std::string>& list) {
    Json out = Json::array();
    for (const auto& s : list) out.push_back(text(s));
    return out;
}

Json axisValue(const ChartAxis& a, std::pair<double, double> range) {
    Json out = Json::object();
    out["title"] = text(a.title);
    out["unit"] = text(a.unit);
    out["scale"] = a.log ? "log" : "linear";
    out["range"] = a.autoRange ? "auto" : "fixed";
    out["min"] = shown(range.first);
    out["max"] = shown(range.second);
    return out;
}

Json controlValue(const Control& c) {
    Json o = Json::object();
    o["kind"] = kindName(c.kind());
    if (hasText(c.kind()))
        o["text"] = text(c.text());
    else if (hasCaption(c.kind()))
        o["text"] = text(c.caption);
    if (c.kind() == ControlKind::Label || c.kind() == ControlKind::Frame || c.kind() == ControlKind::Button)
        o["caption"] = text(c.caption);
    o["visible"] = c.visible;
    o["enabled"] = c.enabled;
    if (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox) {
        o["items"] = texts(c.items);
        o["selected"] = c.listIndex();
    }
    if (c.kind() == ControlKind::CheckBox || c.kind() == ControlKind::Slider) o["value"] = c.value();
    if (c.kind() == ControlKind::Picture && !c.picture.empty()) o["picture"] = text(c.picture);
    if (c.kind() == ControlKind::Chart) o["chart"] = chartValue(c.chart);
    if (c.kind() == ControlKind::Progress) {
        o["value"] = c.value();
        o["min"] = c.min;
        o["max"] = c.max;
    }
    if (c.kind() == ControlKind::Table) {
        o["columns"] = texts(c.columns);
        Json rows = Json::array();
        for (const auto& row : c.rows) rows.push_back(texts(row));
        o["rows"] = std::move(rows);
    }
    return o;
}

}  // namespace

Json drawingValue(const Drawing& d, bool withPen) {
    Json out = Json::array();
    auto num = [](float v) { return shown(std::isfinite(v) ? v : 0.f); };
    for (const auto& op : d.ops()) {
        Json e = Json::object();
        switch (op.kind) {
            case DrawOp::Kind::Line:
                e["line"] = {num(op.x1), num(op.y1), num(op.x2), num(op.y2)};
                break;
            case DrawOp::Kind::Box:
                e["box"] = {num(op.x1), num(op.y1), num(op.x2), num(op.y2)};
                break;
            case DrawOp::Kind::Circle:
                e["circle"] = {num(op.x1), num(op.y1), num(op.r)};
                break;
            case DrawOp::Kind::Point:
                e["point"] = {num(op.x1), num(op.y1)};
                break;
            case DrawOp::Kind::Text:
                e["text"] = text(op.text);
                e["at"] = {num(op.x1), num(op.y1)};
                break;
        }
        e["color"] = fmt::format("#{:06x}", op.color & 0xFFFFFF);
        if (withPen) {
            e["width"] = op.width;
            if (op.kind == DrawOp::Kind::Text) e["fontSize"] = shown(op.fontSize);
            if (op.kind == DrawOp::Kind::Box || op.kind == DrawOp::Kind::Circle) e["filled"] = op.filled;
        }
        out.push_back(std::move(e));
    }
    return out;
}

Json shownSingle(float v) {
    if (!std::isfinite(v)) return Json(nullptr);
    const std::string general = formatGeneral(v, '.');
    double d = 0;
    fast_float::from_chars(general.data(), general.data() + general.size(), d);
    return Json(d);
}

std::string jsonString(std::string_view s) { return dumpJson(text(s)); }

std::string dumpJson(const Json& value) {
    std::string out;
    write(value, out);
    return out;
}

Json chartValue(const Chart& chart) {
    Json o = Json::object();
    o["title"] = text(chart.title);
    o["x"] = axisValue(chart.x, chart.xRange());
    o["y"] = axisValue(chart.y, chart.yRange());
    Json series = Json::array();
    for (const ChartSeries& s : chart.series()) {
        Json e = Json::object();
        e["name"] = text(s.name);
        e["kind"] = seriesKindName(s.kind);
        if (!s.label.empty()) e["label"] = text(s.label);
        Json points = Json::array();
        for (const ChartPoint& p : s.points) {
            Json point = {shown(p.x), shown(p.y)};
            if (s.kind == SeriesKind::Area) point.push_back(shown(p.y2));
            points.push_back(std::move(point));
        }
        e["points"] = std::move(points);
        series.push_back(std::move(e));
    }
    o["series"] = std::move(series);
    return o;
}

std::string chartJson(const Chart& chart) { return dumpJson(chartValue(chart)); }

Json formValue(const Form& f) {
    Json o = Json::object();
    o["title"] = text(f.caption);
    o["visible"] = f.visible();
    Json controls = Json::object();
    Json drawings = Json::object();
    for (const auto& cp : f.controls()) {
        const Control& c = *cp;
        controls[utf8Text(c.key())] = controlValue(c);
        if (!c.drawing.ops().empty()) drawings[utf8Text(c.key())] = drawingValue(c.drawing, false);
    }
    o["controls"] = std::move(controls);
    o["drawing"] = std::move(drawings);
    return o;
}

Json dialogValue(const DialogRecord& d) {
    Json o = Json::object();
    o["kind"] = text(d.kind);
    o["text"] = text(d.text);
    if (!d.title.empty()) o["title"] = text(d.title);
    if (d.kind == "input") o["default"] = text(d.defaultText);
    if (d.kind != "message") o["answer"] = text(d.answer);
    return o;
}

Json sharedValue(SharedValues& sv) {
    Json o = Json::object();
    for (const auto& [name, member] : SharedValues::textFields()) {
        const std::string& v = sv.*member;
        o[name] = text(std::string(name) == "HelpRecord" ? trimRight(v) : v);
    }
    o["DecimalComma"] = sv.DecimalComma;
    o["PipeWindowOpen"] = sv.PipeWindowOpen;
    o["FormulaId"] = static_cast<int>(sv.FormulaId);
    // The values with a unit: the value as stored, then its writer's unit ("SharedFlowUnit":"l/s").
    for (const auto& q : SharedValues::quantityFields()) {
        o[q.name] = shown(q.value(sv));
        o[std::string(q.name) + "Unit"] = text(q.unit(sv));
    }
    for (const auto& [name, member] : SharedValues::floatFields()) o[name] = shown(sv.*member);
    return o;
}

Json stateJson(Session& session, const ScriptedDialogs& dialogs) {
    Json o = Json::object();
    Json windows = Json::object();
    for (Form* f : session.forms()) windows[utf8Text(f->name())] = formValue(*f);
    o["windows"] = std::move(windows);
    Json shownDialogs = Json::array();
    for (const auto& d : dialogs.shown()) shownDialogs.push_back(dialogValue(d));
    o["dialogs"] = std::move(shownDialogs);
    o["shared"] = sharedValue(session.shared());
    o["ended"] = session.ended();
    return o;
}

std::string listingJson(Session& session, const ScriptedDialogs& dialogs, bool allLoaded) {
    (void)allLoaded;  // JSON always lists every loaded window, with its visibility
    return dumpJson(stateJson(session, dialogs));
}

std::string listingText(Session& session, const ScriptedDialogs& dialogs, bool allLoaded) {
    std::ostringstream o;
    for (Form* f : session.forms()) {
        if (!f->visible() && !allLoaded) continue;
        o << "=== " << f->name() << " — « " << f->caption << " »" << (f->visible() ? "" : " (cachée)") << "\n";
        for (const auto& cp : f->controls()) {
            const Control& c = *cp;
            if (c.kind() == ControlKind::Menu || !onScreen(*f, c)) continue;
            switch (c.kind()) {
                case ControlKind::Label:
                    if (!c.caption.empty()) o << "  " << c.key() << " : " << c.caption << "\n";
                    break;
                case ControlKind::TextBox:
                case ControlKind::ComboBox:
                    o << "  " << c.key() << " = [" << c.text() << "]\n";
                    break;
                case ControlKind::ListBox:
                    o << "  " << c.key() << " (liste, " << c.items.size() << " entrées";
                    if (c.listIndex() >= 0) o << ", choisie : " << c.text();
                    o << ")\n";
                    for (const auto& it : c.items) o << "      " << it << "\n";
                    break;
                case ControlKind::CheckBox:
                    o << "  " << c.key() << " [" << (c.value() ? "x" : " ") << "] " << c.caption << "\n";
                    break;
                case ControlKind::Slider:
                    o << "  " << c.key() << " = " << c.value() << " (" << c.min << " à " << c.max << ")\n";
                    break;
                case ControlKind::Button:
                    o << "  " << c.key() << " <" << c.caption << ">" << (c.enabled ? "" : " (grisé)") << "\n";
                    break;
                case ControlKind::Chart:
                    o << "  " << c.key() << " : " << chartListing(c.chart, "      ");
                    break;
                case ControlKind::Table: {
                    o << "  " << c.key() << " (tableau, " << c.rows.size() << " lignes)\n";
                    auto line = [&o](const std::vector<std::string>& cells) {
                        o << "     ";
                        for (const auto& cell : cells) o << " | " << cell;
                        o << "\n";
                    };
                    if (!c.columns.empty()) line(c.columns);
                    for (const auto& row : c.rows) line(row);
                    break;
                }
                case ControlKind::Progress:
                    o << "  " << c.key() << " avancement " << c.value() << " (" << c.min << " à " << c.max << ")\n";
                    break;
                case ControlKind::Timer:
                    o << "  " << c.key() << " minuterie " << (c.enabled ? "en marche" : "arrêtée") << "\n";
                    break;
                case ControlKind::Canvas:
                case ControlKind::Picture:
                    if (!c.picture.empty()) o << "  " << c.key() << " image " << c.picture << "\n";
                    if (!c.drawing.ops().empty())
                        o << "  " << c.key() << " dessin de " << c.drawing.ops().size() << " éléments\n";
                    break;
                case ControlKind::Frame:
                case ControlKind::Menu:
                    break;
            }
        }
    }
    if (!dialogs.shown().empty()) {
        o << "=== Messages\n";
        for (const auto& d : dialogs.shown()) {
            o << "  [" << d.kind << "] " << d.text;
            if (d.kind != "message") o << " -> " << (d.answer.empty() ? "(annulé)" : d.answer);
            o << "\n";
        }
    }
    if (session.ended()) o << "=== Fin du programme\n";
    return o.str();
}

}  // namespace aub
