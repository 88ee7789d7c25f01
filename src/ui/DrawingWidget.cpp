#include "ui/DrawingWidget.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/UiConvert.h"

namespace aub {

namespace {

// Far outside any screen; keeps the painter's integer arithmetic safe.
constexpr double PixelLimit = 1.0e6;

double clampPixel(double v) { return std::clamp(v, -PixelLimit, PixelLimit); }

bool finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

void mix(std::uint64_t& h, const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 1099511628211ULL;
    }
}

template <class T>
void mixValue(std::uint64_t& h, const T& v) {
    mix(h, &v, sizeof v);
}

}  // namespace

std::uint64_t drawingFingerprint(const Drawing& d) {
    std::uint64_t h = 1469598103934665603ULL;
    mixValue(h, d.left());
    mixValue(h, d.top());
    mixValue(h, d.right());
    mixValue(h, d.bottom());
    mixValue(h, d.backColor);
    for (const DrawOp& op : d.ops()) {
        mixValue(h, op.kind);
        mixValue(h, op.x1);
        mixValue(h, op.y1);
        mixValue(h, op.x2);
        mixValue(h, op.y2);
        mixValue(h, op.r);
        mixValue(h, op.color);
        mixValue(h, op.width);
        mixValue(h, op.fontSize);
        mixValue(h, op.filled);
        mix(h, op.text.data(), op.text.size());
    }
    mixValue(h, d.ops().size());
    return h;
}

void paintDrawing(QPainter& painter, const Drawing& d, const QRectF& target) {
    const double uw = double(d.right()) - d.left();
    const double uh = double(d.bottom()) - d.top();
    if (!std::isfinite(uw) || !std::isfinite(uh) || uw == 0 || uh == 0 || target.isEmpty()) return;
    const double sx = target.width() / uw;
    const double sy = target.height() / uh;
    auto px = [&](float x) { return clampPixel(target.left() + (double(x) - d.left()) * sx); };
    auto py = [&](float y) { return clampPixel(target.top() + (double(y) - d.top()) * sy); };

    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const DrawOp& op : d.ops()) {
        const QColor color = toQColor(op.color);
        QPen pen(color);
        pen.setWidthF(std::clamp(op.width, 1, 100));
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(op.filled ? QBrush(color) : QBrush(Qt::NoBrush));
        switch (op.kind) {
            case DrawOp::Kind::Line:
                if (!finite(op.x1, op.y1) || !finite(op.x2, op.y2)) break;
                painter.drawLine(QPointF(px(op.x1), py(op.y1)), QPointF(px(op.x2), py(op.y2)));
                break;
            case DrawOp::Kind::Box: {
                if (!finite(op.x1, op.y1) || !finite(op.x2, op.y2)) break;
                painter.drawRect(QRectF(QPointF(px(op.x1), py(op.y1)), QPointF(px(op.x2), py(op.y2))).normalized());
                break;
            }
            case DrawOp::Kind::Circle: {
                if (!finite(op.x1, op.y1) || !std::isfinite(op.r)) break;
                // The radius is measured in horizontal units, so a circle stays round.
                const double r = std::min(std::abs(double(op.r) * sx), PixelLimit);
                painter.drawEllipse(QPointF(px(op.x1), py(op.y1)), r, r);
                break;
            }
            case DrawOp::Kind::Point:
                if (!finite(op.x1, op.y1)) break;
                painter.drawPoint(QPointF(px(op.x1), py(op.y1)));
                break;
            case DrawOp::Kind::Text: {
                if (!finite(op.x1, op.y1)) break;
                QFont font = painter.font();
                font.setPointSizeF(std::clamp(double(op.fontSize), 1.0, 200.0));
                painter.setFont(font);
                const QFontMetricsF fm(font);
                // (x, y) is the top-left corner of the text. A label that would run past the
                // right or bottom edge is moved back inside, so that it shows whole.
                QString text = toQ(op.text);
                while (text.endsWith(QLatin1Char(' '))) text.chop(1);  // trailing blanks take no room
                double x = px(op.x1), y = py(op.y1);
                x = std::max(target.left(), std::min(x, target.right() - fm.horizontalAdvance(text)));
                y = std::max(target.top(), std::min(y, target.bottom() - fm.height()));
                painter.drawText(QPointF(x, y + fm.ascent()), text);
                break;
            }
        }
    }
    painter.restore();
}

DrawingWidget::DrawingWidget(bool isPicture, QWidget* parent) : QWidget(parent), isPicture_(isPicture) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

bool DrawingWidget::setDrawing(const Drawing& drawing) {
    std::uint64_t f = drawingFingerprint(drawing);
    if (f == fingerprint_ && drawing.ops().size() == drawing_.ops().size()) return false;
    drawing_ = drawing;
    fingerprint_ = f;
    update();
    return true;
}

void DrawingWidget::setPicture(const QPixmap& picture, const QString& fileName) {
    picture_ = picture;
    pictureFile_ = fileName;
    updateGeometry();
    update();
}

QSize DrawingWidget::sizeHint() const {
    if (!picture_.isNull()) return picture_.deviceIndependentSize().toSize();
    return isPicture_ ? QSize(160, 120) : QSize(320, 240);
}

QSize DrawingWidget::minimumSizeHint() const { return QSize(16, 16); }

void DrawingWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = rect();
    if (!isPicture_) {
        painter.fillRect(area, toQColor(drawing_.backColor));
    } else if (!picture_.isNull()) {
        // The picture keeps its proportions, centred in the box.
        QSizeF size = picture_.deviceIndependentSize();
        size.scale(area.size(), Qt::KeepAspectRatio);
        QRectF place(QPointF(0, 0), size);
        place.moveCenter(area.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawPixmap(place, picture_, QRectF(picture_.rect()));
    } else if (!pictureFile_.isEmpty()) {
        // A picture file that could not be read: its name, so the person knows what is missing.
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, pictureFile_);
    }
    paintDrawing(painter, drawing_, area);
}

}  // namespace aub
