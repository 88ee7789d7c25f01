#pragma once
// Locale-free conversions between binary floating-point values and their decimal texts,
// the same in every build: reading by fast_float (correctly rounded), writing by fmt
// (shortest text that reads back to the same value).
#include <cstddef>
#include <string>
#include <system_error>

namespace aub {

struct FloatReadResult {
    const char* ptr;  // first character not read
    std::errc ec;     // invalid_argument when no number starts at `first`; result_out_of_range when
                      // the text names a finite value beyond the type's range or a non-zero value
                      // that rounds to zero (the value then holds ±infinity or 0)
};

// Reads a decimal number ("-12.5", ".5", "1e-3"; "inf"/"nan" too, as the standard reader does)
// from [first, last) in the "C" locale; no leading '+', no blanks.
FloatReadResult readFloating(const char* first, const char* last, double& value);
FloatReadResult readFloating(const char* first, const char* last, float& value);

// The shortest text that reads back to the same value: "0.1", "100000", "1e+20", "-3.25".
std::string shortestText(double value);
std::string shortestText(float value);
// The same text written into `out`, which has room for ShortestTextRoom characters (no
// terminating zero); returns its length. Nothing is allocated.
inline constexpr std::size_t ShortestTextRoom = 32;
std::size_t writeShortest(double value, char* out);
std::size_t writeShortest(float value, char* out);

// At most `precision` significant digits, fixed or exponent form as the C "%g" conversion.
std::string generalText(double value, int precision);

}  // namespace aub
