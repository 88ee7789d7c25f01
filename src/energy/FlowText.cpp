#include "energy/FlowText.h"
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "files/TextFile.h"

namespace aub {

namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitAt(std::string_view line, char sep) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(sep, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

// The fields of a line split at ";", else at tabs; empty when it holds neither.
std::vector<std::string_view> splitFields(std::string_view line) {
    if (line.find(';') != std::string_view::npos) return splitAt(line, ';');
    if (line.find('\t') != std::string_view::npos) return splitAt(line, '\t');
    return {};
}

std::string lineMessage(std::size_t line, const std::string& what) {
    return "Débits classés, ligne " + std::to_string(line) + " : " + what;
}

}  // namespace

std::optional<double> readDecimal(std::string_view field) {
    std::string s = trim(field);
    while (!s.empty() && (s.back() == '\t' || s.back() == ' ')) s.pop_back();
    while (!s.empty() && (s.front() == '\t' || s.front() == ' ')) s.erase(s.begin());
    if (s.empty()) return std::nullopt;
    if (s.front() == '+') s.erase(s.begin());
    const std::size_t comma = s.find(',');
    if (comma != std::string::npos) {
        if (s.find('.') != std::string::npos || s.find(',', comma + 1) != std::string::npos) return std::nullopt;
        s[comma] = '.';
    }
    const char first = s.front() == '-' && s.size() > 1 ? s[1] : s.front();
    if (!((first >= '0' && first <= '9') || first == '.')) return std::nullopt;  // no "inf", "nan"
    double v = 0;
    const auto r = readFloating(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v == 0 ? 0.0 : v;
}

CurveText parseDurationCurve(std::string_view text) {
    CurveText out;
    const auto lines = splitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string line = trim(lines[n]);
        if (line.empty() || line.front() == '#') continue;
        std::vector<std::string_view> fields = splitFields(line);
        if (fields.empty())
            for (auto& f : splitAt(line, ' '))
                if (!f.empty()) fields.push_back(f);
        const auto p = fields.size() == 2 ? readDecimal(fields[0]) : std::nullopt;
        const auto q = fields.size() == 2 ? readDecimal(fields[1]) : std::nullopt;
        if (!p || !q) {
            out.error = lineMessage(n + 1, "deux nombres attendus, « fréquence (%) ; débit (m3/s) ».");
            break;
        }
        if (*p < 0 || *p > 100) {
            out.error = lineMessage(n + 1, "la fréquence de dépassement doit être comprise entre 0 et 100 %.");
            break;
        }
        if (*q < 0) {
            out.error = lineMessage(n + 1, "un débit ne peut pas être négatif.");
            break;
        }
        if (!out.points.empty() && *p <= out.points.back().percent) {
            out.error = lineMessage(n + 1, "les fréquences doivent croître d'une ligne à l'autre.");
            break;
        }
        if (!out.points.empty() && *q > out.points.back().flow) {
            out.error = lineMessage(n + 1, "les débits ne doivent pas croître quand la fréquence augmente.");
            break;
        }
        out.points.push_back({*p, *q});
    }
    if (!out.error.empty()) out.points.clear();
    return out;
}

std::string curveText(const std::vector<DurationPoint>& points) {
    std::string text;
    for (const auto& pt : points) {
        if (!text.empty()) text += "\n";
        text += formatGeneral(pt.percent) + " ; " + generalText(pt.flow, 4);
    }
    return text;
}

}  // namespace aub
