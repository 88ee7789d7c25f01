// The formula pages of the general page: every catalogue's records, the page a menu
// entry sets up from its record, and the narrow context the pages' routines use.
// The pages of the menus Options1, Options2 and Options3 are in FormulasOptions.cpp,
// the head-loss pages in FormulasHeadLoss.cpp.
#include "app/Formmain.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/StudyBoxes.h"

namespace aub {

namespace {

// The size of the window under a head-loss page, in twips.
constexpr int PageHeightTw = 8500;
constexpr int PageWidthTw = 11600;

}  // namespace

const std::vector<FormulaPage>& Formmain::formulaPages() {
    static const std::vector<FormulaPage> pages = [] {
        std::vector<FormulaPage> all = optionsPages();
        const std::vector<FormulaPage>& more = headLossPages();
        all.insert(all.end(), more.begin(), more.end());
        return all;
    }();
    return pages;
}

const FormulaPage* Formmain::formulaPage(FormulaCode code) {
    for (const FormulaPage& p : formulaPages())
        if (p.code == code) return &p;
    return nullptr;
}

StudyDeclaration Formmain::studyDeclaration(const FormulaPage& page) {
    StudyDeclaration d;
    // The title as the page shows it: its lines side by side; a page without a title
    // goes by its menu entry.
    std::string title;
    for (char c : std::string(page.title ? page.title : page.entryCaption)) {
        if (c == '&') continue;
        if (c == '\r' || c == '\n') c = ' ';
        if (c == ' ' && (title.empty() || title.back() == ' ')) continue;
        title += c;
    }
    d.caption = trim(title);
    d.window = "Formmain";
    d.setup = {page.entry};
    d.action = "Command1";
    auto captionOf = [&page](int box) -> const char* {
        for (const auto& [i, text] : page.captions)
            if (i == box) return text;
        return "";
    };
    auto isResult = [&page](const std::string& key) {
        for (const auto& [k, caption] : page.results)
            if (key == k) return true;
        return false;
    };
    for (const auto& [i, text] : page.captions) {
        StudyBox box = studyBox("zonetxt", i, text);
        if (!isResult(box.key)) d.inputs.push_back(std::move(box));
    }
    for (const auto& [key, caption] : page.results) {
        const std::string k = key;
        // "zonetxt(i)" without a caption of its own takes Label(i)'s.
        const char* text = caption;
        if (!text) text = captionOf(std::stoi(k.substr(k.find('(') + 1)));
        d.results.push_back({k, trim(text)});
    }
    return d;
}

void Formmain::choosePage(const FormulaPage& page) {
    if (page.sizesWindow) placeWindow(topTw, PageHeightTw, PageWidthTw);
    shared().FormulaId = page.code;
    vusGene(page.mask);
    // The blade study hides the result box; every other page shows its result there.
    ctl("zoneresu").visible = true;
    // Only the weir page highlights a caption (its result box 3).
    ctl("Label", 3).backColor = NoColor;
    for (const auto& [i, text] : page.captions) caption(i, text);
    int i = 0;
    for (const char* text : page.defaults) set("zonetxt", i++, text);
    for (const auto& p : page.prefills) prefill(p.box, p.value(shared()));
    if (page.title) title(page.title);
    PageContext context(*this);
    if (page.setup) page.setup(context);
}

void Formmain::showResult(std::string unit, std::string value) {
    Control& unitLabel = ctl("Labelresu");
    unitLabel.caption = std::move(unit);
    unitLabel.visible = true;
    set("zoneresu", -1, std::move(value));
}

char Formmain::regionalSeparator() const { return shared().DecimalComma ? ',' : '.'; }

// ------------------------------------------------------------ page context

SharedValues& PageContext::shared() { return window_.shared(); }
float PageContext::num(int i) { return window_.num("zonetxt", i); }
float PageContext::resultNumber() { return window_.num("zoneresu"); }
void PageContext::set(int i, std::string text) { window_.set("zonetxt", i, std::move(text)); }
void PageContext::caption(int i, std::string text) { window_.caption(i, std::move(text)); }

void PageContext::showBoxes(std::initializer_list<int> boxes, bool visible) {
    for (int i : boxes) {
        window_.ctl("Label", i).visible = visible;
        window_.ctl("zonetxt", i).visible = visible;
    }
}

void PageContext::showResult(std::string unit, std::string value) {
    window_.showResult(std::move(unit), std::move(value));
}

void PageContext::line(std::string text, bool visible) {
    Control& l = window_.ctl("Label1");
    l.caption = std::move(text);
    l.visible = visible;
}

void PageContext::notes(std::string text) { window_.set("Text3", -1, std::move(text)); }
void PageContext::zoom(std::string text) { window_.set("Text2", -1, std::move(text)); }
Control& PageContext::control(std::string_view name, int index) { return window_.ctl(name, index); }
void PageContext::mask(std::string_view m, bool keep) { window_.vusNonVus(m, keep); }
void PageContext::message(const std::string& text) { window_.dialogs().message(text); }
void PageContext::setBusy(bool busy) { window_.platform().setBusy(busy); }
char PageContext::regionalSeparator() { return window_.regionalSeparator(); }
float& PageContext::channelSlope() { return window_.channelSlope; }
float& PageContext::wettedArea() { return window_.wettedArea; }
float& PageContext::wettedPerimeter() { return window_.wettedPerimeter; }
float& PageContext::froude() { return window_.froude; }
void PageContext::readTempobuse() { window_.readTempobuse(); }
void PageContext::readTemporary() { window_.readTemporary(); }

}  // namespace aub
