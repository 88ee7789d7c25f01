#pragma once
// CSV as the program reads and writes it: fields separated by one character (";" in the
// files the program writes), a field in double quotes when it holds the separator, a
// double quote or a line end, its own double quotes doubled.
#include <string>
#include <string_view>
#include <vector>

namespace aub {

// One field as written: `s` itself, or between double quotes when it must be.
std::string csvField(std::string_view s, char separator = ';');

// The fields of one line, quotes removed: a field starting with '"' runs to the next lone
// '"', a doubled '""' inside standing for one; fields are trimmed of blanks. A quoted
// field does not span lines (the caller splits the text into lines first).
// Written by hand: the CSV libraries of the distribution either fix the number of columns
// at compile time or are C callback parsers that the WebAssembly build would have to
// compile as well.
std::vector<std::string> csvFields(std::string_view line, char separator = ';');

}  // namespace aub
