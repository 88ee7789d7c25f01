#include "study/Study.h"
#include "core/NumberConvert.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <system_error>
#include <utility>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/Csv.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Script.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "study/PrivateCopy.h"

namespace aub {

namespace fs = std::filesystem;

namespace {

constexpr int MinPoints = 2;
constexpr int MaxPoints = 10000;
constexpr std::size_t MaxSecondValues = 6;
constexpr std::size_t MaxFollowed = 6;

std::string quoted(const std::string& s) { return "« " + s + " »"; }

// A shown text that is no number a person could read: "nan", "inf", "-inf", "1.#INF" ...
bool notFinite(std::string_view text) {
    std::string s = toUpperAscii(trim(text));
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.erase(0, 1);
    return s.rfind("NAN", 0) == 0 || s.rfind("INF", 0) == 0 || s.find("#INF") != std::string::npos ||
           s.find("#IND") != std::string::npos || s.find("#NAN") != std::string::npos ||
           s.find("#QNAN") != std::string::npos;
}

std::string withoutLineEnds(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') continue;
        if (c == '\n' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out += c;
    }
    return trimRight(out);
}

// "a","b" (without the brackets).
std::string jsonList(const std::vector<std::string>& texts) {
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i) out += ',';
        out += jsonString(texts[i]);
    }
    return out;
}

// A cell of the sheet: on one line, quoted as every CSV field the program writes.
std::string csvCell(std::string_view s) { return csvField(withoutLineEnds(s)); }

// The windows speak to nobody during a study: messages are only noted by the session's
// journal; a question is answered "Non" (nothing is saved, printed or thrown away) and an
// input box is cancelled, so no point can wait for an answer.
class QuietDialogs : public Dialogs {
public:
    using Dialogs::message;
    void message(const std::string&, const std::string&) override {}
    bool question(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

// No printer, no clipboard of the system, nothing opened; the scratch folder for
// temporary files.
class QuietPlatform : public Platform {
public:
    QuietPlatform(char separator, std::string temp) : separator_(separator), temp_(std::move(temp)) {}
    void printForm(Form&) override { throw CalcError(482, "Erreur d'imprimante"); }
    void printerSetup() override {}
    void printText(float, float, const std::string&) override {}
    void endPrintDocument() override {}
    void clearClipboard() override { clipboard_.clear(); }
    void setClipboard(const std::string& text) override { clipboard_ = text; }
    std::string clipboard() const override { return clipboard_; }
    void openWebPage(const std::string&) override {}
    void openTextEditor() override {}
    void openTextFile(const std::string&) override {}
    void showHelp(const std::string&, int) override {}
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void setBusy(bool) override {}
    void processEvents() override {}
    char decimalSeparator() const override { return separator_; }
    std::string tempFolder() const override { return temp_; }

private:
    char separator_;
    std::string temp_;
    std::string clipboard_;
};

}  // namespace

std::optional<double> typedNumber(std::string_view text) {
    std::string s = trim(text);
    for (char& c : s)
        if (c == ',') c = '.';
    if (s.empty()) return std::nullopt;
    const char* first = s.data();
    if (*first == '+') ++first;
    double v = 0;
    auto [end, ec] = readFloating(first, s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

namespace {

// Blanks at both ends removed, a run of blanks inside read as one.
std::string singleSpaced(std::string_view s) {
    std::string out;
    for (char c : trim(s))
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

}  // namespace

const StudyBox* findStudyBox(const std::vector<StudyBox>& boxes, std::string_view name) {
    const std::string wanted = trim(name);
    if (wanted.empty()) return nullptr;
    for (const auto& b : boxes)
        if (equalsNoCase(b.key, wanted)) return &b;
    for (const auto& b : boxes)
        if (trim(b.caption) == wanted) return &b;
    for (const auto& b : boxes)
        if (equalsNoCase(singleSpaced(b.caption), singleSpaced(wanted))) return &b;
    return nullptr;
}

std::string studyInputText(const Control& c) {
    if (c.kind() == ControlKind::Slider || c.kind() == ControlKind::CheckBox) return std::to_string(c.value());
    return c.text();
}

namespace {

// Puts a value into an input as the person would: a box gets the text, a list or combo
// the entry of that text, a check box 1 or 0, a slider the nearest whole position.
void setInput(Control& c, const std::string& text) {
    switch (c.kind()) {
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
            for (std::size_t i = 0; i < c.items.size(); ++i)
                if (trim(c.items[i]) == trim(text)) {
                    if (c.listIndex() != static_cast<int>(i)) c.setListIndex(static_cast<int>(i));
                    return;
                }
            if (c.kind() == ControlKind::ComboBox) c.setText(text);
            return;
        case ControlKind::CheckBox:
            c.setValue(trim(text) == "1" ? 1 : 0);
            return;
        case ControlKind::Slider: {
            const double v = typedNumber(text).value_or(c.value());
            c.setValue(static_cast<int>(std::lround(std::clamp(v, double(c.min), double(c.max)))));
            return;
        }
        case ControlKind::Button:
        case ControlKind::Canvas:
        case ControlKind::Chart:
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::Menu:
        case ControlKind::Picture:
        case ControlKind::Progress:
        case ControlKind::Table:
        case ControlKind::TextBox:
        case ControlKind::Timer:
            c.setText(text);
    }
}

}  // namespace

// The private session: its own shared values, dialogs, platform and program folder, the
// calculation window loaded and prepared once, then every point run on it.
class Study::Runner {
public:
    Runner(const WindowCatalog& catalog, const StudyDeclaration& declaration, char separator)
        : catalog_(catalog), declaration_(declaration), separator_(separator) {}

    // Builds the session on a copy of `programFolder` and brings the window to its
    // starting point. Returns the French message when it cannot.
    std::string prepare(const fs::path& programFolder, const StudyRequest& request,
                        const std::vector<std::pair<std::string, std::string>>& startKeys,
                        const std::string& parameterKey, const std::string& secondKey,
                        const std::vector<std::string>& followedKeys) {
        if (!copied_) {
            std::string failed = copy_.make(programFolder);
            if (!failed.empty()) return failed;
            copied_ = true;
        }
        if (copy_.path().empty()) return "Etude impossible : pas de dossier temporaire";
        form_ = nullptr;
        session_.reset();
        platform_ = std::make_unique<QuietPlatform>(separator_, copy_.path().string());
        session_ = std::make_unique<Session>(catalog_, dialogs_, *platform_, copy_.path());
        // The main window's first-start installation of the data folders is no calculation:
        // the copy, dropped at the end, does without it (no folder made, no sample written).
        session_->dataFoldersChecked = true;
        // No dossier is made of the private windows: their events note nothing for one.
        session_->recordsCalculations = false;
        const std::string window = catalog_.canonical(declaration_.window);
        try {
            ScriptOutcome outcome = runScript(*session_, window, declaration_.setup);
            if (outcome.status != 0) return "Calcul " + quoted(declaration_.caption) + " : " + outcome.error;
            form_ = session_->loaded(window);
            if (!form_ || session_->ended()) return "Calcul " + quoted(declaration_.caption) + " : fenêtre fermée";
            if (!request.startFile.empty()) {
                std::string unreadable = "Fichier de départ illisible : " + request.startFile;
                Control* list = form_->findKey(declaration_.filesList);
                if (!list) return unreadable;
                const std::size_t count = session_->messageCount();
                outcome = runStep(*session_, window, declaration_.filesList + "=" + request.startFile);
                if (outcome.status != 0 || session_->loaded(window) != form_) return unreadable;
                const auto said = session_->messagesSince(count);
                if (!said.empty()) return unreadable + " (" + withoutLineEnds(said.front()) + ")";
            }
            if (request.startState) request.startState(*form_);
            startState_ = request.startState;
            for (const auto& [key, text] : startKeys) {
                Control* c = form_->findKey(key);
                if (!c) return "Calcul " + quoted(declaration_.caption) + " : pas de case " + key;
                setInput(*c, text);
            }
            if (session_->loaded(window) != form_)
                return "Calcul " + quoted(declaration_.caption) + " : fenêtre fermée";
        } catch (const std::exception& e) {
            return "Calcul " + quoted(declaration_.caption) + " : " + e.what();
        }
        start_.clear();
        for (const auto& box : declaration_.inputs) {
            Control* c = form_->findKey(box.key);
            if (!c) return "Calcul " + quoted(declaration_.caption) + " : pas de case " + box.key;
            start_.emplace_back(c, studyInputText(*c));
        }
        parameter_ = form_->findKey(parameterKey);
        second_ = secondKey.empty() ? nullptr : form_->findKey(secondKey);
        followed_.clear();
        for (const auto& key : followedKeys) {
            Control* c = form_->findKey(key);
            if (!c) return "Calcul " + quoted(declaration_.caption) + " : pas de case " + key;
            followed_.emplace_back(c, c->text());
        }
        if (!parameter_ || (!secondKey.empty() && !second_))
            return "Calcul " + quoted(declaration_.caption) + " : pas de case " + parameterKey;
        startShared_ = session_->shared();
        window_ = window;
        prepared_.clear();
        if (declaration_.stateInControls) {
            prepared_.reserve(form_->controls().size());
            for (const auto& c : form_->controls()) prepared_.push_back(*c);
        }
        return {};
    }

    const std::string& parameterStartText() const {
        for (const auto& [c, text] : start_)
            if (c == parameter_) return text;
        static const std::string none;
        return none;
    }

    bool alive() const { return form_ && session_ && !session_->ended() && session_->loaded(window_) == form_; }

    // After a point that stopped on a message: true when putting the controls back as
    // they were prepared undoes what it left (the window keeps nothing else).
    bool reset() {
        if (prepared_.empty() || !alive() || prepared_.size() != form_->controls().size()) return false;
        for (std::size_t i = 0; i < prepared_.size(); ++i) form_->controls()[i]->restore(prepared_[i]);
        return true;
    }

    // One point: the starting values, the second parameter, the swept value, the
    // calculating step, then the followed boxes as shown.
    void run(StudyRow& row, const std::string& valueText, const std::string& secondText) {
        Session& session = *session_;
        session.shared() = startShared_;
        const std::size_t count = session.messageCount();
        std::string failure;
        try {
            // The window's own state as the person left it (an edited curve stays edited).
            if (startState_) startState_(*form_);
            for (auto& [c, text] : start_)
                if (c != parameter_ && c != second_ && studyInputText(*c) != text) setInput(*c, text);
            for (auto& [c, text] : followed_)
                if (c->text() != text) c->setText(text);
            if (second_) setInput(*second_, secondText);
            setInput(*parameter_, valueText);
            if (alive()) {
                ScriptOutcome outcome = runStep(session, window_, declaration_.action);
                if (outcome.status != 0) failure = outcome.error;
            }
        } catch (const std::exception& e) {
            failure = e.what();
        }
        const auto said = session.messagesSince(count);
        row.message = !said.empty() ? said.front() : failure;
        if (!alive()) {
            if (row.message.empty()) row.message = "La fenêtre du calcul s'est fermée";
            row.results.assign(followed_.size(), "");
            return;
        }
        row.results.clear();
        bool broken = !failure.empty();
        for (auto& [c, text] : followed_) {
            row.results.push_back(trim(c->text()));
            if (notFinite(row.results.back())) broken = true;
        }
        if (broken) {
            row.results.assign(followed_.size(), "");
            if (row.message.empty()) row.message = errorDescription(ErrOverflow);
        }
    }

    // The run is over: the private session and its copy go at once, the table stays.
    void release() {
        form_ = nullptr;
        parameter_ = second_ = nullptr;
        start_.clear();
        followed_.clear();
        prepared_.clear();
        session_.reset();
        platform_.reset();
        copy_.remove();
    }

private:
    const WindowCatalog& catalog_;
    const StudyDeclaration& declaration_;
    char separator_;
    PrivateCopy copy_;
    bool copied_ = false;
    QuietDialogs dialogs_;
    std::unique_ptr<QuietPlatform> platform_;
    std::unique_ptr<Session> session_;
    Form* form_ = nullptr;
    std::string window_;
    std::vector<std::pair<Control*, std::string>> start_;
    std::vector<std::pair<Control*, std::string>> followed_;
    Control* parameter_ = nullptr;
    Control* second_ = nullptr;
    SharedValues startShared_;
    StudyState startState_;
    std::vector<Control> prepared_;  // the window's controls as prepared (stateInControls)
};

Study::Study(const WindowCatalog& catalog, const std::filesystem::path& programFolder, StudyRequest request)
    : request_(std::move(request)) {
    error_ = check(catalog, programFolder);
    if (!error_.empty()) runner_.reset();
}

Study::~Study() = default;

std::string Study::check(const WindowCatalog& catalog, const std::filesystem::path& programFolder) {
    const StudyRequest& r = request_;
    if (r.decimalSeparator != ',') request_.decimalSeparator = '.';
    for (const auto& d : catalog.studies())
        if (d.caption == r.calculation) declaration_ = &d;
    if (!declaration_) {
        // A window's name is enough when the window declares one calculation.
        const StudyDeclaration* only = nullptr;
        int count = 0;
        for (const auto& d : catalog.studies())
            if (equalsNoCase(d.window, r.calculation)) only = &d, ++count;
        if (count == 1) declaration_ = only;
    }
    if (!declaration_) return "Calcul inconnu : " + r.calculation;
    const StudyDeclaration& d = *declaration_;
    const std::string of = " n'est pas une donnée de " + quoted(d.caption);

    const StudyBox* parameter = findStudyBox(d.inputs, r.parameter);
    if (!parameter) return "Paramètre varié : " + quoted(r.parameter) + of;
    parameterKey_ = parameter->key;
    if (!std::isfinite(r.from) || !std::isfinite(r.to)) return "De et A : des nombres sont attendus";
    if (r.from == r.to) return "De et A : les deux bornes sont égales";
    if (r.points < MinPoints || r.points > MaxPoints) return "Nombre de points : entre 2 et 10 000";
    if (r.progression == Progression::Geometric && (r.from <= 0 || r.to <= 0))
        return "Progression géométrique : De et A doivent être plus grands que zéro";
    // Every point between the bounds must be a number: the span (linear) or the ratio
    // (geometric) of the bounds must itself be one.
    if (r.progression == Progression::Linear && !std::isfinite(r.to - r.from))
        return "De et A : l'écart entre les deux bornes est trop grand pour être parcouru";
    if (r.progression == Progression::Geometric) {
        const double ratio = r.to / r.from;
        if (!std::isfinite(ratio) || ratio == 0)
            return "Progression géométrique : le rapport de A à De est trop grand pour être parcouru";
    }

    if (!r.second.empty() || !r.secondValues.empty()) {
        const StudyBox* second = findStudyBox(d.inputs, r.second);
        if (!second) return "Second paramètre : " + quoted(r.second) + of;
        if (second->key == parameterKey_) return "Second paramètre : c'est déjà le paramètre varié";
        secondKey_ = second->key;
        if (r.secondValues.empty()) return "Second paramètre : aucune valeur";
        if (r.secondValues.size() > MaxSecondValues) return "Second paramètre : 6 valeurs au plus";
        for (const auto& v : r.secondValues) {
            auto number = typedNumber(v);
            if (!number) return "Second paramètre : " + quoted(trim(v)) + " n'est pas un nombre";
            secondTexts_.push_back(valueText(*number));
        }
    }

    if (r.followed.empty() || r.followed.size() > MaxFollowed) return "Résultats suivis : entre 1 et 6";
    for (const auto& f : r.followed) {
        const StudyBox* box = findStudyBox(d.results, f);
        if (!box) return "Résultat suivi : " + quoted(f) + " n'est pas un résultat de " + quoted(d.caption);
        followedKeys_.push_back(box->key);
    }

    std::vector<std::pair<std::string, std::string>> startKeys;
    for (const auto& [name, text] : r.startValues) {
        const StudyBox* box = findStudyBox(d.inputs, name);
        if (!box) return "Point de départ : " + quoted(name) + of;
        startKeys.emplace_back(box->key, text);
    }
    if (!r.startFile.empty()) {
        std::string unreadable = "Fichier de départ illisible : " + r.startFile;
        if (d.filesList.empty() || checkTypedName(r.startFile)) return unreadable;
        auto file = findFile(programFolder, r.startFile);
        std::error_code ec;
        if (!file || fs::is_symlink(*file, ec) || !fs::is_regular_file(*file, ec)) return unreadable;
    }

    runner_ = std::make_unique<Runner>(catalog, d, request_.decimalSeparator);
    std::string failed = runner_->prepare(programFolder, request_, startKeys, parameterKey_, secondKey_, followedKeys_);
    if (!failed.empty()) return failed;
    const std::string& startText = runner_->parameterStartText();
    if (!trim(startText).empty() && !typedNumber(startText))
        return "Paramètre varié : " + quoted(trim(parameter->caption)) + " contient un texte (" + trim(startText) +
               "), pas un nombre";
    return {};
}

std::size_t Study::total() const {
    if (!ok()) return 0;
    return static_cast<std::size_t>(request_.points) * std::max<std::size_t>(1, secondTexts_.size());
}

double Study::pointValue(std::size_t index) const {
    const std::size_t i = index % static_cast<std::size_t>(request_.points);
    const std::size_t last = static_cast<std::size_t>(request_.points) - 1;
    if (i == 0) return request_.from;
    if (i == last) return request_.to;
    const double t = static_cast<double>(i) / static_cast<double>(last);
    if (request_.progression == Progression::Geometric) return request_.from * std::pow(request_.to / request_.from, t);
    return request_.from + (request_.to - request_.from) * t;
}

bool Study::runSome(double budgetSeconds) {
    const auto start = std::chrono::steady_clock::now();
    return runWhile([&] {
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        return spent.count() < budgetSeconds;
    });
}

bool Study::runPoints(std::size_t count) {
    if (count == 0) return ok() && runner_ && !cancelled_ && rows_.size() < total();
    std::size_t ran = 0;
    return runWhile([&] { return ++ran < count; });
}

template <class More>
bool Study::runWhile(More goOn) {
    if (!ok() || !runner_) return false;
    const std::size_t n = total();
    while (!cancelled_ && rows_.size() < n) {
        if (PrivateCopy::interrupted()) {
            // SIGINT or SIGTERM: the copy goes, then the signal ends the program as usual.
            PrivateCopy::deliverInterruption();
            cancelled_ = true;
            break;
        }
        const std::size_t k = rows_.size();
        StudyRow row;
        row.value = pointValue(k);
        if (!secondTexts_.empty()) row.secondValue = secondTexts_[k / static_cast<std::size_t>(request_.points)];
        if (!runner_->alive() || (k > 0 && !rows_.back().message.empty() && !runner_->reset())) {
            // The window closed itself at the last point, or that point stopped on a message
            // and may have left the window's own state (its calculation base, what it
            // remembers) other than at the start, and the window keeps more than its
            // controls: a fresh private session goes on, so that every point is what the
            // window gives for it alone.
            std::vector<std::pair<std::string, std::string>> startKeys;
            for (const auto& [name, text] : request_.startValues)
                if (const StudyBox* box = findStudyBox(declaration_->inputs, name))
                    startKeys.emplace_back(box->key, text);
            row.message = runner_->prepare({}, request_, startKeys, parameterKey_, secondKey_, followedKeys_);
        }
        if (row.message.empty())
            runner_->run(row, valueText(row.value), row.secondValue);
        else
            row.results.assign(followedKeys_.size(), "");
        rows_.push_back(std::move(row));
        if (!goOn()) break;
    }
    const bool more = !cancelled_ && rows_.size() < n;
    if (!more) runner_->release();
    return more;
}

void Study::cancel() {
    cancelled_ = true;
    if (runner_) runner_->release();
}

std::string Study::valueText(double value) const { return formatGeneral(value, request_.decimalSeparator); }

std::vector<std::string> Study::columnCaptions() const {
    std::vector<std::string> out;
    if (!declaration_) return out;
    auto caption = [](const std::vector<StudyBox>& boxes, const std::string& key) {
        for (const auto& b : boxes)
            if (b.key == key) return trim(b.caption);
        return key;
    };
    if (parameterKey_.empty()) return out;
    out.push_back(caption(declaration_->inputs, parameterKey_));
    if (!secondKey_.empty()) out.push_back(caption(declaration_->inputs, secondKey_));
    for (const auto& key : followedKeys_) out.push_back(caption(declaration_->results, key));
    out.push_back("Message");
    return out;
}

// One separator in the table, the one the boxes show: "." for the swept values too.
std::vector<std::string> Study::cells(const StudyRow& row) const {
    std::vector<std::string> out{formatGeneral(row.value, '.')};
    if (!secondKey_.empty()) {
        std::string second = row.secondValue;
        if (typedNumber(second))
            for (char& c : second)
                if (c == ',') c = '.';
        out.push_back(std::move(second));
    }
    out.insert(out.end(), row.results.begin(), row.results.end());
    out.push_back(row.message);
    return out;
}

// For a spreadsheet: every cell that is a number gets the regional decimal separator,
// in every column; other texts (and the message) stay as shown.
std::vector<std::string> Study::sheetCells(const StudyRow& row) const {
    std::vector<std::string> out = cells(row);
    if (request_.decimalSeparator == ',')
        for (std::size_t i = 0; i + 1 < out.size(); ++i)
            if (typedNumber(out[i]))
                for (char& c : out[i])
                    if (c == '.') c = ',';
    return out;
}

std::string Study::sheet(const char* separator, std::string (*cell)(std::string_view)) const {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) out += separator;
            out += cell(cells[i]);
        }
        out += "\n";
    };
    line(columnCaptions());
    for (const auto& row : rows_) line(sheetCells(row));
    return out;
}

std::string Study::csv() const { return sheet(";", csvCell); }

std::string Study::csvFile() const {
    std::string out = "\xEF\xBB\xBF";
    for (char c : csv()) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string Study::tabSeparated() const { return sheet("\t", withoutLineEnds); }

std::string Study::json() const {
    std::string out = "{\"calculation\":" + jsonString(declaration_ ? declaration_->caption : request_.calculation);
    if (!ok()) return out + ",\"error\":" + jsonString(error_) + "}";
    out += ",\"columns\":[";
    const auto captions = columnCaptions();
    out += jsonList(captions);
    out += "],\"rows\":[";
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const StudyRow& row = rows_[r];
        out += (r ? ",{" : "{");
        out += "\"parameter\":" + formatGeneral(row.value, '.');
        if (!secondKey_.empty()) out += ",\"second\":" + jsonString(row.secondValue);
        out += ",\"results\":[";
        out += jsonList(row.results);
        out += "],\"message\":" + jsonString(row.message) + "}";
    }
    out += "],\"cancelled\":";
    out += cancelled_ ? "true" : "false";
    return out + "}";
}

std::vector<const StudyDeclaration*> studyCalculations(const WindowCatalog& catalog) {
    std::vector<const StudyDeclaration*> out;
    for (const auto& d : catalog.studies()) out.push_back(&d);
    return out;
}

}  // namespace aub
