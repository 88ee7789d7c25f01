#pragma once
// The main window "PAGE GENERALE": the program's menu bar and, in its client area,
// the general page — a small calculator that each formula menu entry turns into the
// page of its formula.
//
// A formula page is a record (FormulaPage.h) in its catalogue's file; this class
// keeps the window, its menus and the page frame that every formula page uses.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/FormulaPage.h"
#include "forms/Form.h"
#include "forms/MainWindow.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Formmain : public Form, public MainWindow {
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
    void caption(int i, std::string text);  // Label(i)
    void prefill(int i, float value);       // zonetxt(i) = FormatNumber(value) when value is not 0
    void title(std::string text);           // Label3, shown
    // What the other windows may do to the page (MainWindow).
    void hideHelpBox() override;    // Text1 hidden
    void hidePageTitle() override;  // Label3 hidden

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
    float channelSlope = 0;     // J
    float wettedArea = 0;       // A, m²
    float wettedPerimeter = 0;  // P, m
    float froude = 0;           // Fr

    // ---- formula pages (Formulas.cpp) ----
    // Every page of every catalogue, in menu order.
    static const std::vector<FormulaPage>& formulaPages();
    static const FormulaPage* formulaPage(FormulaCode code);
    // The menu entry of a formula page: the page set up as its record says.
    void choosePage(const FormulaPage& page);
    // A formula page as a calculation of the parametric study: its title as the page
    // shows it, its menu entry to prepare the page, "CALCUL " and its boxes.
    static StudyDeclaration studyDeclaration(const FormulaPage& page);

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

    friend class PageContext;
    // Labelresu shown with `unit`, zoneresu = `value`.
    void showResult(std::string unit, std::string value);
    // The decimal separator of the regional settings, for the general regional format.
    char regionalSeparator() const;
};

}  // namespace aub
