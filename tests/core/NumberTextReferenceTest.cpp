// The mask formatter, the general format and the plain number text are written without
// building a string per step. These tests hold them to the former writing, kept here as
// the reference (strings built step by step on the library's shortest text), over values
// where rounding, carries and the switch to the scientific form happen, and over many
// values drawn at random (fixed seed). Every shown character must be the same.
#include "core/NumberConvert.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace aub {
namespace {

namespace reference {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct ShortestForm {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

template <class T>
ShortestForm shortestForm(T value) {
    ShortestForm f;
    f.negative = std::signbit(value);
    const std::string text = shortestText(std::fabs(value));
    int pointAt = -1;
    int leadingZeros = 0;
    std::size_t k = 0;
    for (; k < text.size() && text[k] != 'e'; ++k) {
        if (text[k] == '.') {
            pointAt = static_cast<int>(f.digits.size()) + leadingZeros;
        } else if (isDigit(text[k])) {
            if (f.digits.empty() && text[k] == '0')
                ++leadingZeros;
            else
                f.digits.push_back(text[k]);
        }
    }
    const int wholeDigits = pointAt < 0 ? static_cast<int>(f.digits.size()) + leadingZeros : pointAt;
    int e = 0;
    if (k < text.size()) {
        const char* p = text.data() + k + 1;
        if (*p == '+') ++p;
        std::from_chars(p, text.data() + text.size(), e);
    }
    if (f.digits.empty()) {
        f.digits = "0";
        return f;
    }
    while (f.digits.size() > 1 && f.digits.back() == '0') f.digits.pop_back();
    f.exponent = e + wholeDigits - leadingZeros - 1;
    return f;
}

bool incrementDigits(std::string& d) {
    for (std::size_t k = d.size(); k-- > 0;) {
        if (d[k] == '9') {
            d[k] = '0';
        } else {
            ++d[k];
            return false;
        }
    }
    return true;
}

bool isPlaceholder(char c) { return c == '#' || c == '0' || c == '.'; }

template <class T>
std::string formatMask(T value, std::string_view mask) {
    std::size_t first = 0;
    while (first < mask.size() && !isPlaceholder(mask[first])) ++first;
    std::size_t last = mask.size();
    while (last > first && !isPlaceholder(mask[last - 1])) --last;
    const std::string_view prefix = mask.substr(0, first), suffix = mask.substr(last);
    const std::string_view core = mask.substr(first, last - first);
    const std::size_t point = core.find('.');
    const bool hasPoint = point != std::string_view::npos;
    int intMin = 0, decMin = 0, decMax = 0;
    bool zeroSeen = false;
    for (char c : core.substr(0, point)) {
        if (c == '0') zeroSeen = true;
        if ((c == '0' || c == '#') && zeroSeen) ++intMin;
    }
    if (hasPoint)
        for (char c : core.substr(point + 1))
            if (c == '#' || c == '0') {
                ++decMax;
                if (c == '0') decMin = decMax;
            }

    const ShortestForm f = shortestForm(value);
    const int pointPos = f.digits == "0" ? 1 : f.exponent + 1;
    const int nd = static_cast<int>(f.digits.size());
    std::string all;
    int intLen;
    if (pointPos <= 0) {
        all.assign(static_cast<std::size_t>(-pointPos), '0');
        all += f.digits;
        intLen = 0;
    } else {
        all = f.digits;
        if (pointPos > nd) all.append(static_cast<std::size_t>(pointPos - nd), '0');
        intLen = pointPos;
    }
    const int fracLen = static_cast<int>(all.size()) - intLen;
    if (fracLen > decMax) {
        const std::size_t kept = static_cast<std::size_t>(intLen) + static_cast<std::size_t>(decMax);
        const bool up = all[kept] >= '5';
        all.resize(kept);
        if (up && incrementDigits(all)) {
            all.insert(all.begin(), '1');
            ++intLen;
        }
    }
    std::string frac = all.substr(static_cast<std::size_t>(intLen));
    if (static_cast<int>(frac.size()) < decMin) frac.append(static_cast<std::size_t>(decMin) - frac.size(), '0');
    while (static_cast<int>(frac.size()) > decMin && frac.back() == '0') frac.pop_back();
    std::string whole = all.substr(0, static_cast<std::size_t>(intLen));
    std::size_t lead = 0;
    while (lead < whole.size() && whole[lead] == '0') ++lead;
    whole.erase(0, lead);
    const bool isZero = whole.empty() && frac.find_first_not_of('0') == std::string::npos;
    if (static_cast<int>(whole.size()) < intMin) whole.insert(0, static_cast<std::size_t>(intMin) - whole.size(), '0');
    std::string out(prefix);
    if (f.negative && !isZero) out += '-';
    out += whole;
    if (hasPoint) out += '.';
    out += frac;
    out += suffix;
    return out;
}

template <class T>
std::string significantText(T value, int significant, int fixedLimit, char separator, bool plain) {
    std::string sign = plain ? " " : "";
    if (value == T(0)) return sign + "0";
    ShortestForm f = shortestForm(value);
    if (f.negative) sign = "-";
    std::string d = f.digits;
    int e = f.exponent;
    if (static_cast<int>(d.size()) > significant) {
        const bool up = d[static_cast<std::size_t>(significant)] >= '5';
        d.resize(static_cast<std::size_t>(significant));
        if (up && incrementDigits(d)) {
            d.insert(d.begin(), '1');
            d.pop_back();
            ++e;
        }
    }
    while (d.size() > 1 && d.back() == '0') d.pop_back();
    std::string out = sign;
    if (e < -5 || e >= fixedLimit) {
        out += d[0];
        if (d.size() > 1) {
            out += separator;
            out.append(d, 1);
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        const int ae = e < 0 ? -e : e;
        if (ae < 10) out += '0';
        out += std::to_string(ae);
        return out;
    }
    if (e >= 0) {
        const std::size_t intDigits = static_cast<std::size_t>(e) + 1;
        if (d.size() <= intDigits) {
            out += d;
            out.append(intDigits - d.size(), '0');
        } else {
            out.append(d, 0, intDigits);
            out += separator;
            out.append(d, intDigits);
        }
    } else {
        if (!plain) out += '0';
        out += separator;
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out += d;
    }
    return out;
}

}  // namespace reference

// Every mask the windows use, and a few that stretch the rules (prefix and suffix text,
// no decimals, only zeros, a long run of decimals).
const std::vector<std::string_view> Masks = {
    "##0.###",     "###0.###",     "##0.000",      "##0.#####", "###0.####", "###.00000", "##0.0####",
    "###.####",    "####.####",    "0.0",          "#0.####",   "#0.0000",   "##0.####",  "###0.######",
    "###.###",     "####.0000000", "####.000000",  "0.0000",    "###0.000",  "###0.00",   "###.00",
    "####.000",    "0.####",       "######0.000",  "0.00",      "###",       "#",         "0",
    "00",          "###.",         "####.0####",   "##.000",    "0.0 %",     "mu = 0.00", "0.################",
    "#,##0.00 m3", "000.0",        "0.0000000000",
};

// Values where the shown digits turn: halves at each decimal, runs of nines, and powers of ten.
std::vector<double> turningValues() {
    std::vector<double> out = {0.0, -0.0, 0.5, 1.0, 9.5, 99.95, 0.05, 0.0005, 0.00005, 1e-7, 5e-7, 1e7, 1e15, 1e30};
    for (int decimals = 0; decimals <= 8; ++decimals) {
        const double unit = std::pow(10.0, -decimals);
        for (int n : {1, 4, 5, 6, 9, 10, 11, 49, 50, 51, 95, 99, 100, 995, 999, 1000, 12345, 99995, 99999})
            for (double shift : {0.0, 0.5}) out.push_back((n + shift) * unit);
    }
    for (int e = -30; e <= 30; ++e) {
        out.push_back(std::pow(10.0, e));
        out.push_back(9.9999995 * std::pow(10.0, e));
        out.push_back(0.99999995 * std::pow(10.0, e));
    }
    const std::size_t positive = out.size();
    for (std::size_t i = 0; i < positive; ++i) out.push_back(-out[i]);
    return out;
}

// The value of a bit pattern (std::bit_cast is missing from the WebAssembly build's library).
template <typename To, typename From>
To fromBits(From bits) {
    static_assert(sizeof(To) == sizeof(From));
    To v{};
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Singles of every magnitude a window shows (1e-7 to 1e9), and some of any magnitude.
std::vector<float> randomSingles(std::size_t count) {
    std::mt19937 draw(20261210u);
    std::vector<float> out;
    out.reserve(count);
    while (out.size() < count) {
        const std::uint32_t bits = draw();
        const std::uint32_t mantissa = bits & 0x7FFFFFu;
        const std::uint32_t sign = bits & 0x80000000u;
        const std::uint32_t exponent = out.size() % 8 == 0 ? (draw() % 254u) + 1u : 127u - 24u + draw() % 55u;
        out.push_back(fromBits<float>(sign | (exponent << 23) | mantissa));
    }
    return out;
}

std::vector<double> randomDoubles(std::size_t count) {
    std::mt19937_64 draw(20261210u);
    std::vector<double> out;
    out.reserve(count);
    while (out.size() < count) {
        const std::uint64_t bits = draw();
        const std::uint64_t mantissa = bits & 0xFFFFFFFFFFFFFull;
        const std::uint64_t sign = bits & 0x8000000000000000ull;
        const std::uint64_t exponent = out.size() % 8 == 0 ? (draw() % 2046u) + 1u : 1023u - 30u + draw() % 80u;
        out.push_back(fromBits<double>(sign | (exponent << 52) | mantissa));
    }
    return out;
}

template <class T>
void expectSameAsReference(T value) {
    for (std::string_view mask : Masks)
        ASSERT_EQ(formatMask(value, mask), reference::formatMask(value, mask)) << value << " with " << mask;
    const int digits = sizeof(T) == sizeof(float) ? 7 : 15;
    ASSERT_EQ(formatGeneral(value), reference::significantText(value, digits, digits, '.', false)) << value;
    ASSERT_EQ(formatGeneral(value, ','), reference::significantText(value, digits, digits, ',', false)) << value;
}

TEST(FormatReference, SinglesWhereTheDigitsTurnAreShownAsBefore) {
    for (double v : turningValues()) {
        const float f = static_cast<float>(v);
        expectSameAsReference(f);
        ASSERT_EQ(plainNumber(f), reference::significantText(f, 7, 7, '.', true)) << f;
        ASSERT_EQ(formatNumber(f), reference::formatMask(f, f >= 1.0f ? "###0.###" : "0.####")) << f;
        ASSERT_EQ(formatNumber3(f), reference::formatMask(f, "######0.000")) << f;
    }
}

TEST(FormatReference, DoublesWhereTheDigitsTurnAreShownAsBefore) {
    for (double v : turningValues()) expectSameAsReference(v);
    // The extremes of the type: 309 whole digits, 323 zeros after the point.
    for (double v : {1.7976931348623157e308, 4.9406564584124654e-324, 2.2250738585072014e-308, -1e300})
        expectSameAsReference(v);
}

TEST(FormatReference, RandomSinglesAreShownAsBefore) {
    for (float f : randomSingles(6000)) {
        expectSameAsReference(f);
        ASSERT_EQ(plainNumber(f), reference::significantText(f, 7, 7, '.', true)) << f;
        ASSERT_EQ(formatNumber(f), reference::formatMask(f, f >= 1.0f ? "###0.###" : "0.####")) << f;
    }
}

TEST(FormatReference, RandomDoublesAreShownAsBefore) {
    for (double v : randomDoubles(4000)) expectSameAsReference(v);
}

TEST(ShortestText, WrittenInPlaceAsTheLibraryWritesIt) {
    char text[ShortestTextRoom];
    for (float f : randomSingles(2000)) {
        const std::size_t n = writeShortest(f, text);
        ASSERT_EQ(std::string(text, n), shortestText(f));
    }
    for (double v : randomDoubles(2000)) {
        const std::size_t n = writeShortest(v, text);
        ASSERT_EQ(std::string(text, n), shortestText(v));
    }
    const double longest = -2.2250738585072014e-308;
    EXPECT_EQ(std::string(text, writeShortest(longest, text)), "-2.2250738585072014e-308");
}

}  // namespace
}  // namespace aub
