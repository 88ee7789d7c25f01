#pragma once
// Flows as the person types them: the flow-duration curve box (the imported daily
// record is read by DatedRecord.h). Numbers accept "," or "." as decimal separator.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "energy/AnnualEnergy.h"

namespace aub {

// A number written alone in a field ("1,25", "-3", "2.5E-3", blanks around); nothing
// for any other text (letters, two numbers, "inf", "nan").
std::optional<double> readDecimal(std::string_view field);

// The curve box: one line "exceedance (%) ; flow (m3/s)" per point, ";" or a tab
// between the two (or blanks when neither is there), blank lines and lines starting
// with "#" ignored. Percentages 0..100 growing from line to line, flows not negative
// and not growing. `error` is a French message naming the line (1-based); `points`
// is empty when there is none.
struct CurveText {
    std::vector<DurationPoint> points;
    std::string error;
};
CurveText parseDurationCurve(std::string_view text);

// The curve box text of a list of points ("0 ; 12.5" ...), flows to four significant digits.
std::string curveText(const std::vector<DurationPoint>& points);

}  // namespace aub
