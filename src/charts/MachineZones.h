#pragma once
// The fields of use of the hydraulic machines on the flow–head plane: one closed
// polygon per machine, vertices in (Q m3/s, H m), sides straight on log–log axes, each
// with its published reference. They are read from a text file of the program folder:
//   # comment                      blank lines and lines starting with '#' are skipped
//   zone;NAME                      starts a zone
//   source;TEXT                    its reference (author, title, year, figure); repeatable
//   note;TEXT                      how the polygon was drawn from it; repeatable
//   couleur;#RRGGBB                its colour on the chart (optional)
//   Q;H                            one vertex, numbers with '.' as decimal point
#include <filesystem>
#include <string>
#include <vector>

#include "forms/Chart.h"

namespace aub {

struct MachineZone {
    std::string name;
    std::vector<std::string> sources;
    std::vector<std::string> notes;
    int color = -1;
    std::vector<ChartPoint> polygon;  // x = Q (m3/s), y = H (m)
};

constexpr const char* MachineZonesFile = "DomainesMachines.txt";

// Reads the file. A missing file throws CalcError(53). A line that cannot be read
// (unknown key, a vertex before any zone, a number that is not finite and positive)
// throws CalcError(13) with the line number in `badLine`; a zone of fewer than three
// vertices, likewise on its "zone" line.
std::vector<MachineZone> readMachineZones(const std::filesystem::path& file, int* badLine = nullptr);
std::vector<MachineZone> parseMachineZones(const std::string& text, int* badLine = nullptr);

// The names of the zones that hold the point (Q, H), in the file's order; a point on
// a side counts as inside.
std::vector<std::string> zonesContaining(const std::vector<MachineZone>& zones, double q, double h);

}  // namespace aub
