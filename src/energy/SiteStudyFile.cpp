#include "energy/SiteStudyFile.h"
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/CalcError.h"
#include "energy/DatedRecord.h"
#include "energy/FlowText.h"
#include "files/TextFile.h"

namespace aub {

namespace {

constexpr const char* Header = "Aubelys - étude de productible";
constexpr const char* Prefix = "Etude productible ";
constexpr const char* Suffix = ".txt";

std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

std::string shortest(double v) { return shortestText(v); }

// "2020-01-31" of a day since 1970-01-01, and back.
std::string isoDay(int day) {
    const CivilDay c = civilDay(day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", c.year, c.month, c.day);
    return buf;
}
std::optional<int> dayOfIso(std::string_view text) {
    int y = 0;
    unsigned m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto num = [&text](std::size_t at, std::size_t len, auto& out) {
        const auto r = std::from_chars(text.data() + at, text.data() + at + len, out);
        return r.ec == std::errc() && r.ptr == text.data() + at + len;
    };
    if (!num(0, 4, y) || !num(5, 2, m) || !num(8, 2, d) || m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    const int day = dayNumber(y, m, d);
    const CivilDay back = civilDay(day);
    if (back.month != m || back.day != d) return std::nullopt;  // 31/02 ...
    return day;
}

[[noreturn]] void notAStudy(const std::string& why) {
    throw CalcError(ErrBadFileName, "Ce fichier n'est pas une étude de productible lisible : " + why);
}

class Reader {
public:
    explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}
    const std::string& next() {
        if (pos_ >= lines_.size()) notAStudy("il est incomplet.");
        return lines_[pos_++];
    }
    // "Key=value" -> value.
    std::string value(const std::string& key) {
        const std::string& line = next();
        if (line.rfind(key + "=", 0) != 0) notAStudy("« " + key + "= » attendu ligne " + std::to_string(pos_) + ".");
        return line.substr(key.size() + 1);
    }
    int count(const std::string& key) {
        const std::string v = value(key);
        int n = -1;
        const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
        if (r.ec != std::errc() || r.ptr != v.data() + v.size() || n < 0) notAStudy("nombre de lignes incorrect.");
        if (static_cast<std::size_t>(n) > lines_.size() - pos_) notAStudy("il est incomplet.");
        return n;
    }

private:
    const std::vector<std::string>& lines_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string studyFileName(const std::string& name) { return Prefix + name + Suffix; }

std::string studyName(const std::string& fileName) {
    if (!wildcardMatch(StudyPattern, fileName)) return "";
    return fileName.substr(std::string(Prefix).size(),
                           fileName.size() - std::string(Prefix).size() - std::string(Suffix).size());
}

std::vector<std::string> studyLines(const SiteStudy& s) {
    std::vector<std::string> out = {Header, "Version=" + std::to_string(SiteStudyVersion)};
    auto put = [&out](const char* key, const std::string& v) { out.push_back(std::string(key) + "=" + oneLine(v)); };
    put("Hb", s.grossHead);
    put("Hl", s.headLoss);
    put("Module", s.module);
    put("Qr", s.reservedFlow);
    put("Qd", s.designFlow);
    put("Machine", s.machine);
    for (int i = 0; i < 10; ++i) put(("Rendement" + std::to_string(10 * (i + 1))).c_str(), s.efficiency[i]);
    put("RendementsModifies", s.efficiencyEdited ? "1" : "0");
    put("Qmin", s.minimumFlow);
    put("Jets", s.jets);
    put("Rm", s.rm);
    put("Rtg", s.driveEfficiency);
    put("Machines", s.machines);
    put("Arrets", s.downtime);
    put("Disponibilite", s.availability);
    put("PerteCrue", s.floodHeadLoss);
    put("DebitCrue", s.floodFlow);
    put("QrMois", s.monthlyReserved);
    put("BassinStation", s.stationArea);
    put("BassinSite", s.siteArea);
    put("Exposant", s.exponent);
    put("Courbe", std::to_string(s.curveLines.size()));
    for (const auto& l : s.curveLines) out.push_back(oneLine(l));
    put("Chronique", std::to_string(s.record.size()));
    if (!s.record.empty()) {
        put("Ignores", std::to_string(s.recordSkipped));
        put("LignesIgnorees", s.recordIgnored);
        put("Remarque", s.recordNote);
        put("Source", s.recordSource);
        const bool dated = s.recordDays.size() == s.record.size();
        for (std::size_t i = 0; i < s.record.size(); ++i)
            out.push_back(dated ? isoDay(s.recordDays[i]) + ";" + shortest(s.record[i]) : shortest(s.record[i]));
    }
    out.push_back("Fin");
    return out;
}

SiteStudy parseStudy(const std::vector<std::string>& lines) {
    Reader r(lines);
    if (lines.empty() || lines[0] != Header) notAStudy("son en-tête manque.");
    // A NUL byte is no text: a value holding one would be read as what comes before it.
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find('\0') != std::string::npos) notAStudy("octet nul ligne " + std::to_string(i + 1) + ".");
    r.next();
    const std::string version = r.value("Version");
    if (version != "1" && version != "2" && version != std::to_string(SiteStudyVersion))
        throw CalcError(ErrBadFileName, "Cette étude de productible est d'une version (" + version +
                                            ") que ce programme ne sait pas lire.");
    SiteStudy s;
    s.grossHead = r.value("Hb");
    s.headLoss = r.value("Hl");
    s.module = r.value("Module");
    s.reservedFlow = r.value("Qr");
    s.designFlow = r.value("Qd");
    s.machine = r.value("Machine");
    for (int i = 0; i < 10; ++i) s.efficiency[i] = r.value("Rendement" + std::to_string(10 * (i + 1)));
    s.efficiencyEdited = r.value("RendementsModifies") == "1";
    s.minimumFlow = r.value("Qmin");
    s.jets = r.value("Jets");
    s.rm = r.value("Rm");
    s.driveEfficiency = r.value("Rtg");
    if (version != "1" && version != "2") {
        s.machines = r.value("Machines");
        s.downtime = r.value("Arrets");
        s.availability = r.value("Disponibilite");
        s.floodHeadLoss = r.value("PerteCrue");
        s.floodFlow = r.value("DebitCrue");
        s.monthlyReserved = r.value("QrMois");
        s.stationArea = r.value("BassinStation");
        s.siteArea = r.value("BassinSite");
        s.exponent = r.value("Exposant");
    }
    const int curve = r.count("Courbe");
    for (int i = 0; i < curve; ++i) s.curveLines.push_back(r.next());
    const int days = r.count("Chronique");
    if (days > 0) {
        const std::string skipped = r.value("Ignores");
        s.recordSkipped = -1;
        const auto sr = std::from_chars(skipped.data(), skipped.data() + skipped.size(), s.recordSkipped);
        if (sr.ec != std::errc() || sr.ptr != skipped.data() + skipped.size() || s.recordSkipped < 0)
            notAStudy("nombre de lignes ignorées incorrect.");
        if (version != "1") {
            s.recordIgnored = r.value("LignesIgnorees");
            s.recordNote = r.value("Remarque");
        }
        s.recordSource = r.value("Source");
        s.record.reserve(static_cast<std::size_t>(days));
        for (int i = 0; i < days; ++i) {
            std::string_view line = r.next();
            const std::size_t sep = version == "1" ? std::string_view::npos : line.find(';');
            if (sep != std::string_view::npos) {
                const auto day = dayOfIso(line.substr(0, sep));
                if (!day || (i > 0 && s.recordDays.size() != static_cast<std::size_t>(i)) ||
                    (!s.recordDays.empty() && *day <= s.recordDays.back()))
                    notAStudy("date journalière illisible.");
                s.recordDays.push_back(*day);
                line = line.substr(sep + 1);
            } else if (!s.recordDays.empty()) {
                notAStudy("date journalière illisible.");
            }
            const auto q = readDecimal(line);
            if (!q || *q < 0 || *q > LargestRecordFlow) notAStudy("débit journalier illisible.");
            s.record.push_back(*q);
        }
    }
    if (r.next() != "Fin") notAStudy("sa fin manque.");
    return s;
}

void saveStudy(const std::filesystem::path& path, const SiteStudy& study) {
    const std::string bytes = linesBytes(studyLines(study));
    if (bytes.size() > MaxStudyFileBytes)
        throw CalcError(ErrPathAccess, "Etude trop volumineuse pour être enregistrée (" + megabytes(bytes.size()) +
                                           ", plus de " + megabytes(MaxStudyFileBytes) +
                                           ") : rien n'a été enregistré. Raccourcissez la courbe ou la chronique.");
    saveBytes(path, bytes);
}

SiteStudy readStudy(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > MaxStudyFileBytes)
        throw CalcError(ErrPathAccess, "Fichier trop volumineux (plus de " + megabytes(MaxStudyFileBytes) +
                                           ") pour une étude de productible.");
    return parseStudy(readLines(path, MaxStudyFileBytes));
}

}  // namespace aub
