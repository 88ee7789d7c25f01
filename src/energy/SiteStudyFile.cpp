#include "energy/SiteStudyFile.h"
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>

#include "core/CalcError.h"
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
    put("Courbe", std::to_string(s.curveLines.size()));
    for (const auto& l : s.curveLines) out.push_back(oneLine(l));
    put("Chronique", std::to_string(s.record.size()));
    if (!s.record.empty()) {
        put("Ignores", std::to_string(s.recordSkipped));
        put("Source", s.recordSource);
        for (double q : s.record) out.push_back(shortest(q));
    }
    out.push_back("Fin");
    return out;
}

SiteStudy parseStudy(const std::vector<std::string>& lines) {
    Reader r(lines);
    if (lines.empty() || lines[0] != Header) notAStudy("son en-tête manque.");
    r.next();
    const std::string version = r.value("Version");
    if (version != std::to_string(SiteStudyVersion))
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
    const int curve = r.count("Courbe");
    for (int i = 0; i < curve; ++i) s.curveLines.push_back(r.next());
    const int days = r.count("Chronique");
    if (days > 0) {
        const std::string skipped = r.value("Ignores");
        s.recordSkipped = 0;
        std::from_chars(skipped.data(), skipped.data() + skipped.size(), s.recordSkipped);
        s.recordSource = r.value("Source");
        if (static_cast<std::size_t>(days) > lines.size()) notAStudy("il est incomplet.");
        s.record.reserve(static_cast<std::size_t>(days));
        for (int i = 0; i < days; ++i) {
            const auto q = readDecimal(r.next());
            if (!q || *q < 0) notAStudy("débit journalier illisible.");
            s.record.push_back(*q);
        }
    }
    if (r.next() != "Fin") notAStudy("sa fin manque.");
    return s;
}

void saveStudy(const std::filesystem::path& path, const SiteStudy& study) { saveLines(path, studyLines(study)); }

SiteStudy readStudy(const std::filesystem::path& path) { return parseStudy(readLines(path)); }

}  // namespace aub
