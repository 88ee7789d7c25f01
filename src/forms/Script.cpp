#include "forms/Script.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "core/NumberText.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Scripted.h"
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
        default:
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

std::string jsonString(std::string_view text) {
    // JSON is UTF-8: a text holding other bytes (a name typed or found in Windows-1252)
    // is read as Windows-1252.
    const std::string converted = isValidUtf8(text) ? std::string() : cp1252ToUtf8(text);
    const std::string_view s = converted.empty() ? text : std::string_view(converted);
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

namespace {

bool hasText(ControlKind k) {
    return k == ControlKind::TextBox || k == ControlKind::ComboBox || k == ControlKind::ListBox;
}
bool hasCaption(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Button || k == ControlKind::Frame || k == ControlKind::Menu ||
           k == ControlKind::CheckBox;
}

std::string drawingJson(const Drawing& d) {
    std::ostringstream o;
    o << "[";
    bool first = true;
    for (const auto& op : d.ops()) {
        if (!first) o << ",";
        first = false;
        auto num = [](float v) { return formatGeneral(std::isfinite(v) ? v : 0.f, '.'); };
        switch (op.kind) {
            case DrawOp::Kind::Line:
                o << "{\"line\":[" << num(op.x1) << "," << num(op.y1) << "," << num(op.x2) << "," << num(op.y2) << "]";
                break;
            case DrawOp::Kind::Box:
                o << "{\"box\":[" << num(op.x1) << "," << num(op.y1) << "," << num(op.x2) << "," << num(op.y2) << "]";
                break;
            case DrawOp::Kind::Circle:
                o << "{\"circle\":[" << num(op.x1) << "," << num(op.y1) << "," << num(op.r) << "]";
                break;
            case DrawOp::Kind::Point:
                o << "{\"point\":[" << num(op.x1) << "," << num(op.y1) << "]";
                break;
            case DrawOp::Kind::Text:
                o << "{\"text\":" << jsonString(op.text) << ",\"at\":[" << num(op.x1) << "," << num(op.y1) << "]";
                break;
        }
        char col[16];
        std::snprintf(col, sizeof col, "#%06x", op.color & 0xFFFFFF);
        o << ",\"color\":\"" << col << "\"}";
    }
    o << "]";
    return o.str();
}

std::string axisJson(const ChartAxis& a, std::pair<double, double> shown) {
    std::ostringstream o;
    o << "{\"title\":" << jsonString(a.title) << ",\"unit\":" << jsonString(a.unit)
      << ",\"scale\":" << (a.log ? "\"log\"" : "\"linear\"")
      << ",\"range\":" << (a.autoRange ? "\"auto\"" : "\"fixed\"") << ",\"min\":" << formatGeneral(shown.first, '.')
      << ",\"max\":" << formatGeneral(shown.second, '.') << "}";
    return o.str();
}

}  // namespace

std::string chartJson(const Chart& chart) {
    std::ostringstream o;
    o << "{\"title\":" << jsonString(chart.title) << ",\"x\":" << axisJson(chart.x, chart.xRange())
      << ",\"y\":" << axisJson(chart.y, chart.yRange()) << ",\"series\":[";
    bool first = true;
    for (const ChartSeries& s : chart.series()) {
        if (!first) o << ",";
        first = false;
        o << "{\"name\":" << jsonString(s.name) << ",\"kind\":\"" << seriesKindName(s.kind) << "\"";
        if (!s.label.empty()) o << ",\"label\":" << jsonString(s.label);
        o << ",\"points\":[";
        for (std::size_t i = 0; i < s.points.size(); ++i) {
            const ChartPoint& p = s.points[i];
            o << (i ? "," : "") << "[" << formatGeneral(p.x, '.') << "," << formatGeneral(p.y, '.');
            if (s.kind == SeriesKind::Area) o << "," << formatGeneral(p.y2, '.');
            o << "]";
        }
        o << "]}";
    }
    o << "]}";
    return o.str();
}

std::string listingJson(Session& session, const ScriptedDialogs& dialogs, bool allLoaded) {
    (void)allLoaded;  // JSON always lists every loaded window, with its visibility
    std::ostringstream o;
    o << "{\"windows\":{";
    bool firstForm = true;
    for (Form* f : session.forms()) {
        if (!firstForm) o << ",";
        firstForm = false;
        o << jsonString(f->name()) << ":{\"title\":" << jsonString(f->caption)
          << ",\"visible\":" << (f->visible() ? "true" : "false") << ",\"controls\":{";
        bool first = true;
        std::string drawings;
        for (const auto& cp : f->controls()) {
            const Control& c = *cp;
            if (!first) o << ",";
            first = false;
            o << jsonString(c.key()) << ":{\"kind\":\"" << kindName(c.kind()) << "\",";
            if (hasText(c.kind()))
                o << "\"text\":" << jsonString(c.text()) << ",";
            else if (hasCaption(c.kind()))
                o << "\"text\":" << jsonString(c.caption) << ",";
            if (c.kind() == ControlKind::Label || c.kind() == ControlKind::Frame || c.kind() == ControlKind::Button)
                o << "\"caption\":" << jsonString(c.caption) << ",";
            o << "\"visible\":" << (c.visible ? "true" : "false") << ",\"enabled\":" << (c.enabled ? "true" : "false");
            if (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox) {
                o << ",\"items\":[";
                for (std::size_t i = 0; i < c.items.size(); ++i) o << (i ? "," : "") << jsonString(c.items[i]);
                o << "],\"selected\":" << c.listIndex();
            }
            if (c.kind() == ControlKind::CheckBox || c.kind() == ControlKind::Slider) o << ",\"value\":" << c.value();
            if (c.kind() == ControlKind::Picture && !c.picture.empty()) o << ",\"picture\":" << jsonString(c.picture);
            if (c.kind() == ControlKind::Chart) o << ",\"chart\":" << chartJson(c.chart);
            if (c.kind() == ControlKind::Progress)
                o << ",\"value\":" << c.value() << ",\"min\":" << c.min << ",\"max\":" << c.max;
            if (c.kind() == ControlKind::Table) {
                auto cells = [&o](const std::vector<std::string>& row) {
                    o << "[";
                    for (std::size_t i = 0; i < row.size(); ++i) o << (i ? "," : "") << jsonString(row[i]);
                    o << "]";
                };
                o << ",\"columns\":";
                cells(c.columns);
                o << ",\"rows\":[";
                for (std::size_t i = 0; i < c.rows.size(); ++i) {
                    if (i) o << ",";
                    cells(c.rows[i]);
                }
                o << "]";
            }
            o << "}";
            if (!c.drawing.ops().empty()) {
                if (!drawings.empty()) drawings += ",";
                drawings += jsonString(c.key()) + ":" + drawingJson(c.drawing);
            }
        }
        o << "},\"drawing\":{" << drawings << "}}";
    }
    o << "},\"dialogs\":[";
    bool first = true;
    for (const auto& d : dialogs.shown()) {
        if (!first) o << ",";
        first = false;
        o << "{\"kind\":" << jsonString(d.kind) << ",\"text\":" << jsonString(d.text);
        if (!d.title.empty()) o << ",\"title\":" << jsonString(d.title);
        if (d.kind == "input") o << ",\"default\":" << jsonString(d.defaultText);
        if (d.kind != "message") o << ",\"answer\":" << jsonString(d.answer);
        o << "}";
    }
    o << "],\"shared\":{";
    first = true;
    SharedValues& sv = session.shared();
    for (const auto& [name, member] : SharedValues::textFields()) {
        if (!first) o << ",";
        first = false;
        const std::string& v = sv.*member;
        o << jsonString(name) << ":" << jsonString(std::string(name) == "HelpRecord" ? trimRight(v) : v);
    }
    o << ",\"DecimalComma\":" << (sv.DecimalComma ? "true" : "false");
    o << ",\"PipeWindowOpen\":" << (sv.PipeWindowOpen ? "true" : "false");
    o << ",\"FormulaId\":" << static_cast<int>(sv.FormulaId);
    // The values with a unit: the value as stored, then its writer's unit ("SharedFlowUnit":"l/s").
    for (const auto& q : SharedValues::quantityFields()) {
        const float v = q.value(sv);
        o << "," << jsonString(q.name) << ":" << (std::isfinite(v) ? formatGeneral(v, '.') : std::string("null"));
        o << "," << jsonString(std::string(q.name) + "Unit") << ":" << jsonString(q.unit(sv));
    }
    for (const auto& [name, member] : SharedValues::floatFields()) {
        float v = sv.*member;
        o << "," << jsonString(name) << ":" << (std::isfinite(v) ? formatGeneral(v, '.') : std::string("null"));
    }
    o << "},\"ended\":" << (session.ended() ? "true" : "false") << "}";
    return o.str();
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
                default:
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
