#pragma once
// The codes of the formula pages and design windows. A menu entry sets the code of
// what it opens in SharedValues::FormulaId; the code is also the record of the
// help-text file that explains it.
#include <cstdint>

namespace aub {

enum class FormulaCode : std::uint8_t {
    None = 0,
    HeadVelocity = 1,         // "Hauteur chute"
    DiameterSpeed = 2,        // "Vitesse diamètre"
    SluiceGate = 3,           // "&Vanne"
    JetImpact = 4,            // "&Choc d'un jet"
    JetPower = 5,             // "&Puissance  d'un jet"
    FallPower = 6,            // "Puissance d'une chute"
    Weir = 7,                 // "&Déversoir"
    SpecificSpeed = 8,        // "&Vitesse spécifique"
    PressurePipe = 9,         // "Conduite circulaire"
    RectangularChannel = 10,  // "Canal rectangulaire"
    UndershotWheel = 11,      // "Roue en dessous"
    InjectorFlow = 12,        // "débit injecteur"
    SpeedsMode2 = 13,         // "Vitesses mode 2"
    Similarity = 14,          // "Similitude"
    TrapezoidChannel = 15,    // "Canal en trapèze"
    CircularChannel = 16,     // "Canal circulaire"
    SpeedsMode1 = 17,         // "Vitesses mode 1"
    HangingWheel = 19,        // "Roue pendante"
    SagebienWheel = 20,       // "Roue Sagebien"
    PonceletWheel = 21,       // "Roue Poncelet"
    ChannelDepth = 22,        // "Débit dun canal"
    ShaftDiameter = 23,       // "Diamètre d'un arbre"
    CylindricalBlade = 24,    // "Aube Cylindrique"
    PipeBend = 25,            // "Coude simple"
    FullFlowPipe = 26,        // "Conduite  plein débit"
    PipeWindowPage = 27,      // the pressure-pipe window's page
    HydrostaticThrust = 30,   // "Pression hydrostatique"
    BreastshotWheel = 31,     // "Roue de coté"
    OvershotFlume = 32,       // "Spécial coursier"
    Basins = 33,              // "Bassins"
    AnnualEnergy = 35,        // "Productible annuel (débits classés)"
    EconomicBalance = 37,     // "Bilan économique"
    ArchimedesScrew = 38,     // "Vis hydrodynamique"
};

// The help record, or the number a listing shows.
constexpr int number(FormulaCode code) { return static_cast<int>(code); }

}  // namespace aub
