#include "charts/MachineZones.h"
#include "core/NumberConvert.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "files/TextFile.h"

namespace aub {

namespace {

bool readPositive(const std::string& text, double& value) {
    const std::string t = trim(text);
    if (t.empty()) return false;
    const char* end = t.data() + t.size();
    auto [ptr, ec] = readFloating(t.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value) && value > 0;
}

bool readColor(const std::string& text, int& color) {
    const std::string t = trim(text);
    if (t.size() != 7 || t[0] != '#') return false;
    int v = 0;
    auto [ptr, ec] = std::from_chars(t.data() + 1, t.data() + t.size(), v, 16);
    if (ec != std::errc() || ptr != t.data() + t.size()) return false;
    color = v;
    return true;
}

[[noreturn]] void bad(int line, int* badLine) {
    if (badLine) *badLine = line;
    throw CalcError(ErrTypeMismatch);
}

}  // namespace

std::vector<MachineZone> parseMachineZones(const std::string& text, int* badLine) {
    std::vector<MachineZone> zones;
    std::istringstream in(text);
    std::string line;
    int number = 0, zoneLine = 0;
    auto closeZone = [&] {
        if (!zones.empty() && zones.back().polygon.size() < 3) bad(zoneLine, badLine);
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        const auto semi = t.find(';');
        if (semi == std::string::npos) bad(number, badLine);
        const std::string key = trim(t.substr(0, semi));
        const std::string value = trim(t.substr(semi + 1));
        if (key == "zone") {
            closeZone();
            if (value.empty()) bad(number, badLine);
            zones.push_back({});
            zones.back().name = value;
            zoneLine = number;
            continue;
        }
        if (zones.empty()) bad(number, badLine);
        MachineZone& z = zones.back();
        if (key == "source") {
            z.sources.push_back(value);
        } else if (key == "note") {
            z.notes.push_back(value);
        } else if (key == "couleur") {
            if (!readColor(value, z.color)) bad(number, badLine);
        } else {
            double q = 0, h = 0;
            if (!readPositive(key, q) || !readPositive(value, h)) bad(number, badLine);
            z.polygon.push_back({q, h, 0});
        }
    }
    closeZone();
    return zones;
}

std::vector<MachineZone> readMachineZones(const std::filesystem::path& file, int* badLine) {
    return parseMachineZones(readTextFile(file), badLine);
}

std::vector<std::string> zonesContaining(const std::vector<MachineZone>& zones, double q, double h) {
    std::vector<std::string> names;
    for (const MachineZone& z : zones)
        if (polygonContains(z.polygon, q, h, true, true)) names.push_back(z.name);
    return names;
}

}  // namespace aub
