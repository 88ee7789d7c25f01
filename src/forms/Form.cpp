#include "forms/Form.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "forms/Dialogs.h"
#include "forms/Report.h"
#include "forms/Session.h"

namespace aub {

namespace {
// Events that set controls run the controls' own events; a chain deeper than this
// is a loop between two handlers and is cut.
constexpr int MaxEventDepth = 64;

std::size_t kindSlot(EventKind kind) { return static_cast<std::size_t>(kind); }

// "Valbox(12)" read as the name "Valbox" and the index 12; a key without a well-formed
// index (no digits, a leading zero, a sign) is a name alone.
std::pair<std::string_view, int> splitKey(std::string_view key) {
    if (key.size() < 4 || key.back() != ')') return {key, -1};
    const std::size_t open = key.rfind('(');
    if (open == std::string_view::npos || open == 0) return {key, -1};
    const std::string_view digits = key.substr(open + 1, key.size() - open - 2);
    if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0')) return {key, -1};
    int index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return {key, -1};
        index = index * 10 + (c - '0');
    }
    return {key.substr(0, open), index};
}
}  // namespace

Form::Form(Session& session, std::string name, std::string caption_)
    : caption(std::move(caption_)), session_(&session), name_(std::move(name)) {}

Form::~Form() = default;

Control& Form::add(ControlKind kind, std::string name, int index) {
    auto control = std::make_unique<Control>(*this, kind, std::move(name), index);
    Control& c = *control;
    // A key is one control: "A(1)" outside an array and A(1) in one are the same key.
    if (findKey(c.key())) throw ProgramError("contrôle en double : " + name_ + "." + c.key());
    const auto [plainName, plainIndex] = splitKey(c.name());
    if (c.index() >= 0 && plainIndex >= 0)  // a name such as "A(1)" given an index too
        throw ProgramError("nom de contrôle invalide : " + name_ + "." + c.key());
    NameSlot* slot = nullptr;
    if (c.index() < 0 && plainIndex >= 0) {
        slot = &byName_[std::string(plainName)];
        if (slot->byIndex.size() <= static_cast<std::size_t>(plainIndex))
            slot->byIndex.resize(static_cast<std::size_t>(plainIndex) + 1);
        slot->byIndex[static_cast<std::size_t>(plainIndex)] = &c;
        byName_[c.name()].single = &c;
    } else {
        slot = &byName_[c.name()];
        if (c.index() < 0) {
            slot->single = &c;
        } else {
            if (slot->byIndex.size() <= static_cast<std::size_t>(c.index()))
                slot->byIndex.resize(static_cast<std::size_t>(c.index()) + 1);
            slot->byIndex[static_cast<std::size_t>(c.index())] = &c;
        }
    }
    if (auto h = handlers_.find(c.name()); h != handlers_.end()) c.handlers_ = &h->second;
    controls_.push_back(std::move(control));
    return c;
}

Control& Form::label(std::string name, int index, std::string caption_) {
    Control& c = add(ControlKind::Label, std::move(name), index);
    c.caption = std::move(caption_);
    return c;
}

Control& Form::textBox(std::string name, int index, std::string text) {
    Control& c = add(ControlKind::TextBox, std::move(name), index);
    // Initial text: no Change event before the window is loaded.
    c.setText(std::move(text));
    return c;
}

Control& Form::button(std::string name, int index, std::string caption_) {
    Control& c = add(ControlKind::Button, std::move(name), index);
    c.caption = std::move(caption_);
    return c;
}

Control& Form::listBox(std::string name, int index) { return add(ControlKind::ListBox, std::move(name), index); }

Control& Form::comboBox(std::string name, int index, std::string text) {
    Control& c = add(ControlKind::ComboBox, std::move(name), index);
    c.setText(std::move(text));
    return c;
}

Control& Form::checkBox(std::string name, int index, std::string caption_) {
    Control& c = add(ControlKind::CheckBox, std::move(name), index);
    c.caption = std::move(caption_);
    return c;
}

Control& Form::slider(std::string name, int index, int min, int max, int value) {
    Control& c = add(ControlKind::Slider, std::move(name), index);
    c.min = min;
    c.max = max;
    c.setValue(value);
    return c;
}

Control& Form::frame(std::string name, int index, std::string caption_) {
    Control& c = add(ControlKind::Frame, std::move(name), index);
    c.caption = std::move(caption_);
    return c;
}

Control& Form::picture(std::string name, int index) { return add(ControlKind::Picture, std::move(name), index); }

Control& Form::canvas(std::string name, int index) { return add(ControlKind::Canvas, std::move(name), index); }

Control& Form::menu(std::string name, std::string caption_, std::string parent) {
    Control& c = add(ControlKind::Menu, std::move(name), -1);
    c.caption = std::move(caption_);
    c.menuParent = std::move(parent);
    return c;
}

Control* Form::find(std::string_view name, int index) const {
    if (index < -1) return nullptr;
    const NameMap::value_type* entry = lastFound_;
    if (!entry || entry->first != name) {
        auto it = byName_.find(name);
        if (it == byName_.end()) return nullptr;
        entry = lastFound_ = &*it;
    }
    if (index < 0) return entry->second.single;
    const auto& byIndex = entry->second.byIndex;
    return static_cast<std::size_t>(index) < byIndex.size() ? byIndex[static_cast<std::size_t>(index)] : nullptr;
}

Control* Form::findKey(std::string_view key) const {
    const auto [name, index] = splitKey(key);
    if (index >= 0)
        if (Control* c = find(name, index)) return c;
    return find(key, -1);
}

Control& Form::ctl(std::string_view name, int index) {
    Control* c = find(name, index);
    if (!c) {
        std::string key(name);
        if (index >= 0) key += "(" + std::to_string(index) + ")";
        throw ProgramError("contrôle inconnu : " + name_ + "." + key);
    }
    return *c;
}

std::vector<Control*> Form::menuChildren(std::string_view parent) const {
    std::vector<Control*> out;
    for (const auto& c : controls_)
        if (c->kind() == ControlKind::Menu && c->menuParent == parent) out.push_back(c.get());
    return out;
}

void Form::on(std::string_view name, EventKind kind, Handler handler) {
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        it = handlers_.emplace(std::string(name), EventHandlers{}).first;
        for (const auto& c : controls_)
            if (c->name() == name) c->handlers_ = &it->second;
    }
    it->second[kindSlot(kind)] = std::move(handler);
}

bool Form::handles(std::string_view name, EventKind kind) const {
    auto it = handlers_.find(name);
    return it != handlers_.end() && it->second[kindSlot(kind)];
}

bool Form::trap(const std::function<void()>& code, const FailurePolicy& policy) {
    if (depth_ >= MaxEventDepth) return false;
    struct Depth {
        int& d;
        explicit Depth(int& v) : d(v) { ++d; }
        ~Depth() { --d; }
    } depth(depth_);
    bool failed = true;
    int failure = 0;
    std::string description;
    try {
        code();
        failed = false;
    } catch (const ProgramError&) {
        throw;
    } catch (const CalcError& e) {
        failure = e.code();
        description = e.description();
    } catch (const std::bad_alloc&) {
        failure = ErrOutOfMemory;
    } catch (const std::out_of_range&) {
        // An index outside a list or an array: the program's "subscript out of range".
        failure = ErrSubscript;
    } catch (const std::exception&) {
        failure = ErrBadCall;
    }
    if (!failed) return true;
    if (description.empty()) description = errorDescription(failure);
    if (policy.cleanUp) policy.cleanUp();
    Dialogs& d = dialogs();
    if (!policy.leadIn.empty()) d.message(policy.leadIn);
    if (!policy.numberAfter.empty()) {
        d.message(policy.numberAfter + std::to_string(failure));
    } else {
        std::string text = description + policy.suffix;
        if (policy.numbered) text += "\n Numéro " + std::to_string(failure);
        d.message(text);
    }
    if (!policy.followUp.empty()) d.message(policy.followUp);
    return false;
}

bool Form::fire(Control& control, EventKind kind) {
    if (!loaded_ || session_->ended()) return true;
    const EventHandlers* handlers = control.handlers_;
    if (control.form_ != this) {  // another window's control: this window's handlers of its name
        auto it = handlers_.find(control.name());
        handlers = it == handlers_.end() ? nullptr : &it->second;
    }
    if (!handlers) return true;
    const Handler& registered = (*handlers)[kindSlot(kind)];
    if (!registered) return true;
    Handler handler = registered;  // the handler may replace itself
    if (depth_ == 0 && kind != EventKind::Change &&
        std::find(discarding_.begin(), discarding_.end(), control.name()) != discarding_.end() && !mayDiscardEdits())
        return false;
    int index = control.index();
    const bool calculation = kind == EventKind::Click && !resultBoxes.empty() && control.hasKey(defaultAction);
    // A person's event that changes a result box is a calculation: what it said is kept.
    CalculationWatch watch(*this, depth_ == 0, control.name() != DossierEntryName && control.name() != "Dossierpdf");
    // The result boxes (by name, key or frame) as they were before the calculation.
    std::vector<std::pair<Control*, unsigned>> results;
    if (calculation)
        for (const auto& c : controls_)
            if (isResultBox(*this, *c)) results.emplace_back(c.get(), c->revision());
    if (!trap([&] { handler(index); }) && calculation && loaded_) {
        // A calculation that failed: what it wrote before failing stays, no figure of an
        // earlier run does.
        for (const auto& [c, revision] : results)
            if (c->revision() == revision) c->setText("");
    }
    return true;
}

std::string Form::reportMethod() {
    return helpRecord > 0 ? methodFromHelp(session().helpText(helpRecord)) : std::string();
}

void Form::clearResultBoxes() {
    if (resultBoxes.empty() || !loaded_) return;
    for (const auto& c : controls_)
        if (isResultBox(*this, *c)) c->setText("");
}

void Form::stopCalculation(const std::string& notice) {
    clearResultBoxes();
    dialogs().message(notice);
}

namespace {

// An entry the person could choose: shown, not greyed, and every menu above it too.
bool usable(Form& form, Control& c) {
    if (!c.visible || !c.enabled) return false;
    const Control* at = &c;
    for (int depth = 0; depth < 16 && at; ++depth) {
        if (!at->visible || !at->enabled) return false;
        at = at->kind() == ControlKind::Menu ? (at->menuParent.empty() ? nullptr : form.find(at->menuParent))
                                             : (at->place.frame.empty() ? nullptr : form.findKey(at->place.frame));
    }
    return true;
}

bool runAction(Form& form, const std::string& key) {
    if (key.empty()) return false;
    Control* c = form.findKey(key);
    if (!c || !usable(form, *c)) return false;
    form.fire(*c, EventKind::Click);
    return true;
}

}  // namespace

bool Form::runDefaultAction() { return runAction(*this, defaultAction); }
bool Form::runCancelAction() { return runAction(*this, cancelAction); }

void Form::personChanged(const Control& control) {
    if (!tracksEdits || !loaded_) return;
    switch (control.kind()) {
        case ControlKind::TextBox:
            if (!control.locked) unsaved_ = true;
            break;
        case ControlKind::ComboBox:
        case ControlKind::CheckBox:
        case ControlKind::Slider:
            unsaved_ = true;
            break;
        case ControlKind::Label:
        case ControlKind::ListBox:
        case ControlKind::Button:
        case ControlKind::Frame:
        case ControlKind::Menu:
        case ControlKind::Picture:
        case ControlKind::Canvas:
        case ControlKind::Chart:
        case ControlKind::Table:
        case ControlKind::Progress:
        case ControlKind::Timer:
            break;
    }
}

void Form::discardsEdits(std::string_view controlName) { discarding_.emplace_back(controlName); }

bool Form::mayDiscardEdits() {
    if (!unsaved_) return true;
    if (!dialogs().question(DiscardEditsQuestion, caption)) return false;
    unsaved_ = false;
    return true;
}

void Form::fireBackgroundClick() {
    if (!loaded_ || session_->ended() || !backgroundClick_) return;
    auto handler = backgroundClick_;
    trap([&] { handler(); });
}

SharedValues& Form::shared() const { return session_->shared(); }
Dialogs& Form::dialogs() const { return session_->dialogs(); }
Platform& Form::platform() const { return session_->platform(); }

float Form::num(const Control& box) const {
    std::string copy = box.text();  // the box keeps what the person typed
    return parseNumber(copy, session_->shared().DecimalComma, session_->dialogs());
}

float Form::num(std::string_view name, int index) { return num(ctl(name, index)); }

std::vector<std::string> boxTexts(Form& form, std::string_view box, int count) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) out.push_back(form.txt(box, i));
    return out;
}

}  // namespace aub
