#include "core/SharedValues.h"

namespace aub {

#define AUB_FIELD(name) \
    { #name, &SharedValues::name }

const std::vector<std::pair<const char*, float SharedValues::*>>& SharedValues::floatFields() {
    static const std::vector<std::pair<const char*, float SharedValues::*>> fields = {
        AUB_FIELD(SharedHead),
        AUB_FIELD(SharedFlow),
        AUB_FIELD(SharedFlowLs),
        AUB_FIELD(SharedJetFlow),
        AUB_FIELD(SharedVelocity),
        AUB_FIELD(SharedDiameter),
        AUB_FIELD(SharedWidth),
        AUB_FIELD(SharedSpeed),
        AUB_FIELD(SharedTurbineSpeed),
        AUB_FIELD(SharedOmega),
        AUB_FIELD(SharedTorque),
        AUB_FIELD(SharedPower),
        AUB_FIELD(SharedPowerW),
        AUB_FIELD(SharedPowerKW),
        AUB_FIELD(SharedPowerCV),
        AUB_FIELD(SharedEfficiency),
        AUB_FIELD(SharedSpecificSpeed),
        AUB_FIELD(SharedRoughness),
        AUB_FIELD(SharedHydraulicRadius),
        AUB_FIELD(SharedPeripheralSpeed),
        AUB_FIELD(SharedForce),
        AUB_FIELD(SharedJetSection),
        AUB_FIELD(SharedExitDiameter),
        AUB_FIELD(SharedJetThickness),
        AUB_FIELD(SharedJetVx),
        AUB_FIELD(SharedJetVy),
        AUB_FIELD(SharedJetDrop),
        AUB_FIELD(SharedPitchAngle),
        AUB_FIELD(SharedAlpha),
        AUB_FIELD(SharedBeta),
        AUB_FIELD(SharedGamma),
        AUB_FIELD(SharedAlphaBeta),
        AUB_FIELD(SharedRelativeSpeed),
        AUB_FIELD(SharedCrownHeight),
        AUB_FIELD(SharedRimSpeed),
        AUB_FIELD(SharedArrivalSpeed),
        AUB_FIELD(SharedKineticLoss),
        AUB_FIELD(SharedBladeForce),
        AUB_FIELD(SharedWheelVolume),
        AUB_FIELD(SharedDensity),
    };
    return fields;
}

const std::vector<std::pair<const char*, std::string SharedValues::*>>& SharedValues::textFields() {
    static const std::vector<std::pair<const char*, std::string SharedValues::*>> fields = {
        AUB_FIELD(AppFolder),  AUB_FIELD(HelpFilePath),   AUB_FIELD(TodayText),      AUB_FIELD(DatabaseName),
        AUB_FIELD(HelpRecord), AUB_FIELD(SharedFilePath), AUB_FIELD(SharedLastFile),
    };
    return fields;
}

#undef AUB_FIELD

}  // namespace aub
