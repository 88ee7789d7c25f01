#pragma once
// Program-wide values exchanged by the windows. Each holds what the last window
// that wrote it computed; units depend on the writer (see each window).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/FormulaCode.h"

namespace aub {

struct SharedValues {
    // texts and flags
    std::string AppFolder;     // program folder, ending with the path separator
    std::string HelpFilePath;  // AppFolder + "Rudazuz04.chm" (the help pages' entry)
    std::string TodayText;     // dd/mm/yyyy
    std::string DatabaseName;  // "formuhlp.mdb"
    bool DecimalComma = false;
    bool PipeWindowOpen = false;
    std::string HelpRecord;      // one record of the help-text file, 10000 characters
    std::string SharedFilePath;  // data file last opened, or folder used when saving
    std::string SharedLastFile;  // breastshot file last opened
    FormulaCode FormulaId = FormulaCode::None;

    // main quantities
    float SharedHead = 0, SharedFlow = 0, SharedFlowLs = 0, SharedJetFlow = 0, SharedVelocity = 0, SharedDiameter = 0,
          SharedWidth = 0, SharedSpeed = 0, SharedTurbineSpeed = 0, SharedOmega = 0, SharedTorque = 0, SharedPower = 0,
          SharedPowerW = 0, SharedPowerKW = 0, SharedPowerCV = 0, SharedEfficiency = 0, SharedSpecificSpeed = 0,
          SharedRoughness = 0, SharedHydraulicRadius = 0, SharedPeripheralSpeed = 0, SharedForce = 0,
          SharedJetSection = 0, SharedExitDiameter = 0;

    // wheel and jet geometry
    float SharedJetThickness = 0, SharedJetVx = 0, SharedJetVy = 0, SharedJetDrop = 0, SharedPitchAngle = 0,
          SharedAlpha = 0, SharedBeta = 0, SharedGamma = 0, SharedAlphaBeta = 0, SharedRelativeSpeed = 0,
          SharedCrownHeight = 0, SharedRimSpeed = 0, SharedArrivalSpeed = 0, SharedKineticLoss = 0,
          SharedBladeForce = 0, SharedWheelVolume = 0, SharedDensity = 0;

    // The pressure pipe's last Colebrook calculation, in double precision: Reynolds
    // number, Darcy friction factor and relative roughness ε/D (all 0 before one).
    double SharedPipeReynolds = 0, SharedPipeFriction = 0, SharedPipeRelativeRoughness = 0;

    // Every numeric value with its name, for listings and the command line.
    static const std::vector<std::pair<const char*, float SharedValues::*>>& floatFields();
    static const std::vector<std::pair<const char*, std::string SharedValues::*>>& textFields();
};

}  // namespace aub
