#include "forms/Session.h"

#include <algorithm>
#include <utility>

#include "core/NumberText.h"
#include "files/AppFolder.h"
#include "forms/Dialogs.h"
#include "forms/DossierEntry.h"
#include "forms/Form.h"
#include "forms/MainWindow.h"
#include "forms/Platform.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {
constexpr std::size_t JournalLength = 400;
}  // namespace

// The dialogs the windows use: the person's, with every message noted on the way.
class Session::Journal : public Dialogs {
public:
    Journal(Session& session, Dialogs& real) : session_(session), real_(real) {}
    using Dialogs::message;
    void message(const std::string& text, const std::string& title) override {
        auto& texts = session_.journalTexts_;
        if (texts.size() >= JournalLength) texts.erase(texts.begin(), texts.begin() + JournalLength / 2);
        texts.push_back(text);
        ++session_.messageCount_;
        real_.message(text, title);
    }
    bool question(const std::string& text, const std::string& title) override { return real_.question(text, title); }
    std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                     const std::string& defaultText) override {
        return real_.input(prompt, title, defaultText);
    }
    std::optional<std::string> choose(const std::string& prompt, const std::string& title,
                                      const std::vector<std::string>& items, const std::string& defaultItem) override {
        return real_.choose(prompt, title, items, defaultItem);
    }

private:
    Session& session_;
    Dialogs& real_;
};

Session::Session(const WindowCatalog& catalog, Dialogs& dialogs, Platform& platform, std::filesystem::path appFolder)
    : catalog_(&catalog),
      platform_(&platform),
      appFolder_(std::move(appFolder)),
      journal_(std::make_unique<Journal>(*this, dialogs)) {
    shared_.AppFolder = withSeparator(appFolder_);
    shared_.DecimalComma = platform.decimalSeparator() == ',';
    helpFile_ = HelpTextFile(appFolder_ / "Microfich.txt");
}

Session::~Session() {
    host_ = nullptr;
    forms_.clear();
    graveyard_.clear();
}

Dialogs& Session::dialogs() { return *journal_; }

std::vector<std::string> Session::messagesSince(std::size_t count) const {
    const std::size_t first = messageCount_ - journalTexts_.size();
    const std::size_t from = count > first ? count - first : 0;
    if (from >= journalTexts_.size()) return {};
    return {journalTexts_.begin() + static_cast<std::ptrdiff_t>(from), journalTexts_.end()};
}

std::string Session::openerOf(std::string_view window) const {
    for (const auto& [shown, opener] : openers_)
        if (shown == window) return opener;
    return {};
}

void Session::noteCalculationWindow(const Form& form) { lastCalculation_ = form.name(); }

std::filesystem::path Session::file(std::string_view name) const {
    return appFolder_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string Session::helpText(int k) const { return trimRight(helpFile_.record(k)); }

void Session::showHelpRecord(int k, HelpRecordUse use) {
    std::string record = helpFile_.record(k);
    if (use != HelpRecordUse::Shown) shared_.HelpRecord = record;
    Form& help = load("Formhlp");
    if (Control* text = help.find("Text1")) text->setText(use == HelpRecordUse::Whole ? record : trimRight(record));
    show("Formhlp", true);
}

Form* Session::loaded(std::string_view name) const {
    for (const auto& f : forms_)
        if (f->name() == name || equalsNoCase(f->name(), name)) return f.get();
    return nullptr;
}

Form& Session::load(std::string_view name) {
    if (Form* f = loaded(name)) return *f;
    forms_.push_back(catalog_->create(name, *this));
    Form& ref = *forms_.back();
    ref.loaded_ = true;
    ref.trap([&] { ref.load(); });
    // Every calculation window can put its report in the dossier (the main window has its own entries).
    if (ref.isLoaded() && catalog_->declaresCalculation(ref.name()) && !dynamic_cast<MainWindow*>(&ref))
        addDossierEntry(ref);
    return ref;
}

void Session::show(std::string_view name, bool modal) {
    if (ended_) return;
    Form& form = load(name);
    if (!form.isLoaded()) return;  // unloaded by its own load()
    form.modal_ = modal;
    form.visible_ = true;
    if (host_) host_->formShown(form);
    form.trap([&] { form.activate(); });
    if (recordsCalculations && form.isLoaded() && isCalculationWindow(form)) noteCalculationWindow(form);
    if (!eventWindow.empty() && eventWindow != form.name()) {
        auto it = std::find_if(openers_.begin(), openers_.end(), [&](const auto& p) { return p.first == form.name(); });
        if (it == openers_.end())
            openers_.emplace_back(form.name(), eventWindow);
        else
            it->second = eventWindow;
    }
}

void Session::hide(std::string_view name) {
    Form* form = loaded(name);
    if (!form || !form->visible_) return;
    form->visible_ = false;
    if (host_) host_->formHidden(*form);
}

bool Session::unload(std::string_view name, CloseMode mode) {
    Form* form = loaded(name);
    if (!form) return false;
    if (mode != CloseMode::System && !form->mayDiscardEdits()) return false;
    bool accept = true;
    form->trap([&] { accept = form->queryUnload(mode); });
    if (!accept && mode != CloseMode::System) return false;
    // The dossier holds reports, not windows: the last window used keeps its report.
    if (recordsCalculations && form->name() == lastCalculation_ && !ended_)
        form->trap([&] { closedReports_ = reportsWithCompanions(*this, *form); });
    form->trap([&] { form->unloaded(); });
    form->visible_ = false;
    form->loaded_ = false;
    if (host_) host_->formUnloaded(*form);
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == form; });
    if (it != forms_.end()) {
        graveyard_.push_back(std::move(*it));
        forms_.erase(it);
    }
    return true;
}

bool Session::requestClose(Form& form) { return unload(form.name(), CloseMode::User); }

void Session::open(std::string_view name) {
    if (ended_) return;
    catalog_->open(name, *this);
}

bool Session::endProgram(bool askFirst) {
    if (ended_) return true;
    if (askFirst) {
        Form* unsaved = nullptr;
        for (auto& f : forms_)
            if (f->unsavedEdits() && !unsaved) unsaved = f.get();
        if (unsaved && !unsaved->mayDiscardEdits()) return false;
        for (auto& f : forms_) f->clearUnsavedEdits();
    }
    ended_ = true;
    for (auto& f : forms_) {
        f->visible_ = false;
        f->loaded_ = false;
    }
    if (host_) host_->programEnded();
    // Windows are destroyed by collect(): the handler that ended the program may still be running.
    for (auto& f : forms_) graveyard_.push_back(std::move(f));
    forms_.clear();
    return true;
}

bool Session::endProgramFromWindow() {
    if (ended_) return true;
    const bool unsaved = std::any_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->unsavedEdits(); });
    if (!unsaved && !dialogs().question(QuitQuestion, "Aubelys")) return false;
    return endProgram();
}

void Session::collect() { graveyard_.clear(); }

std::vector<Form*> Session::forms() const {
    std::vector<Form*> out;
    for (const auto& f : forms_) out.push_back(f.get());
    return out;
}

}  // namespace aub
