#pragma once
// Long flume of rectangular section: the water is followed step by step along the
// bed with the Manning law. Each step of horizontal length s gains the slope's head
// s·tanθ and loses Δ = s·J·cosθ, J = Rh^(-4/3)·V²·n² (m/m), so that
// V² ← (s·tanθ − Δ)·19.62 + V². Every step is listed and kept in the scratch file
// "coursierforge.txt" of the program folder (records of 100 bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "forms/StudyDeclaration.h"

namespace aub {

class Frmpertecou : public Form {
public:
    explicit Frmpertecou(Session& s);
    // The input boxes and the result boxes, with the captions beside them, for the
    // calculation the parametric study runs.
    static std::vector<StudyBox> studyInputs();
    static std::vector<StudyBox> studyResults();
    void load() override;

    // "CALCUL Méthode MANNING": empties the list and runs the stepping.
    void calcul();

    // Steps of one calculation at most: beyond, the step is refused as too small.
    static constexpr int MaxSteps = 200000;
    // Scratch file: record k (from 1) at byte (k - 1)·100; its first 30 bytes are the
    // speed ("###.000"), the friction slope in mm/m ("###.##") and the horizontal
    // distance at the end of the step in cm ("###.##"), ten characters each.
    static constexpr std::size_t RecordLength = 100;
    // The largest scratch file a calculation writes: one record per step.
    static constexpr std::uintmax_t ScratchLimit = std::uintmax_t(MaxSteps) * RecordLength;
    static constexpr std::size_t FieldLength = 10;
    static constexpr const char* ScratchName = "coursierforge.txt";
    static constexpr const char* DataName = "Pertescou.txt";

private:
    void listScratch();
    void saveData();
    void openData();
    void showLocalHelp();
    // A mask's text with the regional decimal separator.
    std::string shown(float value, std::string_view mask) const;
};

}  // namespace aub
