#pragma once
// One control of a window, as plain data. Setting a text box's text, a list's
// selection, a check box's value or a slider's value through the setters runs the
// control's event the way a person's action would (Change, Click, Change).
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Chart.h"
#include "forms/Drawing.h"

namespace aub {

class Form;

enum class ControlKind {
    Label,
    TextBox,
    ListBox,
    ComboBox,
    CheckBox,
    Slider,
    Button,
    Frame,
    Menu,
    Picture,
    Canvas,
    Chart,
    Table,     // rows of cells under column headings, read only
    Progress,  // a progress bar: value between min and max
    Timer      // never shown: while enabled, ticks every `interval` ms, each tick its Click
};
enum class EventKind { Click, DblClick, Change };
// Who closes a window: the person's close box, the program, or the system.
enum class CloseMode { User, Code, System };

const char* kindName(ControlKind kind);

// The handlers of one control name, one per event kind (Click, DblClick, Change); every
// index of an array shares them.
using EventHandler = std::function<void(int index)>;
using EventHandlers = std::array<EventHandler, 3>;

// Where a control sits: a grid cell of its frame (empty frame: the window's client area).
struct Placement {
    std::string frame;
    int row = 0, col = 0, rowSpan = 1, colSpan = 1;
    // Hidden, the control keeps its room: what is laid out around it does not move
    // when it comes and goes.
    bool keepsPlace = false;
};

constexpr int NoColor = -1;
constexpr int TwipsPerPixel = 15;

class Control {
public:
    Control(Form& form, ControlKind kind, std::string name, int index);

    Form& form() const { return *form_; }
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }      // -1 outside a control array
    std::string key() const;                  // "Valbox(3)" or "Command1"
    bool hasKey(std::string_view key) const;  // key() == key, without building the key

    // Label, button, frame, check box and menu captions.
    std::string caption;
    // Text boxes, combo boxes (edit text), lists (the selected entry's text).
    const std::string& text() const { return text_; }
    void setText(std::string text);  // Change event when the text differs

    bool visible = true;
    bool enabled = true;
    bool locked = false;     // text box read-only
    bool multiline = false;  // text box over several lines
    bool password = false;
    int backColor = NoColor;  // RGB, NoColor for the default
    int foreColor = NoColor;
    int fontSize = 0;  // points, 0 for the default
    bool bold = false;
    int alignment = 0;  // 0 left, 1 right, 2 centre

    // Lists and combos.
    std::vector<std::string> items;
    int listIndex() const { return listIndex_; }
    void setListIndex(int i);  // -1..items-1; Click event when it changes
    void addItem(std::string item);
    void clearItems();

    // Check boxes (0 / 1) and sliders (min..max).
    int value() const { return value_; }
    void setValue(int v);  // check box: Click, slider: Change (only when it changes)
    int min = 0, max = 32767, smallChange = 1, largeChange = 1;
    bool vertical = false;

    // Menus: the parent menu's name (empty for a top-level entry); a checked mark.
    std::string menuParent;
    bool checked = false;
    bool separator = false;

    // Picture boxes: a picture file of the program folder; canvases and picture boxes: a drawing.
    std::string picture;
    Drawing drawing;
    // Chart controls: the chart's data.
    aub::Chart chart;
    // Tables: the column headings and the rows of cells (call touch() after changing them).
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    // Timers: milliseconds between two ticks.
    int interval = 100;

    // Size and position where the window sets them (twips; 0 / -1 = free).
    int widthTw = 0, heightTw = 0, leftTw = -1, topTw = -1;
    Placement place;

    // Chainable set-up.
    Control& at(int row, int col, int rowSpan = 1, int colSpan = 1);
    Control& in(std::string frame);
    Control& size(int widthTwips, int heightTwips);
    Control& hidden();
    Control& multi();

    // Incremented on every change made through the setters, and by touch() after a
    // table's cells changed: a failed calculation knows which result boxes it wrote,
    // and a table view redraws only what changed.
    unsigned revision() const { return revision_; }
    void touch() { ++revision_; }
    // Puts back every property of `saved` (a copy of this control taken earlier) without
    // running any event; the revision moves on, so that views redraw.
    void restore(const Control& saved);

private:
    friend class Form;
    Form* form_;
    // The handlers of the control's name in its window, found once (null: none yet).
    const EventHandlers* handlers_ = nullptr;
    ControlKind kind_;
    std::string name_;
    int index_;
    std::string text_;
    int listIndex_ = -1;
    int value_ = 0;
    unsigned revision_ = 0;
};

// Sets a slider as a program assignment does: the value is rounded half to even;
// beyond the 16-bit range -> CalcError(6), outside the slider's range -> CalcError(380).
// The slider's Change runs when the value changes.
void setSliderChecked(Control& slider, double value);

}  // namespace aub
