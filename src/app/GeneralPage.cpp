// The general page of the main window: its controls, the page configuration and
// mask rule, "CALCUL ", the zoom and visibility clicks, the wall list and the
// buttons shared by several pages, and the two exchange files.
#include <array>

#include "app/Formmain.h"
#include "core/CalcError.h"
#include "core/Checked.h"
#include "core/Hydraulics.h"
#include "core/NumberText.h"
#include "core/SharedValues.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "forms/WindowCatalog.h"

namespace aub {

namespace {

constexpr int PageBoxes = 8;

// Manning n of the wall classes of Combo1.
struct WallClass {
    const char* name;
    float n;
};
constexpr std::array<WallClass, 6> WallClasses{{{"Trés lisse", 0.011f},
                                                {"Lisse", 0.0124f},
                                                {"Moyennement lisse", 0.0168f},
                                                {"Un peu rugueuse", 0.023f},
                                                {"Rugueuse", 0.0297f},
                                                {"Trés rugueuse", 0.0365f}}};

// Character i of a mask half as the rule reads it: '1' show, '0' hide, anything else
// (or no character) leaves the control as it is.
void follow(Control& c, std::string_view half, int i) {
    if (i >= static_cast<int>(half.size())) return;
    if (half[static_cast<std::size_t>(i)] == '1')
        c.visible = true;
    else if (half[static_cast<std::size_t>(i)] == '0')
        c.visible = false;
}

}  // namespace

void Formmain::buildPage() {
    columns = 1;
    label("Label3", -1, "").at(0, 0);
    ctl("Label3").fontSize = 12;
    ctl("Label3").bold = true;
    Control& about = label("Label4", -1, "").at(1, 0).hidden();
    about.fontSize = 11;
    about.alignment = 2;
    about.backColor = 0xFFFFE0;

    // The page: captions in the first column, boxes in the second, the explanation
    // text on the right, the result and the shared buttons below the boxes.
    frame("Page", -1, "").at(2, 0);
    for (int i = 0; i < PageBoxes; ++i) {
        label("Label", i, "").at(i, 0).in("Page").size(3000, 0);
        textBox("zonetxt", i).at(i, 1).in("Page").size(1800, 0);
    }
    label("Labelresu", -1, "").at(8, 0).in("Page").hidden();
    textBox("zoneresu", -1).at(8, 1).in("Page").size(1800, 0);
    ctl("zoneresu").bold = true;
    // Boxes, captions and the zoom box come and go with a calculation: their rows stay,
    // so "CALCUL " does not move under the pointer.
    for (int i = 0; i < PageBoxes; ++i) {
        ctl("Label", i).place.keepsPlace = true;
        ctl("zonetxt", i).place.keepsPlace = true;
    }
    ctl("Labelresu").place.keepsPlace = true;
    ctl("zoneresu").place.keepsPlace = true;
    button("Command1", -1, "CALCUL ").at(9, 1).in("Page");
    label("Label1", -1, " enregistre").at(10, 0, 1, 2).in("Page").hidden();
    Control& zoom = textBox("Text2", -1).at(11, 0, 1, 2).in("Page");
    zoom.fontSize = 14;
    ctl("Label1").place.keepsPlace = true;
    zoom.place.keepsPlace = true;
    comboBox("Combo1", -1, "Parois").at(12, 0).in("Page").hidden();
    button("KManning", -1, "MANNING").at(12, 1).in("Page").hidden();
    button("Command3", -1, " CONTROLE BAZIN").at(13, 0).in("Page").hidden();
    button("Command2", -1, "ENREGISTRE  Voir aide").at(13, 1).in("Page").hidden();
    comboBox("Combo2", -1).at(14, 0).in("Page").hidden();
    textBox("Text1", -1).at(0, 2, 12, 1).in("Page").size(5600, 7000).multi();
    textBox("Text3", -1, "  ").at(12, 2, 4, 1).in("Page").size(5600, 2000).multi().hidden();
    label("Label2", -1, "Cliquez sur la page  pour voir ou cacher certainez zones").at(16, 0, 1, 3).in("Page");

    on("Command1", EventKind::Click, [this](int) { calcul(); });
    on("zonetxt", EventKind::Click, [this](int i) {
        set("Text2", -1, txt("zonetxt", i));
        if (shared().FormulaId == FormulaCode::FullFlowPipe) {
            for (int k = 5; k <= 7; ++k) {
                ctl("zonetxt", k).visible = false;
                ctl("Label", k).visible = false;
            }
        }
    });
    on("zoneresu", EventKind::Click, [this](int) { set("Text2", -1, txt("zoneresu")); });
    onBackgroundClick([this] { pageClicked(); });
    on("Page", EventKind::Click, [this](int) { pageClicked(); });
    on("Label4", EventKind::Click, [this](int) { ctl("Label4").visible = false; });
    on("Text3", EventKind::Change, [this](int) {
        // The notes box never stays empty.
        if (txt("Text3").empty()) set("Text3", -1, "  ");
    });
    on("Text1", EventKind::Click, [this](int) { helpBoxClicked(); });
    on("Combo1", EventKind::Click, [this](int) { wallClassChosen(); });
    on("Command3", EventKind::Click, [this](int) { bazinCheck(); });
    on("KManning", EventKind::Click, [this](int) { manningTable(); });
    on("Command2", EventKind::Click, [this](int) { copyInputsForEditor(); });
    on("Label1", EventKind::Click, [this](int) { saveInputs(); });
}

// ------------------------------------------------------------ configuration

void Formmain::vusGene(std::string_view mask) {
    SharedValues& sv = shared();
    ctl("Page").visible = true;
    Control& help = ctl("Text1");
    help.visible = true;
    ctl("KManning").visible = false;
    Control& notes = ctl("Text3");
    if (sv.FormulaId == FormulaCode::SpeedsMode1 || sv.FormulaId == FormulaCode::Similarity) {
        help.heightTw = 5400;
        notes.visible = true;
    } else {
        help.heightTw = 6400;
        notes.visible = false;
    }
    notes.setText("");
    if (sv.FormulaId != FormulaCode::None) {
        sv.HelpRecord = session().helpFile().record(number(sv.FormulaId));
        help.setText(trimRight(sv.HelpRecord));
    }
    helpRecord = number(sv.FormulaId);
    ctl("Labelresu").visible = false;
    vusNonVus(mask, false);
    set("Text2", -1, "");
    ctl("zonetxt", 1).locked = false;
    ctl("Label4").visible = false;
    ctl("Command3").visible = false;
    ctl("Combo1").visible = false;
    set("zoneresu", -1, "");
}

void Formmain::vusNonVus(std::string_view mask, bool keep) {
    const std::string_view first = mask.substr(0, std::min<std::size_t>(PageBoxes, mask.size()));
    const std::string_view last = mask.size() > PageBoxes ? mask.substr(mask.size() - PageBoxes) : mask;
    for (int i = 0; i < PageBoxes; ++i) {
        follow(ctl("Label", i), first, i);
        follow(ctl("zonetxt", i), last, i);
    }
    if (!keep) {
        for (int i = 0; i < PageBoxes; ++i) {
            set("zonetxt", i, "");
            ctl("Label", i).caption.clear();
        }
    }
    ctl("Text1").heightTw = 7000;
    Control& notes = ctl("Text3");
    notes.topTw = 7200;
    notes.heightTw = 2000;
    // "CALCUL " belongs to the formula pages that calculate; a code a design window wrote
    // (the pressure pipe's page, a wheel) has nothing to calculate here.
    const FormulaPage* page = formulaPage(shared().FormulaId);
    ctl("Command1").visible = page && page->routine;
    ctl("Command2").visible = false;
}

void Formmain::caption(int i, std::string text) { ctl("Label", i).caption = std::move(text); }

void Formmain::prefill(int i, float value) {
    if (value != 0) set("zonetxt", i, formatNumber(value));
}

void Formmain::title(std::string text) {
    Control& t = ctl("Label3");
    t.caption = std::move(text);
    t.visible = true;
}

void Formmain::hideHelpBox() { ctl("Text1").visible = false; }

void Formmain::hidePageTitle() { ctl("Label3").visible = false; }

// ------------------------------------------------------------ calculation

void Formmain::calcul() {
    if (num("zonetxt", 0) == 0) {
        stopCalculation("Données manquantes");
        return;
    }
    ctl("Labelresu").caption.clear();
    ctl("Label1").visible = false;
    const FormulaPage* page = formulaPage(shared().FormulaId);
    if (page && page->routine) {
        if (page->showsLabel1First) ctl("Label1").visible = true;
        // A failing routine shows its description; what it wrote in the input boxes stays
        // on the page, its result box is emptied (for every page, here).
        PageContext context(*this);
        FailurePolicy failure;
        failure.cleanUp = [&] {
            clearResultBoxes();
            if (page->onFailure) page->onFailure(context);
        };
        trap([&] { page->routine(context); }, failure);
    }
    Control& zoom = ctl("Text2");
    zoom.visible = !trim(zoom.text()).empty();
}

// ------------------------------------------------------------ clicks on the page

void Formmain::pageClicked() {
    // While the about text is shown the page does not answer.
    if (ctl("Label4").visible) return;
    Control& help = ctl("Text1");
    if (help.visible) {
        help.visible = false;
        Control& notes = ctl("Text3");
        notes.visible = !notes.visible;
    } else {
        help.visible = true;
    }
}

void Formmain::helpBoxClicked() {
    SharedValues& sv = shared();
    if (sv.FormulaId == FormulaCode::UndershotWheel) {
        // The undershot wheel window, brought back.
        if (session().catalog().has("Frmdessous")) session().show("Frmdessous", true);
    } else if (sv.FormulaId == FormulaCode::PipeWindowPage && !sv.PipeWindowOpen) {
        sv.PipeWindowOpen = true;
        conduiteCirculaire();
    }
}

// ------------------------------------------------------------ shared buttons

void Formmain::wallClassChosen() {
    SharedValues& sv = shared();
    const std::string chosen = trim(ctl("Combo1").text());
    for (const WallClass& w : WallClasses) {
        if (chosen != w.name) continue;
        sv.SharedRoughness = w.n;
        const std::string n = formatGeneral(w.n, sv.DecimalComma ? ',' : '.');
        if (sv.FormulaId == FormulaCode::RectangularChannel || sv.FormulaId == FormulaCode::TrapezoidChannel ||
            sv.FormulaId == FormulaCode::CircularChannel)
            set("zonetxt", 5, n);
        else if (sv.FormulaId == FormulaCode::ChannelDepth)
            set("zonetxt", 3, n);
        return;
    }
}

void Formmain::bazinCheck() {
    SharedValues& sv = shared();
    if (sv.SharedRoughness == 0) return;
    const float gamma = manningToBazin(sv.SharedRoughness, dialogs());
    // Below n = 0.01 the conversion gives no coefficient: the check stops with its message.
    if (sv.SharedRoughness < 0.01f) return;
    const float r = sv.SharedHydraulicRadius;
    const float j = channelSlope;
    // Bazin: V = 87 √(R J) / (1 + γ / √R), J in m per m.
    const float v = cdiv(87.0f * csqrt(r * j / 1000.0f), 1.0f + cdiv(gamma, csqrt(r)));
    set("zonetxt", 1, formatMask(v, "##0.#####"));
    sv.SharedFlow.set(checkedValue(static_cast<double>(v) * wettedArea), FlowRateUnit::CubicMetresPerSecond);
    Control& line = ctl("Label1");
    line.caption = "Débit Bazin : " + formatMask(sv.SharedFlow, "##0.#####");
    line.visible = true;
}

void Formmain::manningTable() {
    if (!dialogs().question("Voulez vous ouvrir  maintenant la page \ndes coeficients de Manning ?")) return;
    const auto page = findFile(session().appFolder(), "Nmanning.htm");
    platform().openWebPage(page ? pathToUtf8(*page) : shared().AppFolder + "Nmanning.htm");
}

void Formmain::copyInputsForEditor() {
    Platform& p = platform();
    p.clearClipboard();
    std::string text;
    for (int i = 0; i <= 5; ++i) text += ctl("Label", i).caption + " " + txt("zonetxt", i) + "\r\n";
    text += txt("Text3");
    p.setClipboard(text);
    p.openTextEditor();
}

// ------------------------------------------------------------ exchange files

void Formmain::saveInputs() {
    SharedValues& sv = shared();
    const auto& folder = session().appFolder();
    if (sv.FormulaId == FormulaCode::InjectorFlow) {
        const auto existing = findFile(folder, "Tempobuse");
        if (existing &&
            !dialogs().question("Voulez vous écraser le fichier actuel \ndu calcul de Conduite circulaire ?\n"))
            return;
        // The flow in l/s; a result too large for it stops the save and leaves the value as it was.
        sv.SharedFlow.set(checkedValue(num("zoneresu") * 1000.0f), FlowRateUnit::LitresPerSecond);
        saveLines(existing.value_or(session().file("Tempobuse")),
                  {"Plastic", txt("zonetxt", 1), formatNumber(sv.SharedFlow), txt("zonetxt", 0), txt("zonetxt", 3),
                   tempobuseExtra_});
    } else if (sv.FormulaId == FormulaCode::FullFlowPipe) {
        ctl("Label1").caption = "Enregistrer temporaire\r\nvos données";
        std::vector<std::string> lines;
        for (int i = 0; i <= 6; ++i) lines.push_back(txt("zonetxt", i));
        saveLines(findFile(folder, "Temporary").value_or(session().file("Temporary")), lines);
    }
}

void Formmain::readTempobuse() {
    const auto path = findFile(session().appFolder(), "Tempobuse");
    if (!path) return;
    // One value per line, so that a value typed with a decimal comma comes back whole.
    const std::vector<std::string> fields = readDesignValues(*path);
    auto field = [&](std::size_t k) -> const std::string& {
        if (k > fields.size()) throw CalcError(ErrPastEnd);
        return fields[k - 1];
    };
    field(1);  // the wall material: this page's pipe is plastic
    set("zonetxt", 1, field(2));
    set("zonetxt", 5, field(3));
    set("zonetxt", 0, field(4));
    set("zonetxt", 3, field(5));
    tempobuseExtra_ = field(6);
}

void Formmain::readTemporary() {
    const auto path = findFile(session().appFolder(), "Temporary");
    if (!path) return;
    const std::vector<std::string> fields = readDesignValues(*path);
    for (std::size_t i = 0; i < 7; ++i) {
        if (i >= fields.size()) throw CalcError(ErrPastEnd);
        set("zonetxt", static_cast<int>(i), fields[i]);
    }
}

}  // namespace aub
