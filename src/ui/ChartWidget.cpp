#include "ui/ChartWidget.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "core/CalcError.h"
#include "files/TextFile.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Platform.h"
#include "forms/Session.h"
#include "ui/UiConvert.h"

namespace aub {

namespace {

// Colours for series that set none: distinct on white, readable in print.
const QColor Palette[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
                          QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                          QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
                          QColor(0x17, 0xbe, 0xcf)};
constexpr int ZoneFillAlpha = 55;
constexpr int AreaFillAlpha = 90;
constexpr double WheelStep = 1.25;

// Decades between 0.0001 and 1000 read the same in Qt's own "%g" labels, which keep
// their room on the axis; wider ones are written by drawForeground, digits grouped
// ("1 000 000", not "1e+06"), over labels left empty.
bool qtWritesDecades(std::pair<double, double> range) { return range.first >= 1e-4 && range.second < 1e4; }

QString decadeLabelFormat(std::pair<double, double> range) {
    return qtWritesDecades(range) ? QStringLiteral("%g") : QStringLiteral(" ");
}

// A linear axis's labels are Qt's own ("%g") while they read as tickText writes them;
// else (thousands grouped, "100 000" where "%g" writes "100000" or "1e+06") Qt's are
// left transparent, holding the same room, and drawForeground writes them.
constexpr const char* LabelsColour = "aubLabelsColour";

bool handWritten(const QValueAxis* a) { return a->labelsColor().alpha() == 0; }

// The most intervals between ticks a linear axis has room for (at most 8; fewer on a
// short axis, so that its labels never squeeze into "…").
constexpr const char* TickIntervals = "aubTickIntervals";
constexpr int MostTickIntervals = 8;

int tickIntervals(const QValueAxis* a) {
    const QVariant v = a->property(TickIntervals);
    return v.isValid() ? v.toInt() : MostTickIntervals;
}

void setLinearTicks(QValueAxis* a, double lo, double hi) {
    const AxisTicks t = linearTicks(lo, hi, tickIntervals(a));
    a->setTickInterval(t.step);
    long long groups = 0;
    bool same = true;
    for (int k = 0; k < t.count; ++k) {
        const double v = t.first + k * t.step;
        const QString text = toQ(tickText(v, t.step));
        same = same && text == QString::asprintf("%g", v);
        groups = std::max<long long>(groups, text.count(QLatin1Char(' ')));
    }
    if (same) {
        a->setLabelFormat(QStringLiteral("%g"));
        a->setLabelsColor(a->property(LabelsColour).value<QColor>());
        return;
    }
    const int decimals = t.step < 1 ? static_cast<int>(std::ceil(-std::log10(t.step) - 1e-9)) : 0;
    a->setLabelFormat(QString(static_cast<qsizetype>(groups), QLatin1Char(' ')) + QStringLiteral("%.") +
                      QString::number(std::min(12, decimals)) + QStringLiteral("f"));
    a->setLabelsColor(Qt::transparent);
}

// A filled disc of `diameter` pixels, drawn at twice the size for a smooth edge on
// screens and in print.
QImage dotImage(const QColor& color, int diameter) {
    QImage image(2 * diameter, 2 * diameter, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0, 0, image.width(), image.height()));
    return image;
}

QAbstractAxis* makeAxis(const ChartAxis& axis, std::pair<double, double> range) {
    QAbstractAxis* made = nullptr;
    if (axis.log) {
        auto* a = new QLogValueAxis;
        a->setBase(10.0);
        a->setLabelFormat(decadeLabelFormat(range));
        // Decade ticks; the 2 to 9 lines of each decade are drawn under the chart.
        a->setMinorTickCount(0);
        a->setMinorGridLineVisible(false);
        a->setRange(range.first, range.second);
        made = a;
    } else {
        auto* a = new QValueAxis;
        a->setProperty(LabelsColour, a->labelsColor());
        a->setRange(range.first, range.second);
        // Round ticks (1, 2 or 5 × 10^k) from zero, at every zoom.
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(0);
        setLinearTicks(a, range.first, range.second);
        QObject::connect(a, &QValueAxis::rangeChanged, a, [a](qreal lo, qreal hi) { setLinearTicks(a, lo, hi); });
        a->setMinorTickCount(4);
        a->setMinorGridLineVisible(true);
        made = a;
    }
    made->setTitleText(toQ(axis.caption()));
    QPen minor = made->minorGridLinePen();
    minor.setColor(QColor(0xe4, 0xe4, 0xe4));
    made->setMinorGridLinePen(minor);
    return made;
}

// The range an automatic linear axis shows: the data's, rounded outward to its ticks.
std::pair<double, double> axisRange(const ChartAxis& axis, std::pair<double, double> range) {
    return !axis.log && axis.autoRange ? roundedRange(range.first, range.second) : range;
}

QString valueText(double v) { return toQ(chartNumber(v)); }

// The values m·10^k (m = 2..9) inside [lo, hi]; `labelled` keeps those worth a label
// when the axis spans few decades (every one under a decade and a half, 2 and 5 up to
// three decades, none beyond).
std::vector<double> logMinorValues(double lo, double hi, bool labelled) {
    std::vector<double> values;
    if (!(lo > 0) || !(hi > lo)) return values;
    const double decades = std::log10(hi / lo);
    if (labelled && decades > 3) return values;
    for (int k = static_cast<int>(std::floor(std::log10(lo))); k <= static_cast<int>(std::ceil(std::log10(hi))); ++k) {
        for (int m = 2; m <= 9; ++m) {
            if (labelled && decades > 1.5 && m != 2 && m != 5) continue;
            if (labelled && decades <= 1.5 && (m == 7 || m == 9)) continue;
            const double v = m * std::pow(10.0, k);
            if (v > lo * (1 + 1e-9) && v < hi * (1 - 1e-9)) values.push_back(v);
        }
    }
    return values;
}

// The range an axis shows now (after zooming).
std::pair<double, double> shownRange(QAbstractAxis* axis) {
    if (auto* a = qobject_cast<QLogValueAxis*>(axis)) return {a->min(), a->max()};
    if (auto* a = qobject_cast<QValueAxis*>(axis)) return {a->min(), a->max()};
    return {0, 0};
}

}  // namespace

ChartWidget::ChartWidget(Form& form, QWidget* parent) : ChartWidget(parent) { form_ = &form; }

ChartWidget::ChartWidget(QWidget* parent) : QChartView(new QChart, parent), form_(nullptr) {
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setMouseTracking(true);
    // The zones are painted under the chart, which stays transparent over them.
    chart()->setBackgroundVisible(false);
    chart()->setPlotAreaBackgroundVisible(false);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

namespace {

bool sameAxis(const ChartAxis& a, const ChartAxis& b) {
    return a.title == b.title && a.unit == b.unit && a.log == b.log && a.autoRange == b.autoRange && a.min == b.min &&
           a.max == b.max;
}

// Lines and marked points only grow at their end: they can be extended in place.
bool growsInPlace(SeriesKind kind) { return kind == SeriesKind::Line || kind == SeriesKind::Points; }

// True when `now` is `before` with points added at the end of its lines and marked
// points, and new lines and marked points after them (a study adding rows).
bool extends(const Chart& before, const Chart& now) {
    if (before.title != now.title || !sameAxis(before.x, now.x) || !sameAxis(before.y, now.y)) return false;
    const auto& old = before.series();
    const auto& grown = now.series();
    if (grown.size() < old.size()) return false;
    for (std::size_t i = 0; i < grown.size(); ++i) {
        const ChartSeries& b = grown[i];
        if (!growsInPlace(b.kind)) return false;
        if (i >= old.size()) continue;
        const ChartSeries& a = old[i];
        if (a.kind != b.kind || a.name != b.name || a.color != b.color || a.width != b.width || a.label != b.label ||
            a.inLegend != b.inLegend || a.points.size() > b.points.size())
            return false;
        for (std::size_t k = 0; k < a.points.size(); ++k)
            if (a.points[k].x != b.points[k].x || a.points[k].y != b.points[k].y) return false;
    }
    return true;
}

}  // namespace

void ChartWidget::showChart(const Chart& chart) {
    if (chart.revision() == shownRevision_) return;
    shownRevision_ = chart.revision();
    if (!qtSeries_.empty() && qtSeries_.size() == model_.series().size() && extends(model_, chart)) {
        const std::size_t before = model_.series().size();
        std::vector<std::size_t> shown(before);
        for (std::size_t i = 0; i < before; ++i) shown[i] = model_.series()[i].points.size();
        model_ = chart;
        extend(shown);
        return;
    }
    model_ = chart;
    rebuild();
    fitToPlot();
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    fitToPlot();
    queueThinning();
}

void ChartWidget::queueThinning() {
    if (moving_ || thinDue_) return;
    thinDue_ = true;
    QTimer::singleShot(0, this, [this] { thinAgain(); });
}

void ChartWidget::fitToPlot() {
    if (fitting_) return;  // what changes here lays the chart out again
    fitting_ = true;
    fitLegend();
    fitAxisTitles();
    fitTickCounts();
    fitting_ = false;
}

void ChartWidget::fitTickCounts() {
    const QRectF plot = chart()->plotArea();
    for (QAbstractAxis* axis : chart()->axes()) {
        auto* a = qobject_cast<QValueAxis*>(axis);
        if (!a) continue;
        const QFontMetricsF m(a->labelsFont());
        const bool horizontal = a->orientation() == Qt::Horizontal;
        // Each label with room around it: a line and a half of height on an upright axis,
        // its width and two spaces on a level one.
        double room = 1.5 * m.height();
        if (horizontal) {
            const AxisTicks t = linearTicks(a->min(), a->max(), tickIntervals(a));
            double widest = 0;
            for (int k = 0; k < t.count; ++k)
                widest = std::max(widest, m.horizontalAdvance(toQ(tickText(t.first + k * t.step, t.step))));
            room = widest + m.horizontalAdvance(QStringLiteral("  "));
        }
        const double length = horizontal ? plot.width() : plot.height();
        if (!(length > 0) || !(room > 0)) continue;
        const int fit = std::clamp(static_cast<int>(length / room), 1, MostTickIntervals);
        if (fit == tickIntervals(a)) continue;
        a->setProperty(TickIntervals, fit);
        setLinearTicks(a, a->min(), a->max());
    }
}

void ChartWidget::fitLegend() {
    QLegend* legend = chart()->legend();
    std::vector<QString> names;
    for (const ChartSeries& s : model_.series())
        if (s.inLegend && s.kind != SeriesKind::Marker) names.push_back(toQ(s.name));
    QFont f = legend->font();
    if (baseLegendPoints_ <= 0) baseLegendPoints_ = f.pointSizeF();
    f.setPointSizeF(baseLegendPoints_);
    // The width of each entry: its marker, its name and the room between entries.
    auto widths = [&names](const QFont& font) {
        const QFontMetricsF m(font);
        std::vector<double> out;
        out.reserve(names.size());
        for (const QString& n : names) out.push_back(m.horizontalAdvance(n) + m.height() + 16);
        return out;
    };
    auto total = [](const std::vector<double>& w) { return std::accumulate(w.begin(), w.end(), 0.0); };
    // A long legend goes beside the plot. A short one goes under it, on one line in a font a
    // little smaller if need be (down to 8 points), else on as many lines as its entries
    // need: never with its names cut short.
    const double room = chart()->size().width() - 24;
    constexpr double SmallestPoints = 8;
    bool wrap = false;
    if (names.size() <= 4 && room > 0) {
        while (total(widths(f)) > room && f.pointSizeF() > SmallestPoints)
            f.setPointSizeF(std::max(SmallestPoints, f.pointSizeF() - 0.5));
        wrap = total(widths(f)) > room;
    }
    if (f.pointSizeF() != legend->font().pointSizeF()) legend->setFont(f);
    const Qt::Alignment place = names.size() > 4 ? Qt::AlignRight : Qt::AlignBottom;
    if (legend->alignment() != place) legend->setAlignment(place);
    if (!wrap) {
        if (!legend->isAttachedToChart()) {
            legend->attachToChart();
            chart()->setMargins(QMargins(4, 4, 4, 4));
        }
        return;
    }
    // Lines of entries under the plot, laid out by the legend itself once detached, in
    // the room the chart's bottom margin keeps for them.
    int lines = 1;
    double used = 0;
    for (double w : widths(f)) {
        if (used > 0 && used + w > room) {
            ++lines;
            used = 0;
        }
        used += w;
    }
    const double height = lines * (QFontMetricsF(f).height() + 8) + 6;
    if (legend->isAttachedToChart()) legend->detachFromChart();
    legend->setAlignment(Qt::AlignTop);  // a detached legend fills its lines from the top
    legend->setBackgroundVisible(false);
    const QMargins margins(4, 4, 4, 4 + static_cast<int>(std::ceil(height)));
    if (chart()->margins() != margins) chart()->setMargins(margins);
    const QRectF area(12, chart()->size().height() - height - 2, room, height);
    if (legend->geometry() != area) legend->setGeometry(area);
}

void ChartWidget::fitAxisTitles() {
    // The room along each axis: the plot's side once laid out, else the view less the
    // other axis's labels and title and the margins.
    constexpr double Room = 110;
    const QRectF plot = chart()->plotArea();
    for (QAbstractAxis* axis : chart()->axes()) {
        const bool horizontal = axis->orientation() == Qt::Horizontal;
        const double side = horizontal ? plot.width() : plot.height();
        const double length = side > 0 ? side - 4 : (horizontal ? width() : height()) - Room;
        QFont f = axis->titleFont();
        if (baseTitlePoints_ <= 0) baseTitlePoints_ = f.pointSizeF();
        f.setPointSizeF(baseTitlePoints_);
        // A smaller font rather than a title cut short ("Puissance électr…"), down to 6 points.
        const double need = QFontMetricsF(f).horizontalAdvance(axis->titleText());
        if (length > 0 && need > length) f.setPointSizeF(std::max(6.0, baseTitlePoints_ * length / need));
        if (f.pointSizeF() != axis->titleFont().pointSizeF()) axis->setTitleFont(f);
    }
}

// Only the new points and series go to Qt: a study's chart grows without being rebuilt.
void ChartWidget::extend(const std::vector<std::size_t>& shownPoints) {
    QChart* c = chart();
    const auto axes = c->axes();
    QAbstractAxis* ax = nullptr;
    QAbstractAxis* ay = nullptr;
    for (QAbstractAxis* a : axes) (a->orientation() == Qt::Horizontal ? ax : ay) = a;
    if (!ax || !ay) {
        rebuild();
        return;
    }
    const auto xr = axisRange(model_.x, model_.xRange());
    const auto yr = axisRange(model_.y, model_.yRange());
    // Each change of an axis lays out every series again (all their points): an axis is
    // only touched when its range or its labels' format really change.
    const bool zoomed = shownRange(ax) != fullX_ || shownRange(ay) != fullY_;
    // A linear axis takes the ticks of its new range first: laid out with the former step,
    // a range a million times wider would make a million tick items.
    auto widen = [](QAbstractAxis* axis, std::pair<double, double> range) {
        if (auto* value = qobject_cast<QValueAxis*>(axis)) setLinearTicks(value, range.first, range.second);
        axis->setRange(range.first, range.second);
    };
    const bool moveX = zoomed || xr != fullX_;
    const bool moveY = zoomed || yr != fullY_;
    // Each series' points, the new ones after those shown. While an axis moves, the series
    // are empty: Qt lays out every series again at each axis change, so each is laid out
    // once, full, when its points come back.
    std::vector<QList<QPointF>> grown(shownPoints.size());
    std::vector<bool> changed(shownPoints.size(), false);
    for (std::size_t i = 0; i < shownPoints.size(); ++i) {
        auto* xy = qobject_cast<QXYSeries*>(qtSeries_[i]);
        if (!xy) continue;
        const auto& points = model_.series()[i].points;
        changed[i] = points.size() != shownPoints[i] || moveX || moveY;
        if (!changed[i]) continue;
        if (thinned(static_cast<int>(i))) {  // taken whole below, at the new scale
            if (moveX || moveY) xy->clear();
            continue;
        }
        grown[i] = xy->points();
        grown[i].reserve(static_cast<qsizetype>(points.size()));
        for (std::size_t k = shownPoints[i]; k < points.size(); ++k) grown[i].append(QPointF(points[k].x, points[k].y));
        if ((moveX || moveY) && !grown[i].isEmpty()) xy->clear();
    }
    moving_ = true;
    if (moveX) widen(ax, xr);
    if (moveY) widen(ay, yr);
    moving_ = false;
    fullX_ = xr;
    fullY_ = yr;
    // A log axis keeps room for its longest decade.
    auto keepFormat = [](QAbstractAxis* axis, std::pair<double, double> range) {
        auto* log = qobject_cast<QLogValueAxis*>(axis);
        if (log && log->labelFormat() != decadeLabelFormat(range)) log->setLabelFormat(decadeLabelFormat(range));
    };
    keepFormat(ax, xr);
    keepFormat(ay, yr);
    for (std::size_t i = 0; i < shownPoints.size(); ++i)
        if (changed[i])
            qobject_cast<QXYSeries*>(qtSeries_[i])
                ->replace(thinned(static_cast<int>(i)) ? drawnPoints(static_cast<int>(i)) : grown[i]);
    qtSeries_.resize(model_.series().size(), nullptr);
    for (std::size_t i = shownPoints.size(); i < model_.series().size(); ++i)
        addSeries(static_cast<int>(i), ax, ay, xr, yr);
    finishLegend();
}

bool ChartWidget::thinned(int index) const {
    const SeriesKind kind = model_.at(index).kind;
    return kind == SeriesKind::Line || kind == SeriesKind::Points;
}

QList<QPointF> ChartWidget::drawnPoints(int index) const {
    const ChartSeries& s = model_.at(index);
    QAbstractAxis* ax = nullptr;
    QAbstractAxis* ay = nullptr;
    for (QAbstractAxis* a : chart()->axes()) (a->orientation() == Qt::Horizontal ? ax : ay) = a;
    QList<QPointF> points;
    std::vector<std::size_t> kept;
    if (ax && ay) {
        const auto xr = shownRange(ax);
        const auto yr = shownRange(ay);
        const QRectF plot = chart()->plotArea();
        // The widget's size, its declared one before it is laid out, or its plot's.
        const int columns = 2 * std::max({static_cast<int>(plot.width()), width(), minimumWidth()});
        const int rows = 2 * std::max({static_cast<int>(plot.height()), height(), minimumHeight()});
        kept = pixelPoints(s.points, s.kind == SeriesKind::Line,
                           PlotScale{xr.first, xr.second, qobject_cast<QLogValueAxis*>(ax) != nullptr},
                           PlotScale{yr.first, yr.second, qobject_cast<QLogValueAxis*>(ay) != nullptr}, columns, rows);
    } else {
        for (std::size_t i = 0; i < s.points.size(); ++i) kept.push_back(i);
    }
    points.reserve(static_cast<qsizetype>(kept.size()));
    for (std::size_t i : kept) points.append(QPointF(s.points[i].x, s.points[i].y));
    return points;
}

void ChartWidget::thinAgain() {
    thinDue_ = false;
    for (std::size_t i = 0; i < qtSeries_.size() && i < model_.series().size(); ++i) {
        auto* xy = qobject_cast<QXYSeries*>(qtSeries_[i]);
        if (!xy || !thinned(static_cast<int>(i))) continue;
        QList<QPointF> points = drawnPoints(static_cast<int>(i));
        // A series drawn whole and still whole is left alone.
        if (points.size() == xy->count() &&
            static_cast<std::size_t>(points.size()) == model_.at(static_cast<int>(i)).points.size())
            continue;
        xy->replace(points);
    }
}

QColor ChartWidget::colorOf(int index) const {
    const ChartSeries& s = model_.at(index);
    if (s.color >= 0) return toQColor(s.color);
    return Palette[static_cast<std::size_t>(index) % (sizeof Palette / sizeof Palette[0])];
}

void ChartWidget::rebuild() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    qtSeries_.assign(model_.series().size(), nullptr);
    c->setTitle(toQ(model_.title));
    QFont titleFont = c->titleFont();
    titleFont.setBold(true);
    c->setTitleFont(titleFont);

    const auto xr = axisRange(model_.x, model_.xRange());
    const auto yr = axisRange(model_.y, model_.yRange());
    fullX_ = xr;
    fullY_ = yr;
    QAbstractAxis* ax = makeAxis(model_.x, xr);
    QAbstractAxis* ay = makeAxis(model_.y, yr);
    c->addAxis(ax, Qt::AlignBottom);
    c->addAxis(ay, Qt::AlignLeft);
    // A person's zoom takes the thinned series again at the new scale.
    auto watch = [this](QAbstractAxis* axis) {
        auto due = [this] { queueThinning(); };
        if (auto* value = qobject_cast<QValueAxis*>(axis)) connect(value, &QValueAxis::rangeChanged, this, due);
        if (auto* log = qobject_cast<QLogValueAxis*>(axis)) connect(log, &QLogValueAxis::rangeChanged, this, due);
    };
    watch(ax);
    watch(ay);

    for (int i = 0; i < static_cast<int>(model_.series().size()); ++i) addSeries(i, ax, ay, xr, yr);
    finishLegend();
}

void ChartWidget::addSeries(int i, QAbstractAxis* ax, QAbstractAxis* ay, std::pair<double, double> xr,
                            std::pair<double, double> yr) {
    QChart* c = chart();
    const ChartSeries& s = model_.at(i);
    const QColor color = colorOf(i);
    const QString name = toQ(s.name);
    QXYSeries* xy = nullptr;
    QAbstractSeries* added = nullptr;
    // The points of a line or of marked points, given to the series once it is on its
    // axes: Qt lays out a series again when it is added and at each axis attached, in
    // proportion to its points (a study's ten thousand), so it is laid out once, full.
    QList<QPointF> points;
    switch (s.kind) {
        case SeriesKind::Line:
        case SeriesKind::Zone:
        case SeriesKind::HLine:
        case SeriesKind::VLine: {
            auto* line = new QLineSeries;
            if (s.kind == SeriesKind::HLine && !s.points.empty()) {
                points = {QPointF(xr.first, s.points.front().y), QPointF(xr.second, s.points.front().y)};
            } else if (s.kind == SeriesKind::VLine && !s.points.empty()) {
                points = {QPointF(s.points.front().x, yr.first), QPointF(s.points.front().x, yr.second)};
            } else if (s.kind == SeriesKind::Line) {
                points = drawnPoints(i);
            } else {
                points.reserve(static_cast<qsizetype>(s.points.size()) + 1);
                for (const ChartPoint& p : s.points) points.append(QPointF(p.x, p.y));
                // A zone's outline closes on its first vertex.
                if (!s.points.empty()) points.append(QPointF(s.points.front().x, s.points.front().y));
            }
            QPen pen(color, s.kind == SeriesKind::Zone ? 1.5 : s.width);
            if (s.kind == SeriesKind::HLine || s.kind == SeriesKind::VLine) pen.setStyle(Qt::DashLine);
            pen.setCapStyle(Qt::RoundCap);
            line->setPen(pen);
            xy = line;
            added = line;
            break;
        }
        case SeriesKind::Points: {
            // Marked points (a study's thousands of them) are painted from one image by a
            // series without line: Qt's marker items cost, at each change of the series,
            // a search over all its points for every item.
            auto* dots = new QLineSeries;
            points = drawnPoints(i);
            dots->setPen(QPen(QBrush(color), 1, Qt::NoPen));
            dots->setMarkerSize(7);
            dots->setLightMarker(dotImage(color, 7));
            xy = dots;
            added = dots;
            break;
        }
        case SeriesKind::Marker: {
            auto* dots = new QScatterSeries;
            for (const ChartPoint& p : s.points) points.append(QPointF(p.x, p.y));
            dots->setMarkerSize(11);
            dots->setColor(color);
            dots->setBorderColor(Qt::black);
            xy = dots;
            added = dots;
            break;
        }
        case SeriesKind::Area: {
            auto* upper = new QLineSeries;
            auto* lower = new QLineSeries;
            for (const ChartPoint& p : s.points) {
                upper->append(p.x, p.y);
                lower->append(p.x, p.y2);
            }
            auto* area = new QAreaSeries(upper, lower);
            QColor fill = color;
            fill.setAlpha(AreaFillAlpha);
            area->setBrush(fill);
            area->setPen(QPen(color.darker(130), 1));
            connect(area, &QAreaSeries::hovered, this, [this, i](const QPointF& p, bool on) {
                if (on)
                    QToolTip::showText(QCursor::pos(), pointText(i, p), this);
                else
                    QToolTip::hideText();
            });
            added = area;
            break;
        }
    }
    added->setName(name);
    c->addSeries(added);
    added->attachAxis(ax);
    added->attachAxis(ay);
    if (xy && !points.isEmpty()) xy->replace(points);
    qtSeries_[static_cast<std::size_t>(i)] = added;
    if (xy) {
        connect(xy, &QXYSeries::hovered, this, [this, i](const QPointF& p, bool on) {
            if (on)
                QToolTip::showText(QCursor::pos(), pointText(i, p), this);
            else
                QToolTip::hideText();
        });
    }
    const auto markers = c->legend()->markers(added);
    for (QLegendMarker* m : markers) {
        m->setVisible(s.inLegend && s.kind != SeriesKind::Marker);
        // Marked points are named in the legend by a square of their colour.
        if (s.kind == SeriesKind::Points) {
            m->setShape(QLegend::MarkerShapeRectangle);
            m->setBrush(color);
            m->setPen(QPen(color.darker(130)));
        }
    }
}

void ChartWidget::finishLegend() {
    QChart* c = chart();
    // A short legend goes under the plot, a long one beside it; none when empty.
    int entries = 0;
    for (const ChartSeries& s : model_.series()) entries += s.inLegend && s.kind != SeriesKind::Marker;
    c->legend()->setVisible(entries > 0);
    // The zones and labels follow every change of the plot area.
    connect(c, &QChart::plotAreaChanged, viewport(), qOverload<>(&QWidget::update), Qt::UniqueConnection);
    // The legend, the axis titles and the ticks too: as the plot has room for.
    connect(c, &QChart::plotAreaChanged, this, &ChartWidget::fitToPlot, Qt::UniqueConnection);
    fitToPlot();
    viewport()->update();
}

QString ChartWidget::pointText(int index, const QPointF& value) const {
    const ChartSeries& s = model_.at(index);
    auto line = [](const ChartAxis& a, double v) {
        QString t = toQ(a.title) + QStringLiteral(" = ") + valueText(v);
        if (!a.unit.empty()) t += QLatin1Char(' ') + toQ(a.unit);
        return t;
    };
    return toQ(s.name) + QLatin1Char('\n') + line(model_.x, value.x()) + QLatin1Char('\n') + line(model_.y, value.y());
}

bool ChartWidget::toScene(int index, double x, double y, QPointF& out) const {
    QAbstractSeries* series = qtSeries_.at(static_cast<std::size_t>(index));
    if (!series) return false;
    const QPointF inChart = chart()->mapToPosition(QPointF(x, y), series);
    if (!std::isfinite(inChart.x()) || !std::isfinite(inChart.y())) return false;
    out = chart()->mapToScene(inChart);
    return true;
}

int ChartWidget::anySeries() const {
    for (std::size_t i = 0; i < qtSeries_.size(); ++i)
        if (qtSeries_[i]) return static_cast<int>(i);
    return -1;
}

void ChartWidget::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, Qt::white);
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    painter->save();
    painter->setClipRect(plot);
    painter->setRenderHint(QPainter::Antialiasing);
    // The minor grid of the logarithmic axes: 2 to 9 in each decade.
    const int any = anySeries();
    const auto axes = chart()->axes();
    if (any >= 0 && axes.size() >= 2) {
        painter->setPen(QPen(QColor(0xe2, 0xe2, 0xe2), 0));
        const auto xr = shownRange(chart()->axes(Qt::Horizontal).value(0));
        const auto yr = shownRange(chart()->axes(Qt::Vertical).value(0));
        QPointF a, b;
        if (model_.x.log)
            for (double v : logMinorValues(xr.first, xr.second, false))
                if (toScene(any, v, yr.first, a) && toScene(any, v, yr.second, b)) painter->drawLine(a, b);
        if (model_.y.log)
            for (double v : logMinorValues(yr.first, yr.second, false))
                if (toScene(any, xr.first, v, a) && toScene(any, xr.second, v, b)) painter->drawLine(a, b);
    }
    for (int i = 0; i < static_cast<int>(model_.series().size()); ++i) {
        const ChartSeries& s = model_.at(i);
        if (s.kind != SeriesKind::Zone || s.points.size() < 3) continue;
        QPolygonF polygon;
        for (const ChartPoint& p : s.points) {
            QPointF at;
            if (toScene(i, p.x, p.y, at)) polygon << at;
        }
        QColor fill = colorOf(i);
        fill.setAlpha(ZoneFillAlpha);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawPolygon(polygon);
    }
    painter->restore();
}

void ChartWidget::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    // Labels of the minor values of a logarithmic axis spanning few decades.
    const int any = anySeries();
    if (any >= 0 && !chart()->axes(Qt::Horizontal).isEmpty() && !chart()->axes(Qt::Vertical).isEmpty()) {
        painter->save();
        QFont small = this->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        painter->setFont(small);
        painter->setPen(QColor(0x60, 0x60, 0x60));
        const QFontMetricsF m(small);
        const auto xr = shownRange(chart()->axes(Qt::Horizontal).value(0));
        const auto yr = shownRange(chart()->axes(Qt::Vertical).value(0));
        QPointF at;
        // The decades of a logarithmic axis, in the axis's own font and colour.
        for (QAbstractAxis* axis : chart()->axes()) {
            auto* log = qobject_cast<QLogValueAxis*>(axis);
            if (!log || !log->isVisible() || qtWritesDecades({log->min(), log->max()})) continue;
            painter->save();
            painter->setFont(log->labelsFont());
            painter->setPen(log->labelsBrush().color());
            const QFontMetricsF lm(log->labelsFont());
            const bool horizontal = axis->orientation() == Qt::Horizontal;
            for (double v : logDecades(log->min(), log->max())) {
                const QString t = toQ(tickText(v, v));
                // The last decade's label kept inside the picture.
                const double right = sceneRect().right() - lm.horizontalAdvance(t) - 2;
                if (horizontal && toScene(any, v, yr.first, at))
                    painter->drawText(
                        QPointF(std::min(at.x() - lm.horizontalAdvance(t) / 2, right), plot.bottom() + lm.ascent() + 4),
                        t);
                else if (!horizontal && toScene(any, xr.first, v, at))
                    painter->drawText(QPointF(plot.left() - lm.horizontalAdvance(t) - 5, at.y() + lm.ascent() / 2 - 1),
                                      t);
            }
            painter->restore();
        }
        // The ticks of a linear axis whose labels Qt cannot write grouped.
        for (QAbstractAxis* axis : chart()->axes()) {
            auto* value = qobject_cast<QValueAxis*>(axis);
            if (!value || !value->isVisible() || !value->labelsVisible() || !handWritten(value)) continue;
            painter->save();
            painter->setFont(value->labelsFont());
            painter->setPen(value->property(LabelsColour).value<QColor>());
            const QFontMetricsF lm(value->labelsFont());
            const bool horizontal = axis->orientation() == Qt::Horizontal;
            const AxisTicks t = linearTicks(value->min(), value->max(), tickIntervals(value));
            double freeFrom = -1e300;  // a label that would meet the one before is left out
            for (int k = 0; k < t.count; ++k) {
                const double v = t.first + k * t.step;
                const QString text = toQ(tickText(v, t.step));
                const double w = lm.horizontalAdvance(text);
                if (horizontal && toScene(any, v, yr.first, at)) {
                    const double left = std::min(at.x() - w / 2, sceneRect().right() - w - 2);
                    if (left < freeFrom) continue;
                    painter->drawText(QPointF(left, plot.bottom() + lm.ascent() + 4), text);
                    freeFrom = left + w + lm.horizontalAdvance(QStringLiteral("  "));
                } else if (!horizontal && toScene(any, xr.first, v, at))
                    painter->drawText(QPointF(plot.left() - w - 5, at.y() + lm.ascent() / 2 - 1), text);
            }
            painter->restore();
        }
        if (model_.y.log)
            for (double v : logMinorValues(yr.first, yr.second, true))
                if (toScene(any, xr.first, v, at)) {
                    const QString t = toQ(tickText(v, v));
                    painter->drawText(QPointF(plot.left() - m.horizontalAdvance(t) - 6, at.y() + m.ascent() / 2 - 1),
                                      t);
                }
        if (model_.x.log)
            for (double v : logMinorValues(xr.first, xr.second, true))
                if (toScene(any, v, yr.first, at)) {
                    const QString t = toQ(tickText(v, v));
                    painter->drawText(QPointF(at.x() - m.horizontalAdvance(t) / 2, plot.bottom() + m.ascent() + 3), t);
                }
        painter->restore();
    }
    painter->save();
    painter->setClipRect(plot);
    painter->setRenderHint(QPainter::TextAntialiasing);
    QFont font = this->font();
    font.setBold(true);
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    QFont lineFont = this->font();
    lineFont.setPointSizeF(lineFont.pointSizeF() * 0.85);
    const QFontMetricsF lm(lineFont);
    // The labels of marked points and lines, placed together so that none hides a
    // marker, the curve it names or another label.
    std::vector<LabelRequest> requests;
    std::vector<int> requestSeries;
    std::vector<PixelPoint> markers;
    const QRectF inPlot = plot.adjusted(-0.5, -0.5, 0.5, 0.5);
    for (int i = 0; i < static_cast<int>(model_.series().size()); ++i) {
        const ChartSeries& s = model_.at(i);
        const QString text = toQ(s.label.empty() ? s.name : s.label);
        QPointF at;
        if (s.kind == SeriesKind::Zone && s.points.size() >= 3) {
            const ChartPoint centre = polygonCentre(s.points, model_.x.log, model_.y.log);
            if (!toScene(i, centre.x, centre.y, at)) continue;
            const QRectF box = metrics.boundingRect(text);
            painter->setPen(colorOf(i).darker(170));
            painter->drawText(QPointF(at.x() - box.width() / 2, at.y() + metrics.ascent() / 2), text);
        } else if (s.kind == SeriesKind::Marker && !s.points.empty()) {
            for (const ChartPoint& p : s.points)
                if (toScene(i, p.x, p.y, at)) markers.push_back({at.x(), at.y()});
            if (!toScene(i, s.points.front().x, s.points.front().y, at) || !inPlot.contains(at)) continue;
            LabelRequest r;
            r.anchorX = at.x();
            r.anchorY = at.y();
            r.width = metrics.horizontalAdvance(text) + 6;  // with its white background
            r.height = metrics.height() + 4;
            r.ofMarker = true;
            requests.push_back(std::move(r));
            requestSeries.push_back(i);
        } else if (s.kind == SeriesKind::Line && !s.label.empty() && !s.points.empty()) {
            // At the last point inside the plot.
            bool found = false;
            for (auto p = s.points.rbegin(); p != s.points.rend() && !found; ++p)
                found = toScene(i, p->x, p->y, at) && inPlot.contains(at);
            if (!found) continue;
            LabelRequest r;
            r.anchorX = at.x();
            r.anchorY = at.y();
            r.width = lm.horizontalAdvance(text);
            r.height = lm.height();
            QPointF q;
            for (const ChartPoint& p : s.points)
                if (toScene(i, p.x, p.y, q)) r.curve.push_back({q.x(), q.y()});
            requests.push_back(std::move(r));
            requestSeries.push_back(i);
        }
    }
    constexpr double MarkerRadius = 7;  // an 11-pixel disc and its border
    const auto places =
        placeLabels(requests, markers, MarkerRadius, LabelBox{plot.left(), plot.top(), plot.width(), plot.height()});
    for (std::size_t k = 0; k < requests.size(); ++k) {
        if (!places[k]) continue;
        const int i = requestSeries[k];
        const ChartSeries& s = model_.at(i);
        const QString text = toQ(s.label.empty() ? s.name : s.label);
        const LabelBox& b = *places[k];
        if (requests[k].ofMarker) {
            painter->setFont(font);
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(255, 255, 255, 220));
            painter->drawRoundedRect(QRectF(b.left, b.top, b.width, b.height), 3, 3);
            painter->setPen(colorOf(i));
            painter->drawText(QPointF(b.left + 3, b.top + 2 + metrics.ascent()), text);
        } else {
            painter->setFont(lineFont);
            painter->setPen(colorOf(i).darker(120));
            painter->drawText(QPointF(b.left, b.top + lm.ascent()), text);
        }
    }
    painter->restore();
}

void ChartWidget::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        event->ignore();
        return;
    }
    const double factor = std::pow(WheelStep, steps);
    QRectF area = chart()->plotArea();
    const QPointF mouse = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (!area.contains(mouse)) {
        event->ignore();
        return;
    }
    // The point under the cursor stays where it is.
    QRectF zoomed(0, 0, area.width() / factor, area.height() / factor);
    zoomed.moveLeft(mouse.x() - (mouse.x() - area.left()) / factor);
    zoomed.moveTop(mouse.y() - (mouse.y() - area.top()) / factor);
    chart()->zoomIn(zoomed);
    keepWithinFullRange();
    viewport()->update();
    event->accept();
}

void ChartWidget::keepWithinFullRange() {
    for (QAbstractAxis* axis : chart()->axes()) {
        const bool horizontal = axis->orientation() == Qt::Horizontal;
        const auto full = horizontal ? fullX_ : fullY_;
        if (auto* log = qobject_cast<QLogValueAxis*>(axis)) {
            if (!(full.first > 0) || !(log->min() > 0)) continue;
            // Bounded on the logarithms, as the axis shows them.
            const auto b = boundedZoom(std::log10(log->min()), std::log10(log->max()), std::log10(full.first),
                                       std::log10(full.second));
            log->setRange(std::pow(10.0, b.first), std::pow(10.0, b.second));
        } else if (auto* value = qobject_cast<QValueAxis*>(axis)) {
            const auto b = boundedZoom(value->min(), value->max(), full.first, full.second);
            value->setRange(b.first, b.second);
        }
    }
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    chart()->zoomReset();
    viewport()->update();
    event->accept();
}

void ChartWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Copier l'image"), this, &ChartWidget::copyPicture);
    menu.addAction(QStringLiteral("Enregistrer l'image…"), this, &ChartWidget::askSavePicture);
    menu.addAction(QStringLiteral("Exporter les données (CSV)…"), this, &ChartWidget::askExportCsv);
    menu.exec(event->globalPos());
}

void ChartWidget::copyPicture() {
    if (QClipboard* board = QGuiApplication::clipboard()) board->setPixmap(grab());
}

QByteArray ChartWidget::pictureBytes(bool svg) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size());
        generator.setViewBox(rect());
        generator.setTitle(toQ(model_.title));
        QPainter painter(&generator);
        painter.setRenderHint(QPainter::Antialiasing);
        render(&painter);
    } else {
        // Drawn again at a report's size (the texts and lines grow with it), not grabbed from the screen.
        const double factor = std::max(1.0, double(ReportPictureWidth) / std::max(1, width()));
        QImage image(QSize(qRound(width() * factor), qRound(height() * factor)), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        render(&painter, QRectF(image.rect()), rect());
        painter.end();
        image.save(&buffer, "PNG");
    }
    return bytes;
}

void ChartWidget::tell(const std::string& text) {
    if (form_) form_->dialogs().message(text);
}

bool ChartWidget::savePicture(const QString& path) {
    const bool svg = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = pictureBytes(svg);
    if (bytes.isEmpty()) {
        tell("L'image n'a pas pu être préparée.");
        return false;
    }
    try {
        saveBytes(pathFromUtf8(fromQ(path)),
                  std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const CalcError& e) {
        tell("Image non enregistrée : " + e.description());
        return false;
    }
    return true;
}

bool ChartWidget::exportCsv(const QString& path) {
    const char separator = form_ && form_->platform().decimalSeparator() == ',' ? ',' : '.';
    try {
        saveBytes(pathFromUtf8(fromQ(path)), chartCsv(model_, separator));
    } catch (const CalcError& e) {
        tell("Données non exportées : " + e.description());
        return false;
    }
    return true;
}

QString ChartWidget::defaultFile(const QString& suffix) const {
    if (!form_) return QStringLiteral("graphe") + suffix;
    return toQ(pathToUtf8(form_->session().appFolder() / (form_->name() + fromQ(suffix))));
}

void ChartWidget::askSavePicture() {
    QString filter;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Enregistrer l'image"), defaultFile(QStringLiteral(".png")),
                                     QStringLiteral("Image PNG (*.png);;Image SVG (*.svg)"), &filter);
    if (path.isEmpty()) return;
    QString chosen = path;
    if (!chosen.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) &&
        !chosen.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        chosen += filter.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    savePicture(chosen);
}

void ChartWidget::askExportCsv() {
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Exporter les données"), defaultFile(QStringLiteral(".csv")),
                                     QStringLiteral("Données CSV (*.csv)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) path += QStringLiteral(".csv");
    exportCsv(path);
}

void paintChart(QPainter& painter, const Chart& chart, const QRectF& target, QSize pixels) {
    ChartWidget view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(pixels);
    view.showChart(chart);
    // Texts as typed, without ligatures, so that the document's text reads and searches
    // as it is written ("Coefficient").
    auto plain = [](QFont f) {
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    };
    QChart* c = view.chart();
    view.setFont(plain(view.font()));
    c->setTitleFont(plain(c->titleFont()));
    c->legend()->setFont(plain(c->legend()->font()));
    for (QAbstractAxis* axis : c->axes()) {
        axis->setTitleFont(plain(axis->titleFont()));
        axis->setLabelsFont(plain(axis->labelsFont()));
    }
    // Shown off screen so that the view, its viewport and the chart take their size,
    // then laid out at once, without waiting for the event loop.
    view.show();
    if (QGraphicsLayout* layout = c->layout()) layout->activate();
    QCoreApplication::sendPostedEvents(c, QEvent::LayoutRequest);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view.render(&painter, target, view.viewport()->rect(), Qt::KeepAspectRatio);
    painter.restore();
}

}  // namespace aub
