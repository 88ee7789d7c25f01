// The worked examples of the help texts, run through the program. Each row is one
// example: where its text is (a record of the help-text file or a page of the program
// folder), the window and the steps a person would take, and the figures the text
// quotes with the control that shows each of them. A figure is written as a phrase of
// the text with the figure in brackets: "H = 0,5 m donne [3,13] m/s". The row checks
// that the text still holds the phrase and that the control shows the figure, to the
// digits the text gives. When a calculation changes, the failing row names the text to
// rewrite; when a text is rewritten, the row is updated with it.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/WindowTest.h"

namespace aub::test {
namespace {

struct Figure {
    Figure(std::string p, std::string c, std::string a = {})
        : phrase(std::move(p)), control(std::move(c)), after(std::move(a)) {}
    std::string phrase;   // as in the text, the figure in brackets
    std::string control;  // "zoneresu", "Valbox(8)", or "Formsurfa:Resubox(14)" for another window
    std::string after;    // when set, the figure is the number that follows this in the control's text
};

struct Example {
    std::string name;    // the test's name: the text and the example
    std::string source;  // a record number, or a file of the program folder
    std::string window;  // opened the way its menu entry opens it
    std::vector<std::string> steps;
    std::vector<Figure> figures;
};

std::ostream& operator<<(std::ostream& out, const Example& e) { return out << e.name; }

const Example Examples[] = {
    // ------------------------------------------------------------ general page
    {"Record01_HalfMetre",
     "1",
     "Formmain",
     {"Options2/Hauteur chute", "zonetxt(0)=0.5", "CALCUL "},
     {{"H = 0,5 m donne [3,13] m/s", "zoneresu"}}},
    {"Record01_OneMetre",
     "1",
     "Formmain",
     {"Options2/Hauteur chute", "zonetxt(0)=1", "CALCUL "},
     {{"H = 1 m donne [4,43] m/s", "zoneresu"}}},
    {"Record01_FiveMetres",
     "1",
     "Formmain",
     {"Options2/Hauteur chute", "zonetxt(0)=5", "CALCUL "},
     {{"H = 5 m donne [9,90] m/s", "zoneresu"}}},
    {"Record01_TwentyMetres",
     "1",
     "Formmain",
     {"Options2/Hauteur chute", "zonetxt(0)=20", "CALCUL "},
     {{"H = 20 m donne [19,81] m/s", "zoneresu"}}},
    {"Record02_RimSpeed",
     "2",
     "Formmain",
     {"Options2/Vitesse diamètre", "zonetxt(0)=4", "zonetxt(1)=1.6", "CALCUL "},
     {{"donnent N = [7,64] t/min", "zoneresu"}}},
    {"Record02_WaterSpeedPrefilled",
     "2",
     "Formmain",
     {"Options2/Hauteur chute", "zonetxt(0)=1", "CALCUL ", "Options2/Vitesse diamètre"},
     {{"la case 1 montre [4,43] m/s", "zonetxt(1)"}}},
    {"Record03_Gate",
     "3",
     "Formmain",
     {"Options1/Vanne", "zonetxt(0)=2", "zonetxt(1)=2", "zonetxt(2)=0.5", "CALCUL "},
     {{"donnent Cc = [0,55]", "zonetxt(3)"}, {"V = [6,05] m/s", "zonetxt(4)"}, {"Q = [3,22] m3/s", "zoneresu"}}},
    {"Record04_FixedPlate",
     "4",
     "Formmain",
     {"Options1/Choc d'un jet", "zonetxt(0)=10", "zonetxt(1)=10", "CALCUL "},
     {{"F = [100] N sur une plaque fixe", "zoneresu"}}},
    {"Record04_WheelBlades",
     "4",
     "Formmain",
     {"Options1/Choc d'un jet", "zonetxt(0)=10", "zonetxt(1)=10", "zonetxt(2)=5", "CALCUL "},
     {{"[50] N sur les aubes d'une roue qui reculent à 5 m/s", "zoneresu"}}},
    {"Record05_JetPower",
     "5",
     "Formmain",
     {"Options1/Puissance  d'un jet", "zonetxt(0)=10", "zonetxt(1)=5", "CALCUL "},
     {{"S = [19,63] cm²", "zonetxt(3)"}, {"q = [19,63] l/s", "zonetxt(2)"}, {"P = [982] W", "zoneresu"}}},
    {"Record06_PowerOfAFall",
     "6",
     "Formmain",
     {"Options1/Puissance d'une chute", "zonetxt(0)=3", "zonetxt(1)=0.5", "CALCUL "},
     {{"Q = 0,5 m3/s donnent [20] CV", "zoneresu"}}},
    {"Record07_Weir",
     "7",
     "Formmain",
     {"Options2/Déversoir", "zonetxt(0)=10", "zonetxt(1)=50", "zonetxt(2)=1", "CALCUL "},
     {{"mu = [0,413]", "Text2", "mu ="},
      {"Q = [57,9] l/s", "zoneresu"},
      {"une vitesse de [0,579] m/s dans la lame", "zonetxt(3)"}}},
    {"Record08_SpecificSpeed",
     "8",
     "Formmain",
     {"Options2/Vitesse spécifique", "zonetxt(0)=20", "zonetxt(1)=100", "zonetxt(2)=500", "CALCUL "},
     {{"ns = 5000 / 42,3 = [118]", "zoneresu"}}},
    {"Record08_GrossPowerPrefilled",
     "8",
     "Formmain",
     {"Options1/Puissance d'une chute", "zonetxt(0)=3", "zonetxt(1)=0.5", "CALCUL ", "Options2/Vitesse spécifique"},
     {{"(par exemple [20] CV pour H = 3 m", "zonetxt(1)"}}},
    {"Record10_RectangularChannel",
     "10",
     "Formmain",
     {"Perte de charge/Canal rectangulaire", "zonetxt(0)=1", "zonetxt(2)=2", "zonetxt(3)=0.5", "zonetxt(5)=0.0124",
      "CALCUL "},
     {{"donnent R = [0,333] m", "zonetxt(4)"},
      {"V = [1] m/s", "zonetxt(1)"},
      {"J = [0,665] mm/m", "zoneresu"},
      {"Fr = [0,45] (fluvial)", "zonetxt(7)"},
      {"hc = [0,29] m", "Label1", "hauteur critique :"}}},
    {"Record12_Injector",
     "12",
     "Formmain",
     {"Options3/débit injecteur", "zonetxt(0)=20", "zonetxt(2)=50", "CALCUL "},
     {{"Q = [0,0389] m3/s", "zoneresu"}}},
    {"Record13_SpeedsMode2",
     "13",
     "Formmain",
     {"Options2/Vitesses mode 2", "zonetxt(0)=4", "zonetxt(1)=6", "zonetxt(3)=5000", "CALCUL "},
     {{"donnent v = [1,257] m/s", "zoneresu"},
      {"oméga = [0,628] rad/s", "zonetxt(2)"},
      {"C = [7958] N·m", "zonetxt(4)"}}},
    {"Record14_Similarity",
     "14",
     "Formmain",
     {"Options3/Similitude", "CALCUL "},
     {{"donnent P = [15,89] kW", "zoneresu"},
      {"la roue 2 fait [0,25] m", "Text3", "Diamétre  (m)"},
      {"débite [0,00395] m3/s", "Text3", "Débit  (m3/s)"},
      {"tourne à [253] t/min", "Text3", "Vitesse (T/min)"},
      {"fournit [0,157] kW", "Text3", "Puissance (Kw)"}}},
    {"Record15_TrapezoidBySurfaceWidth",
     "15",
     "Formmain",
     {"Perte de charge/Canal en trapèze", "zonetxt(0)=1", "zonetxt(2)=3", "zonetxt(3)=1", "zonetxt(5)=0.02",
      "zonetxt(6)=45", "CALCUL "},
     {{"P = [3,828] m", "Text2", "Périmouillé"},
      {"R = [0,522] m", "zonetxt(4)"},
      {"V = [0,5] m/s, J", "zonetxt(1)"},
      {"J = [0,238] mm/m", "zoneresu"},
      {"Fr = [0,16] (fluvial)", "zonetxt(7)"}}},
    {"Record15_TrapezoidOfKnownBottom",
     "15",
     "Formmain",
     {"Perte de charge/Canal en trapèze", "zonetxt(0)=1", "zonetxt(2)=5", "zonetxt(3)=1", "zonetxt(5)=0.02",
      "zonetxt(6)=45", "CALCUL "},
     {{"A = 4 m² et V = [0,25] m/s", "zonetxt(1)"}}},
    {"Record17_SpeedsMode1",
     "17",
     "Formmain",
     {"Options2/Vitesses mode 1", "zonetxt(0)=4", "zonetxt(1)=1.5", "zonetxt(2)=8000", "CALCUL "},
     {{"donnent N = [7,16] t/min", "zoneresu"},
      {"oméga = [0,750] rad/s", "Text3", "radians/s"},
      {"P = [6000] W", "Text3", "watts"}}},
    {"Record22_DepthOfAChannel",
     "22",
     "Formmain",
     {"Perte de charge/Débit dun canal", "zonetxt(0)=1", "zonetxt(1)=0.5", "zonetxt(2)=1", "zonetxt(3)=0.0168",
      "CALCUL "},
     {{"une profondeur d'environ [0,63] m", "zoneresu"}}},
    {"Record23_Shaft",
     "23",
     "Formmain",
     {"Options1/Diamètre d'un arbre", "zonetxt(0)=10", "zonetxt(1)=100", "CALCUL "},
     {{"d1 = [55,7] mm", "zoneresu"}}},
    {"Record25_Bend",
     "25",
     "Formmain",
     {"Perte de charge/Coude simple", "zonetxt(0)=200", "zonetxt(1)=600", "zonetxt(2)=2", "CALCUL "},
     {{"un coefficient de perte de [0,19]", "zonetxt(3)"},
      {"une perte de [38,8] mm", "zoneresu"},
      {"un débit de [62,8] l/s", "zonetxt(4)"}}},
    {"Record26_HazenWilliams",
     "26",
     "Formmain",
     {"Options3/Conduite  plein débit", "zonetxt(0)=150", "zonetxt(1)=140", "zonetxt(2)=5", "zonetxt(3)=2",
      "zonetxt(4)=200", "CALCUL "},
     {{"un débit de [34,5] l/s", "zonetxt(5)"},
      {"une vitesse de [1,95] m/s", "zoneresu"},
      {"une charge nette de [4,61] m", "zonetxt(6)"},
      {"une perte singulière de [0,389] m", "zonetxt(7)"}}},
    {"Nmanning_EarthChannel",
     "Nmanning.htm",
     "Formmain",
     {"Perte de charge/Canal rectangulaire", "zonetxt(0)=0.634", "zonetxt(2)=2", "zonetxt(3)=0.6", "zonetxt(5)=0.022",
      "CALCUL "},
     {{"R = 1,2 / 3,2 = [0,375] m", "zonetxt(4)"},
      {"= [0,53] m/s, soit", "zonetxt(1)"},
      {"une vitesse de [0,528] m/s", "zonetxt(1)"},
      {"une perte de charge de [0,5] mm/m", "zoneresu"}}},

    // ------------------------------------------------------------ design windows
    {"Record18_H0Dalmor",
     "18",
     "Formrouehaut",
     {"List1=H0Dalmor.txt", "Calcul"},
     {{"donnent [58,8] % (H0Dalmor.txt)", "Resubox(8)"}}},
    {"Record18_H18028",
     "18",
     "Formrouehaut",
     {"List1=H18028.txt", "Calcul"},
     {{"et [58,3] % (H18028.txt)", "Resubox(8)"}}},
    {"Record21_HalfMetre",
     "21",
     "FrmPoncel",
     {"List1=Pmoulin01.txt", "Valbox(0)=0.5", "Command1"},
     {{"donnent [62] %, 65 % et 71 %", "Valbox(17)"}}},
    {"Record21_OneMetre",
     "21",
     "FrmPoncel",
     {"List1=Pmoulin01.txt", "Valbox(0)=1", "Command1"},
     {{"donnent 62 %, [65] % et 71 %", "Valbox(17)"}}},
    {"Record21_TwoMetres",
     "21",
     "FrmPoncel",
     {"List1=Pmoulin01.txt", "Valbox(0)=2", "Command1"},
     {{"donnent 62 %, 65 % et [71] %", "Valbox(17)"}}},
    {"Record27_FullFlow",
     "27",
     "Formbuse",
     {"Combo1=Fonte neuve", "PLein débit"},
     {{"vitesse [4,837] m/s", "Valbox(9)"}, {"et [94,9] mm/m", "Valbox(6)"}}},
    {"Record28_CrossFlow",
     "28",
     "Banki",
     {"Donnée(0)=10", "Donnée(1)=0.1", "Donnée(2)=80", "Donnée(3)=24", "Donnée(4)=16", "Donnée(5)=120", "Donnée(6)=0.5",
      "Calcul"},
     {{"un diamètre extérieur de [0,157] m", "Résultat(0)"},
      {"une vitesse de [851] t/min", "Résultat(3)"},
      {"une puissance de [8] kW", "Résultat(4)"},
      {"ns = [158] t/min", "Résultat(5)"}}},
    {"Record30_Hydrostatic",
     "30",
     "Formmain",
     {"Options1/Pression hydrostatique", "zonetxt(0)=1", "zonetxt(1)=2", "CALCUL "},
     {{"F = [19 620] N", "zonetxt(2)"}}},
    {"Record32_DeliveredFlume",
     "32",
     "Frmpertecou",
     {"Fichier/Ouvre", "Command1"},
     {{"une vitesse de sortie de [1,963] m/s", "Resubox(0)"},
      {"([3,716] m/s sans frottement)", "Resubox(1)"},
      {"un rendement de [27,9] %", "Resubox(2)"},
      {"une perte de charge totale de [0,507] m", "Resubox(3)"},
      {"montre [7,48] W", "Resubox(7)"}}},
    {"Record33_TwoBasins",
     "33",
     "Form12",
     {"Combo1=Fonte neuve", "Command1"},
     {{"vitesse [2,04] m/s", "Valbox(9)"},
      {"frottement [17,1] mm/m", "Valbox(6)"},
      {"pertes singulières [423] mm", "Valbox(10)"},
      {"perte totale [765] mm", "Valbox(7)"},
      {"= [14,235] m de charge", "Valbox(8)"},
      {"dénivellation consommée [0,765] m", "Valbox(13)"}}},
    {"Record35_SiteExemple",
     "35",
     "Productible",
     {"Site(0)=3.2", "Site(1)=0.2", "Site(4)=1.2", "Typemachine=Turbine Kaplan",
      "Courbe=0 ; 6.5\n5 ; 3.2\n10 ; 2.3\n20 ; 1.55\n30 ; 1.15\n40 ; 0.88\n50 ; 0.68\n60 ; 0.52\n70 ; 0.40\n"
      "80 ; 0.30\n90 ; 0.21\n95 ; 0.16\n100 ; 0.08",
      "Calcul"},
     {{"donnent un module de [1,069] m3/s", "Resultat(0)"},
      {"un débit réservé de [0,107] m3/s", "Resultat(1)"},
      {"une puissance maximale brute de [37,7] kW", "Resultat(2)"},
      {"une puissance électrique maximale de [23,7] kW", "Resultat(3)"},
      {"une puissance moyenne de [12,1] kW", "Resultat(4)"},
      {"un productible de [106 245] kWh/an", "Resultat(5)"},
      {"un facteur de charge de [51,2] %", "Resultat(6)"},
      {"[4487] h à pleine puissance", "Resultat(7)"},
      {"[297] jours de fonctionnement", "Resultat(8)"},
      {"le débit d'équipement du plus grand productible du balayage est [2,891] m3/s", "Meilleurqd",
       "productible : "}}},
};

// The text a person reads: a record of the help-text file, or a page with its markup
// taken away; blanks and line ends become single spaces.
std::string readableText(Session& session, const std::filesystem::path& folder, const std::string& source) {
    std::string raw;
    if (source.find_first_not_of("0123456789") == std::string::npos) {
        raw = session.helpText(std::stoi(source));
    } else {
        std::ifstream in(folder / source, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        bool inTag = false;
        for (char ch : all.str()) {
            if (ch == '<')
                inTag = true;
            else if (ch == '>')
                inTag = false;
            else if (!inTag)
                raw += ch;
        }
        for (const auto& [entity, ch] :
             {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
            for (std::size_t at; (at = raw.find(entity)) != std::string::npos;) raw.replace(at, entity.size(), ch);
        }
    }
    std::string text;
    for (char ch : raw) {
        const bool blank = ch == ' ' || ch == '\r' || ch == '\n' || ch == '\t';
        if (!blank)
            text += ch;
        else if (!text.empty() && text.back() != ' ')
            text += ' ';
    }
    return text;
}

// The number a text writes: digits, blanks between groups of three, a decimal comma
// ("19 620", "0,0389"). Returns the value and the number of decimals given.
std::optional<std::pair<double, int>> quotedNumber(const std::string& figure) {
    std::string plain;
    int decimals = -1;
    for (char ch : figure) {
        if (ch == ' ') continue;
        if (ch == ',') {
            if (decimals >= 0) return std::nullopt;
            decimals = 0;
            plain += '.';
        } else if (ch >= '0' && ch <= '9') {
            plain += ch;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (plain.empty()) return std::nullopt;
    return std::make_pair(std::strtod(plain.c_str(), nullptr), std::max(decimals, 0));
}

// The first number of a shown text, written with "." (" .85", "14.235", "8.").
std::optional<double> shownNumber(const std::string& shown) {
    const std::size_t at = shown.find_first_of("-.0123456789");
    if (at == std::string::npos) return std::nullopt;
    const char* begin = shown.c_str() + at;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin) return std::nullopt;
    return value;
}

class HelpExamples : public WindowTest, public ::testing::WithParamInterface<Example> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The data folders exist, as after the first start: nothing is installed on opening.
        for (const char* dir : {"Rouehaut", "Sagebien", "Bankiwheel", "Roueparbas"})
            std::filesystem::create_directories(folder() / dir);
    }

    // A control named "Valbox(8)" on the example's window, "Formsurfa:Resubox(14)" on another one.
    struct Where {
        std::string window, name;
        int index = -1;
    };
    static Where locate(const std::string& window, std::string control) {
        Where w{window, {}, -1};
        if (const std::size_t colon = control.find(':'); colon != std::string::npos) {
            w.window = control.substr(0, colon);
            control = control.substr(colon + 1);
        }
        if (const std::size_t open = control.find('('); open != std::string::npos) {
            w.index = std::stoi(control.substr(open + 1));
            control = control.substr(0, open);
        }
        w.name = control;
        return w;
    }
};

TEST_P(HelpExamples, QuotedFiguresAreWhatTheProgramShows) {
    const Example& e = GetParam();
    const bool isRecord = e.source.find_first_not_of("0123456789") == std::string::npos;
    const std::string where = isRecord ? "record " + e.source + " of Microfich.txt" : e.source;
    const std::string said = readableText(session(), folder(), e.source);
    ASSERT_FALSE(said.empty()) << where << " is empty";

    open(e.window);
    for (const std::string& s : e.steps) {
        step(e.window, s);
        ASSERT_FALSE(HasFatalFailure()) << "step " << s;
    }

    for (const Figure& f : e.figures) {
        const std::size_t open = f.phrase.find('['), close = f.phrase.find(']');
        ASSERT_TRUE(open != std::string::npos && close > open) << "no [figure] in « " << f.phrase << " »";
        const std::string figure = f.phrase.substr(open + 1, close - open - 1);
        const std::string phrase = f.phrase.substr(0, open) + figure + f.phrase.substr(close + 1);
        EXPECT_NE(said.find(phrase), std::string::npos)
            << where << " no longer says « " << phrase << " »: update this example with the text";

        const Where w = locate(e.window, f.control);
        EXPECT_TRUE(session().load(w.window).ctl(w.name, w.index).visible) << f.control << " is not shown";
        std::string shown = text(w.window, w.name, w.index);
        if (!f.after.empty()) {
            const std::size_t at = shown.find(f.after);
            ASSERT_NE(at, std::string::npos)
                << f.control << " shows « " << shown << " », without « " << f.after << " »";
            shown = shown.substr(at + f.after.size());
        }
        const auto quoted = quotedNumber(figure);
        ASSERT_TRUE(quoted) << "« " << figure << " » is not a number";
        const auto value = shownNumber(shown);
        ASSERT_TRUE(value) << f.control << " shows no number: « " << shown << " »";
        // The text rounds what the box shows to the digits it gives; a box showing exactly
        // half a unit more or less agrees with either neighbour.
        const double halfUnit = 0.5 * std::pow(10.0, -quoted->second);
        EXPECT_LE(std::fabs(*value - quoted->first), halfUnit * (1 + 1e-9))
            << where << " quotes " << figure << " where " << e.window << "." << f.control << " shows « " << shown
            << " »: rewrite « " << phrase << " »";
    }
}

INSTANTIATE_TEST_SUITE_P(HelpTexts, HelpExamples, ::testing::ValuesIn(Examples),
                         [](const ::testing::TestParamInfo<Example>& example) { return example.param.name; });

}  // namespace
}  // namespace aub::test
