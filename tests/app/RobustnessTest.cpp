// Drives every registered window with random texts, events and answers, and checks
// that nothing escapes the windows' error trap, that every event answers within a
// second, that no box shows "nan" or "inf", and that saving leaves no partial file.
// AUBELYS_ROBUST_EVENTS sets the number of events per window (default 150).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <cctype>

#include "app/Windows.h"
#include "forms/Form.h"
#include "forms/Scripted.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"
#include "support/WindowTest.h"

namespace aub {
namespace {

const std::vector<std::string>& texts() {
    static const std::vector<std::string> t = {
        "", "0", "1", "2", "-0", "-3", "2,5", "2.5", " 7 ", "1e40", "-1e-40", "1e-3", "100", "9999999",
        "0.001", "abc", "1,2.3", "é", "H", "..", "../x", "a/b", "\"", "oui", "non", "NON", "45", "89.9",
        "360", "0.8", "12", "65535", "255", "256", std::string(10000, '9'), std::string(300, 'x')};
    return t;
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

void checkScreen(Session& session, const std::string& context) {
    for (Form* f : session.forms()) {
        for (const auto& c : f->controls()) {
            std::string shown = c->text() + "\n" + c->caption;
            for (const auto& it : c->items) shown += "\n" + it;
            if (c->text().size() < 20000) {
                EXPECT_FALSE(showsNanOrInf(shown)) << context << " " << f->name() << "." << c->key() << " shows: " << shown.substr(0, 200);
            }
        }
    }
}

void act(Session& session, std::mt19937& rng) {
    std::vector<Form*> forms = session.forms();
    if (forms.empty()) return;
    Form& f = *forms[rng() % forms.size()];
    if (rng() % 40 == 0) {
        f.fireBackgroundClick();
        return;
    }
    if (rng() % 60 == 0 && f.name() != "Formmain") {
        session.requestClose(f);
        return;
    }
    std::vector<Control*> usable;
    for (const auto& c : f.controls())
        if (c->visible && c->enabled && c->kind() != ControlKind::Frame) usable.push_back(c.get());
    if (usable.empty()) return;
    Control& c = *usable[rng() % usable.size()];
    const auto& t = texts();
    switch (c.kind()) {
        case ControlKind::TextBox:
            if (rng() % 4 == 0) f.fire(c, EventKind::Click);
            else c.setText(t[rng() % t.size()]);
            break;
        case ControlKind::ComboBox:
        case ControlKind::ListBox:
            if (!c.items.empty() && rng() % 3 != 0) c.setListIndex(static_cast<int>(rng() % c.items.size()));
            else if (c.kind() == ControlKind::ComboBox) c.setText(t[rng() % t.size()]);
            else f.fire(c, EventKind::Click);
            break;
        case ControlKind::CheckBox:
            c.setValue(c.value() ? 0 : 1);
            break;
        case ControlKind::Slider:
            c.setValue(c.min + static_cast<int>(rng() % static_cast<unsigned>(std::abs(c.max - c.min) + 1)));
            break;
        case ControlKind::Menu:
            if (c.caption != "&Quitter" || rng() % 10 == 0) f.fire(c, EventKind::Click);
            break;
        default:
            f.fire(c, EventKind::Click);
            break;
    }
}

int eventsPerWindow() {
    if (const char* e = std::getenv("AUBELYS_ROBUST_EVENTS")) return std::max(1, std::atoi(e));
    return 150;
}

void noTemporaryFilesLeft(const std::filesystem::path& folder) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        std::string n = e.path().filename().string();
        bool temporary = n.rfind(".aubelys-", 0) == 0 && n.size() > 4 && n.substr(n.size() - 4) == ".tmp";
        EXPECT_FALSE(temporary) << "temporary file left: " << e.path();
    }
}

TEST(Robustness, EveryWindowSurvivesRandomUse) {
    WindowCatalog catalog;
    registerAllWindows(catalog);
    const int events = eventsPerWindow();
    for (const std::string& name : catalog.names()) {
        SCOPED_TRACE(name);
        test::TempFolder folder;
        std::error_code ec;
        std::filesystem::copy(test::dataSource(), folder.path(), std::filesystem::copy_options::recursive, ec);
        std::mt19937 rng(12345u + static_cast<unsigned>(name.size()));
        RandomDialogs dialogs(rng);
        RecordingPlatform platform;
        auto session = std::make_unique<Session>(catalog, dialogs, platform, folder.path());
        session->open(name);
        session->collect();
        for (int i = 0; i < events; ++i) {
            if (session->ended() || session->forms().empty()) {
                session = std::make_unique<Session>(catalog, dialogs, platform, folder.path());
                session->open(name);
                session->collect();
            }
            auto start = std::chrono::steady_clock::now();
            act(*session, rng);
            session->collect();
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            EXPECT_LT(seconds, 1.0) << "event " << i << " of " << name << " took " << seconds << " s";
            checkScreen(*session, name + " event " + std::to_string(i));
            if (::testing::Test::HasFailure()) return;
        }
        noTemporaryFilesLeft(folder.path());
    }
}

}  // namespace
}  // namespace aub
