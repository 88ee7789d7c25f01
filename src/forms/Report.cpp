#include "forms/Report.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "core/Today.h"
#include "files/TextFile.h"
#include "forms/Form.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

const Control* frameOf(const Form& form, const Control& c) {
    if (c.place.frame.empty()) return nullptr;
    return form.findKey(c.place.frame);
}

// A frame captioned "RESULTATS" or "Résultats" holds results.
bool isResultsCaption(const std::string& caption) {
    std::string t = trim(caption);
    std::string up;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t.compare(i, 2, "\xC3\xA9") == 0 || t.compare(i, 2, "\xC3\x89") == 0) {  // é, É
            up += 'E';
            ++i;
        } else {
            up += static_cast<char>(std::toupper(static_cast<unsigned char>(t[i])));
        }
    }
    return up == "RESULTATS";
}

// The frames around a control, innermost first (a frame placed in itself stops the walk).
std::vector<const Control*> framesAround(const Form& form, const Control& c) {
    std::vector<const Control*> out;
    for (const Control* f = frameOf(form, c); f && out.size() < 32; f = frameOf(form, *f)) out.push_back(f);
    return out;
}

bool isTextBox(const Control& c) { return c.kind() == ControlKind::TextBox; }

// The label at the left of a box, in the same frame and row; else the frame's caption.
std::string captionOf(const Form& form, const Control& box) {
    const Control* best = nullptr;
    for (const auto& cp : form.controls()) {
        const Control& l = *cp;
        if (l.kind() != ControlKind::Label || !l.visible || trim(l.caption).empty()) continue;
        if (l.place.frame != box.place.frame || l.place.row != box.place.row || l.place.col >= box.place.col) continue;
        if (!best || l.place.col > best->place.col) best = &l;
    }
    if (best) return trim(best->caption);
    if (box.kind() == ControlKind::CheckBox && !trim(box.caption).empty()) return trim(box.caption);
    if (const Control* f = frameOf(form, box); f && !trim(f->caption).empty()) return trim(f->caption);
    return box.key();
}

// The caption of the nearest frame around a control that has one.
std::string groupTitle(const Form& form, const Control& c) {
    for (const Control* f : framesAround(form, c))
        if (!trim(f->caption).empty()) return trim(f->caption);
    return {};
}

// Rows grouped by frame, groups in the order their first row appears.
void addRow(std::vector<ReportGroup>& groups, std::string title, ReportRow row) {
    auto it = std::find_if(groups.begin(), groups.end(), [&](const ReportGroup& g) { return g.title == title; });
    if (it == groups.end()) {
        groups.push_back({std::move(title), {}});
        it = groups.end() - 1;
    }
    it->rows.push_back(std::move(row));
}

// A list the person chooses from: a click on it runs something.
bool isChoiceList(const Form& form, const Control& c) {
    return (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox) &&
           (form.handles(c.name(), EventKind::Click) || form.handles(c.name(), EventKind::DblClick));
}

// Lines of a notice box, blank ones dropped.
std::vector<std::string> noticeLines(const std::string& text) {
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!trim(line).empty()) out.push_back(trimRight(line));
    }
    return out;
}

// A notice longer than this is summarised in the dossier: a pasted flow-duration curve of
// thousands of lines would otherwise fill a hundred pages.
constexpr std::size_t LongNoticeLines = 60;
// The exceedance frequencies at which a flow-duration curve is usually quoted (%).
constexpr double QuotedExceedance[] = {0, 1, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 99, 100};

// The exceedance frequency of a line "frequency ; flow" (or two numbers apart by blanks),
// when the line is one.
std::optional<double> curveFrequency(const std::string& line) {
    const std::string t = trim(line);
    if (t.empty() || !(std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '.')) return std::nullopt;
    if (t.find_first_of("; \t") == std::string::npos) return std::nullopt;
    const double f = leadingNumber(t);
    if (!(f >= 0 && f <= 100)) return std::nullopt;
    return f;
}

// The lines of a notice as the dossier prints them: whole when short; a long curve at the
// quoted exceedance frequencies (the line nearest each); any other long text by its start
// and its end, the lines left out counted.
std::vector<std::string> printedNotice(std::vector<std::string> lines) {
    if (lines.size() <= LongNoticeLines) return lines;
    std::vector<double> frequency;
    frequency.reserve(lines.size());
    for (const auto& line : lines) {
        const auto f = curveFrequency(line);
        if (!f) break;
        frequency.push_back(*f);
    }
    std::vector<std::string> out;
    const std::string count = std::to_string(lines.size());
    if (frequency.size() == lines.size()) {
        std::size_t last = lines.size();
        for (double q : QuotedExceedance) {
            std::size_t best = 0;
            for (std::size_t i = 1; i < frequency.size(); ++i)
                if (std::fabs(frequency[i] - q) < std::fabs(frequency[best] - q)) best = i;
            if (best != last) out.push_back(lines[best]);
            last = best;
        }
        out.push_back("(courbe de " + count +
                      " points, imprimée aux fréquences de dépassement 0, 1, 5, 10, 20 … 90, 95, 99 et 100 %)");
        return out;
    }
    constexpr std::size_t Head = 40, Tail = 10;
    out.assign(lines.begin(), lines.begin() + Head);
    out.push_back("… " + std::to_string(lines.size() - Head - Tail) + " lignes non imprimées sur " + count + " …");
    out.insert(out.end(), lines.end() - Tail, lines.end());
    return out;
}

// Words of a sentence that speaks of the program's handling rather than of the
// calculation: such sentences stay in the help, not in a dossier's method.
constexpr const char* HandlingWords[] = {
    "menu",       "fichier", "cliqu",  "bouton", "enregistr", "imprim",      "la liste",
    "choisissez", "tapez",   "ouvrez", "touche", ".txt",      "aide locale", "dossier du programme"};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

bool speaksOfHandling(std::string_view sentence) {
    const std::string low = lowerAscii(sentence);
    return std::any_of(std::begin(HandlingWords), std::end(HandlingWords),
                       [&](const char* w) { return low.find(w) != std::string::npos; });
}

// A title line: letters all capitals (the help record's heading).
bool isTitleLine(std::string_view line) {
    bool letter = false;
    for (unsigned char ch : line) {
        if (std::islower(ch)) return false;
        if (std::isupper(ch)) letter = true;
    }
    return letter;
}

// The sentences of a paragraph, each with its final stop: cut after ". ", "; " is kept inside.
std::vector<std::string> sentencesOf(const std::string& paragraph) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < paragraph.size(); ++i) {
        // "0,5." or "m." followed by a blank and a capital or a quote ends a sentence.
        if (paragraph[i] == '.' && paragraph[i + 1] == ' ' && i + 2 < paragraph.size() &&
            (std::isupper(static_cast<unsigned char>(paragraph[i + 2])) ||
             static_cast<unsigned char>(paragraph[i + 2]) >= 0x80)) {
            out.push_back(paragraph.substr(start, i + 1 - start));
            start = i + 2;
        }
    }
    if (start < paragraph.size()) out.push_back(paragraph.substr(start));
    return out;
}

}  // namespace

bool isShown(const Form& form, const Control& c) {
    const Control* at = &c;
    for (int depth = 0; at && depth < 32; ++depth) {
        if (!at->visible) return false;
        at = frameOf(form, *at);
    }
    return true;
}

bool isResultBox(const Form& form, const Control& c) {
    if (!isTextBox(c)) return false;
    if (!form.resultBoxes.empty()) {
        auto named = [&](const Control& box) {
            return std::any_of(form.resultBoxes.begin(), form.resultBoxes.end(),
                               [&](const std::string& n) { return n == box.name() || box.hasKey(n); });
        };
        if (named(c)) return true;
        for (const Control* f : framesAround(form, c))
            if (named(*f)) return true;
        return false;
    }
    if (c.locked) return true;
    for (const Control* f : framesAround(form, c))
        if (isResultsCaption(f->caption)) return true;
    return false;
}

bool isInputControl(const Form& form, const Control& c) {
    switch (c.kind()) {
        case ControlKind::TextBox:
            return !c.multiline && !c.locked && !isResultBox(form, c);
        case ControlKind::ComboBox:
            return true;
        case ControlKind::ListBox:
            return isChoiceList(form, c);
        case ControlKind::CheckBox:
            return true;
        case ControlKind::Label:
        case ControlKind::Slider:
        case ControlKind::Button:
        case ControlKind::Frame:
        case ControlKind::Menu:
        case ControlKind::Picture:
        case ControlKind::Canvas:
        case ControlKind::Chart:
        case ControlKind::Table:
        case ControlKind::Progress:
        case ControlKind::Timer:
            return false;
    }
    return false;  // a value outside the enumeration
}

bool isCalculationWindow(const Form& form) {
    bool input = false, result = false;
    for (const auto& c : form.controls()) {
        if (!isShown(form, *c)) continue;
        if (isResultBox(form, *c))
            result = true;
        else if (isInputControl(form, *c) && (c->kind() == ControlKind::TextBox || c->kind() == ControlKind::ComboBox))
            input = true;
    }
    return input && result;
}

bool showsResults(const Form& form) {
    for (const auto& c : form.controls()) {
        if (!isResultBox(form, *c) || !isShown(form, *c)) continue;
        const std::string v = trim(c->text());
        if (!v.empty() && v != ".") return true;
    }
    return false;
}

std::string methodFromHelp(const std::string& record) {
    std::vector<std::string> kept;
    bool first = true;
    for (const std::string& line : noticeLines(record)) {
        const std::string t = trim(line);
        if (first && isTitleLine(t)) {
            first = false;
            continue;
        }
        first = false;
        std::string paragraph;
        for (const std::string& sentence : sentencesOf(t)) {
            if (speaksOfHandling(sentence)) continue;
            if (!paragraph.empty()) paragraph += ' ';
            paragraph += trim(sentence);
        }
        // A heading left alone ("Menus de calcul :") is dropped with what it announced.
        if (!paragraph.empty() && paragraph.back() != ':') kept.push_back(paragraph);
    }
    std::string out;
    for (const auto& p : kept) out += (out.empty() ? "" : "\n") + p;
    return out;
}

std::string readableValue(const std::string& shown) {
    std::string t = trim(shown);
    // A number written with "." (an optional sign, digits, one point, digits), nothing else.
    std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
    const std::size_t digitsFrom = i;
    bool point = false, digit = false;
    for (; i < t.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(t[i])))
            digit = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            return t;
    }
    if (!point) return t;
    if (!digit) return t.size() == digitsFrom + 1 ? "0" : t;  // "." is how a mask shows 0
    std::string out = t;
    // Trailing zeros of the decimals, then a point left alone.
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    if (out.size() == digitsFrom) out += '0';                    // "0." or "." alone
    if (out[digitsFrom] == '.') out.insert(digitsFrom, 1, '0');  // ".85"
    if (out == "-0") out = "0";
    return out;
}

std::string captionUnit(const std::string& caption) {
    static constexpr const char* Units[] = {
        "m",     "mm",    "cm",     "km",    "m/s",  "mm/m",   "m/m",    "l/s",  "m3/s",   "m³/s",  "m3",    "m³",
        "m2",    "m²",    "cm2",    "cm²",   "mm2",  "mm²",    "kW",     "W",    "MW",     "CV",    "kWh",   "MWh",
        "GWh",   "t/min", "tr/min", "rad/s", "%",    "N",      "kN",     "m.N",  "m·N",    "Nm",    "kg",    "t",
        "s",     "h",     "€",      "k€",    "€/an", "€/kWh",  "c€/kWh", "°",    "degrés", "kg/m3", "kW/m2", "j",
        "jours", "ans",   "mois",   "l",     "m/s2", "kWh/an", "MWh/an", "h/an", "km²",    "km2"};
    std::string t = trim(caption);
    // "(unit)" at the end.
    if (!t.empty() && t.back() == ')') {
        const auto open = t.rfind('(');
        if (open != std::string::npos) {
            std::string inside = trim(t.substr(open + 1, t.size() - open - 2));
            for (const char* u : Units)
                if (inside == u) return inside;
            return {};
        }
    }
    // The last word, a final point dropped ("Diamètre roue entrée m.").
    while (!t.empty() && (t.back() == '.' || t.back() == ':' || t.back() == ' ')) t.pop_back();
    const auto blank = t.find_last_of(' ');
    if (blank == std::string::npos) return {};
    std::string last = t.substr(blank + 1);
    // "Rendement à 10 %": a number before it makes the sign part of the caption, not a unit.
    const std::string before = trim(t.substr(0, blank));
    const auto previous = before.find_last_of(' ');
    const std::string word = previous == std::string::npos ? before : before.substr(previous + 1);
    if (!word.empty() && std::isdigit(static_cast<unsigned char>(word.back()))) return {};
    for (const char* u : Units)
        if (last == u) return last;
    return {};
}

namespace {

// The first row of the sections whose caption starts with one of `starts` (letter case
// aside), written "value unit" with the section that gives it.
std::optional<std::string> firstRow(const std::vector<WindowReport>& windows, bool results,
                                    std::initializer_list<const char*> starts) {
    for (const char* start : starts)
        for (const auto& w : windows) {
            if (results && !w.calculated) continue;
            for (const auto& g : results ? w.results : w.inputs)
                for (const auto& r : g.rows)
                    if (lowerAscii(r.caption).rfind(lowerAscii(start), 0) == 0 && !r.value.empty())
                        return r.value + (r.unit.empty() ? "" : " " + r.unit) + " (" + w.section + ")";
        }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> siteLines(const SharedValues& shared, const std::vector<WindowReport>& windows) {
    std::vector<std::string> out;
    // The site as the sections give it, the one that computes the gross power first; else
    // as the program-wide values hold it.
    const auto gross = firstRow(windows, true, {"Puissance maximale brute"});
    std::vector<WindowReport> ordered = windows;
    std::stable_partition(ordered.begin(), ordered.end(), [](const WindowReport& w) {
        return firstRow({w}, true, {"Puissance maximale brute"}).has_value();
    });
    const auto head = firstRow(ordered, false, {"Hauteur de chute", "Hauteur (m)", "Chute"});
    const auto flow = firstRow(ordered, false, {"Débit d'équipement", "Débit"});
    const float h = shared.headM();
    const float q = shared.flowM3s();
    const bool sharedHead = std::isfinite(h) && h > 0, sharedFlow = std::isfinite(q) && q > 0;
    if (head)
        out.push_back("Hauteur de chute : " + *head);
    else if (sharedHead)
        out.push_back("Hauteur de chute : " + formatGeneral(h) + " m");
    if (flow)
        out.push_back("Débit : " + *flow);
    else if (sharedFlow)
        out.push_back("Débit : " + formatGeneral(q) + " m3/s");
    if (gross)
        out.push_back("Puissance maximale brute : " + *gross);
    else if (!head && !flow && sharedHead && sharedFlow)
        out.push_back("Puissance maximale brute (9,81 × Q × H) : " + formatMask(9.81f * q * h, "0.0") + " kW");
    return out;
}

std::string dossierSummary(const std::vector<WindowReport>& windows) {
    const std::size_t n = windows.size();
    std::string out = "Dossier : " + std::to_string(n) + (n > 1 ? " fenêtres" : " fenêtre");
    for (std::size_t i = 0; i < n; ++i) out += (i == 0 ? " — " : ", ") + windows[i].section;
    return out;
}

std::string sectionName(const Form& form) {
    for (const auto& d : form.session().catalog().studies()) {
        if (d.window != form.name()) continue;
        const auto dash = d.caption.find(" — ");
        return dash == std::string::npos ? d.caption : d.caption.substr(0, dash);
    }
    return trim(form.caption);
}

WindowReport buildWindowReport(Form& form) {
    WindowReport r;
    r.window = form.name();
    r.title = trim(form.caption);
    r.section = sectionName(form);
    const std::string help = form.helpRecord > 0 ? form.session().helpText(form.helpRecord) : std::string();
    r.method = form.reportMethod();
    for (const auto& cp : form.controls()) {
        const Control& c = *cp;
        if (!isShown(form, c)) continue;
        const bool written = std::find(form.calculationWritten.begin(), form.calculationWritten.end(), c.key()) !=
                             form.calculationWritten.end();
        if (isResultBox(form, c) || (isTextBox(c) && !c.multiline && written)) {
            std::string caption = captionOf(form, c);
            std::string unit = captionUnit(caption);
            addRow(r.results, groupTitle(form, c), {std::move(caption), readableValue(c.text()), std::move(unit)});
        } else if (isInputControl(form, c)) {
            std::string value;
            if (c.kind() == ControlKind::CheckBox)
                value = c.value() ? "oui" : "non";
            else if (c.kind() == ControlKind::ListBox && c.listIndex() < 0)
                continue;  // nothing chosen
            else
                value = c.kind() == ControlKind::TextBox ? readableValue(c.text()) : trim(c.text());
            std::string caption = captionOf(form, c);
            std::string unit = c.kind() == ControlKind::TextBox ? captionUnit(caption) : std::string();
            addRow(r.inputs, groupTitle(form, c), {std::move(caption), std::move(value), std::move(unit)});
        } else if (c.kind() == ControlKind::ListBox && !c.items.empty()) {
            ReportGroup list{captionOf(form, c), {}};
            for (const auto& item : c.items)
                if (!trim(item).empty()) list.rows.push_back({trimRight(item), ""});
            if (!list.rows.empty()) r.observations.push_back(std::move(list));
        } else if (isTextBox(c) && c.multiline && !trim(c.text()).empty() && trimRight(c.text()) != help &&
                   trimRight(c.text()) != r.method) {
            // A help box showing the method is the method, not a notice.
            ReportGroup notice{groupTitle(form, c), {}};
            for (auto& line : printedNotice(noticeLines(c.text()))) notice.rows.push_back({std::move(line), ""});
            r.observations.push_back(std::move(notice));
        } else if (c.kind() == ControlKind::Chart) {
            // A chart without any point shows nothing worth printing.
            const auto& series = c.chart.series();
            if (std::none_of(series.begin(), series.end(), [](const ChartSeries& s) { return !s.points.empty(); }))
                continue;
            ReportFigure fig;
            fig.kind = ReportFigure::Kind::Chart;
            fig.caption = groupTitle(form, c);
            fig.chart = c.chart;
            fig.widthTw = c.widthTw;
            fig.heightTw = c.heightTw;
            r.figures.push_back(std::move(fig));
        } else if ((c.kind() == ControlKind::Canvas || c.kind() == ControlKind::Picture)) {
            if (!c.drawing.ops().empty()) {
                ReportFigure fig;
                fig.caption = groupTitle(form, c);
                fig.drawing = c.drawing;
                fig.widthTw = c.widthTw;
                fig.heightTw = c.heightTw;
                r.figures.push_back(std::move(fig));
            } else if (!c.picture.empty()) {
                ReportFigure fig;
                fig.kind = ReportFigure::Kind::Picture;
                fig.caption = groupTitle(form, c);
                fig.picture = c.picture;
                fig.widthTw = c.widthTw;
                fig.heightTw = c.heightTw;
                if (auto path = findFile(form.session().appFolder(), c.picture)) {
                    const std::u8string u = path->u8string();
                    fig.picturePath.assign(u.begin(), u.end());
                }
                r.figures.push_back(std::move(fig));
            }
        }
    }
    for (const Chart& chart : form.reportCharts()) {
        ReportFigure fig;
        fig.kind = ReportFigure::Kind::Chart;
        fig.caption = chart.title;
        fig.chart = chart;
        r.figures.push_back(std::move(fig));
    }
    r.calculated = showsResults(form);
    if (r.calculated) {
        r.messages = form.calculationMessages;
        // The warnings the calculation wrote on the window, as they are shown now.
        for (const auto& key : form.calculationLabels) {
            const Control* l = form.findKey(key);
            if (!l || !isShown(form, *l) || trim(l->caption).empty()) continue;
            std::string text;
            for (const auto& line : noticeLines(l->caption)) text += (text.empty() ? "" : " ") + trim(line);
            if (std::find(r.messages.begin(), r.messages.end(), text) == r.messages.end()) r.messages.push_back(text);
        }
    }
    return r;
}

const char* figuresTitle(const WindowReport& window) {
    for (const auto& f : window.figures)
        if (f.kind == ReportFigure::Kind::Chart) return ReportFiguresChartsTitle;
    return ReportFiguresTitle;
}

CalculationWatch::CalculationWatch(Form& form, bool active, bool notes)
    : form_(&form), active_(active && form.session().recordsCalculations) {
    if (!active_) return;
    form.session().eventWindow = form.name();
    messagesBefore_ = form.session().messageCount();
    before_.reserve(form.controls().size());
    for (const auto& c : form.controls()) {
        if (isTextBox(*c))
            before_.push_back(c->text());
        else if (c->kind() == ControlKind::Label)
            labelsBefore_.push_back((c->visible ? "1" : "0") + c->caption);
    }
    // The window the person works in is the one the dossier's "Ajouter" takes, except
    // for the entries that make the dossier themselves.
    if (notes && form.isLoaded() && isCalculationWindow(form)) form.session().noteCalculationWindow(form);
}

CalculationWatch::~CalculationWatch() {
    if (!active_) return;
    try {
        Form& form = *form_;
        form.session().eventWindow.clear();
        std::size_t i = 0, l = 0;
        bool calculated = false;
        std::vector<std::string> written;  // other boxes whose text the event changed
        std::vector<std::string> labels;   // labels the event showed or wrote
        for (const auto& c : form.controls()) {
            if (c->kind() == ControlKind::Label) {
                const bool changed =
                    l >= labelsBefore_.size() || labelsBefore_[l] != (c->visible ? "1" : "0") + c->caption;
                ++l;
                const bool kept = std::find(form.calculationLabels.begin(), form.calculationLabels.end(), c->key()) !=
                                  form.calculationLabels.end();
                if ((changed || kept) && c->visible && !trim(c->caption).empty()) labels.push_back(c->key());
                continue;
            }
            if (!isTextBox(*c)) continue;
            const bool changed = i >= before_.size() || before_[i] != c->text();
            ++i;
            if (!changed) continue;
            if (isResultBox(form, *c))
                calculated = true;
            else
                written.push_back(c->key());
        }
        auto& kept = form.calculationWritten;
        if (calculated && !showsResults(form)) {
            // The results were emptied (new data, a design opened): no calculation is shown.
            kept.clear();
            form.calculationMessages.clear();
            form.calculationLabels.clear();
            return;
        }
        if (!calculated) {
            // A box typed into since the calculation holds the person's value again.
            kept.erase(std::remove_if(kept.begin(), kept.end(),
                                      [&](const std::string& k) {
                                          return std::find(written.begin(), written.end(), k) != written.end();
                                      }),
                       kept.end());
            return;
        }
        kept = std::move(written);
        form.calculationLabels = std::move(labels);
        form.calculationMessages = form.session().messagesSince(messagesBefore_);
        if (form.isLoaded() && isCalculationWindow(form)) form.session().noteCalculationWindow(form);
    } catch (...) {
        // Keeping the record must never turn an event into a failure.
    }
}

std::string reportDate() { return todayText(); }

namespace {

void textRows(std::ostringstream& o, const std::vector<ReportGroup>& groups) {
    for (const auto& g : groups) {
        if (!g.title.empty()) o << "  [" << g.title << "]\n";
        for (const auto& row : g.rows) {
            o << "  " << row.caption;
            if (!row.value.empty()) o << " : " << row.value;
            if (!row.value.empty() && !row.unit.empty()) o << " " << row.unit;
            o << "\n";
        }
    }
}

}  // namespace

std::string reportText(const Report& report) {
    std::ostringstream o;
    o << report.program << "\n";
    if (!report.study.empty()) o << "Étude : " << report.study << "\n";
    o << "Date : " << report.date << "\n";
    for (const auto& line : report.site) o << line << "\n";
    if (!report.windows.empty()) o << dossierSummary(report.windows) << "\n";
    for (const auto& w : report.windows) {
        o << "\n=== " << w.section << (w.section != w.title ? " — " + w.title : std::string()) << " (" << w.window
          << ")\n";
        if (!w.inputs.empty()) {
            o << "\n" << ReportInputsTitle << "\n";
            textRows(o, w.inputs);
        }
        o << "\n" << ReportResultsTitle << "\n";
        if (!w.calculated)
            o << "  " << NoCalculationText << "\n";
        else
            textRows(o, w.results);
        if (!w.messages.empty() || !w.observations.empty()) {
            o << "\n" << ReportObservationsTitle << "\n";
            for (const auto& m : w.messages)
                for (const auto& line : noticeLines(m)) o << "  " << trim(line) << "\n";
            textRows(o, w.observations);
        }
        if (!w.figures.empty()) {
            o << "\n" << figuresTitle(w) << "\n";
            for (const auto& f : w.figures) {
                o << "  ";
                if (!f.caption.empty()) o << f.caption << " : ";
                if (f.kind == ReportFigure::Kind::Drawing)
                    o << "dessin de " << f.drawing.ops().size() << " éléments\n";
                else if (f.kind == ReportFigure::Kind::Chart)
                    o << chartListing(f.chart, "    ");
                else
                    o << "image " << f.picture << (f.picturePath.empty() ? " (fichier absent)" : "") << "\n";
            }
        }
        if (!trim(w.method).empty()) {
            o << "\n" << ReportMethodTitle << "\n";
            for (const auto& line : noticeLines(w.method)) o << "  " << line << "\n";
        }
    }
    return o.str();
}

}  // namespace aub
