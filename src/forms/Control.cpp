#include "forms/Control.h"

#include <algorithm>
#include <charconv>
#include <system_error>
#include <utility>

#include "core/CalcError.h"
#include "core/Checked.h"
#include "forms/Form.h"

namespace aub {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "textbox";
        case ControlKind::ListBox:
            return "list";
        case ControlKind::ComboBox:
            return "combo";
        case ControlKind::CheckBox:
            return "check";
        case ControlKind::Slider:
            return "slider";
        case ControlKind::Button:
            return "button";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Menu:
            return "menu";
        case ControlKind::Picture:
            return "picture";
        case ControlKind::Canvas:
            return "canvas";
        case ControlKind::Chart:
            return "chart";
        case ControlKind::Table:
            return "table";
        case ControlKind::Progress:
            return "progress";
        case ControlKind::Timer:
            return "timer";
    }
    return "control";
}

Control::Control(Form& form, ControlKind kind, std::string name, int index)
    : form_(&form), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::key() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

bool Control::hasKey(std::string_view key) const {
    if (key.size() < name_.size() || key.compare(0, name_.size(), name_) != 0) return false;
    if (index_ < 0) return key.size() == name_.size();
    char digits[16];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, index_);
    const std::string_view index(digits, static_cast<std::size_t>(end - digits));
    return ec == std::errc() && key.size() == name_.size() + index.size() + 2 && key[name_.size()] == '(' &&
           key.substr(name_.size() + 1, index.size()) == index && key.back() == ')';
}

void Control::restore(const Control& saved) {
    const unsigned revision = std::max(revision_, saved.revision_) + 1;
    *this = saved;
    revision_ = revision;
}

void Control::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    touch();
    if (kind_ == ControlKind::TextBox || kind_ == ControlKind::ComboBox) form_->fire(*this, EventKind::Change);
}

void Control::setListIndex(int i) {
    if (i < -1 || i >= static_cast<int>(items.size())) i = -1;
    bool changed = i != listIndex_;
    const int before = listIndex_;
    const std::string beforeText = text_;
    listIndex_ = i;
    if (i >= 0)
        text_ = items[static_cast<std::size_t>(i)];
    else if (kind_ == ControlKind::ListBox)
        text_.clear();
    touch();
    if (changed && i >= 0 && !form_->fire(*this, EventKind::Click)) {
        // The person kept the edits: the entry chosen before stays chosen.
        listIndex_ = before;
        text_ = beforeText;
        touch();
    }
}

void Control::addItem(std::string item) {
    items.push_back(std::move(item));
    touch();
}

void Control::clearItems() {
    items.clear();
    listIndex_ = -1;
    if (kind_ == ControlKind::ListBox) text_.clear();
    touch();
}

void Control::setValue(int v) {
    if (kind_ == ControlKind::CheckBox)
        v = v != 0 ? 1 : 0;
    else
        v = std::clamp(v, std::min(min, max), std::max(min, max));
    if (v == value_) return;
    value_ = v;
    touch();
    form_->fire(*this, kind_ == ControlKind::CheckBox ? EventKind::Click : EventKind::Change);
}

Control& Control::at(int row, int col, int rowSpan, int colSpan) {
    place.row = row;
    place.col = col;
    place.rowSpan = rowSpan;
    place.colSpan = colSpan;
    return *this;
}

Control& Control::in(std::string frame) {
    place.frame = std::move(frame);
    return *this;
}

Control& Control::size(int widthTwips, int heightTwips) {
    widthTw = widthTwips;
    heightTw = heightTwips;
    return *this;
}

Control& Control::hidden() {
    visible = false;
    return *this;
}

Control& Control::multi() {
    multiline = true;
    return *this;
}

void setSliderChecked(Control& slider, double value) {
    const int v = toInteger(value);
    if (v < slider.min || v > slider.max) throw CalcError(ErrBadProperty);
    slider.setValue(v);
}

}  // namespace aub
