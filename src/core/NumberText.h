#pragma once
// Numbers in and out of text boxes.
//
// Reading: ParseNumber accepts "," or "." as decimal separator whatever the
// regional settings. Showing: every mask writes "." as separator.
#include <string>
#include <string_view>

namespace aub {

class Messenger;

// ParseNumber(text): empty, or blanks only, -> 0 silently. Otherwise the text is trimmed of
// leading/trailing spaces and the trimmed form is written back to `text`.
//  - decimalComma true: the first "." becomes "," and the text is converted
//    strictly in the regional format (optional sign, digits, one ",", optional
//    exponent E±d); anything else fails with 13, a value beyond single range
//    with 6. A failure shows  description + "\n" + "  Saisie de zone numérique incorrecte"
//    and gives 0.
//  - decimalComma false: the first "," becomes "." and the lenient reader takes
//    the longest leading number (blanks inside are skipped, rest ignored, no
//    number -> 0). A value beyond single range shows the same message as above
//    (with 6) and gives 0, so a box never yields an infinity.
// The caller's text keeps its own separator; only the trimming is written back.
float parseNumber(std::string& text, bool decimalComma, Messenger& messenger);
// The same reading in double precision, for the calculations done in double
// (a value beyond double range fails with 6).
double parseNumberDouble(std::string& text, bool decimalComma, Messenger& messenger);

// The lenient leading-number reader alone: longest leading number of the text,
// blanks skipped, 0 when there is none. Result in double (no range check:
// beyond double range gives ±infinity, below it 0).
double leadingNumber(std::string_view text);

// Display mask formatter, one for every mask of the program ("###0.###",
// "0.####", "######0.000", "##0.###", "###.###", "###.00", "##.000", "##0.#####" ...):
//  - "#" optional digit, "0" digit always printed; the part after the point
//    gives the decimals; "#" decimals drop trailing zeros;
//  - a mask whose decimals are all "#" keeps the point of a whole number ("12.");
//  - with no "0" before the point no leading zero is printed (".5", and "." for 0);
//  - an all-"#" mask without a point prints nothing for 0;
//  - rounding half away from zero on the value's shortest decimal form
//    (a float is rounded on the digits it shows as a float);
//  - a minus sign leads negatives (a value that rounds to zero shows no sign);
//  - the separator is always ".", no thousands separator.
// A value that is not finite throws CalcError(6). An empty mask gives the general
// format; characters other than "#", "0" and "." around the digits are copied as they are.
std::string formatMask(float value, std::string_view mask);
std::string formatMask(double value, std::string_view mask);

// value >= 1: "###0.###", otherwise "0.####".
std::string formatNumber(float value);
// "######0.000".
std::string formatNumber3(float value);

// The general regional format of a single: up to seven significant digits,
// no trailing zeros, no point for a whole number, the regional separator
// (',' or '.'), leading "0" before the separator, scientific form "1.5E-07" /
// "1.234568E+08" outside 1e-5 <= |x| < 1e7.
// Rule: the shortest decimal form of the value is rounded half away from zero to
// seven significant digits (fifteen for a double); fixed notation when the decimal
// exponent e of the rounded value (x = d.ddd·10^e) is -5 <= e < 7 (e < 15 for a
// double), otherwise scientific with the exponent signed and at least two digits
// ("1E+07", "1.5E-07"). Zero gives "0".
// Not finite -> CalcError(6).
std::string formatGeneral(float value, char decimalSeparator = '.');
std::string formatGeneral(double value, char decimalSeparator = '.');  // up to 15 significant digits

// The plain number text: always ".", a leading blank for a non-negative value,
// no zero before the point (" .85", "-.5", " 12", " 0"), seven significant digits,
// scientific form as formatGeneral (" 1.5E-07"). Not finite -> CalcError(6).
std::string plainNumber(float value);

// Text helpers shared by the windows.
std::string trim(std::string_view s);  // spaces removed at both ends
std::string trimRight(std::string_view s);
std::string toUpperAscii(std::string_view s);               // ASCII letters only
bool equalsNoCase(std::string_view a, std::string_view b);  // ASCII and Latin-1 letters in UTF-8

}  // namespace aub
