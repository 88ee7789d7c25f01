#pragma once
// A dated flow record as people download it: one value per line, a date (ISO
// "2020-01-31", French "31/01/2020", either with a time of day "2020-01-31T06:00:00Z",
// "31/01/2020 06:00"), a flow, and any other columns (status, quality ...).
//
// The separator is ";", a tab or "," (the first of them found outside quotes in the
// first lines); fields may be quoted ("1,5", "a ""b"""). Lines before the first dated
// flow are headers: the last one with several fields names the columns. The date
// column is the first whose heading starts with "date" (else the first column), the
// flow column the one whose heading names a flow ("débit", "valeur", "resultat", "Q"),
// or, without such a heading, the one numeric column besides the date. When several
// columns qualify the reader asks (`flowColumnChoices`) unless the caller chose. The
// unit comes from the flow heading ("l/s", "m3/s", "m³/s"); the national portal's
// API export ("resultat_obs_elab") is in l/s; otherwise the reader asks (`unitNeeded`).
//
// The values are sorted by date; the same instant given twice is merged when the
// values agree and refused otherwise, naming both lines; several instants of one day
// (hourly values ...) are averaged to the day's mean. Lines after the first dated flow
// that cannot be read are counted and named (blank lines and an end-of-file Ctrl-Z
// are not).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace aub {

// A day of a record: days since 1970-01-01 and its mean flow, m3/s.
struct RecordDay {
    int day = 0;
    double flow = 0;
};

enum class FlowUnit { Unknown, CubicMetresPerSecond, LitresPerSecond };

// Answers to the reader's questions (-1 / Unknown: not chosen).
struct RecordChoices {
    int flowColumn = -1;  // index in the line's fields
    FlowUnit unit = FlowUnit::Unknown;
};

// Largest daily flow accepted, m3/s: ten times the largest river on Earth; beyond it a
// value is a typing or unit fault and its line is ignored.
constexpr double LargestRecordFlow = 2.0e6;

struct DatedRecord {
    std::vector<RecordDay> days;    // sorted by day, one per day, m3/s
    int ignored = 0;                // lines that could not be read
    std::vector<int> ignoredLines;  // the first of them (1-based), at most 10
    int averagedDays = 0;           // days given by several values, averaged
    int mergedDuplicates = 0;       // lines repeating an instant with the same value
    std::string layout;             // "HydroPortail", "Hub'Eau" or "" for another file
    std::string error;              // French message: nothing usable
    // Questions left to the caller, then read again with its RecordChoices.
    std::vector<std::string> flowColumnChoices;  // headings of the candidate columns
    std::vector<int> flowColumnIndexes;          // their indexes
    bool unitNeeded = false;
    bool needsAnswer() const { return !flowColumnChoices.empty() || unitNeeded; }
};

// Shortest record giving an annual figure, days.
constexpr int ShortestRecordDays = 365;

DatedRecord parseDatedRecord(std::string_view text, const RecordChoices& choices = {});

// Largest record file accepted, bytes (reader and message share it).
constexpr std::uintmax_t MaxRecordFileBytes = std::uintmax_t{16} * 1024 * 1024;
// A size in megabytes (2^20 bytes) as the messages give it: "16 Mo", "20.9 Mo".
std::string megabytes(std::uintmax_t bytes);

// Reads a record file: missing, unreadable, empty, too large or binary files give a
// message in `error`; the text may be UTF-8 (with or without BOM) or Windows-1252 and
// ends at a Ctrl-Z byte.
DatedRecord readDatedRecordFile(const std::filesystem::path& path, const RecordChoices& choices = {});

// "lignes 3, 7, 12 … ignorées" (one line: "ligne 3 ignorée"); "" when none. The dots
// follow when more lines were ignored than named.
std::string ignoredLinesText(const DatedRecord& record);

// A day as "31/01/2020", and the day of a year, month, day.
std::string dayText(int day);
int dayNumber(int year, unsigned month, unsigned dayOfMonth);
struct CivilDay {
    int year = 1970;
    unsigned month = 1, day = 1;
};
CivilDay civilDay(int day);

}  // namespace aub
