#include "forms/Chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <utility>

#include "core/NumberText.h"
#include "files/Csv.h"

namespace aub {

const char* seriesKindName(SeriesKind kind) {
    switch (kind) {
        case SeriesKind::Line:
            return "line";
        case SeriesKind::Points:
            return "points";
        case SeriesKind::Area:
            return "area";
        case SeriesKind::Zone:
            return "zone";
        case SeriesKind::Marker:
            return "marker";
        case SeriesKind::HLine:
            return "hline";
        case SeriesKind::VLine:
            return "vline";
    }
    return "line";
}

std::string ChartAxis::caption() const { return unit.empty() ? title : title + " (" + unit + ")"; }

int Chart::addSeries(std::string name, SeriesKind kind, int color) {
    ChartSeries s;
    s.name = std::move(name);
    s.kind = kind;
    s.color = color;
    series_.push_back(std::move(s));
    touch();
    return static_cast<int>(series_.size()) - 1;
}

bool Chart::accepts(double px, double py) const {
    if (!std::isfinite(px) || !std::isfinite(py)) return false;
    if (x.log && !(px > 0)) return false;
    if (y.log && !(py > 0)) return false;
    return true;
}

bool Chart::addPoint(int series, double px, double py) { return addPoint(series, px, py, 0.0); }

bool Chart::addPoint(int series, double px, double py, double py2) {
    ChartSeries& s = at(series);
    if (!accepts(px, py)) return false;
    if (s.kind == SeriesKind::Area && !accepts(px, py2)) return false;
    s.points.push_back({px, py, s.kind == SeriesKind::Area ? py2 : 0.0});
    touch();
    return true;
}

void Chart::clear() {
    series_.clear();
    touch();
}

std::optional<std::pair<double, double>> Chart::dataRange(const ChartSeries& s, bool onX) {
    if (s.points.empty()) return std::nullopt;
    double lo = onX ? s.points.front().x : s.points.front().y;
    double hi = lo;
    for (const ChartPoint& p : s.points) {
        const double v = onX ? p.x : p.y;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        if (!onX && s.kind == SeriesKind::Area) {
            lo = std::min(lo, p.y2);
            hi = std::max(hi, p.y2);
        }
    }
    return std::make_pair(lo, hi);
}

std::pair<double, double> Chart::range(const ChartAxis& axis, bool onX) const {
    if (!axis.autoRange) {
        double lo = axis.min, hi = axis.max;
        const bool usable = std::isfinite(lo) && std::isfinite(hi) && lo < hi && (!axis.log || lo > 0);
        if (usable) return {lo, hi};
    }
    bool any = false;
    double lo = 0, hi = 0;
    for (const ChartSeries& s : series_) {
        // A reference line spans the other axis: it says nothing about this one.
        if ((s.kind == SeriesKind::HLine && onX) || (s.kind == SeriesKind::VLine && !onX)) continue;
        if (auto r = dataRange(s, onX)) {
            lo = any ? std::min(lo, r->first) : r->first;
            hi = any ? std::max(hi, r->second) : r->second;
            any = true;
        }
    }
    if (axis.log) {
        if (!any) return {1.0, 10.0};
        // Whole decades around the data.
        return {std::pow(10.0, std::floor(std::log10(lo))), std::pow(10.0, std::ceil(std::log10(hi) + 1e-12))};
    }
    if (!any) return {0.0, 1.0};
    if (lo == hi) {
        const double pad = lo == 0 ? 1.0 : std::fabs(lo) * 0.1;
        return {lo - pad, hi + pad};
    }
    const double pad = (hi - lo) * 0.05;
    return {lo - pad, hi + pad};
}

std::pair<double, double> Chart::xRange() const { return range(x, true); }
std::pair<double, double> Chart::yRange() const { return range(y, false); }

// ---------------------------------------------------------------- polygons

namespace {

struct Plane {
    double x, y;
};

bool toPlane(const ChartPoint& p, bool logX, bool logY, Plane& out) {
    if ((logX && !(p.x > 0)) || (logY && !(p.y > 0))) return false;
    out.x = logX ? std::log10(p.x) : p.x;
    out.y = logY ? std::log10(p.y) : p.y;
    return std::isfinite(out.x) && std::isfinite(out.y);
}

}  // namespace

bool polygonContains(const std::vector<ChartPoint>& polygon, double px, double py, bool logX, bool logY) {
    Plane q{};
    if (!toPlane({px, py, 0}, logX, logY, q)) return false;
    std::vector<Plane> v;
    for (const ChartPoint& p : polygon) {
        Plane a{};
        if (!toPlane(p, logX, logY, a)) return false;
        v.push_back(a);
    }
    if (v.size() < 3) return false;
    // On a side, within a tolerance relative to the polygon's size.
    double span = 0;
    for (const Plane& a : v) span = std::max({span, std::fabs(a.x - v[0].x), std::fabs(a.y - v[0].y)});
    const double tol = 1e-9 * std::max(1.0, span);
    bool inside = false;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const Plane& a = v[i];
        const Plane& b = v[j];
        const double cross = (b.x - a.x) * (q.y - a.y) - (b.y - a.y) * (q.x - a.x);
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        if (std::fabs(cross) <= tol * std::max(len, 1e-300) && q.x >= std::min(a.x, b.x) - tol &&
            q.x <= std::max(a.x, b.x) + tol && q.y >= std::min(a.y, b.y) - tol && q.y <= std::max(a.y, b.y) + tol)
            return true;
        // Even-odd rule on a ray towards +x.
        if ((a.y > q.y) != (b.y > q.y)) {
            const double xCross = a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (q.x < xCross) inside = !inside;
        }
    }
    return inside;
}

ChartPoint polygonCentre(const std::vector<ChartPoint>& polygon, bool logX, bool logY) {
    std::vector<Plane> v;
    for (const ChartPoint& p : polygon) {
        Plane a{};
        if (toPlane(p, logX, logY, a)) v.push_back(a);
    }
    if (v.empty()) return {};
    double area = 0, cx = 0, cy = 0;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const double c = v[j].x * v[i].y - v[i].x * v[j].y;
        area += c;
        cx += (v[j].x + v[i].x) * c;
        cy += (v[j].y + v[i].y) * c;
    }
    Plane centre{};
    if (std::fabs(area) > 1e-300) {
        centre = {cx / (3 * area), cy / (3 * area)};
    } else {  // a flat polygon: the mean of its vertices
        for (const Plane& a : v) {
            centre.x += a.x / static_cast<double>(v.size());
            centre.y += a.y / static_cast<double>(v.size());
        }
    }
    return {logX ? std::pow(10.0, centre.x) : centre.x, logY ? std::pow(10.0, centre.y) : centre.y, 0};
}

// ---------------------------------------------------------------- command line and CSV

namespace {

std::string number(double v, char separator) { return formatGeneral(v, separator); }

}  // namespace

std::string chartNumber(double v) {
    if (!std::isfinite(v)) return "-";
    // Seven significant digits where single precision holds the value.
    return std::fabs(v) < 1e38 && (v == 0 || std::fabs(v) > 1e-37) ? formatGeneral(static_cast<float>(v), '.')
                                                                   : formatGeneral(v, '.');
}

std::string significantText(double v, int digits) {
    if (!std::isfinite(v)) return "-";
    if (v == 0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const int decimals = std::max(0, digits - 1 - magnitude);
    const double scale = std::pow(10.0, digits - 1 - magnitude);
    const double rounded = std::round(v * scale) / scale;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", std::min(decimals, 20), rounded);
    std::string out = buf;
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

AxisTicks linearTicks(double lo, double hi, int maxIntervals) {
    AxisTicks t;
    if (!std::isfinite(lo) || !std::isfinite(hi) || maxIntervals < 1) return t;
    if (hi < lo) std::swap(lo, hi);
    const double span = hi - lo;
    if (!(span > 0)) {
        t.first = lo;
        t.count = 1;
        return t;
    }
    const double raw = span / maxIntervals;
    double step = std::pow(10.0, std::floor(std::log10(raw)));
    // 1, 2, 5 × 10^k: the smallest of them at or above the raw step.
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * step >= raw * (1 - 1e-9)) {
            step *= m;
            break;
        }
    t.step = step;
    t.first = std::ceil(lo / step - 1e-9) * step;
    if (std::fabs(t.first) < step * 1e-9) t.first = 0;
    t.count = static_cast<int>(std::floor((hi - t.first) / step + 1e-9)) + 1;
    return t;
}

std::pair<double, double> roundedRange(double lo, double hi, int maxIntervals) {
    const AxisTicks t = linearTicks(lo, hi, maxIntervals);
    if (!(hi > lo)) return {lo, hi};
    const double from = std::floor(lo / t.step + 1e-9) * t.step;
    const double to = std::ceil(hi / t.step - 1e-9) * t.step;
    return {from == 0 ? 0.0 : from, to == 0 ? 0.0 : to};
}

std::string tickText(double v, double step) {
    if (!std::isfinite(v)) return "-";
    int decimals = 0;
    if (step > 0 && step < 1) decimals = std::min(12, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    if (std::fabs(v) < step * 1e-9) v = 0;
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string t = buf;
    // "2.0" beside "1.5" reads "2"; a zero has no sign.
    if (t.find('.') != std::string::npos) {
        while (t.back() == '0') t.pop_back();
        if (t.back() == '.') t.pop_back();
    }
    if (t == "-0") t = "0";
    // Groups of three in the whole part, from 10 000 up.
    const bool negative = !t.empty() && t[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    std::size_t point = t.find('.');
    if (point == std::string::npos) point = t.size();
    if (point - start > 4)
        for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(point) - 3; i > static_cast<std::ptrdiff_t>(start); i -= 3)
            t.insert(static_cast<std::size_t>(i), 1, ' ');
    return t;
}

std::vector<double> logDecades(double lo, double hi) {
    std::vector<double> out;
    if (!(lo > 0) || !(hi >= lo) || !std::isfinite(hi)) return out;
    for (int k = static_cast<int>(std::ceil(std::log10(lo) - 1e-9));
         k <= static_cast<int>(std::floor(std::log10(hi) + 1e-9)); ++k)
        out.push_back(std::pow(10.0, k));
    return out;
}

namespace {

// Where v falls on a scale, 0 at its low end, 1 at its high end (NaN outside a log
// scale's domain).
double fraction(const PlotScale& s, double v) {
    if (s.log) return (std::log10(v) - std::log10(s.lo)) / (std::log10(s.hi) - std::log10(s.lo));
    return (v - s.lo) / (s.hi - s.lo);
}

bool usable(const PlotScale& s) {
    return std::isfinite(s.lo) && std::isfinite(s.hi) && s.hi > s.lo && (!s.log || s.lo > 0);
}

// The pixel v falls in, bounded so that points far off the plot share one pixel.
long long pixelOf(const PlotScale& s, double v, int pixels) {
    const double f = fraction(s, v);
    if (!std::isfinite(f)) return -1;
    return static_cast<long long>(std::floor(std::clamp(f, -1.0, 2.0) * pixels));
}

}  // namespace

std::vector<std::size_t> pixelPoints(const std::vector<ChartPoint>& points, bool line, const PlotScale& x,
                                     const PlotScale& y, int columns, int rows) {
    std::vector<std::size_t> kept;
    const bool few = columns <= 0 || rows <= 0 || points.size() <= 4 * static_cast<std::size_t>(columns);
    bool forward = true;
    for (std::size_t i = 1; line && forward && i < points.size(); ++i) forward = !(points[i].x < points[i - 1].x);
    if (few || !forward || !usable(x) || !usable(y)) {
        kept.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) kept[i] = i;
        return kept;
    }
    if (!line) {
        // One marked point per pixel: the others are drawn under it.
        std::vector<std::pair<long long, long long>> seen;
        seen.reserve(points.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            seen.emplace_back(pixelOf(x, points[i].x, columns), pixelOf(y, points[i].y, rows));
        std::vector<std::size_t> order(points.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return seen[a] < seen[b]; });
        for (std::size_t k = 0; k < order.size(); ++k)
            if (k == 0 || seen[order[k]] != seen[order[k - 1]]) kept.push_back(order[k]);
        std::sort(kept.begin(), kept.end());
        return kept;
    }
    // A line: per column its first, lowest, highest and last points, in their order.
    std::size_t first = 0;
    auto flush = [&](std::size_t end) {
        std::size_t low = first, high = first;
        for (std::size_t i = first; i < end; ++i) {
            if (points[i].y < points[low].y) low = i;
            if (points[i].y > points[high].y) high = i;
        }
        std::size_t four[] = {first, low, high, end - 1};
        std::sort(std::begin(four), std::end(four));
        for (std::size_t i : four)
            if (kept.empty() || kept.back() != i) kept.push_back(i);
    };
    long long column = pixelOf(x, points[0].x, columns);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const long long c = pixelOf(x, points[i].x, columns);
        if (c == column) continue;
        flush(i);
        first = i;
        column = c;
    }
    flush(points.size());
    return kept;
}

std::pair<double, double> boundedZoom(double lo, double hi, double fullLo, double fullHi) {
    if (hi < lo) std::swap(lo, hi);
    if (fullHi < fullLo) std::swap(fullLo, fullHi);
    if (hi - lo >= fullHi - fullLo) return {fullLo, fullHi};
    if (lo < fullLo) return {fullLo, fullLo + (hi - lo)};
    if (hi > fullHi) return {fullHi - (hi - lo), fullHi};
    return {lo, hi};
}

std::string chartCsv(const Chart& chart, char decimalSeparator) {
    const std::string eol = "\r\n";
    std::string out = "\xEF\xBB\xBF";
    const std::string xCaption = csvField(chart.x.caption());
    const std::string yCaption = csvField(chart.y.caption());
    for (const ChartSeries& s : chart.series()) {
        out += csvField(s.name) + eol;
        out += xCaption;
        out += ';';
        out += yCaption;
        if (s.kind == SeriesKind::Area) out += ";" + csvField(chart.y.caption() + " bas");
        out += eol;
        for (const ChartPoint& p : s.points) {
            out += number(p.x, decimalSeparator) + ";" + number(p.y, decimalSeparator);
            if (s.kind == SeriesKind::Area) out += ";" + number(p.y2, decimalSeparator);
            out += eol;
        }
        out += eol;
    }
    return out;
}

std::string chartListing(const Chart& chart, const std::string& indent) {
    std::ostringstream o;
    auto shortNumber = [](double v) { return chartNumber(v); };
    o << "graphique « " << chart.title << " » : " << chart.x.caption() << (chart.x.log ? " (log)" : "") << " / "
      << chart.y.caption() << (chart.y.log ? " (log)" : "") << "\n";
    for (const ChartSeries& s : chart.series()) {
        o << indent << "série « " << s.name << " » (" << seriesKindName(s.kind) << ") : " << s.points.size()
          << (s.points.size() == 1 ? " point" : " points");
        auto rx = Chart::dataRange(s, true);
        auto ry = Chart::dataRange(s, false);
        if (rx && ry)
            o << ", x de " << shortNumber(rx->first) << " à " << shortNumber(rx->second) << ", y de "
              << shortNumber(ry->first) << " à " << shortNumber(ry->second);
        o << "\n";
    }
    return o.str();
}

// ---------------------------------------------------------------- label placement

bool LabelBox::intersects(const LabelBox& o) const {
    return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
}

bool segmentMeetsBox(PixelPoint a, PixelPoint b, const LabelBox& box) {
    // The segment a + t (b - a), t in [0, 1], clipped by each side of the box in turn.
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right() - a.x, a.y - box.top, box.bottom() - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;  // parallel to this side and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

namespace {

constexpr double MarkerGap = 8;  // between a marked point and its label
constexpr double LineGap = 3;    // between a line's end and its label
constexpr double EdgeGap = 2;    // between a label and the plot's sides

// Moved inside the plot; false when the plot cannot hold it.
bool moveInside(LabelBox& b, const LabelBox& plot) {
    if (b.width > plot.width - 2 * EdgeGap || b.height > plot.height - 2 * EdgeGap) return false;
    b.left = std::clamp(b.left, plot.left + EdgeGap, plot.right() - EdgeGap - b.width);
    b.top = std::clamp(b.top, plot.top + EdgeGap, plot.bottom() - EdgeGap - b.height);
    return true;
}

std::vector<LabelBox> candidates(const LabelRequest& r) {
    const double x = r.anchorX, y = r.anchorY, w = r.width, h = r.height;
    if (r.ofMarker)
        return {{x + MarkerGap, y - MarkerGap - h, w, h},     {x + MarkerGap, y + MarkerGap, w, h},
                {x - MarkerGap - w, y - MarkerGap - h, w, h}, {x - MarkerGap - w, y + MarkerGap, w, h},
                {x - w / 2, y - MarkerGap - h, w, h},         {x - w / 2, y + MarkerGap, w, h}};
    return {{x - w - LineGap, y - LineGap - h, w, h},
            {x - w - LineGap, y + LineGap, w, h},
            {x + LineGap, y - LineGap - h, w, h},
            {x + LineGap, y + LineGap, w, h}};
}

bool coversMarker(const LabelBox& b, const std::vector<PixelPoint>& markers, double radius) {
    for (const PixelPoint& m : markers) {
        // The box's point nearest to the marker's centre.
        const double nx = std::clamp(m.x, b.left, b.right()), ny = std::clamp(m.y, b.top, b.bottom());
        if ((nx - m.x) * (nx - m.x) + (ny - m.y) * (ny - m.y) < radius * radius) return true;
    }
    return false;
}

bool crossesCurve(const LabelBox& b, const std::vector<PixelPoint>& curve) {
    if (curve.size() == 1) return segmentMeetsBox(curve[0], curve[0], b);
    for (std::size_t i = 1; i < curve.size(); ++i)
        if (segmentMeetsBox(curve[i - 1], curve[i], b)) return true;
    return false;
}

bool meetsAny(const LabelBox& b, const std::vector<LabelBox>& others) {
    return std::any_of(others.begin(), others.end(), [&b](const LabelBox& o) { return b.intersects(o); });
}

}  // namespace

std::vector<std::optional<LabelBox>> placeLabels(const std::vector<LabelRequest>& labels,
                                                 const std::vector<PixelPoint>& markers, double markerRadius,
                                                 const LabelBox& plot) {
    std::vector<std::optional<LabelBox>> out(labels.size());
    // The places a label may take on its own: inside the plot, off the markers, off its curve.
    std::vector<std::vector<LabelBox>> free(labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (LabelBox b : candidates(labels[i]))
            if (moveInside(b, plot) && !coversMarker(b, markers, markerRadius) && !crossesCurve(b, labels[i].curve))
                free[i].push_back(b);
    // The place each line's label would take if alone.
    std::vector<LabelBox> lineFirst;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (!labels[i].ofMarker && !free[i].empty()) lineFirst.push_back(free[i].front());

    std::vector<LabelBox> placed;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (!labels[i].ofMarker) continue;
        const auto& places = free[i];
        auto fits = [&placed](const LabelBox& b) { return !meetsAny(b, placed); };
        auto spares = [&](const LabelBox& b) { return fits(b) && !meetsAny(b, lineFirst); };
        auto at = std::find_if(places.begin(), places.end(), spares);
        if (at == places.end()) at = std::find_if(places.begin(), places.end(), fits);
        if (at == places.end()) continue;
        out[i] = *at;
        placed.push_back(*at);
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].ofMarker) continue;
        for (const LabelBox& b : free[i])
            if (!meetsAny(b, placed)) {
                out[i] = b;
                placed.push_back(b);
                break;
            }
    }
    return out;
}

}  // namespace aub
