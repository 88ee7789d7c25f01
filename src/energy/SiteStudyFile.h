#pragma once
// The site-study file of the annual-energy window: a versioned text file of the
// program folder (Windows-1252, CR LF), every input as typed, the flow-duration curve
// and, after an import, the daily flows, so that a study reopens exactly:
//
//   Aubelys - étude de productible
//   Version=1
//   Hb=...  Hl=...  Module=...  Qr=...  Qd=...  Machine=<list entry>
//   Rendement10= ... Rendement100=   RendementsModifies=0|1
//   Qmin=...  Jets=...  Rm=...  Rtg=...
//   Courbe=<n>            then n lines of the curve box
//   Chronique=<n>         then Ignores=<m>, Source=<file name>, n flows (shortest
//                         decimal form, so each double comes back exactly)
//   Fin
//
// Values are single-line texts: a line break typed into a box is written as a blank.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace aub {

struct SiteStudy {
    std::string grossHead, headLoss, module, reservedFlow, designFlow;
    std::string machine;
    std::array<std::string, 10> efficiency;
    bool efficiencyEdited = false;
    std::string minimumFlow, jets, rm, driveEfficiency;
    std::vector<std::string> curveLines;
    std::vector<double> record;  // empty: no record
    int recordSkipped = 0;
    std::string recordSource;
};

constexpr int SiteStudyVersion = 1;

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

// Atomic save and reading (file failures as CalcError).
void saveStudy(const std::filesystem::path& path, const SiteStudy& study);
SiteStudy readStudy(const std::filesystem::path& path);

}  // namespace aub
