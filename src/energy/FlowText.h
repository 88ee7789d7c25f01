#pragma once
// Flows as the person gives them: the typed flow-duration curve and the imported
// daily record. Numbers accept "," or "." as decimal separator.
#include <cstdint>
#include <filesystem>
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

// A daily record: a date and a flow per line, separated by ";", "," or a tab; header
// lines before the first flow skipped; afterwards every line whose flow is empty,
// not a number or negative is skipped and counted (blank lines are not counted).
struct FlowRecord {
    std::vector<double> flows;
    int skipped = 0;
    std::string error;  // French message when nothing usable was read
};
FlowRecord parseFlowRecord(std::string_view text);

// Largest record file accepted, bytes.
constexpr std::uintmax_t MaxRecordFileBytes = std::uintmax_t{16} * 1024 * 1024;

// Reads a record file: missing, unreadable, empty, too large or binary files give a
// message in `error` and no flows; the text may be UTF-8 or Windows-1252.
FlowRecord readFlowRecordFile(const std::filesystem::path& path);

}  // namespace aub
