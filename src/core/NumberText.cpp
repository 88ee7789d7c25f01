#include "core/NumberText.h"

#include "core/CalcError.h"
#include "core/Messenger.h"
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace aub {

namespace {

// ---------------------------------------------------------------- reading

// A decimal number as read from text: value = (negative ? -1 : 1) * digits * 10^exponent.
// `digits` holds no leading zeros; empty means zero.
struct DecimalText {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

constexpr long long ExponentCap = 1000000000LL;  // far beyond any range, no overflow

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Accumulates one mantissa digit.
void addDigit(DecimalText& n, char c, bool afterPoint) {
    if (!(n.digits.empty() && c == '0')) n.digits.push_back(c);
    if (afterPoint) --n.exponent;
}

void addExponentDigit(long long& e, char c) {
    if (e < ExponentCap) e = e * 10 + (c - '0');
}

// Lenient reader: longest leading number, blanks skipped anywhere inside it,
// sign, digits, one separator, exponent introduced by e, E, d or D.
// Returns false when no digit was found (the value is then zero).
bool scanLenient(std::string_view s, char separator, DecimalText& n) {
    std::size_t i = 0;
    const std::size_t len = s.size();
    auto skipBlanks = [&] {
        while (i < len && isBlank(s[i])) ++i;
    };
    skipBlanks();
    if (i < len && (s[i] == '+' || s[i] == '-')) {
        n.negative = s[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < len; ++i) {
        const char c = s[i];
        if (isBlank(c)) continue;
        if (isDigit(c)) {
            anyDigit = true;
            addDigit(n, c, afterPoint);
        } else if (c == separator && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    if (i < len && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        auto skip = [&] {
            while (j < len && isBlank(s[j])) ++j;
        };
        skip();
        bool negExp = false;
        if (j < len && (s[j] == '+' || s[j] == '-')) {
            negExp = s[j] == '-';
            ++j;
        }
        long long e = 0;
        bool expDigit = false;
        for (; j < len; ++j) {
            if (isBlank(s[j])) continue;
            if (!isDigit(s[j])) break;
            expDigit = true;
            addExponentDigit(e, s[j]);
        }
        if (expDigit) n.exponent += negExp ? -e : e;
    }
    return true;
}

// Strict reader: the whole text must be [sign] digits [separator digits] [E [sign] digits],
// with at least one mantissa digit and no blanks.
bool scanStrict(std::string_view s, char separator, DecimalText& n) {
    std::size_t i = 0;
    const std::size_t len = s.size();
    if (i < len && (s[i] == '+' || s[i] == '-')) {
        n.negative = s[i] == '-';
        ++i;
    }
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < len; ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            anyDigit = true;
            addDigit(n, c, afterPoint);
        } else if (c == separator && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    if (i < len && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < len && (s[i] == '+' || s[i] == '-')) {
            negExp = s[i] == '-';
            ++i;
        }
        long long e = 0;
        bool expDigit = false;
        for (; i < len && isDigit(s[i]); ++i) {
            expDigit = true;
            addExponentDigit(e, s[i]);
        }
        if (!expDigit) return false;
        n.exponent += negExp ? -e : e;
    }
    return i == len;
}

// Correctly rounded conversion; beyond the type's range gives ±infinity, below it 0.
template <class T>
T toValue(const DecimalText& n) {
    if (n.digits.empty()) return T(0);
    const long long magnitude = static_cast<long long>(n.digits.size()) + n.exponent;
    const T inf = std::numeric_limits<T>::infinity();
    if (magnitude > 400) return n.negative ? -inf : inf;
    if (magnitude < -400) return T(0);
    std::string text = n.digits;
    text += 'e';
    text += std::to_string(n.exponent);
    T v{};
    const auto r = readFloating(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) return magnitude > 0 ? (n.negative ? -inf : inf) : T(0);
    return n.negative ? -v : v;
}

// ---------------------------------------------------------------- showing

// Shortest decimal form of a finite value, the digits that print back to the same value.
// Held in place: a double has at most seventeen of them.
struct ShortestForm {
    bool negative = false;
    char digits[20] = {};  // no leading zero unless the value is 0 ("0")
    int count = 0;         // digits used
    int exponent = 0;      // value = d1.d2d3... * 10^exponent
    std::string_view view() const { return {digits, static_cast<std::size_t>(count)}; }
    bool isZero() const { return count == 1 && digits[0] == '0'; }
};

template <class T>
ShortestForm shortestForm(T value) {
    ShortestForm f;
    f.negative = std::signbit(value);
    // The shortest text is fixed ("123.45", "0.001") or exponent ("1.5e+20") form.
    char text[ShortestTextRoom];
    const std::size_t size = writeShortest(std::fabs(value), text);
    int pointAt = -1;  // digits before the point, leading zeros included
    int leadingZeros = 0;
    std::size_t k = 0;
    for (; k < size && text[k] != 'e'; ++k) {
        if (text[k] == '.') {
            pointAt = f.count + leadingZeros;
        } else if (isDigit(text[k])) {
            if (f.count == 0 && text[k] == '0')
                ++leadingZeros;
            else if (f.count < static_cast<int>(sizeof f.digits))
                f.digits[f.count++] = text[k];
        }
    }
    const int wholeDigits = pointAt < 0 ? f.count + leadingZeros : pointAt;
    int e = 0;
    if (k < size) {
        const char* p = text + k + 1;
        if (*p == '+') ++p;
        std::from_chars(p, text + size, e);
    }
    if (f.count == 0) {
        f.digits[0] = '0';
        f.count = 1;
        return f;
    }
    while (f.count > 1 && f.digits[f.count - 1] == '0') --f.count;
    f.exponent = e + wholeDigits - leadingZeros - 1;
    return f;
}

// Adds one unit to the last of the digits [first, last); returns true on carry out of the first.
bool incrementDigits(char* first, char* last) {
    while (last != first) {
        --last;
        if (*last == '9') {
            *last = '0';
        } else {
            ++*last;
            return false;
        }
    }
    return true;
}

struct MaskLayout {
    std::string_view prefix, suffix;
    bool hasPoint = false;
    int intMin = 0;  // digits always printed before the point
    int decMin = 0;  // decimals always printed
    int decMax = 0;  // decimals at most
};

constexpr bool isPlaceholder(char c) { return c == '#' || c == '0' || c == '.'; }

constexpr MaskLayout parseMask(std::string_view mask) {
    MaskLayout m;
    std::size_t first = 0;
    while (first < mask.size() && !isPlaceholder(mask[first])) ++first;
    std::size_t last = mask.size();
    while (last > first && !isPlaceholder(mask[last - 1])) --last;
    m.prefix = mask.substr(0, first);
    m.suffix = mask.substr(last);
    const std::string_view core = mask.substr(first, last - first);
    const std::size_t point = core.find('.');
    m.hasPoint = point != std::string_view::npos;
    const std::string_view whole = core.substr(0, point);
    int count = 0;
    bool zeroSeen = false;
    for (char c : whole) {
        if (c == '0') zeroSeen = true;
        if ((c == '0' || c == '#') && zeroSeen) ++count;
    }
    m.intMin = count;
    if (m.hasPoint) {
        for (char c : core.substr(point + 1)) {
            if (c == '#' || c == '0') {
                ++m.decMax;
                if (c == '0') m.decMin = m.decMax;
            }
        }
    }
    return m;
}

// The masks of formatNumber and formatNumber3, read once.
constexpr MaskLayout WholeMask = parseMask("###0.###");
constexpr MaskLayout FractionMask = parseMask("0.####");
constexpr MaskLayout ThreeDecimalsMask = parseMask("######0.000");

// Room for every digit of a fixed layout: a double's 17 digits with up to 308 zeros after
// them or 323 zeros before them, and a carry.
constexpr int FixedRoom = 352;

template <class T>
std::string formatLayout(T value, const MaskLayout& m) {
    if (!std::isfinite(value)) throw CalcError(ErrOverflow);
    const ShortestForm f = shortestForm(value);

    // Fixed layout: all = integer digits followed by every decimal of the shortest form,
    // written from all[1] so that a carry out of the first digit has its room before it.
    const int pointPos = f.isZero() ? 1 : f.exponent + 1;
    const int nd = f.count;
    char buffer[FixedRoom];
    char* all = buffer + 1;
    int size = 0;
    int intLen;
    if (pointPos <= 0) {
        std::memset(all, '0', static_cast<std::size_t>(-pointPos));
        std::memcpy(all - pointPos, f.digits, static_cast<std::size_t>(nd));
        size = nd - pointPos;
        intLen = 0;
    } else {
        std::memcpy(all, f.digits, static_cast<std::size_t>(nd));
        size = nd;
        if (pointPos > nd) {
            std::memset(all + nd, '0', static_cast<std::size_t>(pointPos - nd));
            size = pointPos;
        }
        intLen = pointPos;
    }

    // Round half away from zero on the decimal digits.
    if (size - intLen > m.decMax) {
        // The digits kept, then the first one dropped.
        const int kept = intLen + m.decMax;
        const bool up = all[kept] >= '5';
        size = kept;
        if (up && incrementDigits(all, all + size)) {
            --all;
            *all = '1';
            ++size;
            ++intLen;
        }
    }

    // Decimals: those of the layout, zeros up to the mask's least, trailing zeros beyond it dropped.
    int fracEnd = size;
    while (fracEnd - intLen > m.decMin && all[fracEnd - 1] == '0') --fracEnd;
    const int fracLen = fracEnd - intLen;
    const int fracPad = fracLen < m.decMin ? m.decMin - fracLen : 0;

    // Whole part: leading zeros dropped, then zeros up to the mask's least.
    int lead = 0;
    while (lead < intLen && all[lead] == '0') ++lead;
    const int wholeLen = intLen - lead;
    bool isZero = wholeLen == 0;
    for (int k = intLen; isZero && k < fracEnd; ++k) isZero = all[k] == '0';
    const int wholePad = wholeLen < m.intMin ? m.intMin - wholeLen : 0;

    std::string out;
    out.reserve(m.prefix.size() + m.suffix.size() + static_cast<std::size_t>(wholePad + wholeLen + fracLen + fracPad) +
                2);
    out += m.prefix;
    if (f.negative && !isZero) out += '-';
    out.append(static_cast<std::size_t>(wholePad), '0');
    out.append(all + lead, static_cast<std::size_t>(wholeLen));
    if (m.hasPoint) out += '.';
    out.append(all + intLen, static_cast<std::size_t>(fracLen));
    out.append(static_cast<std::size_t>(fracPad), '0');
    out += m.suffix;
    return out;
}

template <class T>
std::string formatMaskImpl(T value, std::string_view mask) {
    if (!std::isfinite(value)) throw CalcError(ErrOverflow);
    if (mask.empty()) return formatGeneral(value);
    return formatLayout(value, parseMask(mask));
}

// Significant-digit rendering shared by the general format and the plain number text.
// Fixed notation for 1e-5 <= |x| < 10^fixedLimit (after rounding), scientific otherwise.
template <class T>
std::string significantText(T value, int significant, int fixedLimit, char separator, bool plain) {
    if (!std::isfinite(value)) throw CalcError(ErrOverflow);
    std::string out;
    if (value == T(0)) {
        out = plain ? " 0" : "0";
        return out;
    }
    ShortestForm f = shortestForm(value);
    out.reserve(32);
    if (f.negative)
        out += '-';
    else if (plain)
        out += ' ';
    char* d = f.digits;
    int n = f.count;
    int e = f.exponent;
    if (n > significant) {
        const bool up = d[significant] >= '5';
        n = significant;
        if (up && incrementDigits(d, d + n)) {
            // 9.99... became 0.00...: one digit "1" of the next decade.
            d[0] = '1';
            n = 1;
            ++e;
        }
    }
    while (n > 1 && d[n - 1] == '0') --n;
    const std::string_view digits(d, static_cast<std::size_t>(n));

    if (e < -5 || e >= fixedLimit) {
        out += digits[0];
        if (n > 1) {
            out += separator;
            out.append(digits.substr(1));
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        const int ae = e < 0 ? -e : e;
        if (ae < 10) out += '0';
        char exponent[8];
        const auto written = std::to_chars(exponent, exponent + sizeof exponent, ae);
        out.append(exponent, written.ptr);
        return out;
    }
    if (e >= 0) {
        const std::size_t intDigits = static_cast<std::size_t>(e) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits.substr(0, intDigits));
            out += separator;
            out.append(digits.substr(intDigits));
        }
    } else {
        if (!plain) out += '0';
        out += separator;
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out += digits;
    }
    return out;
}

void replaceFirst(std::string& s, char from, char to) {
    const std::size_t k = s.find(from);
    if (k != std::string::npos) s[k] = to;
}

// Decodes one UTF-8 code point at s[i], advancing i; a stray byte stands for itself.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) { return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 < 0xE0 && cont(i + 1)) {
        const char32_t c = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        i += 2;
        return c;
    }
    if (b0 >= 0xE0 && b0 < 0xF0 && cont(i + 1) && cont(i + 2)) {
        const char32_t c = ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                           (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
        i += 3;
        return c;
    }
    if (b0 >= 0xF0 && b0 < 0xF5 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        const char32_t c = ((b0 & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                           ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
                           (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
        i += 4;
        return c;
    }
    ++i;
    return b0;
}

char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // À..Þ except ×
        return c + 32;
    if (c == 0x178)  // Ÿ
        return 0xFF;
    return c;
}

}  // namespace

// ---------------------------------------------------------------- public

namespace {

template <class T>
T parseNumberAs(std::string& text, bool decimalComma, Messenger& messenger) {
    if (text.empty()) return T(0);
    text = trim(text);
    if (text.empty()) return T(0);
    std::string work = text;
    DecimalText n;
    int failure = 0;
    T result = T(0);
    if (decimalComma) {
        replaceFirst(work, '.', ',');
        if (!scanStrict(work, ',', n)) failure = ErrTypeMismatch;
    } else {
        replaceFirst(work, ',', '.');
        scanLenient(work, '.', n);
    }
    if (failure == 0) {
        result = toValue<T>(n);
        if (!std::isfinite(result)) failure = ErrOverflow;
    }
    if (failure != 0) {
        messenger.message(errorDescription(failure) + "\n" + "  Saisie de zone numérique incorrecte");
        return T(0);
    }
    return result == T(0) ? T(0) : result;
}

}  // namespace

float parseNumber(std::string& text, bool decimalComma, Messenger& messenger) {
    return parseNumberAs<float>(text, decimalComma, messenger);
}

double parseNumberDouble(std::string& text, bool decimalComma, Messenger& messenger) {
    return parseNumberAs<double>(text, decimalComma, messenger);
}

double leadingNumber(std::string_view text) {
    DecimalText n;
    if (!scanLenient(text, '.', n)) return 0.0;
    const double v = toValue<double>(n);
    return v == 0.0 ? 0.0 : v;
}

std::string formatMask(float value, std::string_view mask) { return formatMaskImpl(value, mask); }
std::string formatMask(double value, std::string_view mask) { return formatMaskImpl(value, mask); }

std::string formatNumber(float value) { return formatLayout(value, value >= 1.0f ? WholeMask : FractionMask); }

std::string formatNumber3(float value) { return formatLayout(value, ThreeDecimalsMask); }

std::string formatGeneral(float value, char decimalSeparator) {
    return significantText(value, 7, 7, decimalSeparator, false);
}

std::string formatGeneral(double value, char decimalSeparator) {
    return significantText(value, 15, 15, decimalSeparator, false);
}

std::string plainNumber(float value) { return significantText(value, 7, 7, '.', true); }

std::string trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string trimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && s[e - 1] == ' ') --e;
    return std::string(s.substr(0, e));
}

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (foldCase(nextCodePoint(a, i)) != foldCase(nextCodePoint(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

}  // namespace aub
