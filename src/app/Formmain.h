#pragma once
// The main window "PAGE GENERALE": the program's menu bar and, in its client area,
// the general page — a small calculator that each formula menu entry turns into the
// page of its formula.
//
// A formula page is written as two members of this class (in Formulas.cpp):
//  - its configuration, run by its menu entry, in this order: window size when the
//    page has one (placeWindow), FormulaId, vusGene(mask), captions Label(i), defaults
//    in zonetxt(i), pre-fills from the program-wide values that are not zero
//    (prefill), the title (title), then its extra controls (Combo1, KManning,
//    Labelresu, Command2, Text3);
//  - its calculation routine, run by "CALCUL " when FormulaId is its code.
// Both are entered in the table formulaPages() (Formulas.cpp), by code.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"

namespace aub {

class Formmain : public Form {
public:
    explicit Formmain(Session& s);
    void load() override;
    void activate() override;
    bool queryUnload(CloseMode mode) override;

    // ---- the general page (GeneralPage.cpp) ----

    // Vusgéné: sets the page up for the current FormulaId — help box and its
    // explanation text (record FormulaId of the help-text file), result caption
    // hidden, the mask applied with clearing, zoom box emptied, box 1 unlocked,
    // about text, Bazin button and wall list hidden, result box emptied.
    void vusGene(std::string_view mask);
    // Vusnonvus: applies a page mask. Only the first 8 and the last 8 characters
    // count: character i of the first 8 governs Label(i), character i of the last 8
    // governs zonetxt(i); "1" shows, "0" hides, any other character leaves the
    // control as it is. Shorter masks overlap ("111110011111001" gives "11111001"
    // to both). keep = false empties the eight boxes and captions.
    void vusNonVus(std::string_view mask, bool keep);

    // Window size and place, in twips. A height of StripHeightTw or less leaves only
    // the menu bar (and the about text) in view: the page is put out of sight, its
    // controls keeping their state; a taller window brings it back.
    static constexpr int StripHeightTw = 2500;
    void placeWindow(int topTw, int heightTw, int widthTw);

    // Helpers of the page configurations.
    void caption(int i, std::string text);   // Label(i)
    void prefill(int i, float value);        // zonetxt(i) = FormatNumber(value) when value is not 0
    void title(std::string text);            // Label3, shown

    // "CALCUL ": "Données manquantes" when box 0 reads as 0, otherwise the routine of
    // the current code (nothing for a code without routine).
    void calcul();

    // The inputs of two pages kept in files of the program folder, for the
    // pressure-pipe window and for the next session.
    //  "Tempobuse" (page 12): 1 "Plastic", 2 zonetxt(1) pipe diameter mm,
    //     3 FormatNumber(flow l/s), 4 zonetxt(0) total fall m, 5 zonetxt(3) pipe
    //     length m, 6 the sum of singular loss coefficients kept from the last reading.
    //  "Temporary" (page 26): zonetxt(0) .. zonetxt(6).
    // Written by a click on Label1 (saveInputs); read back by the page's
    // configuration when the file exists (readTempobuse / readTemporary).
    void saveInputs();
    void readTempobuse();
    void readTemporary();

    // Values of the last gate or channel calculation, read by the Bazin check.
    // The channel pages keep their slope in mm per m; the depth search (code 22)
    // keeps its slope in m per m in the same value.
    float channelSlope = 0;      // J
    float wettedArea = 0;        // A, m²
    float wettedPerimeter = 0;   // P, m
    float froude = 0;            // Fr

    // ---- formula pages (Formulas.cpp) ----
    using PageMember = void (Formmain::*)();
    struct FormulaPage {
        std::uint8_t code;         // FormulaId set by its menu entry
        const char* routineName;   // the calculation's name
        PageMember configure;      // run by its menu entry; null while not written
        PageMember routine;        // run by "CALCUL "; null while not written
        bool showsLabel1First;     // "CALCUL " shows the result line before the routine
    };
    static const std::vector<FormulaPage>& formulaPages();
    static const FormulaPage* formulaPage(int code);
    // The menu entry of a formula page: its configuration (nothing while not written).
    void choosePage(std::uint8_t code);

    // ---- menus (MainMenus.cpp) ----

    // "Conduite circulaire": the pressure-pipe window below the main window's strip,
    // the general page blank unless the pipe window is already open.
    void conduiteCirculaire();
    // Opens a design window as its menu entry does. `failurePrefix` (may be empty)
    // replaces the error text when the window cannot be built: prefix + error number.
    void openDesignWindow(const std::string& window, const std::string& failurePrefix = "");

    // ---- data folders (DataFolders.cpp) ----

    // initdeux: creates the four data folders and copies the sample designs into
    // them; the first failure stops it with its description, "\n", " Numéro " and
    // its number.
    void initdeux();
    // The confirmation asked before initdeux: only the answer "non" cancels.
    void confirmInitdeux();

    // ---- help, about, printing (HelpAbout.cpp) ----
    void printWindow();      // "Feuille visible"
    void localHelp();        // "Aide locale"
    void generalHelp();      // "Aide géné"
    void whiteBackground();  // "Fondcolor"
    void savedFilesText();   // "Fichiers   sauvegarde"
    void about();            // "&A propos"

    static constexpr int VersionMajor = 13;
    static constexpr int VersionMinor = 7;
    static constexpr int BackgroundColor = 0xAACA0F;  // RGB (170, 202, 15)

private:
    void buildPage();
    void buildMenus();
    void enableDesignEntries();
    void installAtFirstStart();
    bool installFolders(bool completing);  // false after showing the failure
    void wallClassChosen();
    void bazinCheck();
    void manningTable();
    void copyInputsForEditor();
    void pageClicked();
    void helpBoxClicked();

    std::string tempobuseExtra_;  // sixth field of "Tempobuse", kept from its last reading

    // ---- formula pages: configurations (menu entries) and calculation routines ----
    // Common start of every formula page: FormulaId, the page set up with the mask
    // (with clearing), the result box back in view and the captions' highlight removed.
    void beginPage(std::uint8_t code, std::string_view mask);
    // Labelresu shown with `unit`, zoneresu = `value`.
    void showResult(std::string unit, std::string value);
    // The decimal separator of the regional settings, for the general regional format.
    char regionalSeparator() const;

    // Options1 and Options2 (FormulasOptions.cpp). Units as the captions say.
    void pageVanne();              // "&Vanne", code 3
    void qVanne();                 // Qvanne: flow under a sluice gate
    void pageHydrostatique();      // "Pression hydrostatique", code 30
    void hydrostat();              // Hydrostat: thrust of still water on a wall
    void pageChocJet();            // "&Choc d'un jet", code 4
    void fSurPlaque();             // Fsurplaque: force of a jet on a plate
    void pagePuissanceJet();       // "&Puissance  d'un jet", code 5
    void pourPlaque();             // Pourplaque: kinetic power of a jet
    void pagePuissanceChute();     // "Puissance d'une chute", code 6
    void pDeChute();               // Pdechute: gross power of a fall
    void pageDiametreArbre();      // "Diamètre d'un arbre", code 23
    void dDeArbre();               // DdeArbre: shaft diameter
    void pageHauteurChute();       // "Hauteur chute", code 1
    void vHauteur();               // Vhauteur: velocity from a head
    void pageVitesseDiametre();    // "Vitesse diamètre", code 2
    void vtDiam();                 // Vtdiam: speed from a diameter
    void pageVitesseSpecifique();  // "&Vitesse spécifique", code 8
    void vSpecicik();              // Vspécicik: specific speed
    void pageDeversoir();          // "&Déversoir", code 7
    void minceParoi();             // Minceparoi: sharp-crested weir
    void pageVitessesMode1();      // "Vitesses mode 1", code 17
    void dnvMod01();               // Dnvmod01: speed, angular speed, power
    void pageVitessesMode2();      // "Vitesses mode 2", code 13
    void dnvMode2();               // Dnvmode2: peripheral speed, angular speed, torque

    // Options3 (FormulasOptions.cpp).
    void pageSimilitude();         // "Similitude", code 14
    void similitude();             // Similitude: similar wheel under another head
    void pageDebitInjecteur();     // "débit injecteur", code 12
    void debitInjecteur();         // Débitinjecteur: flow of a nozzle
    void pagePleinDebit();         // "Conduite  plein débit", code 26
    void conduitOuverte();         // Conduitouverte: pipe at full flow (Hazen-Williams)
    void pageAubeCylindrique();    // "Aube Cylindrique", code 24
    void etudiAubpt();             // etudiaubpt: curved blade in a free jet (Euler)

    // Head losses (FormulasHeadLoss.cpp).
    void pageCanalRectangulaire(); // "Canal rectangulaire", code 10
    void pageCanalTrapeze();       // "Canal en trapèze", code 15
    void pageCanalCirculaire();    // "Canal circulaire", code 16
    void perteChCanal();           // Pertechcanal: uniform flow in a channel (Manning)
    void pageDebitCanal();         // "Débit dun canal", code 22
    void hDeQCanal();              // HdeQcanal: depth of a rectangular channel for a flow
    void pageCoude();              // "Coude simple", code 25
    void coudes();                 // Coudes: loss in a pipe bend
};

}  // namespace aub
