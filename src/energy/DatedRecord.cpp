#include "energy/DatedRecord.h"

#include <date/date.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <system_error>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "energy/FlowText.h"
#include "files/Csv.h"
#include "files/TextFile.h"

namespace aub {

namespace {

constexpr std::size_t NamedLines = 10;  // ignored lines remembered by number
constexpr char CtrlZ = '\x1A';

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool blankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == CtrlZ; });
}

// Counts `sep` outside quotes.
std::size_t countOutsideQuotes(std::string_view line, char sep) {
    std::size_t n = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == sep) ++n;
    }
    return n;
}

char chooseSeparator(const std::vector<std::string_view>& lines) {
    std::size_t looked = 0;
    std::size_t semicolons = 0, tabs = 0;
    for (std::string_view l : lines) {
        if (blankLine(l)) continue;
        semicolons += countOutsideQuotes(l, ';');
        tabs += countOutsideQuotes(l, '\t');
        if (++looked == 20) break;
    }
    if (semicolons > 0) return ';';
    if (tabs > 0) return '\t';
    return ',';
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

// A heading that names a flow.
bool flowHeading(const std::string& heading) {
    const std::string h = lower(heading);
    if (contains(h, "débit") || contains(h, "debit") || contains(h, "valeur") || contains(h, "resultat") ||
        contains(h, "résultat") || contains(h, "flow") || contains(h, "qmj") || contains(h, "qmnj"))
        return true;
    return h == "q" || h.rfind("q (", 0) == 0 || h.rfind("q(", 0) == 0;
}

FlowUnit unitOfHeading(const std::string& heading) {
    const std::string h = lower(heading);
    if (contains(h, "l/s") || contains(h, "l.s")) return FlowUnit::LitresPerSecond;
    if (contains(h, "m3/s") || contains(h, "m³/s") || contains(h, "m3.s")) return FlowUnit::CubicMetresPerSecond;
    return FlowUnit::Unknown;
}

// Reads dates with one reusable stream.
class DateReader {
public:
    // Seconds since 1970-01-01 00:00 of "2020-01-31", "31/01/2020", either followed by
    // "T06:00", " 06:00:00", "T06:00:00.000Z" ...; nothing for another text.
    std::optional<std::int64_t> seconds(std::string_view text) {
        const std::string t = trim(text);
        if (t.size() < 8 || t.size() > 40) return std::nullopt;
        std::size_t cut = t.find_first_of("T ", 8);
        const std::string datePart = t.substr(0, cut);
        std::string timePart = cut == std::string::npos ? "" : trim(t.substr(cut + 1));
        const char* format = nullptr;
        if (datePart.size() == 10 && datePart[4] == '-' && datePart[7] == '-')
            format = "%Y-%m-%d";
        else if (datePart.size() == 10 && datePart[2] == '/' && datePart[5] == '/')
            format = "%d/%m/%Y";
        else
            return std::nullopt;
        date::year_month_day ymd{};
        if (!readWhole(datePart, format, ymd) || !ymd.ok()) return std::nullopt;
        std::int64_t s = std::int64_t{date::sys_days(ymd).time_since_epoch().count()} * 86400;
        if (!timePart.empty()) {
            // The time zone or fraction after the seconds is not needed to find the day.
            while (!timePart.empty() && (timePart.back() == 'Z' || timePart.back() == 'z')) timePart.pop_back();
            const std::size_t dot = timePart.find_first_of(".+");
            if (dot != std::string::npos) timePart.erase(dot);
            std::chrono::seconds since{};
            const char* timeFormat = timePart.size() == 5 ? "%H:%M" : "%H:%M:%S";
            if ((timePart.size() != 5 && timePart.size() != 8) || !readWhole(timePart, timeFormat, since) ||
                since.count() < 0 || since.count() >= 86400)
                return std::nullopt;
            s += since.count();
        }
        return s;
    }

private:
    template <class T>
    bool readWhole(const std::string& text, const char* format, T& value) {
        in_.clear();
        in_.str(text);
        in_ >> date::parse(format, value);
        return !in_.fail() && in_.peek() == std::char_traits<char>::eof();
    }
    std::istringstream in_;
};

struct Instant {
    std::int64_t seconds = 0;
    double flow = 0;
    int line = 0;
};

int dayOf(std::int64_t seconds) {
    return static_cast<int>(seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400));
}

std::string flowText(double q) { return formatGeneral(q); }

}  // namespace

int dayNumber(int year, unsigned month, unsigned dayOfMonth) {
    const date::year_month_day ymd{date::year{year}, date::month{month}, date::day{dayOfMonth}};
    return date::sys_days(ymd).time_since_epoch().count();
}

CivilDay civilDay(int day) {
    const date::year_month_day ymd{date::sys_days{date::days{day}}};
    return {int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day())};
}

std::string megabytes(std::uintmax_t bytes) {
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    constexpr std::uintmax_t OneMegabyte = std::uintmax_t{1024} * 1024;
    if (bytes % OneMegabyte == 0) return std::to_string(bytes / OneMegabyte) + " Mo";
    return formatMask(mb, "0.0") + " Mo";
}

std::string dayText(int day) {
    const CivilDay c = civilDay(day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u/%02u/%04d", c.day, c.month, c.year);
    return buf;
}

std::string ignoredLinesText(const DatedRecord& r) {
    if (r.ignored <= 0 || r.ignoredLines.empty()) return "";
    if (r.ignored == 1) return "ligne " + std::to_string(r.ignoredLines.front()) + " ignorée";
    std::string s = "lignes ";
    for (std::size_t i = 0; i < r.ignoredLines.size(); ++i) s += (i ? ", " : "") + std::to_string(r.ignoredLines[i]);
    if (static_cast<std::size_t>(r.ignored) > r.ignoredLines.size()) s += " …";
    return s + " ignorées";
}

DatedRecord parseDatedRecord(std::string_view text, const RecordChoices& choices) {
    DatedRecord rec;
    const std::size_t end = text.find(CtrlZ);
    if (end != std::string_view::npos) text = text.substr(0, end);  // the old end-of-file byte
    const std::vector<std::string_view> lines = splitLines(text);
    const char sep = chooseSeparator(lines);
    DateReader dates;

    // The first dated line (its flow may be missing); the lines before it are headers.
    std::size_t first = lines.size();
    std::vector<std::string> headings;
    int dateColumn = -1;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (blankLine(lines[n])) continue;
        const std::vector<std::string> f = csvFields(lines[n], sep);
        for (std::size_t i = 0; i < f.size() && dateColumn < 0; ++i)
            if (dates.seconds(f[i])) dateColumn = static_cast<int>(i);
        if (dateColumn >= 0) {
            first = n;
            break;
        }
        if (f.size() >= 2) headings = f;
    }
    // The first dated line with a number beside its date shows the columns.
    std::vector<std::string> firstFields;
    for (std::size_t n = first; n < lines.size() && firstFields.empty(); ++n) {
        if (blankLine(lines[n])) continue;
        std::vector<std::string> f = csvFields(lines[n], sep);
        if (static_cast<std::size_t>(dateColumn) >= f.size() || !dates.seconds(f[static_cast<std::size_t>(dateColumn)]))
            continue;
        for (std::size_t i = 0; i < f.size(); ++i)
            if (static_cast<int>(i) != dateColumn && readDecimal(f[i])) {
                firstFields = std::move(f);
                break;
            }
    }
    if (firstFields.empty()) {
        rec.error =
            "Aucun débit daté n'a pu être lu dans ce fichier : chaque ligne doit porter une date (« 2020-01-31 » "
            "ou « 31/01/2020 ») et un débit.";
        return rec;
    }
    for (std::size_t i = 0; i < headings.size(); ++i)
        if (i < firstFields.size() && lower(headings[i]).rfind("date", 0) == 0 && dates.seconds(firstFields[i])) {
            dateColumn = static_cast<int>(i);
            break;
        }
    for (const std::string& h : headings) {
        if (h == "resultat_obs_elab") rec.layout = "Hub'Eau";
        if (lower(h).rfind("valeur (en ", 0) == 0) rec.layout = "HydroPortail";
    }

    // "date,1,5" without headings: a flow written with a decimal comma.
    const bool decimalComma = sep == ',' && headings.empty() && firstFields.size() == 3 && dateColumn == 0;

    int flowColumn = -1;
    if (decimalComma) {
        flowColumn = 1;
    } else if (choices.flowColumn >= 0) {
        flowColumn = choices.flowColumn;
    } else {
        std::vector<int> named;
        for (std::size_t i = 0; i < headings.size(); ++i)
            if (static_cast<int>(i) != dateColumn && flowHeading(headings[i])) named.push_back(static_cast<int>(i));
        if (named.empty())
            for (std::size_t i = 0; i < firstFields.size(); ++i)
                if (static_cast<int>(i) != dateColumn && readDecimal(firstFields[i]))
                    named.push_back(static_cast<int>(i));
        if (named.size() == 1) {
            flowColumn = named.front();
        } else {
            for (int i : named) {
                const std::size_t u = static_cast<std::size_t>(i);
                rec.flowColumnChoices.push_back(
                    u < headings.size() && !headings[u].empty() ? headings[u] : "colonne " + std::to_string(i + 1));
                rec.flowColumnIndexes.push_back(i);
            }
            return rec;
        }
    }

    FlowUnit unit = choices.unit;
    if (unit == FlowUnit::Unknown && static_cast<std::size_t>(flowColumn) < headings.size())
        unit = unitOfHeading(headings[static_cast<std::size_t>(flowColumn)]);
    if (unit == FlowUnit::Unknown && rec.layout == "Hub'Eau") unit = FlowUnit::LitresPerSecond;
    if (unit == FlowUnit::Unknown) {
        rec.unitNeeded = true;
        return rec;
    }
    const double divisor = unit == FlowUnit::LitresPerSecond ? 1000.0 : 1.0;

    std::vector<Instant> instants;
    instants.reserve(lines.size() - first);
    auto ignore = [&rec](std::size_t n) {
        ++rec.ignored;
        if (rec.ignoredLines.size() < NamedLines) rec.ignoredLines.push_back(static_cast<int>(n + 1));
    };
    const std::size_t dc = static_cast<std::size_t>(dateColumn), fc = static_cast<std::size_t>(flowColumn);
    for (std::size_t n = first; n < lines.size(); ++n) {
        if (blankLine(lines[n])) continue;
        const std::vector<std::string> f = csvFields(lines[n], sep);
        if (f.size() <= std::max(dc, fc)) {
            ignore(n);
            continue;
        }
        const auto when = dates.seconds(f[dc]);
        std::optional<double> q;
        if (decimalComma && f.size() == 3)
            q = readDecimal(f[1] + "," + f[2]);
        else if (!decimalComma || f.size() == 2)
            q = readDecimal(f[fc]);
        if (q) *q /= divisor;
        if (!when || !q || *q < 0 || *q > LargestRecordFlow) {
            ignore(n);
            continue;
        }
        instants.push_back({*when, *q, static_cast<int>(n + 1)});
    }

    std::stable_sort(instants.begin(), instants.end(),
                     [](const Instant& a, const Instant& b) { return a.seconds < b.seconds; });
    // The same instant twice: merged when the flows agree, refused otherwise.
    std::vector<Instant> unique;
    unique.reserve(instants.size());
    for (const Instant& i : instants) {
        if (!unique.empty() && unique.back().seconds == i.seconds) {
            const Instant& kept = unique.back();
            if (kept.flow == i.flow) {
                ++rec.mergedDuplicates;
                continue;
            }
            rec.error = "Jour en double : le " + dayText(dayOf(i.seconds)) + " est donné ligne " +
                        std::to_string(kept.line) + " (" + flowText(kept.flow) + " m3/s) et ligne " +
                        std::to_string(i.line) + " (" + flowText(i.flow) +
                        " m3/s). Corrigez le fichier : un seul débit par jour (ou par heure).";
            return rec;
        }
        unique.push_back(i);
    }
    // Several instants of a day: the day's mean.
    for (std::size_t i = 0; i < unique.size();) {
        const int day = dayOf(unique[i].seconds);
        double sum = 0;
        std::size_t j = i;
        for (; j < unique.size() && dayOf(unique[j].seconds) == day; ++j) sum += unique[j].flow;
        const double count = static_cast<double>(j - i);
        if (j - i > 1) ++rec.averagedDays;
        rec.days.push_back({day, sum / count});
        i = j;
    }
    if (rec.days.empty()) rec.error = "Aucun débit daté n'a pu être lu dans ce fichier.";
    return rec;
}

DatedRecord readDatedRecordFile(const std::filesystem::path& path, const RecordChoices& choices) {
    DatedRecord rec;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        rec.error = "Fichier introuvable : " + pathToUtf8(path);
        return rec;
    }
    if (!std::filesystem::is_regular_file(status)) {
        rec.error = "Ce n'est pas un fichier : " + pathToUtf8(path);
        return rec;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        rec.error = "Fichier illisible : " + pathToUtf8(path);
        return rec;
    }
    if (size == 0) {
        rec.error = "Le fichier est vide.";
        return rec;
    }
    if (size > MaxRecordFileBytes) {
        rec.error = "Fichier trop volumineux (plus de " + megabytes(MaxRecordFileBytes) +
                    ") pour une chronique de débits journaliers.";
        return rec;
    }
    std::string bytes;
    try {
        bytes = readFileBytes(path, MaxRecordFileBytes);
    } catch (const CalcError& e) {
        rec.error = "Fichier illisible : " + e.description();
        return rec;
    }
    for (unsigned char c : bytes)
        if (c == 0 || (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != CtrlZ)) {
            rec.error = "Ce fichier n'est pas un fichier texte : ce ne peut pas être une chronique de débits.";
            return rec;
        }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    const std::string text = isValidUtf8(bytes) ? bytes : cp1252ToUtf8(bytes);
    return parseDatedRecord(text, choices);
}

}  // namespace aub
