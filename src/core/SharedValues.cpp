#include "core/SharedValues.h"

namespace aub {

const char* unitName(FlowRateUnit u) { return u == FlowRateUnit::LitresPerSecond ? "l/s" : "m3/s"; }

const char* unitName(HeadUnit u) { return u == HeadUnit::Millimetres ? "mm" : "m"; }

const char* unitName(PowerUnit u) {
    switch (u) {
        case PowerUnit::Watts:
            return "W";
        case PowerUnit::Kilowatts:
            return "kW";
        case PowerUnit::MetricHorsepower:
            return "CV";
        case PowerUnit::NotAPower:
            break;
    }
    return "";
}

float SharedValues::headM() const {
    const float v = SharedHead.value();
    return SharedHead.unit() == HeadUnit::Millimetres ? v / 1000 : v;
}

float SharedValues::flowM3s() const {
    const float v = SharedFlow.value();
    return SharedFlow.unit() == FlowRateUnit::LitresPerSecond ? v / 1000 : v;
}

// 1 CV = 736 W, the metric horsepower the windows use.
std::optional<float> SharedValues::powerKW() const {
    const float v = SharedPower.value();
    switch (SharedPower.unit()) {
        case PowerUnit::Watts:
            return v / 1000;
        case PowerUnit::Kilowatts:
            return v;
        case PowerUnit::MetricHorsepower:
            return v * 736 / 1000;
        case PowerUnit::NotAPower:
            break;
    }
    return std::nullopt;
}

const std::vector<SharedValues::QuantityField>& SharedValues::quantityFields() {
    static const std::vector<QuantityField> fields = {
        {"SharedHead", [](const SharedValues& v) { return v.SharedHead.value(); },
         [](const SharedValues& v) { return unitName(v.SharedHead.unit()); }},
        {"SharedFlow", [](const SharedValues& v) { return v.SharedFlow.value(); },
         [](const SharedValues& v) { return unitName(v.SharedFlow.unit()); }},
        {"SharedPower", [](const SharedValues& v) { return v.SharedPower.value(); },
         [](const SharedValues& v) { return unitName(v.SharedPower.unit()); }},
    };
    return fields;
}

#define AUB_FIELD(name) \
    { #name, &SharedValues::name }

const std::vector<std::pair<const char*, float SharedValues::*>>& SharedValues::floatFields() {
    static const std::vector<std::pair<const char*, float SharedValues::*>> fields = {
        AUB_FIELD(SharedFlowLs),          AUB_FIELD(SharedJetFlow),         AUB_FIELD(SharedVelocity),
        AUB_FIELD(SharedDiameter),        AUB_FIELD(SharedWidth),           AUB_FIELD(SharedSpeed),
        AUB_FIELD(SharedTurbineSpeed),    AUB_FIELD(SharedOmega),           AUB_FIELD(SharedTorque),
        AUB_FIELD(SharedPowerW),          AUB_FIELD(SharedPowerKW),         AUB_FIELD(SharedPowerCV),
        AUB_FIELD(SharedEfficiency),      AUB_FIELD(SharedSpecificSpeed),   AUB_FIELD(SharedRoughness),
        AUB_FIELD(SharedHydraulicRadius), AUB_FIELD(SharedPeripheralSpeed), AUB_FIELD(SharedForce),
        AUB_FIELD(SharedJetSection),      AUB_FIELD(SharedExitDiameter),    AUB_FIELD(SharedJetThickness),
        AUB_FIELD(SharedJetVx),           AUB_FIELD(SharedJetVy),           AUB_FIELD(SharedJetDrop),
        AUB_FIELD(SharedPitchAngle),      AUB_FIELD(SharedAlpha),           AUB_FIELD(SharedBeta),
        AUB_FIELD(SharedGamma),           AUB_FIELD(SharedAlphaBeta),       AUB_FIELD(SharedRelativeSpeed),
        AUB_FIELD(SharedCrownHeight),     AUB_FIELD(SharedRimSpeed),        AUB_FIELD(SharedArrivalSpeed),
        AUB_FIELD(SharedKineticLoss),     AUB_FIELD(SharedBladeForce),      AUB_FIELD(SharedWheelVolume),
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
