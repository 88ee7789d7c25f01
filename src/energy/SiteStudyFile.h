#pragma once
// The site-study file of the annual-energy window: a versioned text file of the
// program folder (Windows-1252, CR LF), every input as typed, the flow-duration curve
// and, after an import, the daily flows, so that a study reopens exactly:
//
//   Aubelys - étude de productible
//   Version=3              (versions 1 and 2 are read too)
//   Hb=...  Hl=...  Module=...  Qr=...  Qd=...  Machine=<list entry>
//   Rendement10= ... Rendement100=   RendementsModifies=0|1
//   Qmin=...  Jets=...  Rm=...  Rtg=...
//   Machines=... Arrets=... Disponibilite=... PerteCrue=... DebitCrue=... QrMois=...
//   BassinStation=... BassinSite=... Exposant=...   (from version 3; earlier files
//                         take the window's defaults: 1, 0, 100, 0, "", "", "", "", 1)
//   Courbe=<n>            then n lines of the curve box
//   Chronique=<n>         then Ignores=<m>, LignesIgnorees=<"lignes 3, 7 … ignorées">,
//                         Remarque=<text>, Source=<file name>, and n days "2020-01-31;1.25"
//                         (a record without dates: the flows alone; version 1 has
//                         neither the two texts nor dates). Flows in shortest decimal
//                         form, so each double comes back exactly.
//   Fin
//
// Values are single-line texts: a line break typed into a box is written as a blank.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "energy/DatedRecord.h"

namespace aub {

struct SiteStudy {
    std::string grossHead, headLoss, module, reservedFlow, designFlow;
    std::string machine;
    std::array<std::string, 10> efficiency;
    bool efficiencyEdited = false;
    std::string minimumFlow, jets, rm, driveEfficiency;
    std::string machines = "1", downtime = "0", availability = "100", floodHeadLoss = "0", floodFlow;
    std::string monthlyReserved;  // twelve values separated by ";", or blank
    std::string stationArea, siteArea, exponent = "1";
    std::vector<std::string> curveLines;
    std::vector<double> record;   // empty: no record
    std::vector<int> recordDays;  // days since 1970-01-01 of each flow; empty: undated
    int recordSkipped = 0;
    std::string recordIgnored, recordNote;
    std::string recordSource;
};

constexpr int SiteStudyVersion = 3;

// The file name of a study: "Etude productible <name>.txt" (no design family of the
// program uses that first letter, so no other window lists it).
std::string studyFileName(const std::string& name);
// The study name of such a file name, or "" for another file.
std::string studyName(const std::string& fileName);
constexpr const char* StudyPattern = "Etude productible *.txt";

std::vector<std::string> studyLines(const SiteStudy& study);
// Reads the lines of a study; throws CalcError(ErrBadFileName, French message) for a
// file that is not a study, of a later version, or cut short.
SiteStudy parseStudy(const std::vector<std::string>& lines);

// The largest study file, bytes, for the writer and the reader alike: a study holds at
// most what the largest daily record gives (MaxRecordFileBytes) and the curve typed.
constexpr std::uintmax_t MaxStudyFileBytes = MaxRecordFileBytes;

// Atomic save and reading (file failures as CalcError). A study that would exceed
// MaxStudyFileBytes is refused before anything is written, a file beyond it before it
// is read, each with a message that names the limit.
void saveStudy(const std::filesystem::path& path, const SiteStudy& study);
SiteStudy readStudy(const std::filesystem::path& path);

}  // namespace aub
