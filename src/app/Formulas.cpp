// The formula pages of the general page: for each code, the configuration run by its
// menu entry and the calculation run by "CALCUL ". The pages of the menus Options1,
// Options2 and Options3 are written in FormulasOptions.cpp, the head-loss pages in
// FormulasHeadLoss.cpp.
//
// A routine reads its boxes with num("zonetxt", i), uses the checked arithmetic of
// core/Checked.h (a failure shows its description and stops it, what it wrote
// stays), writes the program-wide values, shows Labelresu with the unit and writes
// zoneresu. The gate and channel routines keep their wetted area, perimeter, slope
// and Froude number in wettedArea, wettedPerimeter, channelSlope and froude for the
// Bazin check.
#include "app/Formmain.h"
#include "core/SharedValues.h"

namespace aub {

const std::vector<Formmain::FormulaPage>& Formmain::formulaPages() {
    using F = Formmain;
    // code, calculation, configuration, routine, result line shown before the routine
    static const std::vector<FormulaPage> pages = {
        {1, "Vhauteur", &F::pageHauteurChute, &F::vHauteur, false},
        {2, "Vtdiam", &F::pageVitesseDiametre, &F::vtDiam, false},
        {3, "Qvanne", &F::pageVanne, &F::qVanne, false},
        {4, "Fsurplaque", &F::pageChocJet, &F::fSurPlaque, false},
        {5, "Pourplaque", &F::pagePuissanceJet, &F::pourPlaque, false},
        {6, "Pdechute", &F::pagePuissanceChute, &F::pDeChute, false},
        {7, "Minceparoi", &F::pageDeversoir, &F::minceParoi, false},
        {8, "Vspécicik", &F::pageVitesseSpecifique, &F::vSpecicik, false},
        {10, "Pertechcanal", &F::pageCanalRectangulaire, &F::perteChCanal, false},
        {12, "Débitinjecteur", &F::pageDebitInjecteur, &F::debitInjecteur, true},
        {13, "Dnvmode2", &F::pageVitessesMode2, &F::dnvMode2, false},
        {14, "Similitude", &F::pageSimilitude, &F::similitude, false},
        {15, "Pertechcanal", &F::pageCanalTrapeze, &F::perteChCanal, false},
        {16, "Pertechcanal", &F::pageCanalCirculaire, &F::perteChCanal, false},
        {17, "Dnvmod01", &F::pageVitessesMode1, &F::dnvMod01, false},
        {22, "HdeQcanal", &F::pageDebitCanal, &F::hDeQCanal, false},
        {23, "DdeArbre", &F::pageDiametreArbre, &F::dDeArbre, false},
        {24, "etudiaubpt", &F::pageAubeCylindrique, &F::etudiAubpt, false},
        {25, "Coudes", &F::pageCoude, &F::coudes, false},
        {26, "Conduitouverte", &F::pagePleinDebit, &F::conduitOuverte, true},
        {30, "Hydrostat", &F::pageHydrostatique, &F::hydrostat, false},
    };
    return pages;
}

void Formmain::beginPage(std::uint8_t code, std::string_view mask) {
    shared().FormulaId = code;
    vusGene(mask);
    // The blade study hides the result box; every other page shows its result there.
    ctl("zoneresu").visible = true;
    // Only the weir page highlights a caption (its result box 3).
    ctl("Label", 3).backColor = NoColor;
}

void Formmain::showResult(std::string unit, std::string value) {
    Control& unitLabel = ctl("Labelresu");
    unitLabel.caption = std::move(unit);
    unitLabel.visible = true;
    set("zoneresu", -1, std::move(value));
}

char Formmain::regionalSeparator() const { return shared().DecimalComma ? ',' : '.'; }

}  // namespace aub
