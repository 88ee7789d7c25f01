// The calculations a parametric study may run: every registered window declares its
// calculations or that it has none, and every declaration names controls its window
// really has and calculates, on the window's defaults or on a delivered design.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Formmain.h"
#include "app/FormulaPage.h"
#include "core/NumberText.h"
#include "forms/StudyDeclaration.h"
#include "study/Study.h"
#include "support/WindowTest.h"

namespace aub {
void registerAllWindows(WindowCatalog& catalog);
}

namespace aub::test {
namespace {

const WindowCatalog& programCatalog() {
    static const WindowCatalog catalog = [] {
        WindowCatalog c;
        registerAllWindows(c);
        return c;
    }();
    return catalog;
}

TEST(StudyCatalogTest, EveryRegisteredWindowDeclaresItsCalculationsOrNone) {
    const WindowCatalog& catalog = programCatalog();
    for (const std::string& name : catalog.names())
        EXPECT_TRUE(catalog.studyDeclared(name)) << name << " : ni calcul déclaré ni declareNoStudy";
}

TEST(StudyCatalogTest, EachDeclarationIsComplete) {
    std::set<std::string> captions;
    for (const StudyDeclaration& d : programCatalog().studies()) {
        SCOPED_TRACE(d.caption);
        EXPECT_TRUE(captions.insert(d.caption).second);
        // The window by its registered spelling, so that the study finds it as it is.
        EXPECT_EQ(programCatalog().canonical(d.window), d.window);
        EXPECT_FALSE(d.action.empty());
        EXPECT_FALSE(d.inputs.empty());
        EXPECT_FALSE(d.results.empty());
        std::set<std::string> keys;
        for (const auto* boxes : {&d.inputs, &d.results})
            for (const StudyBox& b : *boxes) {
                EXPECT_TRUE(keys.insert(b.key).second) << b.key << " déclaré deux fois";
                EXPECT_FALSE(trim(b.caption).empty()) << b.key;
            }
    }
}

TEST(StudyCatalogTest, TheIssuesCalculationsAreAllThere) {
    std::set<std::string> captions;
    for (const StudyDeclaration& d : programCatalog().studies()) captions.insert(d.caption);
    for (const char* c : {"Roue en dessous — Vanne droite",
                          "Roue de côté",
                          "Roue Poncelet",
                          "Roue Sagebien",
                          "Turbine — Calcul 1 (vitesse vraie)",
                          "Turbine — Calcul 2 (vitesse spécifique)",
                          "Turbine Banki",
                          "Conduite en charge — Colebrook",
                          "Conduite en charge — Scimemi",
                          "Deux bassins",
                          "Canal (Darcy)",
                          "Eolienne simple",
                          "Eolienne à profils",
                          "Marteau de forge",
                          "Productible annuel",
                          "Spécial coursier",
                          "Vanne simple",
                          "Pression hydrostatique",
                          "Débit d'une conduite vos données",
                          "Vis hydrodynamique"})
        EXPECT_TRUE(captions.count(c)) << c;
    // One declaration per formula page of the catalogues, found by the page's caption.
    std::multiset<std::string> declared;
    for (const StudyDeclaration& d : programCatalog().studies())
        if (d.window == "Formmain") declared.insert(d.caption);
    EXPECT_EQ(declared.size(), Formmain::formulaPages().size());
    for (const FormulaPage& page : Formmain::formulaPages())
        EXPECT_EQ(declared.count(Formmain::studyDeclaration(page).caption), 1u) << page.entry;
}

// ------------------------------------------------------------ each declaration run

// What a person does first where the window opens empty: a delivered design, a wall.
const std::map<std::string, std::vector<std::string>> Preparations = {
    {"Formrouehaut", {"List1=H0Dalmor.txt"}},
    {"Frmdessous", {"List1=Bmoulin01.txt", "Combo1=Bois"}},
    {"Frmrouedecoté", {"List1=Cmoulin01.txt"}},
    {"FrmPoncel", {"List1=Pmoulin01.txt"}},
    {"FrmSagebi", {"List1=Sageb01.txt"}},
    {"Frmvis", {"List1=Vismoulin01.txt"}},
    {"Banki", {"Fichier/Ouvrir"}},
    {"Formbuse", {"Combo1=Acier soudé"}},
    {"Form12", {"Combo1=Acier soudé"}},
    {"Frmpertecou", {"Fichier/Ouvre"}},
    {"Productible", {"Fichier/Ouvrir"}},
    // The hammer's blows follow the undershot wheel's speed.
    {"Frmmarteau", {"Frmdessous:List1=Bmoulin01.txt", "Frmdessous:Combo1=Bois", "Frmdessous:Combo2=INCLINEE"}},
    // The economic balance reads the annual energy of the sample study.
    {"BilanEconomique", {"Productible:Fichier/Ouvrir", "Productible:Calcul", "Reprendre"}},
};
// Formula pages: every empty input gets "2", except where the page needs another value.
const std::map<std::string, std::map<std::string, std::string>> PageValues = {
    {"Vanne simple", {{"zonetxt(2)", "0.5"}}},
    {"Pertes de charge dans un coude", {{"zonetxt(1)", "300"}}},
    {"Perte de charge dans un canal trapézoidal", {{"zonetxt(2)", "5"}, {"zonetxt(6)", "60"}}},
    {"Hauteur d'eau dans un canal rectangukire en fonction du débit", {{"zonetxt(3)", "0.02"}}},
};

// A caption compared with what the window shows: blanks collapsed, the "=" or ":"
// that ends a caption dropped.
std::string plain(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    out = trim(out);
    while (!out.empty() && (out.back() == '=' || out.back() == ':' || out.back() == ' ')) out.pop_back();
    return out;
}

// The caption a person reads beside a box: the nearest label on its left in the same
// row of the same frame, or the control's own caption (lists, check boxes).
std::string captionBeside(Form& form, const Control& box) {
    const Control* best = nullptr;
    for (const auto& c : form.controls()) {
        if (c->kind() != ControlKind::Label || c->place.frame != box.place.frame || c->place.row != box.place.row ||
            c->place.col >= box.place.col)
            continue;
        if (!best || c->place.col > best->place.col) best = c.get();
    }
    if (best) return best->caption;
    return box.kind() == ControlKind::TextBox ? std::string() : box.caption;
}

bool sameCaption(const std::string& declared, const std::string& shown) {
    const std::string a = plain(declared), b = plain(shown);
    return !b.empty() && (a.find(b) != std::string::npos || b.find(a) != std::string::npos);
}

std::string testName(const ::testing::TestParamInfo<std::size_t>& info) {
    std::string name;
    for (char c : programCatalog().studies()[info.param].caption)
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name + "_" + std::to_string(info.param);
}

std::vector<std::size_t> declarationIndices() {
    std::vector<std::size_t> all;
    for (std::size_t i = 0; i < programCatalog().studies().size(); ++i) all.push_back(i);
    return all;
}

class DeclarationRunTest : public WindowTest, public ::testing::WithParamInterface<std::size_t> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The main window finds its data folders and installs nothing.
        for (const char* dir : {"Rouehaut", "Sagebien", "Bankiwheel", "Roueparbas"})
            std::filesystem::create_directories(folder() / dir);
    }
    const StudyDeclaration& declaration() { return catalog_.studies()[GetParam()]; }
};

TEST_P(DeclarationRunTest, NamesRealBoxesAndCalculates) {
    const StudyDeclaration& d = declaration();
    // As the study prepares it: opened as its menu entry opens it, then the steps.
    Form& form = open(d.window);
    for (const std::string& s : d.setup) step(d.window, s);
    if (auto p = Preparations.find(d.window); p != Preparations.end()) {
        if (d.window == "Productible" || d.window == "BilanEconomique") answer("Site exemple");
        for (const std::string& s : p->second) step(d.window, s);
    }
    if (!d.filesList.empty()) {
        EXPECT_NE(form.findKey(d.filesList), nullptr) << d.filesList;
    }

    std::map<std::string, std::string> before;
    for (const auto* boxes : {&d.inputs, &d.results})
        for (const StudyBox& b : *boxes) {
            Control* c = form.findKey(b.key);
            ASSERT_NE(c, nullptr) << b.key;
            before[b.key] = captionBeside(form, *c);
        }
    if (d.window == "Formmain") {
        const auto values = PageValues.find(d.caption);
        for (const StudyBox& b : d.inputs) {
            std::string v = "2";
            if (values != PageValues.end()) {
                if (auto o = values->second.find(b.key); o != values->second.end()) v = o->second;
            }
            if (trim(form.findKey(b.key)->text()).empty() || v != "2") step(d.window, b.key + "=" + v);
        }
    }

    step(d.window, d.action);

    int filled = 0;
    for (const StudyBox& b : d.results) {
        const std::string shown = form.findKey(b.key)->text();
        if (!trim(shown).empty()) ++filled;
        EXPECT_EQ(shown.find("nan"), std::string::npos) << b.key;
        EXPECT_EQ(shown.find("inf"), std::string::npos) << b.key;
    }
    EXPECT_GT(filled, 0) << "aucun résultat après " << d.action;
    // Each caption is the one beside its box, before or after the calculation.
    for (const auto* boxes : {&d.inputs, &d.results})
        for (const StudyBox& b : *boxes) {
            const std::string after = captionBeside(form, *form.findKey(b.key));
            if (before[b.key].empty() && after.empty()) continue;  // a box without a label (notes)
            EXPECT_TRUE(sameCaption(b.caption, before[b.key]) || sameCaption(b.caption, after))
                << b.key << " déclaré « " << b.caption << " », affiché « " << before[b.key] << " » / « " << after
                << " »";
        }
}

INSTANTIATE_TEST_SUITE_P(EveryCalculation, DeclarationRunTest, ::testing::ValuesIn(declarationIndices()), testName);

// ------------------------------------------------------------ a study is single runs

class StudyPointsTest : public DeclarationRunTest {};

// Each point of a study of a formula page is what the page shows when the person types
// the same values, failures included (a gate opened above half the head).
TEST_F(StudyPointsTest, GatePagePointsAreSingleRunsOfThePage) {
    StudyRequest r;
    r.calculation = "Vanne simple";
    r.parameter = "Levée de la vanne (m)";
    r.from = 0.2;
    r.to = 1.4;
    r.points = 4;
    r.followed = {"Débit en m3/s", "Coefficient contraction", "Vitesse de l'eau m/s", "Epaisseur du jet"};
    r.startValues = {{"zonetxt(0)", "2"}, {"zonetxt(1)", "2"}};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 4u);

    open("Formmain");
    int failed = 0;
    for (const StudyRow& row : study.rows()) {
        const std::size_t shown = messages().size();
        step("Formmain", "Vanne");  // the page afresh, its boxes emptied
        step("Formmain", "zonetxt(0)=2");
        step("Formmain", "zonetxt(1)=2");
        step("Formmain", "zonetxt(2)=" + study.valueText(row.value));
        step("Formmain", "CALCUL ");
        const std::vector<std::string> single = {
            trim(text("Formmain", "zoneresu")), trim(text("Formmain", "zonetxt", 3)),
            trim(text("Formmain", "zonetxt", 4)), trim(text("Formmain", "zonetxt", 7))};
        EXPECT_EQ(row.results, single) << "levée " << row.value;
        const std::vector<std::string> all = messages();
        EXPECT_EQ(row.message, all.size() > shown ? all[shown] : "") << "levée " << row.value;
        if (!row.message.empty()) {
            ++failed;
            expectMessage(row.message);
        }
    }
    EXPECT_EQ(failed, 1);  // 1.4 m under a 2 m head
    EXPECT_EQ(study.rows()[3].message, "levée trop grande");
    EXPECT_FALSE(study.rows()[0].results[0].empty());
}

// A study of the pipe, one curve per diameter, gives what the pipe window gives for
// the same wall, flow and diameter.
TEST_F(StudyPointsTest, PipePointsAreSingleRunsOfThePipeWindow) {
    StudyRequest r;
    r.calculation = "Conduite en charge — Colebrook";
    r.parameter = "Débit l/s";
    r.from = 50;
    r.to = 300;
    r.points = 3;
    r.second = "Diamètre mm";
    r.secondValues = {"200", "250"};
    r.followed = {"Valbox(6)", "Vitesse de l'eau m/s", "H résiduelle m"};
    r.startValues = {{"Combo1", "Acier soudé"}, {"Valbox(0)", "Acier soudé"}};
    Study study(catalog_, folder(), r);
    ASSERT_TRUE(study.ok()) << study.error();
    study.runAll();
    ASSERT_EQ(study.rows().size(), 6u);

    open("Formbuse");
    step("Formbuse", "Combo1=Acier soudé");
    for (const StudyRow& row : study.rows()) {
        step("Formbuse", "Valbox(1)=" + row.secondValue);
        step("Formbuse", "Valbox(2)=" + study.valueText(row.value));
        step("Formbuse", "Colebrook");
        EXPECT_EQ(row.results,
                  (std::vector<std::string>{trim(text("Formbuse", "Valbox", 6)), trim(text("Formbuse", "Valbox", 9)),
                                            trim(text("Formbuse", "Valbox", 8))}))
            << "D = " << row.secondValue << ", Q = " << row.value;
        EXPECT_EQ(row.message, "");
    }
    // Both curves differ: the diameter reached the window.
    EXPECT_NE(study.rows()[0].results, study.rows()[3].results);
}

}  // namespace
}  // namespace aub::test
