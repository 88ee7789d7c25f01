#pragma once
// A chart as plain data: a title, two axes (linear or logarithmic, fixed or automatic
// range) and series of points. Windows fill it; the Qt view draws it, the command
// line lists it, and the CSV export writes it. A point that is not finite, or that is
// not positive on a logarithmic axis, is never stored: charts show no NaN or infinity.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace aub {

enum class SeriesKind {
    Line,    // a polyline through the points
    Points,  // the points alone
    Area,    // filled between y (upper) and y2 (lower) at each x
    Zone,    // closed polygon, filled, its label drawn at its centre
    Marker,  // one marked point with its label
    HLine,   // horizontal reference line at the first point's y
    VLine    // vertical reference line at the first point's x
};

const char* seriesKindName(SeriesKind kind);

struct ChartPoint {
    double x = 0, y = 0;
    double y2 = 0;  // Area: lower bound at x
};

struct ChartSeries {
    std::string name;  // legend
    SeriesKind kind = SeriesKind::Line;
    std::vector<ChartPoint> points;
    int color = -1;  // RGB; -1 lets the view choose from its palette
    int width = 2;   // pen width in pixels at 100 % scale
    // Zone and Marker: the text drawn at its centre or beside it (the name when empty);
    // Line: when not empty, written at the line's last point inside the plot.
    std::string label;
    bool inLegend = true;
};

struct ChartAxis {
    std::string title;  // "Débit Q"
    std::string unit;   // "m3/s"; empty for a number without unit
    bool log = false;
    bool autoRange = true;
    double min = 0, max = 1;  // used when autoRange is false
    // "Débit Q (m3/s)", or the title alone without a unit.
    std::string caption() const;
};

class Chart {
public:
    std::string title;
    ChartAxis x, y;
    const std::vector<ChartSeries>& series() const { return series_; }

    // Adds an empty series and returns its index.
    int addSeries(std::string name, SeriesKind kind, int color = -1);
    ChartSeries& at(int index) { return series_.at(static_cast<std::size_t>(index)); }
    const ChartSeries& at(int index) const { return series_.at(static_cast<std::size_t>(index)); }
    // Appends a point; false (and nothing stored) when a coordinate is not finite or
    // not positive on a logarithmic axis. `y2` is the lower bound of an Area.
    bool addPoint(int series, double px, double py);
    bool addPoint(int series, double px, double py, double py2);
    bool accepts(double px, double py) const;
    void clear();  // removes every series, keeps the title and the axes

    // The range shown on an axis: the fixed one, or the span of the data (with a
    // decade around it on a logarithmic axis, 5 % on a linear one). Never empty,
    // never non-positive on a logarithmic axis.
    std::pair<double, double> xRange() const;
    std::pair<double, double> yRange() const;
    // The data range of one series on x or y; nothing for an empty series.
    static std::optional<std::pair<double, double>> dataRange(const ChartSeries& s, bool onX);

    // Incremented on every change made through the members above; views use it.
    unsigned revision() const { return revision_; }
    void touch() { ++revision_; }

private:
    std::pair<double, double> range(const ChartAxis& axis, bool onX) const;
    std::vector<ChartSeries> series_;
    unsigned revision_ = 0;
};

// Where a point falls with respect to a closed polygon, the polygon given by its
// vertices (in the order they are joined). When `logX` / `logY`, the sides are straight
// on logarithmic axes (the test runs on the logarithms). A point on a side or a
// vertex counts as inside. Non-positive values on a logarithmic axis are outside.
bool polygonContains(const std::vector<ChartPoint>& polygon, double px, double py, bool logX, bool logY);

// The centre of a polygon's area (on logarithmic axes when asked), where its label goes.
ChartPoint polygonCentre(const std::vector<ChartPoint>& polygon, bool logX, bool logY);

// The chart's CSV export: UTF-8 with a byte-order mark, ';' between fields, CR LF line
// ends, numbers with `decimalSeparator`. One block per series: a line with the series'
// name, a header line with the axis captions, then one line per point (an Area has a
// third column for its lower bound); a blank line ends each block. An empty series
// gives its name and header only.
std::string chartCsv(const Chart& chart, char decimalSeparator);

// The command line's text listing of a chart: a first line with the title and the axes,
// then one line per series (name, number of points, x and y ranges), each starting with
// `indent`. (Its JSON description, chartJson, is written with the other listings.)
// A number as charts label it: seven significant digits, "." as separator.
std::string chartNumber(double v);

// A value with at most `digits` significant digits, "." as separator, no exponent for
// usual magnitudes (trailing zeros dropped): 0.000126582 -> "0.000127" with 3 digits.
std::string significantText(double v, int digits);

// Ticks of a linear axis: a step of 1, 2 or 5 × 10^k such that [lo, hi] holds at most
// `maxIntervals` steps, the first tick the first multiple of the step at or above lo.
struct AxisTicks {
    double first = 0, step = 1;
    int count = 0;  // ticks from first by step up to hi
};
AxisTicks linearTicks(double lo, double hi, int maxIntervals = 8);
// The range rounded outward to the ticks' step (an automatic axis starts and ends on a
// tick); it may hold a step or two more than `maxIntervals`.
std::pair<double, double> roundedRange(double lo, double hi, int maxIntervals = 8);
// A tick's label: the value rounded to the step's decimals, digits grouped by three
// with a blank from 10 000 up ("100 000", "1 000 000"), "." as separator, never an
// exponent between 1e-9 and 1e15: the same writing for every decade of a log axis.
std::string tickText(double v, double step);
// The labels of a logarithmic axis's decades between lo and hi ("100", "1 000", "10 000").
std::vector<double> logDecades(double lo, double hi);

// The zoom a person may ask, bounded by the chart's whole range: a range wider than
// [fullLo, fullHi] becomes it, one that leaves it is moved back inside.
std::pair<double, double> boundedZoom(double lo, double hi, double fullLo, double fullHi);

// An axis as a plot draws it: its shown range, logarithmic or not.
struct PlotScale {
    double lo = 0, hi = 1;
    bool log = false;
};
// The points of a series a plot `columns` × `rows` pixels wide needs to draw it to the
// pixel, as indices into `points`. A line (x never decreasing) keeps, in each pixel
// column, its first, lowest, highest and last points; marked points keep the first point
// in each pixel. A series with no more points than four per column, a line going back in
// x, or an empty range keeps every point.
std::vector<std::size_t> pixelPoints(const std::vector<ChartPoint>& points, bool line, const PlotScale& x,
                                     const PlotScale& y, int columns, int rows);
std::string chartListing(const Chart& chart, const std::string& indent);

// ---------------------------------------------------------------- label placement
// Where the labels of marked points and of lines go on a drawn chart, in the picture's
// pixels (y downward). A label never hides a marker, never crosses the curve it names
// and never meets another label; it stays inside the plot.

struct LabelBox {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool intersects(const LabelBox& o) const;
};

struct PixelPoint {
    double x = 0, y = 0;
};

struct LabelRequest {
    double anchorX = 0, anchorY = 0;  // the marked point, or the line's last point in the plot
    double width = 0, height = 0;     // the text's box
    bool ofMarker = false;            // a marked point's label: tried all around it
    std::vector<PixelPoint> curve;    // the curve it names (a polyline), never crossed
};

// Whether the segment from a to b enters the box.
bool segmentMeetsBox(PixelPoint a, PixelPoint b, const LabelBox& box);

// The place of each label, or nothing when it has none. A marked point's label tries
// the four corners around the point (right and above first), then above and below it;
// a line's label tries left of the line's end, above then below, then right of it. Each place is moved
// inside `plot`, and kept only when it covers no marker (a disc of `markerRadius` at
// each of `markers`), does not cross its own curve and meets no label placed before.
// Marked points' labels are placed first, where they leave the lines' labels their
// own places when they can; then the lines' labels in order.
std::vector<std::optional<LabelBox>> placeLabels(const std::vector<LabelRequest>& labels,
                                                 const std::vector<PixelPoint>& markers, double markerRadius,
                                                 const LabelBox& plot);

}  // namespace aub
