#pragma once
// A window's model: its controls as plain data, their layout, and its events.
// Views (Qt, the command line, tests) only set controls and call fire(); every
// handler runs under one error trap that turns CalcError into its French message.
#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "forms/Control.h"

namespace aub {

class Session;
class Dialogs;
class Platform;
struct SharedValues;

// The question asked before unsaved edits are thrown away.
inline constexpr const char* DiscardEditsQuestion =
    "Les données modifiées n'ont pas été enregistrées. Les abandonner ?";

// A fault of the program itself — an unknown control or window name, a control
// declared twice. No trap turns it into a message: it stops the test or the run
// that meets it.
class ProgramError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// What the person sees when the code run under Form::trap fails, and what is done
// about it. The message is the failure's description followed by `suffix`, or, when
// `numberAfter` is set, that text followed by the error number alone.
struct FailurePolicy {
    std::string suffix{};
    bool numbered = false;  // "\n Numéro N" after the description and suffix
    std::string numberAfter{};
    std::string leadIn{};             // a message shown before, when not empty
    std::string followUp{};           // a message shown after, when not empty
    std::function<void()> cleanUp{};  // runs first: what a failure must not leave behind
};

class Form {
public:
    Form(Session& session, std::string name, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }

    // Window state.
    std::string caption;
    int backColor = NoColor;
    int leftTw = -1, topTw = -1, widthTw = 0, heightTw = 0;
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }
    bool isLoaded() const { return loaded_; }
    // Layout: number of grid columns of the client area (the renderer uses it as a hint).
    int columns = 2;
    // A window shown by another one stays above it, unless it is a consultation window
    // of its own (a chart to read beside the design windows): then either comes to the
    // front when clicked.
    bool staysAboveOpener = true;

    // Controls, in creation order.
    Control& add(ControlKind kind, std::string name, int index = -1);
    Control& label(std::string name, int index, std::string caption);
    Control& textBox(std::string name, int index, std::string text = "");
    Control& button(std::string name, int index, std::string caption);
    Control& listBox(std::string name, int index = -1);
    Control& comboBox(std::string name, int index = -1, std::string text = "");
    Control& checkBox(std::string name, int index, std::string caption);
    Control& slider(std::string name, int index, int min, int max, int value);
    Control& frame(std::string name, int index, std::string caption);
    Control& picture(std::string name, int index = -1);
    Control& canvas(std::string name, int index = -1);
    // A menu entry; parent is the parent menu's name, empty for the menu bar.
    Control& menu(std::string name, std::string caption, std::string parent = "");

    // Lookups by name and index, or by key, in constant time (no key text is built).
    Control& ctl(std::string_view name, int index = -1);  // throws ProgramError
    Control* find(std::string_view name, int index = -1) const;
    Control* findKey(std::string_view key) const;  // "Valbox(3)" or "Command1"
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    std::vector<Control*> menuChildren(std::string_view parent) const;

    // Event handlers, by control name (every index of an array shares one handler).
    using Handler = EventHandler;
    void on(std::string_view name, EventKind kind, Handler handler);
    bool handles(std::string_view name, EventKind kind) const;
    // A click on the window's background.
    void onBackgroundClick(std::function<void()> handler) { backgroundClick_ = std::move(handler); }

    // Runs a control's event under the error trap. False when it did not run because
    // the person kept unsaved edits that the event would have thrown away.
    bool fire(Control& control, EventKind kind);
    void fireBackgroundClick();
    // Runs any code of the window under the same trap: the one place where a failure
    // (CalcError, no memory left, an index out of range) becomes what the person sees.
    // False when the code failed (or did not run: an event loop cut).
    bool trap(const std::function<void()>& code, const FailurePolicy& policy = {});
    bool trap(const std::function<void()>& code, std::string suffix) {
        return trap(code, FailurePolicy{.suffix = std::move(suffix)});
    }

    // Life cycle, called by the Session.
    virtual void load() {}
    virtual void activate() {}
    // Return false to refuse the close.
    virtual bool queryUnload(CloseMode mode) {
        (void)mode;
        return true;
    }
    virtual void unloaded() {}

    // Services.
    Session& session() const { return *session_; }
    SharedValues& shared() const;
    Dialogs& dialogs() const;
    Platform& platform() const;

    // The number in a box (ParseNumber with the program's separator flag).
    float num(const Control& box) const;
    float num(std::string_view name, int index = -1);
    // Short hands for a box's text.
    const std::string& txt(std::string_view name, int index = -1) { return ctl(name, index).text(); }
    void set(std::string_view name, int index, std::string text) { ctl(name, index).setText(std::move(text)); }

    // What Enter runs (a control's key: a button or a menu entry); empty for nothing.
    std::string defaultAction;
    // What Escape runs in a modal window; empty for the person's close box.
    std::string cancelAction;
    // Runs the default or the cancel action as a person would; false when there is none
    // or it is hidden or greyed.
    bool runDefaultAction();
    bool runCancelAction();
    // The result boxes (control names) of the calculation: emptied when the default action
    // stops on an error, so that no figure of an earlier run stays beside the new inputs;
    // the dossier lists them under the results (when empty, the locked boxes are).
    std::vector<std::string> resultBoxes;
    // Empties the result boxes (as the dossier reads them: by name, key or frame).
    void clearResultBoxes();
    // A calculation that stops on a notice ("Données manquantes" ...): the result boxes
    // are emptied, then the notice is shown.
    void stopCalculation(const std::string& notice);

    // Unsaved edits of a design window: set by a person's change to one of its inputs,
    // cleared by the window when it opens, saves or clears a design.
    bool tracksEdits = false;
    bool unsavedEdits() const { return unsaved_; }
    void clearUnsavedEdits() { unsaved_ = false; }
    // Views and the step runner call it after a person changed a control.
    void personChanged(const Control& control);
    // The events of these controls throw the inputs away: they ask first.
    void discardsEdits(std::string_view controlName);
    // True when the inputs may go: nothing unsaved, or the person said yes.
    bool mayDiscardEdits();

    // For the dossier: the help-text record its local help shows (0: none), the messages
    // its last calculation showed and the other boxes it wrote (keys).
    int helpRecord = 0;
    std::vector<std::string> calculationMessages;
    std::vector<std::string> calculationWritten;
    // The labels the last calculation showed or wrote (its warnings on the window), keys.
    std::vector<std::string> calculationLabels;
    // The method the last calculation used, as the dossier states it. By default the
    // paragraphs of the help record that speak of the calculation (those about menus,
    // buttons and files are left out); a window whose method depends on its choices
    // (the friction law, the efficiency curve) says which.
    virtual std::string reportMethod();
    // Figures the dossier shows beside the window's own charts and drawings (the pipe's
    // Moody diagram with its operating point); none by default.
    virtual std::vector<Chart> reportCharts() { return {}; }

private:
    friend class Session;
    Session* session_;
    std::string name_;
    // Hashes a name given as a string or a string_view alike.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // The controls of one name: the one outside an array, and the array by index.
    struct NameSlot {
        Control* single = nullptr;
        std::vector<Control*> byIndex;
    };
    using NameMap = std::unordered_map<std::string, NameSlot, NameHash, std::equal_to<>>;
    std::vector<std::unique_ptr<Control>> controls_;
    NameMap byName_;
    // The name found last: a window's code reads the boxes of one array one after the other.
    mutable const NameMap::value_type* lastFound_ = nullptr;
    // One handler per event kind (Click, DblClick, Change), by control name; entries are
    // never removed, so that each control keeps a pointer to those of its name.
    std::unordered_map<std::string, EventHandlers, NameHash, std::equal_to<>> handlers_;
    std::function<void()> backgroundClick_;
    std::vector<std::string> discarding_;
    bool unsaved_ = false;
    bool visible_ = false;
    bool modal_ = false;
    bool loaded_ = false;
    int depth_ = 0;
};

// Texts of boxes box(0) ... box(count - 1), as typed.
std::vector<std::string> boxTexts(Form& form, std::string_view box, int count);

}  // namespace aub
