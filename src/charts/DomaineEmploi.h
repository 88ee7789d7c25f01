#pragma once
// Where a site falls among the machines: the fields of use of the turbines and water
// wheels on the flow–head plane (log–log, Q 0.005–100 m3/s, H 0.3–1000 m), read from
// the program folder's DomainesMachines.txt, the iso-power lines P = 9.81·Q·H·0.8 kW
// for 1 kW to 10 MW, and the site point. The point comes from the last sizing (the
// turbine window's head and flow, else the cross-flow window's, else the program-wide
// head and flow) or from the two boxes and "Placer"; the text under the chart names
// the zones that hold it.
#include <optional>
#include <string>
#include <vector>

#include "charts/MachineZones.h"
#include "forms/Form.h"

namespace aub {

class DomaineEmploi : public Form {
public:
    explicit DomaineEmploi(Session& s);
    void load() override;

    // Takes the site point from a window's head and flow boxes ("Formroue" or "Banki");
    // nothing happens when that window is not loaded or its boxes hold no positive number.
    void placeFromWindow(const std::string& window);
    // Moves the site point to (q, h) and names its zones; false (and a message) when
    // either is not a positive number.
    bool placePoint(double q, double h);
    const std::vector<MachineZone>& zones() const { return zones_; }

private:
    void readZones();
    void drawChart();
    void placeTyped();
    void describePoint();

    std::vector<MachineZone> zones_;
    std::optional<std::pair<double, double>> site_;  // (Q m3/s, H m)
    std::string namedType_;                          // the runner the turbine window named for the site (empty: none)
};

// A box's text as a positive number ("," or "." as decimal separator); nothing otherwise.
std::optional<double> positiveBoxNumber(const std::string& text);

// Opens the machine selection chart with the site point taken from the window `from`
// (its head and flow boxes); modal when the caller is modal itself.
void openMachineChart(Session& session, const std::string& from, bool modal);

}  // namespace aub
