#pragma once
// A chart control drawn with Qt Charts: logarithmic axes with decade ticks and a minor
// grid, zones filled under the grid with their labels at their centres, marked points
// with their labels, a tooltip with the series' name and the x, y under the cursor,
// the mouse wheel zooming about the cursor and a double click back to the whole chart,
// and a context menu to copy the picture, save it (PNG or SVG) or export the data (CSV).
#include <QAbstractSeries>
#include <QChartView>

#include <string>
#include <utility>
#include <vector>

#include "forms/Chart.h"

namespace aub {

class Form;

class ChartWidget : public QChartView {
    Q_OBJECT

public:
    explicit ChartWidget(Form& form, QWidget* parent = nullptr);
    // A chart shown without a window (the dossier's): its menu's messages are not shown.
    explicit ChartWidget(QWidget* parent = nullptr);

    // Rebuilds the chart when the model changed since it was last shown.
    void showChart(const Chart& chart);
    const Chart& model() const { return model_; }

    // The picture as PNG or SVG bytes (SVG when `svg`).
    QByteArray pictureBytes(bool svg);
    // Saves the picture (the suffix ".svg" chooses SVG, anything else PNG) or the CSV
    // export, through an atomic save: on failure the person gets a message and no file
    // is left half written. True when saved.
    bool savePicture(const QString& path);
    bool exportCsv(const QString& path);
    // The texts of the hover tooltip for a point of series `index`.
    QString pointText(int index, const QPointF& value) const;
    // The save dialogs of the right-click menu, also run from the window's menu bar.
    void askSavePicture();
    void askExportCsv();
    // The width of a saved PNG at the least: fit for a report, whatever the screen.
    static constexpr int ReportPictureWidth = 1600;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void rebuild();
    // After a zoom: no axis shows more than the chart's whole range, nor leaves it.
    void keepWithinFullRange();
    // Axis titles are shown whole: a title longer than its axis gets a smaller font.
    void fitAxisTitles();
    // A linear axis has as many ticks as its labels have room for along the plot.
    void fitTickCounts();
    // The legend's entries are shown whole: in a smaller font, or beside the plot.
    void fitLegend();
    // The three above, after each change of the plot area.
    void fitToPlot();
    // The points added to each series shown (counts as shown) and the series added since.
    void extend(const std::vector<std::size_t>& shownPoints);
    void addSeries(int index, QAbstractAxis* ax, QAbstractAxis* ay, std::pair<double, double> xr,
                   std::pair<double, double> yr);
    void finishLegend();
    // A line's or marked points' series as Qt draws it: the points the plot needs at its
    // size and ranges, twice the screen's pixels so that a report's picture loses none.
    bool thinned(int index) const;
    QList<QPointF> drawnPoints(int index) const;
    // After a zoom or a resize: the thinned series taken again at the new scale, once the
    // events of the moment are done (queued at most once; not while the program moves the axes).
    void queueThinning();
    void thinAgain();
    QColor colorOf(int index) const;
    int anySeries() const;  // a series attached to both axes, for mapping; -1 when none
    // A model point in scene coordinates, through the series' own axes.
    bool toScene(int index, double x, double y, QPointF& out) const;
    void copyPicture();
    void tell(const std::string& text);
    QString defaultFile(const QString& suffix) const;

    Form* form_;
    Chart model_;
    unsigned shownRevision_ = ~0u;
    std::pair<double, double> fullX_{0, 1}, fullY_{0, 1};  // the ranges shown unzoomed
    double baseTitlePoints_ = 0;                           // the axis titles' own size
    double baseLegendPoints_ = 0;                          // the legend's own size
    bool fitting_ = false;
    bool moving_ = false;                     // the program moves the axes: no thinning again meanwhile
    bool thinDue_ = false;                    // a new thinning is queued
    std::vector<QAbstractSeries*> qtSeries_;  // one per model series (nullptr: drawn by hand)
};

// Paints a chart, as the window draws it at `pixels`, scaled into `target` with its
// proportions kept; vector on a PDF or SVG painter.
void paintChart(QPainter& painter, const Chart& chart, const QRectF& target, QSize pixels);

}  // namespace aub
