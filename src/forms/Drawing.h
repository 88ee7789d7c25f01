#pragma once
// A drawing area's display list, in the user coordinates the window chose with
// scale(). The Qt canvas paints it, the command line prints it, tests read it.
#include <string>
#include <vector>

namespace aub {

struct DrawOp {
    enum class Kind { Line, Box, Circle, Text, Point };
    Kind kind = Kind::Line;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Circle: centre (x1, y1), radius r
    float r = 0;
    std::string text;
    int color = 0x000000;  // RGB
    int width = 1;         // pen width in pixels
    float fontSize = 8;    // points, for Text
    bool filled = false;   // Box, Circle
};

class Drawing {
public:
    // User coordinates: (left, top) is the top-left corner, (right, bottom) the bottom-right.
    void scale(float left, float top, float right, float bottom);
    void clear();  // removes every element, keeps the scale
    void line(float x1, float y1, float x2, float y2);
    void box(float x1, float y1, float x2, float y2, bool filled = false);
    void circle(float x, float y, float r, bool filled = false);
    void point(float x, float y);
    void text(float x, float y, std::string s);  // top-left of the text at (x, y)

    // Pen for the next elements.
    int penColor = 0x000000;
    int penWidth = 1;
    float fontSize = 8;
    int backColor = 0xFFFFFF;

    float left() const { return left_; }
    float top() const { return top_; }
    float right() const { return right_; }
    float bottom() const { return bottom_; }
    const std::vector<DrawOp>& ops() const { return ops_; }
    // Elements are capped so that a runaway loop cannot eat the memory.
    static constexpr std::size_t MaxOps = 200000;

private:
    void push(DrawOp op);
    float left_ = 0, top_ = 0, right_ = 1, bottom_ = 1;
    std::vector<DrawOp> ops_;
};

}  // namespace aub
