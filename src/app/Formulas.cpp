// The formula pages of the general page: for each code, the configuration run by its
// menu entry and the calculation run by "CALCUL ".
//
// A page is added by writing its two members (declared in Formmain.h) here and
// naming them in its row below, for instance:
//
//   void Formmain::pageVanne() {                       // "&Vanne"
//       shared().FormulaId = 3;
//       vusGene("111110011111001");
//       caption(0, "Largeur du canal (m)"); ...
//       prefill(0, shared().SharedWidth); ...
//       title("Vanne simple");
//   }
//   void Formmain::qVanne() { ... }                    // Qvanne
//
//   {3, "Qvanne", &Formmain::pageVanne, &Formmain::qVanne, false},
//
// A routine reads its boxes with num("zonetxt", i), uses the checked arithmetic of
// core/Checked.h (a failure shows its description and stops it, what it wrote
// stays), writes the program-wide values, shows Labelresu with the unit and writes
// zoneresu. The gate and channel routines keep their wetted area, perimeter, slope
// and Froude number in wettedArea, wettedPerimeter, channelSlope and froude for the
// Bazin check.
#include "app/Formmain.h"

namespace aub {

const std::vector<Formmain::FormulaPage>& Formmain::formulaPages() {
    // code, calculation, configuration, routine, result line shown before the routine
    static const std::vector<FormulaPage> pages = {
        {1, "Vhauteur", nullptr, nullptr, false},
        {2, "Vtdiam", nullptr, nullptr, false},
        {3, "Qvanne", nullptr, nullptr, false},
        {4, "Fsurplaque", nullptr, nullptr, false},
        {5, "Pourplaque", nullptr, nullptr, false},
        {6, "Pdechute", nullptr, nullptr, false},
        {7, "Minceparoi", nullptr, nullptr, false},
        {8, "Vspécicik", nullptr, nullptr, false},
        {10, "Pertechcanal", nullptr, nullptr, false},
        {12, "Débitinjecteur", nullptr, nullptr, true},
        {13, "Dnvmode2", nullptr, nullptr, false},
        {14, "Similitude", nullptr, nullptr, false},
        {15, "Pertechcanal", nullptr, nullptr, false},
        {16, "Pertechcanal", nullptr, nullptr, false},
        {17, "Dnvmod01", nullptr, nullptr, false},
        {22, "HdeQcanal", nullptr, nullptr, false},
        {23, "DdeArbre", nullptr, nullptr, false},
        {24, "etudiaubpt", nullptr, nullptr, false},
        {25, "Coudes", nullptr, nullptr, false},
        {26, "Conduitouverte", nullptr, nullptr, true},
        {30, "Hydrostat", nullptr, nullptr, false},
    };
    return pages;
}

}  // namespace aub
