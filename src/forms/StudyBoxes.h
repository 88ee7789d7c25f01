#pragma once
// The boxes of a calculation declaration built from a window's own caption tables, so
// that each caption is written once: beside its box on the window.
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/NumberText.h"
#include "forms/StudyDeclaration.h"

namespace aub {

// A box by its control name and index (-1 outside a control array), with the caption
// the person reads beside it; the blanks that pad a caption on the window are dropped.
inline StudyBox studyBox(std::string_view name, int index, std::string_view caption) {
    std::string key(name);
    if (index >= 0) key += "(" + std::to_string(index) + ")";
    return {std::move(key), trim(caption)};
}

// A caption table: `captions[i]` beside name(i) ...
template <class Captions>
std::vector<StudyBox> studyBoxes(std::string_view name, const Captions& captions) {
    std::vector<StudyBox> out;
    out.reserve(std::size(captions));
    int i = 0;
    for (const char* caption : captions) out.push_back(studyBox(name, i++, caption));
    return out;
}

// ... or tables of {index, caption} rows beside name(index), in the tables' order.
template <class... Rows>
std::vector<StudyBox> studyRows(std::string_view name, const Rows&... tables) {
    std::vector<StudyBox> out;
    auto add = [&](const auto& rows) {
        for (const auto& [index, caption] : rows) out.push_back(studyBox(name, index, caption));
    };
    (add(tables), ...);
    return out;
}

}  // namespace aub
