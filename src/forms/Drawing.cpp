#include "forms/Drawing.h"

#include <utility>

namespace aub {

void Drawing::scale(float left, float top, float right, float bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
}

void Drawing::clear() { ops_.clear(); }

void Drawing::push(DrawOp op) {
    if (ops_.size() >= MaxOps) return;
    op.color = penColor;
    op.width = penWidth;
    op.fontSize = fontSize;
    ops_.push_back(std::move(op));
}

void Drawing::line(float x1, float y1, float x2, float y2) {
    DrawOp op;
    op.kind = DrawOp::Kind::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    push(std::move(op));
}

void Drawing::box(float x1, float y1, float x2, float y2, bool filled) {
    DrawOp op;
    op.kind = DrawOp::Kind::Box;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.filled = filled;
    push(std::move(op));
}

void Drawing::circle(float x, float y, float r, bool filled) {
    DrawOp op;
    op.kind = DrawOp::Kind::Circle;
    op.x1 = x;
    op.y1 = y;
    op.r = r;
    op.filled = filled;
    push(std::move(op));
}

void Drawing::point(float x, float y) {
    DrawOp op;
    op.kind = DrawOp::Kind::Point;
    op.x1 = x;
    op.y1 = y;
    push(std::move(op));
}

void Drawing::text(float x, float y, std::string s) {
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.text = std::move(s);
    push(std::move(op));
}

}  // namespace aub
