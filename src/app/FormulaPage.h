#pragma once
// A formula page of the general page, as a record: where its menu entry sits, what
// the page shows when it is chosen, and the routine "CALCUL " runs.
//
// Choosing a page runs, in this order: the window size when the page sets one,
// FormulaId, the page set up with its mask (with clearing), Label(i) captions,
// zonetxt(i) defaults, pre-fills from the program-wide values that are not zero, the
// title, then `setup` for what the page adds (extra controls, files read back).
// The help record shown is the page's code.
//
// The pages of a catalogue live in the catalogue's file (FormulasOptions.cpp,
// FormulasHeadLoss.cpp), listed in menu order; adding a page touches that file only.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FormulaCode.h"
#include "core/SharedValues.h"

namespace aub {

class Control;
class Formmain;

// What a page's setup and routine may do with the general page.
class PageContext {
public:
    explicit PageContext(Formmain& window) : window_(window) {}

    SharedValues& shared();
    // The number in zonetxt(i); boxTo also keeps it in the program-wide value `into`.
    float num(int i);
    float resultNumber();  // the number in zoneresu
    float boxTo(int i, float& into) { return into = num(i); }
    // The same for a value with a unit: the box holds it in `unit`.
    template <typename Unit>
    float boxTo(int i, SharedQuantity<Unit>& into, Unit unit) {
        const float v = num(i);
        into.set(v, unit);
        return v;
    }
    // zonetxt(i) = text (its change event runs).
    void set(int i, std::string text);
    void caption(int i, std::string text);  // Label(i)
    // Label(i) and zonetxt(i) shown or hidden together.
    void showBoxes(std::initializer_list<int> boxes, bool visible);
    // Labelresu shown with `unit`, zoneresu = `value`.
    void showResult(std::string unit, std::string value);
    // The information line Label1.
    void line(std::string text, bool visible);
    void notes(std::string text);  // Text3
    void zoom(std::string text);   // Text2
    // The page's other controls (Labelresu, zoneresu, Label1, Label3, Command1 ...).
    Control& control(std::string_view name, int index = -1);
    // A page mask applied again; keep = true keeps texts and captions.
    void mask(std::string_view m, bool keep);
    void message(const std::string& text);
    void setBusy(bool busy);
    // The decimal separator of the regional settings, for the general regional format.
    char regionalSeparator();
    // The gate and channel values kept for the Bazin check.
    float& channelSlope();
    float& wettedArea();
    float& wettedPerimeter();
    float& froude();
    // The exchange files of the injector and full-flow pages.
    void readTempobuse();
    void readTemporary();

private:
    Formmain& window_;
};

struct FormulaPage {
    using Step = void (*)(PageContext&);
    // zonetxt(box) from a program-wide value, read as stored.
    struct Prefill {
        template <typename Field>
        Prefill(int i, Field SharedValues::*field)
            : box(i), value([field](const SharedValues& sv) -> float { return sv.*field; }) {}
        int box;
        std::function<float(const SharedValues&)> value;
    };

    FormulaCode code;          // FormulaId set by its menu entry
    const char* menu;          // parent menu: "Options1", "Options2", "Options3", "Pertecharge"
    const char* entry;         // menu entry's control name
    const char* entryCaption;  // menu entry's caption
    const char* routineName;   // the calculation's name
    const char* mask;          // see Formmain::vusNonVus
    std::vector<std::pair<int, const char*>> captions{};  // Label(i)
    std::vector<const char*> defaults{};                  // zonetxt(0), zonetxt(1) ...
    std::vector<Prefill> prefills{};                      // zonetxt(i) from a program-wide value
    const char* title = nullptr;                          // Label3, shown; none when null
    bool sizesWindow = false;                             // the head-loss pages set the window's size
    Step setup = nullptr;                                 // what the page adds, after the rest
    Step routine = nullptr;                               // run by "CALCUL "
    bool showsLabel1First = false;                        // "CALCUL " shows the result line before the routine
    Step onFailure = nullptr;                             // runs when the routine fails, before its message
    // The boxes the person reads after "CALCUL ", by key ("zoneresu", "zonetxt(3)",
    // "Text3") with the caption beside them; a null caption is the box's Label(i) caption
    // of `captions`. The page's other captioned boxes are its inputs.
    std::vector<std::pair<const char*, const char*>> results{};
    // A worked example: the inputs typed over the page's defaults, (box, text). A page
    // without one calculates from its defaults with 2 in each input left empty.
    std::vector<std::pair<int, const char*>> example{};
};

// The catalogues, each in menu order.
const std::vector<FormulaPage>& optionsPages();
const std::vector<FormulaPage>& headLossPages();

}  // namespace aub
