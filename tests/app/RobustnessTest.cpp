// Drives every registered window, under both decimal settings, with random steps given
// to the same step runner as the command line: buttons and menu entries most often,
// often after every input box was filled with a plausible number so that the
// calculations really run, and random texts, list entries, ticks and slider moves in
// between. Checks that nothing escapes the windows' error trap, that every step names
// a control that exists, that every event answers within a second, that no box or
// message shows "nan" or "inf", and that saving leaves no partial file.
// AUBELYS_ROBUST_EVENTS sets the number of events per window and setting (default 60).
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "app/Windows.h"
#include "forms/Form.h"
#include "forms/RecordingPlatform.h"
#include "forms/Script.h"
#include "forms/ScriptedDialogs.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/TimeFactor.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

const std::vector<std::string>& texts() {
    static const std::vector<std::string> t = {"",
                                               "0",
                                               "1",
                                               "2",
                                               "-0",
                                               "-3",
                                               "2,5",
                                               "2.5",
                                               " 7 ",
                                               "1e40",
                                               "-1e-40",
                                               "1e-3",
                                               "100",
                                               "9999999",
                                               "0.001",
                                               "abc",
                                               "1,2.3",
                                               "é",
                                               "H",
                                               "..",
                                               "../x",
                                               "a/b",
                                               "\"",
                                               "oui",
                                               "non",
                                               "NON",
                                               "45",
                                               "89.9",
                                               "360",
                                               "0.8",
                                               "12",
                                               "65535",
                                               "255",
                                               "256",
                                               std::string(10000, '9'),
                                               std::string(300, 'x')};
    return t;
}

// Numbers a person would type into an engineering window: heads, flows, diameters,
// speeds, angles, percentages and coefficients, written with the regional separator.
std::string plausibleNumber(std::mt19937& rng, char separator) {
    static const char* const values[] = {"0.5", "1",   "2",    "3",    "5",   "10",  "0.1", "25",  "100", "1.5",
                                         "45",  "60",  "0.05", "750",  "0.8", "12",  "0.3", "4",   "20",  "0.014",
                                         "80",  "2.5", "30",   "0.02", "7",   "150", "0.7", "200", "16",  "0.25"};
    std::string v = values[rng() % std::size(values)];
    if (separator == ',')
        for (char& c : v)
            if (c == '.') c = ',';
    return v;
}

// Answers every question and input box at random, never runs dry.
class RandomDialogs : public ScriptedDialogs {
public:
    explicit RandomDialogs(std::mt19937& rng) : rng_(rng) {}
    bool question(const std::string& text, const std::string& title) override {
        answer(rng_() % 2 ? "oui" : "non");
        return ScriptedDialogs::question(text, title);
    }
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& def) override {
        const auto& t = texts();
        std::size_t pick = rng_() % (t.size() + 3);
        answer(pick < t.size() ? t[pick] : pick == t.size() ? def : "Essai" + std::to_string(rng_() % 3));
        return ScriptedDialogs::input(prompt, title, def);
    }

private:
    std::mt19937& rng_;
};

// "nan", "inf" or "infinity" standing as a word: French words such as "inférieur" or
// "financement" are letters around the same three characters.
bool showsNanOrInf(const std::string& s) {
    auto letter = [](unsigned char c) { return std::isalpha(c) || c >= 0x80; };
    std::string lower;
    for (unsigned char c : s) lower += static_cast<char>(std::tolower(c));
    for (const std::string word : {"nan", "inf", "infinity"}) {
        for (std::size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
            std::size_t end = at + word.size();
            bool before = at > 0 && letter(static_cast<unsigned char>(lower[at - 1]));
            bool after = end < lower.size() && letter(static_cast<unsigned char>(lower[end]));
            if (!before && !after) return true;
        }
    }
    return false;
}

TEST(Robustness, NanAndInfAreFoundOnlyAsWords) {
    EXPECT_TRUE(showsNanOrInf("-nan"));
    EXPECT_TRUE(showsNanOrInf("V = inf m/s"));
    EXPECT_TRUE(showsNanOrInf("1.#INF"));
    EXPECT_FALSE(showsNanOrInf("valeur inférieure au financement"));
    EXPECT_FALSE(showsNanOrInf("Infos"));
}

void checkScreen(Session& session, const ScriptedDialogs& dialogs, std::size_t seenDialogs,
                 const std::string& context) {
    for (Form* f : session.forms()) {
        for (const auto& c : f->controls()) {
            std::string shown = c->text() + "\n" + c->caption;
            for (const auto& it : c->items) shown += "\n" + it;
            if (c->text().size() < 20000) {
                EXPECT_FALSE(showsNanOrInf(shown))
                    << context << " " << f->name() << "." << c->key() << " shows: " << shown.substr(0, 200);
            }
        }
    }
    const auto& shown = dialogs.shown();
    for (std::size_t i = seenDialogs; i < shown.size(); ++i) {
        if (shown[i].kind == "message") {
            EXPECT_FALSE(showsNanOrInf(shown[i].text)) << context << " message: " << shown[i].text;
        }
    }
}

// What one random event does: the steps it gives to the step runner, on one window.
struct Event {
    std::string window;
    std::vector<std::string> steps;
    bool closeBox = false;
    bool filled = false;  // every box filled before the button or menu entry
};

bool usable(Form& f, const Control& c) {
    if (!c.visible || !c.enabled) return false;
    // A control inside a hidden frame is not on screen.
    const Control* at = &c;
    for (int depth = 0; at && !at->place.frame.empty() && depth < 32; ++depth) {
        at = f.findKey(at->place.frame);
        if (at && !at->visible) return false;
    }
    return true;
}

bool isLeafMenu(Form& f, const Control& c) { return c.kind() == ControlKind::Menu && f.menuChildren(c.name()).empty(); }

// Ends the program only now and then, so the windows get time to be used.
bool endsTheProgram(const Control& c) {
    for (const char* word : {"Quitter", "Fin", "Fermer", "Quitte"})
        if (c.caption.find(word) != std::string::npos) return true;
    return false;
}

Event pickEvent(Session& session, std::mt19937& rng, char separator) {
    std::vector<Form*> forms = session.forms();
    Form& f = *forms[rng() % forms.size()];
    Event e{f.name(), {}, false, false};
    if (rng() % 50 == 0) {
        e.steps.push_back("Form");
        return e;
    }
    if (rng() % 80 == 0 && f.name() != "Formmain") {
        e.closeBox = true;
        return e;
    }
    std::vector<Control*> actions, boxes, lists, others;
    for (const auto& cp : f.controls()) {
        Control& c = *cp;
        if (!usable(f, c)) continue;
        switch (c.kind()) {
            case ControlKind::Button:
                actions.push_back(&c);
                break;
            case ControlKind::Menu:
                if (isLeafMenu(f, c) && (!endsTheProgram(c) || rng() % 8 == 0)) actions.push_back(&c);
                break;
            case ControlKind::TextBox:
                if (!c.locked) boxes.push_back(&c);
                break;
            case ControlKind::ListBox:
            case ControlKind::ComboBox:
                if (!c.items.empty()) lists.push_back(&c);
                break;
            case ControlKind::CheckBox:
            case ControlKind::Slider:
            case ControlKind::Label:
            case ControlKind::Picture:
            case ControlKind::Canvas:
                others.push_back(&c);
                break;
            case ControlKind::Frame:
            case ControlKind::Chart:
            case ControlKind::Table:
            case ControlKind::Progress:
            case ControlKind::Timer:
                break;
        }
    }
    const unsigned roll = rng() % 100;
    // Fill every box with a plausible number, then press a button or a menu entry.
    if (roll < 35 && !actions.empty()) {
        for (Control* b : boxes) e.steps.push_back(b->key() + "=" + plausibleNumber(rng, separator));
        if (!lists.empty() && rng() % 2) {
            Control* l = lists[rng() % lists.size()];
            e.steps.push_back(l->key() + "=" + l->items[rng() % l->items.size()]);
        }
        e.steps.push_back(actions[rng() % actions.size()]->key());
        e.filled = true;
        return e;
    }
    if (roll < 65 && !actions.empty()) {
        e.steps.push_back(actions[rng() % actions.size()]->key());
        return e;
    }
    if (roll < 80 && !boxes.empty()) {
        Control* b = boxes[rng() % boxes.size()];
        const auto& t = texts();
        e.steps.push_back(b->key() + "=" + (rng() % 2 ? plausibleNumber(rng, separator) : t[rng() % t.size()]));
        if (rng() % 4 == 0) e.steps.push_back(b->key());  // a click in the box
        return e;
    }
    if (roll < 90 && !lists.empty()) {
        Control* l = lists[rng() % lists.size()];
        if (l->kind() == ControlKind::ComboBox && rng() % 4 == 0)
            e.steps.push_back(l->key() + "=" + plausibleNumber(rng, separator));
        else
            e.steps.push_back(l->key() + "=" + l->items[rng() % l->items.size()]);
        return e;
    }
    if (!others.empty()) {
        Control* c = others[rng() % others.size()];
        if (c->kind() == ControlKind::CheckBox)
            e.steps.push_back(c->key() + "=" + (c->value() ? "0" : "1"));
        else if (c->kind() == ControlKind::Slider)
            e.steps.push_back(c->key() + "=" +
                              std::to_string(c->min + static_cast<int>(rng() % static_cast<unsigned>(
                                                                                   std::abs(c->max - c->min) + 1))));
        else
            e.steps.push_back(c->key());
        return e;
    }
    if (!actions.empty()) e.steps.push_back(actions[rng() % actions.size()]->key());
    return e;
}

int eventsPerWindow() {
    if (const char* e = std::getenv("AUBELYS_ROBUST_EVENTS")) return std::max(1, std::atoi(e));
    return 60;
}

void noTemporaryFilesLeft(const std::filesystem::path& folder) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        std::string n = e.path().filename().string();
        bool temporary = n.rfind(".aubelys-", 0) == 0 && n.size() > 4 && n.substr(n.size() - 4) == ".tmp";
        EXPECT_FALSE(temporary) << "temporary file left: " << e.path();
    }
}

struct Tally {
    long events = 0, steps = 0, filled = 0;
    int runs = 0;
};

// One window under one decimal setting.
void exercise(const WindowCatalog& catalog, const std::string& name, char separator, int events, Tally& tally) {
    test::TempFolder folder;
    std::error_code ec;
    std::filesystem::copy(test::dataSource(), folder.path(), std::filesystem::copy_options::recursive, ec);
    std::filesystem::create_directory(folder.path() / "tmp", ec);
    std::mt19937 rng(12345u + static_cast<unsigned>(name.size()) * 31u + static_cast<unsigned>(separator));
    RandomDialogs dialogs(rng);
    RecordingPlatform platform;
    platform.separator = separator;
    platform.temporaryFolder = (folder.path() / "tmp").string();
    // A guard against an event that never ends, not a speed goal (those are measured in
    // bench/): wide enough for a heavily loaded machine.
    const double limit = 10.0 * test::timeFactor();
    std::unique_ptr<Session> session;
    for (int i = 0; i < events; ++i) {
        if (!session || session->ended() || session->forms().empty()) {
            session.reset();
            session = std::make_unique<Session>(catalog, dialogs, platform, folder.path());
            ASSERT_EQ(runScript(*session, name, {}).status, 0);
            ++tally.runs;
            if (session->forms().empty()) return;  // the window closes itself at once
        }
        const std::size_t seen = dialogs.shown().size();
        Event e = pickEvent(*session, rng, separator);
        const std::string context = name + " (séparateur '" + separator + "') événement " + std::to_string(i);
        const double start = test::threadCpuSeconds();
        try {
            if (e.closeBox) {
                if (Form* f = session->loaded(e.window)) session->requestClose(*f);
                session->collect();
            }
            for (const std::string& s : e.steps) {
                ScriptOutcome out = runStep(*session, e.window, s);
                ++tally.steps;
                ASSERT_NE(out.status, 2) << context << ": the step « " << s << " » names nothing: " << out.error;
                ASSERT_EQ(out.status, 0) << context << ": " << out.error;
                if (session->ended() || !session->loaded(e.window)) break;
            }
        } catch (const std::exception& x) {
            FAIL() << context << ": an exception escaped the windows: " << x.what();
        } catch (...) {
            FAIL() << context << ": something escaped the windows";
        }
        ++tally.events;
        if (e.filled) ++tally.filled;
        const double seconds = test::threadCpuSeconds() - start;
        EXPECT_LT(seconds, limit) << context << " took " << seconds << " s: " << ::testing::PrintToString(e.steps);
        checkScreen(*session, dialogs, seen, context);
        if (::testing::Test::HasFailure()) return;
    }
    session.reset();
    noTemporaryFilesLeft(folder.path());
}

TEST(Robustness, EveryWindowSurvivesRandomUseUnderBothDecimalSettings) {
    WindowCatalog catalog;
    registerAllWindows(catalog);
    const int events = eventsPerWindow();
    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    int windows = 0;
    for (const std::string& name : catalog.names()) {
        ++windows;
        for (char separator : {'.', ','}) {
            SCOPED_TRACE(name + " '" + separator + "'");
            exercise(catalog, name, separator, events, tally);
            if (::testing::Test::HasFailure()) return;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ mesure  ] " << windows << " fenêtres x 2 séparateurs, " << tally.events << " événements, "
              << tally.steps << " étapes, " << tally.filled << " boutons ou menus après remplissage, " << tally.runs
              << " ouvertures, " << seconds << " s\n";
    EXPECT_GT(tally.filled, tally.events / 10);
}

}  // namespace
}  // namespace aub
