#pragma once
// Paints a drawing area (a canvas) or a picture box: the picture file scaled to fit,
// then the drawing's display list on top, its user coordinates mapped onto the
// widget's rectangle. The widget keeps its own copy of what it shows, so it never
// reads a model that may be gone.
#include <QPixmap>
#include <QWidget>

#include <cstdint>

#include "forms/Drawing.h"

class QPainter;

namespace aub {

// Paints every element of `drawing` into `target` (pixels), user coordinates
// (left, top)-(right, bottom) mapped onto its corners. Elements with coordinates
// that are not finite are skipped; a degenerate scale paints nothing.
void paintDrawing(QPainter& painter, const Drawing& drawing, const QRectF& target);

// A fingerprint of a drawing's scale and elements, to repaint only on a change.
std::uint64_t drawingFingerprint(const Drawing& drawing);

class DrawingWidget : public QWidget {
    Q_OBJECT

public:
    // `isPicture`: a picture box (transparent background, picture below the drawing);
    // otherwise a canvas filled with the drawing's background colour.
    DrawingWidget(bool isPicture, QWidget* parent = nullptr);

    // Returns true when something changed (and schedules a repaint).
    bool setDrawing(const Drawing& drawing);
    void setPicture(const QPixmap& picture, const QString& fileName);
    const QString& pictureFile() const { return pictureFile_; }
    bool hasPicture() const { return !picture_.isNull(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool isPicture_;
    Drawing drawing_;
    std::uint64_t fingerprint_ = 0;
    QPixmap picture_;
    QString pictureFile_;
};

}  // namespace aub
