#pragma once
// Program-wide values exchanged by the windows. Each holds what the last window
// that wrote it computed. The head, the flow and the power carry the unit their last
// writer used (the overshot wheel keeps its flow in l/s, the turbine in m3/s ...):
// the windows that have always read them read the value as stored; a newer window
// reads it through the converting accessors (flowM3s, headM, powerKW).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/FormulaCode.h"

namespace aub {

enum class FlowRateUnit : std::uint8_t { CubicMetresPerSecond, LitresPerSecond };
enum class HeadUnit : std::uint8_t { Metres, Millimetres };
// NotAPower: a window used the power as scratch (a water depth, a missing-data mark).
enum class PowerUnit : std::uint8_t { Watts, Kilowatts, MetricHorsepower, NotAPower };

const char* unitName(FlowRateUnit u);  // "m3/s", "l/s"
const char* unitName(HeadUnit u);      // "m", "mm"
const char* unitName(PowerUnit u);     // "W", "kW", "CV", "" (no power)

// A value with the unit its writer stated. It is written only with its unit
// (set, or assignment from {value, unit}); reading it as a float gives the value as
// stored, in the writer's unit.
template <typename Unit>
class SharedQuantity {
public:
    constexpr SharedQuantity() = default;
    constexpr SharedQuantity(float value, Unit unit) : value_(value), unit_(unit) {}
    SharedQuantity& operator=(float) = delete;  // a writer states its unit

    void set(float value, Unit unit) {
        value_ = value;
        unit_ = unit;
    }
    float value() const { return value_; }
    Unit unit() const { return unit_; }
    operator float() const { return value_; }

private:
    float value_ = 0;
    Unit unit_{};
};

using FlowQuantity = SharedQuantity<FlowRateUnit>;
using HeadQuantity = SharedQuantity<HeadUnit>;
using PowerQuantity = SharedQuantity<PowerUnit>;

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

    // main quantities: head, flow and power with their writer's unit
    HeadQuantity SharedHead;
    FlowQuantity SharedFlow;
    PowerQuantity SharedPower;
    float SharedFlowLs = 0, SharedJetFlow = 0, SharedVelocity = 0, SharedDiameter = 0, SharedWidth = 0, SharedSpeed = 0,
          SharedTurbineSpeed = 0, SharedOmega = 0, SharedTorque = 0, SharedPowerW = 0, SharedPowerKW = 0,
          SharedPowerCV = 0, SharedEfficiency = 0, SharedSpecificSpeed = 0, SharedRoughness = 0,
          SharedHydraulicRadius = 0, SharedPeripheralSpeed = 0, SharedForce = 0, SharedJetSection = 0,
          SharedExitDiameter = 0;

    // wheel and jet geometry
    float SharedJetThickness = 0, SharedJetVx = 0, SharedJetVy = 0, SharedJetDrop = 0, SharedPitchAngle = 0,
          SharedAlpha = 0, SharedBeta = 0, SharedGamma = 0, SharedAlphaBeta = 0, SharedRelativeSpeed = 0,
          SharedCrownHeight = 0, SharedRimSpeed = 0, SharedArrivalSpeed = 0, SharedKineticLoss = 0,
          SharedBladeForce = 0, SharedWheelVolume = 0, SharedDensity = 0;

    // The pressure pipe's last Colebrook calculation, in double precision: Reynolds
    // number, Darcy friction factor and relative roughness ε/D (all 0 before one).
    double SharedPipeReynolds = 0, SharedPipeFriction = 0, SharedPipeRelativeRoughness = 0;

    // The head in m, the flow in m3/s, whatever unit their last writer used.
    float headM() const;
    float flowM3s() const;
    // The power in kW; nothing when the last writer used it for something else.
    std::optional<float> powerKW() const;

    // The values with a unit (head, flow, power), each with its name, for listings and
    // the command line.
    struct QuantityField {
        const char* name;
        float (*value)(const SharedValues&);       // as stored
        const char* (*unit)(const SharedValues&);  // its unit's name
    };
    static const std::vector<QuantityField>& quantityFields();
    // Every other numeric value with its name.
    static const std::vector<std::pair<const char*, float SharedValues::*>>& floatFields();
    static const std::vector<std::pair<const char*, std::string SharedValues::*>>& textFields();
};

}  // namespace aub
