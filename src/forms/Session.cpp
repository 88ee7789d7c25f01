#include "forms/Session.h"

#include <algorithm>
#include <utility>

#include "core/NumberText.h"
#include "files/AppFolder.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/WindowCatalog.h"

namespace aub {

Session::Session(const WindowCatalog& catalog, Dialogs& dialogs, Platform& platform,
                 std::filesystem::path appFolder)
    : catalog_(&catalog), dialogs_(&dialogs), platform_(&platform), appFolder_(std::move(appFolder)) {
    shared_.AppFolder = withSeparator(appFolder_);
    shared_.DecimalComma = platform.decimalSeparator() == ',';
    helpFile_ = HelpTextFile(appFolder_ / "Microfich.txt");
}

Session::~Session() {
    host_ = nullptr;
    forms_.clear();
    graveyard_.clear();
}

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
    return ref;
}

void Session::show(std::string_view name, bool modal) {
    if (ended_) return;
    Form& form = load(name);
    if (!form.isLoaded()) return;  // unloaded by its own load()
    form.modal_ = modal;
    form.visible_ = true;
    form.touch();
    if (host_) host_->formShown(form);
    form.trap([&] { form.activate(); });
}

void Session::hide(std::string_view name) {
    Form* form = loaded(name);
    if (!form || !form->visible_) return;
    form->visible_ = false;
    form->touch();
    if (host_) host_->formHidden(*form);
}

bool Session::unload(std::string_view name, CloseMode mode) {
    Form* form = loaded(name);
    if (!form) return false;
    bool accept = true;
    form->trap([&] { accept = form->queryUnload(mode); });
    if (!accept && mode != CloseMode::System) return false;
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

void Session::endProgram() {
    if (ended_) return;
    ended_ = true;
    for (auto& f : forms_) {
        f->visible_ = false;
        f->loaded_ = false;
    }
    if (host_) host_->programEnded();
    // Windows are destroyed by collect(): the handler that ended the program may still be running.
    for (auto& f : forms_) graveyard_.push_back(std::move(f));
    forms_.clear();
}

void Session::collect() { graveyard_.clear(); }

std::vector<Form*> Session::forms() const {
    std::vector<Form*> out;
    for (const auto& f : forms_) out.push_back(f.get());
    return out;
}

}  // namespace aub
